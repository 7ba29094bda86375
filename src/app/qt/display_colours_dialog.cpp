#include "app/qt/display_colours_dialog.h"

#include <QEvent>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include "app/qt/main_window.h"

namespace vanto {

namespace {

constexpr int kClientWidth = 445;
constexpr int kClientHeight = 500;
constexpr int kLeft = 10;
constexpr int kRowPitch = 25;
constexpr int kRowHeight = 20;
constexpr int kTextWidth = 500;
constexpr int kLabelWidth = 200;
constexpr int kSwatchX = 220;
constexpr int kSwatchWidth = 100;
constexpr int kDefaultX = 330;
constexpr int kDefaultWidth = 100;

// The ribbon rows sit one pitch lower, below their heading.
int RowY(int row) {
  return kRowPitch * (row <= kLastScopeColourRow ? row : row + 1) + 10;
}

// The texts' rectangles reach past the window's right edge; a text that
// would run past it is set smaller, so it is read whole.
constexpr int kVisibleTextWidth = kClientWidth - 2 * kLeft;
constexpr double kSmallestPointSize = 6.0;

QLabel* Text(QWidget* parent, const char* text, int y) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setGeometry(kLeft, y, kTextWidth, kRowHeight);
  QFont font = label->font();
  while (QFontMetrics(font).horizontalAdvance(label->text()) > kVisibleTextWidth &&
         font.pointSizeF() - 0.5 >= kSmallestPointSize) {
    font.setPointSizeF(font.pointSizeF() - 0.5);
  }
  label->setFont(font);
  return label;
}

QPushButton* Button(QWidget* parent, const char* text, const QString& name, QRect place,
                    const char* alignment) {
  auto* button = new QPushButton(QString::fromUtf8(text), parent);
  button->setObjectName(name);
  button->setGeometry(place);
  button->setStyleSheet(QStringLiteral("text-align: %1;").arg(QLatin1String(alignment)));
  button->setAutoDefault(false);  // Return must not press a colour button
  return button;
}

}  // namespace

DisplayColoursDialog::DisplayColoursDialog(DisplayColoursState state, ColourPicker& picker,
                                           QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      state_(state),
      picker_(picker) {
  setObjectName(QStringLiteral("displayColoursDialog"));
  setWindowTitle(QString::fromUtf8(kDisplayColoursTitle));
  setFixedSize(kClientWidth, kClientHeight);

  Text(this, kScopeColoursHeading, 13);
  Text(this, kRibbonColoursHeading, 238);
  Text(this, kAutoSaveNote, 413);
  for (int row = 1; row <= kDisplayColourRowCount; ++row) {
    const int y = RowY(row);
    QPushButton* pick =
        Button(this, DisplayColourRowAt(row).label, QStringLiteral("colourRow%1").arg(row),
               QRect(kLeft, y, kLabelWidth, kRowHeight), "right");
    connect(pick, &QPushButton::clicked, this, [this, row] { PickRow(row); });

    auto* swatch = new QLabel(this);
    swatch->setObjectName(QStringLiteral("colourSwatch%1").arg(row));
    swatch->setGeometry(kSwatchX, y, kSwatchWidth, kRowHeight);
    swatches_[static_cast<std::size_t>(row - 1)] = swatch;

    QPushButton* reset = Button(this, kSetToDefaultText, QStringLiteral("colourDefault%1").arg(row),
                                QRect(kDefaultX, y, kDefaultWidth, kRowHeight), "left");
    connect(reset, &QPushButton::clicked, this, [this, row] { ResetRow(row); });
  }
  QPushButton* dark = Button(this, kDarkPresetText, QStringLiteral("darkPreset"),
                             QRect(kLeft, 435, kLabelWidth, kRowHeight), "center");
  connect(dark, &QPushButton::clicked, this, [this] { DarkPreset(); });
  ShowSwatches();

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect place(QPoint(0, 0), size());
    place.moveCenter(screen->availableGeometry().center());
    move(place.topLeft());
  }
}

bool DisplayColoursDialog::event(QEvent* event) {
  // Leaving for another window ends the dialog; what was changed is saved.
  if (event->type() == QEvent::WindowDeactivate && !busy_ && !isActiveWindow() && isVisible()) {
    reject();
  }
  return QDialog::event(event);
}

void DisplayColoursDialog::PickRow(int row) {
  busy_ = true;
  const std::optional<std::int32_t> chosen =
      picker_.PickColour(RowColour(state_.settings, row), this);
  if (chosen) SetRowColour(state_, row, *chosen);
  busy_ = false;
  if (chosen) ShowSwatches();
  activateWindow();  // back from the picker
}

void DisplayColoursDialog::ResetRow(int row) {
  busy_ = true;
  ResetRowColour(state_, row);
  busy_ = false;
  ShowSwatches();
}

void DisplayColoursDialog::DarkPreset() {
  busy_ = true;
  ApplyDarkPreset(state_);
  busy_ = false;
  ShowSwatches();
}

void DisplayColoursDialog::ShowSwatches() {
  for (int row = 1; row <= kDisplayColourRowCount; ++row) {
    QImage swatch(kSwatchWidth, kRowHeight, QImage::Format_RGB888);
    swatch.fill(ColourFromSetting(RowColour(state_.settings, row)));
    swatches_[static_cast<std::size_t>(row - 1)]->setPixmap(QPixmap::fromImage(swatch));
  }
}

void ShowColoursDialog(DisplayColoursState state, ColourPicker& picker, QWidget* parent) {
  DisplayColoursDialog dialog(state, picker, parent);
  QEventLoop loop;
  QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
  dialog.show();
  dialog.raise();
  dialog.activateWindow();
  loop.exec();
}

}  // namespace vanto
