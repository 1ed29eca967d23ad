// Reading and validating the design data: every key, in its order, the first fault winning.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "designer/calculation/design_calculation.h"

namespace stagora {
namespace {

// The designer's default design: alpha 2, q 0.5, zF 0.46, xD 0.85, xB 0.17, R 3, E 1.
DesignFields DefaultFields() { return {"2", "0.5", "0.46", "0.85", "0.17", "3", "1"}; }

struct ValidationCase {
  const char* what;
  std::string DesignFields::*field;
  const char* text;
  std::string DesignFields::*field2;  // a second change, or nullptr
  const char* text2;
  std::string_view key;  // "" when the design passes validation
};

class ValidationTest : public ::testing::TestWithParam<ValidationCase> {};

TEST_P(ValidationTest, ReportsTheFirstFailingCheck) {
  const ValidationCase& c = GetParam();
  DesignInput in;
  in.fields = DefaultFields();
  in.fields.*c.field = c.text;
  if (c.field2 != nullptr) in.fields.*c.field2 = c.text2;
  const DesignResult r = CalculateDesign(in);
  if (c.key.empty()) {
    EXPECT_TRUE(r.ok()) << r.errorKey << r.errorText;
  } else {
    EXPECT_EQ(r.errorKey, c.key);
    EXPECT_EQ(r.phase, CalcPhase::kValidation);
    EXPECT_TRUE(r.errorText.empty());
    EXPECT_EQ(r.NumPlatosTeor, 0);
    EXPECT_EQ(r.PlatoAlimTeor, 0);
    EXPECT_FALSE(r.pendienteMinSet());
  }
}

using F = DesignFields;
const ValidationCase kValidationCases[] = {
    {"default design", &F::Text1, "2", nullptr, nullptr, ""},
    {"comma as decimal point", &F::Text3, "0,46", nullptr, nullptr, ""},
    {"empty R reads as 0", &F::Text6, "", nullptr, nullptr, calc_key::kNegativeRefluxRatio},
    {"R = 0", &F::Text6, "0", nullptr, nullptr, calc_key::kNegativeRefluxRatio},
    {"R < 0", &F::Text6, "-1", nullptr, nullptr, calc_key::kNegativeRefluxRatio},
    {"empty zF", &F::Text3, "", nullptr, nullptr, calc_key::kXFeedOutRange},
    {"zF = 1", &F::Text3, "1", nullptr, nullptr, calc_key::kXFeedOutRange},
    {"zF not a number", &F::Text3, "abc", nullptr, nullptr, calc_key::kXFeedOutRange},
    {"xD = 1", &F::Text4, "1", &F::Text3, "0.4", calc_key::kXDistOutRange},
    {"xD = 0", &F::Text4, "0", nullptr, nullptr, calc_key::kXDistOutRange},
    {"xB = 1.2", &F::Text5, "1.2", nullptr, nullptr, calc_key::kXBottOutRange},
    {"xB = 0", &F::Text5, "0", nullptr, nullptr, calc_key::kXBottOutRange},
    {"alpha = 1", &F::Text1, "1", nullptr, nullptr, calc_key::kAlphaOutRange},
    {"alpha beyond a double reads as 0", &F::Text1, "1E400", nullptr, nullptr, calc_key::kAlphaOutRange},
    {"xB = zF", &F::Text5, "0.46", nullptr, nullptr, calc_key::kXbottGtXfeed},
    {"zF = xD", &F::Text3, "0.85", nullptr, nullptr, calc_key::kXfeedGtXdist},
    {"E = 0", &F::Text15, "0", nullptr, nullptr, calc_key::kOverallEfficOutRange},
    {"E just above 1", &F::Text15, "1.0000001", nullptr, nullptr, calc_key::kOverallEfficOutRange},
    {"E = 0.5", &F::Text15, "0.5", nullptr, nullptr, ""},
    {"R = 0 and zF = 2: R first", &F::Text6, "0", &F::Text3, "2", calc_key::kNegativeRefluxRatio},
    {"xB = 2 and alpha = 1: xB first", &F::Text1, "1", &F::Text5, "2", calc_key::kXBottOutRange},
    {"zF = xD and E = 0: zF first", &F::Text15, "0", &F::Text3, "0.85", calc_key::kXfeedGtXdist},
};

INSTANTIATE_TEST_SUITE_P(Keys, ValidationTest, ::testing::ValuesIn(kValidationCases),
                         [](const ::testing::TestParamInfo<ValidationCase>& info) {
                           return "case" + std::to_string(info.index);
                         });

TEST(Validation, AlphaIsCheckedInTableModeToo) {
  auto lookup = std::make_unique<EquilibriumLookup>();
  DesignInput in;
  in.fields = DefaultFields();
  in.fields.Text1 = "1";
  in.UsarTabla = true;
  in.lookup = lookup.get();
  EXPECT_EQ(CalculateDesign(in).errorKey, calc_key::kAlphaOutRange);
}

TEST(Validation, RejectedDesignKeepsTheValuesAsReadForThePointMarks) {
  DesignInput in;
  in.fields = DefaultFields();
  in.fields.Text5 = "1,2";
  const DesignResult r = CalculateDesign(in);
  EXPECT_EQ(r.errorKey, calc_key::kXBottOutRange);
  EXPECT_EQ(r.data.xB, 1.2);
  EXPECT_EQ(r.data.zF, 0.46);
  EXPECT_EQ(r.data.xD, 0.85);
}

TEST(Validation, ValueThatIsNotANumberIsInvalidDataBeforeAnyRangeCheck) {
  DesignData d{2, 0.5, 0.46, 0.85, 0.17, 0, 1};  // R = 0 would fail validation
  d.q = NAN;
  DesignResult r = CalculateDesign(d, false, nullptr);
  EXPECT_EQ(r.errorKey, calc_key::kInvalidData);
  EXPECT_EQ(r.phase, CalcPhase::kReadInputs);
  d.q = 0.5;
  d.E = INFINITY;
  EXPECT_EQ(CalculateDesign(d, false, nullptr).errorKey, calc_key::kInvalidData);
}

}  // namespace
}  // namespace stagora
