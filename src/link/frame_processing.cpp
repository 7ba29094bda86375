// Per-pass frame handling on the main thread.
#include "link/frame_processing.h"

#include "link/button_indicators.h"
#include "link/live_signature.h"
#include "link/rail_display.h"

namespace vanto {

bool ProcessFrame(InstrumentLink& link) {
  LinkState& state = link.state;
  if (!TakeReadyFrame(state.frames, state.lastFrame)) return false;
  ConvertLiveSignature(state.lastFrame, state.adc, state.generator, link.liveSignature);
  state.scopeRedrawRequested.store(true);
  UpdateButtonIndicators(state.buttons, state.lastFrame.header[2]);
  PostStatusText(state.outbox, UpdateRailDisplay(state.rail, state.lastFrame.header[1]));
  return true;
}

std::optional<std::string> TakeLinkStatusText(LinkState& state) {
  return TakeStatusText(state.outbox);
}

void ShowPendingLinkMessages(InstrumentLink& link) {
  for (const std::string& text : TakeMessages(link.state.outbox)) link.messages.ShowMessage(text);
}

bool TakeScopeRedrawRequest(LinkState& state) {
  return state.scopeRedrawRequested.exchange(false);
}

bool TakeDisplayRefreshRequest(LinkState& state) {
  const bool requested = state.displayRefreshRequested;
  state.displayRefreshRequested = false;
  return requested;
}

}  // namespace vanto
