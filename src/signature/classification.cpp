#include "signature/classification.h"

#include "signature/full_scale.h"
#include "signature/signature_settings.h"

namespace vanto {
namespace {

// Every Y[i] within [mean - b, mean + b], limits included. A NaN current
// lies outside every band.
bool CurrentIsFlat(const Signature& live, int n, float ipkAmps, float fraction) {
  float sum = 0.0f;
  for (int i = 1; i <= n; ++i) sum = sum + live.current[i];
  const float mean = sum / static_cast<float>(n);
  const float halfWidth = fraction * ipkAmps;
  const float low = mean - halfWidth;
  const float high = mean + halfWidth;
  for (int i = 1; i <= n; ++i) {
    const float y = live.current[i];
    if (!(y >= low && y <= high)) return false;
  }
  return true;
}

// Every point within tV and tI of the reference, limits included; written
// as "inside" so that a comparison with NaN counts as outside.
bool WithinStabilityBand(const Signature& live, const Signature& reference, int n, float tV,
                         float tI) {
  for (int i = 1; i <= n; ++i) {
    const float vHigh = reference.voltage[i] + tV;
    const float vLow = reference.voltage[i] - tV;
    const float iHigh = reference.current[i] + tI;
    const float iLow = reference.current[i] - tI;
    const float x = live.voltage[i];
    const float y = live.current[i];
    const bool inside = x <= vHigh && x >= vLow && y <= iHigh && y >= iLow;
    if (!inside) return false;
  }
  return true;
}

}  // namespace

SignatureState ClassifySignature(SignatureAnalysis& analysis, FullScale scale,
                                 const Settings& settings) {
  const float vpkVolts = scale.volts;
  const float ipkAmps = scale.amps;
  const int n = UsablePoints(analysis.liveSignature.pointCount);

  const float openFraction = OpenCircuitFraction(settings.openCircuitDetectThreshold);
  if (CurrentIsFlat(analysis.liveSignature, n, ipkAmps, openFraction)) {
    analysis.stableCycleCount = 0;
    analysis.openCycleCount += 1;
    analysis.signatureState = SignatureState::OpenCircuit;
    return analysis.signatureState;
  }

  analysis.openCycleCount = 0;
  analysis.stableCycleCount += 1;
  const float stableFraction = StabilityFraction(settings.stableSignatureDetectThreshold);
  const float tV = stableFraction * vpkVolts;
  const float tI = stableFraction * ipkAmps;
  if (!WithinStabilityBand(analysis.liveSignature, analysis.referenceSignature, n, tV, tI)) {
    // Drift is judged against the signature present when it last settled,
    // so the reference moves only here.
    analysis.referenceSignature = analysis.liveSignature;
    analysis.stableCycleCount = 0;
    analysis.signatureState = SignatureState::Unstable;
    return analysis.signatureState;
  }
  analysis.signatureState = SignatureState::Stable;
  return analysis.signatureState;
}

bool IsSettled(const SignatureAnalysis& analysis, const Settings& settings) {
  return analysis.signatureState == SignatureState::Stable &&
         analysis.stableCycleCount >= StableDelayCycles(settings);
}

bool IsSettledOpen(const SignatureAnalysis& analysis, const Settings& settings) {
  return analysis.signatureState == SignatureState::OpenCircuit &&
         analysis.openCycleCount >= StableDelayCycles(settings);
}

}  // namespace vanto
