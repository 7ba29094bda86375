// What every decoder promises for any input: a picture whose pixel memory
// matches its size, or an error with no picture.
#pragma once

#include <cstdlib>

#include "image/picture_result.h"

namespace vanto::fuzz {

inline void CheckPicture(const PictureResult& result) {
  const Picture& picture = result.picture;
  if (result.Ok()) {
    if (picture.width <= 0 || picture.height <= 0) std::abort();
    const std::size_t expected = static_cast<std::size_t>(picture.width) *
                                 static_cast<std::size_t>(picture.height) * 3;
    if (picture.rgb.size() != expected) std::abort();
    // Touch the last pixel so a short buffer shows at once.
    (void)picture.Pixel(picture.width - 1, picture.height - 1);
  } else if (!picture.rgb.empty()) {
    std::abort();
  }
}

}  // namespace vanto::fuzz
