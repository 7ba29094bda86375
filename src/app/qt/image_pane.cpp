#include "app/qt/image_pane.h"

#include <QPainter>

namespace vanto {

ImagePane::ImagePane(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ImagePane::SetImage(const QImage& image) {
  if (image.cacheKey() == image_.cacheKey() && !image_.isNull()) return;
  image_ = image;
  update();
}

void ImagePane::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (image_.isNull()) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  painter.drawImage(0, 0, image_);
  // A pane larger than its image (between a resize and the next refresh)
  // shows black around it rather than stale pixels.
  if (image_.width() < width()) {
    painter.fillRect(image_.width(), 0, width() - image_.width(), height(), Qt::black);
  }
  if (image_.height() < height()) {
    painter.fillRect(0, image_.height(), image_.width(), height() - image_.height(), Qt::black);
  }
}

}  // namespace vanto
