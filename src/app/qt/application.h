// The program's start-up in its fixed order and its run. main() builds the
// context and the platform edges, installs the crash handler and hands over.
#pragma once

#include <memory>

#include "app/app_context.h"
#include "app/dispatcher.h"
#include "app/qt/main_window.h"
#include "app/qt/picture_store.h"
#include "app/qt/ui_fonts.h"
#include "app/command_line.h"
#include "app/resources.h"
#include "link/link_state.h"
#include "signature/signature.h"

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
  std::unique_ptr<PassDispatcher> dispatcher_;
  UiFonts fonts_;
  PictureStore pictures_;
  CommandLine options_;
  Signature liveSignature_;
};

}  // namespace vanto
