// The ribbon controls that raise events, as the window layer reports them
// to the test run. Headers and status texts raise none and are not listed.
#pragma once

namespace vanto {

enum class RibbonControl {
  ConnectionIndicator,  // its clicks go through the hit test, not through here
  VoltageUp,            // "V+"
  VoltageDown,          // "V-"
  ResistanceUp,         // "Ohm+"
  ResistanceDown,       // "Ohm-"
  FrequencyUp,          // "Freq+"
  FrequencyDown,        // "Freq-"
  VoltageList,
  ResistanceList,
  FrequencyList,
  ButtonAIndicator,
  ButtonBIndicator,
  FunctionListA,
  FunctionListB,
  DcModeList,
  DcLevelList,
  ScanSigList,
  ScanComList,
  Previous,              // "<"
  Next,                  // ">"
  FreezeGolden,          // "Freeze Golden" toggle
  FreezeDut,             // " Freeze   DUT " toggle
  PreviousComponent,     // "<<"
  NextComponent,         // ">>"
  First,                 // "First"
  Last,                  // "Last"
  AutoFreeze,            // "Auto Freeze" toggle
  UseRecordSettings,     // "V/R/Hz" check box
  ResetTest,             // "Reset test"
  Good,                  // Good picture button (Good or capture)
  Bad,                   // Bad picture button
  AutomaticRun,          // auto test / auto capture picture button
  EditCaptureSignature,  // "Edit/Capture signature" check box
  EditAddRecords,        // "Edit/Add Records"
  TestTree,
  BadTree,
};

}  // namespace vanto
