// Calibration record in the EEPROM and in "ORX_cal.txt".
#include "link/calibration_storage.h"

#include <cstdio>
#include <limits>
#include <string_view>
#include <mutex>

#include "foundation/file_paths.h"
#include "foundation/number_text.h"
#include "foundation/settings_store.h"
#include "link/connection.h"
#include "link/rounding.h"

namespace vanto {

namespace {

std::int32_t Key(const std::string& fileName, const char* key) {
  return ParseInt(ReadSetting(fileName, key));
}

// Index of a peak voltage in the code tables.
std::size_t CodeIndex(int mv) {
  for (std::size_t i = 0; i < kPeakCodeKeysMv.size(); ++i) {
    if (kPeakCodeKeysMv[i] == mv) return i;
  }
  return 0;
}

// A code as the generator registers take it: a value beyond their range
// (from a damaged record) is held at the range's end, never wrapped.
std::int32_t ClampToCode(double value) {
  constexpr double kLow = static_cast<double>(std::numeric_limits<std::int32_t>::min());
  constexpr double kHigh = static_cast<double>(std::numeric_limits<std::int32_t>::max());
  if (!(value >= kLow)) return std::numeric_limits<std::int32_t>::min();  // NaN too
  if (value > kHigh) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

void DeriveAdc(std::int32_t plus10, std::int32_t minus10, float& gain, float& offset) {
  // In 64 bits: two far-apart 32-bit readings would overflow the span.
  const std::int64_t span = static_cast<std::int64_t>(plus10) - minus10;
  if (span == 0) return;
  gain = 20.0f / static_cast<float>(span);
  if (gain == 0.0f) return;
  const float atMinus10 = -10.0f / gain;
  offset = atMinus10 - static_cast<float>(minus10);
}

// The first bytes of the file, as many as the calibration area holds.
// False when it cannot be opened or read (a folder, for one).
bool ReadCalibrationBytes(const std::string& fileName, std::string& content) {
  std::FILE* file = std::fopen(NativePath(fileName).c_str(), "rb");
  if (file == nullptr) return false;
  content.assign(static_cast<std::size_t>(kCalibrationBytes), '\0');
  const std::size_t got = std::fread(content.data(), 1, content.size(), file);
  const bool ok = std::ferror(file) == 0;
  std::fclose(file);
  content.resize(got);
  return ok;
}

}  // namespace

namespace {

// A value as the calibration procedure writes it: a signed decimal integer
// of at most nine digits (no code or reading comes near that), nothing after it.
bool IsCalibrationNumber(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  const std::size_t digits = text.size() - i;
  if (digits == 0 || digits > 9) return false;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  return true;
}

}  // namespace

bool CalibrationRecordSound(const std::string& fileName) {
  // The DC-bias keys belong only to the models with a DC generator; when
  // present they must be numbers as well.
  static constexpr const char* kRequired[] = {"DAC@10V",  "DAC@1V",    "DAC@0V",
                                              "DAC@-1V",  "DAC@-10V",  "ADC0@10V",
                                              "ADC0@-10V", "ADC1@10V", "ADC1@-10V"};
  static constexpr const char* kOptional[] = {"DCBIAS@10V", "DCBIAS@-10V"};
  for (const char* key : kRequired) {
    if (!IsCalibrationNumber(ReadSetting(fileName, key))) return false;
  }
  for (const char* key : kOptional) {
    const std::string value = ReadSetting(fileName, key);
    if (!value.empty() && !IsCalibrationNumber(value)) return false;
  }
  const CalibrationValues v = ReadCalibrationValues(fileName);
  // Equal ends give no scale: an output stuck at one level, a reading of none.
  return v.dac10 != v.dacM10 && v.dac1 != v.dacM1 && v.adc0P != v.adc0M && v.adc1P != v.adc1M;
}

CalibrationValues ReadCalibrationValues(const std::string& fileName) {
  CalibrationValues v;
  v.dac10 = Key(fileName, "DAC@10V");
  v.dac1 = Key(fileName, "DAC@1V");
  v.dac0 = Key(fileName, "DAC@0V");
  v.dacM1 = Key(fileName, "DAC@-1V");
  v.dacM10 = Key(fileName, "DAC@-10V");
  v.adc0P = Key(fileName, "ADC0@10V");
  v.adc00 = Key(fileName, "ADC0@0V");
  v.adc0M = Key(fileName, "ADC0@-10V");
  v.adc1P = Key(fileName, "ADC1@10V");
  v.adc10 = Key(fileName, "ADC1@0V");
  v.adc1M = Key(fileName, "ADC1@-10V");
  v.biasP = Key(fileName, "DCBIAS@10V");
  v.biasM = Key(fileName, "DCBIAS@-10V");
  return v;
}

void DeriveCalibration(const CalibrationValues& values, GeneratorSettings& generator,
                       AdcCalibration& adc) {
  // The low range (to 1000 mV) scales the code span between +1 V and -1 V,
  // the high range the span between +10 V and -10 V.
  struct Scale {
    int mv;
    double fraction;
    bool highRange;
  };
  static constexpr Scale kScales[] = {
      {200, 0.2, false},  {400, 0.4, false},  {600, 0.6, false}, {800, 0.8, false},
      {1000, 1.0, false}, {2000, 0.2, true},  {3000, 0.3, true}, {4000, 0.4, true},
      {5000, 0.5, true},  {10000, 1.0, true},
  };
  const double lowSpan = static_cast<double>(values.dac1) - values.dacM1;
  const double highSpan = static_cast<double>(values.dac10) - values.dacM10;
  generator.amplitudeCode[CodeIndex(0)] = 0;
  for (const Scale& scale : kScales) {
    const double span = scale.highRange ? highSpan : lowSpan;
    generator.amplitudeCode[CodeIndex(scale.mv)] = ClampToCode(RoundHalfEven(span * scale.fraction));
  }
  // 15000 and 20000 mV keep their fixed entries.
  for (std::size_t i = 0; i < kPeakCodeKeysMv.size(); ++i) {
    if (kPeakCodeKeysMv[i] <= 10000) generator.offsetCode[i] = values.dac0;
  }

  DeriveAdc(values.adc0P, values.adc0M, adc.gain0, adc.offset0);
  DeriveAdc(values.adc1P, values.adc1M, adc.gain1, adc.offset1);

  const float biasSpan =
      static_cast<float>(static_cast<std::int64_t>(values.biasP) - values.biasM);
  generator.dcGain = biasSpan / 20.0f;
  const float halfSpan = biasSpan / 2.0f;
  generator.dcZero = halfSpan + static_cast<float>(values.biasM);
}

void DumpEepromToFile(InstrumentLink& link, const std::string& fileName) {
  UsbLink& usb = link.state.usb;
  if (usb.connected.load() != 1) return;
  // A file that cannot be created is not reported; the bytes go nowhere.
  std::FILE* file = std::fopen(NativePath(fileName).c_str(), "wb");
  {
    AcquisitionPause pause(link.state.acquisition);
    std::lock_guard<std::mutex> guard(usb.readLock);
    if (usb.connected.load() == 1) {
      WORD cell = 0;
      for (int address = kCalibrationFirstWord; address <= kCalibrationLastWord; ++address) {
        usb.library->FT_ReadEE(usb.handle, static_cast<DWORD>(address), &cell);
        const int low = cell & 0xFF;
        const int high = (cell >> 8) & 0xFF;
        if (file == nullptr) continue;
        if (low != 0) std::fputc(low, file);
        if (high != 0) std::fputc(high, file);
      }
    }
  }
  if (file != nullptr) std::fclose(file);
}

bool WriteFileToEeprom(InstrumentLink& link, const std::string& fileName) {
  UsbLink& usb = link.state.usb;
  if (usb.connected.load() != 1) return false;
  // The file is read first: one that cannot be read must not erase the
  // calibration the instrument has.
  std::string content;
  if (!ReadCalibrationBytes(fileName, content)) {
    ShowLinkMessage(link, kCalibrationFileUnreadable);
    return false;
  }
  AcquisitionPause pause(link.state.acquisition);
  std::lock_guard<std::mutex> guard(usb.readLock);
  if (usb.connected.load() != 1) return false;
  bool written = true;
  std::size_t next = 0;
  auto nextByte = [&]() -> unsigned {
    if (next >= content.size()) return 0;
    return static_cast<unsigned char>(content[next++]);
  };
  for (int address = kCalibrationFirstWord; address <= kCalibrationLastWord; ++address) {
    const unsigned low = nextByte();
    const unsigned high = nextByte();
    if (usb.library->FT_WriteEE(usb.handle, static_cast<DWORD>(address),
                                static_cast<WORD>(high * 256 + low)) != FT_OK) {
      written = false;
      break;  // the record is incomplete now; the user is told and may try again
    }
  }
  if (!written) ShowLinkMessage(link, kCalibrationNotWritten);
  return written;
}

void LoadCalibration(InstrumentLink& link) {
  if (link.state.usb.connected.load() != 1) return;
  DumpEepromToFile(link, kCalibrationFileName);
  const CalibrationValues values = ReadCalibrationValues(kCalibrationFileName);
  DeriveCalibration(values, link.state.generator, link.state.adc);
  if (!CalibrationRecordSound(kCalibrationFileName)) {
    ShowLinkMessage(link, kCalibrationRecordDamaged);
  }
}

}  // namespace vanto
