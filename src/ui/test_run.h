// The actions of the ribbon's controls and of the instrument's A and B
// buttons: navigation, Good and Bad marking, golden capture, resetting the
// results, the run-mode switches and the freeze toggles. Main thread only.
#pragma once

#include "link/button_functions.h"
#include "ui/ribbon_control.h"
#include "ui/test_run_context.h"

namespace vanto {

inline constexpr const char* kResetQuestionTitle = "RESET ALL TEST RESULTS";
inline constexpr const char* kResetQuestionText = "Do you want to reset all test results?";

// Runs the action of one control event. `value` carries what the event
// reports: 1/0 for a check box or toggle now checked/unchecked or down/up,
// the selected position for a list, the row number stored with the
// selected tree item (0 when none is selected); buttons ignore it.
// During a manual wait the event is held and runs when the wait is over.
void RunControlAction(TestRunContext& context, RibbonControl control, int value = 0);

// Runs one entry of the A or B function list (a ButtonFunction position),
// whether or not the control whose action it borrows is visible or
// enabled.
void RunButtonFunction(TestRunContext& context, int entry);

// The dispatcher's button step: runs the selected A function when the A
// button was pressed, then the same for B.
void RunInstrumentButtons(TestRunContext& context);

// Good button and GOOD/CAPTURE: in the Advanced mode, a golden capture when
// "Edit/Capture signature" is checked, otherwise a Good mark.
void GoodOrCapture(TestRunContext& context);
// Bad button and BAD: a Bad mark whenever "Edit/Capture signature" is
// unchecked, in every mode.
void MarkBad(TestRunContext& context);
// "Reset test", with its Yes/No question.
void ResetTest(TestRunContext& context);

// Ends a running automatic run as the automatic-run button does (auto
// test to test board, auto capture to capture, both steps 0, refresh);
// nothing when no automatic run is going on.
void EndAutomaticRun(TestRunContext& context);

// Ends a manual wait whose time is over: finishes its refresh and runs the
// actions held meanwhile. True while a wait still runs.
bool ManualWaitHolds(TestRunContext& context);

}  // namespace vanto
