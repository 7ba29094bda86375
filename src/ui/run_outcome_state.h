// What the end of an automatic run left to show: the outcome text on the
// scope's status line and in the window's status text until the next
// command. Main thread only.
#pragma once

#include <optional>
#include <string>

namespace vanto {

struct RunOutcome {
  std::optional<std::string> text;  // "Run complete: ..." or "Nothing left to test"
  int record = 0;                   // where the run ended, within the records
  int recordsDone = 0;              // tested or captured by the running run
  bool changed = false;             // set or cleared since the window's status text followed
  std::string linkStatusText;       // the link's latest status text, held back meanwhile
};

}  // namespace vanto
