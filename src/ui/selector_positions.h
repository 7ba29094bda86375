// The list positions the interface refresh selects for the applied
// generator values. A value between list entries selects the entry whose
// range holds it; a value outside every range falls back to a fixed entry.
#pragma once

#include <optional>
#include <string_view>

namespace vanto {

// Rounded to whole mV: 0-299 -> 0 (0.2 Vpk), ..., 900-1499 -> 4 (1 Vpk),
// ..., 7500-12499 -> 9 (10 Vpk); anything else -> 4.
int VoltagePosition(float appliedMv);
// Rounded to whole ohms, an exact entry of the model's list; anything
// else -> 0 (10K).
int ResistancePosition(std::string_view model, float appliedOhms);
// Rounded to whole Hz, an exact entry; anything else -> 3 (100 Hz).
int FrequencyPosition(float appliedHz);
// The channel is the position (0 "Off"); a channel the list does not hold
// selects nothing, so the list keeps what it shows.
std::optional<int> ScannerPosition(int channel);

}  // namespace vanto
