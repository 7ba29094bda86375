// VANTO: the program's entry. It fixes the working folder, builds the one
// application context with the real platform edges, installs the crash
// handler (before Qt starts) and runs start-up and the main loop.
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/command_line.h"
#include "foundation/crash_handler.h"
#include "app/qt/application.h"
#include "app/qt/qt_message_boxes.h"
#include "app/qt/qt_sound_output.h"
#include "foundation/system_clock.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  vanto::CommandLine options = vanto::ParseCommandLine(arguments);
  if (!options.error.empty() || options.help) {
    if (!options.error.empty()) std::fprintf(stderr, "vanto: %s\n", options.error.c_str());
    std::fputs(vanto::kCommandLineHelp, options.help ? stdout : stderr);
    return options.help ? 0 : 2;
  }
  if (!options.workdir.empty() && ::chdir(options.workdir.c_str()) != 0) {
    std::fprintf(stderr, "vanto: cannot use working folder %s\n", options.workdir.c_str());
    return 2;
  }

  // Before Qt starts, so that a fault in Qt's own start-up (a missing
  // display or platform plugin aborts) is reported too. The report viewer
  // itself runs without it: a viewer that faults must not start another.
  if (!options.showCrashReport)
    vanto::InstallCrashHandler(vanto::CrashHandlerOptions::ShowWithThisProgram());

  QApplication qtApp(argc, argv);
  if (options.showCrashReport) {
    vanto::ShowCrashReportBox(options.crashReport);
    return 0;
  }

  vanto::SystemClock clock;
  vanto::QtMessageBoxes boxes;
  vanto::AppContext context(clock, boxes);

  vanto::QtSoundOutput sound;
  vanto::Application application(context, sound);
  application.SetInstrumentOptions(options);
  application.Start();
  application.Run();
  return 0;
}
