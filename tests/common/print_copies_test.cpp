// The count of copies read from a print dialog's copies box: the number at the start of the
// text, rounded half to even, and what the spinner takes of it.
#include <gtest/gtest.h>

#include <optional>

#include "common/print_copies.h"

namespace stagora::test {
namespace {

TEST(PrintCopies, ValueWholeValueAndSpinnerPosition) {
  struct Case {
    const char* text;
    double value;
    std::optional<long> whole;
    std::optional<long> spinner;
  };
  const Case cases[] = {
      {" 1", 1, 1, 1},
      {"12", 12, 12, 12},
      {"  7x", 7, 7, 7},
      {"", 0, 0, std::nullopt},
      {"abc", 0, 0, std::nullopt},
      {"0", 0, 0, std::nullopt},
      {"1999", 1999, 1999, 1999},
      {"2000", 2000, 2000, std::nullopt},
      {"2.5", 2.5, 2, 2},  // a half goes to the even neighbour
      {"3.5", 3.5, 4, 4},
      {"0.5", 0.5, 0, std::nullopt},
      {"1,5", 1, 1, 1},  // a comma does not continue the number
      {"2e2", 200, 200, 200},
      {"2e", 2, 2, 2},  // an exponent without digits is not read
      {"-3", -3, -3, std::nullopt},
      {"1 2", 1, 1, 1},
      {"2147483647", 2147483647.0, 2147483647L, std::nullopt},
      {"2147483648", 2147483648.0, std::nullopt, std::nullopt},  // beyond 32 bits
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(TextValue(c.text), c.value);
    EXPECT_EQ(WholeTextValue(c.text), c.whole);
    EXPECT_EQ(SpinnerValueOf(c.text), c.spinner);
  }
  // A pasted exponent form too large for any count.
  EXPECT_EQ(WholeTextValue("9e99"), std::nullopt);
  EXPECT_EQ(WholeTextValue("9e999"), std::nullopt);
}

}  // namespace
}  // namespace stagora::test
