// The engine sets text a character at a time; the page picture keeps each character's
// advance and glyphs per font, so these check that what it keeps follows the font and lands
// where whole strings land.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <map>

#include "platform/image_surface.h"
#include "platform/textfile.h"
#include "tests/support/test_support.h"
#include "viewer/engine/htfc_engine.h"

namespace {

TEST(PagePicture, CharacterWidthsFollowEveryChangeOfFont) {
  plat::ImageSurface page(200, 100);
  page.setScaleMode(plat::ScaleMode::Twips);
  const double regular = page.textWidth("m");
  page.setFontBold(true);
  const double bold = page.textWidth("m");
  page.setFontSize(24);
  const double large = page.textWidth("m");
  page.setFontName("Courier New");
  const double mono = page.textWidth("m");
  page.setFont(plat::FontSpec{});
  EXPECT_DOUBLE_EQ(page.textWidth("m"), regular);
  EXPECT_GT(bold, regular);
  EXPECT_NEAR(large, 2 * bold, 0.05 * large);
  EXPECT_NE(mono, large);
  EXPECT_DOUBLE_EQ(page.textWidth("mm"), page.textWidth("m") + page.textWidth("m"));
}

// Also on a dense screen, where the lines of underlined text must stay under their letters.
TEST(PagePicture, TextPrintedACharacterAtATimeLandsWhereTheWholeStringLands) {
  for (double ratio : {1.0, 2.0}) {
    for (const char* name : {"Times New Roman", "Symbol"}) {
      plat::ImageSurface whole(300, 60, ratio), single(300, 60, ratio);
      for (plat::ImageSurface* s : {&whole, &single}) {
        s->cls();
        s->setFontName(name);
        s->setFontSize(20);
        s->setFontUnderline(true);
        s->setCurrentX(10.25);
        s->setCurrentY(5.5);
      }
      const std::string text = "HHaHS\xDE";  // with a Symbol font character drawn from a fallback
      whole.print(text);
      for (char c : text) single.print(std::string(1, c));
      EXPECT_DOUBLE_EQ(single.currentX(), whole.currentX()) << name;
      const QImage a = whole.image(), b = single.image();
      int differing = 0;
      for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) differing += a.pixel(x, y) != b.pixel(x, y);
      }
      EXPECT_LT(differing, 12 * ratio * ratio) << name << " at ratio " << ratio;  // where the underline's pieces join
    }
  }
}

// What a page picture keeps between drawings (fonts, their measures, laid-out glyphs) only
// saves work: every fixture document, drawn again and again on one page picture, on the same
// ground and on one that differs under parts of it, gives exactly the pixels of drawing it on
// a fresh page.
TEST(PagePicture, EveryDocumentRedrawnGivesThePixelsOfAFreshPage) {
  namespace fs = std::filesystem;
  constexpr int kWidth = 796, kHeight = 1125;
  const auto drawOn = [](plat::ImageSurface& page, const std::string& text, int ground) {
    stagora::engine::EngineState engine;
    stagora::engine::ViewerValues viewer;
    stagora::engine::InitHTFC(engine, viewer);
    viewer.DestinoPantalla = &page;
    // What a document sets on the picture is not left to the next drawing of it.
    page.setScaleMode(plat::ScaleMode::Pixels);
    page.setFont(plat::FontSpec{});
    page.setForeColor(0);
    page.setBackColor(plat::Rgb(255, 255, 255));
    page.setFillColor(0);
    page.setFillStyle(plat::kFillTransparent);
    page.setDrawWidth(1);
    page.cls();
    if (ground == 1) {
      for (int k = 0; k < 12; ++k) page.line(k * 70 + 5, 0, k * 53 + 90, kHeight, plat::Rgb(220, 150, 40 + k * 15));
    }
    double size = 12;
    stagora::engine::DibujarHTFC(text, size, page, engine, viewer);
    return page.image().copy();
  };
  int documents = 0;
  for (const char* folder : {"markup_formulas", "markup_layout"}) {
    for (const auto& entry : fs::directory_iterator(fs::path(stagora::test::SourceDir()) / "tests" / "fixtures" / folder)) {
      if (entry.path().extension() != ".htfc") continue;
      const std::string text = plat::ReadTextFile(entry.path().string()).value_or("");
      ++documents;
      for (double ratio : {1.0, 2.0}) {
        std::map<int, QImage> fresh;  // the page drawn on a fresh picture, by ground
        plat::ImageSurface kept(kWidth, kHeight, ratio);
        int drawing = 0;
        for (int ground : {0, 0, 0, 1, 1}) {
          SCOPED_TRACE(testing::Message() << entry.path() << " at ratio " << ratio << ", drawing " << ++drawing);
          if (!fresh.count(ground)) {
            plat::ImageSurface page(kWidth, kHeight, ratio);
            fresh[ground] = drawOn(page, text, ground);
          }
          EXPECT_TRUE(drawOn(kept, text, ground) == fresh[ground]);
        }
      }
    }
  }
  EXPECT_GE(documents, 15);
}

}  // namespace
