// The golden-versus-live difference: point-to-segment nearness, segment
// coverage, the bisection result with its range, and the pass/fail rule.
#include "signature/golden_difference.h"
#include "testplan/golden_record.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "testplan/signature_record.h"

namespace vanto {
namespace {

constexpr int kPoints = 64;
// The bisection moves in steps of 10/2, 10/4, ... 10/65536 from 10, so the
// smallest result is one last step above 0 and the largest one below 20.
constexpr double kLastStep = 10.0 / 65536.0;
constexpr double kSmallest = kLastStep;
constexpr double kLargest = 20.0 - kLastStep;

GeneratorSettings Applied(float mv, float ohms) {
  GeneratorSettings generator;
  generator.appliedMv = mv;
  generator.appliedOhms = ohms;
  generator.appliedHz = 100.0f;
  generator.actualOhms = static_cast<int>(ohms);
  return generator;
}

// A capacitor-like ellipse: half of full scale on both axes, i.e. a circle
// of radius 50 in percent units.
Signature HalfScaleCircle(float mv, float ohms) {
  const float vpk = mv / 1000.0f;
  const float ipk = vpk / ohms;
  Signature signature;
  signature.pointCount = kPoints;
  for (int i = 1; i <= kPoints; ++i) {
    const double phase = 2.0 * 3.141592653589793 * (i - 1) / kPoints;
    signature.voltage[i] = static_cast<float>(0.5 * vpk * std::cos(phase));
    signature.current[i] = static_cast<float>(0.5 * ipk * std::sin(phase));
  }
  return signature;
}

Signature Scaled(const Signature& signature, float factor) {
  Signature scaled = signature;
  for (int i = 1; i <= kPoints; ++i) {
    scaled.voltage[i] *= factor;
    scaled.current[i] *= factor;
  }
  return scaled;
}

class GoldenDifference : public ::testing::Test {
 protected:
  GoldenDifference() {
    plan.table.InsertEmptyRows(2, 1);
    plan.currentRecord = 2;
  }
  // Stores a golden circle in record 2 and returns it as read back.
  Signature StoreGolden(float mv, float ohms) {
    StoreLiveSignature(plan.table, 2, 0, HalfScaleCircle(mv, ohms), Applied(mv, ohms));
    return ReadSlotSignature(plan.table, 2, 0);
  }

  TestPlanState plan;
  SignatureAnalysis analysis;
  Settings settings;
};

TEST_F(GoldenDifference, IdenticalSignatureGivesTheSmallestValue) {
  analysis.displaySignature = StoreGolden(1000.0f, 10000.0f);
  EXPECT_NEAR(MeasureGoldenDifference(analysis, plan), kSmallest, 1e-9);
  EXPECT_NEAR(analysis.goldenDifference, kSmallest, 1e-9);
}

TEST_F(GoldenDifference, DisplacementBeyondTwentyPercentGivesTheLargestValue) {
  // Every measured point lies 25 units outside the golden circle.
  analysis.displaySignature = Scaled(StoreGolden(1000.0f, 10000.0f), 1.5f);
  EXPECT_NEAR(MeasureGoldenDifference(analysis, plan), kLargest, 1e-5);
  EXPECT_FALSE(PassesGoldenTest(analysis, settings));
}

struct ScaleCase {
  float mv;
  float ohms;
};

class GoldenDifferenceScale : public GoldenDifference,
                              public ::testing::WithParamInterface<ScaleCase> {};

// A circle 10 % larger lies 5 units outside the golden one at every point;
// the nearest part of each golden segment is its end, 5 units away. The
// record's own settings set the percent scale.
TEST_P(GoldenDifferenceScale, TenPercentLargerCircleDiffersByFive) {
  const Signature golden = StoreGolden(GetParam().mv, GetParam().ohms);
  analysis.displaySignature = Scaled(golden, 1.1f);
  EXPECT_NEAR(MeasureGoldenDifference(analysis, plan), 5.0, 2 * kLastStep + 1e-4);
  EXPECT_EQ(analysis.goldenPercent.pointCount, kPoints);
  EXPECT_NEAR(analysis.goldenPercent.voltage[1], 50.0f, 1e-3);
  EXPECT_NEAR(analysis.dutPercent.voltage[1], 55.0f, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(StoredSettings, GoldenDifferenceScale,
                         ::testing::Values(ScaleCase{1000.0f, 10000.0f}, ScaleCase{200.0f, 50.0f},
                                           ScaleCase{10000.0f, 100.0f}));

TEST_F(GoldenDifference, StoredSettingsSetTheScale) {
  const Signature golden = StoreGolden(1000.0f, 10000.0f);
  analysis.displaySignature = Scaled(golden, 1.1f);
  const float before = MeasureGoldenDifference(analysis, plan);
  // Doubling the stored peak voltage doubles both stored full scales (the
  // current one through the same stored resistance), so both axes shrink
  // to half and the 5-unit gap becomes 2.5.
  plan.table.SetCell(2, 2, "2000");
  const float after = MeasureGoldenDifference(analysis, plan);
  EXPECT_NEAR(before, 5.0, 2 * kLastStep + 1e-4);
  EXPECT_NEAR(after, 2.5, 2 * kLastStep + 1e-4);
}

TEST_F(GoldenDifference, NanInTheMeasuredSignatureCoversNothingItWouldHaveCovered) {
  const Signature golden = StoreGolden(1000.0f, 10000.0f);
  analysis.displaySignature = golden;
  for (int i = 1; i <= kPoints; ++i) {
    analysis.displaySignature.voltage[i] = std::numeric_limits<float>::quiet_NaN();
  }
  EXPECT_NEAR(MeasureGoldenDifference(analysis, plan), kLargest, 1e-5);
}

struct MissingScaleCase {
  const char* amplitude;
  const char* resistance;
};

class GoldenDifferenceWithoutScale : public GoldenDifference,
                                     public ::testing::WithParamInterface<MissingScaleCase> {};

// A record without a usable stored voltage or resistance cannot be scaled;
// it gets the largest difference and fails instead of dividing by zero.
TEST_P(GoldenDifferenceWithoutScale, GivesTheLargestDifference) {
  analysis.displaySignature = StoreGolden(1000.0f, 10000.0f);
  plan.table.SetCell(2, 2, GetParam().amplitude);
  plan.table.SetCell(2, 4, GetParam().resistance);
  EXPECT_NEAR(MeasureGoldenDifference(analysis, plan), kLargest, 1e-5);
  EXPECT_FALSE(PassesGoldenTest(analysis, settings));
}

INSTANTIATE_TEST_SUITE_P(Cells, GoldenDifferenceWithoutScale,
                         ::testing::Values(MissingScaleCase{"", "10000"},
                                           MissingScaleCase{"0", "10000"},
                                           MissingScaleCase{"1000", ""},
                                           MissingScaleCase{"1000", "0"}));

TEST_F(GoldenDifference, RecordPastTheEndGivesTheLargestDifference) {
  analysis.displaySignature = StoreGolden(1000.0f, 10000.0f);
  plan.currentRecord = RowCount(plan) + 1;
  EXPECT_NEAR(MeasureGoldenDifference(analysis, plan), kLargest, 1e-5);
}

TEST_F(GoldenDifference, StoredPointCountBeyondTheStorageIsLimitedToIt) {
  analysis.displaySignature = StoreGolden(1000.0f, 10000.0f);
  plan.table.SetCell(2, 31, "100000");
  const float difference = MeasureGoldenDifference(analysis, plan);
  EXPECT_EQ(analysis.goldenPercent.pointCount, 128);
  EXPECT_TRUE(std::isfinite(difference));
}

// A golden marked "Yes" with no points stored has nothing to pass against:
// it counts as wholly different, so a test never judges it Good.
TEST_F(GoldenDifference, NoStoredPointsIsWhollyDifferent) {
  StoreGolden(1000.0f, 10000.0f);
  plan.table.SetCell(2, 31, "0");
  EXPECT_NEAR(MeasureGoldenDifference(analysis, plan), kLargest, 1e-5);
}

// Noisy ellipses from a fixed generator, so every run is the same.
class NoisyCurves : public GoldenDifference, public ::testing::WithParamInterface<int> {
 protected:
  float Noise() {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<float>(seed >> 8) / static_cast<float>(1u << 24) - 0.5f;
  }
  std::uint32_t seed = 0;
};

// The bisection exactly as described: from 10 with steps 5, 2.5, ...,
// testing the coverage of all segments at every step.
float BisectWithCoverageTests(const Signature& golden, const Signature& measured, int n) {
  float d = 10.0f;
  float step = 10.0f;
  for (int k = 0; k < 16; ++k) {
    step = step / 2.0f;
    d = AllSegmentsCovered(golden, measured, n, d) ? d - step : d + step;
  }
  return d;
}

TEST_P(NoisyCurves, ResultIsTheBisectionOverCoverageTests) {
  seed = static_cast<std::uint32_t>(GetParam());
  const float spread = 0.002f * static_cast<float>(GetParam() % 7);  // up to 1.2 % of full scale
  const Signature golden = StoreGolden(1000.0f, 1000.0f);
  analysis.displaySignature = golden;
  for (int i = 1; i <= kPoints; ++i) {
    analysis.displaySignature.voltage[i] += spread * Noise();
    analysis.displaySignature.current[i] += spread * 1e-3f * Noise();
  }
  const float difference = MeasureGoldenDifference(analysis, plan);
  EXPECT_EQ(difference,
            BisectWithCoverageTests(analysis.goldenPercent, analysis.dutPercent, kPoints));

  const float coverage = CoverageDistance(analysis.goldenPercent, analysis.dutPercent, kPoints);
  EXPECT_TRUE(AllSegmentsCovered(analysis.goldenPercent, analysis.dutPercent, kPoints, coverage));
  EXPECT_FALSE(AllSegmentsCovered(analysis.goldenPercent, analysis.dutPercent, kPoints,
                                  std::nextafter(coverage, 0.0f)));
}

INSTANTIATE_TEST_SUITE_P(Seeds, NoisyCurves, ::testing::Range(1, 15));

struct NearCase {
  const char* name;
  PercentPoint a;
  PercentPoint b;
  PercentPoint p;
  bool near;
};

class PointNearSegmentCase : public ::testing::TestWithParam<NearCase> {};

TEST_P(PointNearSegmentCase, WithinOneUnit) {
  const NearCase& c = GetParam();
  EXPECT_EQ(PointNearSegment(c.a, c.b, 1.0f, c.p), c.near);
}

INSTANTIATE_TEST_SUITE_P(
    Geometry, PointNearSegmentCase,
    ::testing::Values(NearCase{"OnEndA", {0, 0}, {10, 0}, {0, 0}, true},
                      NearCase{"OnEndB", {0, 0}, {10, 0}, {10, 0}, true},
                      NearCase{"CloseToEndB", {0, 0}, {10, 0}, {10.5f, 0.5f}, true},
                      NearCase{"OverTheMiddleInside", {0, 0}, {10, 0}, {5, 0.9f}, true},
                      NearCase{"OverTheMiddleBelowInside", {0, 0}, {10, 0}, {5, -0.9f}, true},
                      NearCase{"OverTheMiddleOutside", {0, 0}, {10, 0}, {5, 1.1f}, false},
                      NearCase{"OnTheLineBeyondA", {0, 0}, {10, 0}, {-1.5f, 0}, false},
                      NearCase{"BesideTheLineBeyondB", {0, 0}, {10, 0}, {11.5f, 0.5f}, false},
                      NearCase{"SlantedSegmentInside", {0, 0}, {10, 10}, {5.5f, 4.5f}, true},
                      NearCase{"SlantedSegmentOutside", {0, 0}, {10, 10}, {6, 4}, false},
                      NearCase{"CoincidentEndsNear", {3, 3}, {3, 3}, {3, 3.5f}, true},
                      // A zero-length segment (length taken as 1e-9) has right angles at
                      // both ends and a zero angle at the point, so any point covers it.
                      NearCase{"CoincidentEndsAnyPoint", {3, 3}, {3, 3}, {3, 60}, true},
                      NearCase{"ZeroLengthDistanceIsNear", {0, 0}, {0, 0}, {0, 0}, true}),
    [](const ::testing::TestParamInfo<NearCase>& info) { return std::string(info.param.name); });

TEST(AllSegmentsCovered, NoPointsAreCovered) {
  EXPECT_TRUE(AllSegmentsCovered(Signature{}, Signature{}, 0, 0.5f));
}

TEST(AllSegmentsCovered, OneUncoveredSegmentIsEnough) {
  // A square of side 10; the measured points lie only on its bottom edge,
  // 10 units from the top edge.
  Signature golden;
  golden.pointCount = 4;
  const float xs[] = {0, 10, 10, 0};
  const float ys[] = {0, 0, 10, 10};
  for (int i = 1; i <= 4; ++i) {
    golden.voltage[i] = xs[i - 1];
    golden.current[i] = ys[i - 1];
  }
  EXPECT_TRUE(AllSegmentsCovered(golden, golden, 4, 0.1f));
  Signature measured = golden;
  measured.voltage[3] = 0;
  measured.current[3] = 0;
  measured.voltage[4] = 10;
  measured.current[4] = 0;
  EXPECT_FALSE(AllSegmentsCovered(golden, measured, 4, 9.9f));
  EXPECT_TRUE(AllSegmentsCovered(golden, measured, 4, 10.0f));
}

struct ThresholdCase {
  const char* threshold;
  float difference;
  bool passes;
};

class PassesGoldenTestCase : public ::testing::TestWithParam<ThresholdCase> {};

TEST_P(PassesGoldenTestCase, ComparesWithTheThresholdInPercent) {
  Settings settings;
  settings.goldenVsLiveThreshold = GetParam().threshold;
  SignatureAnalysis analysis;
  analysis.goldenDifference = GetParam().difference;
  EXPECT_EQ(PassesGoldenTest(analysis, settings), GetParam().passes);
}

INSTANTIATE_TEST_SUITE_P(
    Thresholds, PassesGoldenTestCase,
    ::testing::Values(ThresholdCase{"1.50%", 1.49f, true}, ThresholdCase{"1.50%", 1.50f, true},
                      ThresholdCase{"1.50%", 1.51f, false}, ThresholdCase{"0.50%", 0.5f, true},
                      ThresholdCase{"0.75%", 0.76f, false}, ThresholdCase{"5.00%", 4.99f, true},
                      ThresholdCase{"5.00%", 5.01f, false},
                      // unlisted text: 0 %, so every non-zero difference fails
                      ThresholdCase{"1.5%", 0.00015f, false}, ThresholdCase{"", 0.0f, true},
                      ThresholdCase{"1.50%", std::numeric_limits<float>::quiet_NaN(), false}));

}  // namespace
}  // namespace vanto
