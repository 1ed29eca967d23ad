// What the splash and About window of either program shows, and where: the program's own
// constants, the colour schemes, the texts chosen by the build's language, the title layout,
// the font sizes and the bands, all as plain values so that each rule reads without a window.
// Texts are Windows-1252.
#pragma once

#include <array>
#include <string>

#include "platform/surface.h"

namespace stagora {

// The maker, as the About box names it.
inline constexpr const char* kMakerSite = "www.norvath.example";
inline constexpr const char* kMakerContact = "info@norvath.example";
inline constexpr const char* kMakerLine = "\xA9 Norvath. All rights reserved.";

inline constexpr int kSplashWidth = 541;
inline constexpr int kSplashHeight = 377;
inline constexpr int kSplashCloseAfterMs = 1500;
inline constexpr int kSplashLogoWidth = 158;
inline constexpr int kSplashLogoHeight = 58;
inline constexpr int kSplashStripWidth = 519;
inline constexpr int kSplashUpperStripHeight = 65;
inline constexpr int kSplashLowerStripHeight = 75;

// One program's splash: its titles, reference, colours and language, its version, and what
// the two links of the About box do.
struct SplashConstants {
  std::array<std::string, 4> titles;  // title lines 0 to 3
  std::string reference;              // shown behind the reference prefix
  std::string schemeCode;             // "NAR", "ROS", "VER"; anything else is blue
  std::string languageCode;           // the build's language, "ENG"
  int versionMajor = 0;
  int versionMinor = 0;
  int versionRevision = 0;
  std::string homePage;      // what the web label opens
  std::string noConnect;     // first line of the message when it cannot be opened
  std::string noMailClient;  // the message when no e-mail program starts
};

struct SplashScheme {
  int pictureIndex = 3;  // which pair of strip pictures
  plat::Color topBand = 0;
  plat::Color middleBand = 0;
};
inline constexpr plat::Color kSplashBottomBand = plat::Rgb(229, 229, 229);
inline constexpr plat::Color kSplashBackColor = plat::Rgb(192, 192, 192);

// The scheme a code names, compared exactly; an unknown code (a lower-case one included)
// gives the blue scheme.
SplashScheme SchemeOf(const std::string& code);
// The scheme of a picture index 0 to 3 (the strip pictures are drawn in its colours).
SplashScheme SchemeAt(int pictureIndex);

struct SplashLanguageTexts {
  std::string versionPrefix;
  std::string referencePrefix;
  std::string webTooltip;  // the maker's home page in that language
};
SplashLanguageTexts LanguageTextsOf(const std::string& languageCode);

// prefix & "major.minor.revision", plain decimals ("Version: 1.0.12", "Version: 2.3.0").
std::string VersionCaption(const std::string& prefix, int major, int minor, int revision);

// Tops of the four title labels: 20, 43, 81, 119 when line 2 or 3 holds text; otherwise
// 25 and 60 for the first two, the empty two staying where they were designed.
std::array<int, 4> TitleTops(const std::array<std::string, 4>& titles);

// A nominal font size scaled so that text keeps its size in pixels: base x twips per pixel
// / 15 points.
double ScaledFontSize(double base, double twipsPerPixel);

struct SplashRect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const SplashRect&) const = default;
};

// The three bands and the frame around them, laid against the two strip pictures as they
// stand (each band overlaps its neighbouring picture by one pixel).
struct SplashBands {
  std::array<SplashRect, 3> bands;  // top, middle, bottom
  SplashRect frame;
};
SplashBands BandsAround(const SplashRect& upperStrip, const SplashRect& lowerStrip);

}  // namespace stagora
