// Picture decoding: every kind of PNG, JPEG and JPEG 2000 file the program
// may meet comes out as the same 8-bit RGB pixels; damaged, cut-short and
// foreign data give an error result (or a sane picture), never a crash.
#include <gtest/gtest.h>
#include <openjpeg.h>
#include <png.h>
#include <sys/stat.h>
#include <turbojpeg.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <sstream>
#include <string>

#include "image/picture_decoder.h"
#include "image/picture_format.h"
#include "image/picture_limits.h"
#include "picture_encoders.h"
#include "support/temp_workdir.h"

namespace vanto {
namespace {

using testing::Bytes;
using testing::EncodeJpeg;
using testing::EncodeJpeg2000;
using testing::EncodePng;
using testing::EncodePngHeader;
using testing::EncodeRgbJpeg;
using testing::EncodeRgbPng;
using testing::Jpeg2000Plane;
using testing::Jpeg2000Spec;
using testing::PngSpec;
using testing::RgbJpeg2000Spec;

// Colours that change from pixel to pixel, for the lossless formats.
Rgb BusyColour(int x, int y) {
  return {static_cast<std::uint8_t>((x * 37 + y * 91) & 255),
          static_cast<std::uint8_t>((x * 11 + y * 53 + 100) & 255),
          static_cast<std::uint8_t>((x * x + y * 7 + 3) & 255)};
}

// Smooth gradients, which JPEG keeps close.
Rgb SmoothColour(int x, int y, int width, int height) {
  return {static_cast<std::uint8_t>(x * 255 / (width - 1)),
          static_cast<std::uint8_t>(y * 255 / (height - 1)),
          static_cast<std::uint8_t>((x + y) * 255 / (width + height - 2))};
}

Picture MakePicture(int width, int height, const std::function<Rgb(int, int)>& colour) {
  Picture picture;
  picture.width = width;
  picture.height = height;
  picture.rgb.resize(static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.SetPixel(x, y, colour(x, y));
  }
  return picture;
}

Picture BusyPicture(int width, int height) {
  return MakePicture(width, height, BusyColour);
}

Picture SmoothPicture(int width, int height) {
  return MakePicture(width, height,
                     [=](int x, int y) { return SmoothColour(x, y, width, height); });
}

std::string Text(Rgb c) {
  std::ostringstream out;
  out << "(" << int{c.r} << ", " << int{c.g} << ", " << int{c.b} << ")";
  return out.str();
}

int MaxDifference(Rgb a, Rgb b) {
  return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

// Every channel of every pixel within the tolerance; names the first pixel
// that is not.
::testing::AssertionResult PicturesMatch(const PictureResult& result, const Picture& expected,
                                         int tolerance = 0) {
  if (!result.Ok()) return ::testing::AssertionFailure() << "decoding failed: " << result.errorText;
  const Picture& actual = result.picture;
  if (actual.width != expected.width || actual.height != expected.height) {
    return ::testing::AssertionFailure()
           << "size " << actual.width << " x " << actual.height << ", expected " << expected.width
           << " x " << expected.height;
  }
  if (actual.rgb.size() != expected.rgb.size()) {
    return ::testing::AssertionFailure() << "pixel buffer of " << actual.rgb.size() << " bytes";
  }
  for (int y = 0; y < expected.height; ++y) {
    for (int x = 0; x < expected.width; ++x) {
      if (MaxDifference(actual.Pixel(x, y), expected.Pixel(x, y)) > tolerance) {
        return ::testing::AssertionFailure()
               << "first difference at (" << x << ", " << y << "): got " << Text(actual.Pixel(x, y))
               << ", expected " << Text(expected.Pixel(x, y)) << ", tolerance " << tolerance;
      }
    }
  }
  return ::testing::AssertionSuccess();
}

// What any decoding may give: an error with a reason, or a whole picture.
::testing::AssertionResult SaneResult(const PictureResult& result) {
  if (!result.Ok()) {
    if (result.errorText.empty()) return ::testing::AssertionFailure() << "error without text";
    if (!result.picture.Empty()) return ::testing::AssertionFailure() << "error with a picture";
    return ::testing::AssertionSuccess();
  }
  const Picture& p = result.picture;
  if (p.width <= 0 || p.height <= 0 || p.width > kMaxPictureSide || p.height > kMaxPictureSide ||
      p.rgb.size() != static_cast<std::size_t>(p.width) * p.height * 3) {
    return ::testing::AssertionFailure()
           << "picture " << p.width << " x " << p.height << " with " << p.rgb.size() << " bytes";
  }
  return ::testing::AssertionSuccess();
}

std::uint8_t Composite(int colour, int alpha) {
  return static_cast<std::uint8_t>(std::lround(colour * alpha / 255.0));
}

// ---------------------------------------------------------------- detection

enum class Fixture { Png, Jpeg, Jp2, J2k };

Bytes MakeFixture(Fixture kind, const Picture& picture) {
  switch (kind) {
    case Fixture::Png: return EncodeRgbPng(picture);
    case Fixture::Jpeg: return EncodeRgbJpeg(picture, TJSAMP_420, 90);
    case Fixture::Jp2: return EncodeJpeg2000(RgbJpeg2000Spec(picture, true));
    case Fixture::J2k: return EncodeJpeg2000(RgbJpeg2000Spec(picture, false));
  }
  return {};
}

const char* FixtureName(Fixture kind) {
  switch (kind) {
    case Fixture::Png: return "Png";
    case Fixture::Jpeg: return "Jpeg";
    case Fixture::Jp2: return "Jp2";
    case Fixture::J2k: return "J2k";
  }
  return "";
}

TEST(DetectPictureFormat, KnowsEachEncodedFormatByItsFirstBytes) {
  const Picture picture = BusyPicture(8, 8);
  const struct {
    Fixture kind;
    PictureFormat format;
  } cases[] = {{Fixture::Png, PictureFormat::Png},
               {Fixture::Jpeg, PictureFormat::Jpeg},
               {Fixture::Jp2, PictureFormat::Jpeg2000},
               {Fixture::J2k, PictureFormat::Jpeg2000}};
  for (const auto& c : cases) {
    EXPECT_EQ(DetectPictureFormat(MakeFixture(c.kind, picture)), c.format) << FixtureName(c.kind);
  }
}

TEST(DetectPictureFormat, RejectsOtherAndShortData) {
  const Bytes png = EncodeRgbPng(BusyPicture(4, 4));
  const struct {
    const char* name;
    Bytes bytes;
  } cases[] = {
      {"empty", {}},
      {"PNG magic cut short", Bytes(png.begin(), png.begin() + 7)},
      {"GIF", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}},
      {"BMP", {'B', 'M', 0x36, 0, 0, 0, 0, 0, 0, 0, 0x36, 0}},
      {"text", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!'}},
      {"JPEG start without marker", {0xFF, 0xD8, 0x00, 0x00}},
      {"codestream start without size marker", {0xFF, 0x4F, 0xFF, 0x52}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DetectPictureFormat(c.bytes), PictureFormat::Unknown) << c.name;
    const PictureResult result = DecodePicture(c.bytes);
    EXPECT_EQ(result.error, PictureError::UnknownFormat) << c.name;
    EXPECT_FALSE(result.errorText.empty()) << c.name;
  }
}

// ---------------------------------------------------------------------- PNG

// Packs per-sample values into PNG rows (MSB first below 8 bits, big-endian
// at 16 bits, each row starting on a byte).
Bytes PackRows(int width, int height, int bitDepth, int channels,
               const std::function<unsigned(int x, int y, int channel)>& sample) {
  Bytes rows;
  for (int y = 0; y < height; ++y) {
    unsigned accumulator = 0;
    int bits = 0;
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < channels; ++c) {
        const unsigned value = sample(x, y, c);
        if (bitDepth == 16) {
          rows.push_back(static_cast<std::uint8_t>(value >> 8));
          rows.push_back(static_cast<std::uint8_t>(value & 255));
          continue;
        }
        accumulator = (accumulator << bitDepth) | value;
        bits += bitDepth;
        if (bits == 8) {
          rows.push_back(static_cast<std::uint8_t>(accumulator));
          accumulator = 0;
          bits = 0;
        }
      }
    }
    if (bits > 0) rows.push_back(static_cast<std::uint8_t>(accumulator << (8 - bits)));
  }
  return rows;
}

unsigned Busy16(int x, int y, int c) {
  return (x * 4099 + y * 1237 + c * 20011) & 0xFFFF;
}
std::uint8_t Scale16(unsigned value) {
  return static_cast<std::uint8_t>(std::lround(value * 255.0 / 65535.0));
}
std::uint8_t Channel(Rgb colour, int c) {
  return c == 0 ? colour.r : c == 1 ? colour.g : colour.b;
}

std::vector<Rgb> MakePalette(int count) {
  std::vector<Rgb> palette;
  for (int i = 0; i < count; ++i) palette.push_back(BusyColour(i, 3 * i + 1));
  return palette;
}

struct PngCase {
  const char* name;
  std::function<PngSpec(int width, int height)> spec;
  std::function<Rgb(int x, int y)> expected;
  int tolerance;
};

PngSpec Spec(int width, int height, int colourType, int bitDepth, int channels,
             const std::function<unsigned(int, int, int)>& sample) {
  PngSpec spec;
  spec.width = width;
  spec.height = height;
  spec.colourType = colourType;
  spec.bitDepth = bitDepth;
  spec.rows = PackRows(width, height, bitDepth, channels, sample);
  return spec;
}

PngCase GreyCase(const char* name, int bitDepth) {
  const unsigned levels = 1u << bitDepth;
  auto level = [levels](int x, int y) { return static_cast<unsigned>(x * 3 + y * 5) % levels; };
  return {name,
          [=](int w, int h) {
            return Spec(w, h, PNG_COLOR_TYPE_GRAY, bitDepth, 1,
                        [=](int x, int y, int) { return level(x, y); });
          },
          [=](int x, int y) {
            const auto g = static_cast<std::uint8_t>(level(x, y) * 255 / (levels - 1));
            return Rgb{g, g, g};
          },
          0};
}

PngCase PaletteCase(const char* name, int bitDepth) {
  const int count = 1 << bitDepth;
  const std::vector<Rgb> palette = MakePalette(count);
  auto index = [count](int x, int y) { return static_cast<unsigned>(x * 5 + y) % count; };
  return {name,
          [=](int w, int h) {
            PngSpec spec = Spec(w, h, PNG_COLOR_TYPE_PALETTE, bitDepth, 1,
                                [=](int x, int y, int) { return index(x, y); });
            spec.palette = palette;
            return spec;
          },
          [=](int x, int y) { return palette[index(x, y)]; }, 0};
}

int AlphaAt(int x, int y) {
  return (x * 40 + y * 7) & 255;
}

std::vector<PngCase> PngCases() {
  const std::vector<Rgb> palette16 = MakePalette(16);
  const Rgb key{10, 20, 30};
  auto keyed = [key](int x, int y) { return (x == 2 && y == 3) ? key : BusyColour(x, y); };
  return {
      {"Rgb8",
       [](int w, int h) {
         return Spec(w, h, PNG_COLOR_TYPE_RGB, 8, 3,
                     [](int x, int y, int c) { return Channel(BusyColour(x, y), c); });
       },
       BusyColour, 0},
      {"Rgb8Interlaced",
       [](int w, int h) {
         PngSpec spec = Spec(w, h, PNG_COLOR_TYPE_RGB, 8, 3,
                             [](int x, int y, int c) { return Channel(BusyColour(x, y), c); });
         spec.interlaced = true;
         return spec;
       },
       BusyColour, 0},
      {"Rgb16ScaledTo8", [](int w, int h) { return Spec(w, h, PNG_COLOR_TYPE_RGB, 16, 3, Busy16); },
       [](int x, int y) {
         return Rgb{Scale16(Busy16(x, y, 0)), Scale16(Busy16(x, y, 1)), Scale16(Busy16(x, y, 2))};
       },
       1},
      {"RgbaCompositedOntoBlack",
       [](int w, int h) {
         return Spec(w, h, PNG_COLOR_TYPE_RGB_ALPHA, 8, 4, [](int x, int y, int c) -> unsigned {
           return c == 3 ? AlphaAt(x, y) : Channel(BusyColour(x, y), c);
         });
       },
       [](int x, int y) {
         const Rgb c = BusyColour(x, y);
         const int a = AlphaAt(x, y);
         return Rgb{Composite(c.r, a), Composite(c.g, a), Composite(c.b, a)};
       },
       0},
      GreyCase("Grey1", 1),
      GreyCase("Grey2", 2),
      GreyCase("Grey4", 4),
      GreyCase("Grey8", 8),
      {"Grey16ScaledTo8",
       [](int w, int h) {
         return Spec(w, h, PNG_COLOR_TYPE_GRAY, 16, 1,
                     [](int x, int y, int) { return Busy16(x, y, 0); });
       },
       [](int x, int y) {
         const std::uint8_t g = Scale16(Busy16(x, y, 0));
         return Rgb{g, g, g};
       },
       1},
      {"GreyAlphaCompositedOntoBlack",
       [](int w, int h) {
         return Spec(w, h, PNG_COLOR_TYPE_GRAY_ALPHA, 8, 2, [](int x, int y, int c) -> unsigned {
           return c == 1 ? AlphaAt(x, y) : BusyColour(x, y).g;
         });
       },
       [](int x, int y) {
         const std::uint8_t g = Composite(BusyColour(x, y).g, AlphaAt(x, y));
         return Rgb{g, g, g};
       },
       0},
      {"GreyKeyColourBecomesBlack",
       [](int w, int h) {
         PngSpec spec = Spec(w, h, PNG_COLOR_TYPE_GRAY, 8, 1,
                             [](int x, int y, int) { return static_cast<unsigned>(x * 11 + y); });
         spec.keyColour = {77};
         return spec;
       },
       [](int x, int y) {
         const auto g = static_cast<std::uint8_t>(x * 11 + y);
         return g == 77 ? Rgb{0, 0, 0} : Rgb{g, g, g};
       },
       0},
      {"RgbKeyColourBecomesBlack",
       [keyed, key](int w, int h) {
         PngSpec spec = Spec(w, h, PNG_COLOR_TYPE_RGB, 8, 3,
                             [keyed](int x, int y, int c) { return Channel(keyed(x, y), c); });
         spec.keyColour = {key.r, key.g, key.b};
         return spec;
       },
       [keyed, key](int x, int y) {
         return keyed(x, y) == key ? Rgb{0, 0, 0} : keyed(x, y);
       },
       0},
      PaletteCase("Palette1", 1),
      PaletteCase("Palette2", 2),
      PaletteCase("Palette4", 4),
      PaletteCase("Palette8", 8),
      {"PaletteWithTransparency",
       [palette16](int w, int h) {
         PngSpec spec = Spec(w, h, PNG_COLOR_TYPE_PALETTE, 8, 1, [](int x, int y, int) {
           return static_cast<unsigned>(x + 2 * y) % 16;
         });
         spec.palette = palette16;
         spec.paletteAlpha = {0, 30, 60, 90, 120, 150, 180, 210};  // the rest are opaque
         return spec;
       },
       [palette16](int x, int y) {
         const int index = (x + 2 * y) % 16;
         const int alpha = index < 8 ? index * 30 : 255;
         const Rgb c = palette16[index];
         return Rgb{Composite(c.r, alpha), Composite(c.g, alpha), Composite(c.b, alpha)};
       },
       0},
  };
}

TEST(DecodePng, EveryColourTypeAndDepthBecomes8BitRgb) {
  // An odd width leaves unused bits at the end of each packed row.
  constexpr int kWidth = 13;
  constexpr int kHeight = 9;
  for (const PngCase& c : PngCases()) {
    const PictureResult result = DecodePicture(EncodePng(c.spec(kWidth, kHeight)));
    EXPECT_TRUE(PicturesMatch(result, MakePicture(kWidth, kHeight, c.expected), c.tolerance))
        << c.name;
  }
}

TEST(DecodePng, LargerPictureDecodesExactly) {
  const Picture picture = BusyPicture(640, 480);
  EXPECT_TRUE(PicturesMatch(DecodePicture(EncodeRgbPng(picture)), picture));
}

// --------------------------------------------------------------------- JPEG

TEST(DecodeJpeg, ColourPicturesComeBackWithinTolerance) {
  // Largest channel error allowed for a smooth picture at quality 95 decoded
  // with the fast inverse DCT (5 to 6 levels are seen).
  const struct {
    const char* name;
    int subsampling;
    int tolerance;
  } cases[] = {{"4:4:4", TJSAMP_444, 8}, {"4:2:2", TJSAMP_422, 8}, {"4:2:0", TJSAMP_420, 8}};
  const Picture picture = SmoothPicture(96, 64);
  for (const auto& c : cases) {
    EXPECT_TRUE(PicturesMatch(DecodePicture(EncodeRgbJpeg(picture, c.subsampling, 95)), picture,
                              c.tolerance))
        << c.name;
  }
}

TEST(DecodeJpeg, GreyPictureBecomesEqualChannels) {
  constexpr int kWidth = 80;
  constexpr int kHeight = 40;
  Bytes grey;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      grey.push_back(static_cast<std::uint8_t>(x * 200 / (kWidth - 1) + y * 55 / (kHeight - 1)));
    }
  }
  const PictureResult result =
      DecodePicture(EncodeJpeg(grey.data(), kWidth, kHeight, TJPF_GRAY, TJSAMP_GRAY, 95));
  const Picture expected = MakePicture(kWidth, kHeight, [&](int x, int y) {
    const std::uint8_t g = grey[y * kWidth + x];
    return Rgb{g, g, g};
  });
  EXPECT_TRUE(PicturesMatch(result, expected, 4));
  for (std::size_t i = 0; i + 2 < result.picture.rgb.size(); i += 3) {
    ASSERT_EQ(result.picture.rgb[i], result.picture.rgb[i + 1]) << "pixel " << i / 3;
    ASSERT_EQ(result.picture.rgb[i], result.picture.rgb[i + 2]) << "pixel " << i / 3;
  }
}

TEST(DecodeJpeg, CmykInksBecomeTheirRgbColours) {
  // Four 16 x 16 blocks of flat ink. CMYK JPEGs store ink amounts inverted
  // (255 = no ink), as Photoshop writes them.
  const struct {
    const char* name;
    std::uint8_t stored[4];
    Rgb expected;
  } blocks[] = {{"magenta + yellow", {255, 0, 0, 255}, {255, 0, 0}},
                {"cyan + yellow", {0, 255, 0, 255}, {0, 255, 0}},
                {"cyan + magenta", {0, 0, 255, 255}, {0, 0, 255}},
                {"half black", {255, 255, 255, 128}, {128, 128, 128}}};
  constexpr int kSide = 32;
  Bytes cmyk(kSide * kSide * 4);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const auto& block = blocks[(y / 16) * 2 + x / 16];
      std::copy(block.stored, block.stored + 4, cmyk.begin() + (y * kSide + x) * 4);
    }
  }
  for (int subsampling : {TJSAMP_444, TJSAMP_420}) {
    const PictureResult result =
        DecodePicture(EncodeJpeg(cmyk.data(), kSide, kSide, TJPF_CMYK, subsampling, 95));
    ASSERT_TRUE(result.Ok()) << result.errorText;
    for (int i = 0; i < 4; ++i) {
      const Rgb centre = result.picture.Pixel((i % 2) * 16 + 8, (i / 2) * 16 + 8);
      EXPECT_LE(MaxDifference(centre, blocks[i].expected), 4)
          << blocks[i].name << ": " << Text(centre) << ", subsampling " << subsampling;
    }
  }
}

TEST(DecodeJpeg, LargerPictureDecodesWithinTolerance) {
  const Picture picture = SmoothPicture(1000, 700);
  EXPECT_TRUE(PicturesMatch(DecodePicture(EncodeRgbJpeg(picture, TJSAMP_444, 95)), picture, 8));
}

TEST(DecodeJpeg, FileCutShortInTheImageDataGivesThePartialPicture) {
  const Picture picture = SmoothPicture(64, 64);
  const Bytes whole = EncodeRgbJpeg(picture, TJSAMP_444, 95);
  const PictureResult result =
      DecodePicture(std::span<const std::uint8_t>(whole.data(), whole.size() * 3 / 4));
  ASSERT_TRUE(result.Ok()) << result.errorText;
  ASSERT_EQ(result.picture.width, picture.width);
  ASSERT_EQ(result.picture.height, picture.height);
  // The first block row was complete in the file and is there.
  for (int x = 0; x < picture.width; ++x) {
    ASSERT_LE(MaxDifference(result.picture.Pixel(x, 0), picture.Pixel(x, 0)), 8) << "x " << x;
  }
}

// ---------------------------------------------------------------- JPEG 2000

Jpeg2000Plane Plane(int width, int height, const std::function<int(int x, int y)>& sample,
                    int dx = 1, int dy = 1) {
  Jpeg2000Plane plane;
  plane.dx = dx;
  plane.dy = dy;
  const int columns = (width + dx - 1) / dx;
  const int rows = (height + dy - 1) / dy;
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < columns; ++x) plane.samples.push_back(sample(x, y));
  }
  return plane;
}

Jpeg2000Spec SpecOf(int width, int height, int colourSpace, bool boxFormat,
                    std::vector<Jpeg2000Plane> planes) {
  Jpeg2000Spec spec;
  spec.width = width;
  spec.height = height;
  spec.colourSpace = colourSpace;
  spec.boxFormat = boxFormat;
  spec.planes = std::move(planes);
  return spec;
}

TEST(DecodeJpeg2000, LosslessRgbComesBackExactlyInBothFileForms) {
  const Picture picture = BusyPicture(37, 23);
  for (bool boxFormat : {true, false}) {
    EXPECT_TRUE(
        PicturesMatch(DecodePicture(EncodeJpeg2000(RgbJpeg2000Spec(picture, boxFormat))), picture))
        << (boxFormat ? "JP2" : "J2K");
  }
}

TEST(DecodeJpeg2000, TiledFileComesBackExactly) {
  const Picture picture = BusyPicture(70, 45);  // tiles at the edges are partial
  Jpeg2000Spec spec = RgbJpeg2000Spec(picture, false);
  spec.tileSide = 16;
  EXPECT_TRUE(PicturesMatch(DecodePicture(EncodeJpeg2000(spec)), picture));
}

TEST(DecodeJpeg2000, LossyRgbComesBackWithinTolerance) {
  const Picture picture = SmoothPicture(64, 48);
  Jpeg2000Spec spec = RgbJpeg2000Spec(picture, true);
  spec.lossless = false;
  EXPECT_TRUE(PicturesMatch(DecodePicture(EncodeJpeg2000(spec)), picture, 12));
}

struct Jpeg2000Case {
  const char* name;
  std::function<Jpeg2000Spec(int width, int height)> spec;
  std::function<Rgb(int x, int y)> expected;
  int tolerance;
};

Rgb Grey(int g) {
  const auto v = static_cast<std::uint8_t>(g);
  return {v, v, v};
}

// Flat 4 x 4 blocks of colour, so that 2 x 2 subsampled chroma loses nothing.
Rgb BlockColour(int x, int y) {
  return BusyColour(x / 4 * 4, y / 4 * 4 + 1);
}

// JFIF YCbCr of a colour, rounded.
int Luma(Rgb c) {
  return static_cast<int>(std::lround(0.299 * c.r + 0.587 * c.g + 0.114 * c.b));
}
int BlueDifference(Rgb c) {
  return static_cast<int>(std::lround(128 - 0.168736 * c.r - 0.331264 * c.g + 0.5 * c.b));
}
int RedDifference(Rgb c) {
  return static_cast<int>(std::lround(128 + 0.5 * c.r - 0.418688 * c.g - 0.081312 * c.b));
}

std::vector<Jpeg2000Case> Jpeg2000Cases() {
  auto component = [](int c) {
    return [c](int x, int y) -> int { return Channel(BusyColour(x, y), c); };
  };
  return {
      {"Grey",
       [](int w, int h) {
         return SpecOf(w, h, OPJ_CLRSPC_GRAY, true,
                       {Plane(w, h, [](int x, int y) { return BusyColour(x, y).r; })});
       },
       [](int x, int y) { return Grey(BusyColour(x, y).r); }, 0},
      {"Grey12BitScaledTo8",
       [](int w, int h) {
         Jpeg2000Plane plane = Plane(w, h, [](int x, int y) { return (x * 301 + y * 97) % 4096; });
         plane.precision = 12;
         return SpecOf(w, h, OPJ_CLRSPC_GRAY, false, {plane});
       },
       [](int x, int y) { return Grey(((x * 301 + y * 97) % 4096) >> 4); }, 0},
      {"Grey4BitStretchedTo8",
       [](int w, int h) {
         Jpeg2000Plane plane = Plane(w, h, [](int x, int y) { return (x + y) % 16; });
         plane.precision = 4;
         return SpecOf(w, h, OPJ_CLRSPC_GRAY, true, {plane});
       },
       [](int x, int y) { return Grey((x + y) % 16 * 17); }, 0},
      {"SignedGreyOffsetToUnsigned",
       [](int w, int h) {
         Jpeg2000Plane plane =
             Plane(w, h, [](int x, int y) { return (x * 29 + y * 3) % 256 - 128; });
         plane.isSigned = true;
         return SpecOf(w, h, OPJ_CLRSPC_GRAY, false, {plane});
       },
       [](int x, int y) { return Grey((x * 29 + y * 3) % 256); }, 0},
      {"RgbWithOpacityCompositedOntoBlack",
       [component](int w, int h) {
         Jpeg2000Plane alpha = Plane(w, h, AlphaAt);
         alpha.alpha = 1;
         return SpecOf(w, h, OPJ_CLRSPC_SRGB, true,
                       {Plane(w, h, component(0)), Plane(w, h, component(1)),
                        Plane(w, h, component(2)), alpha});
       },
       [](int x, int y) {
         const Rgb c = BusyColour(x, y);
         const int a = AlphaAt(x, y);
         return Rgb{Composite(c.r, a), Composite(c.g, a), Composite(c.b, a)};
       },
       0},
      {"FourComponentCodestreamUsesFirstThree",
       [component](int w, int h) {
         return SpecOf(w, h, OPJ_CLRSPC_UNSPECIFIED, false,
                       {Plane(w, h, component(0)), Plane(w, h, component(1)),
                        Plane(w, h, component(2)), Plane(w, h, AlphaAt)});
       },
       BusyColour, 0},
      {"SubsampledRgbComponentsStretched",
       [component](int w, int h) {
         return SpecOf(w, h, OPJ_CLRSPC_SRGB, true,
                       {Plane(w, h, component(0)), Plane(w, h, component(1), 2, 2),
                        Plane(w, h, component(2), 2, 1)});
       },
       [](int x, int y) {
         return Rgb{BusyColour(x, y).r, BusyColour(x / 2, y / 2).g, BusyColour(x / 2, y).b};
       },
       0},
      {"SubsampledYCbCrCodestreamBecomesRgb",
       [](int w, int h) {
         return SpecOf(
             w, h, OPJ_CLRSPC_UNSPECIFIED, false,
             {Plane(w, h, [](int x, int y) { return Luma(BlockColour(x, y)); }),
              Plane(
                  w, h, [](int x, int y) { return BlueDifference(BlockColour(2 * x, 2 * y)); }, 2,
                  2),
              Plane(
                  w, h, [](int x, int y) { return RedDifference(BlockColour(2 * x, 2 * y)); }, 2,
                  2)});
       },
       BlockColour, 2},
      {"SyccFileBecomesRgb",
       [](int w, int h) {
         return SpecOf(w, h, OPJ_CLRSPC_SYCC, true,
                       {Plane(w, h, [](int x, int y) { return Luma(BusyColour(x, y)); }),
                        Plane(w, h, [](int x, int y) { return BlueDifference(BusyColour(x, y)); }),
                        Plane(w, h, [](int x, int y) { return RedDifference(BusyColour(x, y)); })});
       },
       BusyColour, 2},
  };
}

TEST(DecodeJpeg2000, ComponentLayoutsBecome8BitRgb) {
  constexpr int kWidth = 21;  // odd, so subsampled planes end in a half sample
  constexpr int kHeight = 15;
  for (const Jpeg2000Case& c : Jpeg2000Cases()) {
    const PictureResult result = DecodePicture(EncodeJpeg2000(c.spec(kWidth, kHeight)));
    EXPECT_TRUE(PicturesMatch(result, MakePicture(kWidth, kHeight, c.expected), c.tolerance))
        << c.name;
  }
}

// Changes the enumerated colour space of a JP2 colour specification box.
void SetJp2ColourSpace(Bytes& jp2, std::uint32_t enumerated) {
  const Bytes tag = {'c', 'o', 'l', 'r'};
  const auto found = std::search(jp2.begin(), jp2.end(), tag.begin(), tag.end());
  ASSERT_NE(found, jp2.end());
  const auto at = static_cast<std::size_t>(found - jp2.begin()) + 4;
  ASSERT_EQ(jp2[at], 1) << "not an enumerated colour space";
  for (int i = 0; i < 4; ++i)
    jp2[at + 3 + i] = static_cast<std::uint8_t>(enumerated >> (24 - 8 * i));
}

// Marks every opacity channel of a JP2 channel definition box as
// premultiplied (OpenJPEG's encoder writes plain opacity only).
void MarkOpacityPremultiplied(Bytes& jp2) {
  const Bytes tag = {'c', 'd', 'e', 'f'};
  const auto found = std::search(jp2.begin(), jp2.end(), tag.begin(), tag.end());
  ASSERT_NE(found, jp2.end());
  const auto at = static_cast<std::size_t>(found - jp2.begin()) + 4;
  const int count = jp2[at] << 8 | jp2[at + 1];
  for (int i = 0; i < count; ++i) {
    std::uint8_t& type = jp2[at + 2 + 6 * i + 3];
    if (type == 1) type = 2;
  }
}

TEST(DecodeJpeg2000, PremultipliedOpacityIsDropped) {
  constexpr int kWidth = 9;
  constexpr int kHeight = 7;
  const Picture picture = BusyPicture(kWidth, kHeight);
  Jpeg2000Spec spec = RgbJpeg2000Spec(picture, true);
  spec.planes.push_back(Plane(kWidth, kHeight, AlphaAt));
  spec.planes.back().alpha = 1;
  Bytes jp2 = EncodeJpeg2000(spec);
  MarkOpacityPremultiplied(jp2);
  EXPECT_TRUE(PicturesMatch(DecodePicture(jp2), picture));
}

TEST(DecodeJpeg2000, CmykFileBecomesRgb) {
  // Ink amounts, 255 = full ink: red = magenta + yellow, and so on.
  const struct {
    int inks[4];
    Rgb expected;
  } blocks[] = {{{0, 255, 255, 0}, {255, 0, 0}},
                {{255, 0, 255, 0}, {0, 255, 0}},
                {{0, 0, 0, 128}, {127, 127, 127}},
                {{0, 0, 0, 0}, {255, 255, 255}}};
  constexpr int kSide = 8;
  std::vector<Jpeg2000Plane> planes;
  for (int ink = 0; ink < 4; ++ink) {
    planes.push_back(
        Plane(kSide, kSide, [&](int x, int y) { return blocks[(y / 4) * 2 + x / 4].inks[ink]; }));
  }
  Bytes jp2 = EncodeJpeg2000(SpecOf(kSide, kSide, OPJ_CLRSPC_SRGB, true, planes));
  SetJp2ColourSpace(jp2, 12);  // CMYK
  const PictureResult result = DecodePicture(jp2);
  ASSERT_TRUE(result.Ok()) << result.errorText;
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(result.picture.Pixel((i % 2) * 4 + 1, (i / 2) * 4 + 1), blocks[i].expected)
        << "block " << i;
  }
}

// ------------------------------------------------------- damaged and foreign

// Offset of the first occurrence of a byte sequence, or the file size.
std::size_t Find(const Bytes& bytes, const Bytes& wanted) {
  return static_cast<std::size_t>(
      std::search(bytes.begin(), bytes.end(), wanted.begin(), wanted.end()) - bytes.begin());
}

// Where the file stops holding header only: cut before this, nothing can be
// decoded and every decoder must say so.
std::size_t EndOfHeader(Fixture kind, const Bytes& bytes) {
  switch (kind) {
    case Fixture::Png: return Find(bytes, {'I', 'D', 'A', 'T'});
    case Fixture::Jpeg: return Find(bytes, {0xFF, 0xDA});  // start of scan
    case Fixture::Jp2:
    case Fixture::J2k: return Find(bytes, {0xFF, 0x90});  // first tile part
  }
  return 0;
}

TEST(DamagedPictures, EveryTruncationGivesAnErrorOrASanePicture) {
  const Picture picture = BusyPicture(24, 16);
  for (Fixture kind : {Fixture::Png, Fixture::Jpeg, Fixture::Jp2, Fixture::J2k}) {
    const Bytes whole = MakeFixture(kind, picture);
    const std::size_t headerEnd = EndOfHeader(kind, whole);
    ASSERT_LT(headerEnd, whole.size()) << FixtureName(kind);
    for (std::size_t length = 0; length < whole.size(); ++length) {
      const std::span<const std::uint8_t> cut(whole.data(), length);
      const PictureResult result = DecodePicture(cut);
      ASSERT_TRUE(SaneResult(result)) << FixtureName(kind) << " cut to " << length;
      if (result.Ok()) {
        ASSERT_EQ(result.picture.width, picture.width) << FixtureName(kind) << " cut to " << length;
        ASSERT_EQ(result.picture.height, picture.height)
            << FixtureName(kind) << " cut to " << length;
      }
      if (length < headerEnd) {
        ASSERT_FALSE(result.Ok()) << FixtureName(kind) << " cut in the header at " << length;
      }
      // JPEG 2000 refuses any cut-short codestream rather than show part of it.
      if (kind == Fixture::Jp2 || kind == Fixture::J2k) {
        ASSERT_FALSE(result.Ok()) << FixtureName(kind) << " cut to " << length;
      }
    }
  }
}

TEST(DamagedPictures, PngCutInsideTheImageDataIsCorrupt) {
  const Bytes whole = EncodeRgbPng(BusyPicture(24, 16));
  const std::size_t imageEnd = Find(whole, {'I', 'E', 'N', 'D'}) - 4;  // before IEND's length
  for (std::size_t length = Find(whole, {'I', 'D', 'A', 'T'}); length < imageEnd; ++length) {
    const PictureResult result = DecodePicture(std::span<const std::uint8_t>(whole.data(), length));
    ASSERT_EQ(result.error, PictureError::Corrupt) << "cut to " << length;
  }
}

TEST(DamagedPictures, FlippedBytesGiveAnErrorOrASanePicture) {
  const Picture picture = BusyPicture(24, 16);
  std::mt19937 random(20240611);
  for (Fixture kind : {Fixture::Png, Fixture::Jpeg, Fixture::Jp2, Fixture::J2k}) {
    const Bytes whole = MakeFixture(kind, picture);
    for (int round = 0; round < 300; ++round) {
      Bytes damaged = whole;
      const int flips = 1 + round % 4;
      for (int i = 0; i < flips; ++i) {
        // The magic stays, so the damage reaches the decoder.
        const std::size_t at = 12 + random() % (damaged.size() - 12);
        damaged[at] = static_cast<std::uint8_t>(random());
      }
      ASSERT_TRUE(SaneResult(DecodePicture(damaged))) << FixtureName(kind) << " round " << round;
    }
  }
}

TEST(DamagedPictures, RandomBytesBehindEachMagicGiveAnErrorOrASanePicture) {
  const Picture picture = BusyPicture(8, 8);
  std::mt19937 random(77);
  for (Fixture kind : {Fixture::Png, Fixture::Jpeg, Fixture::Jp2, Fixture::J2k}) {
    const Bytes valid = MakeFixture(kind, picture);
    for (int round = 0; round < 100; ++round) {
      Bytes garbage(valid.begin(), valid.begin() + 12);
      const std::size_t length = random() % 2000;
      for (std::size_t i = 0; i < length; ++i)
        garbage.push_back(static_cast<std::uint8_t>(random()));
      ASSERT_TRUE(SaneResult(DecodePicture(garbage))) << FixtureName(kind) << " round " << round;
    }
  }
}

TEST(DamagedPictures, RandomBytesAreAnUnknownFormat) {
  std::mt19937 random(5);
  Bytes garbage(4096);
  for (auto& b : garbage) b = static_cast<std::uint8_t>(random());
  garbage[0] = 'x';  // no magic starts with it
  const PictureResult result = DecodePicture(garbage);
  EXPECT_EQ(result.error, PictureError::UnknownFormat);
  EXPECT_FALSE(result.errorText.empty());
}

// ------------------------------------------------------------------ limits

void PutBigEndian(Bytes& bytes, std::size_t at, std::uint32_t value, int count) {
  for (int i = 0; i < count; ++i) {
    bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * (count - 1 - i)));
  }
}

// A small valid file of the kind that claims the given size in its header.
Bytes ClaimingSize(Fixture kind, std::uint32_t width, std::uint32_t height) {
  if (kind == Fixture::Png) return EncodePngHeader(width, height);
  Bytes bytes = MakeFixture(kind, BusyPicture(16, 16));
  if (kind == Fixture::Jpeg) {
    const std::size_t frame = Find(bytes, {0xFF, 0xC0});  // baseline frame header
    PutBigEndian(bytes, frame + 5, height, 2);
    PutBigEndian(bytes, frame + 7, width, 2);
  } else {
    const std::size_t size = Find(bytes, {0xFF, 0x51});  // image and tile size
    PutBigEndian(bytes, size + 6, width, 4);
    PutBigEndian(bytes, size + 10, height, 4);
  }
  return bytes;
}

TEST(PictureLimits, AbsurdSizesAreRefusedBeforeDecoding) {
  const struct {
    std::uint32_t width;
    std::uint32_t height;
  } sizes[] = {{30001, 16}, {16, 30001}, {25000, 25000}, {60000, 60000}};
  for (Fixture kind : {Fixture::Png, Fixture::Jpeg, Fixture::Jp2, Fixture::J2k}) {
    for (const auto& size : sizes) {
      const PictureResult result = DecodePicture(ClaimingSize(kind, size.width, size.height));
      EXPECT_EQ(result.error, PictureError::TooLarge)
          << FixtureName(kind) << " " << size.width << " x " << size.height << ": "
          << result.errorText;
    }
  }
}

TEST(PictureLimits, Jpeg2000CodestreamOfCountlessTinyTilesIsRefused) {
  // OpenJPEG would set up every tile from the header alone: 65025 tiles of
  // 1 x 1 pixel cost it hundreds of megabytes for a file of a few hundred bytes.
  for (Fixture kind : {Fixture::Jp2, Fixture::J2k}) {
    Bytes bytes = MakeFixture(kind, BusyPicture(255, 255));
    const std::size_t size = Find(bytes, {0xFF, 0x51});
    PutBigEndian(bytes, size + 22, 1, 4);  // tile width
    PutBigEndian(bytes, size + 26, 1, 4);  // tile height
    const PictureResult result = DecodePicture(bytes);
    EXPECT_EQ(result.error, PictureError::TooLarge)
        << FixtureName(kind) << ": " << result.errorText;
  }
}

TEST(PictureLimits, PngFarTooShortForItsClaimedSizeIsCorrupt) {
  // 20000 x 20000 is allowed, but no deflate stream packs 1.2 GB into the
  // few bytes this file has, so no pixel memory is taken for it.
  Bytes bytes = EncodePngHeader(20000, 20000);
  const Bytes small = EncodeRgbPng(BusyPicture(4, 4));
  bytes.insert(bytes.end(), small.begin() + 33, small.end());  // its image data and end
  const PictureResult result = DecodePicture(bytes);
  EXPECT_EQ(result.error, PictureError::Corrupt) << result.errorText;
}

TEST(PictureLimits, LargestAllowedSideIsNotRefusedForItsSize) {
  // The header passes; the file then fails only because it holds no pixels.
  const PictureResult result = DecodePicture(EncodePngHeader(kMaxPictureSide, 1));
  EXPECT_EQ(result.error, PictureError::Corrupt) << result.errorText;
}

// -------------------------------------------------------------------- files

class LoadPictureTest : public ::testing::Test {
 protected:
  static void Write(const std::string& name, const Bytes& bytes) {
    testing::WriteFile(name, std::string(bytes.begin(), bytes.end()));
  }
  testing::TempWorkdir workdir_;
};

TEST_F(LoadPictureTest, FormatComesFromTheContentNotTheName) {
  const Picture picture = BusyPicture(20, 10);
  const struct {
    const char* name;
    Fixture kind;
  } files[] = {{"board.jpg", Fixture::Png},
               {"board.png", Fixture::Jp2},
               {"board.jp2", Fixture::J2k},
               {"board", Fixture::Png},
               {"board.bmp", Fixture::Jpeg}};
  for (const auto& file : files) {
    const Bytes bytes = MakeFixture(file.kind, picture);
    Write(file.name, bytes);
    const PictureResult loaded = LoadPicture(file.name);
    const PictureResult decoded = DecodePicture(bytes);
    ASSERT_TRUE(loaded.Ok()) << file.name << ": " << loaded.errorText;
    EXPECT_EQ(loaded.picture.rgb, decoded.picture.rgb) << file.name;
    if (file.kind != Fixture::Jpeg) {
      EXPECT_TRUE(PicturesMatch(loaded, picture)) << file.name;
    }
  }
}

TEST_F(LoadPictureTest, BackslashSeparatesFolders) {
  const Picture picture = BusyPicture(6, 5);
  std::filesystem::create_directories("photos/top");
  Write("photos/top/board.png", EncodeRgbPng(picture));
  EXPECT_TRUE(PicturesMatch(LoadPicture("photos\\top\\board.png"), picture));
  EXPECT_TRUE(PicturesMatch(LoadPicture("photos/top\\board.png"), picture));
}

TEST_F(LoadPictureTest, UnreadableFilesAreErrors) {
  std::filesystem::create_directory("folder");
  ASSERT_EQ(::mkfifo("pipe.png", 0600), 0);
  Write("empty.png", {});
  Write("text.png", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'});
  const struct {
    const char* name;
    PictureError error;
  } cases[] = {{"missing.png", PictureError::FileNotReadable},
               {"missing\\folder\\board.png", PictureError::FileNotReadable},
               {"", PictureError::FileNotReadable},
               {"folder", PictureError::FileNotReadable},
               {"pipe.png", PictureError::FileNotReadable},
               {"empty.png", PictureError::UnknownFormat},
               {"text.png", PictureError::UnknownFormat}};
  for (const auto& c : cases) {
    const PictureResult result = LoadPicture(c.name);
    EXPECT_EQ(result.error, c.error) << "\"" << c.name << "\": " << result.errorText;
    EXPECT_FALSE(result.errorText.empty()) << c.name;
    EXPECT_TRUE(result.picture.Empty()) << c.name;
  }
}

TEST_F(LoadPictureTest, TruncatedFileIsCorrupt) {
  const Bytes whole = EncodeRgbPng(BusyPicture(30, 20));
  Write("cut.png", Bytes(whole.begin(), whole.begin() + whole.size() / 2));
  EXPECT_EQ(LoadPicture("cut.png").error, PictureError::Corrupt);
}

}  // namespace
}  // namespace vanto
