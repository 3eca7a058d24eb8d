#include "concat/SeamNotes.h"

#include <gtest/gtest.h>

#include <vector>

namespace trellimux {
namespace {

TEST(SeamNotes, APartReadFromElsewhereThanItsFirstByteGetsALine) {
  const std::vector<PartSeam> seams = {{true, 0, 0},    {true, 0, 256}, {true, 4096, 0},
                                       {true, 4096, 1}, {true, 100, 0}, {false, 0, 0}};
  EXPECT_EQ(SeamNotes(seams),
            "Part 2: 256 repeated packets (47 KiB) left out at its start\r\n"
            "Part 3: a header of 4096 bytes (4.0 KiB) before its first packet left out\r\n"
            "Part 4: a header of 4096 bytes (4.0 KiB) and 1 repeated packet (188 bytes) left out "
            "at its start\r\n"
            "Part 5: a header of 100 bytes before its first packet left out\r\n");
  EXPECT_EQ(SeamNotes(std::vector<PartSeam>{{true, 0, 0}, {false, 0, 0}}), "");
}

}  // namespace
}  // namespace trellimux
