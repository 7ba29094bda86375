// The editor's working values taken from the plan.
#pragma once

#include "editor/editor_refresh.h"
#include "editor/editor_state.h"
#include "testplan/test_plan.h"

namespace vanto {

// View centre, zoom and pin from CurrentRecord (integers and the zoom read
// from the start of their cells), the photograph from the plan row.
void LoadWorkingValues(const TestPlanState& plan, EditorWorkingValues& working);

// LoadWorkingValues, then the window's refresh; every navigation ends so.
void LoadEditorRecord(const TestPlanState& plan, EditorState& editor, EditorRefresh& refresh);

}  // namespace vanto
