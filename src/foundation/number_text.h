// Numbers as text, the way every file of the program writes and reads them.
// All of them ignore the process locale: a German desktop still reads and
// writes "0.5", never "0,5".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vanto {

// The program's integer parser: leading spaces and tabs skipped, an optional
// sign, then "$" hexadecimal, "%" binary or decimal digits; reading stops at
// the first character that is not part of the number, no digits give 0.
// The result wraps to 32-bit signed like the instrument-era original.
std::int32_t ParseInt(std::string_view text);

// Fractional numbers read from the start of the text ("2.5x" gives 2.5):
// leading white space skipped, an optional sign, then decimal digits with an
// optional point and exponent ("1e3", ".5"), "0x" hexadecimal ("0x1.8p1"),
// "inf", "infinity" or "nan"; too large gives infinity, too small 0; no
// number gives 0.
double ParseFloat(std::string_view text);

// Fixed point with exactly `decimals` digits after the point, rounded from
// the exact binary value with halves to even, like printf's "%.*f":
// (2.5, 0) -> "2", (0.125, 2) -> "0.12", (-1.0, 1) -> "-1.0"; "inf", "-inf",
// "nan" for the special values.
std::string FormatFixed(double value, int decimals);

// Fixed point with 10 decimals, then trailing zeros and a trailing point
// removed: 0.00120 -> "0.0012", 3.0 -> "3", -0.5 -> "-0.5".
std::string FormatFloat(double value);

// Two digits with a leading zero: 7 -> "07".
std::string TwoDigits(int value);

}  // namespace vanto
