// JPEG 2000 (JP2 box file or bare J2K codestream) to RGB with OpenJPEG.
// One colour component gives grey, three or more give RGB (from sRGB, sYCC
// or CMYK; a bare codestream whose second or third component is subsampled
// is taken as YCbCr). Subsampled components are stretched to the full size
// by repeating samples. A component marked as opacity is composited onto
// black, one marked premultiplied is dropped; other extra components are
// ignored. Samples of any precision are scaled to 8 bits.
#pragma once

#include <cstdint>
#include <span>

#include "image/picture_result.h"

namespace vanto {

// A codestream cut short, or data OpenJPEG rejects, gives Corrupt. Sizes,
// component count (at most 4) and tile count are checked from the header
// before OpenJPEG allocates anything.
PictureResult DecodeJpeg2000(std::span<const std::uint8_t> bytes);

}  // namespace vanto
