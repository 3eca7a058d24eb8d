#include "concat/TransportNames.h"

#include <gtest/gtest.h>

namespace trellimux {
namespace {

TEST(TransportNames, OnlyNamesOfOtherContainersAreNotLookedAt) {
  const struct {
    const char* path;
    bool looked;
  } kCases[] = {
      {"D:\\rec\\Film.ts", true},      {"D:\\rec\\Film.M2TS", true},
      {"D:\\rec\\Film.trp", true},     {"D:\\rec\\Film.ts.001", true},
      {"D:\\rec\\Film.001", true},     {"D:\\rec\\Film-1.rec", true},
      {"D:\\rec\\Film", true},         {"D:\\rec\\Film.mp4", false},
      {"D:\\rec\\Film.MKV", false},    {"D:\\rec\\Film.mkv.001", false},
      {"D:\\rec.mp4\\Film.001", true}, {"D:\\rec\\Film.mpg", false},
  };
  for (const auto& c : kCases) EXPECT_EQ(MayHoldTransportPackets(c.path), c.looked) << c.path;
}

}  // namespace
}  // namespace trellimux
