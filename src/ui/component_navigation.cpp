#include "ui/component_navigation.h"

#include <string>

#include "testplan/record_cells.h"

namespace vanto {

void NextComponent(TestPlanState& plan) {
  const std::string comp = plan.table.Cell(plan.currentRecord, cell::kComponent);
  const int last = RowCount(plan);
  while (plan.currentRecord < last) {
    ++plan.currentRecord;
    if (plan.table.CellView(plan.currentRecord, cell::kComponent) != comp) break;
  }
}

void PreviousComponent(TestPlanState& plan) {
  // Back out of the current component onto the last record of the one before...
  std::string comp = plan.table.Cell(plan.currentRecord, cell::kComponent);
  while (plan.currentRecord > 2) {
    --plan.currentRecord;
    if (plan.table.CellView(plan.currentRecord, cell::kComponent) != comp) break;
  }
  // ...then back to that component's first record.
  comp = plan.table.Cell(plan.currentRecord, cell::kComponent);
  while (plan.currentRecord > 2) {
    --plan.currentRecord;
    if (plan.table.CellView(plan.currentRecord, cell::kComponent) != comp) {
      ++plan.currentRecord;
      break;
    }
  }
}

}  // namespace vanto
