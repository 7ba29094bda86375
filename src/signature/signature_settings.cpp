#include "signature/signature_settings.h"

#include <array>
#include <utility>

namespace vanto {
namespace {

template <typename Value, std::size_t N>
Value Lookup(const std::array<std::pair<std::string_view, Value>, N>& table, std::string_view text,
             Value fallback) {
  for (const auto& [listed, value] : table) {
    if (listed == text) return value;
  }
  return fallback;
}

}  // namespace

float OpenCircuitFraction(std::string_view text) {
  static constexpr std::array<std::pair<std::string_view, float>, 3> kTable = {{
      {"0.25%", 0.0025f},
      {"0.50%", 0.005f},
      {"1.00%", 0.01f},
  }};
  return Lookup(kTable, text, 0.0025f);
}

float StabilityFraction(std::string_view text) {
  static constexpr std::array<std::pair<std::string_view, float>, 3> kTable = {{
      {"0.50%", 0.005f},
      {"1.00%", 0.01f},
      {"2.00%", 0.02f},
  }};
  return Lookup(kTable, text, 0.01f);
}

int StableDelayCycles(std::string_view text) {
  static constexpr std::array<std::pair<std::string_view, int>, 5> kTable = {{
      {"2 cycles", 2},
      {"5 cycles", 5},
      {"10 cycles", 10},
      {"15 cycles", 15},
      {"20 cycles", 20},
  }};
  return Lookup(kTable, text, 5);
}

float GoldenVsLiveThresholdFraction(std::string_view text) {
  static constexpr std::array<std::pair<std::string_view, float>, 8> kTable = {{
      {"0.50%", 0.005f},
      {"0.75%", 0.0075f},
      {"1.00%", 0.01f},
      {"1.50%", 0.015f},
      {"2.00%", 0.02f},
      {"3.00%", 0.03f},
      {"4.00%", 0.04f},
      {"5.00%", 0.05f},
  }};
  return Lookup(kTable, text, 0.0f);
}

int StableDelayCycles(const Settings& settings) {
  return StableDelayCycles(settings.signatureCaptureDelay);
}

float GoldenVsLiveThresholdPercent(const Settings& settings) {
  const float fraction = GoldenVsLiveThresholdFraction(settings.goldenVsLiveThreshold);
  const float percent = fraction * 100.0f;
  return percent;
}

}  // namespace vanto
