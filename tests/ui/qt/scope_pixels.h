// Helpers for reading scope images in tests: settings with a distinct
// colour for every layer, and pixel searches by colour or by "ink" (any
// pixel that is not one of the given plain colours, which catches the
// smoothed edges of text).
#pragma once

#include <QImage>
#include <QRect>
#include <initializer_list>
#include <set>
#include <utility>

#include "foundation/settings.h"
#include "ui/qt/scope_colour.h"

namespace vanto::testing {

// $00BBGGRR values, all different, none black or white.
inline Settings DistinctColourSettings() {
  Settings s;
  s.colourScope1Background = 0x202020;
  s.colourScope1Outline = 0x0000C0;
  s.colourScope1Graticule = 0x00C000;
  s.colourScope1Text = 0xF0F0F0;
  s.colourScopeXCrosshair = 0xC0C000;
  s.colourScopeXTraceLiveSig = 0x4040FF;
  s.colourScopeXTraceGoldenSig = 0x00A5FF;
  s.colourScopeXTraceDutSig = 0xFF4000;
  return s;
}

inline QRgb Rgb(std::int32_t bbggrr) {
  return ScopeColour(bbggrr).rgb();
}

inline int CountPixels(const QImage& image, QRgb colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour ? 1 : 0;
  }
  return count;
}

inline std::set<std::pair<int, int>> PixelsOf(const QImage& image, QRgb colour) {
  std::set<std::pair<int, int>> found;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) == colour) found.insert({x, y});
    }
  }
  return found;
}

// The bounding box of the pixels that are none of the plain colours; an
// empty rectangle when there are none.
inline QRect InkBox(const QImage& image, std::initializer_list<QRgb> plain) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      bool isPlain = false;
      for (const QRgb p : plain) isPlain = isPlain || pixel == p;
      if (!isPlain) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

inline QImage Crop(const QImage& image, const QRect& area) {
  return image.copy(area);
}

}  // namespace vanto::testing
