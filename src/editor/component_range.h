// Components as runs of consecutive records with the same "Component"
// cell, and the current record kept on a row that exists.
#pragma once

#include "testplan/test_plan.h"

namespace vanto {

struct ComponentRange {
  int first = 0;
  int last = 0;  // may be below first for the plan row: then the range is empty
  friend bool operator==(const ComponentRange&, const ComponentRange&) = default;
};

// The run of CurrentRecord's component: last is the row before the first
// later row with another name (or the last row); first the row after the
// first earlier row with another name, and never below row 2.
ComponentRange FindComponentRange(const TestPlanState& plan);

// CurrentRecord into 1..RowCount. Every editor command starts with this,
// because an automatic run leaves it at RowCount + 1 and "First" on a plan
// without records sets it to 2.
void ClampCurrentRecord(TestPlanState& plan);

}  // namespace vanto
