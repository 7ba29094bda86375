// The control ribbon on the left of the main window, as data: every row
// for a model, each control with its place, caption, tool tip, list items,
// first picture and the modes it shows in. The window creates one widget
// per item and reports events by the item's RibbonControl. Keyboard
// shortcuts for the controls a pedal or the keyboard should reach are part
// of the data and shown in their tool tips.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/resources.h"
#include "ui/pixel_rect.h"
#include "ui/ribbon_control.h"

namespace vanto {

// Layout constants, in pixels.
inline constexpr int kWindowBorder = 2;
inline constexpr int kRibbonWidth = 144;
inline constexpr int kRibbonInset = 2;         // left edge of full- and left half-width controls
inline constexpr int kRibbonRightColumn = 73;  // left edge of right half-width controls
inline constexpr int kControlHeight = 23;
inline constexpr int kRowPitch = 26;  // 21 + 5
inline constexpr int kFullWidth = 140;
inline constexpr int kHalfWidth = 70;
inline constexpr int kHeaderWidth = 144;
// The display area starts right of the ribbon: border + ribbon + border.
inline constexpr int kDisplayLeft = kWindowBorder + kRibbonWidth + kWindowBorder;

// Every element of the ribbon, headers and texts included.
enum class RibbonElement {
  InstrumentStatusHeader,
  ConnectionIndicator,
  UsbStatusText,
  SignatureGeneratorHeader,
  VoltageUp,
  VoltageDown,
  ResistanceUp,
  ResistanceDown,
  FrequencyUp,
  FrequencyDown,
  VoltageList,
  ResistanceList,
  FrequencyList,
  ButtonAIndicator,
  ButtonBIndicator,
  FunctionListA,
  FunctionListB,
  DcGeneratorHeader,
  DcModeList,
  DcLevelList,
  ScannerHeader,
  ScanSigList,
  ScanComList,
  TestControlsHeader,
  Previous,
  Next,
  FreezeGolden,
  FreezeDut,
  PreviousComponent,
  NextComponent,
  First,
  Last,
  AutoFreeze,
  UseRecordSettings,
  ResetTest,
  GoodRateText,
  BadRateText,
  Good,
  Bad,
  AutomaticRun,
  EditControlsHeader,
  EditCaptureSignature,
  EditAddRecords,
};

enum class RibbonItemKind {
  Header,      // centred text in the header colours, Arial 11
  StatusText,  // text in the panel colours, Arial Italic 10
  Button,
  ToggleButton,
  CheckBox,
  List,         // drop-down list
  Image,        // picture only; its clicks reach the hit test
  ImageButton,  // picture button
};

// Which application modes show the item; the interface refresh swaps the
// test controls of the Advanced mode for the freeze toggles of the compact
// modes, which sit in the same places.
enum class RibbonShownIn { AllModes, AdvancedMode, CompactModes };

struct RibbonItem {
  RibbonElement element = RibbonElement::InstrumentStatusHeader;
  RibbonItemKind kind = RibbonItemKind::Header;
  int row = 0;     // row number of the full ribbon, 1..28; absent rows keep theirs
  PixelRect rect;  // in ribbon coordinates
  std::string caption;
  std::string toolTip;                 // the shortcuts included
  std::string purpose;                 // the tool tip without its shortcuts
  std::vector<std::string> shortcuts;  // key names: "G", "Left", "PgUp", "Home", ...
  std::vector<std::string> items;      // lists only
  int initialItem = 0;
  bool initiallyChecked = false;
  std::optional<PictureId> picture;  // image controls: the first picture
  bool centred = false;
  RibbonShownIn shownIn = RibbonShownIn::AllModes;
};

struct Ribbon {
  std::vector<RibbonItem> items;  // in row order, left before right
  int rowCount = 0;               // rows present for the model

  // The item, or nullptr when the model has no such row. The pointer lives
  // as long as the ribbon, so asking a temporary ribbon does not compile.
  const RibbonItem* Find(RibbonElement element) const&;
  const RibbonItem* Find(RibbonElement element) const&& = delete;
};

// ORXA and ORXAP show the USB rail (or a USB error) under the indicator.
bool ModelShowsUsbRail(std::string_view model);
// ORXB, ORXC and ORXCB: DC generator with its DC-bias DAC.
bool ModelHasDcGenerator(std::string_view model);
// ORXC and ORXCB: the 40-channel scanner.
bool ModelHasScanner(std::string_view model);

// The ribbon of a model: the USB rail row only for ORXA and ORXAP, the DC
// generator rows only for ORXB, ORXC and ORXCB, the scanner rows only for
// ORXC and ORXCB; the rows after a missing one move up without a gap.
Ribbon BuildRibbon(std::string_view model);

// A control's keys as its tool tip and the key list name them:
// "Left or PgUp".
std::string KeyNames(const std::vector<std::string>& keys);

// The event identity of an element; headers and texts raise none.
std::optional<RibbonControl> ControlOfElement(RibbonElement element);

// The navigation buttons (group 1) and "Reset test" with the pass-rate
// texts (group 2), which the run mode enables and disables together.
bool InNavigationGroup(RibbonElement element);
bool InResultGroup(RibbonElement element);

// An item's rectangle in window coordinates, given the ribbon container's
// rectangle (Relayout places the container).
PixelRect ItemWindowRect(const RibbonItem& item, const PixelRect& container);

}  // namespace vanto
