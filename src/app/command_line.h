// The program's command-line options.
//   --workdir DIR             work in DIR instead of the current folder
//   --show-crash-report TEXT  only show a crash report box and end (used by
//                             the crash handler, which cannot open windows)
#pragma once

#include <string>
#include <vector>

namespace vanto {

struct CommandLine {
  std::string workdir;
  bool showCrashReport = false;
  std::string crashReport;
  bool help = false;
  std::string error;  // empty when the options were understood
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

inline constexpr const char* kCommandLineHelp =
    "usage: vanto [--workdir DIR]\n"
    "  --workdir DIR   use DIR as the working folder (settings, log, plans)\n";

}  // namespace vanto
