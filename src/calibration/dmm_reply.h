// The multimeter's numeric reply, "+1.00000000E+01": character 1 the sign,
// 2 to 11 the mantissa, 12 to 15 the exponent.
#pragma once

#include <string_view>

namespace vanto {

// The value of one reply line (without its line end). Any character but
// "+" in place of the sign reads as negative; an exponent outside E+12 ..
// E-15 leaves the mantissa alone, without the sign; a mantissa that is no
// number reads as 0.
double ParseDmmReply(std::string_view reply);

}  // namespace vanto
