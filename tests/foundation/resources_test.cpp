// The interface resources without a window system: the fixed file tables,
// the colour-scheme check and the loading of the sounds.
#include "foundation/resources.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "foundation/message_texts.h"
#include "support/fakes.h"
#include "support/temp_workdir.h"

namespace vanto {
namespace {

using testing::FakeClock;
using testing::ReadFile;
using testing::RecordingBoxes;
using testing::TempWorkdir;
using testing::WriteFile;

// Records every load and answers with a fixed result.
class FakeSoundOutput final : public SoundOutput {
 public:
  explicit FakeSoundOutput(bool loadsSucceed = true) : loadsSucceed_(loadsSucceed) {}
  bool Available() override { return true; }
  bool Load(SoundId id, const std::string& path) override {
    loads.emplace_back(id, path);
    return loadsSucceed_;
  }
  void Play(SoundId id) override { played.push_back(id); }

  std::vector<std::pair<SoundId, std::string>> loads;
  std::vector<SoundId> played;

 private:
  bool loadsSucceed_;
};

class ResourcesTest : public ::testing::Test {
 protected:
  TempWorkdir workdir;
  FakeClock clock;
  RecordingBoxes boxes;
  Messages messages{clock, boxes};

  void WriteColours(const std::string& content) {
    std::filesystem::create_directory("settings");
    WriteFile("settings/colours.txt", content);
  }
};

TEST(ResourceTables, PicturesInLoadingOrder) {
  const std::vector<std::string> expected = {
      "graphics/button_connected.png",
      "graphics/button_no-connect.png",
      "graphics/buttonA_grey.png",
      "graphics/buttonA_yellow.png",
      "graphics/buttonB_grey.png",
      "graphics/buttonB_yellow.png",
      "graphics/good_72x23.png",
      "graphics/good_grey_72x23.png",
      "graphics/bad_72x23.png",
      "graphics/bad_grey_72x23.png",
      "graphics/nosig_72x23_pink.png",
      "graphics/notest_72x23.png",
      "graphics/questionmark_72x23_yellow.png",
      "graphics/good_23x23.png",
      "graphics/bad_23x23.png",
      "graphics/nosig_23x23_pink.png",
      "graphics/notest_23x23.png",
      "graphics/questionmark_23x23_yellow.png",
      "graphics/block_23x23_black.png",
      "graphics/singlecapture_green.png",
      "graphics/singlecapture_grey.png",
      "graphics/autocapture_yellow.png",
      "graphics/captureinprogress_green.png",
      "graphics/autotest_yellow.png",
      "graphics/testinprogress_green.png",
  };
  ASSERT_EQ(kPicturePaths.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(kPicturePaths[i], expected[i]) << "picture " << i;
  }
}

TEST(ResourceTables, IdentifiersNameTheirFiles) {
  const std::pair<PictureId, const char*> pictures[] = {
      {PictureId::ButtonNoConnect, "graphics/button_no-connect.png"},
      {PictureId::ButtonBYellow, "graphics/buttonB_yellow.png"},
      {PictureId::Good, "graphics/good_72x23.png"},
      {PictureId::QuestionMarkSmall, "graphics/questionmark_23x23_yellow.png"},
      {PictureId::BlockSmall, "graphics/block_23x23_black.png"},
      {PictureId::TestInProgressGreen, "graphics/testinprogress_green.png"},
  };
  for (const auto& [id, path] : pictures) EXPECT_STREQ(PicturePath(id), path);

  const std::pair<SoundId, const char*> sounds[] = {
      {SoundId::CaptureSignature, "sounds/capturesignature.wav"},
      {SoundId::CaptureComplete, "sounds/capturecomplete.wav"},
      {SoundId::TestGood, "sounds/testgood.wav"},
      {SoundId::TestBad, "sounds/testbad.wav"},
  };
  for (const auto& [id, path] : sounds) EXPECT_STREQ(SoundPath(id), path);
}

TEST_F(ResourcesTest, MissingColoursFileShowsErrorAndUsesDefaultScheme) {
  EXPECT_EQ(LoadColourScheme(messages), "graphics/scheme1/");

  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, "Error #0003");
  EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Error);
  EXPECT_FALSE(boxes.shown[0].body.empty());
  EXPECT_NE(std::string(text::kColoursNotFound).find(boxes.shown[0].body), std::string::npos);
  std::string log = ReadFile("log.txt");
  EXPECT_NE(log.find("Error #0003 settings/colours.txt Not found, using Default colour scheme"),
            std::string::npos)
      << log;
}

TEST_F(ResourcesTest, MissingColoursFileIsReportedOnEveryCall) {
  LoadColourScheme(messages);
  LoadColourScheme(messages);
  EXPECT_EQ(boxes.shown.size(), 2u);
}

struct SchemeCase {
  const char* content;
  const char* scheme;
};

class ColourSchemeFileTest : public ResourcesTest,
                             public ::testing::WithParamInterface<SchemeCase> {};

TEST_P(ColourSchemeFileTest, FirstLineNamesTheSchemeSilently) {
  WriteColours(GetParam().content);
  EXPECT_EQ(LoadColourScheme(messages), GetParam().scheme);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_FALSE(std::filesystem::exists("log.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, ColourSchemeFileTest,
    ::testing::Values(SchemeCase{"graphics/scheme1/\r\n", "graphics/scheme1/"},
                      SchemeCase{"graphics/scheme2/\r\nignored\r\n", "graphics/scheme2/"},
                      SchemeCase{"graphics/dark/\nsecond\n", "graphics/dark/"},
                      SchemeCase{"graphics/old/\rsecond", "graphics/old/"},
                      SchemeCase{"graphics/last/", "graphics/last/"}, SchemeCase{"", ""}));

TEST_F(ResourcesTest, NoSoundSystemLogsOnceAndLoadsNothing) {
  FakeSoundOutput output;
  LoadSounds(false, output, messages);

  EXPECT_TRUE(output.loads.empty());
  EXPECT_TRUE(boxes.shown.empty());
  std::string log = ReadFile("log.txt");
  const std::string line =
      "ALLSoundStatus=#False, cannot load sounds - could be missing files OR no/bad sound "
      "system on WIN/PC\r\n";
  ASSERT_GE(log.size(), line.size());
  EXPECT_EQ(log.substr(log.size() - line.size()), line);
  EXPECT_EQ(log.find(line), log.rfind(line)) << "logged more than once";
}

TEST_F(ResourcesTest, SoundSystemLoadsTheFourSoundsInTableOrder) {
  FakeSoundOutput output;
  LoadSounds(true, output, messages);

  const std::vector<std::pair<SoundId, std::string>> expected = {
      {SoundId::CaptureSignature, "sounds/capturesignature.wav"},
      {SoundId::CaptureComplete, "sounds/capturecomplete.wav"},
      {SoundId::TestGood, "sounds/testgood.wav"},
      {SoundId::TestBad, "sounds/testbad.wav"},
  };
  EXPECT_EQ(output.loads, expected);
  EXPECT_TRUE(output.played.empty());
  EXPECT_FALSE(std::filesystem::exists("log.txt"));
}

TEST_F(ResourcesTest, FailedSoundLoadsAreNotReported) {
  FakeSoundOutput output(/*loadsSucceed=*/false);
  LoadSounds(true, output, messages);

  EXPECT_EQ(output.loads.size(), kSoundCount);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_FALSE(std::filesystem::exists("log.txt"));
}

}  // namespace
}  // namespace vanto
