// OpenJPEG reads from a memory stream here and reports through callbacks,
// which are silenced: the last error text goes into the result instead of
// onto the console.
#include "image/jpeg2000_decoder.h"

#include <openjpeg.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "image/jpeg2000_header.h"
#include "image/picture_format.h"
#include "image/picture_limits.h"

namespace vanto {

namespace {

// OpenJPEG holds every sample as a 32-bit integer while decoding, so its
// working memory is 4 bytes per sample of every component.
constexpr std::int64_t kMaxSampleBytes = 3'000'000'000;
constexpr std::size_t kMaxComponents = 4;
// OpenJPEG keeps about 10 KB of bookkeeping per tile, allocated from the
// header alone: a file of a few bytes with 1 x 1 tiles would cost hundreds
// of megabytes. Tiles may be small only while there are few of them.
constexpr std::int64_t kFreeTileCount = 1024;
constexpr std::int64_t kMinPixelsPerTile = 64 * 64;

struct MemoryStream {
  const std::uint8_t* data = nullptr;
  std::uint64_t size = 0;
  std::uint64_t position = 0;  // may pass the end after a skip, as in a file
};

OPJ_SIZE_T ReadStream(void* buffer, OPJ_SIZE_T count, void* user) {
  auto* stream = static_cast<MemoryStream*>(user);
  if (stream->position >= stream->size) return static_cast<OPJ_SIZE_T>(-1);
  const std::uint64_t available = stream->size - stream->position;
  const OPJ_SIZE_T taken = static_cast<OPJ_SIZE_T>(std::min<std::uint64_t>(count, available));
  std::memcpy(buffer, stream->data + stream->position, taken);
  stream->position += taken;
  return taken;
}

OPJ_OFF_T SkipStream(OPJ_OFF_T count, void* user) {
  auto* stream = static_cast<MemoryStream*>(user);
  if (count < 0 && static_cast<std::uint64_t>(-count) > stream->position) return -1;
  stream->position += count;
  return count;
}

OPJ_BOOL SeekStream(OPJ_OFF_T offset, void* user) {
  if (offset < 0) return OPJ_FALSE;
  static_cast<MemoryStream*>(user)->position = static_cast<std::uint64_t>(offset);
  return OPJ_TRUE;
}

struct DecoderMessages {
  char lastError[160] = {};
};

void OnError(const char* message, void* user) {
  auto* messages = static_cast<DecoderMessages*>(user);
  std::snprintf(messages->lastError, sizeof messages->lastError, "%s", message);
  // OpenJPEG ends its messages with a line end.
  const std::size_t length = std::strlen(messages->lastError);
  if (length > 0 && messages->lastError[length - 1] == '\n') messages->lastError[length - 1] = '\0';
}

void OnQuiet(const char*, void*) {}

struct OpenJpegParts {
  opj_codec_t* codec = nullptr;
  opj_stream_t* stream = nullptr;
  opj_image_t* image = nullptr;

  OpenJpegParts() = default;
  OpenJpegParts(const OpenJpegParts&) = delete;
  OpenJpegParts& operator=(const OpenJpegParts&) = delete;
  ~OpenJpegParts() {
    if (image != nullptr) opj_image_destroy(image);
    if (stream != nullptr) opj_stream_destroy(stream);
    if (codec != nullptr) opj_destroy_codec(codec);
  }
};

PictureResult CheckHeader(const Jpeg2000Header& header) {
  PictureResult result = CheckPictureSize(header.Width(), header.Height());
  if (!result.Ok()) return result;
  if (header.components.empty() || header.TileCount() == 0) {
    return PictureResult::Failure(PictureError::Corrupt, "JPEG 2000 header is damaged");
  }
  if (header.components.size() > kMaxComponents) {
    return PictureResult::Failure(
        PictureError::Unsupported,
        "JPEG 2000 with " + std::to_string(header.components.size()) + " components");
  }
  if (header.TileCount() >
      std::max(kFreeTileCount, header.Width() * header.Height() / kMinPixelsPerTile)) {
    return PictureResult::Failure(
        PictureError::TooLarge, "JPEG 2000 with " + std::to_string(header.TileCount()) + " tiles");
  }
  std::int64_t sampleBytes = 0;
  for (const Jpeg2000Component& component : header.components) {
    if (component.dx == 0 || component.dy == 0) {
      return PictureResult::Failure(PictureError::Corrupt, "JPEG 2000 header is damaged");
    }
    sampleBytes += (header.Width() + component.dx - 1) / component.dx *
                   ((header.Height() + component.dy - 1) / component.dy) * 4;
  }
  if (sampleBytes > kMaxSampleBytes) {
    return PictureResult::Failure(PictureError::TooLarge,
                                  "picture too large: " + std::to_string(header.Width()) + " x " +
                                      std::to_string(header.Height()));
  }
  return {};
}

// One component, read at picture positions and scaled to 8 bits.
class ComponentReader {
 public:
  ComponentReader(const opj_image_t& image, const opj_image_comp_t& component, int width)
      : component_(component) {
    columns_.resize(width);
    for (int x = 0; x < width; ++x) {
      columns_[x] = GridToSample(image.x0 + x, component.dx, component.x0, component.w);
    }
    offset_ = component.sgnd ? std::int64_t{1} << (component.prec - 1) : 0;
    max_ = (std::int64_t{1} << component.prec) - 1;
  }

  // Sample row for picture row y.
  void StartRow(const opj_image_t& image, int y) {
    row_ = component_.data + static_cast<std::size_t>(GridToSample(image.y0 + y, component_.dy,
                                                                   component_.y0, component_.h)) *
                                 component_.w;
  }

  std::uint8_t At(int x) const {
    const std::int64_t value = std::clamp<std::int64_t>(row_[columns_[x]] + offset_, 0, max_);
    if (component_.prec > 8) return static_cast<std::uint8_t>(value >> (component_.prec - 8));
    return static_cast<std::uint8_t>((value * 255 + max_ / 2) / max_);
  }

 private:
  static std::uint32_t GridToSample(std::uint32_t gridPosition, std::uint32_t step,
                                    std::uint32_t first, std::uint32_t count) {
    const std::int64_t sample = std::int64_t{gridPosition / step} - first;
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(sample, 0, count - 1));
  }

  const opj_image_comp_t& component_;
  std::vector<std::uint32_t> columns_;
  const OPJ_INT32* row_ = nullptr;
  std::int64_t offset_ = 0;
  std::int64_t max_ = 255;
};

enum class ColourModel { Grey, Rgb, Ycc, Cmyk };

std::uint8_t ToByte(double value) {
  return static_cast<std::uint8_t>(std::clamp(value + 0.5, 0.0, 255.0));
}

Rgb ToRgb(ColourModel model, const std::uint8_t* s) {
  switch (model) {
    case ColourModel::Grey: return {s[0], s[0], s[0]};
    case ColourModel::Rgb: return {s[0], s[1], s[2]};
    case ColourModel::Ycc: {
      const double cb = s[1] - 128.0;
      const double cr = s[2] - 128.0;
      return {ToByte(s[0] + 1.402 * cr), ToByte(s[0] - 0.344136 * cb - 0.714136 * cr),
              ToByte(s[0] + 1.772 * cb)};
    }
    case ColourModel::Cmyk: {
      const unsigned white = 255 - s[3];
      auto channel = [white](std::uint8_t ink) {
        return static_cast<std::uint8_t>(((255u - ink) * white + 127) / 255);
      };
      return {channel(s[0]), channel(s[1]), channel(s[2])};
    }
  }
  return {};
}

bool Subsampled(const opj_image_comp_t& component) {
  return component.dx > 1 || component.dy > 1;
}

PictureResult Convert(const opj_image_t& image) {
  std::vector<const opj_image_comp_t*> colours;
  const opj_image_comp_t* alpha = nullptr;
  for (OPJ_UINT32 i = 0; i < image.numcomps; ++i) {
    const opj_image_comp_t& component = image.comps[i];
    if (component.data == nullptr || component.w == 0 || component.h == 0 || component.dx == 0 ||
        component.dy == 0 || component.prec < 1 || component.prec > 31) {
      return PictureResult::Failure(PictureError::Corrupt, "JPEG 2000 component is damaged");
    }
    if (component.alpha == 0) {
      colours.push_back(&component);
    } else if (component.alpha == 1 && alpha == nullptr) {
      alpha = &component;
    }
  }
  if (colours.empty()) {
    return PictureResult::Failure(PictureError::Unsupported, "JPEG 2000 without colour");
  }
  ColourModel model = ColourModel::Grey;
  if (colours.size() >= 4 && image.color_space == OPJ_CLRSPC_CMYK) {
    model = ColourModel::Cmyk;
  } else if (colours.size() >= 3) {
    const bool chromaSubsampled =
        !Subsampled(*colours[0]) && (Subsampled(*colours[1]) || Subsampled(*colours[2]));
    const bool unspecified =
        image.color_space == OPJ_CLRSPC_UNKNOWN || image.color_space == OPJ_CLRSPC_UNSPECIFIED;
    if (image.color_space == OPJ_CLRSPC_SYCC || (unspecified && chromaSubsampled)) {
      model = ColourModel::Ycc;
    } else {
      model = ColourModel::Rgb;
    }
  }
  const std::size_t used = model == ColourModel::Cmyk ? 4 : model == ColourModel::Grey ? 1 : 3;

  const int width = static_cast<int>(image.x1 - image.x0);
  const int height = static_cast<int>(image.y1 - image.y0);
  PictureResult result = AllocatePicture(width, height);
  if (!result.Ok()) return result;
  std::vector<ComponentReader> readers;
  try {
    for (std::size_t i = 0; i < used; ++i) readers.emplace_back(image, *colours[i], width);
    if (alpha != nullptr) readers.emplace_back(image, *alpha, width);
  } catch (const std::bad_alloc&) {
    return PictureResult::Failure(PictureError::OutOfMemory, "not enough memory for the picture");
  }

  Picture& picture = result.picture;
  std::uint8_t samples[kMaxComponents + 1] = {};
  for (int y = 0; y < height; ++y) {
    for (ComponentReader& reader : readers) reader.StartRow(image, y);
    for (int x = 0; x < width; ++x) {
      for (std::size_t i = 0; i < readers.size(); ++i) samples[i] = readers[i].At(x);
      Rgb colour = ToRgb(model, samples);
      if (alpha != nullptr) {
        const unsigned opacity = samples[used];
        colour = {static_cast<std::uint8_t>((colour.r * opacity + 127) / 255),
                  static_cast<std::uint8_t>((colour.g * opacity + 127) / 255),
                  static_cast<std::uint8_t>((colour.b * opacity + 127) / 255)};
      }
      picture.SetPixel(x, y, colour);
    }
  }
  return result;
}

PictureResult Corrupt(const DecoderMessages& messages, const char* fallback) {
  const char* text = messages.lastError[0] != '\0' ? messages.lastError : fallback;
  return PictureResult::Failure(PictureError::Corrupt,
                                std::string("JPEG 2000 decoding failed: ") + text);
}

}  // namespace

PictureResult DecodeJpeg2000(std::span<const std::uint8_t> bytes) {
  const std::optional<Jpeg2000Header> header = ReadJpeg2000Header(bytes);
  if (!header) {
    return PictureResult::Failure(PictureError::Corrupt, "JPEG 2000 header missing or cut short");
  }
  PictureResult checked = CheckHeader(*header);
  if (!checked.Ok()) return checked;

  DecoderMessages messages;
  MemoryStream source{bytes.data(), bytes.size(), 0};
  OpenJpegParts parts;
  parts.codec = opj_create_decompress(IsJp2BoxFormat(bytes) ? OPJ_CODEC_JP2 : OPJ_CODEC_J2K);
  if (parts.codec == nullptr) {
    return PictureResult::Failure(PictureError::OutOfMemory, "JPEG 2000 decoder could not start");
  }
  opj_set_error_handler(parts.codec, OnError, &messages);
  opj_set_warning_handler(parts.codec, OnQuiet, nullptr);
  opj_set_info_handler(parts.codec, OnQuiet, nullptr);
  opj_dparameters_t parameters;
  opj_set_default_decoder_parameters(&parameters);
  if (!opj_setup_decoder(parts.codec, &parameters)) return Corrupt(messages, "set-up refused");
  // A cut-short codestream is refused rather than shown half decoded.
  opj_decoder_set_strict_mode(parts.codec, OPJ_TRUE);

  parts.stream = opj_stream_create(OPJ_J2K_STREAM_CHUNK_SIZE, OPJ_TRUE);
  if (parts.stream == nullptr) {
    return PictureResult::Failure(PictureError::OutOfMemory, "JPEG 2000 decoder could not start");
  }
  opj_stream_set_user_data(parts.stream, &source, nullptr);
  opj_stream_set_user_data_length(parts.stream, bytes.size());
  opj_stream_set_read_function(parts.stream, ReadStream);
  opj_stream_set_skip_function(parts.stream, SkipStream);
  opj_stream_set_seek_function(parts.stream, SeekStream);

  if (!opj_read_header(parts.stream, parts.codec, &parts.image) || parts.image == nullptr) {
    return Corrupt(messages, "header refused");
  }
  // The decoder's own view of the size must agree with the one checked.
  if (parts.image->x1 - parts.image->x0 != header->Width() ||
      parts.image->y1 - parts.image->y0 != header->Height() ||
      parts.image->numcomps > kMaxComponents) {
    return PictureResult::Failure(PictureError::Corrupt, "JPEG 2000 header is inconsistent");
  }
  if (!opj_decode(parts.codec, parts.stream, parts.image)) return Corrupt(messages, "data refused");
  opj_end_decompress(parts.codec, parts.stream);
  return Convert(*parts.image);
}

}  // namespace vanto
