#include "foundation/number_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vanto {

std::int32_t ParseInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  unsigned base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i < text.size() && text[i] == '%') {
    base = 2;
    ++i;
  }
  std::uint32_t value = 0;  // unsigned arithmetic wraps instead of overflowing
  for (; i < text.size(); ++i) {
    char c = text[i];
    unsigned digit;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else {
      break;
    }
    if (digit >= base) break;
    value = value * base + digit;
  }
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

double ParseFloat(std::string_view text) {
  // strtod needs a terminated string; cells are short, so a copy is cheap.
  std::string copy(text.substr(0, 64));
  const char* start = copy.c_str();
  while (*start == ' ' || *start == '\t') ++start;
  char* end = nullptr;
  double value = std::strtod(start, &end);
  if (end == start) return 0.0;
  return value;
}

std::string FormatFloat(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "+Infinity" : "-Infinity";
  char buffer[64];
  int length = std::snprintf(buffer, sizeof buffer, "%.10f", value);
  if (length <= 0 || length >= static_cast<int>(sizeof buffer)) {
    // Beyond 1e52 the fixed form does not fit; such values never occur in
    // plans, but they must not be cut off silently.
    return std::to_string(value);
  }
  std::string text(buffer, static_cast<std::size_t>(length));
  if (text.find('.') != std::string::npos) {
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
  }
  if (text == "-0") text = "0";
  return text;
}

std::string TwoDigits(int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", value);
  return buffer;
}

}  // namespace vanto
