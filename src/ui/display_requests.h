// The requests for the next display refresh and scope redraw, and the
// count of black main-scope redraws after a capture. Main thread only; any
// operation may raise a request, the dispatcher serves and clears them.
#pragma once

#include <cstdint>

namespace vanto {

// Black main-scope redraws after a golden capture or an automatic freeze.
inline constexpr std::int32_t kCaptureFlashRedraws = 3;

struct DisplayRequests {
  bool displayRefreshPending = true;   // static layers to rebuild
  bool scopeRedrawPending = false;     // traces to recompose
  std::int32_t captureFlashCount = 0;  // main-scope redraws still to show black
};

}  // namespace vanto
