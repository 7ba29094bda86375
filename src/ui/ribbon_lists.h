// The entries of the ribbon's drop-down lists and the model differences
// that decide which ribbon rows exist. The list position is what the
// interface refresh selects and what a selection event reports.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vanto {

// A list entry and the generator value it stands for.
struct ValueItem {
  const char* text;
  int value;  // mV, ohms or Hz
};

inline constexpr std::array<ValueItem, 10> kVoltageItems = {{
    {"Voltage: 0.2Vpk", 200},
    {"Voltage: 0.4Vpk", 400},
    {"Voltage: 0.6Vpk", 600},
    {"Voltage: 0.8Vpk", 800},
    {"Voltage: 1Vpk", 1000},
    {"Voltage: 2Vpk", 2000},
    {"Voltage: 3Vpk", 3000},
    {"Voltage: 4Vpk", 4000},
    {"Voltage: 5Vpk", 5000},
    {"Voltage: 10Vpk", 10000},
}};

// ORXB, ORXC and ORXCB offer all eight; ORXA and ORXAP the 10K, 1K and 100.
inline constexpr std::array<ValueItem, 8> kFullResistanceItems = {{
    {"Resistance: 10K ohms", 10000},
    {"Resistance: 5K ohms", 5000},
    {"Resistance: 2K ohms", 2000},
    {"Resistance: 1K ohms", 1000},
    {"Resistance: 500 ohms", 500},
    {"Resistance: 200 ohms", 200},
    {"Resistance: 100 ohms", 100},
    {"Resistance: 50 ohms", 50},
}};
inline constexpr std::array<ValueItem, 3> kShortResistanceItems = {{
    {"Resistance: 10K ohms", 10000},
    {"Resistance: 1K ohms", 1000},
    {"Resistance: 100 ohms", 100},
}};

inline constexpr std::array<ValueItem, 7> kFrequencyItems = {{
    {"Frequency: 10Hz", 10},
    {"Frequency: 20Hz", 20},
    {"Frequency: 50Hz", 50},
    {"Frequency: 100Hz", 100},
    {"Frequency: 200Hz", 200},
    {"Frequency: 500Hz", 500},
    {"Frequency: 1KHz", 1000},
}};

// The instrument-button functions without their "A= " or "B= " prefix.
inline constexpr std::array<const char*, 16> kButtonFunctionNames = {
    "No Function",     "Cycle Resistance", "Resistance+",  "Resistance-",
    "Cycle Frequency", "Frequency+",       "Frequency-",   "Cycle Voltage",
    "Voltage+",        "Voltage-",         "GOOD/CAPTURE", "BAD",
    "+1 test",         "-1 test",          "FREEZE",       "THAW",
};

// The position is the mode value sent to the instrument.
inline constexpr std::array<const char*, 6> kDcModeItems = {
    "Off (HiZ)", "Off (0V)", "DC", "Sqr-Hard", "Sqr-Soft", "Pulse",
};

// Each reads as its number of volts. There is a +3.3 V level but no
// -3.3 V one, so the list has 40 entries; " 0V" is the default.
inline constexpr std::array<const char*, 40> kDcLevelItems = {
    "+10.00V", " +9.00V", " +8.00V", " +7.00V", " +6.00V", " +5.00V", " +4.00V", " +3.3V",
    " +3.0V",  " +2.75V", " +2.50V", " +2.25V", " +2.00V", " +1.75V", " +1.50V", " +1.25V",
    " +1.00V", " +0.75V", " +0.50V", " +0.25V", " 0V",     " -0.25V", " -0.50V", " -0.75V",
    " -1.00V", " -1.25V", " -1.50V", " -1.75V", " -2.00V", " -2.25V", " -2.50V", " -2.75V",
    " -3.00V", " -4.00V", " -5.00V", " -6.00V", " -7.00V", " -8.00V", " -9.00V", " -10.00V",
};
inline constexpr int kDefaultDcLevelItem = 20;

inline constexpr int kScannerChannels = 40;

// The texts of the voltage, resistance and frequency lists.
std::vector<std::string> VoltageListItems();
std::vector<std::string> ResistanceListItems(std::string_view model);
std::vector<std::string> FrequencyListItems();
// "A= No Function" ... "A= THAW" for prefix "A= ".
std::vector<std::string> ButtonFunctionListItems(std::string_view prefix);
std::vector<std::string> DcModeListItems();
std::vector<std::string> DcLevelListItems();
// "Off", then "Sig: 1" ... "Sig: 40" for prefix "Sig: ".
std::vector<std::string> ScannerListItems(std::string_view prefix);

// The resistance entries of the model, in list order.
std::vector<ValueItem> ResistanceItems(std::string_view model);

// ORXA and ORXAP show the USB rail (or a USB error) under the indicator.
bool ModelShowsUsbRail(std::string_view model);
// ORXB, ORXC and ORXCB: DC generator with its DC-bias DAC.
bool ModelHasDcGenerator(std::string_view model);
// ORXC and ORXCB: the 40-channel scanner.
bool ModelHasScanner(std::string_view model);

}  // namespace vanto
