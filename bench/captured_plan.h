// A large plan for the editor benchmarks: every row from 2 on is a captured
// record (Good, golden "Yes", both signature slots of 64 points) with its
// own record number, component "ICn" and pin.
#pragma once

#include <string>

#include "foundation/number_text.h"
#include "testplan/plan_cells.h"
#include "testplan/record_cells.h"
#include "testplan/test_plan.h"

namespace vanto::bench {

inline void FillCapturedRecords(TestPlanState& plan, int pinsPerComponent) {
  TestPlan& t = plan.table;
  t.SetCell(2, cell::kStatus, cell::kGood);
  t.SetCell(2, cell::kTestX, "812");
  t.SetCell(2, cell::kTestY, "433");
  t.SetCell(2, cell::kSignature, cell::kYes);
  for (int base : {0, 288}) {
    t.SetCell(2, base + 2, "2000");
    t.SetCell(2, base + 31, "64");
    for (int p = 0; p < 128; ++p) t.SetCell(2, base + 32 + p, FormatFloat(0.0123456789 * (p - 64)));
  }
  std::string line;
  t.AppendRowAsLine(2, line);
  for (int r = 2; r <= RowCount(plan); ++r) {
    t.SetRowFromLine(r, line);
    const std::string component = "IC" + std::to_string(r / pinsPerComponent);
    const std::string pin = std::to_string(r % pinsPerComponent + 1);
    t.SetCell(r, cell::kRecord, std::to_string(r));
    t.SetCell(r, 288 + cell::kRecord, std::to_string(r));
    t.SetCell(r, 8, component + ", Pin " + pin);
    t.SetCell(r, cell::kComponent, component);
    t.SetCell(r, cell::kPin, pin);
  }
}

}  // namespace vanto::bench
