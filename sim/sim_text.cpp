#include "sim_text.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace vanto::sim {

std::optional<std::string> ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::string_view Trim(std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && std::isspace(static_cast<unsigned char>(text[first]))) ++first;
  std::size_t last = text.size();
  while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1]))) --last;
  return text.substr(first, last - first);
}

std::vector<TextLine> MeaningfulLines(std::string_view text) {
  std::vector<TextLine> lines;
  int number = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    ++number;
    std::size_t hash = line.find('#');
    if (hash != std::string_view::npos) line = line.substr(0, hash);
    line = Trim(line);
    if (!line.empty()) lines.push_back({number, line});
    if (end == text.size()) break;
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

std::vector<std::string_view> SplitWords(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    std::size_t start = i;
    while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

std::optional<std::int64_t> ParseInteger(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  std::int64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
    return std::nullopt;
  }
  return value;
}

std::optional<double> ParseNumber(std::string_view text) {
  // from_chars, unlike strtod, ignores the locale the host program set, so
  // "5.1" stays 5.1 under a German desktop. It takes no '+' and no "0x".
  text = Trim(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.front() == '+' || text.front() == '-') return std::nullopt;
  std::chars_format format = std::chars_format::general;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    format = std::chars_format::hex;
    text.remove_prefix(2);
    if (!std::isxdigit(static_cast<unsigned char>(text.front())) && text.front() != '.') {
      return std::nullopt;
    }
  }
  double value = 0.0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, format);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return negative ? -value : value;
}

namespace {

std::optional<double> PrefixMultiplier(char c) {
  switch (c) {
    case 'p': return 1e-12;
    case 'n': return 1e-9;
    case 'u': return 1e-6;
    case 'm': return 1e-3;
    case 'R':
    case 'r':
    case 'V':
    case 'v': return 1.0;
    case 'k':
    case 'K': return 1e3;
    case 'M': return 1e6;
    case 'G': return 1e9;
    default: return std::nullopt;
  }
}

}  // namespace

std::optional<double> ParseComponentValue(std::string_view text) {
  std::string value(text);
  // The micro sign (UTF-8 C2 B5) reads as 'u'.
  for (std::size_t at = value.find("\xC2\xB5"); at != std::string::npos;
       at = value.find("\xC2\xB5")) {
    value.replace(at, 2, "u");
  }
  std::size_t i = 0;
  std::string digits;
  while (i < value.size() &&
         (std::isdigit(static_cast<unsigned char>(value[i])) || value[i] == '.')) {
    digits += value[i++];
  }
  if (digits.empty() || digits == ".") return std::nullopt;
  double multiplier = 1.0;
  if (i < value.size()) {
    std::optional<double> prefix = PrefixMultiplier(value[i]);
    if (!prefix) return std::nullopt;
    multiplier = *prefix;
    ++i;
    // "4k7": the digits after the prefix are the fraction.
    std::string fraction;
    while (i < value.size() && std::isdigit(static_cast<unsigned char>(value[i]))) {
      fraction += value[i++];
    }
    if (!fraction.empty()) {
      if (digits.find('.') != std::string::npos) return std::nullopt;
      digits += "." + fraction;
    }
  }
  if (i != value.size()) return std::nullopt;
  std::optional<double> number = ParseNumber(digits);
  if (!number) return std::nullopt;
  return *number * multiplier;
}

void ReportWarning(const std::string& text) {
  std::fprintf(stderr, "orx_sim: %s\n", text.c_str());
}

}  // namespace vanto::sim
