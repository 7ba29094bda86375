// Left clicks on the editor's photograph and the two-click modes that
// wait for them: a placement takes every click; otherwise a click picks
// the pin under it, or serves the zoom-window selection or the pin move.
#pragma once

#include "editor/editor_refresh.h"
#include "editor/editor_state.h"
#include "testplan/pcb_view.h"
#include "testplan/test_plan.h"

namespace vanto {

inline constexpr const char* kZoomCornerAPrompt = "Click on top-left corner of Component";
inline constexpr const char* kZoomCornerBPrompt = "Click on bottom-right corner of Component";

// Where the editor's photograph stands in its window, and its size.
inline constexpr ViewPlacement kEditorPhotograph{10, 10, 640, 640};

// A left click at (mouseX, mouseY) in window coordinates, converted
// through `view` (the last rendering of the editor's photograph). Clicks
// outside `control`, edges included, are ignored and false is returned;
// otherwise the window is refreshed.
bool EditorClick(TestPlanState& plan, EditorState& editor, const PcbViewState& view,
                 const ViewPlacement& control, int mouseX, int mouseY, EditorRefresh& refresh);

// "SELECT ZOOM WINDOW": the next two clicks are the corners.
void StartZoomWindow(EditorState& editor, EditorRefresh& refresh, const TestPlanState& plan);

// Escape: abandons a zoom-window selection, or else a pin move (the pin
// keeps its place). A placement goes on: only its own end stops it.
// True when something was abandoned; the window is then refreshed.
bool AbandonClickMode(const TestPlanState& plan, EditorState& editor, EditorRefresh& refresh);

}  // namespace vanto
