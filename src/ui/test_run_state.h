// The state of the test run: run mode and automatic-run steps, what the
// dispatcher saw at its previous pass, the ribbon settings the actions
// read, and the wait after a manual mark or capture. Main thread only.
#pragma once

#include <cstdint>
#include <vector>

#include "link/button_functions.h"
#include "ui/ribbon_control.h"
#include "ui/run_mode.h"
#include "ui/run_outcome_state.h"

namespace vanto {

// A control event or instrument-button function that arrived during a
// manual wait; it runs, in arrival order, when the wait is over.
struct HeldAction {
  bool buttonFunction = false;  // true: `value` is a function-list entry
  RibbonControl control = RibbonControl::Good;
  int value = 0;
};

// What a finished manual wait still has to do.
enum class WaitTail {
  Refresh,         // interface refresh and display refresh
  CaptureRefresh,  // the same, plus the capture flash
};

// The pause after a manual mark or capture. It is measured, not slept:
// until it is over the test run holds back its own work and every action,
// and the dispatcher should hold back menu commands and clicks too.
struct ManualWait {
  bool running = false;
  std::int64_t endMs = 0;  // monotonic clock
  WaitTail tail = WaitTail::Refresh;
  std::vector<HeldAction> held;
};

inline constexpr int kMarkWaitMs = 150;
inline constexpr int kCaptureWaitMs = 250;

struct TestRunState {
  RunMode runMode = RunMode::TestBoard;
  std::int32_t lastRunMode = -1;  // -1 makes the first pass refresh
  // Changes made by ChangeRunMode, and how many of them the dispatcher has
  // noticed: a start and an end in one pass leave the mode as it was.
  std::uint32_t runModeChanges = 0;
  std::uint32_t runModeChangesNoticed = 0;
  std::int32_t autoTestStep = 0;
  std::int32_t autoCaptureStep = 0;
  std::int32_t lastRecordSeen = -100;  // -100 makes the first pass apply the record
  std::int64_t lastRelayoutTime = 0;   // calendar seconds

  // Ribbon settings, written by RunControlAction from the control events.
  bool editCaptureChecked = false;                   // "Edit/Capture signature"
  bool useRecordSettings = true;                     // "V/R/Hz"
  std::int32_t functionA = kDefaultButtonAFunction;  // A function list position
  std::int32_t functionB = kDefaultButtonBFunction;

  ManualWait manualWait;

  // The instrument link as the previous pass saw it, so that its closing
  // during an automatic run is noticed once, whatever closed it.
  bool linkSeenConnected = false;

  RunOutcome outcome;  // the end of the last automatic run, while it stands
};

}  // namespace vanto
