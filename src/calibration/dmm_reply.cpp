#include "calibration/dmm_reply.h"

#include <charconv>

namespace vanto {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The decimal number at the start of the text: digits, a point, digits.
double LeadingDecimal(std::string_view text) {
  std::size_t end = 0;
  while (end < text.size() && IsDigit(text[end])) ++end;
  if (end < text.size() && text[end] == '.') {
    ++end;
    while (end < text.size() && IsDigit(text[end])) ++end;
  }
  double value = 0.0;
  if (end == 0 || (end == 1 && text[0] == '.')) return 0.0;
  std::from_chars(text.data(), text.data() + end, value, std::chars_format::fixed);
  return value;
}

}  // namespace

double ParseDmmReply(std::string_view reply) {
  const double sign = !reply.empty() && reply[0] == '+' ? 1.0 : -1.0;
  const double mantissa = LeadingDecimal(reply.size() > 1 ? reply.substr(1, 10) : "");
  const std::string_view exponent = reply.size() > 11 ? reply.substr(11, 4) : "";
  if (exponent.size() == 4 && exponent[0] == 'E' && (exponent[1] == '+' || exponent[1] == '-') &&
      IsDigit(exponent[2]) && IsDigit(exponent[3])) {
    const int n = (exponent[2] - '0') * 10 + (exponent[3] - '0');
    const bool up = exponent[1] == '+';
    if ((up && n <= 12) || (!up && n >= 1 && n <= 15)) {
      double power = 1.0;
      for (int i = 0; i < n; ++i) power *= 10.0;  // exact up to 10^22
      return up ? mantissa * sign * power : mantissa * sign / power;
    }
  }
  return mantissa;
}

}  // namespace vanto
