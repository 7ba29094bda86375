// The main window. It only reports what happens to it (close, resize, move,
// clicks) as event kinds to the main loop; the dispatcher does the rest.
#pragma once

#include <QMainWindow>
#include <functional>

#include "app/app_state.h"

namespace vanto {

class MainWindow final : public QMainWindow {
  Q_OBJECT

 public:
  using EventSink = std::function<void(EventKind)>;
  explicit MainWindow(EventSink sink);

  // The client area colour, $00BBGGRR.
  void SetBackgroundColour(std::int32_t colour);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  EventSink sink_;
};

// $00BBGGRR as stored in the settings to a Qt colour.
QColor ColourFromSetting(std::int32_t colour);

}  // namespace vanto
