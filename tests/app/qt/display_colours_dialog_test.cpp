// The "Display Colours" window driven by its controls' names: the layout,
// the picker (cancel and choose), the row reset, the dark preset, what a
// change writes, closing when another window takes over, and the scopes
// showing the new colours at the next redraw.
#include "app/qt/display_colours_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <string>
#include <vector>

#include "app/qt/application.h"
#include "foundation/settings_keys.h"
#include "support/fakes.h"
#include "support/settings_rewrites.h"
#include "support/temp_workdir.h"
#include "ui/qt/scope_pixels.h"

namespace vanto {
namespace {

using testing::ReadFile;

// Answers from a queue; an empty queue cancels.
class FakePicker final : public ColourPicker {
 public:
  std::optional<std::int32_t> PickColour(std::int32_t current, QWidget*) override {
    offered.push_back(current);
    if (whilePicking) whilePicking();
    if (answers.empty()) return std::nullopt;
    const std::int32_t answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::deque<std::int32_t> answers;
  std::vector<std::int32_t> offered;  // the colour the picker opened with
  std::function<void()> whilePicking;
};

class SilentSound final : public SoundOutput {
 public:
  bool Available() override { return false; }
  bool Load(SoundId, const std::string&) override { return false; }
  void Play(SoundId) override {}
};

template <typename T>
T* Child(QWidget& dialog, const QString& name) {
  T* child = dialog.findChild<T*>(name);
  EXPECT_NE(child, nullptr) << name.toStdString();
  return child;
}

QRgb SwatchPixel(QWidget& dialog, int row) {
  const QLabel* swatch = Child<QLabel>(dialog, QStringLiteral("colourSwatch%1").arg(row));
  return swatch->pixmap().toImage().pixel(50, 10);
}

void Click(QWidget& dialog, const QString& name) {
  Child<QPushButton>(dialog, name)->click();
}

class ColoursDialog : public ::testing::Test {
 protected:
  ColoursDialog() {
    LoadSettings(store, settings);
    display.displayRefreshPending = false;
    rewrites.Take();
  }
  std::int32_t Stored(const char* key) { return std::stoi(ReadSetting(kSettingsFileName, key)); }

  testing::TempWorkdir dir;
  testing::FakeClock clock;
  testing::RecordingBoxes boxes;
  Messages messages{clock, boxes};
  SettingsStore store{messages};
  Settings settings;
  DisplayRequests display;
  testing::SettingsRewrites rewrites;
  FakePicker picker;
  DisplayColoursDialog dialog{{settings, store, display}, picker};
};

TEST_F(ColoursDialog, LayoutAndTexts) {
  EXPECT_EQ(dialog.size(), QSize(445, 500));
  EXPECT_EQ(dialog.windowTitle(), "Display Colours");
  const char* labels[] = {
      "Scope Background > ", "Scope Outline > ",  "Scope Graticule > ",  "Scope Crosshair > ",
      "Scope Text > ",       "Live Signature > ", "Golden Signature > ", "DUT Signature > ",
      "Background > ",       "Panel > ",          "Panel Window > ",     "Panel Text > ",
      "Header > ",           "Header Text > "};
  const int ys[] = {35, 60, 85, 110, 135, 160, 185, 210, 260, 285, 310, 335, 360, 385};
  for (int row = 1; row <= 14; ++row) {
    SCOPED_TRACE(row);
    const int y = ys[row - 1];
    auto* pick = Child<QPushButton>(dialog, QStringLiteral("colourRow%1").arg(row));
    EXPECT_EQ(pick->text().toStdString(), labels[row - 1]);
    EXPECT_EQ(pick->geometry(), QRect(10, y, 200, 20));
    EXPECT_EQ(Child<QLabel>(dialog, QStringLiteral("colourSwatch%1").arg(row))->geometry(),
              QRect(220, y, 100, 20));
    auto* reset = Child<QPushButton>(dialog, QStringLiteral("colourDefault%1").arg(row));
    EXPECT_EQ(reset->text().toStdString(), " < set to default");
    EXPECT_EQ(reset->geometry(), QRect(330, y, 100, 20));
  }
  auto* dark = Child<QPushButton>(dialog, QStringLiteral("darkPreset"));
  EXPECT_EQ(dark->text().toStdString(), "Set colours: dark mode (default)");
  EXPECT_EQ(dark->geometry(), QRect(10, 435, 200, 20));

  std::vector<std::pair<std::string, QRect>> texts;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) {
    if (!label->text().isEmpty())
      texts.emplace_back(label->text().toStdString(), label->geometry());
  }
  const std::vector<std::pair<std::string, QRect>> expected = {
      {"Change colours used on the scope display(s):", QRect(10, 13, 500, 20)},
      {"Change colours used on control ribbon (settings update on VANTO restart):",
       QRect(10, 238, 500, 20)},
      {"Note: Changes are automatically saved when altered.", QRect(10, 413, 500, 20)}};
  EXPECT_EQ(texts, expected);
}

TEST_F(ColoursDialog, TextsAreReadWholeInsideTheWindow) {
  for (const QLabel* label : dialog.findChildren<QLabel*>()) {
    if (label->text().isEmpty()) continue;
    SCOPED_TRACE(label->text().toStdString());
    EXPECT_LE(label->x() + QFontMetrics(label->font()).horizontalAdvance(label->text()),
              dialog.width());
  }
}

TEST_F(ColoursDialog, CancellingThePickerWritesNothing) {
  const std::string before = ReadFile(kSettingsFileName);
  Click(dialog, "colourRow3");
  ASSERT_EQ(picker.offered, std::vector<std::int32_t>{34816});  // the graticule's colour
  EXPECT_EQ(rewrites.Take(), 0);
  EXPECT_EQ(ReadFile(kSettingsFileName), before);
  EXPECT_EQ(settings.colourScope1Graticule, 34816);
  EXPECT_FALSE(display.scopeRedrawPending);
  EXPECT_EQ(SwatchPixel(dialog, 3), qRgb(0, 0x88, 0));
}

TEST_F(ColoursDialog, PickedColourIsSavedAndShown) {
  picker.answers = {0xC08040};  // $BBGGRR
  Click(dialog, "colourRow1");
  EXPECT_EQ(settings.colourScope1Background, 0xC08040);
  EXPECT_EQ(Stored(key::kColourScope1Background), 0xC08040);
  EXPECT_EQ(rewrites.Take(), 14);
  EXPECT_EQ(SwatchPixel(dialog, 1), qRgb(0x40, 0x80, 0xC0));
  EXPECT_TRUE(display.displayRefreshPending);
  EXPECT_TRUE(display.scopeRedrawPending);
}

TEST_F(ColoursDialog, GoldenTraceRowResetAndDarkPreset) {
  // Row 7: "ORX_ColourScopeXTraceGoldenSig", $00A5FF in a fresh file.
  EXPECT_EQ(SwatchPixel(dialog, 7), qRgb(0xFF, 0xA5, 0x00));
  Click(dialog, "colourDefault7");
  EXPECT_EQ(Stored(key::kColourScopeXTraceGoldenSig), 16711680);
  EXPECT_EQ(SwatchPixel(dialog, 7), qRgb(0, 0, 0xFF));
  EXPECT_EQ(rewrites.Take(), 14);

  Click(dialog, "darkPreset");
  EXPECT_EQ(Stored(key::kColourScopeXTraceGoldenSig), 55295);
  EXPECT_EQ(SwatchPixel(dialog, 7), qRgb(0xFF, 0xD7, 0x00));
  EXPECT_EQ(Stored(key::kColourBackground), 3028526);
  EXPECT_EQ(SwatchPixel(dialog, 9), qRgb(0x2E, 0x36, 0x2E));
  EXPECT_EQ(rewrites.Take(), 14);
}

TEST_F(ColoursDialog, ClosesWhenAnotherWindowIsActivated) {
  QWidget other;
  other.show();
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  Click(dialog, "colourDefault14");

  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(Stored(key::kColourHeaderText), 42495);  // the change made stays saved
}

TEST_F(ColoursDialog, StaysOpenWhileThePickerHasTheFocus) {
  QWidget pickerWindow;  // stands for the desktop's colour dialog
  picker.whilePicking = [&] {
    pickerWindow.show();
    pickerWindow.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&pickerWindow));
    pickerWindow.hide();
  };
  picker.answers = {0x010203};
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  Click(dialog, "colourRow5");
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(Stored(key::kColourScope1Text), 0x010203);
  EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

// The whole program: the menu command opens the window in place of the
// main loop; after it closes the next pass paints the scope in the new
// background colour.
TEST(ColoursFromTheMenu, NewScopeColourShowsAtTheNextRedraw) {
  testing::TempWorkdir dir;
  testing::FakeClock clock;
  testing::RecordingBoxes boxes;
  AppContext context{clock, boxes};
  SilentSound sound;
  Application app{context, sound};
  app.Start();
  FakePicker picker;
  picker.answers = {0x4080C0};
  app.Controller().SetColourPicker(picker);
  for (int pass = 0; pass < 3; ++pass) app.Dispatcher().DispatchPass();
  const QImage& scope = app.Controller().Scopes().images.mainScope;
  ASSERT_FALSE(scope.isNull());
  const int area = scope.width() * scope.height();
  ASSERT_GT(testing::CountPixels(scope, testing::Rgb(0)), area / 2);  // black by default

  bool sawDialog = false;
  bool guardClosed = false;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top->objectName() == "displayColoursDialog" && top->isVisible()) dialog = top;
    }
    if (dialog == nullptr) return;
    sawDialog = true;
    // Should the window fail to close, the test ends instead of hanging.
    QTimer::singleShot(20000, dialog, [&, dialog] {
      guardClosed = true;
      static_cast<QDialog*>(dialog)->reject();
    });
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
    Click(*dialog, "colourRow1");
    app.Window().activateWindow();  // the user clicks the main window
  });
  app.Events().menuCommands.push_back(MenuCommand::DisplayColours);
  app.Dispatcher().DispatchPass();  // returns once the window has closed

  EXPECT_TRUE(sawDialog);
  EXPECT_FALSE(guardClosed);
  EXPECT_EQ(context.settings.colourScope1Background, 0x4080C0);
  app.Dispatcher().DispatchPass();
  EXPECT_GT(testing::CountPixels(scope, testing::Rgb(0x4080C0)), area / 2);
  EXPECT_EQ(testing::CountPixels(scope, testing::Rgb(0)), 0);
}

}  // namespace
}  // namespace vanto
