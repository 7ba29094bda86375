// Creating a component's records by clicks on the photograph: starting a
// placement from the selected template, each click with its prompt, and
// the record each pin gets.
#pragma once

#include "editor/editor_refresh.h"
#include "editor/editor_state.h"
#include "foundation/messages.h"
#include "testplan/pcb_view.h"
#include "testplan/test_plan.h"

namespace vanto {

// Counts of the custom templates are kept within this range, so an
// interpolation never divides by zero.
inline constexpr int kMinTemplateCount = 2;
inline constexpr int kMaxTemplateCount = 255;
// The most pins a row template may have in all: one insertion adds at
// most this many rows.
inline constexpr int kMaxComponentPins = kMaxRowsPerChange;

inline constexpr const char* kClickOnPin = "Click on Pin";
inline constexpr const char* kClickOnPinNumber = "Click on Pin ";

// "Create New Component": moves CurrentRecord to the last record of the
// current component and, for an entry with a layout, starts its placement
// and refreshes the window. A row template of more than kMaxComponentPins
// pins is refused with a coded message and starts nothing.
void CreateNewComponent(TestPlanState& plan, EditorState& editor, Messages& messages,
                        EditorRefresh& refresh);

// One left click on the photograph while a placement runs, at `point` in
// photograph pixels (the window converts the mouse with ViewToImage). The
// window refreshes afterwards.
void PlacePinClick(TestPlanState& plan, EditorState& editor, ViewPoint point);

// Writes pin `pinCounter` of the component named in the controls at (x, y)
// into `row`, with the editor's current view; the editor's pin follows.
void FillPinRecord(TestPlanState& plan, EditorState& editor, int row, int x, int y);

}  // namespace vanto
