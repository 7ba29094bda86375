// The main window. It only reports what happens to it (close, resize, move,
// clicks) as event kinds to the main loop; the dispatcher does the rest.
// Its client area, below the menu bar, holds the ribbon and the panes at
// the places the layout computes, in client-area coordinates.
#pragma once

#include <QMainWindow>
#include <QPoint>
#include <functional>

#include "app/app_state.h"

namespace vanto {

class MainWindow final : public QMainWindow {
  Q_OBJECT

 public:
  using EventSink = std::function<void(EventKind)>;
  // Left and right clicks on the client area, with the point in client
  // coordinates; the event kind follows through the event sink.
  using ClickSink = std::function<void(EventKind, QPoint)>;
  explicit MainWindow(EventSink sink);

  void SetClickSink(ClickSink sink) { clickSink_ = std::move(sink); }

  // The client area colour, $00BBGGRR.
  void SetBackgroundColour(std::int32_t colour);

  QWidget* ClientArea() const { return centralWidget(); }
  // Resizes the window so that the client area gets this size.
  void ResizeClientArea(int width, int height);
  // The height of the menu bar, 0 while it has none.
  int MenuHeight() const;

  // Called by the client area.
  void ReportClick(EventKind kind, QPoint point);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  EventSink sink_;
  ClickSink clickSink_;
};

// $00BBGGRR as stored in the settings to a Qt colour.
QColor ColourFromSetting(std::int32_t colour);

}  // namespace vanto
