// The analysis settings as numbers, with the fallbacks for texts outside
// their lists.
#include "signature/signature_settings.h"

#include <gtest/gtest.h>

#include <string>

namespace vanto {
namespace {

struct FractionCase {
  const char* text;
  float fraction;
};

class OpenCircuitSetting : public ::testing::TestWithParam<FractionCase> {};
TEST_P(OpenCircuitSetting, GivesItsFraction) {
  EXPECT_EQ(OpenCircuitFraction(GetParam().text), GetParam().fraction);
}
INSTANTIATE_TEST_SUITE_P(
    Texts, OpenCircuitSetting,
    ::testing::Values(FractionCase{"0.25%", 0.0025f}, FractionCase{"0.50%", 0.005f},
                      FractionCase{"1.00%", 0.01f}, FractionCase{"0.5%", 0.0025f},
                      FractionCase{"2.00%", 0.0025f}, FractionCase{"", 0.0025f},
                      FractionCase{" 0.50%", 0.0025f}));

class StabilitySetting : public ::testing::TestWithParam<FractionCase> {};
TEST_P(StabilitySetting, GivesItsFraction) {
  EXPECT_EQ(StabilityFraction(GetParam().text), GetParam().fraction);
}
INSTANTIATE_TEST_SUITE_P(Texts, StabilitySetting,
                         ::testing::Values(FractionCase{"0.50%", 0.005f},
                                           FractionCase{"1.00%", 0.01f},
                                           FractionCase{"2.00%", 0.02f},
                                           FractionCase{"0.25%", 0.01f}, FractionCase{"2%", 0.01f},
                                           FractionCase{"", 0.01f}));

class ThresholdSetting : public ::testing::TestWithParam<FractionCase> {};
TEST_P(ThresholdSetting, GivesItsFractionAndPercent) {
  EXPECT_EQ(GoldenVsLiveThresholdFraction(GetParam().text), GetParam().fraction);
  Settings settings;
  settings.goldenVsLiveThreshold = GetParam().text;
  EXPECT_FLOAT_EQ(GoldenVsLiveThresholdPercent(settings), GetParam().fraction * 100.0f);
}
INSTANTIATE_TEST_SUITE_P(
    Texts, ThresholdSetting,
    ::testing::Values(FractionCase{"0.50%", 0.005f}, FractionCase{"0.75%", 0.0075f},
                      FractionCase{"1.00%", 0.01f}, FractionCase{"1.50%", 0.015f},
                      FractionCase{"2.00%", 0.02f}, FractionCase{"3.00%", 0.03f},
                      FractionCase{"4.00%", 0.04f}, FractionCase{"5.00%", 0.05f},
                      FractionCase{"1.5%", 0.0f}, FractionCase{"6.00%", 0.0f},
                      FractionCase{"", 0.0f}));

TEST(ThresholdSetting, DefaultIsOneAndAHalfPercent) {
  EXPECT_EQ(GoldenVsLiveThresholdPercent(Settings{}), 1.5f);
}

struct DelayCase {
  const char* text;
  int cycles;
};

class DelaySetting : public ::testing::TestWithParam<DelayCase> {};
TEST_P(DelaySetting, GivesItsCycles) {
  EXPECT_EQ(StableDelayCycles(GetParam().text), GetParam().cycles);
  Settings settings;
  settings.signatureCaptureDelay = GetParam().text;
  EXPECT_EQ(StableDelayCycles(settings), GetParam().cycles);
}
INSTANTIATE_TEST_SUITE_P(Texts, DelaySetting,
                         ::testing::Values(DelayCase{"2 cycles", 2}, DelayCase{"5 cycles", 5},
                                           DelayCase{"10 cycles", 10}, DelayCase{"15 cycles", 15},
                                           DelayCase{"20 cycles", 20}, DelayCase{"10 Cycles", 5},
                                           DelayCase{"3 cycles", 5}, DelayCase{"", 5}));

}  // namespace
}  // namespace vanto
