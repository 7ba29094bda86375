#include "app/app_state.h"

#include "app/dispatcher.h"

namespace vanto {

void HandleWindowEvent(AppState& state, EventKind kind, bool mainWindowActive) {
  state.lastEvent = kind;
  switch (kind) {
    case EventKind::Close:
      if (mainWindowActive) state.quitRequested = true;
      break;
    case EventKind::LeftClick:
    case EventKind::Control:
      state.clickPending = true;
      break;
    case EventKind::RightClick:
      state.rightClickPending = true;
      break;
    case EventKind::Resized:
    case EventKind::Moved:
      state.relayoutPending = true;
      break;
    default:
      break;
  }
}

void IdleDispatcher::DispatchPass() {
  state_.clickPending = false;
  state_.rightClickPending = false;
  state_.relayoutPending = false;
}

}  // namespace vanto
