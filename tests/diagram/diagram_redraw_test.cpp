// A picture redrawn again and again, as a drag redraws it, shows pixel for pixel what a
// picture drawn once shows: the kept background, the batched lines and the cached texts are
// only faster ways to the same pixels.
#include <gtest/gtest.h>

#include <QImage>
#include <QRegion>
#include <QSize>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "designer/calculation/design_calculation.h"
#include "designer/calculation/result_tables.h"
#include "designer/diagram/diagram.h"
#include "platform/image_surface.h"

namespace stagora {
namespace {

DiagramTexts Texts() {
  DiagramTexts t;
  t.Enrich_op_line = "Enriching line";
  t.Exhaus_op_line = "Stripping line";
  t.q_line = "q-line";
  t.RotuloEjeX = "x, mole fraction in the liquid";
  t.RotuloEjeY = "y, mole fraction in the vapour";
  return t;
}

void Prepare(plat::ImageSurface& s) {
  s.setFontName("Arial");
  s.setFontSize(9);
}

QImage Draw(plat::ImageSurface& s, const DesignData& d, const std::string& symbol = ".",
            DiagramTarget target = DiagramTarget::kScreen) {
  const DesignResult r = CalculateDesign(d, false, nullptr, symbol);
  s.cls();
  DrawDiagram(s, target, r, EquilibriumModel::Volatility(r.data.alpha), Texts());
  return s.image().copy();
}

int DifferingPixels(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return -1;
  if (a == b) return 0;
  int n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
  return n;
}

TEST(DiagramRedraw, EveryRedrawEqualsTheSameDiagramDrawnOnAFreshPicture) {
  // A drag's sequence: designs accepted and refused, the decimal symbol switched between
  // them, so the kept background must follow the symbol too.
  struct Step {
    DesignData data;
    const char* symbol;
  };
  const std::vector<Step> steps = {
      {{2, 0.5, 0.46, 0.85, 0.17, 3, 1}, "."},    {{2.4, 0.5, 0.46, 0.85, 0.17, 3, 1}, "."},
      {{2.4, 1, 0.46, 0.85, 0.17, 3, 1}, ","},    {{2.4, 1, 0.46, 1.2, 0.17, 3, 1}, ","},
      {{2.4, 1, 0.46, 0.85, 0.17, 0.4, 1}, "."},  {{7, -0.5, 0.3, 0.95, 0.05, 1.5, 0.6}, "."},
  };
  for (const double ratio : {1.0, 2.0}) {
    plat::ImageSurface redrawn(442, 604, ratio);
    Prepare(redrawn);
    for (const Step& step : steps) {
      plat::ImageSurface fresh(442, 604, ratio);
      Prepare(fresh);
      EXPECT_EQ(DifferingPixels(Draw(redrawn, step.data, step.symbol), Draw(fresh, step.data, step.symbol)), 0)
          << "ratio " << ratio << ", alpha " << step.data.alpha << ", q " << step.data.q;
    }
    // A new size starts the background again.
    redrawn.resize(301, 287);
    plat::ImageSurface fresh(301, 287, ratio);
    Prepare(fresh);
    EXPECT_EQ(DifferingPixels(Draw(redrawn, steps[0].data), Draw(fresh, steps[0].data)), 0);
  }
}

TEST(DiagramRedraw, WhatChangedBetweenTwoRedrawsLiesInTheRegionToRepaint) {
  const std::vector<DesignData> designs = {
      {2, 0.5, 0.46, 0.85, 0.17, 3, 1},  {2.6, 0.5, 0.46, 0.85, 0.17, 3, 1}, {2.6, 1.4, 0.5, 0.9, 0.1, 3, 1},
      {2.6, 1.4, 0.5, 1.3, 0.1, 3, 1},   {9, -0.3, 0.3, 0.97, 0.02, 1, 1},   {1.2, 0.5, 0.46, 0.85, 0.17, 30, 1},
  };
  for (const double ratio : {1.0, 2.0}) {
    plat::ImageSurface s(442, 604, ratio);
    Prepare(s);
    QImage before = Draw(s, designs[0]);
    EXPECT_EQ(s.takeChanged(), QRegion(0, 0, 442, 604));  // the first picture is all new
    for (std::size_t i = 1; i < designs.size(); ++i) {
      const QImage after = Draw(s, designs[i]);
      const QRegion repaint = s.takeChanged();
      int outside = 0;
      for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
          if (after.pixel(x, y) != before.pixel(x, y) && !repaint.contains(QPoint(static_cast<int>(x / ratio), static_cast<int>(y / ratio)))) ++outside;
      EXPECT_EQ(outside, 0) << "design " << i << ", ratio " << ratio;
      // And the region is a part of the picture, not all of it.
      long area = 0;
      for (const QRect& r : repaint) area += static_cast<long>(r.width()) * r.height();
      EXPECT_LT(area, 442L * 604 * 3 / 4) << "design " << i;
      before = after;
    }
    EXPECT_TRUE(s.takeChanged().isEmpty());  // nothing drawn since
  }
}

TEST(DiagramRedraw, AQPointDragPutsTheMarksAndTheCurveBackAndRepaintsWithoutThem) {
  // q and R change on every move while the curve and the marks stay; then the volatility
  // changes, one point moves, and the q point goes on.
  const std::vector<DesignData> designs = {
      {2, 0.5, 0.46, 0.85, 0.17, 3, 1},    {2, 0.55, 0.46, 0.85, 0.17, 2.8, 1}, {2, 0.6, 0.46, 0.85, 0.17, 2.6, 1},
      {2, 0.65, 0.46, 0.85, 0.17, 2.5, 1}, {2, 0.7, 0.46, 0.85, 0.17, 2.4, 1},  {2.2, 0.7, 0.46, 0.85, 0.17, 2.4, 1},
      {2.2, 0.7, 0.46, 0.85, 0.17, 2.6, 1}, {2.2, 0.7, 0.46, 0.8, 0.17, 2.6, 1}, {2.2, 0.75, 0.46, 0.8, 0.17, 2.6, 1},
      {2.2, 0.8, 0.46, 0.8, 0.17, 2.6, 1},  {2.2, 0.8, 0.46, 0.8, 0.17, 2.7, 1}, {2, 0.5, 0.46, 0.85, 0.17, 3, 1},
  };
  // A place on the curve near the top right corner, away from the lines, legends and captions.
  const auto onCurve = [](double alpha) {
    const double x = 0.95, y = alpha * x / (1 + (alpha - 1) * x);
    return QPoint(static_cast<int>(25 + x * 392), static_cast<int>(579 - y * 554));
  };
  for (const double ratio : {1.0, 2.0}) {
    plat::ImageSurface redrawn(442, 604, ratio);
    Prepare(redrawn);
    QImage before;
    for (std::size_t i = 0; i < designs.size(); ++i) {
      plat::ImageSurface fresh(442, 604, ratio);
      Prepare(fresh);
      const QImage after = Draw(redrawn, designs[i]);
      EXPECT_EQ(DifferingPixels(after, Draw(fresh, designs[i])), 0) << "design " << i << ", ratio " << ratio;
      const QRegion repaint = redrawn.takeChanged();
      if (i > 0) {
        int outside = 0;
        for (int y = 0; y < after.height(); ++y)
          for (int x = 0; x < after.width(); ++x)
            if (after.pixel(x, y) != before.pixel(x, y) &&
                !repaint.contains(QPoint(static_cast<int>(x / ratio), static_cast<int>(y / ratio))))
              ++outside;
        EXPECT_EQ(outside, 0) << "design " << i << ", ratio " << ratio;
      }
      // From the third move with the same curve and marks on, they are put back with the
      // background, and the repaint leaves them alone; a new curve is repainted.
      const bool sameCurveSince2 = i >= 2 && designs[i].alpha == designs[i - 1].alpha &&
                                   designs[i].alpha == designs[i - 2].alpha && designs[i].xD == designs[i - 1].xD &&
                                   designs[i].xD == designs[i - 2].xD;
      if (sameCurveSince2) {
        EXPECT_FALSE(repaint.contains(onCurve(designs[i].alpha))) << "design " << i << ", ratio " << ratio;
      } else if (i > 0 && designs[i].alpha != designs[i - 1].alpha) {
        EXPECT_TRUE(repaint.contains(onCurve(designs[i].alpha))) << "design " << i << ", ratio " << ratio;
      }
      before = after;
    }
  }
}

// What a widget showing the picture shows: after each run it repaints only the region the
// picture says changed, reading the picture as the window's paint does, so a change the
// picture keeps to itself stays off the screen.
class ShownPicture {
 public:
  const QImage& repaint(plat::ImageSurface& s) {
    const QRegion region = s.takeChanged();
    const QImage& now = s.image();
    if (shown_.size() != now.size()) {
      shown_ = QImage(now.size(), now.format());
      shown_.fill(qRgb(255, 0, 255));  // what no drawing leaves
    }
    const double ratio = now.devicePixelRatio();
    for (const QRect& r : region) {
      const QRect source = QRect(QPoint(static_cast<int>(std::floor(r.left() * ratio)),
                                        static_cast<int>(std::floor(r.top() * ratio))),
                                 QPoint(static_cast<int>(std::ceil((r.right() + 1) * ratio)) - 1,
                                        static_cast<int>(std::ceil((r.bottom() + 1) * ratio)) - 1))
                               .intersected(now.rect());
      const int bytes = now.depth() / 8;
      for (int y = source.top(); y <= source.bottom(); ++y) {
        std::memcpy(shown_.scanLine(y) + source.left() * bytes, now.constScanLine(y) + source.left() * bytes,
                    static_cast<std::size_t>(source.width() * bytes));
      }
    }
    return shown_;
  }

 private:
  QImage shown_;
};

// One run as the main window's recalculation makes it: the fields read as typed, the
// diagram drawn on the cleared picture as far as the calculation got. The picture is not read
// here: the window hands over what changed before it is painted.
void DrawFields(plat::ImageSurface& s, const DesignFields& fields, bool UsarTabla, const EquilibriumLookup* lookup,
                  DiagramTarget target, std::string_view expectedKey) {
  DesignInput input;
  input.fields = fields;
  input.UsarTabla = UsarTabla;
  input.lookup = lookup;
  const DesignResult r = CalculateDesign(input);
  EXPECT_EQ(r.errorKey, expectedKey) << "R " << fields.Text6 << ", q " << fields.Text2;
  EXPECT_EQ(r.ok(), expectedKey.empty());
  s.cls();
  DrawDiagram(s, target, r, EquilibriumModelOf(r, lookup), Texts());
}

TEST(DiagramRedraw, EveryRefusedDesignShowsWhatAFreshDrawingOfItShows) {
  // A valid design, then each refusal that can follow it, each made twice in a row (a drag
  // that stays refused), each followed by the way back to the valid design.
  struct Step {
    const char* what;
    DesignFields fields;  // alpha, q, zF, xD, xB, R, E
    bool table;
    std::string_view key;
  };
  const DesignFields opening{"2", "0.5", "0.46", "0.85", "0.17", "3", "1"};
  const DesignFields volatile9{"9", "0", "0.83", "0.9", "0.015", "13", "1"};
  const std::vector<Step> refusals = {
      {"R below Rmin", {"2", "0.5", "0.46", "0.85", "0.17", "0.5", "1"}, false, calc_key::kRefluxRatioBelowMin},
      {"xB above zF", {"2", "0.5", "0.46", "0.85", "0.6", "3", "1"}, false, calc_key::kXbottGtXfeed},
      {"an empty field", {"2", "0.5", "0.46", "0.85", "0.17", "3", ""}, false, calc_key::kOverallEfficOutRange},
      {"a table that does not rise", opening, true, calc_key::kMinRefluxRatioNegative},
  };
  const EquilibriumLookup flat;  // a table never built: every y is 0
  for (const DiagramTarget target : {DiagramTarget::kScreen, DiagramTarget::kReport}) {
    for (const double ratio : {1.0, 2.0}) {
      plat::ImageSurface redrawn(442, 604, ratio);
      Prepare(redrawn);
      ShownPicture screen;
      const auto check = [&](const char* what, const DesignFields& fields, bool table, std::string_view key) {
        SCOPED_TRACE(std::string(what) + ", ratio " + std::to_string(ratio) +
                     (target == DiagramTarget::kScreen ? ", screen" : ", report"));
        DrawFields(redrawn, fields, table, &flat, target, key);
        plat::ImageSurface fresh(442, 604, ratio);
        Prepare(fresh);
        DrawFields(fresh, fields, table, &flat, target, key);
        const QImage expected = fresh.image().copy();
        EXPECT_EQ(DifferingPixels(screen.repaint(redrawn), expected), 0);
        EXPECT_EQ(DifferingPixels(redrawn.image(), expected), 0);
      };
      // Three valid runs first, so that every kept layer is in place.
      for (int i = 0; i < 3; ++i) check("opening design", opening, false, "");
      for (const Step& step : refusals) {
        check(step.what, step.fields, step.table, step.key);
        check(step.what, step.fields, step.table, step.key);
        check("back to the opening design", opening, false, "");
        check("back to the opening design", opening, false, "");
      }
      // The q point dragged until the minimum reflux goes negative, and back.
      for (int i = 0; i < 3; ++i) check("saturated vapour feed", volatile9, false, "");
      DesignFields liquid = volatile9;
      liquid.Text2 = "1";
      check("saturated liquid feed", liquid, false, calc_key::kMinRefluxRatioNegative);
      check("saturated liquid feed", liquid, false, calc_key::kMinRefluxRatioNegative);
      check("back to saturated vapour", volatile9, false, "");
    }
  }
}

TEST(DiagramRedraw, KeptTextPlacesGiveThePixelsOfAFreshDrawingWhateverTheyHold) {
  // One set of kept places through all a window's picture meets: designs accepted and refused
  // at each phase, other texts, a font, a size and a pixel ratio changed in turn, and each
  // change undone, so that places kept for one picture would show on the next if they were
  // taken for it.
  const DesignFields opening{"2", "0.5", "0.46", "0.85", "0.17", "3", "1"};
  struct Design {
    const char* what;
    DesignFields fields;
  };
  const std::vector<Design> designs = {
      {"opening design", opening},
      {"R below Rmin", {"2", "0.5", "0.46", "0.85", "0.17", "0.5", "1"}},
      {"xB above zF", {"2", "0.5", "0.46", "0.85", "0.6", "3", "1"}},
      {"an empty field", {"2", "0.5", "0.46", "0.85", "0.17", "3", ""}},
      {"xD above 1, no mark for it", {"2", "0.5", "0.46", "1.2", "0.17", "3", "1"}},
      {"minimum reflux negative", {"9", "1", "0.83", "0.9", "0.015", "13", "1"}},
      {"q point moved", {"2", "0.8", "0.46", "0.85", "0.17", "2.2", "1"}},
      {"opening design again", opening},
  };
  DiagramTexts wrapping = Texts();
  wrapping.RotuloEjeX = "x, mole fraction of the more volatile component in the liquid";
  wrapping.RotuloEjeY = "y, mole fraction of the more volatile component in the vapour";
  wrapping.Enrich_op_line = "Enriching section operating line";
  struct Look {
    const char* what;
    int width, height;
    double ratio;
    double fontSize;
    bool bold;
    const DiagramTexts* texts;
  };
  const DiagramTexts plain = Texts();
  const std::vector<Look> looks = {
      {"designed picture", 442, 604, 1, 9, false, &plain},
      {"captions that wrap", 442, 604, 1, 9, false, &wrapping},
      {"designed picture", 442, 604, 1, 9, false, &plain},
      {"narrow picture", 240, 604, 1, 9, false, &plain},
      {"short picture", 442, 300, 1, 9, false, &plain},
      {"larger font", 442, 604, 1, 12, false, &plain},
      {"bold font", 442, 604, 1, 9, true, &plain},
      {"dense screen", 442, 604, 2, 9, false, &plain},
      {"dense narrow picture, captions that wrap", 240, 604, 2, 9, false, &wrapping},
      {"designed picture", 442, 604, 1, 9, false, &plain},
  };
  const auto draw = [](plat::ImageSurface& s, const Look& look, const DesignFields& fields, DiagramTextPlaces* kept) {
    s.setFontName("Arial");
    s.setFontSize(look.fontSize);
    s.setFontBold(look.bold);
    DesignInput input;
    input.fields = fields;
    const DesignResult r = CalculateDesign(input);
    s.cls();
    const PointLabelPlaces labels = DrawDiagram(s, DiagramTarget::kScreen, r, EquilibriumModelOf(r, nullptr),
                                                *look.texts, false, kept);
    return std::pair{s.image().copy(), labels};
  };
  DiagramTextPlaces kept;
  plat::ImageSurface redrawn1(442, 604, 1), redrawn2(442, 604, 2);
  for (const Look& look : looks) {
    plat::ImageSurface& redrawn = look.ratio == 1 ? redrawn1 : redrawn2;
    if (redrawn.image().size() != QSize(look.width, look.height) * look.ratio) redrawn.resize(look.width, look.height);
    for (const Design& design : designs) {
      SCOPED_TRACE(std::string(look.what) + ", " + design.what);
      plat::ImageSurface fresh(look.width, look.height, look.ratio);
      const auto [expected, expectedLabels] = draw(fresh, look, design.fields, nullptr);
      const auto [image, labels] = draw(redrawn, look, design.fields, &kept);
      EXPECT_EQ(DifferingPixels(image, expected), 0);
      EXPECT_EQ(labels.centre, expectedLabels.centre);
      EXPECT_EQ(labels.show, expectedLabels.show);
    }
  }
}

TEST(KeptLayer, AHigherLayerIsKeptOnItsSecondOfferAndDroppedWithTheLayerBelow) {
  plat::ImageSurface s(64, 48);
  const auto drawBase = [&s](plat::Color c) {
    s.cls();
    if (!s.restoreLayer("base", 0)) {
      s.line(0, 0, 63, 47, c);
      s.keepLayer("base", 0);
    }
  };
  const auto drawMiddle = [&s](const char* key, plat::Color c) {
    if (s.restoreLayer(key, 1)) return true;
    s.line(0, 47, 63, 0, c);
    s.keepLayer(key, 1);
    return false;
  };
  const plat::Color red = plat::Rgb(255, 0, 0), blue = plat::Rgb(0, 0, 255), green = plat::Rgb(0, 160, 0);
  drawBase(red);
  EXPECT_FALSE(drawMiddle("blue", blue));  // offered once: not kept
  const QImage middle = s.image().copy();
  drawBase(red);
  EXPECT_FALSE(drawMiddle("blue", blue));  // offered again: kept now
  s.line(10, 40, 60, 40, green);
  drawBase(red);
  EXPECT_TRUE(drawMiddle("blue", blue));
  EXPECT_EQ(s.image(), middle);
  // Back to the layer below: what the higher one drew goes too.
  s.line(10, 5, 60, 5, green);
  drawBase(red);
  s.line(5, 5, 5, 40, green);
  const QImage below = s.image().copy();
  plat::ImageSurface fresh(64, 48);
  fresh.cls();
  fresh.line(0, 0, 63, 47, red);
  fresh.line(5, 5, 5, 40, green);
  EXPECT_EQ(below, fresh.image());
  // Keeping the lowest layer again drops the one above.
  s.cls();
  s.line(0, 0, 63, 47, red);
  s.keepLayer("base", 0);
  EXPECT_FALSE(s.restoreLayer("blue", 1));
}

// A picture that puts a red mark into the next background it keeps, so that a background put
// back where it does not belong shows.
class MarkingSurface : public plat::ImageSurface {
 public:
  using ImageSurface::ImageSurface;
  bool markNextLayer = false;
  static constexpr int kMark = 6;  // the mark's centre, in the picture's corner

 protected:
  void devKeepLayer(std::string_view key, int level) override {
    if (markNextLayer && level == 0) {
      for (int d = -2; d <= 2; ++d) line(kMark - 3, kMark + d, kMark + 3, kMark + d, plat::Rgb(255, 0, 0));
      markNextLayer = false;
    }
    ImageSurface::devKeepLayer(key, level);
  }
};

TEST(DiagramRedraw, TheReportPictureKeepsItsOwnBackground) {
  // The window's picture and the report picture are drawn on one surface; their backgrounds
  // look alike today, so the screen's kept background carries a mark: a report drawn over
  // that background would show it.
  MarkingSurface s(442, 604);
  Prepare(s);
  plat::ImageSurface fresh(442, 604);
  Prepare(fresh);
  const DesignData d{2, 0.5, 0.46, 0.85, 0.17, 3, 1};
  const QRgb red = qRgb(255, 0, 0);
  s.markNextLayer = true;
  EXPECT_EQ(Draw(s, d).pixel(MarkingSurface::kMark, MarkingSurface::kMark), red);
  EXPECT_EQ(Draw(s, d).pixel(MarkingSurface::kMark, MarkingSurface::kMark), red);  // put back with its mark
  const QImage report = Draw(s, d, ".", DiagramTarget::kReport);
  EXPECT_NE(report.pixel(MarkingSurface::kMark, MarkingSurface::kMark), red);
  EXPECT_EQ(DifferingPixels(report, Draw(fresh, d, ".", DiagramTarget::kReport)), 0);
}

TEST(KeptLayer, IsPutBackOnlyUnderItsOwnKeyAndSize) {
  plat::ImageSurface s(40, 30);
  s.cls();
  EXPECT_TRUE(s.blank());
  s.line(0, 0, 39, 29, plat::Rgb(255, 0, 0));
  EXPECT_FALSE(s.blank());
  s.keepLayer("red");
  const QImage kept = s.image().copy();
  s.cls();
  s.line(0, 29, 39, 0, plat::Rgb(0, 0, 255));
  EXPECT_FALSE(s.restoreLayer("blue"));
  EXPECT_TRUE(s.restoreLayer("red"));
  EXPECT_EQ(s.image(), kept);
  // A picture shared with its reader before the layer is put back keeps what it showed.
  const QImage shown = s.image();
  s.line(0, 15, 39, 15, plat::Rgb(0, 255, 0));
  EXPECT_EQ(shown, kept);
  s.resize(41, 30);
  EXPECT_FALSE(s.restoreLayer("red"));
  // A cleared picture that nothing was drawn on reads as cleared.
  s.setBackColor(plat::Rgb(10, 20, 30));
  s.cls();
  EXPECT_EQ(s.image().pixel(5, 5), qRgb(10, 20, 30));
}

TEST(LineBatch, DrawsWhatTheSameLinesOneByOneDraw) {
  // Slanted, level, upright and zero-length pieces mixed, on thin and thick pens.
  const std::vector<plat::Segment> segments = {{3, 3, 40, 17},  {40, 17, 40, 30}, {40, 30, 70, 30}, {70, 30, 71, 60},
                                               {71, 60, 71, 60}, {71, 60, 20, 44}, {20, 44, 21, 45}, {21, 45, 90, 2}};
  for (const double ratio : {1.0, 2.0, 1.5}) {
    for (const int pen : {1, 2, 3}) {
      plat::ImageSurface one(100, 64, ratio), batch(100, 64, ratio);
      for (plat::ImageSurface* s : {&one, &batch}) {
        s->cls();
        s->setDrawWidth(pen);
      }
      for (const plat::Segment& g : segments) one.line(g.x1, g.y1, g.x2, g.y2, plat::Rgb(96, 96, 96));
      batch.lines(segments, plat::Rgb(96, 96, 96));
      EXPECT_EQ(DifferingPixels(one.image(), batch.image()), 0) << "ratio " << ratio << ", pen " << pen;
      EXPECT_EQ(batch.currentX(), 90);
      EXPECT_EQ(batch.currentY(), 2);
    }
  }
}

}  // namespace
}  // namespace stagora
