// Settings of the simulated instrument: one key=value file named by the
// environment variable ORX_SIM_CONFIG, over built-in defaults that give a
// working instrument with no file at all. Read anew at every FT_Open.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vanto::sim {

inline constexpr const char* kConfigEnvVar = "ORX_SIM_CONFIG";
inline constexpr const char* kModelEnvVar = "ORX_SIM_MODEL";

struct SimConfig {
  std::string model = "ORXA";
  bool present = true;
  std::uint64_t seed = 1;
  double noiseCounts = 1.5;  // ADC noise, counts RMS per sample
  double railVolts = 5.03;   // USB supply reported in header word 1
  std::string makerText = "Quillotek";
  std::string productText;  // empty: the model's own
  std::string serialNumber = "QK21B7R";
  std::string eepromFile = "orx_sim_eeprom.bin";  // empty: calibration kept in memory only

  std::string boardFile;
  std::vector<std::pair<std::string, std::string>> nodes;  // node.NAME=CIRCUIT
  std::string faultFile;
  std::vector<std::pair<std::string, std::string>> faults;  // fault.NAME=CIRCUIT
  std::string probeScriptFile;
  std::string probeNode;   // probe=NAME: the probe stays on that node
  int probeHoldMs = 3000;  // boards of files and keys: each node in turn
  int probeLiftMs = 1000;
  std::string scannerMapFile;
  std::map<int, std::string> scanChannels;  // scan.N=NAME
  std::string buttonsScriptFile;

  int badChecksumEvery = 0;          // 0: never
  std::int64_t silentAfterMs = -1;   // negative: never
  std::int64_t strayByteAfter = -1;  // negative: never
  // Faults of real hardware, all off by default.
  std::int64_t unplugAfterMs = -1;  // every call fails from then on; negative: never
  int dropRequestEvery = 0;         // every N-th request record is lost; 0: never
  bool eepromWriteFails = false;    // FT_WriteEE fails
  // The instrument stays powered between handles: FT_Open keeps the
  // registers and line rate of the last session, and the frame it was
  // sending is still arriving, half of it already gone.
  bool warmOpen = false;
  // The bench multimeter on the output answers SCPI on 127.0.0.1 at this
  // port (from the first FT_Open that names one); 0: no multimeter.
  int dmmPort = 0;
};

// Applies key=value lines over config; unknown keys and bad values become
// warnings and leave the setting as it was.
void ApplyConfigText(std::string_view text, SimConfig& config, std::vector<std::string>& warnings);

// Defaults, the model from ORX_SIM_MODEL, then the file of ORX_SIM_CONFIG.
SimConfig LoadSimConfig(std::vector<std::string>& warnings);

}  // namespace vanto::sim
