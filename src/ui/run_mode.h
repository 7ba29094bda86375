// The four modes of the test run: marking by hand, capturing by hand, and
// the two automatic runs that the automatic-run button starts from them.
#pragma once

#include <cstdint>

namespace vanto {

enum class RunMode : std::int32_t {
  TestBoard = 1,    // Good/Bad marked by hand
  Capture = 2,      // golden signatures captured by hand
  AutoTest = 3,     // automatic test running
  AutoCapture = 4,  // automatic capture running
};

inline bool IsAutomaticRun(RunMode mode) {
  return mode == RunMode::AutoTest || mode == RunMode::AutoCapture;
}

}  // namespace vanto
