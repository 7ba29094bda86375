// The text form of a device under test and the tree it parses into.
// "R1k", "C100n", "D", "Z5.1", "open", "short", joined with '+' (series)
// and '|' (parallel, binding tighter), grouped with parentheses; '!' turns
// a part round. Upper terminal = the probed node, lower = board ground.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vanto::sim {

enum class PartKind { kResistor, kCapacitor, kDiode, kOpen, kShort, kSeries, kParallel };

// Junction model: forward current Is*(exp(v/(n*Vt))-1); a zener adds a
// reverse breakdown that carries breakdownAmps at breakdownVolts.
struct DiodeModel {
  double saturationAmps = 2.52e-9;
  double emission = 1.752;
  double breakdownVolts = 0.0;  // 0: no breakdown
  double breakdownAmps = 1e-3;
  double breakdownEmission = 2.0;
};

struct CircuitPart {
  PartKind kind = PartKind::kOpen;
  double value = 0.0;              // ohms or farads
  DiodeModel diode;                // kDiode only
  bool anodeUp = true;             // kDiode: anode on the upper terminal
  std::vector<CircuitPart> parts;  // kSeries (upper first) and kParallel members
};

struct CircuitParse {
  std::optional<CircuitPart> part;
  std::string error;  // set when part is empty
};

CircuitParse ParseCircuit(std::string_view text);

// The same part with its terminals exchanged.
CircuitPart Reversed(const CircuitPart& part);

CircuitPart SeriesOf(CircuitPart upper, CircuitPart lower);
CircuitPart ShortCircuit();
CircuitPart OpenCircuit();

}  // namespace vanto::sim
