#include "eeprom_store.h"

#include <cstdio>
#include <fstream>

#include "sim_text.h"

namespace vanto::sim {
namespace {

void PutBytes(std::array<std::uint16_t, EepromStore::kWords>& words, std::string_view bytes) {
  for (int w = EepromStore::kCalibrationFirstWord; w < EepromStore::kWords; ++w) {
    std::size_t at = static_cast<std::size_t>(w - EepromStore::kCalibrationFirstWord) * 2;
    unsigned low = at < bytes.size() ? static_cast<unsigned char>(bytes[at]) : 0u;
    unsigned high = at + 1 < bytes.size() ? static_cast<unsigned char>(bytes[at + 1]) : 0u;
    words[static_cast<std::size_t>(w)] = static_cast<std::uint16_t>(high << 8 | low);
  }
}

std::string AreaBytes(const std::array<std::uint16_t, EepromStore::kWords>& words) {
  std::string bytes;
  bytes.reserve(EepromStore::kCalibrationBytes);
  for (int w = EepromStore::kCalibrationFirstWord; w < EepromStore::kWords; ++w) {
    std::uint16_t word = words[static_cast<std::size_t>(w)];
    bytes += static_cast<char>(word & 0xFF);
    bytes += static_cast<char>(word >> 8);
  }
  return bytes;
}

}  // namespace

std::string EepromStore::Load(const std::array<std::uint16_t, 128>& descriptor,
                              const std::string& file, std::string_view factoryText) {
  words_.fill(0);
  for (std::size_t i = 0; i < descriptor.size(); ++i) words_[i] = descriptor[i];
  file_ = file;
  if (file_.empty()) {
    PutBytes(words_, factoryText);
    return {};
  }
  if (std::optional<std::string> stored = ReadTextFile(file_)) {
    PutBytes(words_, *stored);
    return {};
  }
  PutBytes(words_, factoryText);
  std::ofstream out(file_, std::ios::binary | std::ios::trunc);
  out << AreaBytes(words_);
  if (!out) return "cannot create the EEPROM file " + file_ + "; calibration kept in memory only";
  return {};
}

bool EepromStore::Write(int address, std::uint16_t value) {
  words_[static_cast<std::size_t>(address)] = value;
  if (address < kCalibrationFirstWord || file_.empty()) return true;
  // Rewrite the two bytes in place; recreate the file if it went away.
  std::FILE* f = std::fopen(file_.c_str(), "r+b");
  if (f == nullptr) {
    std::ofstream out(file_, std::ios::binary | std::ios::trunc);
    out << AreaBytes(words_);
    return static_cast<bool>(out);
  }
  unsigned char bytes[2] = {static_cast<unsigned char>(value & 0xFF),
                            static_cast<unsigned char>(value >> 8)};
  long offset = static_cast<long>(address - kCalibrationFirstWord) * 2;
  bool ok = std::fseek(f, offset, SEEK_SET) == 0 && std::fwrite(bytes, 1, 2, f) == 2;
  ok = std::fclose(f) == 0 && ok;
  return ok;
}

}  // namespace vanto::sim
