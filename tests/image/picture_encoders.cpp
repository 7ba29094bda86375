// Encoders for the image tests. libpng's writer reports errors by longjmp,
// so the function that calls setjmp holds no object with a destructor.
#include "picture_encoders.h"

#include <openjpeg.h>
#include <png.h>
#include <turbojpeg.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace vanto::testing {

namespace {

void AppendToBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void FlushNothing(png_structp) {}

void OnPngWriteError(png_structp png, png_const_charp message) {
  std::fprintf(stderr, "PNG encoder: %s\n", message);
  png_longjmp(png, 1);
}

struct PngWriteInput {
  const PngSpec* spec;
  png_bytepp rows;  // null: write the header only
  const png_color* palette;
  int paletteCount;
  const png_color_16* key;
};

bool WritePngChunks(png_structp png, png_infop info, const PngWriteInput& input, Bytes* out) {
  if (setjmp(png_jmpbuf(png))) return false;
  const PngSpec& spec = *input.spec;
  png_set_write_fn(png, out, AppendToBytes, FlushNothing);
  png_set_IHDR(png, info, spec.width, spec.height, spec.bitDepth, spec.colourType,
               spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (input.paletteCount > 0) png_set_PLTE(png, info, input.palette, input.paletteCount);
  if (!spec.paletteAlpha.empty()) {
    png_set_tRNS(png, info, spec.paletteAlpha.data(), static_cast<int>(spec.paletteAlpha.size()),
                 nullptr);
  }
  if (input.key != nullptr) png_set_tRNS(png, info, nullptr, 0, input.key);
  png_write_info(png, info);
  if (input.rows == nullptr) return true;
  png_write_image(png, input.rows);
  png_write_end(png, nullptr);
  return true;
}

Bytes WritePng(const PngSpec& spec, bool headerOnly) {
  std::vector<png_color> palette;
  for (const Rgb& colour : spec.palette) palette.push_back({colour.r, colour.g, colour.b});
  png_color_16 key{};
  if (spec.keyColour.size() == 1) key.gray = spec.keyColour[0];
  if (spec.keyColour.size() == 3) {
    key.red = spec.keyColour[0];
    key.green = spec.keyColour[1];
    key.blue = spec.keyColour[2];
  }
  std::vector<png_bytep> rows;
  if (!headerOnly) {
    const std::size_t rowBytes = spec.rows.size() / spec.height;
    for (int y = 0; y < spec.height; ++y) {
      rows.push_back(const_cast<png_bytep>(spec.rows.data() + y * rowBytes));
    }
  }
  Bytes out;
  png_structp png =
      png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngWriteError, nullptr);
  png_infop info = png_create_info_struct(png);
  const PngWriteInput input{&spec, headerOnly ? nullptr : rows.data(), palette.data(),
                            static_cast<int>(palette.size()),
                            spec.keyColour.empty() ? nullptr : &key};
  const bool written = WritePngChunks(png, info, input, &out);
  png_destroy_write_struct(&png, &info);
  if (!written) throw std::runtime_error("PNG encoding failed");
  return out;
}

struct OutputStream {
  Bytes bytes;
  std::size_t position = 0;
};

OPJ_SIZE_T WriteStream(void* buffer, OPJ_SIZE_T count, void* user) {
  auto* out = static_cast<OutputStream*>(user);
  if (out->position + count > out->bytes.size()) out->bytes.resize(out->position + count);
  std::memcpy(out->bytes.data() + out->position, buffer, count);
  out->position += count;
  return count;
}

OPJ_OFF_T SkipStream(OPJ_OFF_T count, void* user) {
  auto* out = static_cast<OutputStream*>(user);
  out->position += count;
  if (out->position > out->bytes.size()) out->bytes.resize(out->position);
  return count;
}

OPJ_BOOL SeekStream(OPJ_OFF_T offset, void* user) {
  auto* out = static_cast<OutputStream*>(user);
  out->position = static_cast<std::size_t>(offset);
  if (out->position > out->bytes.size()) out->bytes.resize(out->position);
  return OPJ_TRUE;
}

void PrintOpenJpegError(const char* message, void*) {
  std::fprintf(stderr, "JPEG 2000 encoder: %s", message);
}

void Quiet(const char*, void*) {}

}  // namespace

Bytes EncodePng(const PngSpec& spec) {
  return WritePng(spec, false);
}

Bytes EncodePngHeader(std::uint32_t width, std::uint32_t height) {
  PngSpec spec;
  spec.width = static_cast<int>(width);
  spec.height = static_cast<int>(height);
  spec.colourType = PNG_COLOR_TYPE_RGB;
  return WritePng(spec, true);
}

Bytes EncodeRgbPng(const Picture& picture) {
  PngSpec spec;
  spec.width = picture.width;
  spec.height = picture.height;
  spec.colourType = PNG_COLOR_TYPE_RGB;
  spec.rows = picture.rgb;
  return EncodePng(spec);
}

Bytes EncodeJpeg(const std::uint8_t* pixels, int width, int height, int pixelFormat,
                 int subsampling, int quality) {
  tjhandle handle = tjInitCompress();
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  const int status = tjCompress2(handle, pixels, width, 0, height, pixelFormat, &jpeg, &size,
                                 subsampling, quality, 0);
  Bytes out;
  if (status == 0) out.assign(jpeg, jpeg + size);
  tjFree(jpeg);
  tjDestroy(handle);
  if (status != 0) throw std::runtime_error("JPEG encoding failed");
  return out;
}

Bytes EncodeRgbJpeg(const Picture& picture, int subsampling, int quality) {
  return EncodeJpeg(picture.rgb.data(), picture.width, picture.height, TJPF_RGB, subsampling,
                    quality);
}

Bytes EncodeJpeg2000(const Jpeg2000Spec& spec) {
  std::vector<opj_image_cmptparm_t> parameters(spec.planes.size());
  for (std::size_t i = 0; i < spec.planes.size(); ++i) {
    const Jpeg2000Plane& plane = spec.planes[i];
    opj_image_cmptparm_t& p = parameters[i];
    std::memset(&p, 0, sizeof p);
    p.dx = plane.dx;
    p.dy = plane.dy;
    p.w = (spec.width + plane.dx - 1) / plane.dx;
    p.h = (spec.height + plane.dy - 1) / plane.dy;
    p.prec = plane.precision;
    p.sgnd = plane.isSigned ? 1 : 0;
  }
  opj_image_t* image =
      opj_image_create(static_cast<OPJ_UINT32>(parameters.size()), parameters.data(),
                       static_cast<OPJ_COLOR_SPACE>(spec.colourSpace));
  image->x0 = 0;
  image->y0 = 0;
  image->x1 = spec.width;
  image->y1 = spec.height;
  for (std::size_t i = 0; i < spec.planes.size(); ++i) {
    const Jpeg2000Plane& plane = spec.planes[i];
    if (plane.samples.size() != std::size_t{parameters[i].w} * parameters[i].h) {
      opj_image_destroy(image);
      throw std::runtime_error("JPEG 2000 plane has the wrong sample count");
    }
    image->comps[i].alpha = static_cast<OPJ_UINT16>(plane.alpha);
    std::copy(plane.samples.begin(), plane.samples.end(), image->comps[i].data);
  }

  opj_cparameters_t settings;
  opj_set_default_encoder_parameters(&settings);
  settings.tcp_numlayers = 1;
  settings.cp_disto_alloc = 1;
  settings.tcp_rates[0] = spec.lossless ? 0.0f : 20.0f;
  settings.irreversible = spec.lossless ? 0 : 1;
  settings.tcp_mct = spec.componentTransform ? 1 : 0;
  if (spec.tileSide > 0) {
    settings.tile_size_on = OPJ_TRUE;
    settings.cp_tdx = spec.tileSide;
    settings.cp_tdy = spec.tileSide;
  }
  int smallest = std::min(spec.width, spec.height);
  if (spec.tileSide > 0) smallest = std::min(smallest, spec.tileSide);
  for (const Jpeg2000Plane& plane : spec.planes) {
    smallest = std::min({smallest, spec.width / plane.dx, spec.height / plane.dy});
  }
  settings.numresolution = 1;
  while (settings.numresolution < 6 && (1 << settings.numresolution) <= smallest) {
    ++settings.numresolution;
  }

  opj_codec_t* codec = opj_create_compress(spec.boxFormat ? OPJ_CODEC_JP2 : OPJ_CODEC_J2K);
  opj_set_error_handler(codec, PrintOpenJpegError, nullptr);
  opj_set_warning_handler(codec, Quiet, nullptr);
  opj_set_info_handler(codec, Quiet, nullptr);
  OutputStream out;
  opj_stream_t* stream = opj_stream_create(OPJ_J2K_STREAM_CHUNK_SIZE, OPJ_FALSE);
  opj_stream_set_user_data(stream, &out, nullptr);
  opj_stream_set_write_function(stream, WriteStream);
  opj_stream_set_skip_function(stream, SkipStream);
  opj_stream_set_seek_function(stream, SeekStream);
  const bool encoded = opj_setup_encoder(codec, &settings, image) &&
                       opj_start_compress(codec, image, stream) && opj_encode(codec, stream) &&
                       opj_end_compress(codec, stream);
  opj_stream_destroy(stream);
  opj_destroy_codec(codec);
  opj_image_destroy(image);
  if (!encoded) throw std::runtime_error("JPEG 2000 encoding failed");
  return out.bytes;
}

Jpeg2000Spec RgbJpeg2000Spec(const Picture& picture, bool boxFormat) {
  Jpeg2000Spec spec;
  spec.width = picture.width;
  spec.height = picture.height;
  spec.colourSpace = OPJ_CLRSPC_SRGB;
  spec.boxFormat = boxFormat;
  spec.componentTransform = true;
  spec.planes.resize(3);
  for (int c = 0; c < 3; ++c) {
    for (std::size_t i = c; i < picture.rgb.size(); i += 3) {
      spec.planes[c].samples.push_back(picture.rgb[i]);
    }
  }
  return spec;
}

}  // namespace vanto::testing
