#include <gtest/gtest.h>

#include "app/ControlIds.h"
#include "app/Pages.h"

namespace trellimux {
namespace {

TEST(PagesTest, ButtonsLampsAndTitlesBelongToTheirPage) {
  EXPECT_EQ(PageOfButton(kTrimButton), Page::Trim);
  EXPECT_EQ(PageOfButton(kInformationButton), Page::Information);
  EXPECT_EQ(PageOfButton(kTrimLamp), std::nullopt);  // lamps do nothing
  EXPECT_EQ(PageOfButton(kStartButton), std::nullopt);
  EXPECT_EQ(PageLampId(Page::Convert), kConvertLamp);
  EXPECT_EQ(PageTitle(Page::Trim), " Trim File - Define multiple cuts and generate new file ");
  EXPECT_EQ(PageTitle(Page::Concat),
            " Concat Files - With exact the same properties ( A/V-Codecs, Resolution, Aspect "
            "Ratio, FPS ... ) ");
}

TEST(PagesTest, TrimShowsItsParameterTableOnlyForReencodeInExpertMode) {
  EXPECT_TRUE(TrimShowsParameterTable(true, 1));
  EXPECT_FALSE(TrimShowsParameterTable(false, 1));
  EXPECT_FALSE(TrimShowsParameterTable(true, 2));
  EXPECT_FALSE(TrimShowsParameterTable(true, 0));
  EXPECT_FALSE(TrimShowsParameterTable(true, std::nullopt));
}

}  // namespace
}  // namespace trellimux
