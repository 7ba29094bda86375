#include "foundation/text_lines.h"

#include <cstdio>

#include "foundation/file_paths.h"

namespace vanto {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(text.substr(start, i - start));
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
    ++i;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

bool ReadWholeFile(std::string_view storedName, std::string& content) {
  return ReadWholeFile(storedName, content, content.max_size()) == FileRead::Done;
}

FileRead ReadWholeFile(std::string_view storedName, std::string& content, std::size_t maxBytes) {
  std::FILE* file = OpenRegularFileForReading(storedName);
  if (file == nullptr) return FileRead::Failed;
  // Read straight into the string: plans run to tens of megabytes.
  std::size_t expected = 0;
  if (std::fseek(file, 0, SEEK_END) == 0) {
    long size = std::ftell(file);
    if (size > 0) expected = static_cast<std::size_t>(size);
    std::rewind(file);
  }
  if (expected > maxBytes) {
    std::fclose(file);
    return FileRead::TooLarge;
  }
  content.clear();
  std::size_t used = 0;
  content.resize(expected + 1);  // one spare byte tells the end from a grown file
  while (true) {
    std::size_t got = std::fread(content.data() + used, 1, content.size() - used, file);
    used += got;
    if (used < content.size()) break;
    if (used > maxBytes) {  // grew while being read
      std::fclose(file);
      content.clear();
      return FileRead::TooLarge;
    }
    content.resize(content.size() * 2 + 65536);
  }
  content.resize(used);
  bool ok = !std::ferror(file);
  std::fclose(file);
  return ok ? FileRead::Done : FileRead::Failed;
}

}  // namespace vanto
