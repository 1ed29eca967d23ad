// The diagram as drawing operations: what each phase puts on a surface, where, and in which
// colour, on the screen and report pictures and on paper.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "designer/calculation/design_calculation.h"
#include "designer/diagram/diagram.h"
#include "designer/diagram/plot_frame.h"
#include "platform/encoding.h"
#include "platform/recording_surface.h"
#include "tests/diagram/diagram_colours.h"

namespace stagora {
namespace {

using plat::Color;
using plat::RecordedOp;
using plat::Rgb;

using namespace diagram_colours;

// The printer as the PDF printer draws: 1200 dots per inch, the scale in millimetres.
constexpr double kPrinterTwipsPerPixel = 1440.0 / 1200;
constexpr double kMmPerPrinterPixel = 25.4 / 1200;

DesignData DefaultData() { return DesignData{2, 0.5, 0.46, 0.85, 0.17, 3, 1}; }

DesignResult Calculate(const DesignData& d) { return CalculateDesign(d, false, nullptr); }

DiagramTexts Texts() {
  DiagramTexts t;
  t.Enrich_op_line = "Enriching line";
  t.Exhaus_op_line = "Stripping line";
  t.q_line = "q-line";
  t.RotuloEjeX = "x caption";
  t.RotuloEjeY = "y caption";
  return t;
}

struct Drawn {
  std::vector<RecordedOp> ops;
  PointLabelPlaces labels;
};

Drawn Draw(DiagramTarget target, const DesignResult& r, bool bn = false, const DiagramTexts& texts = Texts(),
         double width = 442, double height = 604) {
  const bool printer = target == DiagramTarget::kPrinter;
  plat::RecordingSurface s(printer ? 9921 : width, printer ? 14031 : height,
                           printer ? kPrinterTwipsPerPixel : 15.0);
  if (printer) s.setScaleMode(plat::ScaleMode::Millimetres);
  Drawn run;
  run.labels = DrawDiagram(s, target, r, EquilibriumModel::Volatility(r.data.alpha), texts, bn);
  run.ops = s.ops();
  return run;
}

std::vector<RecordedOp> Lines(const std::vector<RecordedOp>& ops, Color c) {
  std::vector<RecordedOp> out;
  for (const auto& op : ops)
    if (op.kind == RecordedOp::Line && op.color == c) out.push_back(op);
  return out;
}

std::vector<RecordedOp> Texts(const std::vector<RecordedOp>& ops, const std::string& text) {
  std::vector<RecordedOp> out;
  const std::u16string u = plat::Cp1252ToUtf16(text);
  for (const auto& op : ops)
    if (op.kind == RecordedOp::Text && op.text == u) out.push_back(op);
  return out;
}

bool HasLength(const RecordedOp& op) { return op.x1 != op.x2 || op.y1 != op.y2; }

TEST(PlotFrame, MapsTheUnitSquareInsideTheMarginOrTheFixedPrinterSquare) {
  const PlotFrame screen = PlotFrame::Screen(400, 300);
  EXPECT_DOUBLE_EQ(screen.M, 25);
  EXPECT_DOUBLE_EQ(screen.W, 350);
  EXPECT_DOUBLE_EQ(screen.H, 250);
  EXPECT_DOUBLE_EQ(screen.B, 275);
  EXPECT_DOUBLE_EQ(screen.X(0.5), 200);
  EXPECT_DOUBLE_EQ(screen.Y(0.2), 225);
  EXPECT_DOUBLE_EQ(screen.DiagramX(screen.X(0.37)), 0.37);
  EXPECT_DOUBLE_EQ(screen.DiagramY(screen.Y(0.81)), 0.81);

  const PlotFrame paper = PlotFrame::Printer();
  EXPECT_DOUBLE_EQ(paper.X(0), 10);
  EXPECT_DOUBLE_EQ(paper.X(1), 190);
  EXPECT_DOUBLE_EQ(paper.Y(1), 10);
  EXPECT_DOUBLE_EQ(paper.Y(0), 190);
}

TEST(TickLabel, ReadsAsTenthsInTheDecimalSymbol) {
  EXPECT_EQ(TickLabel(0, "."), "0");
  EXPECT_EQ(TickLabel(1, "."), "0.1");
  EXPECT_EQ(TickLabel(3, "."), "0.3");
  EXPECT_EQ(TickLabel(9, ","), "0,9");
  EXPECT_EQ(TickLabel(10, ","), "1");
}

TEST(DiagramBackground, ScreenGridStopsShortOfTheFrameWhichIsExact) {
  DesignResult failed;  // nothing read: the background alone
  const Drawn run = Draw(DiagramTarget::kScreen, failed, false, Texts(), 400, 300);
  const PlotFrame f = PlotFrame::Screen(400, 300);

  const auto grid = Lines(run.ops, kGrid);
  ASSERT_EQ(grid.size(), 18u);  // nine each way, none on the frame
  for (int k = 1; k <= 9; ++k) {
    const double X = f.M + k * f.W / 10.01;
    const auto& v = grid[static_cast<std::size_t>(k - 1)];
    EXPECT_DOUBLE_EQ(v.x1, X);
    EXPECT_DOUBLE_EQ(v.y1, f.B);
    EXPECT_DOUBLE_EQ(v.y2, f.B - f.H);
    EXPECT_EQ(v.pen, 1);
  }
  // The last tick label sits 0.1 % of the width short of the right side.
  const auto ones = Texts(run.ops, "1");
  ASSERT_EQ(ones.size(), 2u);
  EXPECT_DOUBLE_EQ(ones[0].x1, f.M + 10 * f.W / 10.01 - 2.5);
  EXPECT_DOUBLE_EQ(ones[0].y1, f.B + 3);
  EXPECT_DOUBLE_EQ(ones[1].x1, f.M - 5 - 5);
  EXPECT_DOUBLE_EQ(ones[1].y1, f.B - 10 * f.H / 10.01 - 7);

  const auto frame = Lines(run.ops, 0);
  ASSERT_EQ(frame.size(), 4u);
  EXPECT_DOUBLE_EQ(frame[0].x1, 25);
  EXPECT_DOUBLE_EQ(frame[0].x2, 375);
  EXPECT_DOUBLE_EQ(frame[0].y1, 275);
  EXPECT_DOUBLE_EQ(frame[3].y1, 25);

  const auto diagonal = Lines(run.ops, kGreyCurve);
  ASSERT_EQ(diagonal.size(), 1u);
  EXPECT_EQ(diagonal[0].pen, 2);
  EXPECT_DOUBLE_EQ(diagonal[0].x2, 375);
  EXPECT_DOUBLE_EQ(diagonal[0].y2, 25);
}

TEST(DiagramBackground, TickLabelsUseTheResultsDecimalSymbol) {
  DesignResult failed;
  failed.SimboloDecimal = ",";
  const Drawn run = Draw(DiagramTarget::kScreen, failed);
  EXPECT_EQ(Texts(run.ops, "0,5").size(), 2u);
  EXPECT_TRUE(Texts(run.ops, "0.5").empty());
}

TEST(DiagramBackground, PrinterGridIsDashedInBlackWithThinPenAndFrameAtTenMillimetres) {
  DesignResult failed;
  const Drawn run = Draw(DiagramTarget::kPrinter, failed);
  std::vector<RecordedOp> dashes, frame;
  for (const auto& op : run.ops) {
    if (op.kind != RecordedOp::Line) continue;
    EXPECT_EQ(op.color, 0u);
    const double len = std::hypot(op.x2 - op.x1, op.y2 - op.y1) * kMmPerPrinterPixel;
    (std::abs(len - 0.7) < 1e-6 ? dashes : frame).push_back(op);
  }
  // 0.09 mm and 0.4 mm at 1200 dpi, to whole pixels.
  ASSERT_FALSE(dashes.empty());
  for (const auto& d : dashes) EXPECT_EQ(d.pen, 4);
  ASSERT_EQ(frame.size(), 5u);  // four sides and the diagonal
  for (const auto& l : frame) EXPECT_EQ(l.pen, 19);
  EXPECT_NEAR(frame[0].x1 * kMmPerPrinterPixel, 10, 1e-9);
  EXPECT_NEAR(frame[0].x2 * kMmPerPrinterPixel, 190, 1e-9);
  EXPECT_NEAR(frame[0].y1 * kMmPerPrinterPixel, 190, 1e-9);
  EXPECT_NEAR(frame[3].y1 * kMmPerPrinterPixel, 10, 1e-9);
  // A dash every 1.4 mm from the axis up to the last one that starts 1.4 mm below the top.
  const double firstX = dashes.front().x1;
  const auto column = std::count_if(dashes.begin(), dashes.end(), [&](const RecordedOp& d) { return d.x1 == firstX; });
  EXPECT_EQ(column, 128);
}

// What a rejected design keeps: everything drawn before the check that refused it.
TEST(DiagramPhases, ARejectedDesignShowsWhatWasDrawnBeforeItsCheck) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* name;
    DesignData data;
    bool marks, curve, construction;
  };
  DesignData unreadable = DefaultData();
  unreadable.R = nan;
  DesignData bottomsAboveFeed = DefaultData();
  bottomsAboveFeed.xB = 0.5;
  DesignData belowMinimumReflux = DefaultData();
  belowMinimumReflux.R = 1;
  const Case cases[] = {
      {"InvalidData", unreadable, false, false, false},
      {"Xbott_gt_Xfeed", bottomsAboveFeed, true, false, false},
      {"RefluxRatio_belowMin", belowMinimumReflux, true, true, false},
      {"complete", DefaultData(), true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DesignResult r = Calculate(c.data);
    ASSERT_EQ(r.ok(), c.construction);
    if (!r.ok()) {
      EXPECT_EQ(r.errorKey, c.name);
    }
    const Drawn run = Draw(DiagramTarget::kScreen, r);
    EXPECT_EQ(Lines(run.ops, kGrid).size(), 18u);
    EXPECT_EQ(Texts(run.ops, "(Xb, Yb)").size(), c.marks ? 1u : 0u);
    EXPECT_EQ(Texts(run.ops, "(Zf, Zf)").size(), c.marks ? 1u : 0u);
    EXPECT_EQ(Texts(run.ops, "(Xd, Yd)").size(), c.marks ? 1u : 0u);
    EXPECT_EQ(run.labels.centre[kLabelBottoms].has_value(), c.marks);
    // The diagonal, and with the curve its 99 segments from (0, 0) to x = 1.
    EXPECT_EQ(Lines(run.ops, kGreyCurve).size(), c.curve ? 100u : 1u);
    EXPECT_EQ(Lines(run.ops, kEnriching).empty(), !c.construction);
    EXPECT_EQ(Lines(run.ops, kScreenStairs).empty(), !c.construction);
    EXPECT_EQ(Texts(run.ops, "(Xq, Yq)").empty(), !c.construction);
    EXPECT_EQ(Texts(run.ops, "x caption").empty(), !c.construction);
    EXPECT_EQ(run.labels.show, c.construction);
    EXPECT_EQ(run.labels.centre[kLabelIntersection].has_value(), c.construction);
  }
}

TEST(DiagramPointMarks, OnlyPointsWithinTheSquareAreMarkedBothEndsIncluded) {
  DesignData d = DefaultData();
  d.xB = 1.2;  // refused later, marked (or not) before
  d.zF = 0;
  d.xD = 1;
  const DesignResult r = Calculate(d);
  ASSERT_EQ(r.phase, CalcPhase::kValidation);
  const Drawn run = Draw(DiagramTarget::kScreen, r);
  const PlotFrame f = PlotFrame::Screen(442, 604);
  EXPECT_TRUE(Texts(run.ops, "(Xb, Yb)").empty());
  EXPECT_FALSE(run.labels.centre[kLabelBottoms].has_value());
  EXPECT_EQ(run.labels.centre[kLabelFeed], (SurfacePoint{f.M, f.B}));
  EXPECT_EQ(run.labels.centre[kLabelDistillate], (SurfacePoint{f.M + f.W, f.B - f.H}));
  const auto text = Texts(run.ops, "(Xd, Yd)");
  ASSERT_EQ(text.size(), 1u);
  // Beside the point it would run past the right edge: it ends at the edge, below the point.
  plat::RecordingSurface model(442, 604);
  model.setFont(text[0].font);
  EXPECT_DOUBLE_EQ(text[0].x1, 442 - model.textWidth("(Xd, Yd)"));
  EXPECT_DOUBLE_EQ(text[0].y1, f.B - f.H + 8);
}

// A point's caption stays inside the picture: beside its point, below and to the right, where
// it fits; else moved back to end at the edge, and further down where it would cover the point.
// Where the stage numbers crowd the top corner, it goes where they leave room.
TEST(DiagramPointMarks, CaptionsStayInsideThePicture) {
  enum Place { kBeside, kAtTheEdge, kClearOfStageNumbers };
  const struct {
    double xD;
    Place place;
  } cases[] = {{0.8, kBeside}, {0.85, kBeside}, {0.9, kAtTheEdge}, {0.95, kAtTheEdge}, {0.99, kClearOfStageNumbers}};
  for (const DiagramTarget target : {DiagramTarget::kScreen, DiagramTarget::kReport}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::to_string(c.xD) + (target == DiagramTarget::kScreen ? " screen" : " report"));
      DesignData d = DefaultData();
      d.xD = c.xD;
      const DesignResult r = Calculate(d);
      ASSERT_TRUE(r.ok());
      const double width = 442, height = 604;
      const Drawn run = Draw(target, r, false, Texts(), width, height);
      plat::RecordingSurface model(width, height);
      const PlotFrame f = PlotFrame::Screen(width, height);
      for (const char* caption : {"(Xb, Yb)", "(Zf, Zf)", "(Xd, Yd)", "(Xq, Yq)"}) {
        const auto text = Texts(run.ops, caption);
        ASSERT_EQ(text.size(), 1u) << caption;
        model.setFont(text[0].font);
        EXPECT_GE(text[0].x1, 0) << caption;
        EXPECT_LE(text[0].x1 + model.textWidth(caption), width) << caption;
        EXPECT_GE(text[0].y1, 0) << caption;
        EXPECT_LE(text[0].y1 + model.textHeight(caption), height) << caption;
      }
      const auto xd = Texts(run.ops, "(Xd, Yd)");
      model.setFont(xd[0].font);
      const double X = f.X(c.xD), Y = f.Y(c.xD);
      const double w = model.textWidth("(Xd, Yd)");
      if (c.place == kBeside) {
        EXPECT_DOUBLE_EQ(xd[0].x1, X + 4);
        EXPECT_DOUBLE_EQ(xd[0].y1, Y + 4);
      } else if (c.place == kAtTheEdge) {
        EXPECT_DOUBLE_EQ(xd[0].x1, width - w);
        EXPECT_DOUBLE_EQ(xd[0].y1, xd[0].x1 < X + 6 ? Y + 8 : Y + 4);
      } else {
        const SurfaceArea caption{xd[0].x1, xd[0].y1, xd[0].x2, xd[0].y2};
        for (int stage = 1; stage <= 4; ++stage) {
          for (const RecordedOp& n : Texts(run.ops, std::to_string(stage))) {
            EXPECT_FALSE(caption.meets(SurfaceArea{n.x1, n.y1, n.x2, n.y2})) << stage;
          }
        }
      }
    }
  }
}

TEST(DiagramPointMarks, NoCaptionLiesUnderTheLegends) {
  // Points near the legends' corner of the plot, among them the opening design's bottoms, on
  // each surface; and a design that is refused, whose captions stay where they would be.
  const std::vector<DesignData> designs = {DefaultData(),
                                           {2, 0.5, 0.46, 0.85, 0.12, 3, 1},
                                           {2, 0.5, 0.46, 0.85, 0.2, 3, 1},
                                           {3, 1, 0.3, 0.85, 0.1, 3, 1},
                                           {4, 1, 0.19, 0.5, 0.15, 3, 1},
                                           {2, 0.5, 0.46, 0.85, 0.17, 0.5, 1}};
  for (const DiagramTarget target : {DiagramTarget::kScreen, DiagramTarget::kReport, DiagramTarget::kPrinter}) {
    for (const DesignData& d : designs) {
      SCOPED_TRACE("xB " + std::to_string(d.xB) + ", zF " + std::to_string(d.zF) + ", target " +
                   std::to_string(static_cast<int>(target)));
      const DesignResult r = Calculate(d);
      const bool printer = target == DiagramTarget::kPrinter;
      plat::RecordingSurface model(printer ? 9921 : 442, printer ? 14031 : 604, printer ? kPrinterTwipsPerPixel : 15.0);
      if (printer) model.setScaleMode(plat::ScaleMode::Millimetres);
      const auto area = [&model](const RecordedOp& op) {
        model.setFont(op.font);
        const std::string text = plat::Utf16ToCp1252(op.text);
        return SurfaceArea{op.x1, op.y1, op.x1 + model.textWidth(text), op.y1 + model.textHeight(text)};
      };
      // The legends as a successful run of the same points draws them.
      DesignData valid = d;
      valid.R = 3;
      ASSERT_TRUE(Calculate(valid).ok());
      const Drawn withLegends = Draw(target, Calculate(valid));
      std::vector<SurfaceArea> legend;
      for (const char* text : {"Enriching line", "Stripping line", "q-line"}) {
        const auto drawn = Texts(withLegends.ops, text);
        ASSERT_EQ(drawn.size(), 1u);
        legend.push_back(area(drawn[0]));
      }
      for (const Color c : {kEnriching, kStripping, kQLine}) {
        const auto sample = Lines(withLegends.ops, c).back();  // the legend's sample is drawn last
        legend.push_back(SurfaceArea{std::min(sample.x1, sample.x2), sample.y1 - 0.5, std::max(sample.x1, sample.x2),
                                     sample.y1 + 0.5});
      }
      const Drawn run = Draw(target, r);
      for (const char* caption : {"(Xb, Yb)", "(Zf, Zf)", "(Xd, Yd)", "(Xq, Yq)"}) {
        for (const RecordedOp& op : Texts(run.ops, caption)) {
          for (const SurfaceArea& l : legend) EXPECT_FALSE(area(op).meets(l)) << caption;
        }
      }
    }
  }
}

TEST(DiagramPointMarks, ReportPictureDrawsFilledMarksTheScreenOnlyPlacesLabels) {
  const DesignResult r = Calculate(DefaultData());
  const Drawn screen = Draw(DiagramTarget::kScreen, r);
  const Drawn report = Draw(DiagramTarget::kReport, r, false, Texts(), 700, 700);
  auto ellipses = [](const Drawn& run) {
    std::vector<RecordedOp> out;
    for (const auto& op : run.ops)
      if (op.kind == RecordedOp::Ellipse) out.push_back(op);
    return out;
  };
  EXPECT_TRUE(ellipses(screen).empty());
  const auto marks = ellipses(report);
  ASSERT_EQ(marks.size(), 4u);
  const Color colours[] = {Rgb(96, 96, 240), Rgb(255, 128, 0), Rgb(192, 0, 0), Rgb(0, 160, 0)};
  const double values[] = {0.17, 0.46, 0.85};
  const PlotFrame f = PlotFrame::Screen(700, 700);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_TRUE(marks[i].filled);
    EXPECT_EQ(marks[i].fill, colours[i]);
    EXPECT_DOUBLE_EQ(marks[i].x2 - marks[i].x1, 10);
    const double cx = (marks[i].x1 + marks[i].x2) / 2, cy = (marks[i].y1 + marks[i].y2) / 2;
    if (i < 3) {
      EXPECT_NEAR(cx, f.X(values[i]), 1e-9);
      EXPECT_NEAR(cy, f.Y(values[i]), 1e-9);
    } else {
      EXPECT_NEAR(cx, f.X(r.lines.xq), 1e-9);
      EXPECT_NEAR(cy, f.Y(r.lines.yq), 1e-9);
    }
  }
  for (const auto& centre : report.labels.centre) EXPECT_FALSE(centre.has_value());
}

TEST(DiagramPointMarks, ScreenLabelsAreCentredOnTheirPoints) {
  const DesignResult r = Calculate(DefaultData());
  const Drawn run = Draw(DiagramTarget::kScreen, r);
  const PlotFrame f = PlotFrame::Screen(442, 604);
  EXPECT_EQ(run.labels.centre[kLabelBottoms], (SurfacePoint{f.X(0.17), f.Y(0.17)}));
  EXPECT_EQ(run.labels.centre[kLabelIntersection], (SurfacePoint{f.X(r.lines.xq), f.Y(r.lines.yq)}));
  EXPECT_EQ(run.labels.centre[kLabelDistillate], (SurfacePoint{f.X(0.85), f.Y(0.85)}));
  EXPECT_EQ(run.labels.centre[kLabelFeed], (SurfacePoint{f.X(0.46), f.Y(0.46)}));
}

TEST(DiagramConstruction, IntersectionTextKeepsClearOfTheQLine) {
  const DesignResult base = Calculate(DefaultData());
  ASSERT_TRUE(base.ok());
  const PlotFrame f = PlotFrame::Screen(442, 604);
  const double X = f.X(base.lines.xq), Y = f.Y(base.lines.yq);
  struct Case {
    double q, dx, dy;
  };
  const Case cases[] = {{0.4, -10, 10}, {0.25, -10, 10}, {0.6, 10, -6}, {0.8, 6, 6}, {0.1, 6, 6}, {1, 6, 6}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.q);
    DesignResult r = base;
    r.data.q = c.q;  // only the text's place depends on it here
    r.data.zF = 0.3;  // the feed's label away from every place of the text
    const auto text = Texts(Draw(DiagramTarget::kScreen, r).ops, "(Xq, Yq)");
    ASSERT_EQ(text.size(), 1u);
    EXPECT_DOUBLE_EQ(text[0].x1, X + c.dx);
    EXPECT_DOUBLE_EQ(text[0].y1, Y + c.dy);
  }
}

TEST(DiagramConstruction, LinesRunBetweenTheirPointsWithLegendsBelowTheMiddle) {
  const DesignResult r = Calculate(DefaultData());
  // In the window's size of type, whose lines fit between the legends' rows.
  plat::RecordingSurface s(442, 604);
  s.setFontName("Arial");
  s.setFontSize(9);
  Drawn run;
  run.labels = DrawDiagram(s, DiagramTarget::kScreen, r, EquilibriumModel::Volatility(r.data.alpha), Texts());
  run.ops = s.ops();
  const PlotFrame f = PlotFrame::Screen(442, 604);
  const auto enriching = Lines(run.ops, kEnriching);
  ASSERT_EQ(enriching.size(), 2u);  // the line and its legend's sample
  EXPECT_DOUBLE_EQ(enriching[0].x1, f.X(0.85));
  EXPECT_DOUBLE_EQ(enriching[0].x2, f.X(r.lines.xq));
  EXPECT_EQ(enriching[0].pen, 2);
  const double X = f.X(0.405), Y = f.Y(0.18);
  EXPECT_DOUBLE_EQ(enriching[1].x1, X - 7);
  EXPECT_DOUBLE_EQ(enriching[1].x2, X - 7 - 75);
  EXPECT_DOUBLE_EQ(enriching[1].y1, Y);
  const auto legend = Texts(run.ops, "Enriching line");
  ASSERT_EQ(legend.size(), 1u);
  EXPECT_DOUBLE_EQ(legend[0].x1, X);
  EXPECT_DOUBLE_EQ(legend[0].y1, Y - 9);

  const auto stripping = Lines(run.ops, kStripping);
  ASSERT_EQ(stripping.size(), 2u);
  EXPECT_DOUBLE_EQ(stripping[0].x1, f.X(0.17));
  EXPECT_DOUBLE_EQ(stripping[1].y1, f.Y(0.15));
  const auto qline = Lines(run.ops, kQLine);
  ASSERT_EQ(qline.size(), 2u);
  EXPECT_DOUBLE_EQ(qline[0].x1, f.X(0.46));
  EXPECT_DOUBLE_EQ(qline[0].x2, f.X(r.pinch.xm));
  EXPECT_DOUBLE_EQ(qline[0].y2, f.Y(r.pinch.ym));
  EXPECT_DOUBLE_EQ(qline[1].y1, f.Y(0.12));
}

TEST(DiagramConstruction, StaircaseDrawsEachCornerAndNumbersTheStagesOnTheCurve) {
  DesignResult r = Calculate(DefaultData());
  ASSERT_TRUE(r.ok());
  Staircase s;
  const double pts[][2] = {{0.9, 0.9}, {0.8, 0.9}, {0.8, 0.7}, {0.6, 0.7}, {0.6, 0.5}, {0.4, 0.5}, {0.4, 0.3}};
  for (int i = 0; i < 7; ++i) {
    s.PuntoX[static_cast<std::size_t>(i + 1)] = pts[i][0];
    s.PuntoY[static_cast<std::size_t>(i + 1)] = pts[i][1];
  }
  s.NumPuntos = 7;
  r.staircase = s;
  const Drawn run = Draw(DiagramTarget::kScreen, r);
  const auto stairs = Lines(run.ops, kScreenStairs);
  ASSERT_EQ(stairs.size(), 7u);
  EXPECT_FALSE(HasLength(stairs[0]));
  EXPECT_EQ(std::count_if(stairs.begin(), stairs.end(), HasLength), 6);
  const PlotFrame f = PlotFrame::Screen(442, 604);
  plat::RecordingSurface measure(10, 10);
  for (int stage = 1; stage <= 3; ++stage) {
    SCOPED_TRACE(stage);
    const auto number = Texts(run.ops, std::to_string(stage));
    // "1" is also a tick label; the stage number is the one beside its corner.
    const double X = f.X(pts[2 * stage - 1][0]), Y = f.Y(pts[2 * stage - 1][1]);
    const auto found = std::find_if(number.begin(), number.end(), [&](const RecordedOp& op) {
      return std::abs(op.x2 - (X - 2)) < 1e-9 && std::abs(op.y2 - (Y - 2)) < 1e-9;
    });
    EXPECT_NE(found, number.end());
  }
  EXPECT_TRUE(Texts(run.ops, "4").empty());  // three stages only
}

TEST(DiagramConstruction, StaircaseStopsAtTheFirstPointAtZero) {
  DesignResult r = Calculate(DefaultData());
  r.staircase.PuntoX[5] = 0;
  const auto stairs = Lines(Draw(DiagramTarget::kScreen, r).ops, kScreenStairs);
  EXPECT_EQ(stairs.size(), 4u);
}

TEST(DiagramConstruction, AxisCaptionsSitInTheCornersAndAreCutToALineOnPaper) {
  const DesignResult r = Calculate(DefaultData());
  DiagramTexts texts = Texts();
  texts.RotuloEjeX = std::string(130, 'x');
  texts.RotuloEjeY = std::string(120, 'y');
  // On screen a caption that fits the plot's width is one line in its corner.
  const Drawn screen = Draw(DiagramTarget::kScreen, r);
  const auto xs = Texts(screen.ops, "x caption");
  ASSERT_EQ(xs.size(), 1u);
  EXPECT_DOUBLE_EQ(xs[0].x2, 442 - 37.5);
  EXPECT_DOUBLE_EQ(xs[0].y2, 604 - 37.5);
  const auto ys = Texts(screen.ops, "y caption");
  ASSERT_EQ(ys.size(), 1u);
  EXPECT_DOUBLE_EQ(ys[0].x1, 39);
  EXPECT_DOUBLE_EQ(ys[0].y1, 31);
  // A longer one is printed whole, in as many lines as it needs inside the picture: the y
  // caption down from its corner, the x caption up to its corner, each line ending there.
  const Drawn longer = Draw(DiagramTarget::kScreen, r, false, texts);
  for (const std::string* caption : {&texts.RotuloEjeX, &texts.RotuloEjeY}) {
    std::vector<RecordedOp> lines;
    std::string joined;
    for (const RecordedOp& op : longer.ops) {
      const std::string text = plat::Utf16ToCp1252(op.text);
      if (op.kind != RecordedOp::Text || text.empty() || text[0] != caption->front()) continue;
      lines.push_back(op);
      joined += text;
    }
    SCOPED_TRACE(*caption);
    EXPECT_EQ(joined, *caption);
    ASSERT_GT(lines.size(), 1u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      EXPECT_GE(lines[i].x1, 0);
      EXPECT_LE(lines[i].x2, 442);
      if (i > 0) {
        EXPECT_DOUBLE_EQ(lines[i].y1, lines[i - 1].y2);
      }
    }
    if (caption == &texts.RotuloEjeX) {
      for (const RecordedOp& line : lines) EXPECT_DOUBLE_EQ(line.x2, 442 - 37.5);
      EXPECT_DOUBLE_EQ(lines.back().y2, 604 - 37.5);
    } else {
      for (const RecordedOp& line : lines) EXPECT_DOUBLE_EQ(line.x1, 39);
      EXPECT_DOUBLE_EQ(lines.front().y1, 31);
    }
  }

  const Drawn paper = Draw(DiagramTarget::kPrinter, r, false, texts);
  const auto px = Texts(paper.ops, std::string(110, 'x'));
  ASSERT_EQ(px.size(), 1u);
  EXPECT_NEAR(px[0].x2 * kMmPerPrinterPixel, 185, 1e-6);
  EXPECT_NEAR(px[0].y1 * kMmPerPrinterPixel, 184, 1e-6);
  EXPECT_EQ(px[0].font.size, 10);
  const auto py = Texts(paper.ops, std::string(110, 'y'));
  ASSERT_EQ(py.size(), 1u);
  EXPECT_NEAR(py[0].x1 * kMmPerPrinterPixel, 14, 1e-6);
  EXPECT_NEAR(py[0].y1 * kMmPerPrinterPixel, 13, 1e-6);
}

TEST(DiagramPrinter, ColouredElementsTakeThePrinterColoursAndTheCurveIsBlack) {
  const DesignResult r = Calculate(DefaultData());
  const Drawn run = Draw(DiagramTarget::kPrinter, r);
  EXPECT_FALSE(Lines(run.ops, kPrinterStairs).empty());
  EXPECT_TRUE(Lines(run.ops, kScreenStairs).empty());
  EXPECT_EQ(Lines(run.ops, kEnriching).size(), 2u);
  EXPECT_EQ(Lines(run.ops, kStripping).size(), 2u);
  EXPECT_EQ(Lines(run.ops, kQLine).size(), 2u);
  EXPECT_TRUE(Lines(run.ops, kGreyCurve).empty());
  std::vector<Color> markFills;
  for (const auto& op : run.ops)
    if (op.kind == RecordedOp::Ellipse) markFills.push_back(op.fill);
  EXPECT_EQ(markFills, (std::vector<Color>{Rgb(96, 96, 240), Rgb(180, 120, 0), Rgb(200, 0, 0), Rgb(0, 160, 0)}));
  for (const auto& op : run.ops) {
    if (op.kind == RecordedOp::Ellipse) {
      EXPECT_NEAR((op.x2 - op.x1) * kMmPerPrinterPixel, 2, 1e-9);
    }
    if (op.kind == RecordedOp::Text) {
      EXPECT_EQ(op.font.name, "Arial");
    }
  }
  for (const auto& centre : run.labels.centre) EXPECT_FALSE(centre.has_value());
}

TEST(DiagramPrinter, BlackAndWhiteDrawsEveryElementInBlack) {
  const DesignResult r = Calculate(DefaultData());
  const Drawn run = Draw(DiagramTarget::kPrinter, r, true);
  int drawn = 0;
  for (const auto& op : run.ops) {
    if (op.kind == RecordedOp::Clear) continue;
    ++drawn;
    EXPECT_EQ(op.color, 0u) << "op kind " << op.kind;
    if (op.filled) {
      EXPECT_EQ(op.fill, 0u);
    }
  }
  EXPECT_GT(drawn, 100);
}

}  // namespace
}  // namespace stagora
