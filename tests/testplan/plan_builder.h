// Small plans for the tree and board view tests: records appended one by
// one with the cells those features read.
#pragma once

#include <ostream>
#include <string>

#include "testplan/pcb_view.h"
#include "testplan/plan_cells.h"
#include "testplan/test_plan.h"
#include "testplan/record_cells.h"

namespace vanto {

// Found by argument lookup, so it lives beside PcbWindow.
inline void PrintTo(const PcbWindow& w, std::ostream* out) {
  *out << w.x0 << ".." << w.x1 << " x " << w.y0 << ".." << w.y1 << " of " << w.imageWidth << " x "
       << w.imageHeight;
}

}  // namespace vanto

namespace vanto::testing {

// Appends a record after the last row, numbered, and returns its row.
inline int AddRecord(TestPlanState& plan, const std::string& component, const std::string& pin,
                     const std::string& status = "Untested", bool golden = true,
                     const std::string& userText = "") {
  TestPlan& table = plan.table;
  const int row = table.Rows() + 1;
  table.InsertEmptyRows(row, 1);
  table.SetCell(row, cell::kRecord, std::to_string(row));
  table.SetCell(row, cell::kComponent, component);
  table.SetCell(row, cell::kPin, pin);
  table.SetCell(row, cell::kStatus, status);
  table.SetCell(row, cell::kSignature, golden ? cell::kYes : cell::kNo);
  table.SetCell(row, cell::kUserText, userText);
  return row;
}

// Puts the row's pin at (x, y) on the photograph; returns the row.
inline int PlacePin(TestPlanState& plan, int row, int x, int y) {
  plan.table.SetCell(row, cell::kTestX, std::to_string(x));
  plan.table.SetCell(row, cell::kTestY, std::to_string(y));
  return row;
}

}  // namespace vanto::testing
