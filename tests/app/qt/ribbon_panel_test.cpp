// The ribbon's widgets, headless: which exist per model and where, their
// texts, the events user actions raise, the interface refresh applied
// without events, the keys, and the colours and pictures they draw.
#include "app/qt/ribbon_panel.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>
#include <utility>
#include <vector>

#include "app/qt/main_window.h"

namespace vanto {
namespace {

using E = RibbonElement;
using C = RibbonControl;
using Event = std::pair<RibbonControl, int>;

// What a caption looks like on screen: "&&" shows one '&'.
std::string Shown(const QString& text) {
  return QString(text).replace(QStringLiteral("&&"), QStringLiteral("&")).toStdString();
}

// A stand-in for the main window: records the left presses that reach it.
class RecordingWindow final : public QWidget {
 public:
  std::vector<QPoint> presses;

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) presses.push_back(event->position().toPoint());
  }
};

class RibbonPanelTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    pictures_ = new PictureStore;
    pictures_->LoadAll(VANTO_RESOURCE_DIR);
  }
  static void TearDownTestSuite() {
    delete pictures_;
    pictures_ = nullptr;
  }

  // A panel for the model inside a window standing in for the main window.
  RibbonPanel& Build(const std::string& model) {
    window = std::make_unique<RecordingWindow>();
    window->resize(300, 760);
    panel = new RibbonPanel(
        BuildRibbon(model), settings, *pictures_, LoadUiFonts(),
        [this](RibbonControl control, int value) { events.emplace_back(control, value); },
        window.get());
    panel->setGeometry(2, 2, kRibbonWidth, 740);
    window->show();
    return *panel;
  }

  void ShowActive() {
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  template <typename T>
  T* WidgetAs(E element) {
    return qobject_cast<T*>(panel->Widget(element));
  }

  void Click(E element) {
    QWidget* widget = panel->Widget(element);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
  }

  static PictureStore* pictures_;
  Settings settings;
  std::unique_ptr<RecordingWindow> window;
  RibbonPanel* panel = nullptr;
  std::vector<Event> events;
};

PictureStore* RibbonPanelTest::pictures_ = nullptr;

TEST_F(RibbonPanelTest, EveryItemHasAWidgetAtItsPlaceAndMissingRowsHaveNone) {
  struct Row {
    const char* model;
    bool usbText;
    bool dcGenerator;
    bool scanner;
  };
  for (const Row& row : {Row{"ORXA", true, false, false}, Row{"ORXB", false, true, false},
                         Row{"ORXC", false, true, true}}) {
    Build(row.model);
    const Ribbon ribbon = BuildRibbon(row.model);
    for (const RibbonItem& item : ribbon.items) {
      ASSERT_NE(panel->Widget(item.element), nullptr) << row.model << " " << item.caption;
      const QRect expected(item.rect.x, item.rect.y, item.rect.width, item.rect.height);
      EXPECT_EQ(panel->Widget(item.element)->geometry(), expected) << row.model << item.caption;
      EXPECT_EQ(panel->ElementRect(item.element), expected) << row.model << item.caption;
    }
    EXPECT_EQ(panel->Has(E::UsbStatusText), row.usbText) << row.model;
    for (E element : {E::DcGeneratorHeader, E::DcModeList, E::DcLevelList}) {
      EXPECT_EQ(panel->Has(element), row.dcGenerator) << row.model;
      EXPECT_EQ(panel->Widget(element) != nullptr, row.dcGenerator) << row.model;
    }
    for (E element : {E::ScannerHeader, E::ScanSigList, E::ScanComList}) {
      EXPECT_EQ(panel->Has(element), row.scanner) << row.model;
    }
    EXPECT_TRUE(panel->ElementRect(E::ScanSigList).isEmpty() != row.scanner) << row.model;
  }
}

TEST_F(RibbonPanelTest, OnAnOrxaTestControlsFollowTheBFunctionListAndOnAnOrxcFourRowsLater) {
  for (auto [model, rowsBetween] : {std::pair{"ORXA", 1}, std::pair{"ORXC", 5}}) {
    Build(model);
    EXPECT_EQ(panel->Widget(E::TestControlsHeader)->y() - panel->Widget(E::FunctionListB)->y(),
              rowsBetween * kRowPitch)
        << model;
  }
  // The ORXA's status row sits where the ORXC's generator header is.
  Build("ORXA");
  EXPECT_EQ(panel->Widget(E::SignatureGeneratorHeader)->y(), 3 * kRowPitch);
  Build("ORXC");
  EXPECT_EQ(panel->Widget(E::SignatureGeneratorHeader)->y(), 2 * kRowPitch);
}

TEST_F(RibbonPanelTest, CaptionsToolTipsListsAndChecksAreThoseOfTheData) {
  Build("ORXC");
  const Ribbon ribbon = BuildRibbon("ORXC");
  for (const RibbonItem& item : ribbon.items) {
    QWidget* widget = panel->Widget(item.element);
    EXPECT_EQ(widget->toolTip().toStdString(), item.toolTip) << item.caption;
    switch (item.kind) {
      case RibbonItemKind::Header:
      case RibbonItemKind::StatusText:
        EXPECT_EQ(qobject_cast<QLabel*>(widget)->text().toStdString(), item.caption);
        break;
      case RibbonItemKind::Button:
      case RibbonItemKind::ToggleButton:
      case RibbonItemKind::CheckBox: {
        auto* button = qobject_cast<QAbstractButton*>(widget);
        ASSERT_NE(button, nullptr) << item.caption;
        EXPECT_EQ(Shown(button->text()), item.caption);
        EXPECT_EQ(button->isCheckable(), item.kind != RibbonItemKind::Button) << item.caption;
        EXPECT_EQ(button->isChecked(), item.initiallyChecked) << item.caption;
        break;
      }
      case RibbonItemKind::List: {
        auto* list = qobject_cast<QComboBox*>(widget);
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->count(), static_cast<int>(item.items.size()));
        for (int i = 0; i < list->count(); ++i) {
          EXPECT_EQ(list->itemText(i).toStdString(), item.items[static_cast<std::size_t>(i)]);
        }
        EXPECT_EQ(list->currentIndex(), item.initialItem) << item.items.front();
        break;
      }
      case RibbonItemKind::Image:
      case RibbonItemKind::ImageButton:
        EXPECT_EQ(panel->ShownPicture(item.element), item.picture);
        break;
    }
  }
  // Spacing kept, and the keys in the tool tips.
  EXPECT_EQ(Shown(WidgetAs<QAbstractButton>(E::FreezeDut)->text()), " Freeze   DUT ");
  EXPECT_EQ(panel->Widget(E::Previous)->toolTip().toStdString(),
            "Goto previous Pin/record (key Left or PgUp)");
  EXPECT_EQ(panel->Widget(E::EditAddRecords)->toolTip().toStdString(),
            "Opens the 'Edit/Add Records & Images' window");
}

TEST_F(RibbonPanelTest, UserActionsRaiseTheirControlWithTheValueTheTestRunExpects) {
  Build("ORXC");
  ShowActive();
  Click(E::VoltageUp);
  Click(E::ResistanceDown);
  Click(E::Good);
  Click(E::Bad);
  Click(E::ButtonAIndicator);
  Click(E::AutomaticRun);
  Click(E::EditCaptureSignature);  // unchecked -> checked
  Click(E::UseRecordSettings);     // checked -> unchecked
  panel->ShowControlSet(RibbonShownIn::CompactModes);
  Click(E::FreezeGolden);  // down
  Click(E::FreezeGolden);  // up
  Click(E::AutoFreeze);
  EXPECT_EQ(events, (std::vector<Event>{{C::VoltageUp, 0},
                                        {C::ResistanceDown, 0},
                                        {C::Good, 0},
                                        {C::Bad, 0},
                                        {C::ButtonAIndicator, 0},
                                        {C::AutomaticRun, 0},
                                        {C::EditCaptureSignature, 1},
                                        {C::UseRecordSettings, 0},
                                        {C::FreezeGolden, 1},
                                        {C::FreezeGolden, 0},
                                        {C::AutoFreeze, 1}}));

  // Lists report the position the user moved to.
  events.clear();
  for (E element : {E::FrequencyList, E::ScanSigList, E::DcLevelList}) {
    auto* list = WidgetAs<QComboBox>(element);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
  }
  EXPECT_EQ(events,
            (std::vector<Event>{{C::FrequencyList, 3}, {C::ScanSigList, 1}, {C::DcLevelList, 21}}));
}

TEST_F(RibbonPanelTest, TheConnectionIndicatorLetsClicksThroughToTheWindow) {
  Build("ORXB");
  const QPoint onIndicator = panel->ElementRect(E::ConnectionIndicator).center();
  EXPECT_NE(panel->childAt(onIndicator), panel->Widget(E::ConnectionIndicator));
  QTest::mouseClick(panel, Qt::LeftButton, {}, onIndicator);
  ASSERT_EQ(window->presses.size(), 1u);
  EXPECT_EQ(window->presses[0], onIndicator + panel->pos());
  EXPECT_TRUE(events.empty());

  // A picture button keeps its click.
  Click(E::ButtonBIndicator);
  EXPECT_EQ(window->presses.size(), 1u);
  EXPECT_EQ(events, (std::vector<Event>{{C::ButtonBIndicator, 0}}));
}

TEST_F(RibbonPanelTest, TheRefreshSetsListPositionsWithoutRaisingEvents) {
  Build("ORXC");
  InterfaceState state;
  state.voltagePosition = 9;
  state.resistancePosition = 7;
  state.frequencyPosition = 6;
  state.scanSigPosition = 3;
  state.scanComPosition = 40;
  panel->ApplyInterfaceState(state);
  EXPECT_EQ(WidgetAs<QComboBox>(E::VoltageList)->currentText(), "Voltage: 10Vpk");
  EXPECT_EQ(WidgetAs<QComboBox>(E::ResistanceList)->currentText(), "Resistance: 50 ohms");
  EXPECT_EQ(WidgetAs<QComboBox>(E::FrequencyList)->currentText(), "Frequency: 1KHz");
  EXPECT_EQ(WidgetAs<QComboBox>(E::ScanSigList)->currentText(), "Sig: 3");
  EXPECT_EQ(WidgetAs<QComboBox>(E::ScanComList)->currentText(), "Com: 40");

  // No scanner positions, or one the list cannot hold: the lists stay.
  state.scanSigPosition.reset();
  state.scanComPosition = 41;
  state.voltagePosition = -1;
  panel->ApplyInterfaceState(state);
  EXPECT_EQ(WidgetAs<QComboBox>(E::ScanSigList)->currentIndex(), 3);
  EXPECT_EQ(WidgetAs<QComboBox>(E::ScanComList)->currentIndex(), 40);
  EXPECT_EQ(WidgetAs<QComboBox>(E::VoltageList)->currentIndex(), 9);

  panel->SetChecked(E::UseRecordSettings, false);
  panel->SetChecked(E::FreezeDut, true);
  EXPECT_FALSE(panel->IsChecked(E::UseRecordSettings));
  EXPECT_TRUE(panel->IsChecked(E::FreezeDut));
  EXPECT_TRUE(events.empty());

  // An ORXA has no scanner: its positions are skipped.
  Build("ORXA");
  state.scanSigPosition = 5;
  state.resistancePosition = 2;
  panel->ApplyInterfaceState(state);
  EXPECT_EQ(WidgetAs<QComboBox>(E::ResistanceList)->currentText(), "Resistance: 100 ohms");
  EXPECT_TRUE(events.empty());
}

TEST_F(RibbonPanelTest, TestControlsFollowTheRunMode) {
  struct Row {
    RunMode mode;
    bool navigation;
    bool resultGroup;
    std::optional<PictureId> good;
    std::optional<PictureId> bad;
    PictureId automatic;
    bool editAddRecords;
  };
  const std::vector<Row> rows = {
      {RunMode::TestBoard, true, true, PictureId::Good, PictureId::Bad, PictureId::AutoTestYellow,
       false},
      {RunMode::Capture, true, false, PictureId::SingleCaptureGreen, std::nullopt,
       PictureId::AutoCaptureYellow, true},
      {RunMode::AutoTest, false, true, PictureId::GoodGrey, PictureId::BadGrey,
       PictureId::TestInProgressGreen, false},
      {RunMode::AutoCapture, false, false, PictureId::SingleCaptureGrey, std::nullopt,
       PictureId::CaptureInProgressGreen, true},
  };
  Build("ORXB");
  for (const Row& row : rows) {
    InterfaceState state;
    state.testControls = TestControlsFor(row.mode);
    panel->ApplyInterfaceState(state);
    const int mode = static_cast<int>(row.mode);
    for (E element :
         {E::Previous, E::Next, E::PreviousComponent, E::NextComponent, E::First, E::Last}) {
      EXPECT_EQ(panel->Widget(element)->isEnabled(), row.navigation) << mode;
    }
    for (E element : {E::ResetTest, E::GoodRateText, E::BadRateText}) {
      EXPECT_EQ(panel->Widget(element)->isEnabled(), row.resultGroup) << mode;
    }
    EXPECT_EQ(panel->ShownPicture(E::Good), row.good) << mode;
    EXPECT_EQ(panel->ShownPicture(E::Bad), row.bad) << mode;
    EXPECT_EQ(panel->ShownPicture(E::AutomaticRun), row.automatic) << mode;
    EXPECT_EQ(panel->Widget(E::EditAddRecords)->isEnabled(), row.editAddRecords) << mode;
  }
  // Without test controls (an unknown run mode) nothing changes.
  InterfaceState none;
  none.passRates = {"30.00%", "10.00%"};
  panel->ApplyInterfaceState(none);
  EXPECT_FALSE(panel->Widget(E::Next)->isEnabled());
  EXPECT_EQ(panel->ShownPicture(E::AutomaticRun), PictureId::CaptureInProgressGreen);
  EXPECT_EQ(WidgetAs<QLabel>(E::GoodRateText)->text(), "30.00%");
  EXPECT_EQ(WidgetAs<QLabel>(E::BadRateText)->text(), "10.00%");
  EXPECT_TRUE(events.empty());
}

TEST_F(RibbonPanelTest, ALayoutShowsOneControlSetAndHidesTheOther) {
  Build("ORXC");
  const Ribbon ribbon = BuildRibbon("ORXC");
  auto expectShown = [&](RibbonShownIn set) {
    for (const RibbonItem& item : ribbon.items) {
      const bool shown = item.shownIn == RibbonShownIn::AllModes || item.shownIn == set;
      EXPECT_EQ(!panel->Widget(item.element)->isHidden(), shown)
          << item.caption << " " << static_cast<int>(item.element);
    }
  };
  expectShown(RibbonShownIn::AdvancedMode);  // before the first layout

  InterfaceState state;
  state.layout = LayoutChange{RibbonShownIn::CompactModes, kCompactClientSize, true};
  panel->ApplyInterfaceState(state);
  expectShown(RibbonShownIn::CompactModes);

  // A layout without a control set (an unknown mode) leaves them.
  state.layout = LayoutChange{std::nullopt, std::nullopt, false};
  panel->ApplyInterfaceState(state);
  expectShown(RibbonShownIn::CompactModes);

  state.layout = LayoutChange{RibbonShownIn::AdvancedMode, kAdvancedClientSize, true};
  panel->ApplyInterfaceState(state);
  expectShown(RibbonShownIn::AdvancedMode);
  EXPECT_TRUE(events.empty());

  // The compact set ends with "Auto Freeze", the Advanced one with "Edit/Add Records".
  EXPECT_EQ(panel->ContentHeight(RibbonShownIn::CompactModes),
            panel->ElementRect(E::AutoFreeze).bottom() + 1);
  EXPECT_EQ(panel->ContentHeight(RibbonShownIn::AdvancedMode),
            panel->ElementRect(E::EditAddRecords).bottom() + 1);
}

TEST_F(RibbonPanelTest, KeysRaiseTheirControlsAnywhereInTheWindowWhileTheControlShows) {
  Build("ORXC");
  ShowActive();
  QTest::keyClick(window.get(), Qt::Key_G);
  EXPECT_TRUE(events.empty()) << "keys before they are installed";
  panel->InstallShortcuts(window.get());
  // The keys reach the ribbon even while a list has the focus.
  WidgetAs<QComboBox>(E::VoltageList)->setFocus();
  for (Qt::Key key :
       {Qt::Key_G, Qt::Key_B, Qt::Key_Left, Qt::Key_PageUp, Qt::Key_Right, Qt::Key_PageDown,
        Qt::Key_Home, Qt::Key_End}) {
    QTest::keyClick(window.get(), key);
  }
  EXPECT_EQ(events, (std::vector<Event>{{C::Good, 0},
                                        {C::Bad, 0},
                                        {C::Previous, 0},
                                        {C::Previous, 0},
                                        {C::Next, 0},
                                        {C::Next, 0},
                                        {C::First, 0},
                                        {C::Last, 0}}));
  EXPECT_EQ(WidgetAs<QComboBox>(E::VoltageList)->currentIndex(), 4);

  // Disabled navigation ignores its keys; hidden controls too.
  events.clear();
  InterfaceState state;
  state.testControls = TestControlsFor(RunMode::AutoTest);
  panel->ApplyInterfaceState(state);
  QTest::keyClick(window.get(), Qt::Key_Right);
  QTest::keyClick(window.get(), Qt::Key_G);
  panel->ShowControlSet(RibbonShownIn::CompactModes);
  QTest::keyClick(window.get(), Qt::Key_B);
  EXPECT_EQ(events, (std::vector<Event>{{C::Good, 0}}));
}

TEST_F(RibbonPanelTest, TheWheelChangesNoListThatHasNoFocus) {
  Build("ORXC");
  ShowActive();
  auto* list = WidgetAs<QComboBox>(E::VoltageList);
  panel->Widget(E::FrequencyList)->setFocus();
  const QPointF centre = list->rect().center();
  QWheelEvent wheel(centre, list->mapToGlobal(centre), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(list, &wheel);
  EXPECT_EQ(list->currentIndex(), 4);
  EXPECT_TRUE(events.empty());
}

TEST_F(RibbonPanelTest, StatusTextPicturesAndCaptionsAreSetWithoutEvents) {
  Build("ORXA");
  panel->SetStatusText("USB rail: 4.98V");
  EXPECT_EQ(WidgetAs<QLabel>(E::UsbStatusText)->text(), "USB rail: 4.98V");

  struct Row {
    E element;
    const char* file;
    std::optional<PictureId> shown;
  };
  for (const Row& row :
       {Row{E::ConnectionIndicator, "graphics/button_connected.png", PictureId::ButtonConnected},
        Row{E::ButtonAIndicator, "graphics/buttonA_yellow.png", PictureId::ButtonAYellow},
        Row{E::ButtonBIndicator, "graphics/buttonB_yellow.png", PictureId::ButtonBYellow},
        Row{E::ButtonBIndicator, "", std::nullopt},
        Row{E::ButtonAIndicator, "graphics/no_such.png", std::nullopt}}) {
    panel->SetElementPicture(row.element, row.file);
    EXPECT_EQ(panel->ShownPicture(row.element), row.shown) << row.file;
  }
  panel->SetCaption(E::FreezeGolden, "Golden Frozen");
  panel->SetCaption(E::FreezeDut, "  DUT   Frozen");
  EXPECT_EQ(Shown(WidgetAs<QAbstractButton>(E::FreezeGolden)->text()), "Golden Frozen");
  EXPECT_EQ(Shown(WidgetAs<QAbstractButton>(E::FreezeDut)->text()), "  DUT   Frozen");
  EXPECT_TRUE(events.empty());

  // Models without the status row ignore its text.
  Build("ORXC");
  panel->SetStatusText("USB rail: 4.98V");
  EXPECT_FALSE(panel->Has(E::UsbStatusText));
}

// A run's outcome is longer than the narrow status row: it is wrapped and
// made smaller until the whole of it shows, and the tool tip has it too; a
// rail text that fits goes back to one line at the row's own font.
TEST_F(RibbonPanelTest, AStatusTextTooLongForItsRowIsWrappedSmallerToShowWhole) {
  Build("ORXA");
  window->show();
  auto* label = WidgetAs<QLabel>(E::UsbStatusText);
  const QFont rowFont = label->font();
  const QString outcome = "Run complete: 80 Good, 1 Bad, 1 NoTest";
  ASSERT_GT(QFontMetrics(rowFont).horizontalAdvance(outcome), label->contentsRect().width());

  panel->SetStatusText(outcome.toStdString());
  EXPECT_EQ(label->text(), outcome);
  EXPECT_EQ(label->toolTip(), outcome);
  EXPECT_TRUE(label->wordWrap());
  const QRect room = label->contentsRect();
  const QRect needed = QFontMetrics(label->font())
                           .boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, outcome);
  EXPECT_LE(needed.width(), room.width());
  EXPECT_LE(needed.height(), room.height());
  EXPECT_GE(QFontInfo(label->font()).pixelSize(), 7);

  panel->SetStatusText("USB rail: 5.03V");
  EXPECT_FALSE(label->wordWrap());
  EXPECT_EQ(label->font(), rowFont);
  EXPECT_TRUE(label->toolTip().isEmpty());
  EXPECT_TRUE(events.empty());
}

TEST_F(RibbonPanelTest, HeadersAndPanelDrawInTheSettingsColours) {
  settings.colourPanel = 0x204060;       // $BBGGRR
  settings.colourHeader = 0x0000C0;      // dark red
  settings.colourHeaderText = 0x00FFFF;  // yellow
  Build("ORXC");
  const QImage image = panel->grab().toImage();
  const QRect header = panel->ElementRect(E::TestControlsHeader);
  EXPECT_EQ(image.pixelColor(header.left() + 1, header.top() + 1), QColor(0xC0, 0, 0));
  EXPECT_EQ(image.pixelColor(header.right() - 1, header.bottom() - 1), QColor(0xC0, 0, 0));
  // Left of the half-width buttons the panel shows.
  const QRect button = panel->ElementRect(E::VoltageUp);
  EXPECT_EQ(image.pixelColor(0, button.center().y()), QColor(0x60, 0x40, 0x20));

  // The header text is drawn, centred, in its colour, in the header font.
  EXPECT_EQ(QFontInfo(panel->Widget(E::TestControlsHeader)->font()).pointSize(), 11);
  int textLeft = header.right();
  int textRight = header.left();
  for (int y = header.top(); y <= header.bottom(); ++y) {
    for (int x = header.left(); x <= header.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 0xE0 && c.green() > 0xE0 && c.blue() < 0x40) {
        textLeft = std::min(textLeft, x);
        textRight = std::max(textRight, x);
      }
    }
  }
  ASSERT_LT(textLeft, textRight) << "no header text drawn";
  const int leftMargin = textLeft - header.left();
  const int rightMargin = header.right() - textRight;
  EXPECT_LE(std::abs(leftMargin - rightMargin), 3) << leftMargin << " / " << rightMargin;
}

TEST_F(RibbonPanelTest, PictureButtonsDrawTheirPictureAndNothingForNoPicture) {
  Build("ORXB");
  InterfaceState state;
  state.testControls = TestControlsFor(RunMode::AutoTest);
  panel->ApplyInterfaceState(state);
  const QImage expected = pictures_->Picture(PictureId::TestInProgressGreen).toImage();
  ASSERT_FALSE(expected.isNull());
  QWidget* automatic = panel->Widget(E::AutomaticRun);
  ASSERT_EQ(automatic->size(), expected.size());
  const QImage drawn = automatic->grab().toImage();
  for (QPoint p : {QPoint(10, 11), QPoint(70, 11), QPoint(130, 5)}) {
    EXPECT_EQ(drawn.pixelColor(p), expected.pixelColor(p)) << p.x() << "," << p.y();
  }

  // Capture mode: the Bad button shows no picture, only the panel.
  state.testControls = TestControlsFor(RunMode::Capture);
  panel->ApplyInterfaceState(state);
  const QImage panelImage = panel->grab().toImage();
  const QPoint badCentre = panel->ElementRect(E::Bad).center();
  EXPECT_EQ(panelImage.pixelColor(badCentre), ColourFromSetting(settings.colourPanel));
}

}  // namespace
}  // namespace vanto
