// The signatures the program holds and the state of the live-signature
// analysis. Main thread only: the acquisition thread never touches them.
#pragma once

#include <cstdint>

#include "signature/signature.h"

namespace vanto {

struct SignatureAnalysis {
  // Written from each new data frame; 64 points until the generator sets
  // the frame shape.
  Signature liveSignature{.pointCount = 64};
  // What stability is judged against; replaced only when the live signature
  // is found unstable.
  Signature referenceSignature;
  Signature frozenGolden;
  Signature frozenDut;
  // The signature being drawn; after a redraw while connected, a copy of
  // the live signature that the redraw classified.
  Signature displaySignature;
  // Golden and measured curves in percent of full scale, from the last
  // golden comparison.
  Signature goldenPercent;
  Signature dutPercent;

  SignatureState signatureState = SignatureState::OpenCircuit;
  std::int32_t stableCycleCount = 0;  // consecutive stable classifications
  // Consecutive open-circuit classifications. On a scanner channel an open
  // node is a measurement (there is no probe to lift), and this count tells
  // when it has lasted long enough to be taken.
  std::int32_t openCycleCount = 0;
  float goldenDifference = 0.0f;      // percent, from the last comparison
};

}  // namespace vanto
