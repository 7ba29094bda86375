// The decisions of the per-frame scope redraw, without any drawing: which
// signature is on display (the one the golden comparison measures), the
// record brought back to the last one, the classification of the live
// signature (one stable-delay cycle per redraw while connected), the
// capture flash countdown, and a plain list of what the drawing side lays
// over the scope backgrounds. Main thread, at the redraw's place in the
// dispatcher pass.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "foundation/settings.h"
#include "link/generator_settings.h"
#include "signature/full_scale.h"
#include "signature/signature.h"
#include "signature/signature_analysis.h"
#include "testplan/test_plan.h"
#include "ui/display_requests.h"
#include "ui/run_outcome_state.h"

namespace vanto {

// One closed curve and its colour ($BBGGRR, as in the settings).
struct ScopeTrace {
  Signature signature;
  std::int32_t colour = 0;
};

// What one redraw shows, in drawing order.
struct ScopeRedraw {
  bool mainBlank = false;              // the capture flash: black instead of the background
  FullScale fullScale;                 // applied settings, for every trace drawn here
  int pointCount = 0;                  // the live signature's: every trace draws this many points
  std::vector<ScopeTrace> mainTraces;  // golden, measured, live as the mode has them
  std::optional<std::string> statusText;  // while connected, or a run's outcome
  std::optional<ScopeTrace> centreTrace;  // over mini-scope 5's static layer, while connected
};

// What the redraw reads and changes.
struct ScopeRedrawState {
  const Settings& settings;            // colours, "ORX_Mode", analysis settings
  const GeneratorSettings& generator;  // applied values: the full scale
  bool connected;                      // the instrument link is open
  TestPlanState& plan;                 // CurrentRecord may come back to RowCount
  SignatureAnalysis& analysis;         // displaySignature, classification
  DisplayRequests& display;            // CaptureFlashCount
  const RunOutcome* runOutcome = nullptr;  // the end of the last automatic run
};

// One redraw: "Basic" shows the frozen golden and DUT; "Advanced" loads the
// record's golden (row limited to 1..RowCount) into displaySignature, then
// brings CurrentRecord back to RowCount when beyond it, then loads and
// shows slot 1 when the record is measured; "Basic-Auto" neither. While
// connected the live signature becomes displaySignature, is classified and
// gets its status line; a standing run outcome takes that line, connected
// or not.
ScopeRedraw DecideScopeRedraw(const ScopeRedrawState& state);

// The dispatcher's step: when ScopeRedrawPending is set, clears it and
// decides the redraw; nothing otherwise.
std::optional<ScopeRedraw> TakeScopeRedraw(const ScopeRedrawState& state);

}  // namespace vanto
