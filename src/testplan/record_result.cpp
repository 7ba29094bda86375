#include "testplan/record_result.h"

#include <string_view>

#include "testplan/record_cells.h"

namespace vanto {

bool IsMeasured(const TestPlan& table, int row) {
  const std::string_view result = table.CellView(row, cell::kStatus);
  return result == cell::kGood || result == cell::kBad;
}

}  // namespace vanto
