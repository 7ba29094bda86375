#include "signature/status_text.h"

#include <cstdio>

namespace vanto {

const char* SignatureStateWord(SignatureState state) {
  switch (state) {
    case SignatureState::OpenCircuit: return "O/C";
    case SignatureState::Stable: return "Stable";
    case SignatureState::Unstable: return "Unstable";
  }
  return "";
}

std::string SignatureStatusText(const SignatureAnalysis& analysis, const Settings& settings) {
  char difference[64];
  std::snprintf(difference, sizeof difference, "%.2f",
                static_cast<double>(analysis.goldenDifference));
  std::string text = SignatureStateWord(analysis.signatureState);
  text += ", Count: ";
  text += std::to_string(analysis.stableCycleCount);
  text += ", Prev: ";
  text += difference;
  text += "%, Threshold: ";
  text += settings.goldenVsLiveThreshold;
  return text;
}

}  // namespace vanto
