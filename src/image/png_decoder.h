// PNG to RGB with libpng. Every PNG kind becomes 8-bit RGB: grey and palette
// are expanded, 16-bit samples are scaled to 8 bits, and transparency (an
// alpha channel or a tRNS chunk) is composited onto black.
#pragma once

#include <cstdint>
#include <span>

#include "image/picture_result.h"

namespace vanto {

// A file cut short inside the image data is an error (Corrupt); one cut only
// after the last image data decodes fully, since nothing after it is needed.
PictureResult DecodePng(std::span<const std::uint8_t> bytes);

}  // namespace vanto
