// The automatic sequence's arithmetic: the two-point line per output range
// through the multimeter's readings, and the 0 V trim's step per reading.
#pragma once

#include <array>
#include <cstdint>

namespace vanto {

// Readings and codes by level: +10, +1, 0, -1, -10 V.
inline constexpr int kFitPlus10 = 0;
inline constexpr int kFitPlus1 = 1;
inline constexpr int kFitZero = 2;
inline constexpr int kFitMinus1 = 3;
inline constexpr int kFitMinus10 = 4;

struct FitCodes {
  // False when the range's two readings were equal (or the line is not a
  // number): its codes are then the ones handed in.
  bool highFitted = false;
  bool lowFitted = false;
  std::int32_t plus10 = 0, plus1 = 0, zero = 0, minus1 = 0, minus10 = 0;
};

// Nearest integer, halves away from zero, held inside the 32-bit range.
std::int32_t RoundHalfAwayFromZero(double value);

// In double precision: the high range's line through (readings[+10],
// codes[+10]) and (readings[-10], codes[-10]) gives the +10 V and -10 V
// codes, the low range's line through +1 V and -1 V the +1 V, -1 V and 0 V
// codes. `current` are the codes to keep for a range that cannot be fitted.
FitCodes FitDacCodes(const std::array<double, 5>& readings, const std::array<std::int32_t, 5>& codes,
                     const FitCodes& current);

// How one zero pass moves the 0 V code for a reading of v volts: -32, -8,
// -1 above 0 (0 itself included), +1, +8, +32 below; 0 for a reading that
// is not a number.
int ZeroPassChange(double v);

}  // namespace vanto
