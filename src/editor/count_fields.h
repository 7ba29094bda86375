// The four count fields below the template list: which are shown, and
// their labels, for the selected entry.
#pragma once

#include <array>
#include <string_view>

namespace vanto {

inline constexpr int kCountFields = 4;
// What every count field holds when the editor opens.
inline constexpr const char* kCountFieldStart = "?";

struct CountFieldLayout {
  std::array<bool, kCountFields> shown{};
  std::array<std::string_view, kCountFields> labels{};  // empty when hidden
  friend bool operator==(const CountFieldLayout&, const CountFieldLayout&) = default;
};

// Called when the list selection changes.
CountFieldLayout SelectTemplate(std::string_view entry);

}  // namespace vanto
