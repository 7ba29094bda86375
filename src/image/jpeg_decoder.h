// JPEG to RGB with the TurboJPEG interface of libjpeg-turbo. Colour and grey
// JPEGs come out as RGB directly; CMYK and YCCK JPEGs are decoded to CMYK and
// turned into RGB with the inverted (Adobe) convention that Photoshop and
// libjpeg-turbo's own tools write: R = C x K / 255, and so on.
#pragma once

#include <cstdint>
#include <span>

#include "image/picture_result.h"

namespace vanto {

// Damage the decoder can step over (a file cut short, stray bytes between
// markers) only raises a warning: the picture is then returned as far as it
// could be decoded, the rest filled by the decoder, because cameras write
// such small faults often and the photograph is still useful. A fatal error
// gives Corrupt.
PictureResult DecodeJpeg(std::span<const std::uint8_t> bytes);

}  // namespace vanto
