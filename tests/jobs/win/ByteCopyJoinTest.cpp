// The Concat byte-copy join ("Windows File"): the output's bytes, the
// progress bar's range and positions, cancelling, and the failures that end
// it with the platform's text.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/win/WindowTestSupport.h"
#include "concat/ConcatCommand.h"
#include "jobs/JobKind.h"
#include "jobs/win/RunnerTestSupport.h"
#include "process/win/PlatformError.h"
#include "transport/TransportStreamBuilder.h"

namespace trellimux::test {
namespace {

constexpr std::size_t kBlock = 8192;

class ByteCopyJoinTest : public ::testing::Test {
 protected:
  // Writes one input per size, each with bytes of its own; returns their
  // paths and, in `joined`, what the join of them must give.
  std::vector<std::string> MakeInputs(const std::vector<std::size_t>& sizes, std::string& joined) {
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
      const std::string bytes = PatternBytes(sizes[i], static_cast<unsigned>(i + 1));
      paths.push_back(folder_.Path("part" + std::to_string(i) + ".ts"));
      WriteFileBytes(paths.back(), bytes);
      joined += bytes;
    }
    return paths;
  }

  JobDescription Join(std::vector<std::string> inputs) {
    JobDescription job = runner_.Job(kConcatByteCopyJob, "");
    job.inputPaths = std::move(inputs);
    job.outputPath = output_;
    return job;
  }

  // Checks that the job ended once, as a failure with the platform's text.
  void ExpectFailure(DWORD error) {
    EXPECT_EQ(runner_.DoneMessages(), 1);
    EXPECT_EQ(runner_.jobKind, kFailedJob);
    EXPECT_EQ(runner_.results.errorText, PlatformErrorText(error));
    EXPECT_FALSE(runner_.results.errorText.empty());
  }

  RunnerWindow runner_;
  ScratchFolder folder_;
  const std::string output_ = folder_.Path("joined.ts");
};

TEST_F(ByteCopyJoinTest, CopiesEveryByteInListOrder) {
  std::string joined;
  // Blocks: 2 + 1 + 0 + 3 + 3 + 33 + 1025 = 1067; the last two cross a read
  // of 32 blocks and the 8 MiB range locked ahead.
  const auto inputs =
      MakeInputs({kBlock + 1, 1, 0, 3 * kBlock, 20000, 32 * kBlock + 1, 1024 * kBlock + 3}, joined);
  WriteFileBytes(output_, std::string(100000, 'x'));  // replaced, not appended to
  runner_.SetLogText("the last job's log");
  runner_.cancelRequested = 1;  // pressed while no job ran
  ASSERT_TRUE(runner_.RunToEnd(Join(inputs)));

  EXPECT_EQ(ReadFileBytes(output_), joined);
  EXPECT_EQ(runner_.LogText(), kWindowsFileJoinNote);
  EXPECT_EQ(ProgressRangeEnd(runner_.ProgressBar()), 1067);
  EXPECT_EQ(ProgressPosition(runner_.ProgressBar()), 1067);
  EXPECT_EQ(runner_.DoneMessages(), 1);
  EXPECT_EQ(runner_.jobKind, kConcatByteCopyJob);
  EXPECT_EQ(runner_.cancelRequested, 0);
  EXPECT_EQ(runner_.results.errorText, "");
}

// A receiver's header and the packets it repeats at a seam are left out
// and named in the log; a file named as another container is copied whole.
TEST_F(ByteCopyJoinTest, TransportPartsAreCopiedFromTheirSeams) {
  std::string packets;
  for (int n = 0; n < 300; ++n)
    packets += TransportPacket(0x100, n % 10 == 0, "packet " + std::to_string(n));
  const auto span = [&](int from, int to) {
    return packets.substr(from * kTransportPacketBytes, (to - from) * kTransportPacketBytes);
  };
  const std::vector<std::string> inputs = {folder_.Path("Film.ts"), folder_.Path("Film.ts.001"),
                                           folder_.Path("Film.mp4")};
  WriteFileBytes(inputs[0], std::string(4096, '\x5a') + span(0, 100));
  WriteFileBytes(inputs[1], span(90, 200));  // 10 packets again
  WriteFileBytes(inputs[2], span(190, 300));
  ASSERT_TRUE(runner_.RunToEnd(Join(inputs)));

  EXPECT_TRUE(ReadFileBytes(output_) == span(0, 200) + span(190, 300));
  EXPECT_EQ(runner_.LogText(),
            std::string(kWindowsFileJoinNote) +
                "\r\n\r\nPart 1: a header of 4096 bytes (4.0 KiB) before its first packet left out"
                "\r\nPart 2: 10 repeated packets (1.8 KiB) left out at its start\r\n");
  // The bar counts the blocks copied: 18800 bytes of each part.
  EXPECT_EQ(ProgressRangeEnd(runner_.ProgressBar()), 9);
  EXPECT_EQ(runner_.results.errorText, "");
}

TEST_F(ByteCopyJoinTest, InputsOfZeroBytesGiveAnEmptyOutputAndARangeOfZero) {
  std::string joined;
  const auto inputs = MakeInputs({0, 0}, joined);
  SendMessageA(runner_.ProgressBar(), PBM_SETRANGE32, 0, 100);
  ASSERT_TRUE(runner_.RunToEnd(Join(inputs)));
  EXPECT_EQ(ReadFileBytes(output_), "");
  EXPECT_EQ(ProgressRangeEnd(runner_.ProgressBar()), 0);
  EXPECT_EQ(runner_.DoneMessages(), 1);
  EXPECT_EQ(runner_.jobKind, kConcatByteCopyJob);
}

// Sending a position per block would cost a repaint each; the bar gets one
// per pixel it moves, and its last position is the number of blocks.
TEST_F(ByteCopyJoinTest, ProgressMovesOncePerPixelAndEndsAtTheBlockCount) {
  std::string joined;
  const auto inputs = MakeInputs({512 * kBlock, 100}, joined);
  ProgressWatch watch(runner_.ProgressBar());
  ASSERT_TRUE(runner_.RunToEnd(Join(inputs)));
  ASSERT_EQ(ReadFileBytes(output_), joined);

  constexpr int kBlocks = 513;
  EXPECT_EQ(ProgressRangeEnd(runner_.ProgressBar()), kBlocks);
  const std::vector<int>& positions = watch.Positions();
  ASSERT_FALSE(positions.empty());
  EXPECT_EQ(positions.back(), kBlocks);
  RECT bar{};
  GetClientRect(runner_.ProgressBar(), &bar);
  EXPECT_LE(positions.size(), static_cast<std::size_t>(bar.right) + 1);
  // Each position shown moved the bar to another pixel, forwards.
  int standing = 0;
  for (std::size_t i = 1; i < positions.size(); ++i) {
    if (positions[i - 1] * bar.right / kBlocks >= positions[i] * bar.right / kBlocks) ++standing;
  }
  EXPECT_EQ(standing, 0);
}

TEST_F(ByteCopyJoinTest, CancelKeepsTheWholeBlocksCopiedSoFar) {
  std::string joined;
  const auto inputs = MakeInputs({128 * kBlock, 128 * kBlock, 128 * kBlock, 128 * kBlock}, joined);
  bool outputReadable = false, appendedRangeLocked = false;
  // The request comes while the join waits for the bar at its first move,
  // some blocks into a read; a reader may open the output meanwhile, but the
  // range being appended to is the join's.
  ProgressWatch watch(runner_.ProgressBar(), [&](int) {
    if (runner_.cancelRequested != 0) return;
    HANDLE reader = CreateFileA(output_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    outputReadable = reader != INVALID_HANDLE_VALUE;
    appendedRangeLocked = outputReadable && !LockFile(reader, 0, 0, 1, 0);
    CloseHandle(reader);
    runner_.cancelRequested = 1;
  });
  ASSERT_TRUE(runner_.RunToEnd(Join(inputs)));

  EXPECT_TRUE(outputReadable);
  EXPECT_TRUE(appendedRangeLocked);
  EXPECT_EQ(runner_.cancelRequested, -1);
  EXPECT_EQ(runner_.jobKind, kConcatByteCopyJob);
  EXPECT_EQ(runner_.DoneMessages(), 1);
  const std::string copied = ReadFileBytes(output_).value();
  EXPECT_GT(copied.size(), 0u);
  EXPECT_LT(copied.size(), joined.size());
  EXPECT_EQ(copied.size() % kBlock, 0u);
  EXPECT_TRUE(copied == joined.substr(0, copied.size()));
}

// An input that is missing, or that another program is writing, cannot be
// opened: the join fails before copying anything.
TEST_F(ByteCopyJoinTest, InputThatCannotBeOpenedFailsAndLeavesAnEmptyOutput) {
  std::string joined;
  auto inputs = MakeInputs({10000, 20000}, joined);
  inputs.insert(inputs.begin() + 1, folder_.Path("vanished.ts"));
  WriteFileBytes(output_, "an older output");
  ASSERT_TRUE(runner_.RunToEnd(Join(inputs)));
  ExpectFailure(ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(ReadFileBytes(output_), "");

  inputs.erase(inputs.begin() + 1);
  HANDLE writer = CreateFileA(inputs[1].c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  RunnerWindow again;
  JobDescription job = again.Job(kConcatByteCopyJob, "");
  job.inputPaths = inputs;
  job.outputPath = output_;
  WriteFileBytes(output_, "an older output");
  const bool ended = again.RunToEnd(job);
  CloseHandle(writer);
  ASSERT_TRUE(ended);
  EXPECT_EQ(again.DoneMessages(), 1);
  EXPECT_EQ(again.jobKind, kFailedJob);
  EXPECT_EQ(again.results.errorText, PlatformErrorText(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(ReadFileBytes(output_), "");
}

TEST_F(ByteCopyJoinTest, OutputInAMissingFolderFails) {
  std::string joined;
  JobDescription job = Join(MakeInputs({10000}, joined));
  job.outputPath = folder_.Path("missing\\joined.ts");
  ASSERT_TRUE(runner_.RunToEnd(job));
  ExpectFailure(ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(runner_.LogText(), kWindowsFileJoinNote);
  EXPECT_FALSE(FileExists(job.outputPath));
}

}  // namespace
}  // namespace trellimux::test
