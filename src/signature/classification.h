// Open-circuit and stability detection of the live signature. Main thread;
// called once per scope redraw while the instrument is connected, and each
// call is one cycle of the stable delay.
#pragma once

#include "foundation/settings.h"
#include "signature/full_scale.h"
#include "signature/signature_analysis.h"

namespace vanto {

// Classifies analysis.liveSignature against analysis.referenceSignature,
// stores the result in analysis.signatureState and returns it. Counts
// stableCycleCount and replaces the reference when the live signature has
// moved out of the stability band. `scale` is the full scale of the
// applied generator settings.
SignatureState ClassifySignature(SignatureAnalysis& analysis, FullScale scale,
                                 const Settings& settings);

// True once the live signature has stayed stable for the stable delay.
bool IsSettled(const SignatureAnalysis& analysis, const Settings& settings);

// An open circuit that has lasted the stable delay: on a scanner channel
// that is the node's signature (an open pin), not a lifted probe.
bool IsSettledOpen(const SignatureAnalysis& analysis, const Settings& settings);

}  // namespace vanto
