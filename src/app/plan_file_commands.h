// The File menu's plan commands on the application context: "Open",
// "Save", "New", the eight "Open Recent" items, and the recent list that
// follows the current plan name. Each command runs to its end (the
// requesters are modal) and returns what the window must refresh.
// Main thread only.
//
// The recent list lives in Settings::recentFiles and the current plan name
// in AppState::currentPlanFile; Settings::testPlanFileName follows the name
// as it is written to "ORX_TestPlanFileName".
#pragma once

#include <string>

#include "app/app_context.h"
#include "foundation/file_requester.h"
#include "foundation/question_box.h"
#include "testplan/plan_files.h"

namespace vanto {

// What the window does after a command, in the order of the fields.
struct PlanFileOutcome {
  // A plan was loaded or created (or a load was tried): CurrentRecord is
  // already 1; set the test run's lastRecordSeen to 0 so that the next
  // dispatcher pass treats the record as changed.
  bool recordChanged = false;
  bool editCaptureOn = false;     // switch "Edit/Capture signature" on
  bool clearTestTree = false;     // remove every item of the test tree
  bool displayRefresh = false;    // raise DisplayRefreshPending
  bool scopeRedraw = false;       // raise ScopeRedrawPending
  bool refreshTrees = false;      // refresh the test tree, then the bad-record tree
  bool refreshInterface = false;  // RefreshInterface
  // Set the eight "Open Recent" texts to RecentMenuLabels() (all eight,
  // whether or not they changed).
  bool relabelRecent = false;
};

// "Open": the open-plan requester, then OpenTestPlan with the chosen file;
// nothing when the user cancels.
PlanFileOutcome OpenPlanCommand(AppContext& context, FileRequester& requester);

// Opens a plan by name. A file that cannot be opened (or is refused as too
// large) shows its message and changes nothing: the plan, its results,
// CurrentRecord, the current name, its setting and the recent list stay as
// they were, so a later save cannot put the old plan under the new name.
// The name is kept as given: "\" separators stay in the stored text.
PlanFileOutcome OpenTestPlan(AppContext& context, std::string name);

// "Open Recent" item `index` (0..7): OpenTestPlan with that entry (named
// apart from MenuCommandHooks::OpenRecentPlan, which calls it).
// Other indices do nothing.
PlanFileOutcome OpenRecentPlanCommand(AppContext& context, int index);

// "Save": the save requester starting with the current plan name, then the
// table is written to the chosen file. The current plan name, its setting
// and the recent list stay as they were. Returns the chosen name, empty
// when the user cancelled (then nothing is written).
std::string SavePlanCommand(AppContext& context, FileRequester& requester);

// "New": in the "Advanced" mode an empty plan is saved where the user
// chooses and read back from there; that name becomes the current plan.
// A cancelled requester leaves the empty plan in memory, shows "Error
// #0065" and stores an empty current plan name. In "Basic" and
// "Basic-Auto" it shows "Info #0063" only; in an unknown mode nothing.
PlanFileOutcome NewPlanCommand(AppContext& context, FileRequester& requester);

// Called before a command drops the plan in memory (closing the main
// window, "Open", an "Open Recent" item, "New", Change Instrument). With
// unsaved results, captures or edits it asks "Save changes to <name>?"
// with Yes, No and Cancel: Yes saves to the current plan file (through the
// save requester when the plan has no name), No lets the changes go.
// Returns whether the command may go on: false for Cancel and for a save
// that failed or was cancelled, so nothing is lost unasked.
bool SettleUnsavedPlan(AppContext& context, QuestionBoxes& questions, FileRequester& requester);

// Brings the recent list in line with the current plan name; a name new to
// the list is written with all eight recent keys. Called by the commands
// above and once at start-up after the plan has been loaded.
PlanFileOutcome UpdateRecentList(AppContext& context);

// The texts of the eight "Open Recent" items, first the most recent.
const RecentPlans& RecentMenuLabels(const AppContext& context);

}  // namespace vanto
