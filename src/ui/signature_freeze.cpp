#include "ui/signature_freeze.h"

#include "signature/classification.h"

namespace vanto {
namespace {

// A freeze flashes the main scope black, like a capture.
void ShowFreeze(TestRunContext& context) {
  context.hooks.RefreshInterface();
  context.display.captureFlashCount = kCaptureFlashRedraws;
  context.display.displayRefreshPending = true;
}

}  // namespace

void CopySignaturePoints(const Signature& from, Signature& to) {
  to.voltage = from.voltage;
  to.current = from.current;
}

void ClearSignaturePoints(Signature& signature) {
  signature.voltage.fill(0.0f);
  signature.current.fill(0.0f);
}

void ToggleFreezeGolden(FreezeState& freeze, SignatureAnalysis& analysis, bool down) {
  freeze.goldenFrozen = down;
  if (down) {
    CopySignaturePoints(analysis.liveSignature, analysis.frozenGolden);
  } else {
    ClearSignaturePoints(analysis.frozenGolden);
  }
}

void ToggleFreezeDut(FreezeState& freeze, SignatureAnalysis& analysis, bool down) {
  freeze.dutFrozen = down;
  if (down) {
    CopySignaturePoints(analysis.liveSignature, analysis.frozenDut);
  } else {
    ClearSignaturePoints(analysis.frozenDut);
  }
}

void ToggleAutoFreeze(TestRunContext& context, bool down) {
  context.freeze.autoFreezeOn = down ? 1 : 0;
  context.freeze.autoFreezeStep = 0;
  context.hooks.RefreshInterface();
}

void StepAutoFreeze(TestRunContext& context) {
  FreezeState& freeze = context.freeze;
  SignatureAnalysis& analysis = context.analysis;
  const bool open = analysis.signatureState == SignatureState::OpenCircuit;
  switch (freeze.autoFreezeStep) {
    case 0:  // waiting for the golden contact
      if (IsSettled(analysis, context.settings)) {
        CopySignaturePoints(analysis.liveSignature, analysis.frozenGolden);
        ShowFreeze(context);
        context.sounds.Play(SoundId::CaptureSignature);
        freeze.autoFreezeStep = 1;
      }
      break;
    case 1:  // golden frozen, waiting for the lift
      if (open) freeze.autoFreezeStep = 2;
      break;
    case 2:  // waiting for the DUT contact
      if (IsSettled(analysis, context.settings)) {
        CopySignaturePoints(analysis.liveSignature, analysis.frozenDut);
        ShowFreeze(context);
        freeze.autoFreezeStep = 3;
      }
      break;
    case 3:  // DUT frozen, waiting for the lift
      if (open) freeze.autoFreezeStep = 4;
      break;
    case 4:  // the next contact starts a new pair
      if (!open) {
        ClearSignaturePoints(analysis.frozenGolden);
        ClearSignaturePoints(analysis.frozenDut);
        freeze.autoFreezeStep = 0;
      }
      break;
    default: break;
  }
}

}  // namespace vanto
