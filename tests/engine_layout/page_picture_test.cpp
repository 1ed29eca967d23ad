// The engine sets text a character at a time; the page picture keeps each character's
// advance and glyphs per font, so these check that what it keeps follows the font and lands
// where whole strings land.
#include <gtest/gtest.h>

#include <QImage>

#include "platform/image_surface.h"

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

TEST(PagePicture, TextPrintedACharacterAtATimeLandsWhereTheWholeStringLands) {
  for (const char* name : {"Times New Roman", "Symbol"}) {
    plat::ImageSurface whole(300, 60), single(300, 60);
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
    EXPECT_LT(differing, 12) << name;  // at most where the underline's pieces join
  }
}

}  // namespace
