#include "ui/scope_redraw.h"

#include <algorithm>

#include "foundation/mode_and_view.h"
#include "link/generator_full_scale.h"
#include "signature/classification.h"
#include "signature/status_text.h"
#include "testplan/record_result.h"
#include "testplan/signature_record.h"
#include "ui/run_outcome.h"
#include "ui/stored_scale_warning.h"

namespace vanto {

ScopeRedraw DecideScopeRedraw(const ScopeRedrawState& state) {
  const Settings& settings = state.settings;
  SignatureAnalysis& analysis = state.analysis;
  TestPlanState& plan = state.plan;
  const std::optional<AppMode> mode = ParseAppMode(settings.mode);
  const int rows = RowCount(plan);

  if (mode == AppMode::Advanced) {
    const int row = std::clamp(plan.currentRecord, 1, std::max(rows, 1));
    analysis.displaySignature = ReadSlotSignature(plan.table, row, 0);
  }

  ScopeRedraw redraw;
  if (state.display.captureFlashCount > 0) {
    --state.display.captureFlashCount;
    redraw.mainBlank = true;
  }
  redraw.fullScale = GeneratorFullScale(state.generator);
  redraw.pointCount = analysis.liveSignature.pointCount;

  if (mode == AppMode::Basic) {
    redraw.mainTraces.push_back({analysis.frozenGolden, settings.colourScopeXTraceGoldenSig});
    redraw.mainTraces.push_back({analysis.frozenDut, settings.colourScopeXTraceDutSig});
  } else if (mode == AppMode::Advanced) {
    redraw.mainTraces.push_back({analysis.displaySignature, settings.colourScopeXTraceGoldenSig});
    if (plan.currentRecord > rows) plan.currentRecord = rows;
    if (IsMeasured(plan.table, plan.currentRecord)) {
      analysis.displaySignature = ReadSlotSignature(plan.table, plan.currentRecord, 1);
      redraw.mainTraces.push_back({analysis.displaySignature, settings.colourScopeXTraceDutSig});
    }
  }

  if (state.connected) {
    analysis.displaySignature = analysis.liveSignature;
    redraw.mainTraces.push_back({analysis.displaySignature, settings.colourScopeXTraceLiveSig});
    ClassifySignature(analysis, redraw.fullScale, settings);
    redraw.statusText = SignatureStatusText(analysis, settings);
    WarnOfStoredScale(state, redraw);
    // While connected the centre mini-scope's golden-coloured pass over
    // displaySignature is the live curve itself, overdrawn pixel for pixel
    // by the live pass, so only the live pass is listed.
    redraw.centreTrace = ScopeTrace{analysis.displaySignature, settings.colourScopeXTraceLiveSig};
  }
  ShowRunOutcome(redraw.statusText, state.runOutcome);
  return redraw;
}

std::optional<ScopeRedraw> TakeScopeRedraw(const ScopeRedrawState& state) {
  if (!state.display.scopeRedrawPending) return std::nullopt;
  state.display.scopeRedrawPending = false;
  return DecideScopeRedraw(state);
}

}  // namespace vanto
