// Checks the pictures and sounds that the build draws and synthesises into
// its resource folder: every file the program loads is there, decodes, has
// its size, colour and format, and is not empty or silent.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "foundation/resources.h"

namespace vanto {
namespace {

const std::string kResourceDir = VANTO_RESOURCE_DIR;

std::string InResources(const char* relativePath) {
  return kResourceDir + "/" + relativePath;
}

// The colour a picture reads as, judged from the mean of its opaque pixels.
enum class Family { Green, Red, Yellow, Pink, Neutral, Black };

const char* FamilyName(Family family) {
  switch (family) {
    case Family::Green: return "green";
    case Family::Red: return "red";
    case Family::Yellow: return "yellow";
    case Family::Pink: return "pink";
    case Family::Neutral: return "grey or white";
    case Family::Black: return "black";
  }
  return "?";
}

struct PictureCase {
  PictureId id;
  int width;  // 0: taken from the "_WxH" part of the file name
  int height;
  Family family;
};

const PictureCase kPictures[] = {
    {PictureId::ButtonConnected, 70, 23, Family::Green},
    {PictureId::ButtonNoConnect, 70, 23, Family::Neutral},
    {PictureId::ButtonAGrey, 23, 23, Family::Neutral},
    {PictureId::ButtonAYellow, 23, 23, Family::Yellow},
    {PictureId::ButtonBGrey, 23, 23, Family::Neutral},
    {PictureId::ButtonBYellow, 23, 23, Family::Yellow},
    {PictureId::Good, 0, 0, Family::Green},
    {PictureId::GoodGrey, 0, 0, Family::Neutral},
    {PictureId::Bad, 0, 0, Family::Red},
    {PictureId::BadGrey, 0, 0, Family::Neutral},
    {PictureId::NoSig, 0, 0, Family::Pink},
    {PictureId::NoTest, 0, 0, Family::Neutral},
    {PictureId::QuestionMark, 0, 0, Family::Yellow},
    {PictureId::GoodSmall, 0, 0, Family::Green},
    {PictureId::BadSmall, 0, 0, Family::Red},
    {PictureId::NoSigSmall, 0, 0, Family::Pink},
    {PictureId::NoTestSmall, 0, 0, Family::Neutral},
    {PictureId::QuestionMarkSmall, 0, 0, Family::Yellow},
    {PictureId::BlockSmall, 0, 0, Family::Black},
    {PictureId::SingleCaptureGreen, 72, 23, Family::Green},
    {PictureId::SingleCaptureGrey, 72, 23, Family::Neutral},
    // The run buttons fill the full-width ribbon row.
    {PictureId::AutoCaptureYellow, 140, 23, Family::Yellow},
    {PictureId::CaptureInProgressGreen, 140, 23, Family::Green},
    {PictureId::AutoTestYellow, 140, 23, Family::Yellow},
    {PictureId::TestInProgressGreen, 140, 23, Family::Green},
};

void PrintTo(const PictureCase& c, std::ostream* out) {
  *out << PicturePath(c.id);
}

std::optional<Family> Classify(const QImage& image) {
  double r = 0, g = 0, b = 0;
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      QColor c = image.pixelColor(x, y);
      if (c.alpha() < 128) continue;
      r += c.red();
      g += c.green();
      b += c.blue();
      ++count;
    }
  }
  if (count == 0) return std::nullopt;
  r /= count;
  g /= count;
  b /= count;
  const double spread = std::max({r, g, b}) - std::min({r, g, b});
  if (std::max({r, g, b}) < 8) return Family::Black;
  if (spread < 25) return Family::Neutral;
  if (g > r + 20 && g > b + 20) return Family::Green;
  if (r > b + 60 && g > b + 60) return Family::Yellow;
  if (r > g + 40 && b > g + 10) return Family::Pink;
  if (r > g + 40 && r > b + 40) return Family::Red;
  return std::nullopt;
}

TEST(GeneratedPictures, TheCheckCoversEveryPicture) {
  ASSERT_EQ(std::size(kPictures), kPictureCount);
  for (std::size_t i = 0; i < kPictureCount; ++i) {
    EXPECT_EQ(static_cast<std::size_t>(kPictures[i].id), i) << "row " << i;
  }
}

class GeneratedPictureTest : public ::testing::TestWithParam<PictureCase> {};

TEST_P(GeneratedPictureTest, ExistsWithItsSizeAndColour) {
  const PictureCase& c = GetParam();
  const char* relative = PicturePath(c.id);
  QImage image(QString::fromStdString(InResources(relative)), "PNG");
  ASSERT_FALSE(image.isNull()) << relative << " missing or not a PNG";

  int width = c.width;
  int height = c.height;
  std::cmatch sizeInName;
  if (width == 0 && std::regex_search(relative, sizeInName, std::regex("_([0-9]+)x([0-9]+)[_.]"))) {
    width = std::stoi(sizeInName[1]);
    height = std::stoi(sizeInName[2]);
  }
  ASSERT_GT(width, 0) << relative << " states no size";
  EXPECT_EQ(image.width(), width) << relative;
  EXPECT_EQ(image.height(), height) << relative;

  std::optional<Family> family = Classify(image);
  ASSERT_TRUE(family.has_value()) << relative << " has no clear colour";
  EXPECT_STREQ(FamilyName(*family), FamilyName(c.family)) << relative;
}

TEST_P(GeneratedPictureTest, ShowsAMarkUnlessItIsThePlainBlock) {
  const PictureCase& c = GetParam();
  QImage image(QString::fromStdString(InResources(PicturePath(c.id))), "PNG");
  ASSERT_FALSE(image.isNull());
  image = image.convertToFormat(QImage::Format_ARGB32);
  std::set<QRgb> colours;
  int opaque = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      QRgb pixel = image.pixel(x, y);
      colours.insert(pixel);
      if (qAlpha(pixel) == 255) ++opaque;
    }
  }
  // Most of every picture is solid; the rest is anti-aliased rim.
  EXPECT_GT(opaque, image.width() * image.height() / 2) << PicturePath(c.id);
  if (c.family == Family::Black) {
    EXPECT_EQ(colours.size(), 1u) << PicturePath(c.id);
  } else {
    // A body colour alone would be a handful of gradient steps; a caption
    // or symbol brings many more.
    EXPECT_GT(colours.size(), 20u) << PicturePath(c.id);
  }
}

// Test names after the file: "graphics/good_72x23.png" gives "good_72x23".
std::string FileStem(const char* path) {
  std::string name = path;
  name = name.substr(name.find('/') + 1);
  name = name.substr(0, name.rfind('.'));
  for (char& ch : name) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(All, GeneratedPictureTest, ::testing::ValuesIn(kPictures),
                         [](const ::testing::TestParamInfo<PictureCase>& info) {
                           return FileStem(PicturePath(info.param.id));
                         });

TEST(GeneratedPictures, PressedLampsDifferFromReleasedOnes) {
  const std::pair<PictureId, PictureId> pairs[] = {
      {PictureId::ButtonAGrey, PictureId::ButtonAYellow},
      {PictureId::ButtonBGrey, PictureId::ButtonBYellow},
      {PictureId::ButtonAGrey, PictureId::ButtonBGrey},
  };
  for (const auto& [first, second] : pairs) {
    QImage a(QString::fromStdString(InResources(PicturePath(first))), "PNG");
    QImage b(QString::fromStdString(InResources(PicturePath(second))), "PNG");
    ASSERT_FALSE(a.isNull());
    ASSERT_FALSE(b.isNull());
    EXPECT_NE(a.convertToFormat(QImage::Format_ARGB32), b.convertToFormat(QImage::Format_ARGB32))
        << PicturePath(first) << " and " << PicturePath(second);
  }
}

// A WAV file as far as the program needs it.
struct Wav {
  bool riff = false;
  std::uint32_t riffSize = 0;
  std::uint16_t format = 0;
  std::uint16_t channels = 0;
  std::uint32_t rate = 0;
  std::uint16_t bits = 0;
  std::uint16_t blockAlign = 0;
  std::vector<std::int16_t> samples;
  std::size_t fileSize = 0;
};

std::uint32_t Le(const std::vector<unsigned char>& bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[at + i];
  return value;
}

Wav ReadWav(const std::string& path) {
  Wav wav;
  std::ifstream in(path, std::ios::binary);
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
  wav.fileSize = bytes.size();
  if (bytes.size() < 12 || std::string(bytes.begin(), bytes.begin() + 4) != "RIFF" ||
      std::string(bytes.begin() + 8, bytes.begin() + 12) != "WAVE") {
    return wav;
  }
  wav.riff = true;
  wav.riffSize = Le(bytes, 4, 4);
  std::size_t at = 12;
  while (at + 8 <= bytes.size()) {
    std::string id(bytes.begin() + at, bytes.begin() + at + 4);
    std::size_t size = Le(bytes, at + 4, 4);
    std::size_t body = at + 8;
    if (body + size > bytes.size()) break;
    if (id == "fmt " && size >= 16) {
      wav.format = static_cast<std::uint16_t>(Le(bytes, body, 2));
      wav.channels = static_cast<std::uint16_t>(Le(bytes, body + 2, 2));
      wav.rate = Le(bytes, body + 4, 4);
      wav.blockAlign = static_cast<std::uint16_t>(Le(bytes, body + 12, 2));
      wav.bits = static_cast<std::uint16_t>(Le(bytes, body + 14, 2));
    } else if (id == "data") {
      for (std::size_t i = 0; i + 1 < size; i += 2) {
        wav.samples.push_back(static_cast<std::int16_t>(Le(bytes, body + i, 2)));
      }
    }
    at = body + size + (size & 1);
  }
  return wav;
}

struct SoundCase {
  SoundId id;
  double minSeconds;
  double maxSeconds;
};

void PrintTo(const SoundCase& c, std::ostream* out) {
  *out << SoundPath(c.id);
}

class GeneratedSoundTest : public ::testing::TestWithParam<SoundCase> {};

TEST_P(GeneratedSoundTest, IsShortAudible16BitMonoPcm) {
  const SoundCase& c = GetParam();
  const char* relative = SoundPath(c.id);
  Wav wav = ReadWav(InResources(relative));
  ASSERT_TRUE(wav.riff) << relative << " missing or not RIFF/WAVE";
  EXPECT_EQ(wav.riffSize + 8, wav.fileSize) << relative;
  EXPECT_EQ(wav.format, 1) << relative << " is not PCM";
  EXPECT_EQ(wav.channels, 1) << relative;
  EXPECT_EQ(wav.rate, 44100u) << relative;
  EXPECT_EQ(wav.bits, 16) << relative;
  EXPECT_EQ(wav.blockAlign, 2) << relative;
  ASSERT_FALSE(wav.samples.empty()) << relative;

  const double seconds = static_cast<double>(wav.samples.size()) / 44100.0;
  EXPECT_GE(seconds, c.minSeconds) << relative;
  EXPECT_LE(seconds, c.maxSeconds) << relative;

  int peak = 0;
  for (std::int16_t s : wav.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  EXPECT_GT(peak, 32767 / 8) << relative << " is (nearly) silent";
  EXPECT_LT(peak, 32767) << relative << " clips";
}

TEST_P(GeneratedSoundTest, StartsAndEndsInSilenceSoNothingClicks) {
  const char* relative = SoundPath(GetParam().id);
  Wav wav = ReadWav(InResources(relative));
  ASSERT_GE(wav.samples.size(), 2u) << relative;
  EXPECT_LT(std::abs(wav.samples.front()), 100) << relative;
  EXPECT_LT(std::abs(wav.samples.back()), 100) << relative;
}

INSTANTIATE_TEST_SUITE_P(All, GeneratedSoundTest,
                         ::testing::Values(SoundCase{SoundId::CaptureSignature, 0.05, 0.15},
                                           SoundCase{SoundId::CaptureComplete, 0.3, 0.8},
                                           SoundCase{SoundId::TestGood, 0.1, 0.4},
                                           SoundCase{SoundId::TestBad, 0.25, 0.6}),
                         [](const ::testing::TestParamInfo<SoundCase>& info) {
                           return FileStem(SoundPath(info.param.id));
                         });

}  // namespace
}  // namespace vanto

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
