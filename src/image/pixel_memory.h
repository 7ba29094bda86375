// Taking the memory for a picture's pixels. A 24-megapixel photograph needs
// 72 MB; on Linux the block is asked to be backed by huge pages before it is
// first touched, because faulting it in 4 KB pages can cost more than the
// decoding itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vanto {

// Resizes the (empty) vector to count zero bytes; false when the memory
// cannot be had, the vector then being left empty.
bool AllocatePixelBytes(std::vector<std::uint8_t>& pixels, std::size_t count);

}  // namespace vanto
