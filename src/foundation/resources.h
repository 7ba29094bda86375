// The program's own interface pictures and sounds: their fixed file names,
// the identifiers the rest of the program uses for them, and the window-free
// loading steps (the colour-scheme check and the sound loading). The
// pictures themselves are decoded by the Qt layer (app/qt/picture_store.h).
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "foundation/messages.h"

namespace vanto {

// One identifier per picture, in loading order.
enum class PictureId {
  ButtonConnected,
  ButtonNoConnect,
  ButtonAGrey,
  ButtonAYellow,
  ButtonBGrey,
  ButtonBYellow,
  Good,
  GoodGrey,
  Bad,
  BadGrey,
  NoSig,
  NoTest,
  QuestionMark,
  GoodSmall,
  BadSmall,
  NoSigSmall,
  NoTestSmall,
  QuestionMarkSmall,
  BlockSmall,
  SingleCaptureGreen,
  SingleCaptureGrey,
  AutoCaptureYellow,
  CaptureInProgressGreen,
  AutoTestYellow,
  TestInProgressGreen,
};
inline constexpr std::size_t kPictureCount = 25;

// Paths relative to the working directory, indexed by PictureId.
inline constexpr std::array<const char*, kPictureCount> kPicturePaths = {
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

constexpr const char* PicturePath(PictureId id) {
  return kPicturePaths[static_cast<std::size_t>(id)];
}

// One identifier per sound, in loading order.
enum class SoundId {
  CaptureSignature,
  CaptureComplete,
  TestGood,
  TestBad,
};
inline constexpr std::size_t kSoundCount = 4;

inline constexpr std::array<const char*, kSoundCount> kSoundPaths = {
    "sounds/capturesignature.wav",
    "sounds/capturecomplete.wav",
    "sounds/testgood.wav",
    "sounds/testbad.wav",
};

constexpr const char* SoundPath(SoundId id) {
  return kSoundPaths[static_cast<std::size_t>(id)];
}

inline constexpr const char* kColourSchemeFile = "settings/colours.txt";
inline constexpr const char* kDefaultColourScheme = "graphics/scheme1/";

// The sound system as the program uses it. Main thread only; the
// implementation owns every sound it loads until it is destroyed.
class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  // True when a sound device exists to play on.
  virtual bool Available() = 0;
  // Loads one WAV file for the identifier; false when it cannot be loaded.
  virtual bool Load(SoundId id, const std::string& path) = 0;
  // Plays the sound once from its start without waiting for it to end;
  // does nothing for a sound that was never loaded.
  virtual void Play(SoundId id) = 0;
};

// The colour-scheme check: the first line of "settings/colours.txt", or
// "graphics/scheme1/" after the "Error #0003" message when the file cannot
// be opened.
std::string LoadColourScheme(Messages& messages);

// Loads the four sounds in table order when sound is available (failures
// are not reported); otherwise writes the no-sound log line and loads none.
void LoadSounds(bool soundAvailable, SoundOutput& output, Messages& messages);

}  // namespace vanto
