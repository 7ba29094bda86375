#include "app/qt/main_window.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPalette>

namespace vanto {

QColor ColourFromSetting(std::int32_t colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

MainWindow::MainWindow(EventSink sink) : sink_(std::move(sink)) {
  setWindowFlags(Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint);
  setAttribute(Qt::WA_QuitOnClose, false);  // the main loop decides when to end
}

void MainWindow::SetBackgroundColour(std::int32_t colour) {
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, ColourFromSetting(colour));
  setPalette(palette);
  setAutoFillBackground(true);
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

void MainWindow::mousePressEvent(QMouseEvent* event) {
  QMainWindow::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) sink_(EventKind::LeftClick);
  if (event->button() == Qt::RightButton) sink_(EventKind::RightClick);
}

}  // namespace vanto
