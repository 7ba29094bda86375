#include "signature/status_text.h"

#include "foundation/number_text.h"

namespace vanto {

const char* SignatureStateWord(SignatureState state) {
  switch (state) {
    case SignatureState::OpenCircuit: return "O/C";
    case SignatureState::Stable: return "Stable";
    case SignatureState::Unstable: return "Unstable";
  }
  return "";
}

std::string SignatureClassificationText(const SignatureAnalysis& analysis) {
  std::string text = SignatureStateWord(analysis.signatureState);
  text += ", Count: ";
  text += std::to_string(analysis.stableCycleCount);
  return text;
}

std::string SignatureStatusText(const SignatureAnalysis& analysis, const Settings& settings) {
  std::string text = SignatureClassificationText(analysis);
  text += ", Prev: ";
  text += FormatFixed(analysis.goldenDifference, 2);
  text += "%, Threshold: ";
  text += settings.goldenVsLiveThreshold;
  return text;
}

}  // namespace vanto
