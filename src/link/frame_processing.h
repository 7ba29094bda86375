// The main thread's share of the link in each dispatcher pass: converting
// a new frame into the live signature, and picking up what the link has
// for the window (status text, messages, redraw requests).
#pragma once

#include <optional>
#include <string>

#include "link/link_state.h"

namespace vanto {

// Main thread, once per pass after GeneratorStep. When a verified frame is
// ready: FrameReady is cleared, the frame becomes the live signature
// (ConvertLiveSignature), a scope redraw is requested, the A/B indicators
// are updated and the USB rail text is posted. True when a frame was
// converted.
bool ProcessFrame(InstrumentLink& link);

// Main thread: the instrument status text, if a new one came
// ("USB rail: 5.00V" or "USB error: $0A3F").
std::optional<std::string> TakeLinkStatusText(LinkState& state);

// Main thread: shows the messages raised on the acquisition thread.
void ShowPendingLinkMessages(InstrumentLink& link);

// Main thread: true once per request (then the caller sets
// ScopeRedrawPending / DisplayRefreshPending).
bool TakeScopeRedrawRequest(LinkState& state);
bool TakeDisplayRefreshRequest(LinkState& state);

}  // namespace vanto
