// The editor's commands on single records and on the current component:
// manual insertions, deleting one pin, writing the entry row, the three
// "^Update^" buttons, moving a pin and the quick save. Each first brings
// CurrentRecord onto a row that exists.
#pragma once

#include <string_view>

#include "editor/editor_refresh.h"
#include "editor/editor_state.h"
#include "foundation/messages.h"
#include "testplan/pcb_view.h"
#include "testplan/test_plan.h"

namespace vanto {

inline constexpr const char* kMovePinPrompt = "Move Pin: Click on new location for Pin ";

// "< Manual Insert Before" (nothing on the plan row) and "Manual Insert
// After >": one empty row, made current; the working values stay.
void ManualInsertBefore(TestPlanState& plan, EditorState& editor, EditorRefresh& refresh);
void ManualInsertAfter(TestPlanState& plan, EditorState& editor, EditorRefresh& refresh);

// "Delete Single Pin Record": not on the plan row; no renumbering.
void DeletePinRecord(TestPlanState& plan, EditorState& editor, EditorRefresh& refresh);

// "< Update Single Pin Record Only": the entry row into CurrentRecord as
// typed, then the working values reloaded from it.
void WriteEntryRow(TestPlanState& plan, EditorState& editor, EditorRefresh& refresh);

// The "^Update^" buttons, over every row of the current component; they do
// not refresh the window.
void SetComponentDescription(TestPlanState& plan, const EditorState& editor);
void RenameComponent(TestPlanState& plan, const EditorState& editor);
void SetComponentView(TestPlanState& plan, const EditorState& editor);

// "Move Pin": not on the plan row. The next click on the photograph, at
// `point` in photograph pixels, becomes the pin's position.
void StartMovePin(TestPlanState& plan, EditorState& editor);
void MovePinClick(TestPlanState& plan, EditorState& editor, ViewPoint point);

// "Quick Save": the plan into its own file without asking; a failure is
// reported by SaveTestPlan and leaves the file as it was.
bool QuickSave(const TestPlanState& plan, std::string_view currentPlanFile, Messages& messages);

}  // namespace vanto
