#include "ui/label_text.h"

#include <cmath>

#include "foundation/number_text.h"

namespace vanto {

std::string RoundedDecimal(float x) {
  const float rounded = std::round(x) + 0.0f;  // + 0 turns -0 into 0
  return FormatFixed(rounded, 0);
}

std::int32_t WholeThousands(std::int32_t value) {
  return value / 1000;
}

std::string PoundsAsCommas(std::string_view text) {
  static constexpr std::string_view kPound = "\xC2\xA3";  // "£" in UTF-8
  std::string out;
  out.reserve(text.size());
  std::size_t start = 0;
  for (std::size_t found = text.find(kPound); found != std::string_view::npos;
       found = text.find(kPound, start)) {
    out.append(text.substr(start, found - start));
    out.push_back(',');
    start = found + kPound.size();
  }
  out.append(text.substr(start));
  return out;
}

std::string_view FileNamePart(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  if (slash == std::string_view::npos) return path;
  return path.substr(slash + 1);
}

}  // namespace vanto
