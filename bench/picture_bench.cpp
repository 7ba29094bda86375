// Decoding a board photograph the size a 24-megapixel camera writes
// (6000 x 4000), as JPEG and as PNG, from memory.
#include <benchmark/benchmark.h>
#include <png.h>
#include <turbojpeg.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "image/picture_decoder.h"

namespace vanto {
namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

// Gradients with fine texture, so the file is as large as a real photograph
// (several megabytes) rather than a trivially compressible one.
std::vector<std::uint8_t> PhotoLikePixels() {
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(kWidth) * kHeight * 3);
  std::uint32_t seed = 12345;
  std::size_t at = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int texture = static_cast<int>(seed >> 27) - 16;
      const int base[3] = {x * 200 / kWidth + 30, y * 180 / kHeight + 40, (x + y) % 256};
      for (int c = 0; c < 3; ++c) {
        const int value = base[c] + texture;
        rgb[at++] = static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
      }
    }
  }
  return rgb;
}

const std::vector<std::uint8_t>& PhotoJpeg() {
  static const std::vector<std::uint8_t> jpeg = [] {
    const std::vector<std::uint8_t> rgb = PhotoLikePixels();
    tjhandle handle = tjInitCompress();
    unsigned char* data = nullptr;
    unsigned long size = 0;
    tjCompress2(handle, rgb.data(), kWidth, 0, kHeight, TJPF_RGB, &data, &size, TJSAMP_420, 90, 0);
    std::vector<std::uint8_t> bytes(data, data + size);
    tjFree(data);
    tjDestroy(handle);
    return bytes;
  }();
  return jpeg;
}

void AppendPng(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void FlushNothing(png_structp) {}

// libpng's default error handling aborts, which is acceptable for fixed
// benchmark input.
const std::vector<std::uint8_t>& PhotoPng() {
  static const std::vector<std::uint8_t> encoded = [] {
    std::vector<std::uint8_t> rgb = PhotoLikePixels();
    std::vector<png_bytep> rows;
    for (int y = 0; y < kHeight; ++y)
      rows.push_back(&rgb[static_cast<std::size_t>(y) * kWidth * 3]);
    std::vector<std::uint8_t> bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &bytes, AppendPng, FlushNothing);
    png_set_compression_level(png, 3);
    png_set_IHDR(png, info, kWidth, kHeight, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return bytes;
  }();
  return encoded;
}

void Decode(benchmark::State& state, const std::vector<std::uint8_t>& file) {
  for (auto _ : state) {
    PictureResult result = DecodePicture(file);
    if (!result.Ok()) state.SkipWithError(result.errorText.c_str());
    benchmark::DoNotOptimize(result.picture.rgb.data());
  }
  state.counters["file_MB"] = static_cast<double>(file.size()) / 1e6;
}

void BM_DecodeJpeg6000x4000(benchmark::State& state) {
  Decode(state, PhotoJpeg());
}
BENCHMARK(BM_DecodeJpeg6000x4000)->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_DecodePng6000x4000(benchmark::State& state) {
  Decode(state, PhotoPng());
}
BENCHMARK(BM_DecodePng6000x4000)->Unit(benchmark::kMillisecond)->Repetitions(3);

}  // namespace
}  // namespace vanto
