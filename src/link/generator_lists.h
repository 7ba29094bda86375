// The generator values the ribbon offers, with their texts: peak voltages,
// source resistances, frequencies, DC generator modes and levels, scanner
// channels. The same for every model except the resistances.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vanto {

struct ValueChoice {
  const char* text;
  int value;  // mV, ohms or Hz
};

inline constexpr std::array<ValueChoice, 10> kVoltageChoices = {{
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

inline constexpr std::array<ValueChoice, 8> kResistanceChoices = {{
    {"Resistance: 10K ohms", 10000},
    {"Resistance: 5K ohms", 5000},
    {"Resistance: 2K ohms", 2000},
    {"Resistance: 1K ohms", 1000},
    {"Resistance: 500 ohms", 500},
    {"Resistance: 200 ohms", 200},
    {"Resistance: 100 ohms", 100},
    {"Resistance: 50 ohms", 50},
}};

inline constexpr std::array<ValueChoice, 7> kFrequencyChoices = {{
    {"Frequency: 10Hz", 10},
    {"Frequency: 20Hz", 20},
    {"Frequency: 50Hz", 50},
    {"Frequency: 100Hz", 100},
    {"Frequency: 200Hz", 200},
    {"Frequency: 500Hz", 500},
    {"Frequency: 1KHz", 1000},
}};

// List index = the mode value sent in register 22.
inline constexpr std::array<const char*, 6> kDcModeTexts = {"Off (HiZ)", "Off (0V)", "DC",
                                                            "Sqr-Hard",  "Sqr-Soft", "Pulse"};

// DC generator levels from +10 V down to -10 V; each text is read as a
// number of volts.
inline constexpr auto kDcLevelTexts = std::to_array<const char*>(
    {"+10.00V", " +9.00V", " +8.00V", " +7.00V", " +6.00V", " +5.00V", " +4.00V", " +3.3V",
     " +3.0V",  " +2.75V", " +2.50V", " +2.25V", " +2.00V", " +1.75V", " +1.50V", " +1.25V",
     " +1.00V", " +0.75V", " +0.50V", " +0.25V", " 0V",     " -0.25V", " -0.50V", " -0.75V",
     " -1.00V", " -1.25V", " -1.50V", " -1.75V", " -2.00V", " -2.25V", " -2.50V", " -2.75V",
     " -3.00V", " -4.00V", " -5.00V", " -6.00V", " -7.00V", " -8.00V", " -9.00V", " -10.00V"});
static_assert(kDcLevelTexts.size() == 40);
inline constexpr int kDefaultDcLevelIndex = 20;  // " 0V"

inline constexpr int kScannerChannels = 40;

// The resistance list of a model (ORXA and ORXAP: 10K, 1K, 100 only);
// empty for an unknown model.
std::vector<ValueChoice> ResistanceChoices(std::string_view model);

// The volts a DC level text stands for (" -2.75V" gives -2.75).
float DcLevelVolts(std::string_view text);

// "Off" for channel 0, else "Sig: 12" or "Com: 12".
std::string ScannerChoiceText(bool sig, int channel);

}  // namespace vanto
