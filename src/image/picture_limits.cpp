// Size checks, and the picture that passes them.
#include "image/picture_limits.h"

#include <string>

#include "image/pixel_memory.h"

namespace vanto {

PictureResult CheckPictureSize(std::int64_t width, std::int64_t height) {
  if (width <= 0 || height <= 0) {
    return PictureResult::Failure(PictureError::Corrupt, "picture has no pixels");
  }
  const std::string size = std::to_string(width) + " x " + std::to_string(height);
  if (width > kMaxPictureSide || height > kMaxPictureSide) {
    return PictureResult::Failure(PictureError::TooLarge, "picture too large: " + size);
  }
  if (width * height * 3 > kMaxPictureBytes) {
    return PictureResult::Failure(PictureError::TooLarge, "picture too large: " + size);
  }
  return {};
}

PictureResult AllocatePicture(int width, int height) {
  PictureResult result = CheckPictureSize(width, height);
  if (!result.Ok()) return result;
  if (!AllocatePixelBytes(result.picture.rgb,
                          static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3)) {
    return PictureResult::Failure(PictureError::OutOfMemory, "not enough memory for the picture");
  }
  result.picture.width = width;
  result.picture.height = height;
  return result;
}

}  // namespace vanto
