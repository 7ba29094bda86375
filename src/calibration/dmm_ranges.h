// The multimeter's thirteen ranges: the text that names each (the index is
// the window's range list position) and the two SCPI commands that select it.
#pragma once

#include <array>
#include <string_view>

namespace vanto {

struct DmmRange {
  std::string_view text;
  std::string_view configure;  // "CONFigure:VOLTage:DC\n" or "CONFigure:CURRent:DC\n"
  std::string_view range;      // "VOLTage:DC:RANGe 10V\n", ...
};

inline constexpr int kDmmRangeCount = 13;
inline constexpr int kDefaultDmmRangeIndex = 2;  // "10V"

const std::array<DmmRange, kDmmRangeCount>& DmmRanges();

// The index of a range text, or -1 when it is none of the thirteen.
int FindDmmRange(std::string_view text);

}  // namespace vanto
