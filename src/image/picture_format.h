// Which decoder a file needs, told by its first bytes alone: board
// photographs are often renamed, so the file name is never trusted.
#pragma once

#include <cstdint>
#include <span>

namespace vanto {

enum class PictureFormat { Unknown, Png, Jpeg, Jpeg2000 };

// Jpeg2000 covers both the JP2 box format and a bare J2K codestream.
PictureFormat DetectPictureFormat(std::span<const std::uint8_t> bytes);

// True when the bytes are a JP2 box file (as opposed to a bare codestream).
bool IsJp2BoxFormat(std::span<const std::uint8_t> bytes);

}  // namespace vanto
