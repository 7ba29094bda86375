// Sound output through QSoundEffect, which decodes 16-bit PCM WAV files and
// plays them without blocking the caller.
#include "app/qt/qt_sound_output.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QUrl>

namespace vanto {

QtSoundOutput::QtSoundOutput() = default;
QtSoundOutput::~QtSoundOutput() = default;

bool QtSoundOutput::Available() {
  // Without a sound server there is no default output device at all.
  return !QMediaDevices::defaultAudioOutput().isNull();
}

bool QtSoundOutput::Load(SoundId id, const std::string& path) {
  QFileInfo file(QString::fromStdString(path));
  if (!file.isFile() || !file.isReadable()) return false;
  auto effect = std::make_unique<QSoundEffect>();
  // QSoundEffect decodes in the background; a file it cannot decode just
  // ends in the Error status, and playing it then does nothing.
  effect->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
  effects_[static_cast<std::size_t>(id)] = std::move(effect);
  return true;
}

void QtSoundOutput::Play(SoundId id) {
  QSoundEffect* effect = effects_[static_cast<std::size_t>(id)].get();
  if (effect == nullptr || effect->status() == QSoundEffect::Error) return;
  // A sound still playing starts again from its beginning.
  effect->stop();
  effect->play();
}

}  // namespace vanto
