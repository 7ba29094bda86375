#include "app/command_line.h"

namespace vanto {

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& option = arguments[i];
    auto value = [&](std::string& target) {
      if (i + 1 >= arguments.size()) {
        line.error = "missing value for " + option;
        return;
      }
      target = arguments[++i];
    };
    if (option == "--workdir") {
      value(line.workdir);
    } else if (option == "--d2xx") {
      value(line.d2xxPath);
    } else if (option == "--simulate") {
      line.simulate = true;
    } else if (option == "--connect") {
      line.connect = true;
    } else if (option == "--show-crash-report") {
      line.showCrashReport = true;
      value(line.crashReport);
    } else if (option == "--help" || option == "-h") {
      line.help = true;
    } else {
      line.error = "unknown option " + option;
    }
    if (!line.error.empty()) break;
  }
  if (line.error.empty() && line.simulate && !line.d2xxPath.empty()) {
    line.error = "--simulate and --d2xx exclude each other";
  }
  return line;
}

}  // namespace vanto
