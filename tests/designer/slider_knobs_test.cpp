// The slider knobs placed by the values in their fields, and the feed-state caption.
#include <QLabel>
#include <QLineEdit>
#include <cmath>
#include <optional>

#include "designer/window/controls.h"
#include "designer/window/slider_knobs.h"
#include "tests/designer/main_window_fixture.h"

namespace stagora::test {
namespace {

using designer::KnobTrack;
using designer::KnobValues;

// The panel's tracks: 140 pixels long, the left column's from 15, the right column's from 348.
constexpr KnobTrack kLeftTrack{15, 155};
constexpr KnobTrack kRightTrack{348, 488};
constexpr double kKnobWidth = 15;

KnobTrack TrackOf(int knob) { return knob <= designer::kKnobZF ? kLeftTrack : kRightTrack; }

// The window's start design, with Rmin 1.5.
KnobValues StartDesign() {
  KnobValues v;
  v.alpha = 2;
  v.q = 0.5;
  v.zF = 0.46;
  v.xD = 0.85;
  v.xB = 0.17;
  v.R = 3;
  v.Rmin = 1.5;
  v.E = 1;
  return v;
}

struct KnobCase {
  const char* what;
  int knob;
  KnobValues values;
  std::optional<double> pixelsFromLeftEnd;  // of the knob's centre; nothing: no place
};

KnobValues With(void (*change)(KnobValues&)) {
  KnobValues v = StartDesign();
  change(v);
  return v;
}

TEST(SliderKnobs, EachKnobCentreIsItsValuesPlaceOnTheTrackHeldToTheEnds) {
  using namespace designer;
  const KnobCase cases[] = {
      {"E 0.5", kKnobE, With([](KnobValues& v) { v.E = 0.5; }), 69.292929},
      {"E empty counts as 1", kKnobE, With([](KnobValues& v) { v.E = 0; }), 140},
      {"E above 1 counts as 1", kKnobE, With([](KnobValues& v) { v.E = 1.2; }), 140},
      {"E negative counts as 1", kKnobE, With([](KnobValues& v) { v.E = -3; }), 140},
      {"xD empty counts as 0.81", kKnobXD, With([](KnobValues& v) { v.xD = 0; }), 90.817844},
      {"xD 1 counts as 0.81", kKnobXD, With([](KnobValues& v) { v.xD = 1; }), 90.817844},
      {"xB empty counts as 0.17", kKnobXB, With([](KnobValues& v) { v.xB = 0; }), 51.659389},
      {"alpha empty", kKnobAlpha, With([](KnobValues& v) { v.alpha = 0; }), 0},
      {"alpha 0.5", kKnobAlpha, With([](KnobValues& v) { v.alpha = 0.5; }), 0},
      {"alpha 25", kKnobAlpha, With([](KnobValues& v) { v.alpha = 25; }), 140},
      {"alpha 10.505", kKnobAlpha, With([](KnobValues& v) { v.alpha = 10.505; }), 70},
      {"q -1", kKnobQ, With([](KnobValues& v) { v.q = -1; }), 17.5},
      {"q 0 (also an empty field)", kKnobQ, With([](KnobValues& v) { v.q = 0; }), 52.5},
      {"q 0.5", kKnobQ, With([](KnobValues& v) { v.q = 0.5; }), 70},
      {"q 1", kKnobQ, With([](KnobValues& v) { v.q = 1; }), 87.5},
      {"q 1.0001", kKnobQ, With([](KnobValues& v) { v.q = 1.0001; }), 87.5035},
      {"q far left", kKnobQ, With([](KnobValues& v) { v.q = -7; }), 0},
      {"q far right", kKnobQ, With([](KnobValues& v) { v.q = 9; }), 140},
      {"zF between xB and xD", kKnobZF, With([](KnobValues& v) { (void)v; }), 59.675516},
      {"zF range uses 0.81 for an empty xD", kKnobZF, With([](KnobValues& v) { v.xD = 0; }),
       (0.46 - 0.171) / ((0.809 - 0.171) / 140)},
      {"R twice Rmin", kKnobR, With([](KnobValues& v) { v.R = 3; }), 8.209615},
      {"R equal to Rmin", kKnobR, With([](KnobValues& v) { v.R = 1.5; }), 0},
      {"R 36.5 times Rmin", kKnobR, With([](KnobValues& v) { v.R = 36.5 * 1.5; }), 140},
      {"R 0", kKnobR, With([](KnobValues& v) { v.R = 0; }), 0},
      {"R negative", kKnobR, With([](KnobValues& v) { v.R = -2; }), 0},
      {"Rmin empty counts as 1", kKnobR, With([](KnobValues& v) { v.R = 2, v.Rmin = 0; }), 8.209615},
      {"a backwards xB range holds the knob at an end", kKnobXB, With([](KnobValues& v) { v.zF = 0.001; }), 0},
      // An empty range is no place: neither infinity nor NaN reaches the knob.
      {"empty xB range", kKnobXB, With([](KnobValues& v) { v.zF = 0.002; }), std::nullopt},
      {"empty xB range at its own value", kKnobXB, With([](KnobValues& v) { v.zF = 0.002, v.xB = 0.001; }),
       std::nullopt},
  };
  for (const KnobCase& c : cases) {
    SCOPED_TRACE(c.what);
    const KnobTrack track = TrackOf(c.knob);
    const std::optional<double> centre = designer::KnobCentre(c.knob, c.values, track);
    const std::optional<float> left = designer::KnobLeft(c.knob, c.values, track, kKnobWidth);
    ASSERT_EQ(centre.has_value(), c.pixelsFromLeftEnd.has_value());
    ASSERT_EQ(left.has_value(), c.pixelsFromLeftEnd.has_value());
    if (!centre) continue;
    EXPECT_NEAR(*centre - track.X1, *c.pixelsFromLeftEnd, 1e-5);
    EXPECT_FLOAT_EQ(*left, static_cast<float>(*centre) - 7.5f);
  }
}

TEST(SliderKnobs, FeedStateFollowsQWithSaturatedLiquidOnlyAtExactlyOne) {
  using designer::FeedState;
  const std::pair<double, FeedState> cases[] = {
      {-1, FeedState::SuperheatedVapour}, {-1e-9, FeedState::SuperheatedVapour},
      {0, FeedState::SaturatedVapour},    {0.5, FeedState::LiquidAndVapour},
      {0.999, FeedState::LiquidAndVapour}, {1, FeedState::SaturatedLiquid},
      {1.0001, FeedState::SubcooledLiquid}, {std::nextafter(1.0, 2.0), FeedState::SubcooledLiquid},
  };
  for (const auto& [q, state] : cases) EXPECT_EQ(designer::FeedStateOf(q), state) << q;
  EXPECT_EQ(designer::FeedStateOf(std::nan("")), std::nullopt);
}

// In the window: the fields as typed, the knobs' pixel places and the caption.
class SliderKnobsInWindow : public MainWindowTest {
 protected:
  int KnobLeftPixel(const designer::FormMain& w, int knob) { return w.Image2[knob]->x(); }

  int ExpectedPixel(const designer::FormMain& w, int knob, double centre) {
    const double left = static_cast<double>(w.Line1[knob]->X1()) + centre - w.Image2[knob]->width() / 2.0;
    return static_cast<int>(std::lround(static_cast<float>(left)));
  }
};

TEST_F(SliderKnobsInWindow, TypingQMovesItsKnobAndNamesTheFeedState) {
  designer::FormMain& w = Load();
  struct Case {
    const char* text;
    double centre;
    const std::string* caption;
  };
  const Case cases[] = {
      {"-1", 17.5, &w.Txt_q_SUPVap},   {"0", 52.5, &w.Txt_q_SATVap},       {"0.5", 70, &w.Txt_q_LiqVap},
      {"1", 87.5, &w.Txt_q_SATLiq},    {"1.0001", 87.5035, &w.Txt_q_SUBLiq}, {"0.999", 87.465, &w.Txt_q_LiqVap},
      {"", 52.5, &w.Txt_q_SATVap},     {"1,0", 87.5, &w.Txt_q_SATLiq},      {"abc", 52.5, &w.Txt_q_SATVap},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    w.Modificado = false;
    w.Text[field::kThermalQ]->setText(c.text);
    EXPECT_EQ(KnobLeftPixel(w, designer::kKnobQ), ExpectedPixel(w, designer::kKnobQ, c.centre));
    EXPECT_EQ(w.Label1[15]->text().toStdString(), *c.caption);
    EXPECT_TRUE(w.Modificado);
  }
  EXPECT_EQ(w.Image2[designer::kKnobQ]->y(), 219);  // the knob moves along its track only
}

TEST_F(SliderKnobsInWindow, AfterTheLoadEveryKnobSitsAtItsStartValue) {
  designer::FormMain& w = Load();
  const double rmin = ValNUM(w.Text[field::kMinRefluxRatio]->text().toStdString());
  ASSERT_GT(rmin, 1);  // the load's calculation wrote the minimum reflux ratio
  KnobValues v = StartDesign();
  v.Rmin = rmin;
  for (int knob = 0; knob < designer::kKnobCount; ++knob) {
    SCOPED_TRACE(knob);
    const std::optional<double> centre = designer::KnobCentre(knob, v, TrackOf(knob));
    ASSERT_TRUE(centre);
    EXPECT_EQ(KnobLeftPixel(w, knob), ExpectedPixel(w, knob, *centre - TrackOf(knob).X1));
  }
  EXPECT_EQ(w.Label1[15]->text().toStdString(), w.Txt_q_LiqVap);
  EXPECT_FALSE(w.Modificado);
}

TEST_F(SliderKnobsInWindow, EveryFieldWriteReplacesAllKnobsAndTheSameTextPlacesThemIdentically) {
  designer::FormMain& w = Load();
  w.Text[field::kEfficiency]->setText("0.5");
  EXPECT_EQ(KnobLeftPixel(w, designer::kKnobE), ExpectedPixel(w, designer::kKnobE, 69.292929));
  // The ranges of the mole fractions move with zF: a lower zF widens the xD range below the
  // unchanged xD and narrows the xB range above the unchanged xB, so both knobs go right.
  const int xD = KnobLeftPixel(w, designer::kKnobXD);
  const int xB = KnobLeftPixel(w, designer::kKnobXB);
  w.Text[field::kXFeed]->setText("0.3");
  EXPECT_GT(KnobLeftPixel(w, designer::kKnobXD), xD);
  EXPECT_GT(KnobLeftPixel(w, designer::kKnobXB), xB);

  std::array<int, designer::kKnobCount> before{};
  for (int k = 0; k < designer::kKnobCount; ++k) before[k] = KnobLeftPixel(w, k);
  w.Text[field::kXFeed]->setText("0.46");
  w.Text[field::kXFeed]->setText("0.3");
  for (int k = 0; k < designer::kKnobCount; ++k) EXPECT_EQ(KnobLeftPixel(w, k), before[k]) << k;
}

TEST_F(SliderKnobsInWindow, TheRKnobIsPlacedRelativeToTheMinimumRefluxRatio) {
  designer::FormMain& w = Load();
  w.Text[field::kMinRefluxRatio]->setText("1.5");
  w.Text[field::kRefluxRatio]->setText("3");
  EXPECT_EQ(KnobLeftPixel(w, designer::kKnobR), ExpectedPixel(w, designer::kKnobR, 8.209615));
  w.Text[field::kMinRefluxRatio]->setText("3");  // a new Rmin alone moves the R knob
  EXPECT_EQ(KnobLeftPixel(w, designer::kKnobR), ExpectedPixel(w, designer::kKnobR, 0));
  w.Text[field::kMinRefluxRatio]->clear();       // no design yet: Rmin counts as 1
  w.Text[field::kRefluxRatio]->setText("2");
  EXPECT_EQ(KnobLeftPixel(w, designer::kKnobR), ExpectedPixel(w, designer::kKnobR, 8.209615));
  w.Text[field::kRefluxRatio]->setText("-4");
  EXPECT_EQ(KnobLeftPixel(w, designer::kKnobR), ExpectedPixel(w, designer::kKnobR, 0));
}

TEST_F(SliderKnobsInWindow, AKnobWhoseRangeIsEmptyStaysWhereItWas) {
  designer::FormMain& w = Load();
  const int xB = KnobLeftPixel(w, designer::kKnobXB);
  w.Text[field::kXFeed]->setText("0.002");  // xB would have to lie between 0.001 and 0.001
  EXPECT_EQ(KnobLeftPixel(w, designer::kKnobXB), xB);
  // The knobs placed after it are placed as usual.
  EXPECT_EQ(KnobLeftPixel(w, designer::kKnobZF), ExpectedPixel(w, designer::kKnobZF, 0));
  w.Text[field::kXBottoms]->setText("0.001");  // the same empty range at its own value: 0 / 0
  EXPECT_EQ(KnobLeftPixel(w, designer::kKnobXB), xB);
  w.Text[field::kXFeed]->setText("0.46");  // a range again: the knob follows its value
  EXPECT_EQ(KnobLeftPixel(w, designer::kKnobXB), ExpectedPixel(w, designer::kKnobXB, 0));
}

}  // namespace
}  // namespace stagora::test
