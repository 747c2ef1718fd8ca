#include <gtest/gtest.h>

#include <cfloat>
#include <limits>

#include "platform/runtime/FloatFormat.h"

namespace halvorn {
namespace {

const TFormatSettings kEnglish{".", ","};
const TFormatSettings kGreek{",", "."};
constexpr Extended kInf = std::numeric_limits<Extended>::infinity();
constexpr Extended kNaN = std::numeric_limits<Extended>::quiet_NaN();

TEST(FloatFormat, FixedTextOfTheRunResults) {
  const struct {
    Extended value;
    const char* text;
  } cases[] = {
      {static_cast<float>(-1.6499749), "-1.650"},
      {static_cast<float>(0.11315496), "0.113"},
      {static_cast<float>(-8.74207), "-8.742"},
      {static_cast<float>(2.8e-6), "0.000"},
      {0.0004L, "0.000"},
      {-0.0004L, "-0.000"},  // the sign of a small negative t is kept
      {-2.5L, "-2.500"},
      {1.0L, "1.000"},
      {0.0005L, "0.001"},  // halves go away from zero
      {-0.0015L, "-0.002"},
      {999.9996L, "1000.000"},
      {123456789012.3456L, "123456789012.346"},
      {999999999999999.0L, "999999999999999.000"},
      {1e15L, "1E015"},  // 16 integer digits: general format
      {-2.5e20L, "-2.5E020"},
      {static_cast<float>(FLT_MAX), "3.40282346638529E038"},
      {kInf, "INF"},
      {-kInf, "-INF"},
      {kNaN, "NAN"},
      {-kNaN, "-NAN"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FloatToStrFixed(c.value, 15, 3, kEnglish), c.text) << static_cast<double>(c.value);
}

TEST(FloatFormat, FixedTextUsesTheLocaleDecimalSeparatorWithoutGrouping) {
  EXPECT_EQ(FloatToStrFixed(-1234.5678L, 15, 3, kGreek), "-1234,568");
  EXPECT_EQ(FloatToStrFixed(0.113L, 15, 3, kGreek), "0,113");
}

TEST(FloatFormat, FixedTextRoundsToFifteenSignificantDigitsFirst) {
  // Seventeen significant digits in, fifteen count; the third decimal is a
  // padding zero.
  EXPECT_EQ(FloatToStrFixed(1234567890123.4567L, 15, 3, kEnglish), "1234567890123.460");
}

TEST(FloatFormat, AxisPattern) {
  const struct {
    Extended value;
    const char* english;
    const char* greek;
  } cases[] = {
      {1234.5L, "1,234.5", "1.234,5"},
      {1500, "1,500", "1.500"},
      {2.5L, "2.5", "2,5"},
      {100, "100", "100"},
      {0.0004L, "0", "0"},
      {0, "0", "0"},
      {-1234567.8915L, "-1,234,567.892", "-1.234.567,892"},
      {12.3456L, "12.346", "12,346"},
      {0.25L, "0.25", "0,25"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatFloat("#,##0.###", c.value, kEnglish), c.english);
    EXPECT_EQ(FormatFloat("#,##0.###", c.value, kGreek), c.greek);
  }
}

TEST(FloatFormat, OtherPatterns) {
  const struct {
    const char* pattern;
    Extended value;
    const char* text;
  } cases[] = {
      {"##0.## %", 12.5L, "12.5 %"},
      {"##0.## %", 100, "100 %"},
      {"0.00", 3, "3.00"},
      {"000", 7, "007"},
      {"#.##", 0.5L, ".5"},
      {"0.0;(0.0)", -2.25L, "(2.3)"},
      {"0.0;(0.0);'zero'", 0.01L, "zero"},
      {"0.00E+00", 12345, "1.23E+04"},
      {"0.0E-0", 0.00123L, "1.2E-3"},
      {"'x='0", 4, "x=4"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatFloat(c.pattern, c.value, kEnglish), c.text) << c.pattern;
}

TEST(FloatFormat, PatternOfTwoHundredTwentyFiveCharactersIsRefused) {
  const std::string accepted(224, '#');
  EXPECT_NO_THROW(FormatFloat(accepted, 1, kEnglish));
  try {
    FormatFloat(std::string(225, '#'), 1, kEnglish);
    FAIL() << "expected EConvertError";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Format string too long");
  }
}

TEST(FloatFormat, DecimalDigits) {
  const TFloatDecimal d = FloatToDecimal(-0.0125L, 15, 3);
  EXPECT_TRUE(d.Negative);
  EXPECT_EQ(d.Digits, "13");
  EXPECT_EQ(d.Exponent, -1);
  const TFloatDecimal nine = FloatToDecimal(9.9996L, 15, 3);
  EXPECT_EQ(nine.Digits, "1");
  EXPECT_EQ(nine.Exponent, 2);
}

}  // namespace
}  // namespace halvorn
