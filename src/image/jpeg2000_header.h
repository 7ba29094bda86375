// The image and tile size marker (SIZ) of a JPEG 2000 codestream, read
// before OpenJPEG sees the data: OpenJPEG allocates per-tile and per-sample
// memory from these numbers, so they are checked against the program's
// limits first.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vanto {

struct Jpeg2000Component {
  int dx = 1;  // horizontal subsampling on the reference grid
  int dy = 1;
};

struct Jpeg2000Header {
  std::uint32_t x0 = 0;  // image area on the reference grid: x0 .. x1 - 1
  std::uint32_t y0 = 0;
  std::uint32_t x1 = 0;
  std::uint32_t y1 = 0;
  std::uint32_t tileWidth = 0;
  std::uint32_t tileHeight = 0;
  std::uint32_t tileX0 = 0;
  std::uint32_t tileY0 = 0;
  std::vector<Jpeg2000Component> components;

  std::int64_t Width() const { return std::int64_t{x1} - x0; }
  std::int64_t Height() const { return std::int64_t{y1} - y0; }
  // Tiles covering the image; 0 when the tile grid is malformed.
  std::int64_t TileCount() const;
};

// The SIZ of a bare codestream, or of the codestream box ("jp2c") of a JP2
// file; none when it is absent or cut short.
std::optional<Jpeg2000Header> ReadJpeg2000Header(std::span<const std::uint8_t> bytes);

}  // namespace vanto
