#include "app/main_dispatcher.h"

#include "link/connection.h"
#include "link/frame_processing.h"
#include "link/generator_apply.h"
#include "link/link_indicator.h"
#include "ui/dispatch_steps.h"
#include "ui/hit_test.h"
#include "ui/lost_link_run_end.h"
#include "ui/run_mode_step.h"
#include "ui/run_outcome.h"
#include "ui/scope_redraw.h"
#include "ui/test_run.h"

namespace vanto {

MainDispatcher::MainDispatcher(AppContext& app, TestRunContext& run, InstrumentLink link,
                               DispatcherWindow& window, MenuCommandHooks& menuHooks,
                               WindowEvents& events)
    : app_(app),
      run_(run),
      link_(std::move(link)),
      window_(window),
      menuHooks_(menuHooks),
      events_(events) {}

void MainDispatcher::RunQueuedMenuCommand() {
  // A menu command waits while a manual mark or capture is still pausing.
  if (events_.menuCommands.empty() || run_.run.manualWait.running) return;
  const MenuCommand command = events_.menuCommands.front();
  events_.menuCommands.pop_front();
  ClearRunOutcome(run_.run.outcome, run_.display);
  const MenuOutcome outcome = RunMenuCommand(app_, command, menuHooks_);
  if (outcome.instrumentMarks) window_.ApplyInstrumentMarks();
  if (outcome.refreshInterface) run_.hooks.RefreshInterface();
  if (outcome.displayRefresh) run_.display.displayRefreshPending = true;
}

void MainDispatcher::RunQueuedControl() {
  if (events_.controls.empty()) return;
  const ControlEvent event = events_.controls.front();
  events_.controls.pop_front();
  ClearRunOutcome(run_.run.outcome, run_.display);
  RunControlAction(run_, event.control, event.value);
}

void MainDispatcher::ShowButtonPictures() {
  const ButtonIndicators& buttons = link_.state.buttons;
  if (buttons.a.shown != shownA_) {
    shownA_ = buttons.a.shown;
    window_.ShowButtonPicture(InstrumentButton::A, ButtonImageFile('A', shownA_));
  }
  if (buttons.b.shown != shownB_) {
    shownB_ = buttons.b.shown;
    window_.ShowButtonPicture(InstrumentButton::B, ButtonImageFile('B', shownB_));
  }
}

void MainDispatcher::HandleFrame() {
  ProcessFrame(link_);
  ShowButtonPictures();
  if (std::optional<std::string> text =
          WindowStatusText(run_.run.outcome, TakeLinkStatusText(link_.state))) {
    window_.ShowStatusText(*text);
  }
  ShowPendingLinkMessages(link_);
  if (TakeScopeRedrawRequest(link_.state)) run_.display.scopeRedrawPending = true;
  if (TakeDisplayRefreshRequest(link_.state)) run_.display.displayRefreshPending = true;
}

int MainDispatcher::HandleClicks() {
  int offset = 0;
  if (app_.app.clickPending) {
    app_.app.clickPending = false;
    if (events_.leftClick && !run_.run.manualWait.running) {
      const ClickPoint point = *events_.leftClick;
      const int hit = window_.HitTestAt(point);
      offset = MiniScopeRecordOffset(hit);
      if (hit == kHitConnectionIndicator) {
        if (run_.instrument.IsConnected()) {
          ORX_StopConnection(link_);
        } else {
          ORX_StartConnection(link_);
        }
      } else if (hit == kHitBoardView) {
        window_.PcbViewClick(point);
      }
    }
    events_.leftClick.reset();
  }
  if (app_.app.rightClickPending) {
    app_.app.rightClickPending = false;
    // The hit test runs, but no pane has a right-click action.
    if (events_.rightClick) window_.HitTestAt(*events_.rightClick);
    events_.rightClick.reset();
  }
  return offset;
}

void MainDispatcher::DispatchPass() {
  RunQueuedMenuCommand();
  RunQueuedControl();
  // A link lost at any step of the previous pass or in the acquisition
  // thread ends a running automatic run before it steps.
  EndRunOnLostLink(run_);
  StepRunMode(run_);
  NoticeRunModeChange(run_);
  // The calendar is read only when a relayout waits: it is not free.
  if (app_.app.relayoutPending && TakeRelayoutRequest(run_.run, app_.app.relayoutPending,
                                                      CalendarSeconds(app_.clock.LocalTime()))) {
    window_.Relayout();
    run_.display.displayRefreshPending = true;
    run_.display.scopeRedrawPending = true;
  }
  RunInstrumentButtons(run_);
  if (ApplyRecordChange(run_)) {
    ClearRunOutcomeOnRecordChange(run_.run.outcome, run_.plan, run_.display);
  }
  GeneratorStep(link_);
  HandleFrame();
  if (run_.display.displayRefreshPending) window_.RefreshDisplay();
  const ScopeRedrawState scopes{run_.settings, run_.generator, run_.instrument.IsConnected(),
                                run_.plan,     run_.analysis,  run_.display,
                                &run_.run.outcome};
  if (std::optional<ScopeRedraw> redraw = TakeScopeRedraw(scopes)) window_.RedrawScopes(*redraw);
  const int offset = HandleClicks();
  MoveByMiniScope(run_, offset);
  if (std::optional<LinkIndicatorUpdate> update = RefreshLinkIndicator(link_.state.usb)) {
    window_.ShowLinkIndicator(*update);
  }
}

}  // namespace vanto
