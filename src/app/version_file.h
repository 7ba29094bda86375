// The maker's version file "ORX_version.txt": one entry a line, a model
// name followed directly by "(LTS)" or "(EXP)", then "=" and the version,
// e.g. "ORXB(LTS)=22.001". Other lines are ignored.
#pragma once

#include <string>
#include <string_view>

namespace vanto {

inline constexpr const char* kVersionFileName = "ORX_version.txt";

struct PublishedVersions {
  float lts = 0.0f;   // long-term release
  float test = 0.0f;  // test (EXP, "Beta") release
};

// The model's versions in the file; a later entry for the same line wins.
// The version is the number in the 6 characters after the line's first "="
// (22.0012 reads as 22.001); a value that is not a finite number reads as 0.
PublishedVersions ReadPublishedVersions(std::string_view fileText, std::string_view model);

}  // namespace vanto
