// Decoding the interface pictures into pixmaps.
#include "app/qt/picture_store.h"

#include <QString>

namespace vanto {

void PictureStore::LoadAll(const std::string& baseFolder) {
  QString base = QString::fromStdString(baseFolder);
  if (!base.isEmpty() && !base.endsWith('/')) base += '/';
  for (std::size_t i = 0; i < kPictureCount; ++i) {
    QPixmap picture;
    // PNG decoding is built into Qt; a failed load leaves the pixmap null.
    if (!picture.load(base + QString::fromLatin1(kPicturePaths[i]), "PNG")) picture = QPixmap();
    pictures_[i] = picture;
  }
}

std::string LoadImages(PictureStore& store, Messages& messages) {
  std::string scheme = LoadColourScheme(messages);
  store.LoadAll();
  return scheme;
}

}  // namespace vanto
