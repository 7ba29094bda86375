// Freezing a golden and a DUT signature next to the live one in the Basic
// modes: by hand with the two freeze toggles, or by the automatic cycle
// that follows the probe (first settled contact golden, the next one DUT,
// the third clears both). Main thread, inside the dispatcher pass.
#pragma once

#include "signature/signature.h"
#include "signature/signature_analysis.h"
#include "ui/freeze_state.h"
#include "ui/test_run_context.h"

namespace vanto {

// Copies points 1..128 of both arrays; the point count is not copied (the
// live signature's count decides how many are drawn).
void CopySignaturePoints(const Signature& from, Signature& to);
// Sets points 1..128 to zero.
void ClearSignaturePoints(Signature& signature);

// The toggles. Neither freeze toggle requests a redraw: the change shows at
// the next scope redraw.
void ToggleFreezeGolden(FreezeState& freeze, SignatureAnalysis& analysis, bool down);
void ToggleFreezeDut(FreezeState& freeze, SignatureAnalysis& analysis, bool down);
void ToggleAutoFreeze(TestRunContext& context, bool down);

// One step of the automatic cycle, on the values of the latest
// classification; called once per pass while the run mode is "test board"
// and "Auto Freeze" is down.
void StepAutoFreeze(TestRunContext& context);

}  // namespace vanto
