#include "testplan/golden_record.h"

#include <cstdint>

#include "foundation/number_text.h"
#include "testplan/record_cells.h"
#include "testplan/signature_record.h"

namespace vanto {

float MeasureGoldenDifference(SignatureAnalysis& analysis, const TestPlanState& plan) {
  const int row = plan.currentRecord;
  const Signature stored = ReadSlotSignature(plan.table, row, 0);
  const std::int32_t storedMv = ParseInt(plan.table.CellView(row, cell::kAmplitude));
  const std::int32_t storedOhms = ParseInt(plan.table.CellView(row, cell::kResistance));
  return CompareWithGolden(analysis, stored, storedMv, storedOhms);
}

}  // namespace vanto
