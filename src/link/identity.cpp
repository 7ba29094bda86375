// Descriptor texts and the model check.
#include "link/identity.h"

#include <array>

namespace vanto {

namespace {

struct AcceptedProducts {
  std::string_view model;
  std::array<std::string_view, 2> beginnings;  // empty entries are unused
};

constexpr std::array<AcceptedProducts, 5> kAccepted = {{
    {"ORXA", {"ORXA", "Quillotek ORXA"}},
    {"ORXAP", {"ORXAP", "Quillotek ORXAP"}},
    {"ORXB", {"Quillotek ORXB", ""}},
    {"ORXC", {"Quillotek ORXC", ""}},
    {"ORXCB", {"Quillotek ORXC", ""}},
}};

bool BeginsWith(std::string_view text, std::string_view start) {
  return !start.empty() && text.substr(0, start.size()) == start;
}

bool BeginsWithListed(std::string_view productText, std::string_view model) {
  for (const AcceptedProducts& entry : kAccepted) {
    if (entry.model != model) continue;
    for (std::string_view start : entry.beginnings) {
      if (BeginsWith(productText, start)) return true;
    }
  }
  return false;
}

}  // namespace

std::string DescriptorText(const std::array<std::int16_t, kDescriptorWordCount>& words, int first,
                           int length) {
  std::string text;
  text.reserve(static_cast<std::size_t>(length));
  for (int i = 0; i < length; ++i) {
    const int code = words[static_cast<std::size_t>(first + i)];
    text.push_back(code <= 32 || code >= 126 ? ' ' : static_cast<char>(code));
  }
  return text;
}

bool MakerIsKnown(std::string_view makerText) {
  return BeginsWith(makerText, kMakerName);
}

bool ProductFitsModel(std::string_view productText, std::string_view model) {
  if (!BeginsWithListed(productText, model)) return false;
  // "Quillotek ORXAP" begins with the ORXA text "Quillotek ORXA" too; an
  // ORXAP must still never pass for an ORXA.
  if (model == "ORXA" && BeginsWithListed(productText, "ORXAP")) return false;
  return true;
}

}  // namespace vanto
