// The USB supply voltage shown in the ribbon's instrument status text, with
// a hysteresis of 0.01 V so that the last digit does not flicker. Main thread.
#pragma once

#include <bit>
#include <cstdint>
#include <string>

namespace vanto {

// Volts per count of header word 1.
inline constexpr float kRailVoltsPerCount = 0.0016121271f;
static_assert(std::bit_cast<std::uint32_t>(kRailVoltsPerCount) == 0x3AD34E02u);

struct RailDisplay {
  float railVolts = 0.0f;  // the last decoded value
  float railShown = 0.0f;  // the value on screen
};

// Decodes the rail count, moves the shown value only when the new one lies
// more than 0.01 V away, and returns the status text, "USB rail: 4.98V".
std::string UpdateRailDisplay(RailDisplay& rail, std::uint16_t railCount);

}  // namespace vanto
