#include "foundation/mode_and_view.h"

#include <cstddef>

namespace vanto {
namespace {

// The tables are indexed by their enums.
constexpr bool TablesInEnumOrder() {
  for (std::size_t i = 0; i < kAppModes.size(); ++i) {
    if (static_cast<std::size_t>(kAppModes[i].mode) != i) return false;
  }
  for (std::size_t i = 0; i < kDisplayViews.size(); ++i) {
    if (static_cast<std::size_t>(kDisplayViews[i].view) != i) return false;
  }
  return true;
}
static_assert(TablesInEnumOrder());

}  // namespace

std::optional<AppMode> ParseAppMode(std::string_view text) {
  for (const AppModeEntry& entry : kAppModes) {
    if (text == entry.value) return entry.mode;
  }
  return std::nullopt;
}

std::optional<DisplayView> ParseDisplayView(std::string_view text) {
  for (const DisplayViewEntry& entry : kDisplayViews) {
    if (text == entry.value) return entry.view;
  }
  return std::nullopt;
}

const char* AppModeValue(AppMode mode) {
  return kAppModes[static_cast<std::size_t>(mode)].value;
}

const char* DisplayViewValue(DisplayView view) {
  return kDisplayViews[static_cast<std::size_t>(view)].value;
}

const char* DisplayViewLabel(DisplayView view) {
  return kDisplayViews[static_cast<std::size_t>(view)].menuLabel;
}

}  // namespace vanto
