// The result fields and the line equations, in both decimal symbols.
#include <gtest/gtest.h>

#include <string>

#include "common/number_text.h"
#include "designer/calculation/design_calculation.h"
#include "designer/calculation/result_texts.h"

namespace stagora {
namespace {

// alpha 2, q 0.5, zF 0.46, xD 0.85, xB 0.17, R 3, E 1.
DesignData DefaultData() { return {2, 0.5, 0.46, 0.85, 0.17, 3, 1}; }

DesignResult Calc(const DesignData& d, const std::string& simbolo = ".") {
  return CalculateDesign(d, false, nullptr, simbolo);
}

struct RectaCase {
  double m, b;
  const char* simbolo;
  const char* text;
};

TEST(Recta, WritesSlopeAndInterceptWithTheirSigns) {
  const RectaCase cases[] = {
      {0.75, 0.25, ".", "y = 0.75x + 0.25"},
      {-1, 1.2, ".", "y = -x + 1.2"},
      {1.5, -0.02, ".", "y = 1.5x - 0.02"},
      {1, 0.3, ".", "y = x + 0.3"},
      {0, 0.5, ".", "y = 0.5"},
      {0, -0.5, ".", "y = -0.5"},
      {0, 0, ".", "y = 0"},
      {2.5, 0, ".", "y = 2.5x "},  // an intercept of 0 leaves the trailing blank
      {-1, 0, ".", "y = -x "},
      {-2.123456, -0.000123456, ".", "y = -2.1235x - 1.2346E-4"},
      {123456, 7, ".", "y = 1.2346E5x + 7"},
      {0.75, 0.25, ",", "y = 0,75x + 0,25"},
      {1.5, -0.02, ",", "y = 1,5x - 0,02"},
  };
  for (const RectaCase& c : cases) {
    EXPECT_EQ(Recta(c.m, c.b, c.simbolo), c.text) << c.m << " " << c.b << " " << c.simbolo;
  }
}

TEST(Recta, EachCallWritesTheSymbolItIsGivenWhateverCameBefore) {
  EXPECT_EQ(Recta(0.75, 0.25, ","), "y = 0,75x + 0,25");
  EXPECT_EQ(Recta(0.75, 0.25, "."), "y = 0.75x + 0.25");
  EXPECT_EQ(Recta(-1, 1.2, ","), "y = -x + 1,2");
  EXPECT_EQ(Recta(-1, 1.2, "."), "y = -x + 1.2");
}

TEST(ResultTexts, DefaultDesignInBothSymbols) {
  // Hand-worked: mE 0.75, bE 0.2125; q-line slope -1 through 0.92; xq 1.415 / 3.5; stripping
  // slope 1.47561; pinch from the quadratic; Rmin = 0.641342 / 0.358658.
  const ResultTexts dot = MakeResultTexts(Calc(DefaultData(), "."));
  EXPECT_EQ(dot.Text7, "1.7882");
  EXPECT_EQ(dot.Text8, "y = -x + 0.92");
  EXPECT_EQ(dot.Text9, "y = 0.75x + 0.2125");
  EXPECT_EQ(dot.Text10, "y = 1.4756x - 0.080854");
  EXPECT_EQ(dot.Text11, "xq = 0.40429;   yq = 0.51571");
  EXPECT_EQ(dot.Text12, "xm = 0.37478;   ym = 0.54522");
  EXPECT_EQ(dot.Text13, "4.35");
  EXPECT_EQ(dot.Text14, "7.55");

  const ResultTexts comma = MakeResultTexts(Calc(DefaultData(), ","));
  EXPECT_EQ(comma.Text7, "1,7882");
  EXPECT_EQ(comma.Text8, "y = -x + 0,92");
  EXPECT_EQ(comma.Text9, "y = 0,75x + 0,2125");
  EXPECT_EQ(comma.Text10, "y = 1,4756x - 0,080854");
  EXPECT_EQ(comma.Text11, "xq = 0,40429;   yq = 0,51571");
  EXPECT_EQ(comma.Text12, "xm = 0,37478;   ym = 0,54522");
  EXPECT_EQ(comma.Text13, "4,35");
  EXPECT_EQ(comma.Text14, "7,55");
}

TEST(ResultTexts, TextsTakeTheSymbolOfTheirOwnResult) {
  // Texts of a comma result first, then of a point result: nothing of the first carries over.
  const ResultTexts comma = MakeResultTexts(Calc(DefaultData(), ","));
  const ResultTexts dot = MakeResultTexts(Calc(DefaultData(), "."));
  EXPECT_EQ(comma.Text11, "xq = 0,40429;   yq = 0,51571");
  EXPECT_EQ(dot.Text11, "xq = 0.40429;   yq = 0.51571");
}

TEST(ResultTexts, VerticalQLineShowsTheFeedAbscissa) {
  // The hand-worked design: alpha 2.5, q 1, zF 0.5, xD 0.95, xB 0.05, R 2.
  const DesignResult r = Calc({2.5, 1, 0.5, 0.95, 0.05, 2, 1});
  ASSERT_TRUE(r.ok());
  const ResultTexts t = MakeResultTexts(r);
  EXPECT_EQ(t.Text8, "x = 0.5");
  EXPECT_EQ(t.Text7, "1.1");
  EXPECT_EQ(t.Text9, "y = 0.66667x + 0.31667");
  EXPECT_EQ(t.Text11, "xq = 0.5;   yq = 0.65");
  EXPECT_EQ(t.Text12, "xm = 0.5;   ym = 0.71429");

  // Only the exact marker is vertical: a q just above 1 gives a steep line of its own.
  const ResultTexts steep = MakeResultTexts(Calc({2.5, 1.0000001, 0.5, 0.95, 0.05, 2, 1}));
  EXPECT_EQ(steep.Text8.rfind("y = 1E7x - ", 0), 0u) << steep.Text8;
}

TEST(ResultTexts, PlateCountsAreRealPlatesToThreeDigits) {
  DesignResult r = Calc(DefaultData());
  ASSERT_TRUE(r.ok());
  r.data.E = 0.5;
  r.NumPlatosTeor = 8.4;
  r.PlatoAlimTeor = 4.3476664964870118;
  const ResultTexts t = MakeResultTexts(r);
  EXPECT_EQ(t.Text14, "16.8");
  EXPECT_EQ(t.Text13, "8.7");

  r.data.E = 0.1;
  r.NumPlatosTeor = 123.456;
  EXPECT_EQ(MakeResultTexts(r).Text14, "1230");
}

TEST(ResultTexts, FailedDesignWritesNoText) {
  const DesignResult r = Calc({2, 0.5, 0.46, 0.85, 0.17, 1, 1});  // R below the minimum
  ASSERT_EQ(r.errorKey, "RefluxRatio_belowMin");
  const ResultTexts t = MakeResultTexts(r);
  for (const std::string* s : {&t.Text7, &t.Text8, &t.Text9, &t.Text10, &t.Text11, &t.Text12, &t.Text13, &t.Text14}) {
    EXPECT_EQ(*s, "");
  }
}

}  // namespace
}  // namespace stagora
