#include "ui/ribbon_lists.h"

namespace vanto {
namespace {

template <typename Items>
std::vector<std::string> Texts(const Items& items) {
  std::vector<std::string> texts;
  for (const auto& item : items) texts.emplace_back(item.text);
  return texts;
}

template <typename Names>
std::vector<std::string> Strings(const Names& names) {
  return std::vector<std::string>(names.begin(), names.end());
}

bool HasShortResistanceList(std::string_view model) {
  return model == "ORXA" || model == "ORXAP";
}

}  // namespace

std::vector<std::string> VoltageListItems() {
  return Texts(kVoltageItems);
}

std::vector<std::string> ResistanceListItems(std::string_view model) {
  return HasShortResistanceList(model) ? Texts(kShortResistanceItems) : Texts(kFullResistanceItems);
}

std::vector<std::string> FrequencyListItems() {
  return Texts(kFrequencyItems);
}

std::vector<std::string> ButtonFunctionListItems(std::string_view prefix) {
  std::vector<std::string> texts;
  for (const char* name : kButtonFunctionNames) texts.push_back(std::string(prefix) + name);
  return texts;
}

std::vector<std::string> DcModeListItems() {
  return Strings(kDcModeItems);
}

std::vector<std::string> DcLevelListItems() {
  return Strings(kDcLevelItems);
}

std::vector<std::string> ScannerListItems(std::string_view prefix) {
  std::vector<std::string> texts = {"Off"};
  for (int channel = 1; channel <= kScannerChannels; ++channel) {
    texts.push_back(std::string(prefix) + std::to_string(channel));
  }
  return texts;
}

std::vector<ValueItem> ResistanceItems(std::string_view model) {
  if (HasShortResistanceList(model)) {
    return {kShortResistanceItems.begin(), kShortResistanceItems.end()};
  }
  return {kFullResistanceItems.begin(), kFullResistanceItems.end()};
}

bool ModelShowsUsbRail(std::string_view model) {
  return HasShortResistanceList(model);
}

bool ModelHasDcGenerator(std::string_view model) {
  return model == "ORXB" || model == "ORXC" || model == "ORXCB";
}

bool ModelHasScanner(std::string_view model) {
  return model == "ORXC" || model == "ORXCB";
}

}  // namespace vanto
