// How far a measured signature lies from the record's golden one: the
// smallest tolerance, in percent of full scale, at which the measured curve
// covers every segment of the closed golden curve, found by bisection.
// Main thread; once per tested record.
#pragma once

#include <cstdint>

#include "foundation/settings.h"
#include "signature/signature_analysis.h"

namespace vanto {

// A point in percent of full scale on both axes.
struct PercentPoint {
  float x = 0.0f;
  float y = 0.0f;
};

// The smallest tolerance at which p counts as near the segment a-b: the
// least of its distances from the two ends and, when p lies over the
// segment (neither end angle obtuse), from the segment's line. Infinity
// when none is defined. Zero lengths count as 1e-9.
float NearDistance(PercentPoint a, PercentPoint b, PercentPoint p);

// True when p lies within d of the segment a-b: NearDistance <= d.
bool PointNearSegment(PercentPoint a, PercentPoint b, float d, PercentPoint p);

// True when each segment of the closed curve through golden points 1..n
// (the last segment runs from point n back to point 1) has a measured
// point within d of it. True for n = 0.
bool AllSegmentsCovered(const Signature& golden, const Signature& measured, int n, float d);

// The smallest tolerance at which AllSegmentsCovered holds: over all
// segments, the largest of each segment's least NearDistance. -infinity
// for n = 0.
float CoverageDistance(const Signature& golden, const Signature& measured, int n);

// Compares `golden` with analysis.displaySignature, both scaled by the
// golden's own stored peak voltage (mV) and source resistance (ohms), and
// stores the result (about 0.00015 to about 19.99985) in
// analysis.goldenDifference. Also fills goldenPercent and dutPercent. A
// zero stored voltage or resistance has no scale; it gets the largest
// difference. The test plan's MeasureGoldenDifference reads these from
// the current record.
float CompareWithGolden(SignatureAnalysis& analysis, const Signature& golden, std::int32_t storedMv,
                        std::int32_t storedOhms);

// The record passes when goldenDifference <= the threshold in percent; an
// undefined difference fails.
bool PassesGoldenTest(const SignatureAnalysis& analysis, const Settings& settings);

}  // namespace vanto
