#include "jobs/StopLadder.h"

#include <gtest/gtest.h>

#include <vector>

namespace trellimux {
namespace {

using std::chrono::milliseconds;
constexpr milliseconds kGrace{10000};

struct Press {
  int atMs;
  StopStep expected;
};

// Presses at the given times, every step delivered.
void ExpectSteps(const std::vector<Press>& presses) {
  StopLadder ladder(kGrace);
  const StopLadder::Clock::time_point start{};
  for (const Press& press : presses) {
    EXPECT_EQ(ladder.Press(start + milliseconds(press.atMs)), press.expected)
        << "press at " << press.atMs << " ms";
  }
}

TEST(StopLadder, FurtherPressesClimbOnlyAfterTheGrace) {
  // Quick presses while the child finishes its file change nothing.
  ExpectSteps({{0, StopStep::AskToQuit},
               {300, StopStep::HeldBack},
               {600, StopStep::HeldBack},
               {9999, StopStep::HeldBack},
               {10000, StopStep::CtrlC},
               {10300, StopStep::HeldBack},
               {20000, StopStep::Force},
               {20001, StopStep::Nothing},
               {60000, StopStep::Nothing}});
  // The first press is delivered whenever it comes; the grace runs from
  // each delivered step, not from the first press.
  ExpectSteps({{50000, StopStep::AskToQuit},
               {59000, StopStep::HeldBack},
               {75000, StopStep::CtrlC},
               {84000, StopStep::HeldBack},
               {85000, StopStep::Force}});
}

TEST(StopLadder, AStepThatCannotBeDeliveredGivesWayAtOnce) {
  StopLadder ladder(kGrace);
  const StopLadder::Clock::time_point start{};
  ASSERT_EQ(ladder.Press(start), StopStep::AskToQuit);
  EXPECT_EQ(ladder.Undelivered(), StopStep::CtrlC);  // a child that reads no input
  EXPECT_EQ(ladder.Upcoming(), StopStep::Force);
  // The delivered Ctrl-C has the grace of the press that sent it.
  EXPECT_EQ(ladder.Press(start + milliseconds(500)), StopStep::HeldBack);
  EXPECT_EQ(ladder.GraceLeft(start + milliseconds(500)), milliseconds(9500));
  EXPECT_EQ(ladder.Press(start + kGrace), StopStep::Force);
  EXPECT_EQ(ladder.Undelivered(), StopStep::Nothing);
  EXPECT_EQ(ladder.Press(start + 3 * kGrace), StopStep::Nothing);
}

TEST(StopLadder, HeldBackNoticeSaysWhenAndWhatAFurtherPressDoes) {
  EXPECT_EQ(HeldBackNotice(milliseconds(9700), StopStep::CtrlC),
            "Stopping\xE2\x80\xA6 FFmpeg was asked to stop and finish the output file. If it has not stopped "
            "within 10 seconds, press Cancel Job again to interrupt it; a further press after "
            "that forces it, and a forced stop can leave an unplayable file.");
  EXPECT_EQ(HeldBackNotice(milliseconds(1), StopStep::Force),
            "Stopping\xE2\x80\xA6 FFmpeg was asked to stop and finish the output file. If it has not stopped "
            "within 1 second, press Cancel Job again to force it, and a forced stop can leave "
            "an unplayable file.");
}

}  // namespace
}  // namespace trellimux
