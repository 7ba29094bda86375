// The control ribbon per model: which rows exist, where each control sits,
// its caption, tool tip, list items, first picture and keyboard keys.
#include "ui/ribbon.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace vanto {
namespace {

using E = RibbonElement;

const std::vector<std::string> kModels = {"ORXA", "ORXAP", "ORXB", "ORXC", "ORXCB"};

TEST(RibbonTest, RowsThatAModelLacksAreAbsentAndTheRestMoveUp) {
  struct Row {
    const char* model;
    bool usbText;
    bool dcGenerator;
    bool scanner;
    int rows;
  };
  for (const Row& row : std::vector<Row>{{"ORXA", true, false, false, 24},
                                         {"ORXAP", true, false, false, 24},
                                         {"ORXB", false, true, false, 25},
                                         {"ORXC", false, true, true, 27},
                                         {"ORXCB", false, true, true, 27}}) {
    const Ribbon ribbon = BuildRibbon(row.model);
    EXPECT_EQ(ribbon.rowCount, row.rows) << row.model;
    EXPECT_EQ(ribbon.Find(E::UsbStatusText) != nullptr, row.usbText) << row.model;
    for (E element : {E::DcGeneratorHeader, E::DcModeList, E::DcLevelList}) {
      EXPECT_EQ(ribbon.Find(element) != nullptr, row.dcGenerator) << row.model;
    }
    for (E element : {E::ScannerHeader, E::ScanSigList, E::ScanComList}) {
      EXPECT_EQ(ribbon.Find(element) != nullptr, row.scanner) << row.model;
    }
    // Row n of the present rows starts (n - 1) x 26 from the top, no gaps.
    std::set<int> rowNumbers;
    for (const RibbonItem& item : ribbon.items) rowNumbers.insert(item.row);
    EXPECT_EQ(static_cast<int>(rowNumbers.size()), row.rows) << row.model;
    const int lastRowY = (row.rows - 1) * kRowPitch;
    EXPECT_EQ(ribbon.Find(E::EditAddRecords)->rect.y, lastRowY) << row.model;
  }
}

TEST(RibbonTest, OnAnOrxaTestControlsFollowsTheBFunctionListDirectly) {
  const Ribbon ribbon = BuildRibbon("ORXA");
  EXPECT_EQ(ribbon.Find(E::TestControlsHeader)->rect.y,
            ribbon.Find(E::FunctionListB)->rect.y + kRowPitch);
  for (const RibbonItem& item : ribbon.items) {
    EXPECT_NE(item.caption, "DC Generator");
    EXPECT_NE(item.caption, "Scanner");
  }
  // The ORXC has both: four rows (104 pixels) more between them.
  const Ribbon orxc = BuildRibbon("ORXC");
  EXPECT_EQ(orxc.Find(E::TestControlsHeader)->rect.y - orxc.Find(E::FunctionListB)->rect.y,
            5 * kRowPitch);
}

struct Placement {
  E element;
  RibbonItemKind kind;
  int row;  // of the full ribbon
  int x;
  int yOffset;  // from the row's top
  int width;
  int height;
  const char* caption;
};

// The full (ORXC) ribbon; every row present, so row n is at (n - 1) x 26
// up to row 2 and one pitch higher from row 4 on (row 3 is the ORXA's).
TEST(RibbonTest, EveryControlHasItsPlaceSizeAndCaption) {
  using K = RibbonItemKind;
  const std::vector<Placement> expected = {
      {E::InstrumentStatusHeader, K::Header, 1, 0, 0, 144, 23, "Instrument Status"},
      {E::ConnectionIndicator, K::Image, 2, 0, -3, 70, 23, ""},
      {E::SignatureGeneratorHeader, K::Header, 4, 0, 0, 144, 23, "Signature Generator"},
      {E::VoltageUp, K::Button, 5, 2, 0, 70, 23, "V+"},
      {E::VoltageDown, K::Button, 5, 73, 0, 70, 23, "V-"},
      {E::ResistanceUp, K::Button, 6, 2, 0, 70, 23, "Ohm+"},
      {E::ResistanceDown, K::Button, 6, 73, 0, 70, 23, "Ohm-"},
      {E::FrequencyUp, K::Button, 7, 2, 0, 70, 23, "Freq+"},
      {E::FrequencyDown, K::Button, 7, 73, 0, 70, 23, "Freq-"},
      {E::VoltageList, K::List, 8, 2, 0, 140, 23, ""},
      {E::ResistanceList, K::List, 9, 2, 0, 140, 23, ""},
      {E::FrequencyList, K::List, 10, 2, 0, 140, 23, ""},
      {E::ButtonAIndicator, K::ImageButton, 11, 2, 0, 70, 23, ""},
      {E::ButtonBIndicator, K::ImageButton, 11, 73, 0, 70, 23, ""},
      {E::FunctionListA, K::List, 12, 2, 0, 140, 23, ""},
      {E::FunctionListB, K::List, 13, 2, 0, 140, 23, ""},
      {E::DcGeneratorHeader, K::Header, 14, 0, 0, 144, 23, "DC Generator"},
      {E::DcModeList, K::List, 15, 2, 0, 70, 23, ""},
      {E::DcLevelList, K::List, 15, 73, 0, 70, 23, ""},
      {E::ScannerHeader, K::Header, 16, 0, 0, 144, 23, "Scanner"},
      {E::ScanSigList, K::List, 17, 2, 0, 70, 23, ""},
      {E::ScanComList, K::List, 17, 73, 0, 70, 23, ""},
      {E::TestControlsHeader, K::Header, 18, 0, 0, 144, 23, "Test Controls"},
      {E::Previous, K::Button, 19, 2, 0, 70, 23, "<"},
      {E::Next, K::Button, 19, 73, 0, 70, 23, ">"},
      {E::FreezeGolden, K::ToggleButton, 19, 2, 0, 70, 46, "Freeze Golden"},
      {E::FreezeDut, K::ToggleButton, 19, 73, 0, 70, 46, " Freeze   DUT "},
      {E::PreviousComponent, K::Button, 20, 2, 0, 70, 23, "<<"},
      {E::NextComponent, K::Button, 20, 73, 0, 70, 23, ">>"},
      {E::First, K::Button, 21, 2, 0, 70, 23, "First"},
      {E::Last, K::Button, 21, 73, 0, 70, 23, "Last"},
      {E::AutoFreeze, K::ToggleButton, 21, 2, 0, 140, 23, "Auto Freeze"},
      {E::UseRecordSettings, K::CheckBox, 22, 2, 0, 70, 23, "V/R/Hz"},
      {E::ResetTest, K::Button, 22, 73, 0, 70, 23, "Reset test"},
      {E::GoodRateText, K::StatusText, 23, 2, 2, 70, 23, "0.00%"},
      {E::BadRateText, K::StatusText, 23, 73, 2, 70, 23, "0.00%"},
      {E::Good, K::ImageButton, 24, 0, 0, 70, 23, ""},
      {E::Bad, K::ImageButton, 24, 73, 0, 70, 23, ""},
      {E::AutomaticRun, K::ImageButton, 25, 0, 0, 140, 23, ""},
      {E::EditControlsHeader, K::Header, 26, 0, 0, 144, 23, "Edit Controls"},
      {E::EditCaptureSignature, K::CheckBox, 27, 2, 0, 140, 23, "Edit/Capture signature"},
      {E::EditAddRecords, K::Button, 28, 2, 0, 140, 23, "Edit/Add Records"},
  };
  const Ribbon ribbon = BuildRibbon("ORXC");
  ASSERT_EQ(ribbon.items.size(), expected.size());
  for (const Placement& p : expected) {
    const RibbonItem* item = ribbon.Find(p.element);
    ASSERT_NE(item, nullptr) << p.caption;
    const int rowTop = (p.row <= 2 ? p.row - 1 : p.row - 2) * kRowPitch;
    EXPECT_EQ(item->kind, p.kind) << "row " << p.row << " " << p.caption;
    EXPECT_EQ(item->row, p.row) << p.caption;
    EXPECT_EQ(item->rect, (PixelRect{p.x, rowTop + p.yOffset, p.width, p.height}))
        << "row " << p.row << " " << p.caption;
    EXPECT_EQ(item->caption, p.caption) << "row " << p.row;
  }
  const Ribbon orxa = BuildRibbon("ORXA");
  const RibbonItem* usb = orxa.Find(E::UsbStatusText);
  ASSERT_NE(usb, nullptr);
  EXPECT_EQ(usb->rect, (PixelRect{2, 2 * kRowPitch, 140, 23}));
  EXPECT_EQ(usb->caption, "--");
  EXPECT_TRUE(usb->centred);
}

TEST(RibbonTest, ControlsShownInTheSameModeNeverOverlap) {
  auto overlap = [](const PixelRect& a, const PixelRect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
  };
  for (const std::string& model : kModels) {
    const Ribbon ribbon = BuildRibbon(model);
    for (RibbonShownIn mode : {RibbonShownIn::AdvancedMode, RibbonShownIn::CompactModes}) {
      std::vector<const RibbonItem*> shown;
      for (const RibbonItem& item : ribbon.items) {
        if (item.shownIn == RibbonShownIn::AllModes || item.shownIn == mode) shown.push_back(&item);
      }
      for (std::size_t i = 0; i < shown.size(); ++i) {
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
          EXPECT_FALSE(overlap(shown[i]->rect, shown[j]->rect))
              << model << ": " << static_cast<int>(shown[i]->element) << " and "
              << static_cast<int>(shown[j]->element);
        }
      }
      for (const RibbonItem* item : shown) {
        EXPECT_GE(item->rect.x, 0);
        EXPECT_LE(item->rect.x + item->rect.width, kRibbonWidth) << model;
      }
    }
  }
}

TEST(RibbonTest, TheFullRibbonFitsTheAdvancedWindow) {
  // 725 pixels of client area less the two 2-pixel borders.
  const Ribbon ribbon = BuildRibbon("ORXC");
  const RibbonItem* last = ribbon.Find(E::EditAddRecords);
  EXPECT_LE(last->rect.y + last->rect.height, 725 - 4);
}

TEST(RibbonTest, TheCompactModesSwapTheTestControlsForTheFreezeToggles) {
  const Ribbon ribbon = BuildRibbon("ORXA");
  const std::set<E> advancedOnly = {E::Previous,
                                    E::Next,
                                    E::PreviousComponent,
                                    E::NextComponent,
                                    E::First,
                                    E::Last,
                                    E::UseRecordSettings,
                                    E::ResetTest,
                                    E::GoodRateText,
                                    E::BadRateText,
                                    E::Good,
                                    E::Bad,
                                    E::AutomaticRun,
                                    E::EditControlsHeader,
                                    E::EditCaptureSignature,
                                    E::EditAddRecords};
  const std::set<E> compactOnly = {E::FreezeGolden, E::FreezeDut, E::AutoFreeze};
  for (const RibbonItem& item : ribbon.items) {
    const RibbonShownIn expected = advancedOnly.count(item.element)  ? RibbonShownIn::AdvancedMode
                                   : compactOnly.count(item.element) ? RibbonShownIn::CompactModes
                                                                     : RibbonShownIn::AllModes;
    EXPECT_EQ(item.shownIn, expected) << item.caption << " " << static_cast<int>(item.element);
  }
}

TEST(RibbonTest, ToolTipsAreWordForWordWithTheKeysThatReachTheControl) {
  struct Row {
    E element;
    const char* toolTip;
    std::vector<std::string> keys;
  };
  const std::vector<Row> rows = {
      {E::Previous, "Goto previous Pin/record (key Left or PgUp)", {"Left", "PgUp"}},
      {E::Next, "Goto next Pin/record (key Right or PgDown)", {"Right", "PgDown"}},
      {E::PreviousComponent, "Goto previous Component", {}},
      {E::NextComponent, "Goto next Component", {}},
      {E::First, "Goto first record (key Home)", {"Home"}},
      {E::Last, "Goto last record (key End)", {"End"}},
      {E::UseRecordSettings,
       "(I) Use V/R/Hz settings from file, (O) Use current V/R/Hz settings",
       {}},
      {E::ResetTest, "Clear all GOOD/BAD results ready for new test", {}},
      {E::Good, "GOOD, or capture the golden signature in capture mode (key G)", {"G"}},
      {E::Bad, "BAD (key B)", {"B"}},
      {E::EditCaptureSignature, "(I) Capture/edit mode, (O) Test board mode", {}},
      {E::EditAddRecords, "Opens the 'Edit/Add Records & Images' window", {}},
  };
  const Ribbon ribbon = BuildRibbon("ORXB");
  std::set<std::string> keysInUse;
  for (const Row& row : rows) {
    const RibbonItem* item = ribbon.Find(row.element);
    EXPECT_EQ(item->toolTip, row.toolTip);
    EXPECT_EQ(item->shortcuts, row.keys) << row.toolTip;
  }
  for (const RibbonItem& item : ribbon.items) {
    for (const std::string& key : item.shortcuts) {
      EXPECT_TRUE(keysInUse.insert(key).second) << "key " << key << " used twice";
    }
  }
  EXPECT_EQ(keysInUse.size(), 8u);
}

TEST(RibbonTest, ListsHoldTheirItemsAndStartOnTheirInitialEntries) {
  const Ribbon orxa = BuildRibbon("ORXA");
  const Ribbon orxc = BuildRibbon("ORXC");

  const RibbonItem* a = orxa.Find(E::FunctionListA);
  ASSERT_EQ(a->items.size(), 16u);
  EXPECT_EQ(a->items.front(), "A= No Function");
  EXPECT_EQ(a->items.back(), "A= THAW");
  EXPECT_EQ(a->items[a->initialItem], "A= Cycle Frequency");
  const RibbonItem* b = orxa.Find(E::FunctionListB);
  ASSERT_EQ(b->items.size(), 16u);
  EXPECT_EQ(b->items[10], "B= GOOD/CAPTURE");
  EXPECT_EQ(b->items[b->initialItem], "B= Cycle Voltage");

  const RibbonItem* voltage = orxa.Find(E::VoltageList);
  EXPECT_EQ(voltage->items,
            (std::vector<std::string>{"Voltage: 0.2Vpk", "Voltage: 0.4Vpk", "Voltage: 0.6Vpk",
                                      "Voltage: 0.8Vpk", "Voltage: 1Vpk", "Voltage: 2Vpk",
                                      "Voltage: 3Vpk", "Voltage: 4Vpk", "Voltage: 5Vpk",
                                      "Voltage: 10Vpk"}));
  EXPECT_EQ(voltage->items[voltage->initialItem], "Voltage: 1Vpk");
  EXPECT_EQ(orxa.Find(E::ResistanceList)->items,
            (std::vector<std::string>{"Resistance: 10K ohms", "Resistance: 1K ohms",
                                      "Resistance: 100 ohms"}));
  EXPECT_EQ(orxc.Find(E::ResistanceList)->items,
            (std::vector<std::string>{"Resistance: 10K ohms", "Resistance: 5K ohms",
                                      "Resistance: 2K ohms", "Resistance: 1K ohms",
                                      "Resistance: 500 ohms", "Resistance: 200 ohms",
                                      "Resistance: 100 ohms", "Resistance: 50 ohms"}));
  const RibbonItem* frequency = orxa.Find(E::FrequencyList);
  EXPECT_EQ(frequency->items.front(), "Frequency: 10Hz");
  EXPECT_EQ(frequency->items.back(), "Frequency: 1KHz");
  EXPECT_EQ(frequency->items[frequency->initialItem], "Frequency: 50Hz");

  const RibbonItem* dcMode = orxc.Find(E::DcModeList);
  EXPECT_EQ(dcMode->items, (std::vector<std::string>{"Off (HiZ)", "Off (0V)", "DC", "Sqr-Hard",
                                                     "Sqr-Soft", "Pulse"}));
  EXPECT_EQ(dcMode->initialItem, 0);
  const RibbonItem* dcLevel = orxc.Find(E::DcLevelList);
  ASSERT_EQ(dcLevel->items.size(), 40u);
  EXPECT_EQ(dcLevel->items.front(), "+10.00V");
  EXPECT_EQ(dcLevel->items[7], " +3.3V");
  EXPECT_EQ(dcLevel->items[dcLevel->initialItem], " 0V");
  EXPECT_EQ(dcLevel->initialItem, 20);
  EXPECT_EQ(dcLevel->items.back(), " -10.00V");

  for (auto [element, prefix] : {std::pair{E::ScanSigList, "Sig: "}, {E::ScanComList, "Com: "}}) {
    const RibbonItem* list = orxc.Find(element);
    ASSERT_EQ(list->items.size(), 41u);
    EXPECT_EQ(list->items[0], "Off");
    EXPECT_EQ(list->initialItem, 0);
    for (int channel = 1; channel <= 40; ++channel) {
      EXPECT_EQ(list->items[channel], prefix + std::to_string(channel));
    }
  }
}

TEST(RibbonTest, PictureControlsStartOnTheirFirstPictures) {
  const Ribbon ribbon = BuildRibbon("ORXB");
  EXPECT_EQ(ribbon.Find(E::ConnectionIndicator)->picture, PictureId::ButtonNoConnect);
  EXPECT_EQ(ribbon.Find(E::ButtonAIndicator)->picture, PictureId::ButtonAGrey);
  EXPECT_EQ(ribbon.Find(E::ButtonBIndicator)->picture, PictureId::ButtonBGrey);
  EXPECT_EQ(ribbon.Find(E::Good)->picture, PictureId::Good);
  EXPECT_EQ(ribbon.Find(E::Bad)->picture, PictureId::Bad);
  EXPECT_EQ(ribbon.Find(E::AutomaticRun)->picture, PictureId::AutoCaptureYellow);
  EXPECT_TRUE(ribbon.Find(E::UseRecordSettings)->initiallyChecked);
  EXPECT_FALSE(ribbon.Find(E::EditCaptureSignature)->initiallyChecked);
}

TEST(RibbonTest, EveryControlRaisesItsOwnEventAndHeadersAndTextsNone) {
  const Ribbon ribbon = BuildRibbon("ORXC");
  std::set<RibbonControl> controls;
  for (const RibbonItem& item : ribbon.items) {
    const std::optional<RibbonControl> control = ControlOfElement(item.element);
    const bool passive =
        item.kind == RibbonItemKind::Header || item.kind == RibbonItemKind::StatusText;
    EXPECT_EQ(control.has_value(), !passive) << item.caption;
    if (control) {
      EXPECT_TRUE(controls.insert(*control).second) << item.caption;
    }
  }
  EXPECT_TRUE(InNavigationGroup(E::Last));
  EXPECT_FALSE(InNavigationGroup(E::ResetTest));
  EXPECT_TRUE(InResultGroup(E::BadRateText));
  EXPECT_FALSE(InResultGroup(E::Good));
}

TEST(RibbonTest, ModelDifferencesFollowTheModelTable) {
  EXPECT_TRUE(ModelShowsUsbRail("ORXAP"));
  EXPECT_FALSE(ModelShowsUsbRail("ORXB"));
  EXPECT_FALSE(ModelHasDcGenerator("ORXAP"));
  EXPECT_TRUE(ModelHasDcGenerator("ORXCB"));
  EXPECT_FALSE(ModelHasScanner("ORXB"));
  EXPECT_TRUE(ModelHasScanner("ORXCB"));
}

}  // namespace
}  // namespace vanto
