// The main window's controller: one pass per main-loop pass, doing the
// window's event handling and periodic work in a fixed order — menu
// command, control action, the end of an automatic run whose instrument
// link closed, run-mode step, refresh after a run-mode change,
// relayout (at most once a second), the instrument's A/B functions, the
// record change, the generator step, the new data frame, display refresh,
// scope redraw, clicks and the connection indicator. Main thread only.
#pragma once

#include "app/app_context.h"
#include "app/dispatcher.h"
#include "app/menu_commands.h"
#include "link/button_indicators.h"
#include "link/link_state.h"
#include "app/dispatcher_window.h"
#include "ui/test_run_context.h"
#include "app/window_events.h"

namespace vanto {

class MainDispatcher final : public PassDispatcher {
 public:
  MainDispatcher(AppContext& app, TestRunContext& run, InstrumentLink link,
                 DispatcherWindow& window, MenuCommandHooks& menuHooks, WindowEvents& events);

  void DispatchPass() override;

 private:
  void RunQueuedMenuCommand();
  void RunQueuedControl();
  void HandleFrame();
  int HandleClicks();
  void ShowButtonPictures();

  AppContext& app_;
  TestRunContext& run_;
  InstrumentLink link_;
  DispatcherWindow& window_;
  MenuCommandHooks& menuHooks_;
  WindowEvents& events_;
  IndicatorImage shownA_ = IndicatorImage::None;
  IndicatorImage shownB_ = IndicatorImage::None;
};

}  // namespace vanto
