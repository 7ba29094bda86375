#include "ui/record_badge.h"

#include <string_view>

#include "testplan/record_cells.h"

namespace vanto {

RecordBadge ChooseRecordBadge(const TestPlan& table, int row) {
  if (table.CellView(row, cell::kSignature) != cell::kYes) return RecordBadge::NoSignature;
  const std::string_view result = table.CellView(row, cell::kStatus);
  if (result == cell::kGood) return RecordBadge::Good;
  if (result == cell::kBad) return RecordBadge::Bad;
  if (result == cell::kUntested) return RecordBadge::Untested;
  if (result == cell::kNoTest) return RecordBadge::NoTest;
  return RecordBadge::None;
}

}  // namespace vanto
