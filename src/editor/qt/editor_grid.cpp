#include "editor/qt/editor_grid.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <string>

#include "editor/editor_captions.h"
#include "editor/editor_cells.h"
#include "editor/qt/wrapping_button.h"
#include "foundation/number_text.h"
#include "testplan/plan_cells.h"
#include "testplan/record_cells.h"

namespace vanto {

namespace {

struct ColumnInfo {
  const char* header;
  int cells;       // 60-pixel cells it spans
  int planColumn;  // 0 for the record column
};

constexpr std::array<ColumnInfo, kGridColumns> kColumns{{
    {"Record", 1, 0},
    {"Status", 1, cell::kStatus},
    {"Description", 2, cell::kDescription},
    {"Component", 2, cell::kComponent},
    {"Pin", 1, cell::kPin},
    {"User Text", 2, cell::kUserText},
    {"View X", 1, cell::kViewX},
    {"View Y", 1, cell::kViewY},
    {"Zoom", 1, cell::kZoom},
    {"Test X", 1, cell::kTestX},
    {"Test Y", 1, cell::kTestY},
    {"ScanSig", 1, cell::kScanSig},
    {"ScanCom", 1, cell::kScanCom},
    {"Signature", 1, cell::kSignature},
}};

// The entry row's own names for the view and pin columns.
const char* EntryStart(GridColumn column) {
  switch (column) {
    case GridColumn::ViewX: return "Image X";
    case GridColumn::ViewY: return "Image Y";
    case GridColumn::Zoom: return "Image Zoom";
    default: return kColumns[static_cast<std::size_t>(column)].header;
  }
}

constexpr int kCellHeight = 23;

QString Q(const std::string& text) { return QString::fromStdString(text); }

std::string Text(const QLineEdit* field) { return field->text().toStdString(); }

}  // namespace

EditorGrid::EditorGrid(QWidget* parent) : QWidget(parent) {
  const char* rowLabels[] = {editor_text::kHeaderLabel, editor_text::kDisplayLabel,
                             editor_text::kEntryLabel};
  for (int row = 0; row < 3; ++row) {
    auto* label = new QLabel(rowLabels[row], this);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(0, row * kRowPitch, kLabelWidth, kCellHeight);
  }
  int x = kLabelWidth;
  for (int i = 0; i < kGridColumns; ++i) {
    const ColumnInfo& info = kColumns[static_cast<std::size_t>(i)];
    const int width = info.cells * kCellWidth;
    auto* header = new QLabel(info.header, this);
    header->setAlignment(Qt::AlignCenter);
    header->setFrameShape(QFrame::StyledPanel);
    header->setGeometry(x, 0, width - 1, kCellHeight);

    const auto column = static_cast<GridColumn>(i);
    auto* shown = new QLineEdit(i == 0 ? editor_text::kRecordStart : info.header, this);
    shown->setReadOnly(true);
    shown->setAlignment(Qt::AlignCenter);
    shown->setGeometry(x, kRowPitch, width - 1, kCellHeight);
    shown->setObjectName(QString("display_%1").arg(i));
    display_[static_cast<std::size_t>(i)] = shown;

    if (column != GridColumn::Record) {
      auto* typed = new QLineEdit(EntryStart(column), this);
      typed->setAlignment(Qt::AlignCenter);
      typed->setGeometry(x, 2 * kRowPitch, width - 1, kCellHeight);
      typed->setToolTip(editor_text::kEntryRowTip);
      typed->setObjectName(QString("entry_%1").arg(i));
      entry_[static_cast<std::size_t>(i)] = typed;
    }
    x += width;
  }

  auto button = [this](GridButton id, const char* caption, const char* tip, QRect rect) {
    auto* b = new WrappingButton(caption, this);
    if (tip != nullptr) b->setToolTip(tip);
    b->setGeometry(rect);
    buttons_[static_cast<std::size_t>(id)] = b;
  };
  button(GridButton::WriteEntryRow, editor_text::kWriteEntryRow, editor_text::kEntryRowTip,
         QRect(x + 5, 2 * kRowPitch, kWidth - x - 5, kRowPitch + kCellHeight));
  auto under = [this](GridColumn column, GridColumn lastColumn) {
    const QRect rect = Display(column)->geometry().united(Display(lastColumn)->geometry());
    return QRect(rect.x(), 3 * kRowPitch, rect.width(), kCellHeight);
  };
  button(GridButton::UpdateDescription, editor_text::kUpdate, editor_text::kUpdateDescriptionTip,
         under(GridColumn::Description, GridColumn::Description));
  button(GridButton::UpdateComponent, editor_text::kUpdate, editor_text::kUpdateComponentTip,
         under(GridColumn::Component, GridColumn::Component));
  // It writes the view and the zoom: it spans their three columns.
  button(GridButton::UpdateView, editor_text::kUpdate, editor_text::kUpdateViewTip,
         under(GridColumn::ViewX, GridColumn::Zoom));
}

QLineEdit* EditorGrid::Display(GridColumn column) const {
  return display_[static_cast<std::size_t>(column)];
}

QLineEdit* EditorGrid::Entry(GridColumn column) const {
  return entry_[static_cast<std::size_t>(column)];
}

QPushButton* EditorGrid::Button(GridButton button) const {
  return buttons_[static_cast<std::size_t>(button)];
}

void EditorGrid::Show(const TestPlanState& plan, const EditorWorkingValues& working) {
  const int row = std::clamp(plan.currentRecord, 1, RowCount(plan));
  Display(GridColumn::Record)
      ->setText(Q(std::to_string(plan.currentRecord) + "/" + std::to_string(RowCount(plan))));
  for (int i = 1; i < kGridColumns; ++i) {
    const std::string& text = plan.table.Cell(row, kColumns[static_cast<std::size_t>(i)].planColumn);
    display_[static_cast<std::size_t>(i)]->setText(Q(text));
    entry_[static_cast<std::size_t>(i)]->setText(Q(text));
  }
  Entry(GridColumn::ViewX)->setText(Q(std::to_string(working.view.centreX)));
  Entry(GridColumn::ViewY)->setText(Q(std::to_string(working.view.centreY)));
  Entry(GridColumn::Zoom)->setText(Q(FormatFixed(working.view.zoom, 1)));
  Entry(GridColumn::TestX)->setText(Q(std::to_string(working.pinX)));
  Entry(GridColumn::TestY)->setText(Q(std::to_string(working.pinY)));
}

EntryRow EditorGrid::ReadEntry() const {
  EntryRow entry;
  entry.status = Text(Entry(GridColumn::Status));
  entry.description = Text(Entry(GridColumn::Description));
  entry.component = Text(Entry(GridColumn::Component));
  entry.pin = Text(Entry(GridColumn::Pin));
  entry.userText = Text(Entry(GridColumn::UserText));
  entry.imageX = Text(Entry(GridColumn::ViewX));
  entry.imageY = Text(Entry(GridColumn::ViewY));
  entry.imageZoom = Text(Entry(GridColumn::Zoom));
  entry.testX = Text(Entry(GridColumn::TestX));
  entry.testY = Text(Entry(GridColumn::TestY));
  entry.scanSig = Text(Entry(GridColumn::ScanSig));
  entry.scanCom = Text(Entry(GridColumn::ScanCom));
  entry.signature = Text(Entry(GridColumn::Signature));
  return entry;
}

}  // namespace vanto
