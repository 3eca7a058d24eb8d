#include "app/ChosenFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trellimux {
namespace {

using namespace std::string_literals;

TEST(ChosenFiles, TheDialogsBufferGivesThePathsInNaturalOrder) {
  const struct {
    const char* what;
    std::string buffer;
    std::vector<std::string> paths;
  } kCases[] = {
      {"one file: its path", "D:\\rec\\Film.ts\0\0"s, {"D:\\rec\\Film.ts"}},
      {"several: the folder, then the names",
       "D:\\rec\0Film_10.ts\0Film_2.ts\0Film_1.ts\0\0"s,
       {"D:\\rec\\Film_1.ts", "D:\\rec\\Film_2.ts", "D:\\rec\\Film_10.ts"}},
      {"a drive's root keeps its one separator", "C:\\\0b.ts\0a.ts\0\0"s, {"C:\\a.ts", "C:\\b.ts"}},
      {"an unnumbered first part before its numbered ones",
       "D:\\rec\0Film.ts.001\0Film.ts\0\0"s,
       {"D:\\rec\\Film.ts", "D:\\rec\\Film.ts.001"}},
      {"a buffer whose last zeros are missing",
       "D:\\rec\0a.ts\0b.ts"s,
       {"D:\\rec\\a.ts", "D:\\rec\\b.ts"}},
      {"what follows the list is not read", "D:\\a.ts\0\0D:\\old.ts\0\0"s, {"D:\\a.ts"}},
      {"nothing", "\0\0"s, {}},
  };
  for (const auto& c : kCases) EXPECT_EQ(ChosenFiles(c.buffer), c.paths) << c.what;
}

}  // namespace
}  // namespace trellimux
