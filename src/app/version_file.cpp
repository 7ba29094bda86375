#include "app/version_file.h"

#include <cmath>
#include <string>

#include "foundation/number_text.h"
#include "foundation/text_lines.h"

namespace vanto {

namespace {

constexpr std::size_t kVersionCharacters = 6;

float VersionAfterFirstEquals(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return 0.0f;
  const float value =
      static_cast<float>(ParseFloat(line.substr(equals + 1, kVersionCharacters)));
  // "inf" or "nan" in a downloaded file must never become an offer.
  return std::isfinite(value) ? value : 0.0f;
}

}  // namespace

PublishedVersions ReadPublishedVersions(std::string_view fileText, std::string_view model) {
  const std::string lts = std::string(model) + "(LTS)";
  const std::string test = std::string(model) + "(EXP)";
  PublishedVersions versions;
  for (std::string_view line : SplitLines(fileText)) {
    if (line.find(lts) != std::string_view::npos) versions.lts = VersionAfterFirstEquals(line);
    if (line.find(test) != std::string_view::npos) versions.test = VersionAfterFirstEquals(line);
  }
  return versions;
}

}  // namespace vanto
