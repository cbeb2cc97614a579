// Float text of dialog fields: what a user sees for a value and which texts count as numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/FloatText.h"

namespace tessary {
namespace {

TEST(FloatText, ShowsUpToSixSignificantDigits) {
  const std::pair<float, const char*> cases[] = {
      {2.0f, "2"},           {-1.0f, "-1"},          {150.0f, "150"},        {0.25f, "0.25"},
      {0.1f, "0.1"},         {123456.0f, "123456"},  {1234567.0f, "1.23457e+06"}, {3.14159265f, "3.14159"},
      {0.0001f, "0.0001"},   {0.00001f, "1e-05"},    {0.0f, "0"},            {-0.0f, "-0"}};
  for (auto [value, text] : cases) EXPECT_EQ(FormatFloat(value), text);
  // What is shown reads back within half a unit of the sixth digit.
  for (float value : {1.0f / 3.0f, -2.0f / 7.0f, 6.02e23f, -9.87654e-12f, std::numeric_limits<float>::max()}) {
    const auto back = ParseFloat(FormatFloat(value));
    ASSERT_TRUE(back.has_value()) << value;
    EXPECT_LE(std::fabs(*back - value), std::fabs(value) * 5e-6f) << value;
  }
}

TEST(FloatText, ReadsDecimalNumbersWithBlanksAroundAndNothingElse) {
  const std::pair<const char*, float> numbers[] = {
      {"1e3", 1000.0f}, {" 2 ", 2.0f},  {"\t-3.5\n", -3.5f}, {"+4", 4.0f},   {".5", 0.5f},
      {"5.", 5.0f},     {"2.5E-1", 0.25f}, {"007", 7.0f},    {"1e-50", 0.0f}, {"3.4e38", 3.4e38f}};
  for (auto [text, value] : numbers) EXPECT_EQ(ParseFloat(text), value) << '"' << text << '"';
  EXPECT_TRUE(std::signbit(ParseFloat("-0").value_or(1.0f)));
  for (const char* text : {"", "   ", "abc", "1,5", "0x10", "1e", "e5", ".", "-", "+-1", "--1", "1.5f", "2 3",
                           "1..2", "inf", "-inf", "nan", "infinity", "1e39", "-1e39", "1e400", "12a", "a12"})
    EXPECT_FALSE(ParseFloat(text).has_value()) << '"' << text << '"';
}

}  // namespace
}  // namespace tessary
