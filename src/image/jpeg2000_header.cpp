// Walks the JP2 boxes to the codestream and reads its SIZ marker segment.
#include "image/jpeg2000_header.h"

#include "image/picture_format.h"

namespace vanto {

namespace {

std::uint64_t BigEndian(std::span<const std::uint8_t> bytes, std::size_t at, int count) {
  std::uint64_t value = 0;
  for (int i = 0; i < count; ++i) value = (value << 8) | bytes[at + i];
  return value;
}

constexpr std::uint32_t kCodestreamBox = 0x6A703263;  // "jp2c"

// Offset of the codestream inside a JP2 file, or none.
std::optional<std::size_t> FindCodestream(std::span<const std::uint8_t> bytes) {
  std::uint64_t at = 0;
  while (at + 8 <= bytes.size()) {
    std::uint64_t length = BigEndian(bytes, at, 4);
    const std::uint64_t type = BigEndian(bytes, at + 4, 4);
    std::uint64_t headerLength = 8;
    if (length == 1) {
      if (at + 16 > bytes.size()) return std::nullopt;
      length = BigEndian(bytes, at + 8, 8);
      headerLength = 16;
    } else if (length == 0) {
      length = bytes.size() - at;  // the last box runs to the end of the file
    }
    if (type == kCodestreamBox) return at + headerLength;
    if (length < headerLength || length > bytes.size() - at) return std::nullopt;
    at += length;
  }
  return std::nullopt;
}

}  // namespace

std::int64_t Jpeg2000Header::TileCount() const {
  if (tileWidth == 0 || tileHeight == 0 || tileX0 > x0 || tileY0 > y0 || x1 <= x0 || y1 <= y0) {
    return 0;
  }
  const std::int64_t across = (std::int64_t{x1} - tileX0 + tileWidth - 1) / tileWidth;
  const std::int64_t down = (std::int64_t{y1} - tileY0 + tileHeight - 1) / tileHeight;
  return across * down;
}

std::optional<Jpeg2000Header> ReadJpeg2000Header(std::span<const std::uint8_t> bytes) {
  std::size_t start = 0;
  if (IsJp2BoxFormat(bytes)) {
    const auto found = FindCodestream(bytes);
    if (!found) return std::nullopt;
    start = *found;
  }
  // SOC, SIZ marker, Lsiz, Rsiz, eight 32-bit sizes, Csiz.
  constexpr std::size_t kFixedPart = 2 + 2 + 2 + 2 + 8 * 4 + 2;
  if (bytes.size() < start || bytes.size() - start < kFixedPart) return std::nullopt;
  if (BigEndian(bytes, start, 4) != 0xFF4FFF51) return std::nullopt;
  std::size_t at = start + 8;
  Jpeg2000Header header;
  header.x1 = static_cast<std::uint32_t>(BigEndian(bytes, at, 4));
  header.y1 = static_cast<std::uint32_t>(BigEndian(bytes, at + 4, 4));
  header.x0 = static_cast<std::uint32_t>(BigEndian(bytes, at + 8, 4));
  header.y0 = static_cast<std::uint32_t>(BigEndian(bytes, at + 12, 4));
  header.tileWidth = static_cast<std::uint32_t>(BigEndian(bytes, at + 16, 4));
  header.tileHeight = static_cast<std::uint32_t>(BigEndian(bytes, at + 20, 4));
  header.tileX0 = static_cast<std::uint32_t>(BigEndian(bytes, at + 24, 4));
  header.tileY0 = static_cast<std::uint32_t>(BigEndian(bytes, at + 28, 4));
  const std::size_t count = BigEndian(bytes, at + 32, 2);
  at += 34;
  if ((bytes.size() - at) / 3 < count) return std::nullopt;
  for (std::size_t i = 0; i < count; ++i, at += 3) {
    header.components.push_back({bytes[at + 1], bytes[at + 2]});
  }
  return header;
}

}  // namespace vanto
