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

  // True when the board is the built-in one (no board file, no node keys).
  bool IsBuiltIn() const { return builtIn_; }

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
  bool builtIn_ = false;
};

// The built-in board is the demo board DEMO-1, whose plan the program opens
// by default: its nets (board file format), the probe walk over its pins in
// plan order (probe script format) and its scanner map. The texts are
// generated at build time from the demo board's one description
// (tools/demo_board.cpp), so the simulator and the demo plan cannot drift
// apart while the simulator still compiles none of that code.
std::string_view BuiltInBoardText();
std::string_view BuiltInProbeScriptText();
std::string_view BuiltInScannerMapText();

}  // namespace vanto::sim
