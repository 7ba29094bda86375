// The size of a board photograph for "Select Image" and the editor's
// pans, read through the board view's photograph cache.
#pragma once

#include "editor/board_image.h"
#include "testplan/qt/photograph_cache.h"

namespace vanto {

class CachedPictureSizes final : public PictureSizes {
 public:
  explicit CachedPictureSizes(PhotographCache& photographs) : photographs_(photographs) {}
  std::optional<PictureSize> SizeOf(const std::string& fileName) override {
    const QSize size = photographs_.Size(fileName);
    if (size.isEmpty()) return std::nullopt;
    return PictureSize{size.width(), size.height()};
  }

 private:
  PhotographCache& photographs_;
};

}  // namespace vanto
