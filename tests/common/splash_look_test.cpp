#include "common/splash_look.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace stagora {
namespace {

TEST(SplashLook, SchemeCodesAreComparedExactlyAndAnyOtherIsBlue) {
  struct Case {
    std::string code;
    int index;
    plat::Color top, middle;
  };
  const plat::Color blueTop = plat::Rgb(9, 63, 171), blueMiddle = plat::Rgb(159, 221, 237);
  const std::vector<Case> cases = {
      {"NAR", 0, plat::Rgb(255, 102, 51), plat::Rgb(250, 216, 182)},
      {"ROS", 1, plat::Rgb(204, 51, 102), plat::Rgb(250, 197, 215)},
      {"VER", 2, plat::Rgb(0, 102, 51), plat::Rgb(197, 250, 215)},
      {"AZU", 3, blueTop, blueMiddle},
      {"ros", 3, blueTop, blueMiddle},
      {"NAR ", 3, blueTop, blueMiddle},
      {"", 3, blueTop, blueMiddle},
  };
  for (const Case& c : cases) {
    const SplashScheme s = SchemeOf(c.code);
    EXPECT_EQ(s.pictureIndex, c.index) << c.code;
    EXPECT_EQ(s.topBand, c.top) << c.code;
    EXPECT_EQ(s.middleBand, c.middle) << c.code;
    EXPECT_EQ(SchemeAt(c.index).topBand, c.top) << c.code;
  }
}

TEST(SplashLook, TheBuildLanguageChoosesThePrefixesAndAnUnknownOneReadsEnglish) {
  EXPECT_EQ(LanguageTextsOf("ENG").versionPrefix, "Version: ");
  EXPECT_EQ(LanguageTextsOf("ENG").referencePrefix, "Reference: ");
  EXPECT_EQ(LanguageTextsOf("ENG").webTooltip, kMakerSite);
  EXPECT_EQ(LanguageTextsOf("XYZ").referencePrefix, "Reference: ");
  EXPECT_EQ(LanguageTextsOf("ESP").versionPrefix, "Versi\xF3n: ");
  EXPECT_EQ(LanguageTextsOf("FRA").versionPrefix, "Version: ");
  EXPECT_EQ(LanguageTextsOf("FRA").referencePrefix, LanguageTextsOf("CAT").referencePrefix);
  EXPECT_NE(LanguageTextsOf("ESP").webTooltip, LanguageTextsOf("ENG").webTooltip);
}

TEST(SplashLook, VersionShowsEveryPartInPlainDecimals) {
  EXPECT_EQ(VersionCaption("Version: ", 1, 0, 12), "Version: 1.0.12");
  EXPECT_EQ(VersionCaption("Version: ", 2, 3, 0), "Version: 2.3.0");
  EXPECT_EQ(VersionCaption("", 10, 200, 3000), "10.200.3000");
}

TEST(SplashLook, TitlesTakeFourLinesOnlyWhenTheThirdOrFourthHoldsText) {
  using Tops = std::array<int, 4>;
  EXPECT_EQ(TitleTops({"Ovedra", "OVDR", "", ""}), (Tops{25, 60, 81, 119}));
  EXPECT_EQ(TitleTops({"Number of theoretical plates", "Stagora", "method", ""}), (Tops{20, 43, 81, 119}));
  EXPECT_EQ(TitleTops({"a", "b", "", "d"}), (Tops{20, 43, 81, 119}));
}

TEST(SplashLook, FontsKeepTheirPixelSizeAtAnyResolution) {
  EXPECT_DOUBLE_EQ(ScaledFontSize(18, 15), 18);
  EXPECT_DOUBLE_EQ(ScaledFontSize(18, 12), 14.4);
  EXPECT_DOUBLE_EQ(ScaledFontSize(28, 12), 22.4);
  EXPECT_DOUBLE_EQ(ScaledFontSize(11, 12), 8.8);
  EXPECT_DOUBLE_EQ(ScaledFontSize(9, 12), 7.2);
}

TEST(SplashLook, BandsOverlapTheStripsByOnePixel) {
  const SplashBands b = BandsAround({10, 120, 519, 65}, {10, 240, 519, 75});
  EXPECT_EQ(b.bands[0], (SplashRect{10, 10, 520, 111}));
  EXPECT_EQ(b.bands[1], (SplashRect{10, 184, 520, 57}));
  EXPECT_EQ(b.bands[2], (SplashRect{10, 314, 520, 50}));
  EXPECT_EQ(b.frame, (SplashRect{9, 9, 521, 355}));
  // The bands follow the pictures wherever they stand.
  const SplashBands moved = BandsAround({20, 100, 400, 50}, {20, 200, 400, 60});
  EXPECT_EQ(moved.bands[1], (SplashRect{20, 149, 401, 52}));
  EXPECT_EQ(moved.bands[2].top, 259);
}

}  // namespace
}  // namespace stagora
