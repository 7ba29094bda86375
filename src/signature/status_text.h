// The status line drawn on the main scope after each classification.
#pragma once

#include <string>

#include "foundation/settings.h"
#include "signature/signature_analysis.h"

namespace vanto {

// "O/C", "Stable" or "Unstable".
const char* SignatureStateWord(SignatureState state);

// The state and the stable count: "Stable, Count: 12".
std::string SignatureClassificationText(const SignatureAnalysis& analysis);

// e.g. "Stable, Count: 12, Prev: 0.37%, Threshold: 1.50%"; the threshold is
// the setting text as stored.
std::string SignatureStatusText(const SignatureAnalysis& analysis, const Settings& settings);

}  // namespace vanto
