// The largest picture the program agrees to decode. A file's header can claim
// any size; checking it here, before any pixel memory is taken, keeps a
// damaged or hostile file from exhausting memory.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/picture_result.h"

namespace vanto {

inline constexpr std::int64_t kMaxPictureSide = 30000;
// 500 million pixels of RGB, about 1.5 GB.
inline constexpr std::int64_t kMaxPictureBytes = 1'500'000'000;

// None when a width x height RGB picture is within the limits, otherwise
// TooLarge (or Corrupt for a zero or negative side), with errorText set.
PictureResult CheckPictureSize(std::int64_t width, std::int64_t height);

// A zero-filled picture of the given (already checked) size, or OutOfMemory.
PictureResult AllocatePicture(int width, int height);

}  // namespace vanto
