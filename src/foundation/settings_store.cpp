#include "foundation/settings_store.h"

#include <cstdio>

#include "foundation/file_paths.h"
#include "foundation/message_texts.h"
#include "foundation/number_text.h"
#include "foundation/text_lines.h"

namespace vanto {

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Position of the first case-insensitive occurrence of `pattern`, or npos.
std::size_t FindNoCase(std::string_view line, std::string_view pattern) {
  if (pattern.empty() || pattern.size() > line.size()) return std::string_view::npos;
  for (std::size_t at = 0; at + pattern.size() <= line.size(); ++at) {
    std::size_t i = 0;
    while (i < pattern.size() && Lower(line[at + i]) == Lower(pattern[i])) ++i;
    if (i == pattern.size()) return at;
  }
  return std::string_view::npos;
}

std::string Pattern(std::string_view key) {
  std::string pattern(key);
  pattern.push_back('=');
  return pattern;
}

// A value goes on one line: a line end inside it (a file name from a
// requester may carry one) would split it into a stray line of its own.
std::string OnOneLine(std::string_view value) {
  std::string line;
  line.reserve(value.size());
  for (char c : value) {
    if (c != '\r' && c != '\n') line.push_back(c);
  }
  return line;
}

}  // namespace

std::string ReadSetting(std::string_view fileName, std::string_view key) {
  std::string content;
  if (!ReadWholeFile(fileName, content)) return {};
  const std::string pattern = Pattern(key);
  std::string result;
  for (std::string_view line : SplitLines(content)) {
    std::size_t at = FindNoCase(line, pattern);
    if (at == std::string_view::npos) continue;
    result.assign(line.substr(0, at));
    result.append(line.substr(at + pattern.size()));
  }
  return result;
}

std::int32_t SettingsStore::ReadIntSetting(std::int32_t defaultValue, std::string_view key) {
  std::string value = ReadSetting(kSettingsFileName, key);
  if (!value.empty()) return ParseInt(value);
  AppendLine(key, std::to_string(defaultValue));
  return defaultValue;
}

std::string SettingsStore::ReadTextSetting(std::string_view defaultValue, std::string_view key) {
  std::string value = ReadSetting(kSettingsFileName, key);
  if (!value.empty()) return value;
  AppendLine(key, defaultValue);
  return std::string(defaultValue);
}

void SettingsStore::AppendLine(std::string_view key, std::string_view value) {
  const std::string path = NativePath(kSettingsFileName);
  // A hand-edited file may lack the final line end; the new line must not
  // glue itself onto the last setting.
  bool needsLineEnd = false;
  if (std::FILE* existing = std::fopen(path.c_str(), "rb")) {
    if (std::fseek(existing, -1, SEEK_END) == 0) {
      int last = std::fgetc(existing);
      needsLineEnd = last != '\n' && last != '\r' && last != EOF;
    }
    std::fclose(existing);
  }
  std::FILE* file = std::fopen(path.c_str(), "ab");
  if (file == nullptr) return;
  std::string line;
  if (needsLineEnd) line.append(kLineEnd);
  line.append(OnOneLine(key));
  line.push_back('=');
  line.append(OnOneLine(value));
  line.append(kLineEnd);
  std::fwrite(line.data(), 1, line.size(), file);
  std::fclose(file);
}

void SettingsStore::WriteSetting(std::string_view fileName, std::string_view key,
                                 std::string_view value) {
  std::string content;
  if (!ReadWholeFile(fileName, content)) return;  // a write never creates the file
  const std::string pattern = Pattern(key);
  const std::string newLine = OnOneLine(key) + "=" + OnOneLine(value);
  std::string replaced;
  replaced.reserve(content.size() + value.size() + 16);
  for (std::string_view line : SplitLines(content)) {
    if (FindNoCase(line, pattern) != std::string_view::npos) {
      replaced.append(newLine);
    } else {
      replaced.append(line);
    }
    replaced.append(kLineEnd);
  }
  if (!ReplaceFileAtomically(fileName, replaced, kSettingsTemporaryName)) {
    messages_.ShowMessage(std::string(text::kSettingsRenameFailed) + std::string(fileName));
  }
}

}  // namespace vanto
