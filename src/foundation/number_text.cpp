#include "foundation/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace vanto {
namespace {

bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// "0x" followed by a hexadecimal digit, or by a point and one.
bool StartsHexNumber(std::string_view text) {
  if (text.size() < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return false;
  if (IsHexDigit(text[2])) return true;
  return text[2] == '.' && text.size() > 3 && IsHexDigit(text[3]);
}

bool IsExponentLetter(char c, bool hex) {
  return hex ? (c == 'p' || c == 'P') : (c == 'e' || c == 'E');
}

// Whether a number that from_chars found out of range is too large (rather
// than too small): from_chars leaves the value alone then, so this looks at
// where the first non-zero digit sits, moved by the exponent. Out of range
// means hundreds of places away from the point, so the sign settles it.
bool TooLarge(std::string_view number, bool hex) {
  long long place = 0;  // digits (hex: bits) of the first non-zero digit left of the point
  bool point = false;
  bool nonZero = false;
  std::size_t i = 0;
  for (; i < number.size() && !IsExponentLetter(number[i], hex); ++i) {
    if (number[i] == '.') {
      point = true;
    } else if (number[i] != '0' || nonZero) {
      nonZero = true;
      if (!point) place += hex ? 4 : 1;
    } else if (point) {
      place -= hex ? 4 : 1;
    }
  }
  long long exponent = 0;
  if (i + 1 < number.size()) {
    std::string_view digits = number.substr(i + 1);
    const bool negative = digits.front() == '-';
    if (digits.front() == '-' || digits.front() == '+') digits.remove_prefix(1);
    for (char c : digits) exponent = std::min(exponent * 10 + (c - '0'), 1LL << 40);
    if (negative) exponent = -exponent;
  }
  return place + exponent > 0;
}

// The unsigned number at the start of `text` the way strtod reads it;
// false when there is none.
bool ReadUnsigned(std::string_view text, double& value) {
  // "0x" without hexadecimal digits after it reads as the 0 before the x.
  const bool hex = StartsHexNumber(text);
  const char* start = text.data() + (hex ? 2 : 0);
  const char* last = text.data() + text.size();
  const std::from_chars_result result = std::from_chars(
      start, last, value, hex ? std::chars_format::hex : std::chars_format::general);
  if (result.ec == std::errc::invalid_argument) return false;
  if (result.ec == std::errc::result_out_of_range) {
    const std::string_view number(start, static_cast<std::size_t>(result.ptr - start));
    value = TooLarge(number, hex) ? HUGE_VAL : 0.0;
  }
  return true;
}

}  // namespace

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
  std::size_t i = 0;
  while (i < text.size() && IsWhiteSpace(text[i])) ++i;
  // from_chars takes no '+' and would take a second sign after ours.
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) return 0.0;
  double value = 0.0;
  if (!ReadUnsigned(text.substr(i), value)) return 0.0;
  return negative ? -value : value;
}

std::string FormatFixed(double value, int decimals) {
  decimals = std::clamp(decimals, 0, 100);
  // The largest double has 309 digits before the point.
  char buffer[320 + 100];
  const std::to_chars_result result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  return std::string(buffer, result.ptr);
}

std::string FormatFloat(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "+Infinity" : "-Infinity";
  std::string text = FormatFixed(value, 10);
  // Beyond 1e52 the text has always been the six-decimal form; such values
  // never occur in plans, but they must not be cut off silently.
  if (text.size() >= 64) return FormatFixed(value, 6);
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
