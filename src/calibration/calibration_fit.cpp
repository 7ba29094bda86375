#include "calibration/calibration_fit.h"

#include <cmath>
#include <limits>

namespace vanto {

std::int32_t RoundHalfAwayFromZero(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = std::round(value);  // halves away from zero
  if (rounded >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
    return std::numeric_limits<std::int32_t>::max();
  }
  if (rounded <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(rounded);
}

FitCodes FitDacCodes(const std::array<double, 5>& readings, const std::array<std::int32_t, 5>& codes,
                     const FitCodes& current) {
  FitCodes out = current;
  out.highFitted = out.lowFitted = false;
  auto line = [&](int top, int bottom, double& slope, double& intercept) {
    const double span = readings[top] - readings[bottom];
    if (span == 0.0 || !std::isfinite(span)) return false;
    slope = (static_cast<double>(codes[top]) - codes[bottom]) / span;
    intercept = codes[top] - readings[top] * slope;
    return std::isfinite(slope) && std::isfinite(intercept);
  };
  double slope = 0.0;
  double intercept = 0.0;
  if (line(kFitPlus10, kFitMinus10, slope, intercept)) {
    out.highFitted = true;
    out.plus10 = RoundHalfAwayFromZero(10.0 * slope + intercept);
    out.minus10 = RoundHalfAwayFromZero(-10.0 * slope + intercept);
  }
  if (line(kFitPlus1, kFitMinus1, slope, intercept)) {
    out.lowFitted = true;
    out.plus1 = RoundHalfAwayFromZero(slope + intercept);
    out.minus1 = RoundHalfAwayFromZero(-slope + intercept);
    out.zero = RoundHalfAwayFromZero(intercept);  // the 0 V code from the low range
  }
  return out;
}

int ZeroPassChange(double v) {
  if (v > 0.002) return -32;
  if (v >= 0.001) return -8;
  if (v >= 0.0) return -1;
  if (v > -0.001) return +1;
  if (v >= -0.002) return +8;
  if (v < -0.002) return +32;
  return 0;  // not a number
}

}  // namespace vanto
