// USB rail value and text.
#include "link/rail_display.h"

#include "foundation/number_text.h"

namespace vanto {

std::string UpdateRailDisplay(RailDisplay& rail, std::uint16_t railCount) {
  rail.railVolts = static_cast<float>(railCount) * kRailVoltsPerCount;
  const float upper = rail.railShown + 0.01f;
  const float lower = rail.railShown - 0.01f;
  if (rail.railVolts > upper || rail.railVolts < lower) rail.railShown = rail.railVolts;
  return "USB rail: " + FormatFixed(rail.railShown, 2) + "V";
}

}  // namespace vanto
