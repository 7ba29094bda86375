// The state of signature freezing in the Basic modes: the captions of the
// two freeze toggles and the automatic cycle. The frozen signatures
// themselves live with the other signatures (SignatureAnalysis).
#pragma once

#include <cstdint>
#include <string>

namespace vanto {

// Toggle captions, spacing included: up, then down.
inline constexpr const char* kFreezeGoldenCaption = "Freeze Golden";
inline constexpr const char* kGoldenFrozenCaption = "Golden Frozen";
inline constexpr const char* kFreezeDutCaption = " Freeze   DUT ";
inline constexpr const char* kDutFrozenCaption = "  DUT   Frozen";
inline constexpr const char* kAutoFreezeCaption = "Auto Freeze";

struct FreezeState {
  std::int32_t autoFreezeOn = 0;    // 1 while "Auto Freeze" is down
  std::int32_t autoFreezeStep = 0;  // 0..4, see StepAutoFreeze
  std::string goldenCaption = kFreezeGoldenCaption;
  std::string dutCaption = kFreezeDutCaption;
};

}  // namespace vanto
