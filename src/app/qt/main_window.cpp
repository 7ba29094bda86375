#include "app/qt/main_window.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPalette>

namespace vanto {

namespace {

// The area below the menu bar; its clicks are the window's clicks.
class ClientAreaWidget final : public QWidget {
 public:
  explicit ClientAreaWidget(MainWindow* window) : QWidget(window), window_(window) {}

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton) window_->ReportClick(EventKind::LeftClick, point);
    if (event->button() == Qt::RightButton) window_->ReportClick(EventKind::RightClick, point);
  }

 private:
  MainWindow* window_;
};

}  // namespace

QColor ColourFromSetting(std::int32_t colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

MainWindow::MainWindow(EventSink sink) : sink_(std::move(sink)) {
  setWindowFlags(Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint);
  setAttribute(Qt::WA_QuitOnClose, false);  // the main loop decides when to end
  setCentralWidget(new ClientAreaWidget(this));
}

void MainWindow::SetBackgroundColour(std::int32_t colour) {
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, ColourFromSetting(colour));
  setPalette(palette);
  setAutoFillBackground(true);
}

int MainWindow::MenuHeight() const {
  QWidget* bar = menuWidget();
  return bar != nullptr && !bar->isHidden() ? bar->sizeHint().height() : 0;
}

void MainWindow::ResizeClientArea(int width, int height) {
  resize(width, height + MenuHeight());
}

void MainWindow::ReportClick(EventKind kind, QPoint point) {
  if (clickSink_) clickSink_(kind, point);
  sink_(kind);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The window stays; the loop ends only if it was the active window.
  event->ignore();
  sink_(EventKind::Close);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  sink_(EventKind::Resized);
}

void MainWindow::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  sink_(EventKind::Moved);
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && isMaximized()) sink_(EventKind::Maximised);
}

}  // namespace vanto
