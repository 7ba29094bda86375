// The interface refresh as a description: from the state, what every
// control should show (check marks, selector positions, test-control
// states and pictures, pass rates, pane visibility) and, only when the
// mode or view changed since the last layout, the new control set, window
// size and relayout. The window applies the description; nothing here
// touches a widget. Main thread only.
//
// Applying it, the window first refreshes the test tree and then the
// bad-record tree, then sets the marks, selectors, test controls and
// pass-rate texts, and last, when `layout` is present, shows the control
// set, resizes the client area and calls Relayout with the new size. A
// control or menu that does not exist (rows the model lacks) is skipped.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/menu_model.h"
#include "foundation/resources.h"
#include "foundation/settings.h"
#include "link/generator_settings.h"
#include "testplan/test_plan.h"
#include "ui/display_layout.h"
#include "ui/display_requests.h"
#include "ui/ribbon.h"
#include "ui/run_mode.h"

namespace vanto {

struct ClientSize {
  int width = 0;
  int height = 0;
  bool operator==(const ClientSize&) const = default;
};
inline constexpr ClientSize kCompactClientSize = {534, 408};
inline constexpr ClientSize kAdvancedClientSize = {1545, 725};

// What the refresh reads; all of it is owned elsewhere.
struct InterfaceInputs {
  const Settings& settings;  // mode, view and the menu-backed settings
  std::string_view activeModel;
  std::string_view menuModel;  // Change Instrument's remembered choice
  bool connected;
  const GeneratorSettings& generator;  // applied values and scanner channels
  RunMode runMode;
  const TestPlanState& plan;
};

// The refresh's own state: the mode and view of the last layout (empty at
// start-up, so the first refresh always lays out) and the pane visibility,
// which the hit test reads.
struct InterfaceLayoutState {
  std::string laidOutMode;
  std::string laidOutView;
  PaneVisibility panes = InitialPaneVisibility();
};

struct MenuMark {
  MenuCommand command;
  bool checked;
};

// The test controls for one run mode.
struct TestControlState {
  bool navigationEnabled;                  // "<", ">", "<<", ">>", "First", "Last"
  bool resultGroupEnabled;                 // "Reset test" and the pass-rate texts
  std::optional<PictureId> resultButton1;  // nullopt: the button shows no picture
  std::optional<PictureId> resultButton2;
  PictureId automaticRunButton;
  bool editAddRecordsEnabled;
  bool operator==(const TestControlState&) const = default;
};

// Nothing for a run-mode value outside 1..4: the controls stay as they are.
std::optional<TestControlState> TestControlsFor(RunMode mode);

// The shares of "Good" and "Bad" records among all records, "30.00%";
// "0.00%" each for a plan without records.
struct PassRates {
  std::string good;
  std::string bad;
};
PassRates ComputePassRates(const TestPlanState& plan);

// Present only after a change of mode or view.
struct LayoutChange {
  // Which of the ribbon's mode-dependent sets to show (the other is
  // hidden); nothing for a mode text of no known mode.
  std::optional<RibbonShownIn> controlSet;
  std::optional<ClientSize> clientSize;
  bool relayout = false;  // call Relayout after resizing
};

struct InterfaceState {
  std::vector<MenuMark> menuMarks;  // in CheckMarkOrder()
  int voltagePosition = 0;
  int resistancePosition = 0;
  int frequencyPosition = 0;
  std::optional<int> scanSigPosition;  // nothing: leave the list as it is
  std::optional<int> scanComPosition;
  std::optional<TestControlState> testControls;
  PassRates passRates;
  PaneVisibility panes;  // to apply to the panes
  std::optional<LayoutChange> layout;
};

// Computes the description. When mode or view differ from the last layout
// it remembers the new pair, updates the pane visibility (compact modes:
// main scope only; "Advanced": the view's panes; an unknown view or mode
// leaves it) and raises the display refresh and scope redraw requests.
InterfaceState ComputeInterfaceState(const InterfaceInputs& inputs, InterfaceLayoutState& state,
                                     DisplayRequests& requests);

}  // namespace vanto
