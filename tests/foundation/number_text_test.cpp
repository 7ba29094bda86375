// The integer parser and the fixed-point float text, under the C locale and
// under locales whose decimal point is a comma.
#include "foundation/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#include "support/process_locale.h"

namespace vanto {
namespace {

struct IntCase {
  const char* text;
  std::int32_t value;
};

class ParseIntTest : public ::testing::TestWithParam<IntCase> {};

TEST_P(ParseIntTest, ReadsTheNumberAtTheStart) {
  EXPECT_EQ(ParseInt(GetParam().text), GetParam().value) << "text: \"" << GetParam().text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseIntTest,
    ::testing::Values(IntCase{"42", 42}, IntCase{"-17", -17}, IntCase{"+8", 8},
                      IntCase{"  \t 12", 12}, IntCase{"$FF0000", 16711680},
                      IntCase{"$ff", 255}, IntCase{"-$10", -16}, IntCase{"%1011", 11},
                      IntCase{"%102", 2}, IntCase{"12abc", 12}, IntCase{"yes", 0},
                      IntCase{"", 0}, IntCase{"-", 0}, IntCase{"$", 0}, IntCase{" 1 2", 1},
                      IntCase{"2147483647", 2147483647},
                      IntCase{"4294967295", -1},  // wraps to 32 bits
                      IntCase{"$FFFFFFFF", -1}));

struct FloatCase {
  double value;
  const char* text;
};

class FormatFloatTest : public ::testing::TestWithParam<FloatCase> {};

TEST_P(FormatFloatTest, WritesTenDecimalsWithoutTrailingZeros) {
  EXPECT_EQ(FormatFloat(GetParam().value), GetParam().text);
}

const std::vector<FloatCase> kFloatCases = {
    {0.00120, "0.0012"},
    {3.0, "3"},
    {2.5, "2.5"},
    {-0.5, "-0.5"},
    {0.0, "0"},
    {100.0, "100"},
    {1.0 / 3.0, "0.3333333333"},
    {-1e-12, "0"},
    {std::numeric_limits<double>::infinity(), "+Infinity"},
    {-std::numeric_limits<double>::infinity(), "-Infinity"},
    {std::numeric_limits<double>::quiet_NaN(), "NaN"},
    {0.00000000005, "0.0000000001"},  // the exact value lies just above the half
    {12345678.25, "12345678.25"},
    // Past 64 characters the text keeps six decimals.
    {1e60, "999999999999999949387135297074018866963645011013410073083904.000000"},
};

INSTANTIATE_TEST_SUITE_P(Cases, FormatFloatTest, ::testing::ValuesIn(kFloatCases));

TEST(ParseFloat, ReadsTheStartAndGivesZeroForNoNumber) {
  EXPECT_DOUBLE_EQ(ParseFloat("2.5"), 2.5);
  EXPECT_DOUBLE_EQ(ParseFloat(" -0.0012xyz"), -0.0012);
  EXPECT_DOUBLE_EQ(ParseFloat("abc"), 0.0);
  EXPECT_DOUBLE_EQ(ParseFloat(""), 0.0);
}

using ::vanto::testing::EachLocaleTest;
using ::vanto::testing::ProcessLocale;
using ::vanto::testing::TestLocales;

TEST(ProcessLocale, CommaLocalesReallyWriteACommaThroughPrintf) {
  // Without this the locale tests below would prove nothing.
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8"}) {
    ProcessLocale locale(name);
    ASSERT_TRUE(locale.Active());
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 0.5);
    EXPECT_STREQ(text, "0,5") << name;
  }
}

class NumberTextInLocale : public EachLocaleTest {};

TEST_P(NumberTextInLocale, FormatFloatWritesAPoint) {
  for (const FloatCase& c : kFloatCases) EXPECT_EQ(FormatFloat(c.value), c.text) << c.value;
}

struct ParseCase {
  const char* text;
  double value;
};

TEST_P(NumberTextInLocale, ParseFloatReadsAPointAndStopsAtAComma) {
  const double inf = std::numeric_limits<double>::infinity();
  const ParseCase cases[] = {
      {"2.5", 2.5},
      {" -0.0012xyz", -0.0012},
      {"0.0012", 0.0012},
      {" \t+3.3V", 3.3},
      {"+.5", 0.5},
      {"5.", 5.0},
      {"1e3", 1000.0},
      {"2.5E-3 mA", 0.0025},
      {"1e", 1.0},
      {"1,5", 1.0},  // a comma is never a decimal point in stored text
      {"0x1.8p1", 3.0},
      {"0x", 0.0},
      {"0xg", 0.0},
      {"inf", inf},
      {"-Infinity", -inf},
      {"1e999", inf},
      {"-1e999", -inf},
      {"1e-999", 0.0},
      {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
      {"+-5", 0.0},
      {"-", 0.0},
      {".", 0.0},
      {"abc", 0.0},
      {"", 0.0},
  };
  for (const ParseCase& c : cases) EXPECT_EQ(ParseFloat(c.text), c.value) << '"' << c.text << '"';
  EXPECT_TRUE(std::isnan(ParseFloat("nan")));
  EXPECT_TRUE(std::signbit(ParseFloat("-0")));
}

struct FixedCase {
  double value;
  int decimals;
  const char* text;
};

TEST_P(NumberTextInLocale, FormatFixedRoundsTheExactValueHalvesToEven) {
  const FixedCase cases[] = {
      {2.5, 0, "2"},       {3.5, 0, "4"},        {-2.5, 0, "-2"},
      {0.125, 2, "0.12"},  {0.375, 2, "0.38"},   {5.025, 2, "5.03"},  // 5.025 is 5.02500000000000035...
      {5.015, 2, "5.01"},  // 5.015 is 5.01499999999999968...
      {22.001f, 3, "22.001"}, {100.0 / 3, 2, "33.33"}, {0.0, 2, "0.00"},
      {-1.0, 1, "-1.0"},   {1234567.0, 0, "1234567"},
      {std::numeric_limits<double>::infinity(), 2, "inf"},
      {-std::numeric_limits<double>::infinity(), 0, "-inf"},
  };
  for (const FixedCase& c : cases) {
    EXPECT_EQ(FormatFixed(c.value, c.decimals), c.text) << c.value << " with " << c.decimals;
  }
}

TEST_P(NumberTextInLocale, StoredTextReadsBackToTheSameText) {
  for (const char* text : {"0.0012", "-3.3", "22.001", "0", "5.0300000001", "-0.0000000001",
                           "1000000", "0.3333333333"}) {
    EXPECT_EQ(FormatFloat(ParseFloat(text)), text);
  }
}

TEST_P(NumberTextInLocale, SignatureValuesSurviveWriteAndRead) {
  // Signature points are floats; ten decimals hold them to within 5e-11.
  for (float value : {0.0012f, -4.9876543f, 9.99999f, 1e-6f, -0.000123f, 0.1f}) {
    EXPECT_NEAR(ParseFloat(FormatFloat(value)), value, 5e-11) << value;
  }
}

VANTO_INSTANTIATE_FOR_EACH_LOCALE(NumberTextInLocale);

TEST(FormatFixed, GivesPrintfsDigitsOfTheCLocaleUnderEveryLocale) {
  std::vector<double> values;
  for (int i = -2000; i <= 2000; ++i) values.push_back(i / 8.0 + i / 1000.0);
  for (double v : {0.005, 0.015, 0.025, 1.0005, 2.675, 1e-7, 123456.785, 9.995, -0.0049999})
    values.push_back(v);
  struct Expected {
    double value;
    int decimals;
    std::string text;
  };
  std::vector<Expected> expected;
  {
    ProcessLocale c("C");
    ASSERT_TRUE(c.Active());
    for (double v : values) {
      for (int decimals : {0, 1, 2, 3, 10}) {
        char text[64];
        std::snprintf(text, sizeof text, "%.*f", decimals, v);
        expected.push_back({v, decimals, text});
      }
    }
  }
  for (const std::string& name : TestLocales()) {
    ProcessLocale locale(name);
    ASSERT_TRUE(locale.Active());
    int mismatches = 0;
    for (const Expected& e : expected) {
      if (FormatFixed(e.value, e.decimals) != e.text && ++mismatches <= 5) {
        ADD_FAILURE() << name << ": " << e.value << " with " << e.decimals << " gives "
                      << FormatFixed(e.value, e.decimals) << ", printf " << e.text;
      }
    }
    EXPECT_EQ(mismatches, 0) << name;
  }
}

}  // namespace
}  // namespace vanto
