#include "common/splash_look.h"

namespace stagora {
namespace {

constexpr int kBlueIndex = 3;
constexpr double kTwipsPerPixelAt96Dpi = 15;
constexpr int kBandsTop = 10;
constexpr int kBottomBandHeight = 50;
constexpr int kFrameHeight = 355;

struct NamedScheme {
  const char* code;
  SplashScheme scheme;
};

constexpr std::array<NamedScheme, 4> kSchemes{{
    {"NAR", {0, plat::Rgb(255, 102, 51), plat::Rgb(250, 216, 182)}},
    {"ROS", {1, plat::Rgb(204, 51, 102), plat::Rgb(250, 197, 215)}},
    {"VER", {2, plat::Rgb(0, 102, 51), plat::Rgb(197, 250, 215)}},
    {"", {kBlueIndex, plat::Rgb(9, 63, 171), plat::Rgb(159, 221, 237)}},
}};

}  // namespace

SplashScheme SchemeOf(const std::string& code) {
  for (const NamedScheme& s : kSchemes) {
    if (code == s.code) return s.scheme;
  }
  return kSchemes[kBlueIndex].scheme;
}

SplashScheme SchemeAt(int pictureIndex) {
  if (pictureIndex < 0 || pictureIndex > kBlueIndex) pictureIndex = kBlueIndex;
  return kSchemes[static_cast<std::size_t>(pictureIndex)].scheme;
}

SplashLanguageTexts LanguageTextsOf(const std::string& languageCode) {
  const std::string site = kMakerSite;
  if (languageCode == "ESP") return {"Versi\xF3n: ", "Referencia: ", site + "/es/"};
  if (languageCode == "CAT") return {"Versi\xF3: ", "Refer\xE8ncia: ", site + "/ca/"};
  if (languageCode == "POB") return {"Vers\xE3o: ", "Refer\xEAncia: ", site + "/pt-br/"};
  if (languageCode == "POP") return {"Vers\xE3o: ", "Refer\xEAncia: ", site + "/pt/"};
  // The French row has always carried the Catalan reference prefix.
  if (languageCode == "FRA") return {"Version: ", "Refer\xE8ncia: ", site + "/fr/"};
  return {"Version: ", "Reference: ", site};
}

std::string VersionCaption(const std::string& prefix, int major, int minor, int revision) {
  return prefix + std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
}

std::array<int, 4> TitleTops(const std::array<std::string, 4>& titles) {
  if (!titles[2].empty() || !titles[3].empty()) return {20, 43, 81, 119};
  return {25, 60, 81, 119};
}

double ScaledFontSize(double base, double twipsPerPixel) { return base * twipsPerPixel / kTwipsPerPixelAt96Dpi; }

SplashBands BandsAround(const SplashRect& u, const SplashRect& d) {
  SplashBands b;
  b.bands[0] = {u.left, kBandsTop, u.width + 1, u.top - kBandsTop + 1};
  b.bands[1] = {u.left, u.top + u.height - 1, u.width + 1, d.top - u.top - u.height + 2};
  b.bands[2] = {u.left, d.top + d.height - 1, u.width + 1, kBottomBandHeight};
  b.frame = {u.left - 1, b.bands[0].top - 1, u.width + 2, kFrameHeight};
  return b;
}

}  // namespace stagora
