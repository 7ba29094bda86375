// A decoded picture: 8-bit RGB, three bytes per pixel, rows from top to
// bottom without padding. Every decoder delivers this one type, so the board
// view and the interface pictures never see which format a file was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vanto {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;

  friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;

  bool Empty() const { return width <= 0 || height <= 0 || rgb.empty(); }

  // Byte offset of pixel (x, y); the caller keeps x and y inside the picture.
  std::size_t Offset(int x, int y) const {
    return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
            static_cast<std::size_t>(x)) *
           3;
  }

  Rgb Pixel(int x, int y) const {
    const std::size_t at = Offset(x, y);
    return Rgb{rgb[at], rgb[at + 1], rgb[at + 2]};
  }

  void SetPixel(int x, int y, Rgb colour) {
    const std::size_t at = Offset(x, y);
    rgb[at] = colour.r;
    rgb[at + 1] = colour.g;
    rgb[at + 2] = colour.b;
  }
};

}  // namespace vanto
