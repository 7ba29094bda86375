// The editor's own coded messages, word for word (codes 0080..0089 and 0090).
#pragma once

namespace vanto::text {

// One insertion adds at most 1000 rows, so a larger component would spill
// its later pins over the records that follow it.
inline constexpr const char* kComponentTooLarge =
    "Warning #0090 Component not created - at most 1000 pins can be placed in one component";

// The editor's window could not be shown (no screen to show it on).
inline constexpr const char* kEditorWontStart = "Error #0080 Edit Image window won't start";

}  // namespace vanto::text
