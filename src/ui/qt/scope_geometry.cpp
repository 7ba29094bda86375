#include "ui/qt/scope_geometry.h"

#include <cmath>

namespace vanto {
namespace {

// Clamped before rounding: both give the same pixel for whole-pixel edges,
// and the clamp keeps infinities (and, by the negated test, NaN) in range.
int RoundClamped(float position, int low, int high) {
  if (!(position >= static_cast<float>(low))) return low;
  if (position > static_cast<float>(high)) return high;
  return static_cast<int>(std::round(position));
}

}  // namespace

ScopeGeometry MakeScopeGeometry(int width, int height, int margin) {
  ScopeGeometry g;
  g.hx = (width - margin) / 2;
  g.hy = (height - margin) / 2;
  g.cx = width / 2;
  g.cy = height / 2;
  g.left = g.cx - g.hx;
  g.right = g.cx + g.hx;
  g.top = g.cy - g.hy;
  g.bottom = g.cy + g.hy;
  return g;
}

TraceScale MakeTraceScale(const ScopeGeometry& geometry, float vFull, float iFull) {
  const float xScale = static_cast<float>(geometry.hx) / vFull;
  const float yScale = static_cast<float>(geometry.hy) / iFull;
  return TraceScale{xScale, yScale};
}

int PixelX(const ScopeGeometry& geometry, const TraceScale& scale, float volts) {
  const float offset = volts * scale.xScale;
  const float position = static_cast<float>(geometry.cx) + offset;
  return RoundClamped(position, geometry.left, geometry.right);
}

int PixelY(const ScopeGeometry& geometry, const TraceScale& scale, float amps) {
  const float offset = amps * scale.yScale;
  const float position = static_cast<float>(geometry.cy) + offset;
  return RoundClamped(position, geometry.top, geometry.bottom);
}

}  // namespace vanto
