// "Delete Whole Component": the component's rows are marked, the window
// shows the progress, then the rows go and the rest is renumbered.
#pragma once

#include "editor/editor_refresh.h"
#include "editor/editor_state.h"
#include "testplan/test_plan.h"

namespace vanto {

inline constexpr const char* kDeletingPrompt = "deleting Component... (record: ";
inline constexpr const char* kDeletingPromptEnd = " )";
inline constexpr const char* kDeleteDonePrompt = "delete done... rebuilding data";
inline constexpr const char* kDataRebuiltPrompt = "data rebuilt";

// Nothing on the plan row. A component of more rows than one deletion
// removes is deleted in several, so no marked row stays behind.
void DeleteComponent(TestPlanState& plan, EditorState& editor, EditorRefresh& refresh);

}  // namespace vanto
