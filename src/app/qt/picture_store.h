// The interface pictures, decoded once at start-up and kept until the
// program ends. Main thread only (QPixmap needs the GUI thread).
#pragma once

#include <QPixmap>
#include <array>
#include <string>

#include "foundation/messages.h"
#include "foundation/resources.h"

namespace vanto {

class PictureStore {
 public:
  // Decodes every picture of the table from its path under `baseFolder`
  // (the working directory when empty). A missing or unreadable file leaves
  // a null pixmap; nothing is reported.
  void LoadAll(const std::string& baseFolder = {});

  // The picture for the identifier; a null pixmap when it could not be loaded.
  const QPixmap& Picture(PictureId id) const { return pictures_[static_cast<std::size_t>(id)]; }

 private:
  std::array<QPixmap, kPictureCount> pictures_;
};

// The start-up step that loads the images: the colour-scheme check, then
// every picture. Returns the colour scheme folder.
std::string LoadImages(PictureStore& store, Messages& messages);

}  // namespace vanto
