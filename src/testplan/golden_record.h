// The golden comparison of the current record: its slot 0 against the
// signature on display, in the scale of the record's own stored settings.
// Main thread; once per tested record.
#pragma once

#include "signature/golden_difference.h"
#include "testplan/test_plan.h"

namespace vanto {

// Compares slot 0 of the current record with analysis.displaySignature (see
// CompareWithGolden) and returns the difference in percent of full scale.
float MeasureGoldenDifference(SignatureAnalysis& analysis, const TestPlanState& plan);

}  // namespace vanto
