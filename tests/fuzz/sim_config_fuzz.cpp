// The simulator's text inputs on any bytes: the configuration, a board
// file, a probe script and a button script (parts of the input separated
// by lines "%%"), each circuit of the board solved for a few steps.
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "circuit_expression.h"
#include "dut_solver.h"
#include "fuzz/fuzz_support.h"
#include "sim_config.h"
#include "timed_scripts.h"
#include "virtual_board.h"

namespace {

std::vector<std::string_view> Parts(std::string_view text) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t at = text.find("\n%%\n");
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) break;
    text = text.substr(at + 4);
  }
  parts.resize(4);
  return parts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vanto::sim;
  vanto::fuzz::EnterScratchFolder();
  const std::vector<std::string_view> parts = Parts(vanto::fuzz::AsText(data, size));
  std::vector<std::string> warnings;
  SimConfig config;
  ApplyConfigText(parts[0], config, warnings);
  // Only the files written here are read: a name from the input could be
  // a device that never ends.
  config.boardFile.clear();
  config.faultFile.clear();
  config.scannerMapFile.clear();
  config.probeScriptFile.clear();
  config.buttonsScriptFile.clear();
  if (!parts[1].empty()) {
    vanto::fuzz::WriteInput("board.txt", parts[1]);
    config.boardFile = "board.txt";
  }
  const VirtualBoard board(config, warnings);
  for (const std::string& name : board.NodeNames()) {
    CircuitRef circuit = board.Find(name);
    if (!circuit) continue;
    DutSolver solver(circuit.get());
    for (int step = 0; step < 4; ++step) {
      (void)solver.Step(step % 2 == 0 ? 10.0 : -10.0, 1000.0, 1e-5);
    }
  }
  for (int channel = 0; channel <= 41; channel += 7) (void)board.ScannerCircuit(channel, 40 - channel);

  const ProbeScript probe = ProbeScript::Parse(parts[2], "probe", warnings);
  const ButtonScript buttons = ButtonScript::Parse(parts[3], "buttons", warnings);
  for (std::int64_t ms : {std::int64_t{0}, std::int64_t{999}, std::int64_t{1} << 40}) {
    (void)probe.At(ms);
    (void)buttons.At(ms);
  }
  (void)ParseCircuit(parts[1]);
  return 0;
}
