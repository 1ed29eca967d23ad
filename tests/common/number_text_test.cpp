#include "common/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace stagora {
namespace {

std::string Commas(std::string s) {
  for (char& c : s)
    if (c == '.') c = ',';
  return s;
}

TEST(ValNUM, ReadsTheLeadingNumberOfAnyText) {
  struct Case {
    std::string text;
    double value;
  };
  const std::vector<Case> cases = {
      {"1,5", 1.5},
      {"1.5", 1.5},
      {"1,2.5", 1.2},
      {"1.2,5", 1.2},
      {"abc", 0},
      {"", 0},
      {" 2 5", 25},
      {"1e3", 1000},
      {"1E400", 0},
      {"-1E400", 0},
      {"1E-400", 0},
      {"1D2", 100},
      {"1d-2", 0.01},
      {"-1.5e-2", -0.015},
      {" - 3", -3},
      {"+4", 4},
      {"--5", 0},
      {"-+5", 0},
      {"1e", 1},
      {"1e+", 1},
      {"1 e - 2", 0.01},
      {"2.5E+3x", 2500},
      {"1e3.5", 1000},
      {".5", 0.5},
      {",5", 0.5},
      {"5.", 5},
      {".", 0},
      {"-", 0},
      {"e5", 0},
      {"\t1\n2", 12},
      {"1\r2", 1},
      {"12abc", 12},
      {"&H10", 0},
      {"&O7", 0},
      {"0x1A", 0},
      {"1.7976931348623157E308", DBL_MAX},
      {"007", 7},
      {"1e0000000000000000000002", 100},
      {std::string(400, '9'), 0},
      {std::string("3\0"
                   "4",
                   3),
       3},
  };
  // Both "," and "." read as the point: the reading takes no decimal symbol.
  for (const Case& c : cases) EXPECT_EQ(ValNUM(c.text), c.value) << "text \"" << c.text << "\"";
}

TEST(ValNUM, StopsAtTheEndOfTheTextItIsGiven) {
  // No terminator after the characters: the sanitizer sees any read past them.
  const std::unique_ptr<char[]> bytes(new char[4]{'1', 'e', '2', '5'});
  EXPECT_EQ(ValNUM(std::string_view(bytes.get(), 3)), 100);
  EXPECT_EQ(ValNUM(std::string_view(bytes.get(), 2)), 1);
  EXPECT_EQ(ValNUM(std::string_view(bytes.get(), 0)), 0);
}

TEST(ValNUM, ArbitraryBytesGiveAFiniteNumber) {
  std::mt19937 rng(99);
  const std::string alphabet = "0123456789.,eEdD+- \t\nx&";
  for (int round = 0; round < 5000; ++round) {
    std::string text(rng() % 40, ' ');
    for (char& c : text)
      c = (rng() % 8 == 0) ? static_cast<char>(rng() % 256) : alphabet[rng() % alphabet.size()];
    EXPECT_TRUE(std::isfinite(ValNUM(text))) << text;
  }
}

TEST(ValNUM, SaysWhenTheNumberIsBeyondTheRangeOfADouble) {
  struct Case {
    const char* text;
    double value;
    bool outOfRange;
  };
  const Case cases[] = {
      {"1E999", 0, true}, {"-1e400", 0, true}, {"1E-999", 0, true},  // too small to tell from 0
      {"1E308", 1e308, false}, {"0E999", 0, false}, {"abc", 0, false}, {"", 0, false},
  };
  for (const Case& c : cases) {
    bool outOfRange = !c.outOfRange;
    EXPECT_EQ(ValNUM(c.text, &outOfRange), c.value) << c.text;
    EXPECT_EQ(outOfRange, c.outOfRange) << c.text;
  }
}

TEST(RoundPOW10, RoundsHalfUpAtTheGivenPlace) {
  EXPECT_EQ(RoundPOW10(1.5, -3), 1.5);
  EXPECT_EQ(RoundPOW10(0.125, -3), 0.13);
  EXPECT_EQ(RoundPOW10(12.34, -2), 12.3);
  EXPECT_EQ(RoundPOW10(999.6, -1), 1000);
  EXPECT_EQ(RoundPOW10(-2.5, -1), -2);  // half up, towards plus infinity
  EXPECT_EQ(RoundPOW10(123456, 2), 123000);
}

TEST(RoundPOW10, GivesZeroWhenThePowerOrProductLeavesTheDoubleRange) {
  EXPECT_EQ(RoundPOW10(1, 400), 0);      // 10^-401 is zero
  EXPECT_EQ(RoundPOW10(1, -400), 0);     // 10^399 overflows
  EXPECT_EQ(RoundPOW10(1e300, -20), 0);  // the scaled value overflows
}

TEST(NumberText, FifteenDigitsInTheShortestForm) {
  struct Case {
    double x;
    const char* text;
  };
  const std::vector<Case> cases = {
      {0, "0"},
      {-0.0, "0"},
      {0.5, ".5"},
      {-0.5, "-.5"},
      {100, "100"},
      {12345.678, "12345.678"},
      {0.1 + 0.2, ".3"},
      {1.0 / 3, ".333333333333333"},
      {2.0 / 3, ".666666666666667"},
      {1e-4, ".0001"},
      {1.25e-4, ".000125"},
      {1e-5, "1E-05"},
      {1.5e20, "1.5E+20"},
      {123456789012345, "123456789012345"},
      {999999999999999.4, "999999999999999"},
      {9999999999999999.0, "1E+16"},
      {1e15, "1E+15"},
      {-1e-300, "-1E-300"},
      {1e100, "1E+100"},
      {DBL_MAX, "1.79769313486232E+308"},
  };
  for (const Case& c : cases) EXPECT_EQ(NumberText(c.x), c.text) << c.x;
}

TEST(NumToHTFC, WritesPointAndExponentAsMarkUp) {
  EXPECT_EQ(NumToHTFC(1.5e20), "1&.5&E+20");
  EXPECT_EQ(NumToHTFC(1e-5), "1&E-5");
  EXPECT_EQ(NumToHTFC(1e-10), "1&E-10");
  EXPECT_EQ(NumToHTFC(-1.5e-7), "-1&.5&E-7");
  EXPECT_EQ(NumToHTFC(0.5), "0&.5");
  EXPECT_EQ(NumToHTFC(-0.5), "-0&.5");
  EXPECT_EQ(NumToHTFC(1.5), "1&.5");
  EXPECT_EQ(NumToHTFC(0), "0");
}

// The display text for "." and ",", and the mark-up text, which no symbol changes.
struct FormatCase {
  double x;
  double n;
  const char* display;
  const char* htfc;
};

const std::vector<FormatCase>& FormatCases() {
  static const std::vector<FormatCase> cases = {
      {0, 3, "0", "0"},
      {-0.0, 3, "0", "0"},
      {1.5, 3, "1.5", "1&.5"},
      {-0.5, 3, "-0.5", "-0&.5"},
      {12.34, 3, "12.3", "12&.3"},
      {999.6, 3, "1000", "1000"},
      {0.05, 3, "0.05", "0&.05"},
      {123456, 3, "1.23E5", "1&.23&E5"},
      {-123456, 3, "-1.23E5", "-1&.23&E5"},
      {100000, 3, "1E5", "1&.0&E5"},
      {1000000, 3, "1E6", "10&.&E5"},
      {2.5e-3, 3, "2.5E-3", "2&.5&E-3"},
      {0.0099999, 3, "1E-2", "10&.&E-3"},
      {-0.0099999, 3, "-1E-2", "-10&.&E-3"},
      {0.001, 3, "1E-3", "1&.0&E-3"},
      {99999.9, 3, "100000", "100000"},
      {100000, 5, "1E5", "1&.000&E5"},
      {1000000, 5, "1E6", "10&.00&E5"},
      {2.5e-7, 5, "2.5E-7", "2&.500&E-7"},
      {1000, 5, "1000", "1000"},
      {1e9, 5, "1E9", "10&.00&E8"},
      {1e12, 5, "1E12", "10&.00&E11"},
      {0.123456, 5, "0.12346", "0&.12346"},
      {3.14159265, 6, "3.14159", "3&.14159"},
      {-45678.9, 6, "-45678.9", "-45678&.9"},
      {1.0 / 3 * 1e-3, 5, "3.3333E-4", "3&.3333&E-4"},
      {6.02214076e23, 5, "6.0221E23", "6&.0221&E23"},
      {1.5e308, 5, "1.5E308", "1&.500&E308"},
  };
  return cases;
}

TEST(FormatNUM, DisplayAndMarkUpTextInBothDecimalSymbols) {
  for (const FormatCase& c : FormatCases()) {
    SCOPED_TRACE(testing::Message() << "x = " << c.x << ", n = " << c.n);
    EXPECT_EQ(FormatNUM(c.x, c.n, "."), c.display);
    EXPECT_EQ(FormatNUM(c.x, c.n, ","), Commas(c.display));
    EXPECT_EQ(FormatNUM_HTFC(c.x, c.n), c.htfc);
  }
}

TEST(FormatNUM, DisplayTextReadsBackAsTheRoundedValue) {
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> exponent(-30, 30);
  for (const char* symbol : {".", ","}) {
    for (int round = 0; round < 3000; ++round) {
      const double x = (rng() % 2 ? -1 : 1) * mantissa(rng) * std::pow(10.0, exponent(rng));
      for (double n : {3.0, 5.0, 6.0}) {
        const std::string text = FormatNUM(x, n, symbol);
        const double back = ValNUM(text);
        EXPECT_NEAR(back, x, std::fabs(x) * std::pow(10.0, 1 - n)) << text << " from " << x;
        EXPECT_EQ(text.find(symbol[0] == '.' ? ',' : '.'), std::string::npos) << text;
        EXPECT_EQ(text.find("10E"), std::string::npos) << text;
      }
    }
  }
}

TEST(FormatNUM, ExtremeValuesGiveATextWithoutFailing) {
  const double values[] = {DBL_MIN,
                           -DBL_MIN,
                           std::numeric_limits<double>::denorm_min(),
                           std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::quiet_NaN()};
  for (double x : values) {
    for (double n : {2.0, 5.0, 15.0}) {
      EXPECT_FALSE(FormatNUM(x, n, ".").empty()) << x;
      EXPECT_FALSE(FormatNUM_HTFC(x, n).empty()) << x;
    }
  }
}

}  // namespace
}  // namespace stagora
