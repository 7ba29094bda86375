// The board under test: named nodes with their circuits (a built-in board,
// a board file and node.* keys), a fault overlay that replaces some of them,
// and the scanner's map from channels 1-40 to nodes.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "circuit_expression.h"
#include "sim_config.h"

namespace vanto::sim {

using CircuitRef = std::shared_ptr<const CircuitPart>;

class VirtualBoard {
 public:
  VirtualBoard(const SimConfig& config, std::vector<std::string>& warnings);

  // The node's circuit to ground; null for an unknown name. "GND" is the
  // ground net itself unless the board names a node so.
  CircuitRef Find(std::string_view name) const;

  const std::vector<std::string>& NodeNames() const { return names_; }

  // What the scanner puts between its Sig and Com lines: the Sig channel's
  // node to ground, and back up through the Com channel's node when Com is
  // a channel too (channel 0 = the instrument's own ground lead).
  CircuitRef ScannerCircuit(int sigChannel, int comChannel) const;

 private:
  void AddNode(const std::string& name, std::string_view expression, const std::string& where,
               std::vector<std::string>& warnings);
  void ReplaceNode(const std::string& name, std::string_view expression, const std::string& where,
                   std::vector<std::string>& warnings);
  CircuitRef ChannelCircuit(int channel) const;

  std::vector<std::string> names_;
  std::map<std::string, CircuitRef, std::less<>> circuits_;
  std::map<int, std::string> scanner_;
};

// The built-in board: resistor, diode, capacitor, zener, RC network, open pin.
std::string_view BuiltInBoardText();

}  // namespace vanto::sim
