#include "editor/component_range.h"

#include <algorithm>
#include <string>

#include "testplan/record_cells.h"

namespace vanto {

ComponentRange FindComponentRange(const TestPlanState& plan) {
  const TestPlan& table = plan.table;
  const int rows = RowCount(plan);
  const int current = std::clamp(plan.currentRecord, 1, rows);
  const std::string name = table.Cell(current, cell::kComponent);
  int last = current;
  while (last < rows && table.CellView(last + 1, cell::kComponent) == name) ++last;
  int first = current;
  while (first > 2 && table.CellView(first - 1, cell::kComponent) == name) --first;
  // The plan row belongs to no component: its run starts on row 2.
  if (first < 2) first = 2;
  return {first, last};
}

void ClampCurrentRecord(TestPlanState& plan) {
  plan.currentRecord = std::clamp(plan.currentRecord, 1, RowCount(plan));
}

}  // namespace vanto
