// Decoding a picture from bytes or from a file, choosing the decoder by the
// first bytes. Safe on any input: damaged, cut-short or foreign data gives an
// error result, never a crash, and sizes are checked before memory is taken.
// May be called from any thread; calls share no state.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "image/picture_result.h"

namespace vanto {

PictureResult DecodePicture(std::span<const std::uint8_t> bytes);

// The file named as the program stores it ("\" or "/" between folders,
// relative to the working directory), read whole and decoded.
PictureResult LoadPicture(std::string_view storedFileName);

}  // namespace vanto
