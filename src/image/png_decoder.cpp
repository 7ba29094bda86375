// libpng reports errors by longjmp back to the last setjmp. Each function
// here that calls setjmp holds no object with a destructor, so the jump never
// skips one; the C++ objects (pixel memory, row table) live in DecodePng,
// which only calls those functions.
#include "image/png_decoder.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "image/picture_limits.h"
#include "image/pixel_memory.h"

namespace vanto {

namespace {

struct PngSession {
  png_structp png = nullptr;
  png_infop info = nullptr;
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::size_t position = 0;
  char message[160] = {};
};

struct PngLayout {
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int channels = 0;  // after the transforms: 3 (RGB) or 4 (RGBA)
};

void OnPngError(png_structp png, png_const_charp message) {
  auto* session = static_cast<PngSession*>(png_get_error_ptr(png));
  std::snprintf(session->message, sizeof session->message, "%s", message);
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* session = static_cast<PngSession*>(png_get_io_ptr(png));
  if (length > session->size - session->position) png_error(png, "file is truncated");
  std::memcpy(out, session->data + session->position, length);
  session->position += length;
}

bool ReadPngInfo(PngSession& session, PngLayout& layout) {
  if (setjmp(png_jmpbuf(session.png))) return false;
  png_set_read_fn(session.png, &session, ReadFromMemory);
  png_read_info(session.png, session.info);
  layout.width = png_get_image_width(session.png, session.info);
  layout.height = png_get_image_height(session.png, session.info);
  return true;
}

bool PrepareRgbRows(PngSession& session, PngLayout& layout) {
  if (setjmp(png_jmpbuf(session.png))) return false;
  png_structp png = session.png;
  png_infop info = session.info;
  const int colourType = png_get_color_type(png, info);
  const int bitDepth = png_get_bit_depth(png, info);
  if (bitDepth == 16) png_set_scale_16(png);
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS) != 0) png_set_tRNS_to_alpha(png);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
    png_set_gray_to_rgb(png);
  }
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  layout.channels = png_get_channels(png, info);
  if (png_get_bit_depth(png, info) != 8 || (layout.channels != 3 && layout.channels != 4) ||
      png_get_rowbytes(png, info) != static_cast<png_size_t>(layout.width) * layout.channels) {
    png_error(png, "unexpected pixel layout");
  }
  return true;
}

bool ReadRows(PngSession& session, png_bytepp rows) {
  if (setjmp(png_jmpbuf(session.png))) return false;
  png_read_image(session.png, rows);
  return true;
}

// RGBA to RGB in place, each colour weighted by its alpha (onto black).
void CompositeOntoBlack(std::vector<std::uint8_t>& pixels, std::size_t pixelCount) {
  for (std::size_t i = 0; i < pixelCount; ++i) {
    const std::uint8_t* in = &pixels[i * 4];
    const unsigned alpha = in[3];
    std::uint8_t* out = &pixels[i * 3];
    for (int c = 0; c < 3; ++c) {
      out[c] = static_cast<std::uint8_t>((in[c] * alpha + 127) / 255);
    }
  }
  // The block keeps its RGBA capacity: copying to a smaller one would cost
  // more time than the quarter it saves.
  pixels.resize(pixelCount * 3);
}

class PngReadGuard {
 public:
  explicit PngReadGuard(PngSession& session) : session_(session) {}
  ~PngReadGuard() {
    png_destroy_read_struct(&session_.png, session_.info ? &session_.info : nullptr, nullptr);
  }
  PngReadGuard(const PngReadGuard&) = delete;
  PngReadGuard& operator=(const PngReadGuard&) = delete;

 private:
  PngSession& session_;
};

// Deflate cannot compress better than about 1032 to 1 (a 258-byte match in
// two bits), so a file far too short for the size it claims is damaged.
constexpr std::uint64_t kDeflateBestRatio = 1032;
constexpr std::uint64_t kDeflateSlack = 4096;

int ChannelsOfColourType(int colourType) {
  switch (colourType) {
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_PALETTE: return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
  }
  return 0;
}

// png_read_info reads on past the header up to the image data before it
// gives the size, so the header is checked first, straight from the bytes:
// the claimed size against the limits and against the data the file holds.
// A header libpng itself rejects is left to libpng to report.
PictureResult CheckClaimedSize(std::span<const std::uint8_t> bytes) {
  // Signature, chunk length, "IHDR", width, height, bit depth, colour type.
  constexpr std::size_t kHeaderEnd = 8 + 4 + 4 + 4 + 4 + 1 + 1;
  if (bytes.size() < kHeaderEnd || std::memcmp(bytes.data() + 12, "IHDR", 4) != 0) return {};
  auto bigEndian = [&](std::size_t at) {
    return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 |
           std::uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
  };
  const std::uint32_t width = bigEndian(16);
  const std::uint32_t height = bigEndian(20);
  if (width == 0 || height == 0) return {};
  PictureResult result = CheckPictureSize(width, height);
  if (!result.Ok()) return result;
  const std::uint64_t bitsPerPixel = std::uint64_t{bytes[24]} * ChannelsOfColourType(bytes[25]);
  const std::uint64_t rawBytes = std::uint64_t{height} * (1 + (width * bitsPerPixel + 7) / 8);
  if (bitsPerPixel > 0 && (bytes.size() + kDeflateSlack) * kDeflateBestRatio < rawBytes) {
    return PictureResult::Failure(PictureError::Corrupt, "PNG holds too little data for " +
                                                             std::to_string(width) + " x " +
                                                             std::to_string(height) + " pixels");
  }
  return result;
}

PictureResult Corrupt(const PngSession& session) {
  return PictureResult::Failure(PictureError::Corrupt,
                                std::string("PNG decoding failed: ") + session.message);
}

}  // namespace

PictureResult DecodePng(std::span<const std::uint8_t> bytes) {
  PictureResult claimed = CheckClaimedSize(bytes);
  if (!claimed.Ok()) return claimed;
  PngSession session;
  session.data = bytes.data();
  session.size = bytes.size();
  session.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &session, OnPngError, OnPngWarning);
  if (session.png == nullptr) {
    return PictureResult::Failure(PictureError::OutOfMemory, "PNG decoder could not start");
  }
  PngReadGuard guard(session);
  session.info = png_create_info_struct(session.png);
  if (session.info == nullptr) {
    return PictureResult::Failure(PictureError::OutOfMemory, "PNG decoder could not start");
  }

  PngLayout layout;
  if (!ReadPngInfo(session, layout)) return Corrupt(session);
  PictureResult result = CheckPictureSize(layout.width, layout.height);
  if (!result.Ok()) return result;
  if (!PrepareRgbRows(session, layout)) return Corrupt(session);

  const std::size_t pixelCount = static_cast<std::size_t>(layout.width) * layout.height;
  const std::size_t rowBytes = static_cast<std::size_t>(layout.width) * layout.channels;
  Picture& picture = result.picture;
  std::vector<png_bytep> rows;
  try {
    rows.resize(layout.height);
  } catch (const std::bad_alloc&) {
    return PictureResult::Failure(PictureError::OutOfMemory, "not enough memory for the picture");
  }
  if (!AllocatePixelBytes(picture.rgb, pixelCount * layout.channels)) {
    return PictureResult::Failure(PictureError::OutOfMemory, "not enough memory for the picture");
  }
  for (png_uint_32 y = 0; y < layout.height; ++y) rows[y] = &picture.rgb[y * rowBytes];
  if (!ReadRows(session, rows.data())) return Corrupt(session);

  if (layout.channels == 4) CompositeOntoBlack(picture.rgb, pixelCount);
  picture.width = static_cast<int>(layout.width);
  picture.height = static_cast<int>(layout.height);
  return result;
}

}  // namespace vanto
