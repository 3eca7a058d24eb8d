#include <gtest/gtest.h>

#include <thread>

#include "jobs/PendingLog.h"

namespace trellimux {
namespace {

using std::chrono::milliseconds;

TEST(PendingLog, TakesEverythingGatheredSinceTheLastTake) {
  PendingLog pending;
  pending.Add("one\r");
  pending.Add("\ntwo\n");
  PendingLog::Taken taken = pending.Take(milliseconds(0));
  EXPECT_EQ(taken.text, "one\r\ntwo");
  EXPECT_FALSE(taken.ended);
  taken = pending.Take(milliseconds(1));  // nothing new: empty after the wait
  EXPECT_EQ(taken.text, "");
  EXPECT_FALSE(taken.ended);
  pending.Add("last\r");
  pending.End();
  taken = pending.Take(milliseconds(0));
  EXPECT_EQ(taken.text, "last\r\n");
  EXPECT_TRUE(taken.ended);
}

// A reader that never waits for the taker: everything arrives, in order,
// whatever the pace of the taker.
TEST(PendingLog, ReaderAndSlowTakerLoseNothing) {
  PendingLog pending;
  constexpr int kLines = 20000;
  std::thread reader([&pending] {
    for (int line = 0; line < kLines; ++line) pending.Add(std::to_string(line) + "\r\n");
    pending.End();
  });
  std::string log;
  int takes = 0;
  for (;;) {
    PendingLog::Taken taken = pending.Take(milliseconds(50));
    log += taken.text;
    ++takes;
    if (taken.ended) break;
    if (takes % 3 == 0) std::this_thread::sleep_for(milliseconds(1));
  }
  reader.join();
  std::string expected;
  for (int line = 0; line < kLines; ++line) expected += std::to_string(line) + "\r\n";
  EXPECT_EQ(log, expected);
}

// ffmpeg writes UTF-8; a read may end inside a character ("Ü" is C3 9C).
TEST(PendingLog, ACharacterSplitBetweenReadsIsTakenWhole) {
  PendingLog pending;
  pending.Add("Nachrichten \xC3");
  EXPECT_EQ(pending.Take(milliseconds(0)).text, "Nachrichten ");
  EXPECT_EQ(pending.Take(milliseconds(1)).text, "");  // only half a character pending
  pending.Add("\x9C.ts\n");
  EXPECT_EQ(pending.Take(milliseconds(0)).text, "\xC3\x9C.ts");
  pending.Add("\xC3");  // a child that ends mid-character loses nothing
  pending.End();
  EXPECT_EQ(pending.Take(milliseconds(0)).text, "\xC3");
}

// The pump gathers a flood for a while before it shows it: text does not
// end that wait, the end does.
TEST(PendingLog, OnlyTheEndEndsAWaitForIt) {
  PendingLog pending;
  pending.Add("frame=1\r");
  EXPECT_FALSE(pending.WaitForEnd(milliseconds(1)));
  pending.End();
  EXPECT_TRUE(pending.WaitForEnd(std::chrono::seconds(60)));
  EXPECT_EQ(pending.Take(milliseconds(0)).text, "frame=1\r\n");
}

TEST(PendingLog, EndWakesAWaitingTaker) {
  PendingLog pending;
  std::thread ender([&pending] {
    std::this_thread::sleep_for(milliseconds(20));
    pending.End();
  });
  const auto before = std::chrono::steady_clock::now();
  const PendingLog::Taken taken = pending.Take(std::chrono::seconds(60));
  EXPECT_TRUE(taken.ended);
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(30));
  ender.join();
}

}  // namespace
}  // namespace trellimux
