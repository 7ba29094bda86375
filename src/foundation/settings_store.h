// "ORX_settings.txt" and its primitives; ReadSetting also serves the
// calibration record "ORX_cal.txt", which has the same key=value form.
//
// A key matches a line when key + "=" occurs anywhere in it, letter case
// ignored; the value is the line with that first occurrence removed. The
// last matching line wins on reading; a write replaces every matching line.
// Main thread only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/messages.h"

namespace vanto {

inline constexpr const char* kSettingsFileName = "ORX_settings.txt";
inline constexpr const char* kSettingsTemporaryName = "tmp.txt";

// The value of `key` in the named file, or empty text when the file cannot
// be opened or holds no line with the key.
std::string ReadSetting(std::string_view fileName, std::string_view key);

class SettingsStore {
 public:
  explicit SettingsStore(Messages& messages) : messages_(messages) {}

  // Read from "ORX_settings.txt"; a missing or empty value appends
  // key=default to the file (creating it) and returns the default.
  std::int32_t ReadIntSetting(std::int32_t defaultValue, std::string_view key);
  std::string ReadTextSetting(std::string_view defaultValue, std::string_view key);

  // Replaces the key's lines in the file. A missing file or a missing key
  // stays missing. The new content goes to "tmp.txt" first and is renamed
  // over the file, so a failure leaves the old settings whole.
  void WriteSetting(std::string_view fileName, std::string_view key, std::string_view value);
  void WriteSetting(std::string_view key, std::string_view value) {
    WriteSetting(kSettingsFileName, key, value);
  }
  void WriteSetting(std::string_view key, std::int32_t value) {
    WriteSetting(kSettingsFileName, key, std::to_string(value));
  }

 private:
  void AppendLine(std::string_view key, std::string_view value);

  Messages& messages_;
};

}  // namespace vanto
