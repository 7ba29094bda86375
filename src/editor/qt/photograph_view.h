// The editor's 640 x 640 image control: shows the rendered board view and
// reports left and right clicks with their position in the control.
// Main thread only.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace vanto {

class PhotographView final : public QWidget {
 public:
  using ClickSink = std::function<void(Qt::MouseButton button, QPoint position)>;

  PhotographView(ClickSink sink, QWidget* parent);

  void SetImage(const QImage& image);
  const QImage& Image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  ClickSink sink_;
  QImage image_;
};

}  // namespace vanto
