// The "Display Colours" window: a row per colour with its button, swatch
// and " < set to default" button, and the dark preset. It only shows the
// colours and calls the core's operations (app/display_colours.h), which
// write the settings and ask for the scope redraw. It closes when the user
// turns to another window or closes it. Main thread only.
#pragma once

#include <QDialog>
#include <array>

#include "app/display_colours.h"
#include "app/qt/colour_picker.h"

class QLabel;

namespace vanto {

class DisplayColoursDialog final : public QDialog {
  Q_OBJECT

 public:
  DisplayColoursDialog(DisplayColoursState state, ColourPicker& picker, QWidget* parent = nullptr);

 protected:
  bool event(QEvent* event) override;

 private:
  void PickRow(int row);
  void ResetRow(int row);
  void DarkPreset();
  void ShowSwatches();

  DisplayColoursState state_;
  ColourPicker& picker_;
  std::array<QLabel*, kDisplayColourRowCount> swatches_{};
  // The picker or a settings message box is open: the window loses the
  // focus to it, which is no reason to close.
  bool busy_ = false;
};

// Runs the window in its own event loop, in place of the main loop, and
// returns once it has closed. The scopes take their new colours at the
// main loop's next display refresh and redraw.
void ShowColoursDialog(DisplayColoursState state, ColourPicker& picker, QWidget* parent);

}  // namespace vanto
