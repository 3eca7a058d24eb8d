#include "concat/RecordingParts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "concat/PartsQuestion.h"
#include "text/NaturalOrder.h"

namespace trellimux {
namespace {

constexpr std::int64_t kGiB = std::int64_t{1} << 30;

TEST(RecordingParts, NamesSortNaturally) {
  const struct {
    const char* before;
    const char* after;
  } kCases[] = {
      {"Film_2.ts", "Film_10.ts"},
      {"Film.ts", "Film.ts.001"},
      {"Film.ts.009", "Film.ts.010"},
      {"film_2.TS", "FILM_3.ts"},   // letter case ignored
      {"FILM_2.ts", "film_2.ts"},   // alike but for case: by their bytes
      {"Film_02.ts", "Film_2.ts"},  // alike but for zeros: by their bytes
      {"Film-9.rec", "Film-10.rec"},
      {"a99999999999999999999", "a100000000000000000000"},  // beyond any integer
      {"Film", "Film 2"},
  };
  for (const auto& c : kCases) {
    EXPECT_TRUE(NaturallyBefore(c.before, c.after)) << c.before << " < " << c.after;
    EXPECT_FALSE(NaturallyBefore(c.after, c.before)) << c.after << " > " << c.before;
  }
  EXPECT_FALSE(NaturallyBefore("Film_2.ts", "Film_2.ts"));
}

// "a|b|c" as its names; "" as none.
std::vector<std::string> Names(std::string_view list) {
  std::vector<std::string> names;
  for (std::size_t at = 0; at < list.size();) {
    const std::size_t end = std::min(list.find('|', at), list.size());
    names.emplace_back(list.substr(at, end - at));
    at = end + 1;
  }
  return names;
}

// A folder's files named as by Names, each of 4 GiB unless ":<MiB>" follows.
std::vector<FolderFile> Folder(std::string_view list) {
  std::vector<FolderFile> files;
  for (const std::string& entry : Names(list)) {
    const std::size_t colon = entry.find(':');
    files.push_back({entry.substr(0, colon), colon == std::string::npos
                                                 ? 4 * kGiB
                                                 : std::stoll(entry.substr(colon + 1)) << 20});
  }
  return files;
}

TEST(RecordingParts, ThePatternsOfReceiversFindTheOtherPartsInOrder) {
  const struct {
    const char* what;
    const char* added;
    const char* folder;
    const char* parts;
    const char* gaps;
    const char* leftOut;
  } kCases[] = {
      {"the Linux kind, the unnumbered first added", "Film.ts",
       "Film.ts.002|Film.ts.001|Film.ts|Other.ts|Film.ts.meta", "Film.ts|Film.ts.001|Film.ts.002",
       "", ""},
      {"the same, a numbered one added", "Film.ts.002", "Film.ts.002|Film.ts.001|Film.ts",
       "Film.ts|Film.ts.001|Film.ts.002", "", ""},
      {"numbered before the extension", "Film_001.ts",
       "Film_010.ts|Film_002.ts|Film_001.ts|Film_003.ts|Film_004.ts|Film_005.ts|Film_006.ts|"
       "Film_007.ts|Film_008.ts|Film_009.ts",
       "Film_001.ts|Film_002.ts|Film_003.ts|Film_004.ts|Film_005.ts|Film_006.ts|Film_007.ts|"
       "Film_008.ts|Film_009.ts|Film_010.ts",
       "", ""},
      {"numbered extensions", "Film.002", "Film.001|Film.002|Film.003",
       "Film.001|Film.002|Film.003", "", ""},
      {"unpadded numbers after a dash", "Film-1.rec",
       "Film-10.rec|Film-2.rec|Film-1.rec|Film-9.rec",
       "Film-1.rec|Film-2.rec|Film-9.rec|Film-10.rec",
       "Film-3.rec|Film-4.rec|Film-5.rec|Film-6.rec|Film-7.rec|Film-8.rec", ""},
      {"any base name and a running number, letter case aside", "News 1.ts",
       "news 2.TS|News 1.ts|News 3.ts|Newsletter 2.ts", "News 1.ts|news 2.TS|News 3.ts", "", ""},
      {"a name ending in a number, the first of numbered parts", "News 2024.ts",
       "News 2024.ts|News 2024.ts.001|News 2023.ts", "News 2024.ts|News 2024.ts.001", "", ""},
      {"another container is left out and fills no gap", "Film_1.ts",
       "Film_1.ts|Film_2.mkv|Film_3.ts", "Film_1.ts|Film_3.ts", "", "Film_2.mkv"},
      {"a size far from the others' is left out, the last may be smaller", "Film.ts.001",
       "Film.ts|Film.ts.001|Film.ts.002:200|Film.ts.003|Film.ts.004:900|Film.ts.005:0",
       "Film.ts|Film.ts.001|Film.ts.003|Film.ts.004", "", "Film.ts.002|Film.ts.005"},
      {"a last part larger than the others is left out", "Film_1.ts",
       "Film_1.ts|Film_2.ts|Film_3.ts:9000", "Film_1.ts|Film_2.ts", "", "Film_3.ts"},
      {"the added file is kept whatever its size", "Film_2.ts",
       "Film_1.ts|Film_2.ts:1|Film_3.ts|Film_4.ts", "Film_1.ts|Film_2.ts|Film_3.ts|Film_4.ts", "",
       ""},
      {"no number, no numbered siblings", "Film.ts", "Film.ts|Film 2.mkv|Other.ts", "Film.ts", "",
       ""},
      {"alone of its numbering", "Film_1.ts", "Film_1.ts|Film.ts", "Film_1.ts", "", ""},
      {"a number without a base name", "001.ts", "001.ts|002.ts", "001.ts", "", ""},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    const RecordingParts found = FindRecordingParts(c.added, Folder(c.folder));
    EXPECT_EQ(found.parts, Names(c.parts));
    EXPECT_EQ(found.gaps, Names(c.gaps));
    std::vector<std::string> leftOut;
    for (const LeftOutPart& part : found.leftOut) leftOut.push_back(part.name);
    EXPECT_EQ(leftOut, Names(c.leftOut));
  }
}

TEST(RecordingParts, TheQuestionNamesThePartsInOrderTheGapsAndWhyFilesAreLeftOut) {
  const RecordingParts found = FindRecordingParts(
      "Film_1.ts",
      Folder("Film_1.ts|Film_2.ts|Film_4.ts|Film_5.mkv|Film_6.ts|Film_7.ts:100|Film_8.ts:0"));
  const std::optional<PartsQuestion> question = AskForOtherParts(found, "Film_1.ts");
  ASSERT_TRUE(question);
  EXPECT_EQ(question->text,
            "Add the other 4 parts of this recording?\r\n\r\nFilm_2.ts\r\nFilm_4.ts\r\n"
            "Film_6.ts\r\nFilm_7.ts\r\n\r\n"
            "Missing in the numbering: Film_3.ts.\r\n"
            "Left out: Film_5.mkv, another container (.mkv).\r\n"
            "Left out: Film_8.ts, it is empty.");
  const MessageRequest request = question->Request();
  EXPECT_EQ(request.caption, " Confirmation");
  EXPECT_EQ(request.icon, MessageIcon::Question);
  EXPECT_EQ(request.buttons, MessageButtons::YesNo);

  const RecordingParts sized =
      FindRecordingParts("Film.002", Folder("Film.001|Film.002|Film.003:10240"));
  EXPECT_EQ(AskForOtherParts(sized, "Film.002")->text,
            "Add the other part of this recording?\r\n\r\nFilm.001\r\n\r\n"
            "Left out: Film.003, its size, 10 GiB, is far from the other parts' 4.0 GiB.");

  EXPECT_FALSE(AskForOtherParts(FindRecordingParts("Film.ts", Folder("Film.ts")), "Film.ts"));
}

}  // namespace
}  // namespace trellimux
