// Where things land on a scope image: the plot rectangle inside the margin
// and the mapping of a signature point to a pixel. Every scope drawing uses
// the same geometry, so the main scope and the mini-scopes line up.
#pragma once

namespace vanto {

// The margin between the image edge and the plot, the same on every scope.
inline constexpr int kScopeMargin = 50;

struct ScopeGeometry {
  int hx = 0;  // half-widths of the plot
  int hy = 0;
  int cx = 0;  // centre
  int cy = 0;
  int left = 0;
  int right = 0;
  int top = 0;
  int bottom = 0;
};

// For an image of width x height pixels and the given margin; integer
// divisions throughout.
ScopeGeometry MakeScopeGeometry(int width, int height, int margin = kScopeMargin);

// Pixels per volt and per ampere for a full-scale voltage and current that
// reach the plot's half-widths.
struct TraceScale {
  float xScale = 0.0f;
  float yScale = 0.0f;
};

TraceScale MakeTraceScale(const ScopeGeometry& geometry, float vFull, float iFull);

// The pixel of a point: rounded to the nearest integer with halves away
// from zero and clamped to the plot rectangle, so nothing is ever drawn in
// the margin. Positive current lies below the centre line. An undefined
// coordinate lands on the left or top edge.
int PixelX(const ScopeGeometry& geometry, const TraceScale& scale, float volts);
int PixelY(const ScopeGeometry& geometry, const TraceScale& scale, float amps);

}  // namespace vanto
