#include "editor/editor_click.h"

#include <algorithm>
#include <optional>

#include "editor/component_range.h"
#include "editor/pin_placement.h"
#include "editor/record_operations.h"
#include "editor/working_values.h"
#include "foundation/number_text.h"
#include "testplan/plan_cells.h"

namespace vanto {

namespace {

bool Inside(const ViewPlacement& control, int x, int y) {
  return x >= control.x && x <= control.x + control.width && y >= control.y &&
         y <= control.y + control.height;
}

// The prompt that stood before the zoom-window selection comes back when
// it ends (a pending pin move keeps asking for its click).
void EndZoomWindow(EditorState& editor) {
  editor.working.zoomWindowStep = 0;
  editor.placement.editorPrompt = editor.working.promptBeforeZoom;
  editor.working.promptBeforeZoom.clear();
}

}  // namespace

bool EditorClick(TestPlanState& plan, EditorState& editor, const PcbViewState& view,
                 const ViewPlacement& control, int mouseX, int mouseY, EditorRefresh& refresh) {
  if (!Inside(control, mouseX, mouseY)) return false;
  ClampCurrentRecord(plan);
  EditorWorkingValues& working = editor.working;
  const ViewPoint point = ViewToImage(view.window, control, mouseX, mouseY);
  if (editor.placement.placementStep != 0) {
    working.zoomWindowStep = 0;
    working.promptBeforeZoom.clear();
    PlacePinClick(plan, editor, point);
  } else if (working.zoomWindowStep == 1) {
    working.zoomCornerA = point;
    working.zoomWindowStep = 2;
    editor.placement.editorPrompt = kZoomCornerBPrompt;
  } else if (working.zoomWindowStep == 2) {
    EndZoomWindow(editor);
    ZoomToRectangle(working.view, working.zoomCornerA, point, view.window.imageWidth,
                    view.window.imageHeight);
  } else if (working.movePinStep == 1) {
    MovePinClick(plan, editor, point);
  } else if (const std::optional<int> row = PinNearPoint(view, control, plan.table, mouseX, mouseY)) {
    plan.currentRecord = *row;
    LoadWorkingValues(plan, working);
  }
  ClampCurrentRecord(plan);
  refresh.RefreshEditor(plan, editor);
  return true;
}

void StartZoomWindow(EditorState& editor, EditorRefresh& refresh, const TestPlanState& plan) {
  EditorWorkingValues& working = editor.working;
  if (working.zoomWindowStep == 0) working.promptBeforeZoom = editor.placement.editorPrompt;
  working.zoomWindowStep = 1;
  editor.placement.editorPrompt = kZoomCornerAPrompt;
  refresh.RefreshEditor(plan, editor);
}

bool AbandonClickMode(const TestPlanState& plan, EditorState& editor, EditorRefresh& refresh) {
  EditorWorkingValues& working = editor.working;
  if (working.zoomWindowStep != 0) {
    EndZoomWindow(editor);
  } else if (working.movePinStep != 0) {
    working.movePinStep = 0;
    // A running placement keeps its own prompt.
    if (editor.placement.placementStep == 0) editor.placement.editorPrompt.clear();
    // "Move Pin" took the crosshair away; it goes back to the pin.
    const int row = std::clamp(plan.currentRecord, 1, RowCount(plan));
    working.pinX = ParseInt(plan.table.CellView(row, cell::kTestX));
    working.pinY = ParseInt(plan.table.CellView(row, cell::kTestY));
  } else {
    return false;
  }
  refresh.RefreshEditor(plan, editor);
  return true;
}

}  // namespace vanto
