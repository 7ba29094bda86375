// The USB bridge's EEPROM: 1024 words. Words 0-127 are the descriptor of the
// configured model; words 128-1023, the calibration area, live in a file so
// that they survive program runs. The file holds the area byte for byte as
// the words store it (low byte first): the calibration text, then zeros.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vanto::sim {

class EepromStore {
 public:
  static constexpr int kWords = 1024;
  static constexpr int kCalibrationFirstWord = 128;
  static constexpr std::size_t kCalibrationBytes = 2 * (kWords - kCalibrationFirstWord);

  // Takes the descriptor, then the calibration area from file; a missing file
  // is created holding factoryText. An empty file name keeps the area in
  // memory only. Returns a warning text, or an empty one.
  std::string Load(const std::array<std::uint16_t, 128>& descriptor, const std::string& file,
                   std::string_view factoryText);

  std::uint16_t Read(int address) const { return words_[static_cast<std::size_t>(address)]; }

  // Stores the word; in the calibration area also into the file at once, as
  // a real EEPROM keeps it. Returns false when the file could not be written.
  bool Write(int address, std::uint16_t value);

 private:
  std::array<std::uint16_t, kWords> words_{};
  std::string file_;
};

}  // namespace vanto::sim
