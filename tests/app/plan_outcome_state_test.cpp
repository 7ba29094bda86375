// What a plan command's outcome changes in the test run: the record seen
// anew, the capture mode with "Edit/Capture signature" on, and the redraw
// requests; nothing else of the run.
#include "app/plan_outcome_state.h"

#include <gtest/gtest.h>

#include <vector>

namespace vanto {
namespace {

TEST(PlanOutcomeState, ChangesOnlyWhatTheOutcomeAsksOfTheRun) {
  struct Case {
    const char* name;
    PlanFileOutcome outcome;
    RunMode runModeBefore;
    std::int32_t lastRecordSeen;
    bool editCaptureChecked;
    RunMode runMode;
    bool displayRefresh;
    bool scopeRedraw;
  };
  PlanFileOutcome loaded;
  loaded.recordChanged = true;
  loaded.displayRefresh = true;
  loaded.scopeRedraw = true;
  loaded.refreshTrees = true;
  PlanFileOutcome created = loaded;
  created.editCaptureOn = true;
  PlanFileOutcome windowOnly;
  windowOnly.clearTestTree = true;
  windowOnly.refreshInterface = true;
  windowOnly.relabelRecent = true;
  const std::vector<Case> cases = {
      {"a plan loaded: the record is seen anew", loaded, RunMode::AutoTest, 0, false,
       RunMode::AutoTest, true, true},
      {"a new plan: capture with the check box on", created, RunMode::TestBoard, 0, true,
       RunMode::Capture, true, true},
      {"a new plan ends an automatic test", created, RunMode::AutoTest, 0, true, RunMode::Capture,
       true, true},
      {"window parts only", windowOnly, RunMode::TestBoard, 7, false, RunMode::TestBoard, false,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestRunState run;
    run.runMode = c.runModeBefore;
    run.lastRecordSeen = 7;
    run.autoTestStep = 2;
    DisplayRequests display;
    display.displayRefreshPending = false;

    ApplyPlanOutcomeToRun(c.outcome, run, display);

    EXPECT_EQ(run.lastRecordSeen, c.lastRecordSeen);
    EXPECT_EQ(run.editCaptureChecked, c.editCaptureChecked);
    EXPECT_EQ(run.runMode, c.runMode);
    EXPECT_EQ(run.autoTestStep, 2);  // the steps stay as they were
    EXPECT_EQ(display.displayRefreshPending, c.displayRefresh);
    EXPECT_EQ(display.scopeRedrawPending, c.scopeRedraw);
    EXPECT_EQ(display.captureFlashCount, 0);
  }
}

}  // namespace
}  // namespace vanto
