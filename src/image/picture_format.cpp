// Magic numbers of the picture formats the program reads.
#include "image/picture_format.h"

#include <algorithm>
#include <array>

namespace vanto {

namespace {

constexpr std::array<std::uint8_t, 8> kPngMagic = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
// Start of image followed by the first marker's lead byte.
constexpr std::array<std::uint8_t, 3> kJpegMagic = {0xFF, 0xD8, 0xFF};
// The JP2 signature box: length 12, type "jP  ", content CR LF 0x87 LF.
constexpr std::array<std::uint8_t, 12> kJp2Magic = {0x00, 0x00, 0x00, 0x0C, 'j',  'P',
                                                    ' ',  ' ',  0x0D, 0x0A, 0x87, 0x0A};
// Start of codestream followed by the image and tile size marker.
constexpr std::array<std::uint8_t, 4> kJ2kMagic = {0xFF, 0x4F, 0xFF, 0x51};

template <std::size_t N>
bool StartsWith(std::span<const std::uint8_t> bytes, const std::array<std::uint8_t, N>& magic) {
  return bytes.size() >= N && std::equal(magic.begin(), magic.end(), bytes.begin());
}

}  // namespace

PictureFormat DetectPictureFormat(std::span<const std::uint8_t> bytes) {
  if (StartsWith(bytes, kPngMagic)) return PictureFormat::Png;
  if (StartsWith(bytes, kJpegMagic)) return PictureFormat::Jpeg;
  if (StartsWith(bytes, kJp2Magic) || StartsWith(bytes, kJ2kMagic)) return PictureFormat::Jpeg2000;
  return PictureFormat::Unknown;
}

bool IsJp2BoxFormat(std::span<const std::uint8_t> bytes) {
  return StartsWith(bytes, kJp2Magic);
}

}  // namespace vanto
