// A band filled to the left of a line's start over the whole height of the page (a section's
// frame in the viewer) is drawn after the lines above it, which begin at the same margin. These
// check on real pixels that it leaves their first letters whole, wherever the margin falls on
// the pixels.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <string>

#include "platform/image_surface.h"
#include "viewer/engine/htfc_engine.h"

namespace {

constexpr double kPageWidthPx = 796;
constexpr double kMarginTwips = 16 / 25.4 * 1440;
constexpr double kTwipsPerPixel = 15;

// The viewer's frame of a section and of the answer.
const std::string kFrame = "&BC=240;240;240:&FF=REC,-40,0:&BC=Blanco:&FF=REC,-10,0:";
const std::string kAnswerFrame =
    "&BC=240;240;240:&FF=REC,-40,0:&BC=Blanco:&BC=240;240;255:&FF=REC,-10,0:&BC=Blanco:&FF=REC,-9,0:";

// The page at `zoom` on a picture of `ratio` device pixels per pixel, as the viewer draws it.
QImage Page(const std::string& text, double zoom, double ratio) {
  plat::ImageSurface page(static_cast<int>(std::lround(kPageWidthPx * zoom)), static_cast<int>(std::lround(260 * zoom)),
                          ratio);
  page.setScaleMode(plat::ScaleMode::Twips);
  page.cls();
  stagora::engine::EngineState engine;
  stagora::engine::ViewerValues viewer;
  stagora::engine::InitHTFC(engine, viewer);
  viewer.DestinoPantalla = &page;
  viewer.Zoom = zoom;
  double size = 12 * zoom;
  stagora::engine::DibujarHTFC(text, size, page, engine, viewer);
  return page.image().copy();
}

TEST(LeftBand, LeavesTheFirstLettersOfTheLinesAboveItWholeAtEveryZoom) {
  // Lines of a worked solution whose capitals start right at the margin, then the next
  // section with its frame; the same page without frames is the letters as they are.
  const std::string lines =
      "&+BNumber of Theoretical Plates&-B&LFDistillation of the feed&LFMole fractions&LF"
      "Parameter of thermal state&LF&+Iq&-I-Line: &+Iy&-I&LF";
  const std::string next = "Reflux ratio&LF";
  // 0.49 is 50 % a step smaller, as the viewer sets a page that does not fit at 50 %; 0.83
  // and 1.17 stand for fitting the window's width.
  for (double ratio : {1.0, 2.0}) {
    for (double zoom : {0.49, 0.5, 0.75, 0.83, 1.0, 1.17, 1.5, 2.0}) {
      for (const std::string* frame : {&kFrame, &kAnswerFrame}) {
        SCOPED_TRACE(testing::Message() << "zoom " << zoom << ", ratio " << ratio << ", "
                                        << (frame == &kFrame ? "section" : "answer"));
        const QImage framed = Page(kFrame + lines + *frame + next, zoom, ratio);
        const QImage letters = Page(lines + next, zoom, ratio);
        // From the pixel column the margin falls in on, the frames add nothing.
        const int from = static_cast<int>(std::floor(kMarginTwips * zoom / kTwipsPerPixel) * ratio);
        int cut = 0, ink = 0;
        for (int y = 0; y < framed.height(); ++y) {
          for (int x = from; x < from + static_cast<int>(20 * ratio); ++x) {
            cut += framed.pixel(x, y) != letters.pixel(x, y);
            ink += qGray(letters.pixel(x, y)) < 128;
          }
        }
        EXPECT_GT(ink, 0);  // the strip holds the first letters
        EXPECT_EQ(cut, 0);
        // The frame is still there, beside the margin.
        const double whiteBand = 10 * zoom / 25.4 * 1440 / kTwipsPerPixel;
        EXPECT_EQ(framed.pixel(static_cast<int>((std::floor(kMarginTwips * zoom / kTwipsPerPixel) - whiteBand - 3) * ratio), 1),
                  qRgb(240, 240, 240));
      }
    }
  }
}

}  // namespace
