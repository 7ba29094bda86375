// The four analysis settings as numbers. The stored texts are compared with
// their lists exactly (case-sensitive); a text outside its list quietly
// gives the fallback value.
#pragma once

#include <string_view>

#include "foundation/settings.h"

namespace vanto {

// "0.25%", "0.50%", "1.00%" as fractions; otherwise 0.0025.
float OpenCircuitFraction(std::string_view text);
// "0.50%", "1.00%", "2.00%" as fractions; otherwise 0.01.
float StabilityFraction(std::string_view text);
// "2 cycles" ... "20 cycles"; otherwise 5.
int StableDelayCycles(std::string_view text);
// "0.50%" ... "5.00%" as fractions; otherwise 0, so any difference fails.
float GoldenVsLiveThresholdFraction(std::string_view text);

int StableDelayCycles(const Settings& settings);
// The golden-vs-live threshold in percent (fraction x 100).
float GoldenVsLiveThresholdPercent(const Settings& settings);

}  // namespace vanto
