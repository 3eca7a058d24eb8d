#include "text/PathText.h"

#include <gtest/gtest.h>

namespace trellimux {
namespace {

TEST(PathText, ExtensionIsTakenFromTheLastComponentOnly) {
  EXPECT_EQ(PathExtension("D:\\rec\\film.ts"), ".ts");
  EXPECT_EQ(PathExtension("D:\\rec\\film.old.MKV"), ".MKV");
  EXPECT_EQ(PathExtension("D:\\rec.d\\film"), "");
  EXPECT_EQ(PathExtension("D:\\rec\\film."), ".");
  EXPECT_EQ(PathExtension(""), "");
}

TEST(PathText, ReplacingTheExtensionKeepsFoldersWithDots) {
  EXPECT_EQ(ReplaceExtension("D:\\out.avi", ".mkv"), "D:\\out.mkv");
  EXPECT_EQ(ReplaceExtension("D:\\out.avi", ""), "D:\\out");
  EXPECT_EQ(ReplaceExtension("D:\\v1.2\\out", ".mp4"), "D:\\v1.2\\out.mp4");
  EXPECT_EQ(ReplaceExtension("", ".mp4"), ".mp4");
  EXPECT_EQ(ReplaceExtension(".mp4", ".mkv"), ".mkv");
}

TEST(PathText, FolderKeepsItsTrailingSeparator) {
  EXPECT_EQ(PathFolder("D:\\rec\\a.ts"), "D:\\rec\\");
  EXPECT_EQ(PathFolder("\\\\server\\share\\x"), "\\\\server\\share\\");
  EXPECT_EQ(PathFolder("D:\\a.ts"), "D:\\");
  EXPECT_EQ(PathFolder("a.ts"), "");
}

}  // namespace
}  // namespace trellimux
