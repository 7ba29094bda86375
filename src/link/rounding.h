// Rounding to the nearest integer with halves to even (16282.5 gives
// 16282), as every generator and calibration value is rounded.
#pragma once

#include <cmath>
#include <cstdint>

namespace vanto {

inline std::int64_t RoundHalfEven(double value) {
  // The default floating-point environment rounds to nearest, ties to even.
  return static_cast<std::int64_t>(std::nearbyint(value));
}

}  // namespace vanto
