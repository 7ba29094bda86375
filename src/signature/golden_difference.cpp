#include "signature/golden_difference.h"

#include <cmath>
#include <limits>

#include "signature/signature_settings.h"

namespace vanto {
namespace {

// Single precision throughout: every intermediate is a float before it is
// used again, and the right angle is the float nearest pi/2, which is what
// acos(0.0f) returns.
constexpr float kRightAngle = 1.57079632679489661923f;
constexpr float kZeroDistance = 1e-9f;
constexpr int kBisectionSteps = 16;

float Distance(PercentPoint from, PercentPoint to) {
  const float dx = to.x - from.x;
  const float dy = to.y - from.y;
  const float dx2 = dx * dx;
  const float dy2 = dy * dy;
  const float sum = dx2 + dy2;
  const float distance = std::sqrt(sum);
  return distance;
}

// The angle at the corner with adjacent sides `near1`, `near2` and opposite
// side `far`, by the law of cosines. NaN when rounding pushes the cosine
// outside -1..1.
float CornerAngle(float near1, float near2, float far) {
  const float near1Sq = near1 * near1;
  const float near2Sq = near2 * near2;
  const float farSq = far * far;
  const float sum = near1Sq + near2Sq;
  const float numerator = sum - farSq;
  const float twice = 2.0f * near1;
  const float denominator = twice * near2;
  const float cosine = numerator / denominator;
  const float angle = std::acos(cosine);
  return angle;
}

PercentPoint PointOf(const Signature& curve, int i) {
  return {curve.voltage[i], curve.current[i]};
}

// Bisection on [0, 20]: d goes down while `covered(d)` holds and up while it
// fails; the value after the last step is kept without another test.
template <typename Covered>
float Bisect(Covered covered) {
  float d = 10.0f;
  float step = 10.0f;
  for (int k = 0; k < kBisectionSteps; ++k) {
    step = step / 2.0f;
    if (covered(d)) {
      d = d - step;
    } else {
      d = d + step;
    }
  }
  return d;
}

}  // namespace

float NearDistance(PercentPoint a, PercentPoint b, PercentPoint p) {
  constexpr float kNone = std::numeric_limits<float>::infinity();
  float da = Distance(p, a);
  if (da == 0.0f) da = kZeroDistance;
  float db = Distance(p, b);
  if (db == 0.0f) db = kZeroDistance;
  float dab = Distance(a, b);
  if (dab == 0.0f) dab = kZeroDistance;

  // A NaN candidate never wins, so it never makes the point near.
  float nearest = kNone;
  if (da < nearest) nearest = da;
  if (db < nearest) nearest = db;

  // Beyond either end (obtuse angle there) only the ends count. A NaN angle
  // fails the test as well.
  const float angleB = CornerAngle(db, dab, da);
  if (!(angleB <= kRightAngle)) return nearest;
  const float angleA = CornerAngle(da, dab, db);
  if (!(angleA <= kRightAngle)) return nearest;

  const float gamma = CornerAngle(da, db, dab);
  const float sine = std::sin(gamma);
  const float product = da * db;
  const float twiceArea = product * sine;
  const float area = twiceArea / 2.0f;
  const float doubled = 2.0f * area;
  const float height = doubled / dab;
  if (height < nearest) nearest = height;
  return nearest;
}

bool PointNearSegment(PercentPoint a, PercentPoint b, float d, PercentPoint p) {
  return NearDistance(a, b, p) <= d;
}

bool AllSegmentsCovered(const Signature& golden, const Signature& measured, int n, float d) {
  n = UsablePoints(n);
  for (int i = 1; i <= n; ++i) {
    const PercentPoint a = PointOf(golden, i);
    const PercentPoint b = PointOf(golden, i == n ? 1 : i + 1);
    bool covered = false;
    for (int j = 1; j <= n && !covered; ++j) {
      covered = PointNearSegment(a, b, d, PointOf(measured, j));
    }
    if (!covered) return false;
  }
  return true;
}

float CoverageDistance(const Signature& golden, const Signature& measured, int n) {
  n = UsablePoints(n);
  float worst = -std::numeric_limits<float>::infinity();
  for (int i = 1; i <= n; ++i) {
    const PercentPoint a = PointOf(golden, i);
    const PercentPoint b = PointOf(golden, i == n ? 1 : i + 1);
    float best = std::numeric_limits<float>::infinity();
    // Once this segment is as close as the worst one so far, the rest of
    // its points cannot change the result.
    for (int j = 1; j <= n && best > worst; ++j) {
      const float reach = NearDistance(a, b, PointOf(measured, j));
      if (reach < best) best = reach;
    }
    if (best > worst) worst = best;
  }
  return worst;
}

float CompareWithGolden(SignatureAnalysis& analysis, const Signature& stored, std::int32_t storedMv,
                        std::int32_t storedOhms) {

  analysis.goldenPercent = Signature{};
  analysis.dutPercent = Signature{};
  if (storedMv == 0 || storedOhms == 0 || stored.pointCount < 1) {
    // No scale to compare in, or no golden curve at all: treat the curves
    // as wholly different instead of dividing by zero or passing a record
    // that has nothing to pass against.
    analysis.goldenDifference = Bisect([](float) { return false; });
    return analysis.goldenDifference;
  }

  // The record's own stored settings set the scale, not the applied ones.
  const float volts = static_cast<float>(storedMv) / 1000.0f;
  const float amps = volts / static_cast<float>(storedOhms);
  const float sV = 100.0f / volts;
  const float sI = 100.0f / amps;

  const int n = stored.pointCount;
  Signature& golden = analysis.goldenPercent;
  Signature& dut = analysis.dutPercent;
  golden.pointCount = n;
  dut.pointCount = n;
  const Signature& measured = analysis.displaySignature;
  for (int i = 1; i <= n; ++i) {
    golden.voltage[i] = stored.voltage[i] * sV;
    golden.current[i] = stored.current[i] * sI;
    dut.voltage[i] = measured.voltage[i] * sV;
    dut.current[i] = measured.current[i] * sI;
  }

  // Nearness does not depend on the tolerance, so the coverage test of each
  // bisection step is one comparison with the coverage distance; the steps
  // and the result are those of testing AllSegmentsCovered every time.
  const float coverage = CoverageDistance(golden, dut, n);
  analysis.goldenDifference = Bisect([coverage](float d) { return coverage <= d; });
  return analysis.goldenDifference;
}

bool PassesGoldenTest(const SignatureAnalysis& analysis, const Settings& settings) {
  return analysis.goldenDifference <= GoldenVsLiveThresholdPercent(settings);
}

}  // namespace vanto
