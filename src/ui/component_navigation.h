// Moving the current record by whole components: runs of consecutive
// records with the same "Component" cell.
#pragma once

#include "testplan/test_plan.h"

namespace vanto {

// ">>": the first record of the next component, or the last record when
// the current one is in the last component.
void NextComponent(TestPlanState& plan);

// "<<": the first record of the component before the current record's
// component (from any record of it), or record 2.
void PreviousComponent(TestPlanState& plan);

}  // namespace vanto
