#include "ui/selector_positions.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

#include "link/generator_lists.h"

namespace vanto {
namespace {

constexpr int kVoltageFallback = 4;
constexpr int kResistanceFallback = 0;
constexpr int kFrequencyFallback = 3;

// Whole units, half away from zero; nothing for values no list could hold.
std::optional<long> Whole(float value) {
  if (!std::isfinite(value) || std::fabs(value) > 1.0e9f) return std::nullopt;
  return std::lround(value);
}

struct VoltageRange {
  long low;
  long high;
};
// Position i holds the whole mV values low..high.
constexpr std::array<VoltageRange, 10> kVoltageRanges = {{
    {0, 299},
    {300, 499},
    {500, 699},
    {700, 899},
    {900, 1499},
    {1500, 2499},
    {2500, 3499},
    {3500, 4499},
    {4500, 7499},
    {7500, 12499},
}};

}  // namespace

int VoltagePosition(float appliedMv) {
  const std::optional<long> mv = Whole(appliedMv);
  if (!mv) return kVoltageFallback;
  for (std::size_t i = 0; i < kVoltageRanges.size(); ++i) {
    if (*mv >= kVoltageRanges[i].low && *mv <= kVoltageRanges[i].high) return static_cast<int>(i);
  }
  return kVoltageFallback;
}

int ResistancePosition(std::string_view model, float appliedOhms) {
  const std::optional<long> ohms = Whole(appliedOhms);
  if (!ohms) return kResistanceFallback;
  const std::vector<ValueChoice> items = ResistanceChoices(model);
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].value == *ohms) return static_cast<int>(i);
  }
  return kResistanceFallback;
}

int FrequencyPosition(float appliedHz) {
  const std::optional<long> hz = Whole(appliedHz);
  if (!hz) return kFrequencyFallback;
  for (std::size_t i = 0; i < kFrequencyChoices.size(); ++i) {
    if (kFrequencyChoices[i].value == *hz) return static_cast<int>(i);
  }
  return kFrequencyFallback;
}

std::optional<int> ScannerPosition(int channel) {
  if (channel < 0 || channel > kScannerChannels) return std::nullopt;
  return channel;
}

}  // namespace vanto
