// The model table.
#include "link/instrument_models.h"

#include <array>

namespace vanto {

namespace {

constexpr std::array<int, 3> kThreeResistors = {10000, 1000, 100};
constexpr std::array<int, 8> kEightResistors = {10000, 5000, 2000, 1000, 500, 200, 100, 50};

constexpr std::array<InstrumentModelInfo, 5> kModels = {{
    {"ORXA", kThreeResistors, false, false},
    {"ORXAP", kThreeResistors, false, false},
    {"ORXB", kEightResistors, true, false},
    {"ORXC", kEightResistors, true, true},
    {"ORXCB", kEightResistors, true, true},
}};

}  // namespace

const InstrumentModelInfo* FindInstrumentModel(std::string_view name) {
  for (const InstrumentModelInfo& model : kModels) {
    if (model.name == name) return &model;
  }
  return nullptr;
}

}  // namespace vanto
