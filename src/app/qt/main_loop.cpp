#include "app/qt/main_loop.h"

#include <QCoreApplication>
#include <QTimer>

namespace vanto {

void RunMainLoopPass(AppState& state, PassDispatcher& dispatcher) {
  state.lastEvent = EventKind::None;
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  dispatcher.DispatchPass();
}

void RunMainLoop(AppState& state, PassDispatcher& dispatcher) {
  // The timer bounds the wait for events to 1 ms, so the dispatcher runs
  // about a thousand times a second whether or not the user does anything.
  QTimer wake;
  wake.start(1);
  do {
    RunMainLoopPass(state, dispatcher);
  } while (!state.quitRequested);
}

}  // namespace vanto
