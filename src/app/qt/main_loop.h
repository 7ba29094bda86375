// The program's one event loop on the main thread: each pass waits at most
// 1 ms for window events (which raise the event flags through the main
// window) and then calls the dispatcher, event or not.
#pragma once

#include "app/app_state.h"
#include "app/dispatcher.h"

namespace vanto {

// One pass: wait up to 1 ms, handle what arrived, dispatch.
void RunMainLoopPass(AppState& state, PassDispatcher& dispatcher);

// Passes until a pass ends with quitRequested set.
void RunMainLoop(AppState& state, PassDispatcher& dispatcher);

}  // namespace vanto
