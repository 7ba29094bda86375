// The instrument's identity in its USB bridge's EEPROM: the maker text in
// words 81-94 and the product text in words 95-119, one character per word,
// and which product texts each selected model accepts.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "link/usb_link.h"

namespace vanto {

inline constexpr int kMakerFirstWord = 81;
inline constexpr int kMakerLength = 14;
inline constexpr int kProductFirstWord = 95;
inline constexpr int kProductLength = 25;
inline constexpr std::string_view kMakerName = "Quillotek";

// `length` characters from the words starting at `first`; a code of 32 or
// less, or of 126 or more, reads as a space.
std::string DescriptorText(const std::array<std::int16_t, kDescriptorWordCount>& words, int first,
                           int length);

bool MakerIsKnown(std::string_view makerText);

// Whether the product text begins with one of the texts listed for the
// selected model (ORXAP never passes for ORXA nor the reverse; an ORXC
// text passes for ORXC and ORXCB). False for an unknown model.
bool ProductFitsModel(std::string_view productText, std::string_view model);

}  // namespace vanto
