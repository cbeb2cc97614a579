// Float text of dialog fields: what a user sees for a value and which texts count as numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/FloatText.h"

namespace tessary {
namespace {

TEST(FormatFloat, ShowsUpToSixSignificantDigits) {
  EXPECT_EQ(FormatFloat(2.0f), "2");
  EXPECT_EQ(FormatFloat(-1.0f), "-1");
  EXPECT_EQ(FormatFloat(150.0f), "150");
  EXPECT_EQ(FormatFloat(0.25f), "0.25");
  // 0.1 is not exact in binary; six digits hide that.
  EXPECT_EQ(FormatFloat(0.1f), "0.1");
  EXPECT_EQ(FormatFloat(123456.0f), "123456");
  EXPECT_EQ(FormatFloat(1234567.0f), "1.23457e+06");
  EXPECT_EQ(FormatFloat(3.14159265f), "3.14159");
  EXPECT_EQ(FormatFloat(0.0001f), "0.0001");
  EXPECT_EQ(FormatFloat(0.00001f), "1e-05");
  EXPECT_EQ(FormatFloat(0.0f), "0");
  EXPECT_EQ(FormatFloat(-0.0f), "-0");
}

TEST(ParseFloat, TakesDecimalNumbersWithSurroundingBlanks) {
  EXPECT_EQ(ParseFloat("1e3"), 1000.0f);
  EXPECT_EQ(ParseFloat(" 2 "), 2.0f);
  EXPECT_EQ(ParseFloat("\t-3.5\n"), -3.5f);
  EXPECT_EQ(ParseFloat("+4"), 4.0f);
  EXPECT_EQ(ParseFloat(".5"), 0.5f);
  EXPECT_EQ(ParseFloat("5."), 5.0f);
  EXPECT_EQ(ParseFloat("2.5E-1"), 0.25f);
  EXPECT_EQ(ParseFloat("007"), 7.0f);
  const auto negativeZero = ParseFloat("-0");
  ASSERT_TRUE(negativeZero.has_value());
  EXPECT_EQ(*negativeZero, 0.0f);
  EXPECT_TRUE(std::signbit(*negativeZero));
  // Too small for a float: as near as a float gets.
  EXPECT_EQ(ParseFloat("1e-50"), 0.0f);
  EXPECT_EQ(ParseFloat("3.4e38"), 3.4e38f);
}

TEST(ParseFloat, RefusesEverythingElse) {
  for (const char* text : {"", "   ", "abc", "1,5", "0x10", "1e", "e5", ".", "-", "+-1", "--1", "1.5f", "2 3",
                           "1..2", "inf", "-inf", "nan", "infinity", "1e39", "-1e39", "1e400", "12a", "a12"}) {
    EXPECT_FALSE(ParseFloat(text).has_value()) << '"' << text << '"';
  }
}

TEST(FloatText, WhatIsShownReadsBackAsNearlyTheSameValue) {
  for (float value : {1.0f / 3.0f, -2.0f / 7.0f, 123.456789f, 1e-7f, 6.02e23f, -9.87654e-12f, 65535.5f,
                      std::numeric_limits<float>::max()}) {
    const auto back = ParseFloat(FormatFloat(value));
    ASSERT_TRUE(back.has_value()) << value;
    // Six significant digits: the error is at most half a unit in the sixth digit.
    EXPECT_LE(std::fabs(*back - value), std::fabs(value) * 5e-6f) << value;
  }
}

}  // namespace
}  // namespace tessary
