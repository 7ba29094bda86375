// Small text pieces shared by the scope labels.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vanto {

// x rounded to the nearest integer (halves away from zero), in decimal.
std::string RoundedDecimal(float x);

// An integer cell value divided by 1000, the remainder dropped.
std::int32_t WholeThousands(std::int32_t value);

// The text with every "£" shown as ",".
std::string PoundsAsCommas(std::string_view text);

// The file name without its folder; both "\" and "/" separate folders.
std::string_view FileNamePart(std::string_view path);

}  // namespace vanto
