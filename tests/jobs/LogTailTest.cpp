#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jobs/LogTail.h"
#include "jobs/LogText.h"
#include "jobs/PendingLog.h"
#include "text/Utf8Text.h"

namespace trellimux {
namespace {

using std::chrono::milliseconds;

constexpr std::size_t kShown = 64;  // the window shows 64 to 128 bytes of a large log

// A log tail with a window that applies its changes and a keeper that
// collects, or refuses, what it is given.
struct ShownLog {
  explicit ShownLog(bool keeperWorks = true)
      : tail(
            kShown,
            [this, keeperWorks](std::string_view text) {
              if (keeperWorks) kept += text;
              return keeperWorks;
            },
            "C:\\Temp\\log.txt") {}

  void Add(std::string_view text) {
    const ShownLogChange change = tail.Add(text);
    if (change.kind == ShownLogChange::Kind::Append) {
      window += change.text;
    } else {
      window = change.text;
      ++rewrites;
    }
  }

  LogTail tail;
  std::string window;
  std::string kept;
  int rewrites = 0;
};

// ffmpeg's output as the runner gets it: error lines, a file name in UTF-8,
// status lines redrawn after a bare CR.
std::string ChildOutput(int lines) {
  std::string output;
  for (int line = 0; line < lines; ++line) {
    output += line % 5 == 4 ? "frame=" + std::to_string(line) + " time=00:00:0" +
                                  std::to_string(line % 10) + ".00\r"
                            : "[h264] error in 'Sch\xC3\xB6ne \xE2\x80\x93 " +
                                  std::to_string(line) + ".ts'\r\n";
  }
  return output;
}

TEST(LogTail, ASmallLogIsShownWholeAndNotKept) {
  ShownLog log;
  log.tail.Reset("command\r\n\r\n\r\n");
  log.window = "command\r\n\r\n\r\n";
  log.Add("frame=1\r\n");
  log.Add(std::string(2 * kShown - log.window.size(), 'x'));  // exactly full
  const std::string whole = "command\r\n\r\n\r\nframe=1\r\n" + std::string(2 * kShown - 22, 'x');
  EXPECT_EQ(log.window, whole);
  EXPECT_EQ(log.rewrites, 0);
  EXPECT_EQ(log.kept, "");
  EXPECT_FALSE(log.tail.Kept());
  log.Add("!");  // one byte more and the keeper has it all
  EXPECT_EQ(log.kept, whole + "!");
  EXPECT_TRUE(log.tail.Kept());
}

// Every byte the child wrote, converted, in order, whatever pieces the
// pipe and the pump cut it into: in the keeper once the log outgrew the
// window, and its end in the window under the notice, from a whole line.
TEST(LogTail, ALargeLogIsKeptWholeAndItsEndShown) {
  const std::string output = ChildOutput(60);
  std::string converted;
  AppendLogText(converted, output);
  for (const std::size_t readSize : {1u, 7u, 100u, 5000u}) {
    SCOPED_TRACE(readSize);
    ShownLog log;
    PendingLog pending;
    for (std::size_t at = 0; at < output.size(); at += readSize) {
      pending.Add(std::string_view(output).substr(at, readSize));
      const std::string taken = pending.Take(milliseconds(0)).text;
      EXPECT_EQ(WholeUtf8Length(taken), taken.size());  // never half a character
      log.Add(taken);
    }
    pending.End();
    log.Add(pending.Take(milliseconds(0)).text);

    EXPECT_EQ(log.kept, converted);
    EXPECT_TRUE(log.tail.Kept());
    const std::string notice = LogTailNotice("C:\\Temp\\log.txt", true);
    ASSERT_EQ(log.window.substr(0, notice.size()), notice);
    const std::string shown = log.window.substr(notice.size());
    EXPECT_LE(shown.size(), 2 * kShown);
    EXPECT_EQ(converted.substr(converted.size() - shown.size()), shown);
    EXPECT_EQ(converted.substr(converted.size() - shown.size() - 2, 2), "\r\n");
    // Rewritten about once per shown size of log, never for every piece.
    EXPECT_LE(log.rewrites, static_cast<int>(converted.size() / kShown));
  }
}

TEST(LogTail, OneEndlessLineIsShownFromAWholeCharacter) {
  ShownLog log;
  std::string line;
  while (line.size() < 3 * kShown) line += "\xC3\xB6";
  log.Add("x" + line + "y");  // the last 64 bytes begin inside a character
  const std::string shown = log.window.substr(log.window.rfind("\r\n") + 2);
  EXPECT_EQ(shown.size(), kShown - 1);
  EXPECT_EQ(shown.substr(0, 2), "\xC3\xB6");
  EXPECT_EQ(log.kept, "x" + line + "y");
}

TEST(LogTail, ANewLogStartsSmallAgain) {
  ShownLog log;
  log.Add(ChildOutput(20));
  ASSERT_TRUE(log.tail.Kept());
  log.tail.Reset("");
  log.window.clear();
  log.kept.clear();
  log.Add("next job\r\n");
  EXPECT_EQ(log.window, "next job\r\n");
  EXPECT_EQ(log.kept, "");
  EXPECT_FALSE(log.tail.Kept());
}

TEST(LogTail, ANoticeSaysWhenTheLogCouldNotBeKept) {
  ShownLog log(false);
  log.Add(ChildOutput(20));
  EXPECT_EQ(log.window.find(LogTailNotice("C:\\Temp\\log.txt", false)), 0u);
  EXPECT_NE(log.window.find("could not be saved to \"C:\\Temp\\log.txt\""), std::string::npos);
  EXPECT_FALSE(log.tail.Kept());
}

}  // namespace
}  // namespace trellimux
