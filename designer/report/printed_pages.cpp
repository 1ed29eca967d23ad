#include "designer/report/printed_pages.h"

#include "designer/report/plain_text_solution.h"

#include <cstdio>
#include <exception>

namespace stagora {
namespace {

// A printer measures its paper in whole dots: a sheet of exactly 190 mm can come out a
// fraction of a dot narrower, and must still be enough.
constexpr double kPaperToleranceMm = 0.05;

constexpr double kLeftMm = 10;
constexpr double kLineStepMm = 4;
constexpr const char* kIndent = "    ";

constexpr double kTitleTopMm = 10;
constexpr double kRuleLeftMm = 10;
constexpr double kRuleTopMm = 14.5;
constexpr double kRuleRightMm = 180;
constexpr double kRuleBottomMm = 15.0;
constexpr double kBodyTopMm = 18;
constexpr double kTitleSize = 11;
constexpr double kBodySize = 10;

constexpr double kHeadingTopMm = 200;
constexpr double kTableTopMm = 205;

constexpr const char* kProportional = "Arial";
constexpr const char* kFixedPitch = "Courier New";

void PlainStyle(plat::Surface& s) {
  s.setFontItalic(false);
  s.setFontStrikethru(false);
  s.setFontUnderline(false);
}

void PrintAt(plat::Surface& s, double x, double y, const std::string& text) {
  s.setCurrentX(x);
  s.setCurrentY(y);
  s.print(text);
}

bool Blank(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }

}  // namespace

bool PaperLargeEnough(double scaleWidthMm, double scaleHeightMm) {
  return scaleWidthMm + kPaperToleranceMm >= kMinPrintableWidthMm &&
         scaleHeightMm + kPaperToleranceMm >= kMinPrintableHeightMm;
}

std::vector<std::string> PrintedLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (;;) {
    const std::size_t p = text.find("\r\n", from);
    if (p == std::string::npos) break;
    lines.push_back(text.substr(from, p - from));
    from = p + 2;
    if (Blank(text.substr(from))) break;
  }
  return lines;
}

void ComposePage1(plat::Surface& s, const std::string& title, const std::string& body) {
  PlainStyle(s);
  s.setFontName(kProportional);
  s.setFontSize(kTitleSize);
  s.setFontBold(true);
  PrintAt(s, kLeftMm, kTitleTopMm, title);
  s.line(kRuleLeftMm, kRuleTopMm, kRuleRightMm, kRuleBottomMm, plat::Color{0}, plat::LineShape::FilledBox);

  s.setFontSize(kBodySize);
  s.setFontBold(false);
  std::string indent;
  double y = kBodyTopMm;
  for (const std::string& line : PrintedLines(body)) {
    if (line == kFixedPitchOpen) {
      s.setFontName(kFixedPitch);
      s.setFontBold(true);
      indent = kIndent;
    } else if (line == kFixedPitchClose) {
      s.setFontName(kProportional);
      s.setFontBold(false);
      indent.clear();
    } else {
      PrintAt(s, kLeftMm, y, indent + line);
      y += kLineStepMm;
    }
  }
}

void ComposePage2(plat::Surface& s, const std::string& heading, const std::string& table) {
  PlainStyle(s);
  s.setFontName(kProportional);
  s.setFontSize(kBodySize);
  s.setFontBold(false);
  PrintAt(s, kLeftMm, kHeadingTopMm, heading);

  s.setFontName(kFixedPitch);
  s.setFontSize(kBodySize);
  s.setFontBold(true);
  double y = kTableTopMm;
  for (const std::string& line : PrintedLines(table)) {
    PrintAt(s, kLeftMm, y, kIndent + line);
    y += kLineStepMm;
  }
}

std::vector<int> SheetOrder(long copies, bool collate) {
  const long outer = collate ? copies : 1;
  const long inner = collate ? 1 : copies;
  std::vector<int> sheets;
  for (long a = 0; a < outer; ++a) {
    for (int page = 1; page <= 2; ++page) {
      for (long b = 0; b < inner; ++b) sheets.push_back(page);
    }
  }
  return sheets;
}

void PrintSheet(const std::function<void()>& compose, const std::function<void()>& endSheet) {
  try {
    compose();
  } catch (const std::exception& e) {
    // The rest of the page is lost; what was drawn of it stays on its own sheet.
    std::fprintf(stderr, "A printed page could not be composed completely: %s\n", e.what());
  }
  try {
    endSheet();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "A printed sheet could not be ended: %s\n", e.what());
  }
}

}  // namespace stagora
