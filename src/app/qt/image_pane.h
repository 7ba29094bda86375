// A display pane that shows one off-screen image as it is, without
// scaling or conversion: the scopes and the board view are drawn to the
// pane's size already. Clicks pass on to the client area, whose hit test
// decides what they mean. Main thread only.
#pragma once

#include <QImage>
#include <QWidget>

namespace vanto {

class ImagePane final : public QWidget {
 public:
  explicit ImagePane(QWidget* parent);

  // Shows the image; nothing is repainted when it is the image shown already.
  void SetImage(const QImage& image);
  const QImage& Image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
};

}  // namespace vanto
