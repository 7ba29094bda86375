#include "ui/ribbon.h"

#include <utility>

#include "link/button_functions.h"
#include "link/generator_lists.h"
#include "link/instrument_models.h"
#include "ui/freeze_state.h"

namespace vanto {
namespace {

// The lists start on the generator's first requested values:
// 1 Vpk, 10K ohms, 50 Hz.
constexpr int kInitialVoltageItem = 4;
constexpr int kInitialResistanceItem = 0;
constexpr int kInitialFrequencyItem = 2;

template <typename Choices>
std::vector<std::string> ChoiceTexts(const Choices& choices) {
  std::vector<std::string> texts;
  for (const auto& choice : choices) texts.emplace_back(choice.text);
  return texts;
}

template <typename Texts>
std::vector<std::string> Strings(const Texts& texts) {
  return std::vector<std::string>(texts.begin(), texts.end());
}

// "A= No Function" ... "A= THAW".
std::vector<std::string> ButtonFunctionTexts(char button) {
  std::vector<std::string> texts;
  for (int index = 0; index < kButtonFunctionCount; ++index) {
    texts.push_back(ButtonFunctionText(button, index));
  }
  return texts;
}

// "Off", then "Sig: 1" ... "Sig: 40" (or "Com: ...").
std::vector<std::string> ScannerTexts(bool sig) {
  std::vector<std::string> texts;
  for (int channel = 0; channel <= kScannerChannels; ++channel) {
    texts.push_back(ScannerChoiceText(sig, channel));
  }
  return texts;
}

// "Goto previous Pin/record (key Left or PgUp)".
std::string WithShortcuts(const std::string& text, const std::vector<std::string>& keys) {
  if (keys.empty()) return text;
  return text + " (key " + KeyNames(keys) + ")";
}

// Adds rows from the top; each row is kRowPitch below the previous one.
class RibbonBuilder {
 public:
  // Starts the next present row, numbered as in the full ribbon.
  void Row(int number) {
    if (rowCount_ > 0) y_ += kRowPitch;
    ++rowCount_;
    row_ = number;
  }

  RibbonItem& Add(RibbonElement element, RibbonItemKind kind, PixelRect rect,
                  std::string caption = {}) {
    RibbonItem item;
    item.element = element;
    item.kind = kind;
    item.row = row_;
    item.rect = rect;
    item.caption = std::move(caption);
    items_.push_back(std::move(item));
    return items_.back();
  }

  RibbonItem& Header(RibbonElement element, const char* caption) {
    RibbonItem& item =
        Add(element, RibbonItemKind::Header, {0, y_, kHeaderWidth, kControlHeight}, caption);
    item.centred = true;
    return item;
  }
  RibbonItem& Full(RibbonElement element, RibbonItemKind kind, std::string caption = {}) {
    return Add(element, kind, {kRibbonInset, y_, kFullWidth, kControlHeight}, std::move(caption));
  }
  RibbonItem& Left(RibbonElement element, RibbonItemKind kind, std::string caption = {}) {
    return Add(element, kind, {kRibbonInset, y_, kHalfWidth, kControlHeight}, std::move(caption));
  }
  RibbonItem& Right(RibbonElement element, RibbonItemKind kind, std::string caption = {}) {
    return Add(element, kind, {kRibbonRightColumn, y_, kHalfWidth, kControlHeight},
               std::move(caption));
  }

  int Y() const { return y_; }

  Ribbon Finish() {
    Ribbon ribbon;
    ribbon.items = std::move(items_);
    ribbon.rowCount = rowCount_;
    return ribbon;
  }

 private:
  std::vector<RibbonItem> items_;
  int rowCount_ = 0;
  int row_ = 0;
  int y_ = 0;
};

void SetToolTip(RibbonItem& item, const char* text, std::vector<std::string> keys = {}) {
  item.shortcuts = std::move(keys);
  item.purpose = text;
  item.toolTip = WithShortcuts(text, item.shortcuts);
}

void SetList(RibbonItem& item, std::vector<std::string> entries, int initial) {
  item.items = std::move(entries);
  item.initialItem = initial;
}

void InstrumentRows(RibbonBuilder& b, std::string_view model) {
  b.Row(1);
  b.Header(RibbonElement::InstrumentStatusHeader, "Instrument Status");
  b.Row(2);
  RibbonItem& indicator = b.Add(RibbonElement::ConnectionIndicator, RibbonItemKind::Image,
                                {0, b.Y() - 3, kHalfWidth, kControlHeight});
  indicator.picture = PictureId::ButtonNoConnect;
  if (ModelShowsUsbRail(model)) {
    b.Row(3);
    b.Full(RibbonElement::UsbStatusText, RibbonItemKind::StatusText, "--").centred = true;
  }
}

void GeneratorRows(RibbonBuilder& b, std::string_view model) {
  b.Row(4);
  b.Header(RibbonElement::SignatureGeneratorHeader, "Signature Generator");
  b.Row(5);
  b.Left(RibbonElement::VoltageUp, RibbonItemKind::Button, "V+");
  b.Right(RibbonElement::VoltageDown, RibbonItemKind::Button, "V-");
  b.Row(6);
  b.Left(RibbonElement::ResistanceUp, RibbonItemKind::Button, "Ohm+");
  b.Right(RibbonElement::ResistanceDown, RibbonItemKind::Button, "Ohm-");
  b.Row(7);
  b.Left(RibbonElement::FrequencyUp, RibbonItemKind::Button, "Freq+");
  b.Right(RibbonElement::FrequencyDown, RibbonItemKind::Button, "Freq-");
  b.Row(8);
  SetList(b.Full(RibbonElement::VoltageList, RibbonItemKind::List), ChoiceTexts(kVoltageChoices),
          kInitialVoltageItem);
  b.Row(9);
  SetList(b.Full(RibbonElement::ResistanceList, RibbonItemKind::List),
          ChoiceTexts(ResistanceChoices(model)), kInitialResistanceItem);
  b.Row(10);
  SetList(b.Full(RibbonElement::FrequencyList, RibbonItemKind::List),
          ChoiceTexts(kFrequencyChoices), kInitialFrequencyItem);
  b.Row(11);
  b.Left(RibbonElement::ButtonAIndicator, RibbonItemKind::ImageButton).picture =
      PictureId::ButtonAGrey;
  b.Right(RibbonElement::ButtonBIndicator, RibbonItemKind::ImageButton).picture =
      PictureId::ButtonBGrey;
  b.Row(12);
  SetList(b.Full(RibbonElement::FunctionListA, RibbonItemKind::List), ButtonFunctionTexts('A'),
          kDefaultButtonAFunction);
  b.Row(13);
  SetList(b.Full(RibbonElement::FunctionListB, RibbonItemKind::List), ButtonFunctionTexts('B'),
          kDefaultButtonBFunction);
}

void OptionRows(RibbonBuilder& b, std::string_view model) {
  if (ModelHasDcGenerator(model)) {
    b.Row(14);
    b.Header(RibbonElement::DcGeneratorHeader, "DC Generator");
    b.Row(15);
    SetList(b.Left(RibbonElement::DcModeList, RibbonItemKind::List), Strings(kDcModeTexts), 0);
    SetList(b.Right(RibbonElement::DcLevelList, RibbonItemKind::List), Strings(kDcLevelTexts),
            kDefaultDcLevelIndex);
  }
  if (ModelHasScanner(model)) {
    b.Row(16);
    b.Header(RibbonElement::ScannerHeader, "Scanner");
    b.Row(17);
    SetList(b.Left(RibbonElement::ScanSigList, RibbonItemKind::List), ScannerTexts(true), 0);
    SetList(b.Right(RibbonElement::ScanComList, RibbonItemKind::List), ScannerTexts(false), 0);
  }
}

RibbonItem& Advanced(RibbonItem& item) {
  item.shownIn = RibbonShownIn::AdvancedMode;
  return item;
}
RibbonItem& Compact(RibbonItem& item) {
  item.shownIn = RibbonShownIn::CompactModes;
  return item;
}

void TestRows(RibbonBuilder& b) {
  b.Row(18);
  b.Header(RibbonElement::TestControlsHeader, "Test Controls");

  b.Row(19);
  SetToolTip(Advanced(b.Left(RibbonElement::Previous, RibbonItemKind::Button, "<")),
             "Goto previous Pin/record", {"Left", "PgUp"});
  SetToolTip(Advanced(b.Right(RibbonElement::Next, RibbonItemKind::Button, ">")),
             "Goto next Pin/record", {"Right", "PgDown"});
  // The freeze toggles are two rows high, over "<" ... ">>".
  Compact(b.Add(RibbonElement::FreezeGolden, RibbonItemKind::ToggleButton,
                {kRibbonInset, b.Y(), kHalfWidth, 2 * kControlHeight}, kFreezeGoldenCaption));
  Compact(b.Add(RibbonElement::FreezeDut, RibbonItemKind::ToggleButton,
                {kRibbonRightColumn, b.Y(), kHalfWidth, 2 * kControlHeight}, kFreezeDutCaption));

  b.Row(20);
  SetToolTip(Advanced(b.Left(RibbonElement::PreviousComponent, RibbonItemKind::Button, "<<")),
             "Goto previous Component");
  SetToolTip(Advanced(b.Right(RibbonElement::NextComponent, RibbonItemKind::Button, ">>")),
             "Goto next Component");

  b.Row(21);
  SetToolTip(Advanced(b.Left(RibbonElement::First, RibbonItemKind::Button, "First")),
             "Goto first record", {"Home"});
  SetToolTip(Advanced(b.Right(RibbonElement::Last, RibbonItemKind::Button, "Last")),
             "Goto last record", {"End"});
  Compact(b.Full(RibbonElement::AutoFreeze, RibbonItemKind::ToggleButton, kAutoFreezeCaption));

  b.Row(22);
  RibbonItem& useRecord =
      Advanced(b.Left(RibbonElement::UseRecordSettings, RibbonItemKind::CheckBox, "V/R/Hz"));
  useRecord.initiallyChecked = true;
  SetToolTip(useRecord, "(I) Use V/R/Hz settings from file, (O) Use current V/R/Hz settings");
  SetToolTip(Advanced(b.Right(RibbonElement::ResetTest, RibbonItemKind::Button, "Reset test")),
             "Clear all GOOD/BAD results ready for new test");

  b.Row(23);
  Advanced(b.Add(RibbonElement::GoodRateText, RibbonItemKind::StatusText,
                 {kRibbonInset, b.Y() + 2, kHalfWidth, kControlHeight}, "0.00%"));
  Advanced(b.Add(RibbonElement::BadRateText, RibbonItemKind::StatusText,
                 {kRibbonRightColumn, b.Y() + 2, kHalfWidth, kControlHeight}, "0.00%"));

  b.Row(24);
  RibbonItem& good = Advanced(b.Add(RibbonElement::Good, RibbonItemKind::ImageButton,
                                    {0, b.Y(), kHalfWidth, kControlHeight}));
  good.picture = PictureId::Good;
  SetToolTip(good, "GOOD, or capture the golden signature in capture mode", {"G"});
  // One row high: a second row would lie under the automatic-run button.
  RibbonItem& bad = Advanced(b.Add(RibbonElement::Bad, RibbonItemKind::ImageButton,
                                   {kRibbonRightColumn, b.Y(), kHalfWidth, kControlHeight}));
  bad.picture = PictureId::Bad;
  SetToolTip(bad, "BAD", {"B"});

  b.Row(25);
  Advanced(b.Add(RibbonElement::AutomaticRun, RibbonItemKind::ImageButton,
                 {0, b.Y(), kFullWidth, kControlHeight}))
      .picture = PictureId::AutoCaptureYellow;
}

void EditRows(RibbonBuilder& b) {
  b.Row(26);
  Advanced(b.Header(RibbonElement::EditControlsHeader, "Edit Controls"));
  b.Row(27);
  SetToolTip(Advanced(b.Full(RibbonElement::EditCaptureSignature, RibbonItemKind::CheckBox,
                             "Edit/Capture signature")),
             "(I) Capture/edit mode, (O) Test board mode");
  b.Row(28);
  SetToolTip(
      Advanced(b.Full(RibbonElement::EditAddRecords, RibbonItemKind::Button, "Edit/Add Records")),
      "Opens the 'Edit/Add Records & Images' window");
}

}  // namespace

bool ModelShowsUsbRail(std::string_view model) {
  return model == "ORXA" || model == "ORXAP";
}

bool ModelHasDcGenerator(std::string_view model) {
  const InstrumentModelInfo* info = FindInstrumentModel(model);
  return info != nullptr && info->dcGenerator;
}

bool ModelHasScanner(std::string_view model) {
  const InstrumentModelInfo* info = FindInstrumentModel(model);
  return info != nullptr && info->scanner;
}

std::string KeyNames(const std::vector<std::string>& keys) {
  std::string names;
  for (const std::string& key : keys) {
    if (!names.empty()) names += " or ";
    names += key;
  }
  return names;
}

const RibbonItem* Ribbon::Find(RibbonElement element) const& {
  for (const RibbonItem& item : items) {
    if (item.element == element) return &item;
  }
  return nullptr;
}

Ribbon BuildRibbon(std::string_view model) {
  RibbonBuilder builder;
  InstrumentRows(builder, model);
  GeneratorRows(builder, model);
  OptionRows(builder, model);
  TestRows(builder);
  EditRows(builder);
  return builder.Finish();
}

std::optional<RibbonControl> ControlOfElement(RibbonElement element) {
  using E = RibbonElement;
  using C = RibbonControl;
  switch (element) {
    case E::ConnectionIndicator: return C::ConnectionIndicator;
    case E::VoltageUp: return C::VoltageUp;
    case E::VoltageDown: return C::VoltageDown;
    case E::ResistanceUp: return C::ResistanceUp;
    case E::ResistanceDown: return C::ResistanceDown;
    case E::FrequencyUp: return C::FrequencyUp;
    case E::FrequencyDown: return C::FrequencyDown;
    case E::VoltageList: return C::VoltageList;
    case E::ResistanceList: return C::ResistanceList;
    case E::FrequencyList: return C::FrequencyList;
    case E::ButtonAIndicator: return C::ButtonAIndicator;
    case E::ButtonBIndicator: return C::ButtonBIndicator;
    case E::FunctionListA: return C::FunctionListA;
    case E::FunctionListB: return C::FunctionListB;
    case E::DcModeList: return C::DcModeList;
    case E::DcLevelList: return C::DcLevelList;
    case E::ScanSigList: return C::ScanSigList;
    case E::ScanComList: return C::ScanComList;
    case E::Previous: return C::Previous;
    case E::Next: return C::Next;
    case E::FreezeGolden: return C::FreezeGolden;
    case E::FreezeDut: return C::FreezeDut;
    case E::PreviousComponent: return C::PreviousComponent;
    case E::NextComponent: return C::NextComponent;
    case E::First: return C::First;
    case E::Last: return C::Last;
    case E::AutoFreeze: return C::AutoFreeze;
    case E::UseRecordSettings: return C::UseRecordSettings;
    case E::ResetTest: return C::ResetTest;
    case E::Good: return C::Good;
    case E::Bad: return C::Bad;
    case E::AutomaticRun: return C::AutomaticRun;
    case E::EditCaptureSignature: return C::EditCaptureSignature;
    case E::EditAddRecords: return C::EditAddRecords;
    case E::InstrumentStatusHeader:
    case E::UsbStatusText:
    case E::SignatureGeneratorHeader:
    case E::DcGeneratorHeader:
    case E::ScannerHeader:
    case E::TestControlsHeader:
    case E::GoodRateText:
    case E::BadRateText:
    case E::EditControlsHeader: return std::nullopt;
  }
  return std::nullopt;
}

bool InNavigationGroup(RibbonElement element) {
  using E = RibbonElement;
  return element == E::Previous || element == E::Next || element == E::PreviousComponent ||
         element == E::NextComponent || element == E::First || element == E::Last;
}

bool InResultGroup(RibbonElement element) {
  using E = RibbonElement;
  return element == E::ResetTest || element == E::GoodRateText || element == E::BadRateText;
}

PixelRect ItemWindowRect(const RibbonItem& item, const PixelRect& container) {
  return {container.x + item.rect.x, container.y + item.rect.y, item.rect.width, item.rect.height};
}

}  // namespace vanto
