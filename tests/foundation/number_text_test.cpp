// The integer parser and the fixed-point float text.
#include "foundation/number_text.h"

#include <gtest/gtest.h>

#include <limits>

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

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatFloatTest,
    ::testing::Values(FloatCase{0.00120, "0.0012"}, FloatCase{3.0, "3"}, FloatCase{2.5, "2.5"},
                      FloatCase{-0.5, "-0.5"}, FloatCase{0.0, "0"}, FloatCase{100.0, "100"},
                      FloatCase{1.0 / 3.0, "0.3333333333"}, FloatCase{-1e-12, "0"},
                      FloatCase{std::numeric_limits<double>::infinity(), "+Infinity"},
                      FloatCase{-std::numeric_limits<double>::infinity(), "-Infinity"},
                      FloatCase{std::numeric_limits<double>::quiet_NaN(), "NaN"}));

TEST(ParseFloat, ReadsTheStartAndGivesZeroForNoNumber) {
  EXPECT_DOUBLE_EQ(ParseFloat("2.5"), 2.5);
  EXPECT_DOUBLE_EQ(ParseFloat(" -0.0012xyz"), -0.0012);
  EXPECT_DOUBLE_EQ(ParseFloat("abc"), 0.0);
  EXPECT_DOUBLE_EQ(ParseFloat(""), 0.0);
}

}  // namespace
}  // namespace vanto
