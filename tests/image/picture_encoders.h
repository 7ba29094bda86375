// Test fixtures made in memory: known pixels encoded with the same libraries
// the decoders use (libpng, TurboJPEG, OpenJPEG), so no sample file is needed.
#pragma once

#include <cstdint>
#include <vector>

#include "image/picture.h"

namespace vanto::testing {

using Bytes = std::vector<std::uint8_t>;

struct PngSpec {
  int width = 0;
  int height = 0;
  int colourType = 0;  // PNG_COLOR_TYPE_...
  int bitDepth = 8;
  // Rows exactly as PNG stores them: packed samples, 16-bit ones big-endian.
  Bytes rows;
  std::vector<Rgb> palette;
  Bytes paletteAlpha;                    // tRNS for a palette
  std::vector<std::uint16_t> keyColour;  // tRNS for grey (1 value) or RGB (3)
  bool interlaced = false;
};

Bytes EncodePng(const PngSpec& spec);
// Signature and header only: a file that claims a size and holds no pixels.
Bytes EncodePngHeader(std::uint32_t width, std::uint32_t height);
Bytes EncodeRgbPng(const Picture& picture);

// pixelFormat and subsampling are TJPF_... and TJSAMP_... values.
Bytes EncodeJpeg(const std::uint8_t* pixels, int width, int height, int pixelFormat,
                 int subsampling, int quality);
Bytes EncodeRgbJpeg(const Picture& picture, int subsampling, int quality);

struct Jpeg2000Plane {
  int dx = 1;  // subsampling on the reference grid
  int dy = 1;
  int precision = 8;
  bool isSigned = false;
  int alpha = 0;             // 0 colour, 1 opacity, 2 premultiplied opacity
  std::vector<int> samples;  // ceil(width / dx) x ceil(height / dy), row by row
};

struct Jpeg2000Spec {
  int width = 0;
  int height = 0;
  int colourSpace = 0;    // OPJ_CLRSPC_...
  bool boxFormat = true;  // JP2 file, otherwise a bare J2K codestream
  bool lossless = true;
  bool componentTransform = false;  // the reversible RGB transform
  int tileSide = 0;                 // square tiles of this side; 0 = one tile
  std::vector<Jpeg2000Plane> planes;
};

Bytes EncodeJpeg2000(const Jpeg2000Spec& spec);
Jpeg2000Spec RgbJpeg2000Spec(const Picture& picture, bool boxFormat);

}  // namespace vanto::testing
