// The program's command-line options.
//   --workdir DIR             work in DIR instead of the current folder
//   --d2xx PATH               load the USB library from PATH (else the
//                             environment variable ORX_D2XX_LIBRARY, else
//                             "libftd2xx.so")
//   --simulate                use the simulated instrument beside the program
//   --connect                 connect to the instrument once at start-up
//   --show-crash-report TEXT  only show a crash report box and end (used by
//                             the crash handler, which cannot open windows)
#pragma once

#include <string>
#include <vector>

namespace vanto {

struct CommandLine {
  std::string workdir;
  std::string d2xxPath;
  bool simulate = false;
  bool connect = false;
  bool showCrashReport = false;
  std::string crashReport;
  bool help = false;
  std::string error;  // empty when the options were understood
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

inline constexpr const char* kCommandLineHelp =
    "usage: vanto [--workdir DIR] [--d2xx PATH | --simulate] [--connect]\n"
    "  --workdir DIR   use DIR as the working folder (settings, log, plans)\n"
    "  --d2xx PATH     load the USB library from PATH\n"
    "  --simulate      use the simulated instrument (liborx_sim.so beside vanto)\n"
    "  --connect       connect to the instrument once at start-up\n";

}  // namespace vanto
