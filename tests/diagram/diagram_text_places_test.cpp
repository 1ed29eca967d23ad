// Where the diagram's texts land on pictures from the smallest the window leaves to the report's:
// every text inside the picture, and the point captions clear of the legends, the axis
// captions, the tick labels, the stage numbers and each other, measured with the real fonts.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "designer/calculation/design_calculation.h"
#include "designer/diagram/diagram.h"
#include "designer/diagram/text_places.h"
#include "platform/encoding.h"
#include "platform/recording_surface.h"
#include "tests/diagram/diagram_colours.h"

namespace stagora {
namespace {

using plat::RecordedOp;
using namespace diagram_colours;

// The texts the window hands over in English, with the longest axis captions it builds.
DiagramTexts WindowTexts() {
  DiagramTexts t;
  t.Enrich_op_line = "Enriching operating line";
  t.Exhaus_op_line = "Exhausting operating line";
  t.q_line = "q-line";
  t.RotuloEjeX = "x, mole fraction of the more volatile component in the liquid";
  t.RotuloEjeY = "y, mole fraction of the more volatile component in the vapour";
  return t;
}

const char* const kCaptions[] = {"(Xb, Yb)", "(Zf, Zf)", "(Xd, Yd)", "(Xq, Yq)"};

SurfaceArea Box(const RecordedOp& op) { return SurfaceArea{op.x1, op.y1, op.x2, op.y2}; }

std::string Text(const RecordedOp& op) { return plat::Utf16ToCp1252(op.text); }

bool IsCaption(const std::string& text) {
  return std::find_if(std::begin(kCaptions), std::end(kCaptions), [&](const char* c) { return text == c; }) !=
         std::end(kCaptions);
}

// The texts of one drawing sorted by what they are.
struct Sorted {
  std::vector<RecordedOp> ticks, numbers, captions, legends, titles;
  std::vector<SurfaceArea> strokes;  // the legends' sample strokes
};

Sorted Sort(const std::vector<RecordedOp>& ops, const DiagramTexts& texts) {
  Sorted s;
  constexpr std::size_t kTickLabels = 22;  // drawn first, with the background
  for (const RecordedOp& op : ops) {
    if (op.kind != RecordedOp::Text) continue;
    const std::string text = Text(op);
    if (s.ticks.size() < kTickLabels) {
      s.ticks.push_back(op);
    } else if (IsCaption(text)) {
      s.captions.push_back(op);
    } else if (text == texts.Enrich_op_line || text == texts.Exhaus_op_line || text == texts.q_line) {
      s.legends.push_back(op);
    } else if (std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      s.numbers.push_back(op);
    } else {
      s.titles.push_back(op);
    }
  }
  // Each line colour's last segment is its legend's sample, drawn right after the line.
  for (const plat::Color c : {kEnriching, kStripping, kQLine}) {
    const auto last = std::find_if(ops.rbegin(), ops.rend(), [c](const RecordedOp& op) {
      return op.kind == RecordedOp::Line && op.color == c;
    });
    if (last == ops.rend()) continue;
    s.strokes.push_back(SurfaceArea{std::min(last->x1, last->x2), last->y1 - last->pen / 2,
                                    std::max(last->x1, last->x2), last->y1 + last->pen / 2});
  }
  return s;
}

struct Picture {
  double width, height;
  DiagramTarget target;
};

TEST(DiagramTextPlaces, EveryTextIsInsideThePictureAndTheCaptionsMeetNoOtherText) {
  struct Design {
    const char* name;
    DesignData data;
  };
  const Design designs[] = {
      {"opening", {2, 0.5, 0.46, 0.85, 0.17, 3, 1}},
      {"bottoms low, feed near the legends", {2.5, 1, 0.18, 0.9, 0.05, 5, 1}},
      {"many stages", {1.5, 1, 0.5, 0.95, 0.05, 6, 1}},
      {"q between 0.1 and 0.4", {2, 0.3, 0.46, 0.85, 0.17, 3, 1}},
      {"q between 0.4 and 0.8", {2, 0.6, 0.46, 0.85, 0.17, 3, 1}},
      {"points at the top corner", {2, 1, 0.97, 0.99, 0.95, 3, 1}},
      {"refused: all points at 0", {2, 1, 0, 0, 0, 3, 1}},
      {"refused: all points at 1", {2, 1, 1, 1, 1, 3, 1}},
      {"refused: points close together", {2, 1, 0.11, 0.12, 0.1, 3, 1}},
      {"refused: below the minimum reflux", {2, 0.5, 0.46, 0.85, 0.17, 0.5, 1}},
  };
  // The window's picture at its smallest (the window at its smallest, or fitted into a screen
  // of 800 x 600 pixels, as at scale 2 on 1600 x 1200) and a little below, a narrow one, a
  // short one, as designed, and the report's.
  const Picture pictures[] = {{255, 520, DiagramTarget::kScreen}, {269, 552, DiagramTarget::kScreen},
                              {390, 540, DiagramTarget::kScreen}, {442, 420, DiagramTarget::kScreen},
                              {442, 604, DiagramTarget::kScreen}, {700, 700, DiagramTarget::kReport}};
  const DiagramTexts texts = WindowTexts();
  for (const Picture& p : pictures) {
    for (const Design& d : designs) {
      SCOPED_TRACE(std::string(d.name) + " on " + std::to_string(static_cast<int>(p.width)) + " x " +
                   std::to_string(static_cast<int>(p.height)));
      const DesignResult r = CalculateDesign(d.data, false, nullptr);
      plat::RecordingSurface s(p.width, p.height, 15, plat::RecordingSurface::Metrics::RealFonts);
      s.setFontName("Arial");
      s.setFontSize(9);
      DrawDiagram(s, p.target, r, EquilibriumModel::Volatility(r.data.alpha), texts);
      const Sorted t = Sort(s.ops(), texts);
      ASSERT_EQ(t.ticks.size(), 22u);
      ASSERT_EQ(t.captions.size(), r.ok() ? 4u : 3u);
      ASSERT_EQ(t.legends.size(), r.ok() ? 3u : 0u);
      ASSERT_EQ(t.titles.empty(), !r.ok());

      for (const RecordedOp& op : s.ops()) {
        if (op.kind != RecordedOp::Text) continue;
        EXPECT_GE(op.x1, 0) << Text(op);
        EXPECT_GE(op.y1, 0) << Text(op);
        EXPECT_LE(op.x2, p.width) << Text(op);
        EXPECT_LE(op.y2, p.height) << Text(op);
      }
      // The legends' texts end inside the plot's frame.
      for (const RecordedOp& op : t.legends) EXPECT_LE(op.x2, p.width - kScreenMargin) << Text(op);

      std::vector<std::pair<std::string, SurfaceArea>> others;
      for (const auto* group : {&t.ticks, &t.numbers, &t.legends, &t.titles}) {
        for (const RecordedOp& op : *group) others.emplace_back(Text(op), Box(op));
      }
      for (const SurfaceArea& stroke : t.strokes) others.emplace_back("a legend's stroke", stroke);
      for (std::size_t i = 0; i < t.captions.size(); ++i) {
        const SurfaceArea caption = Box(t.captions[i]);
        for (const auto& [what, box] : others) EXPECT_FALSE(caption.meets(box)) << Text(t.captions[i]) << " meets " << what;
        for (std::size_t j = 0; j < i; ++j) {
          EXPECT_FALSE(caption.meets(Box(t.captions[j]))) << Text(t.captions[i]) << " meets " << Text(t.captions[j]);
        }
      }
      // Legends and axis captions keep clear of each other as well.
      std::vector<RecordedOp> fixed = t.legends;
      fixed.insert(fixed.end(), t.titles.begin(), t.titles.end());
      for (std::size_t i = 0; i < fixed.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
          EXPECT_FALSE(Box(fixed[i]).meets(Box(fixed[j]))) << Text(fixed[i]) << " meets " << Text(fixed[j]);
        }
      }
    }
  }
}

TEST(DiagramTextPlaces, OnTheDesignedPictureTheLegendsAndAxisCaptionsStayWhereTheyStood) {
  const DesignResult r = CalculateDesign(DesignData{2, 0.5, 0.46, 0.85, 0.17, 3, 1}, false, nullptr);
  const DiagramTexts texts = WindowTexts();
  plat::RecordingSurface s(442, 604, 15, plat::RecordingSurface::Metrics::RealFonts);
  s.setFontName("Arial");
  s.setFontSize(9);
  DrawDiagram(s, DiagramTarget::kScreen, r, EquilibriumModel::Volatility(r.data.alpha), texts);
  const Sorted t = Sort(s.ops(), texts);
  const PlotFrame f = PlotFrame::Screen(442, 604);
  ASSERT_EQ(t.legends.size(), 3u);
  for (const RecordedOp& op : t.legends) EXPECT_DOUBLE_EQ(op.x1, f.X(0.405));
  ASSERT_EQ(t.strokes.size(), 3u);
  for (const SurfaceArea& stroke : t.strokes) EXPECT_DOUBLE_EQ(stroke.right - stroke.left, 75);
  ASSERT_EQ(t.titles.size(), 2u);  // one line each
  EXPECT_EQ(Text(t.titles[0]), texts.RotuloEjeY);
  EXPECT_DOUBLE_EQ(t.titles[0].x1, 39);
  EXPECT_DOUBLE_EQ(t.titles[1].x2, 442 - 37.5);
}

TEST(TextLines, ATextIsBrokenAtBlanksAndAWordWiderThanALineBetweenItsCharacters) {
  // One unit per character.
  const auto measure = [](std::string_view text) { return static_cast<double>(text.size()); };
  struct Case {
    const char* text;
    double width;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"fits  as it is", 14, {"fits  as it is"}},
      {"x, mole fraction of the liquid", 12, {"x, mole", "fraction of", "the liquid"}},
      {"a  blank\trun\r\nends lines", 9, {"a blank", "run ends", "lines"}},
      {"abcdefghij k", 4, {"abcd", "efgh", "ij k"}},
      {"ab", 0, {"a", "b"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(BrokenIntoLines(c.text, c.width, measure), c.lines);
  }
}

}  // namespace
}  // namespace stagora
