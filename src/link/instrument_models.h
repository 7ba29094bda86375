// The five instrument models and what each offers: source resistances,
// the DC generator with its DC-bias DAC, and the 40-channel scanner.
#pragma once

#include <span>
#include <string_view>

namespace vanto {

struct InstrumentModelInfo {
  std::string_view name;
  std::span<const int> resistancesInListOrder;  // ohms, as the ribbon lists them
  bool dcGenerator = false;
  bool scanner = false;
};

// Null for a name that is none of ORXA, ORXAP, ORXB, ORXC, ORXCB (exact case).
const InstrumentModelInfo* FindInstrumentModel(std::string_view name);

}  // namespace vanto
