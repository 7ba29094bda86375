// The program's start-up in its fixed order and its run. main() builds the
// context and the platform edges, installs the crash handler and hands over.
#pragma once

#include <memory>

#include "app/app_context.h"
#include "app/dispatcher.h"
#include "app/qt/main_window.h"
#include "app/qt/main_window_controller.h"
#include "app/qt/picture_store.h"
#include "app/qt/qt_browser_opener.h"
#include "app/qt/qt_question_boxes.h"
#include "app/qt/ui_fonts.h"
#include "app/command_line.h"
#include "foundation/resources.h"
#include "link/link_state.h"
#include "signature/signature_analysis.h"
#include "ui/display_requests.h"
#include "ui/freeze_state.h"
#include "ui/link_instrument_port.h"
#include "ui/test_run_context.h"
#include "ui/test_run_state.h"
#include "app/window_events.h"

namespace vanto {

class Application {
 public:
  Application(AppContext& context, SoundOutput& sound);
  ~Application();

  // The instrument options of the command line; before Start().
  void SetInstrumentOptions(const CommandLine& options) { options_ = options; }

  // Settings, model, main window, release check, sound and the interface.
  void Start();
  // The main loop, until the main window is closed while active. Stops and
  // joins every thread started here before returning.
  void Run();

  MainWindow& Window() { return *window_; }
  MainWindowController& Controller() { return *controller_; }
  TestRunState& RunState() { return run_; }
  SignatureAnalysis& Analysis() { return analysis_; }
  WindowEvents& Events() { return events_; }
  PassDispatcher& Dispatcher() { return *dispatcher_; }
  const UiFonts& Fonts() const { return fonts_; }
  const PictureStore& Pictures() const { return pictures_; }
  // Records one window event; public so tests can deliver events directly.
  void OnWindowEvent(EventKind kind);

 private:
  void InitialiseInterface();
  InstrumentLink Link();

  AppContext& context_;
  SoundOutput& sound_;
  std::unique_ptr<MainWindow> window_;
  UiFonts fonts_;
  PictureStore pictures_;
  CommandLine options_;

  // The test run's state and the window's event queue.
  TestRunState run_;
  FreezeState freeze_;
  SignatureAnalysis analysis_;
  DisplayRequests display_;
  WindowEvents events_;
  QtQuestionBoxes questions_;
  QtBrowserOpener browser_;
  std::unique_ptr<LinkInstrumentPort> instrument_;
  std::unique_ptr<TestRunContext> runContext_;
  std::unique_ptr<MainWindowController> controller_;
  std::unique_ptr<PassDispatcher> dispatcher_;
};

}  // namespace vanto
