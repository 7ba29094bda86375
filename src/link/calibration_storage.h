// The instrument's calibration record: a key=value text kept in words
// 128..1023 of the USB bridge's EEPROM (two bytes per word, the first in
// the low half), copied to "ORX_cal.txt" at every connection start, and the
// DAC and ADC scaling derived from it. Main thread; all three operations do
// nothing while the link is Closed.
#pragma once

#include <cstdint>
#include <string>

#include "link/generator_settings.h"
#include "link/link_state.h"
#include "link/live_signature.h"

namespace vanto {

inline constexpr const char* kCalibrationFileName = "ORX_cal.txt";
inline constexpr int kCalibrationFirstWord = 128;
inline constexpr int kCalibrationLastWord = 1023;
inline constexpr int kCalibrationBytes = 2 * (kCalibrationLastWord - kCalibrationFirstWord + 1);

// Shown when the file to store cannot be read; the calibration area is
// then left as it was.
inline constexpr const char* kCalibrationFileUnreadable =
    "Error #0067 Calibration file cannot be read - the instrument's calibration was not changed.";

// Shown once at a connection start whose calibration record is missing or
// damaged (an erased EEPROM, a key missing, a value that is not a number).
inline constexpr const char* kCalibrationRecordDamaged =
    "Warning #0073 The instrument's calibration record is missing or damaged - readings and "
    "output levels are not calibrated.";
// Shown when the EEPROM refuses a write; the record there is incomplete.
inline constexpr const char* kCalibrationNotWritten =
    "Error #0074 Calibration could not be written to the instrument.";

// The keys LoadCalibration reads, as integers (a missing key reads as 0).
struct CalibrationValues {
  std::int32_t dac10 = 0;   // DAC@10V
  std::int32_t dac1 = 0;    // DAC@1V
  std::int32_t dac0 = 0;    // DAC@0V
  std::int32_t dacM1 = 0;   // DAC@-1V
  std::int32_t dacM10 = 0;  // DAC@-10V
  std::int32_t adc0P = 0;   // ADC0@10V
  std::int32_t adc00 = 0;   // ADC0@0V (read, not used)
  std::int32_t adc0M = 0;   // ADC0@-10V
  std::int32_t adc1P = 0;   // ADC1@10V
  std::int32_t adc10 = 0;   // ADC1@0V (read, not used)
  std::int32_t adc1M = 0;   // ADC1@-10V
  std::int32_t biasP = 0;   // DCBIAS@10V
  std::int32_t biasM = 0;   // DCBIAS@-10V
};

CalibrationValues ReadCalibrationValues(const std::string& fileName);

// Sine amplitude and offset codes for 0..10000 mV, the ADC gains and offsets
// (kept when an ADC's two readings are equal) and the DC-bias scaling.
void DeriveCalibration(const CalibrationValues& values, GeneratorSettings& generator,
                       AdcCalibration& adc);

// Words 128..1023 into the file, dropping zero bytes.
void DumpEepromToFile(InstrumentLink& link, const std::string& fileName);

// The file's first 1792 bytes into words 128..1023, padded with zeros. A
// file that cannot be read writes nothing and shows kCalibrationFileUnreadable;
// a write the EEPROM refuses ends the pass with kCalibrationNotWritten.
// True when every word was written.
bool WriteFileToEeprom(InstrumentLink& link, const std::string& fileName);

// Whether the record in the named file has every DAC and ADC key as a
// number, DC-bias keys (when present) as numbers, and no span of zero.
bool CalibrationRecordSound(const std::string& fileName);

// Copies the instrument's record to "ORX_cal.txt" and derives the tables;
// a record that is not sound is used as it is and shows
// kCalibrationRecordDamaged.
void LoadCalibration(InstrumentLink& link);

}  // namespace vanto
