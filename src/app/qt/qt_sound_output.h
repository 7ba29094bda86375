// The sound system on Qt Multimedia: one QSoundEffect per loaded sound.
// Main thread only; the effects live as long as this object.
#pragma once

#include <QSoundEffect>
#include <array>
#include <memory>

#include "foundation/resources.h"

namespace vanto {

class QtSoundOutput final : public SoundOutput {
 public:
  QtSoundOutput();
  ~QtSoundOutput() override;

  bool Available() override;
  bool Load(SoundId id, const std::string& path) override;
  void Play(SoundId id) override;

 private:
  std::array<std::unique_ptr<QSoundEffect>, kSoundCount> effects_;
};

}  // namespace vanto
