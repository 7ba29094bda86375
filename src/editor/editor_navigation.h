// The editor's record navigation: "<", ">", "<<", ">>", "First" and
// "Last". Each keeps CurrentRecord on a row that exists and ends by
// reloading the working values and refreshing the window.
#pragma once

#include "editor/editor_refresh.h"
#include "editor/editor_state.h"
#include "testplan/test_plan.h"

namespace vanto {

// "<": one row back; reaches the plan row, which shows the whole board.
void EditorPrevious(TestPlanState& plan, EditorState& editor, EditorRefresh& refresh);
// ">": one row on, at most to the last row.
void EditorNext(TestPlanState& plan, EditorState& editor, EditorRefresh& refresh);
// "<<": the first record of the previous component, or row 2.
void EditorPreviousComponent(TestPlanState& plan, EditorState& editor, EditorRefresh& refresh);
// ">>": the first record of the next component, or the last row.
void EditorNextComponent(TestPlanState& plan, EditorState& editor, EditorRefresh& refresh);
// "First": row 2, or the plan row when the plan holds no records.
void EditorFirst(TestPlanState& plan, EditorState& editor, EditorRefresh& refresh);
// "Last": the last row.
void EditorLast(TestPlanState& plan, EditorState& editor, EditorRefresh& refresh);

}  // namespace vanto
