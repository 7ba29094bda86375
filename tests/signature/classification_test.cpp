// Open-circuit and stability detection of the live signature, and the
// settled condition the test run waits for.
#include "signature/classification.h"
#include "link/generator_full_scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "signature/signature_settings.h"

namespace vanto {
namespace {

constexpr int kPoints = 64;

// 1 V peak through 10 kilohms: vpk = 1 V, ipk = 0.1 mA.
GeneratorSettings OneVoltTenKilohms() {
  GeneratorSettings generator;
  generator.appliedMv = 1000.0f;
  generator.appliedOhms = 10000.0f;
  generator.appliedHz = 1000.0f;
  generator.actualOhms = 10000;
  return generator;
}

// A diode-like curve: current only for positive voltages.
Signature DiodeCurve() {
  Signature signature;
  signature.pointCount = kPoints;
  for (int i = 1; i <= kPoints; ++i) {
    const float phase = 2.0f * 3.14159265f * static_cast<float>(i - 1) / kPoints;
    const float volts = 0.8f * std::sin(phase);
    signature.voltage[i] = volts;
    signature.current[i] = volts > 0.3f ? (volts - 0.3f) * 1e-4f : 0.0f;
  }
  return signature;
}

class Classification : public ::testing::Test {
 protected:
  GeneratorSettings generator = OneVoltTenKilohms();
  Settings settings;
  SignatureAnalysis analysis;

  float Vpk() const { return generator.appliedMv / 1000.0f; }
  float Ipk() const { return Vpk() / static_cast<float>(generator.actualOhms); }
  SignatureState Classify() { return ClassifySignature(analysis, GeneratorFullScale(generator), settings); }
};

// Currents alternating +c and -c have the mean 0 exactly.
void AlternatingCurrent(Signature& signature, float c) {
  for (int i = 1; i <= signature.pointCount; ++i) signature.current[i] = i % 2 == 1 ? c : -c;
}

TEST_F(Classification, FlatCurrentIsOpenCircuitWhateverTheVoltage) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (float volts : {0.0f, 0.5f, -3.0f, 100.0f, nan}) {
    SCOPED_TRACE(volts);
    analysis.liveSignature = DiodeCurve();
    for (int i = 1; i <= kPoints; ++i) {
      analysis.liveSignature.voltage[i] = volts * static_cast<float>(i);
      // 1 mA with ripple well inside the default +-0.5 % of ipk band.
      analysis.liveSignature.current[i] = 1e-3f + (i % 3 == 0 ? 2e-7f : -1e-7f);
    }
    const Signature referenceBefore = DiodeCurve();
    analysis.referenceSignature = referenceBefore;
    analysis.stableCycleCount = 7;
    EXPECT_EQ(Classify(), SignatureState::OpenCircuit);
    EXPECT_EQ(analysis.signatureState, SignatureState::OpenCircuit);
    EXPECT_EQ(analysis.stableCycleCount, 0);
    EXPECT_EQ(analysis.referenceSignature.voltage, referenceBefore.voltage);
  }
}

struct BandCase {
  std::string text;
  float fraction;
};

class OpenCircuitBand : public Classification, public ::testing::WithParamInterface<BandCase> {};

TEST_P(OpenCircuitBand, PointsOnTheLimitAreInsideAndBeyondItAreNot) {
  settings.openCircuitDetectThreshold = GetParam().text;
  const float halfWidth = GetParam().fraction * Ipk();
  analysis.liveSignature.pointCount = kPoints;

  AlternatingCurrent(analysis.liveSignature, halfWidth);
  EXPECT_EQ(Classify(), SignatureState::OpenCircuit);

  AlternatingCurrent(analysis.liveSignature,
                     std::nextafter(halfWidth, std::numeric_limits<float>::infinity()));
  EXPECT_NE(Classify(), SignatureState::OpenCircuit);
}

INSTANTIATE_TEST_SUITE_P(Settings, OpenCircuitBand,
                         ::testing::Values(BandCase{"0.25%", 0.0025f}, BandCase{"0.50%", 0.005f},
                                           BandCase{"1.00%", 0.01f},
                                           BandCase{"2.00%", 0.0025f},  // not listed
                                           BandCase{"", 0.0025f}));

TEST_F(Classification, NanCurrentIsNotOpenCircuit) {
  analysis.liveSignature.pointCount = kPoints;
  AlternatingCurrent(analysis.liveSignature, 0.0f);
  analysis.liveSignature.current[9] = std::numeric_limits<float>::quiet_NaN();
  EXPECT_NE(Classify(), SignatureState::OpenCircuit);
}

TEST_F(Classification, IdenticalToTheReferenceStaysStableAndCounts) {
  analysis.liveSignature = DiodeCurve();
  analysis.referenceSignature = DiodeCurve();
  for (int call = 1; call <= 5; ++call) {
    EXPECT_EQ(Classify(), SignatureState::Stable) << "call " << call;
    EXPECT_EQ(analysis.stableCycleCount, call);
  }
}

TEST_F(Classification, NewNodeAfterOpenCircuitTakesOverTheReference) {
  analysis.liveSignature = DiodeCurve();
  analysis.referenceSignature = DiodeCurve();
  EXPECT_EQ(Classify(), SignatureState::Stable);

  analysis.liveSignature.pointCount = kPoints;
  AlternatingCurrent(analysis.liveSignature, 0.0f);
  EXPECT_EQ(Classify(), SignatureState::OpenCircuit);

  Signature other = DiodeCurve();
  for (int i = 1; i <= kPoints; ++i) other.current[i] = other.voltage[i] / 5000.0f;
  analysis.liveSignature = other;
  EXPECT_EQ(Classify(), SignatureState::Unstable);
  EXPECT_EQ(analysis.stableCycleCount, 0);
  EXPECT_EQ(analysis.referenceSignature.current, other.current);
  EXPECT_EQ(Classify(), SignatureState::Stable);
  EXPECT_EQ(analysis.stableCycleCount, 1);
}

TEST_F(Classification, SameNodeAfterOpenCircuitIsStableAtOnce) {
  analysis.liveSignature = DiodeCurve();
  analysis.referenceSignature = DiodeCurve();
  analysis.liveSignature.pointCount = kPoints;
  AlternatingCurrent(analysis.liveSignature, 0.0f);
  EXPECT_EQ(Classify(), SignatureState::OpenCircuit);
  analysis.liveSignature = DiodeCurve();
  EXPECT_EQ(Classify(), SignatureState::Stable);
  EXPECT_EQ(analysis.stableCycleCount, 1);
}

struct MoveCase {
  const char* name;
  bool moveVoltage;  // otherwise the current
  float direction;   // +1 or -1
};

class OnePointMoves : public Classification, public ::testing::WithParamInterface<MoveCase> {
 protected:
  // Moves point 17 of the live signature from the reference by the band's
  // tolerance (tV or tI), then one float step further when `beyond`.
  void MovePoint(bool beyond) {
    const float fraction = StabilityFraction(settings.stableSignatureDetectThreshold);
    const MoveCase& move = GetParam();
    const float tolerance = fraction * (move.moveVoltage ? Vpk() : Ipk());
    float& value =
        move.moveVoltage ? analysis.liveSignature.voltage[17] : analysis.liveSignature.current[17];
    const float reference = move.moveVoltage ? analysis.referenceSignature.voltage[17]
                                             : analysis.referenceSignature.current[17];
    const float limit = move.direction > 0 ? reference + tolerance : reference - tolerance;
    const float away = move.direction * std::numeric_limits<float>::infinity();
    value = beyond ? std::nextafter(limit, away) : limit;
  }
};

TEST_P(OnePointMoves, ByExactlyTheToleranceStaysStable) {
  analysis.referenceSignature = DiodeCurve();
  analysis.liveSignature = DiodeCurve();
  analysis.stableCycleCount = 3;
  MovePoint(false);
  EXPECT_EQ(Classify(), SignatureState::Stable);
  EXPECT_EQ(analysis.stableCycleCount, 4);
  EXPECT_EQ(analysis.referenceSignature.voltage, DiodeCurve().voltage);
  EXPECT_EQ(analysis.referenceSignature.current, DiodeCurve().current);
}

TEST_P(OnePointMoves, ByMoreBecomesUnstableAndReplacesTheReference) {
  analysis.referenceSignature = DiodeCurve();
  analysis.liveSignature = DiodeCurve();
  analysis.stableCycleCount = 3;
  MovePoint(true);
  EXPECT_EQ(Classify(), SignatureState::Unstable);
  EXPECT_EQ(analysis.signatureState, SignatureState::Unstable);
  EXPECT_EQ(analysis.stableCycleCount, 0);
  EXPECT_EQ(analysis.referenceSignature.voltage, analysis.liveSignature.voltage);
  EXPECT_EQ(analysis.referenceSignature.current, analysis.liveSignature.current);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, OnePointMoves,
    ::testing::Values(MoveCase{"VoltageUp", true, 1.0f}, MoveCase{"VoltageDown", true, -1.0f},
                      MoveCase{"CurrentUp", false, 1.0f}, MoveCase{"CurrentDown", false, -1.0f}),
    [](const ::testing::TestParamInfo<MoveCase>& info) { return std::string(info.param.name); });

TEST_F(Classification, NanPointIsOutsideTheStabilityBand) {
  analysis.referenceSignature = DiodeCurve();
  analysis.liveSignature = DiodeCurve();
  analysis.liveSignature.voltage[40] = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(Classify(), SignatureState::Unstable);
}

TEST_F(Classification, WiderStabilityBandAcceptsALargerMove) {
  analysis.referenceSignature = DiodeCurve();
  analysis.liveSignature = DiodeCurve();
  analysis.liveSignature.voltage[5] += 0.015f;  // 1.5 % of vpk
  settings.stableSignatureDetectThreshold = "1.00%";
  EXPECT_EQ(Classify(), SignatureState::Unstable);
  analysis.referenceSignature = DiodeCurve();
  settings.stableSignatureDetectThreshold = "2.00%";
  EXPECT_EQ(Classify(), SignatureState::Stable);
}

TEST_F(Classification, PointCountBeyondTheStorageUsesTheStoredPoints) {
  analysis.liveSignature = DiodeCurve();
  analysis.referenceSignature = DiodeCurve();
  analysis.liveSignature.pointCount = 100000;
  EXPECT_EQ(Classify(), SignatureState::Stable);
  analysis.liveSignature.pointCount = -5;
  EXPECT_EQ(Classify(), SignatureState::OpenCircuit);  // no points: nothing moves
}

TEST_F(Classification, SettlesAfterTheStableDelay) {
  settings.signatureCaptureDelay = "2 cycles";
  analysis.liveSignature = DiodeCurve();
  analysis.referenceSignature = DiodeCurve();
  EXPECT_FALSE(IsSettled(analysis, settings));
  Classify();
  EXPECT_FALSE(IsSettled(analysis, settings));
  Classify();
  EXPECT_TRUE(IsSettled(analysis, settings));

  analysis.liveSignature.voltage[1] += 0.5f;
  Classify();
  EXPECT_FALSE(IsSettled(analysis, settings));
}

TEST_F(Classification, StableButShortOfTheDelayIsNotSettled) {
  settings.signatureCaptureDelay = "10 cycles";
  analysis.signatureState = SignatureState::Stable;
  analysis.stableCycleCount = 9;
  EXPECT_FALSE(IsSettled(analysis, settings));
  analysis.stableCycleCount = 10;
  EXPECT_TRUE(IsSettled(analysis, settings));
  analysis.signatureState = SignatureState::Unstable;
  EXPECT_FALSE(IsSettled(analysis, settings));
}

}  // namespace
}  // namespace vanto
