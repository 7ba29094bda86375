// The state of signature freezing in the Basic modes: whether each freeze
// toggle is down, with the caption that follows from it, and the automatic
// cycle. The frozen signatures
// themselves live with the other signatures (SignatureAnalysis).
#pragma once

#include <cstdint>

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
  bool goldenFrozen = false;        // "Freeze Golden" is down
  bool dutFrozen = false;           // " Freeze   DUT " is down
};

inline const char* FreezeGoldenToggleCaption(const FreezeState& freeze) {
  return freeze.goldenFrozen ? kGoldenFrozenCaption : kFreezeGoldenCaption;
}
inline const char* FreezeDutToggleCaption(const FreezeState& freeze) {
  return freeze.dutFrozen ? kDutFrozenCaption : kFreezeDutCaption;
}

}  // namespace vanto
