#include "concat/RecordingParts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "concat/PartsQuestion.h"
#include "text/NaturalOrder.h"

namespace trellimux {
namespace {

constexpr std::int64_t kGiB = 1 << 30;

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

struct PartsCase {
  const char* what;
  const char* added;
  std::vector<FolderFile> folder;
  std::vector<std::string> parts;
  std::vector<std::string> gaps;
  std::vector<std::string> leftOut;
};

std::vector<FolderFile> Files(std::initializer_list<const char*> names,
                              std::int64_t size = 4 * kGiB) {
  std::vector<FolderFile> files;
  for (const char* name : names) files.push_back({name, size});
  return files;
}

std::vector<FolderFile> With(std::vector<FolderFile> files, std::vector<FolderFile> more) {
  files.insert(files.end(), more.begin(), more.end());
  return files;
}

TEST(RecordingParts, ThePatternsOfReceiversFindTheOtherPartsInOrder) {
  const PartsCase kCases[] = {
      {"a part of the Linux kind, the unnumbered first added",
       "Film.ts",
       Files({"Film.ts.002", "Film.ts.001", "Film.ts", "Other.ts", "Film.ts.meta"}),
       {"Film.ts", "Film.ts.001", "Film.ts.002"},
       {},
       {}},
      {"the same, a numbered one added",
       "Film.ts.002",
       Files({"Film.ts.002", "Film.ts.001", "Film.ts"}),
       {"Film.ts", "Film.ts.001", "Film.ts.002"},
       {},
       {}},
      {"numbered before the extension",
       "Film_001.ts",
       Files({"Film_010.ts", "Film_002.ts", "Film_001.ts", "Film_003.ts", "Film_004.ts",
              "Film_005.ts", "Film_006.ts", "Film_007.ts", "Film_008.ts", "Film_009.ts"}),
       {"Film_001.ts", "Film_002.ts", "Film_003.ts", "Film_004.ts", "Film_005.ts", "Film_006.ts",
        "Film_007.ts", "Film_008.ts", "Film_009.ts", "Film_010.ts"},
       {},
       {}},
      {"numbered extensions",
       "Film.002",
       Files({"Film.001", "Film.002", "Film.003"}),
       {"Film.001", "Film.002", "Film.003"},
       {},
       {}},
      {"unpadded numbers after a dash",
       "Film-1.rec",
       Files({"Film-10.rec", "Film-2.rec", "Film-1.rec", "Film-3.rec", "Film-4.rec", "Film-5.rec",
              "Film-6.rec", "Film-7.rec", "Film-8.rec", "Film-9.rec"}),
       {"Film-1.rec", "Film-2.rec", "Film-3.rec", "Film-4.rec", "Film-5.rec", "Film-6.rec",
        "Film-7.rec", "Film-8.rec", "Film-9.rec", "Film-10.rec"},
       {},
       {}},
      {"any base name and a running number, letter case aside",
       "News 1.ts",
       Files({"news 2.TS", "News 1.ts", "News 3.ts", "Newsletter 2.ts"}),
       {"News 1.ts", "news 2.TS", "News 3.ts"},
       {},
       {}},
      {"a name ending in a number that is the first of numbered parts",
       "News 2024.ts",
       Files({"News 2024.ts", "News 2024.ts.001", "News 2023.ts"}),
       {"News 2024.ts", "News 2024.ts.001"},
       {},
       {}},
      {"gaps in the numbering are named",
       "Film_001.ts",
       Files({"Film_001.ts", "Film_002.ts", "Film_004.ts", "Film_007.ts"}),
       {"Film_001.ts", "Film_002.ts", "Film_004.ts", "Film_007.ts"},
       {"Film_003.ts", "Film_005.ts", "Film_006.ts"},
       {}},
      {"another container is left out, and fills no gap",
       "Film_1.ts",
       Files({"Film_1.ts", "Film_2.mkv", "Film_3.ts"}),
       {"Film_1.ts", "Film_3.ts"},
       {},
       {"Film_2.mkv"}},
      {"a part of a very different size is left out, the last may be smaller",
       "Film.ts.001",
       With(Files({"Film.ts", "Film.ts.001", "Film.ts.003"}),
            {{"Film.ts.002", 200 << 20}, {"Film.ts.004", 900 << 20}, {"Film.ts.005", 0}}),
       {"Film.ts", "Film.ts.001", "Film.ts.003", "Film.ts.004"},
       {},
       {"Film.ts.002", "Film.ts.005"}},
      {"a last part larger than the others is left out",
       "Film_1.ts",
       With(Files({"Film_1.ts", "Film_2.ts"}), {{"Film_3.ts", 9 * kGiB}}),
       {"Film_1.ts", "Film_2.ts"},
       {},
       {"Film_3.ts"}},
      {"the added file is kept whatever its size",
       "Film_2.ts",
       With(Files({"Film_1.ts", "Film_3.ts", "Film_4.ts"}), {{"Film_2.ts", 5}}),
       {"Film_1.ts", "Film_2.ts", "Film_3.ts", "Film_4.ts"},
       {},
       {}},
      {"no number, no numbered siblings",
       "Film.ts",
       Files({"Film.ts", "Film 2.mkv", "Other.ts"}),
       {"Film.ts"},
       {},
       {}},
      {"alone of its numbering",
       "Film_1.ts",
       Files({"Film_1.ts", "Film.ts"}),
       {"Film_1.ts"},
       {},
       {}},
      {"a number only, without a base name",
       "001.ts",
       Files({"001.ts", "002.ts"}),
       {"001.ts"},
       {},
       {}},
  };
  for (const PartsCase& c : kCases) {
    SCOPED_TRACE(c.what);
    const RecordingParts found = FindRecordingParts(c.added, c.folder);
    EXPECT_EQ(found.parts, c.parts);
    EXPECT_EQ(found.gaps, c.gaps);
    std::vector<std::string> leftOut;
    for (const LeftOutPart& part : found.leftOut) leftOut.push_back(part.name);
    EXPECT_EQ(leftOut, c.leftOut);
  }
}

TEST(RecordingParts, TheQuestionNamesThePartsInOrderTheGapsAndWhyFilesAreLeftOut) {
  const RecordingParts found = FindRecordingParts(
      "Film_1.ts", With(Files({"Film_1.ts", "Film_2.ts", "Film_4.ts", "Film_5.mkv", "Film_6.ts"}),
                        {{"Film_7.ts", 100 << 20}, {"Film_8.ts", 0}}));
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

  const RecordingParts sized = FindRecordingParts(
      "Film.002", With(Files({"Film.001", "Film.002"}), {{"Film.003", 10 * kGiB}}));
  EXPECT_EQ(AskForOtherParts(sized, "Film.002")->text,
            "Add the other part of this recording?\r\n\r\nFilm.001\r\n\r\n"
            "Left out: Film.003, its size, 10 GiB, is far from the other parts' 4.0 GiB.");

  EXPECT_FALSE(AskForOtherParts(FindRecordingParts("Film.ts", Files({"Film.ts"})), "Film.ts"));
}

}  // namespace
}  // namespace trellimux
