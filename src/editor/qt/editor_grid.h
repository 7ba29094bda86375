// The editor's data grid: the header row ("Data"), the current record as
// stored (".EPT file > ", read-only) and the row the user types into
// ("To write > "), with the button that writes it and the three
// "^Update^" buttons below. It shows what the refresh hands it and reads
// back what was typed; the commands are the window's. Main thread only.
#pragma once

#include <QWidget>
#include <array>

#include "editor/editor_state.h"
#include "testplan/test_plan.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vanto {

enum class GridColumn {
  Record,
  Status,
  Description,
  Component,
  Pin,
  UserText,
  ViewX,
  ViewY,
  Zoom,
  TestX,
  TestY,
  ScanSig,
  ScanCom,
  Signature,
};
inline constexpr int kGridColumns = 14;

enum class GridButton { WriteEntryRow, UpdateDescription, UpdateComponent, UpdateView };

class EditorGrid final : public QWidget {
 public:
  // Placed by the window; its own coordinates start at the row labels.
  explicit EditorGrid(QWidget* parent);

  // The record cell, the display row from CurrentRecord's cells and the
  // entry row from the same cells and the working values. Typed but
  // unwritten values are overwritten.
  void Show(const TestPlanState& plan, const EditorWorkingValues& working);
  // The entry row as typed.
  EntryRow ReadEntry() const;

  QLineEdit* Display(GridColumn column) const;
  QLineEdit* Entry(GridColumn column) const;  // null for the record column
  QPushButton* Button(GridButton button) const;

  // Cell width; the grid's left part holds the row labels.
  static constexpr int kCellWidth = 60;
  static constexpr int kLabelWidth = 80;
  static constexpr int kWidth = 1260;  // the window's width less its margins
  static constexpr int kRowPitch = 25;

 private:
  std::array<QLineEdit*, kGridColumns> display_{};
  std::array<QLineEdit*, kGridColumns> entry_{};
  std::array<QPushButton*, 4> buttons_{};
};

}  // namespace vanto
