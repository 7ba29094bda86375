#include "editor/qt/photograph_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <utility>

namespace vanto {

PhotographView::PhotographView(ClickSink sink, QWidget* parent)
    : QWidget(parent), sink_(std::move(sink)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::CrossCursor);
}

void PhotographView::SetImage(const QImage& image) {
  image_ = image;
  update();
}

void PhotographView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (image_.isNull()) {
    painter.fillRect(rect(), Qt::gray);
    return;
  }
  painter.drawImage(QPoint(0, 0), image_);
}

void PhotographView::mousePressEvent(QMouseEvent* event) {
  if (sink_ && (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)) {
    sink_(event->button(), event->position().toPoint());
  }
  event->accept();
}

}  // namespace vanto
