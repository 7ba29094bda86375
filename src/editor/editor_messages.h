// The editor's own coded messages, word for word (codes 0090..0099).
#pragma once

namespace vanto::text {

// One insertion adds at most 1000 rows, so a larger component would spill
// its later pins over the records that follow it.
inline constexpr const char* kComponentTooLarge =
    "Warning #0090 Component not created - at most 1000 pins can be placed in one component";

}  // namespace vanto::text
