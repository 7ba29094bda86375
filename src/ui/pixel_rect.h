// A rectangle in whole pixels: the placement of a window control or pane.
#pragma once

namespace vanto {

struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  // Edges included on all four sides, as the hit test wants them.
  bool Contains(int px, int py) const {
    return x <= px && px <= x + width && y <= py && py <= y + height;
  }
  bool operator==(const PixelRect&) const = default;
};

}  // namespace vanto
