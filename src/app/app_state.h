// The application frame's own state: model, title, quit request and the
// event flags that the main loop raises for the dispatcher. Main thread only.
#pragma once

#include <string>

namespace vanto {

inline constexpr float kAppVersion = 22.001f;

// Kinds of window events the main loop tells apart; 0 is "no event".
enum class EventKind {
  None = 0,
  Control,
  Menu,
  LeftClick,
  RightClick,
  Close,
  Resized,
  Moved,
  Maximised,
  Tray,
  Other,
};

struct AppState {
  std::string activeModel = "ORXA";
  std::string menuModel;  // Change Instrument's remembered choice
  std::string windowTitle;
  bool quitRequested = false;
  EventKind lastEvent = EventKind::None;
  bool clickPending = false;
  bool rightClickPending = false;
  bool relayoutPending = false;
  bool soundAvailable = false;
  std::string currentPlanFile;  // the plan shown; may differ from the setting
};

// Records one event the way the main loop does. A close ends the program
// only when the main window is the active window at that moment.
void HandleWindowEvent(AppState& state, EventKind kind, bool mainWindowActive);

}  // namespace vanto
