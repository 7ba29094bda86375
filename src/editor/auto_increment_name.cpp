#include "editor/auto_increment_name.h"

namespace vanto {

namespace {

constexpr const char* kUnnamedComponent = "Unknown";
constexpr const char* kFirstSuffix = "_1";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The decimal digits plus one, without leading zeros: "007" -> "8",
// "99" -> "100".
std::string DigitsPlusOne(std::string_view digits) {
  const std::size_t start = digits.find_first_not_of('0');
  std::string number(start == std::string_view::npos ? "0" : digits.substr(start));
  int i = static_cast<int>(number.size()) - 1;
  while (i >= 0 && number[i] == '9') number[i--] = '0';
  if (i < 0) {
    number.insert(number.begin(), '1');
  } else {
    ++number[i];
  }
  return number;
}

}  // namespace

std::string NextComponentName(std::string_view name) {
  if (name.empty()) name = kUnnamedComponent;
  std::size_t stem = name.size();
  while (stem > 0 && IsDigit(name[stem - 1])) --stem;
  if (stem == name.size()) return std::string(name) + kFirstSuffix;
  return std::string(name.substr(0, stem)) + DigitsPlusOne(name.substr(stem));
}

void AutoIncrementName(EditorState& editor, int previousPlacementStep) {
  if (previousPlacementStep == 0 || editor.placement.placementStep != 0) return;
  if (!editor.controls.autoIncrement) return;
  editor.controls.componentName = NextComponentName(editor.controls.componentName);
}

}  // namespace vanto
