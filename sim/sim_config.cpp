#include "sim_config.h"

#include <cstdlib>

#include "sim_text.h"

namespace vanto::sim {
namespace {

bool ParseFlag(std::string_view text, bool& out) {
  if (text == "1" || EqualsIgnoringCase(text, "yes") || EqualsIgnoringCase(text, "true")) {
    out = true;
    return true;
  }
  if (text == "0" || EqualsIgnoringCase(text, "no") || EqualsIgnoringCase(text, "false")) {
    out = false;
    return true;
  }
  return false;
}

template <typename Int>
bool ParseInto(std::string_view text, Int& out) {
  std::optional<std::int64_t> value = ParseInteger(text);
  if (!value) return false;
  out = static_cast<Int>(*value);
  return true;
}

bool ParseInto(std::string_view text, double& out) {
  std::optional<double> value = ParseNumber(text);
  if (!value) return false;
  out = *value;
  return true;
}

}  // namespace

void ApplyConfigText(std::string_view text, SimConfig& config, std::vector<std::string>& warnings) {
  for (const TextLine& line : MeaningfulLines(text)) {
    std::size_t equals = line.text.find('=');
    if (equals == std::string_view::npos) {
      warnings.push_back("config line " + std::to_string(line.number) + ": no '='");
      continue;
    }
    std::string key(Trim(line.text.substr(0, equals)));
    std::string_view value = Trim(line.text.substr(equals + 1));
    std::string textValue(value);
    bool ok = true;
    if (key == "model") {
      config.model = textValue;
    } else if (key == "present") {
      ok = ParseFlag(value, config.present);
    } else if (key == "seed") {
      ok = ParseInto(value, config.seed);
    } else if (key == "noise") {
      ok = ParseInto(value, config.noiseCounts) && config.noiseCounts >= 0.0;
    } else if (key == "rail_volts") {
      ok = ParseInto(value, config.railVolts);
    } else if (key == "maker_text") {
      config.makerText = textValue;
    } else if (key == "product_text") {
      config.productText = textValue;
    } else if (key == "serial_number") {
      config.serialNumber = textValue;
    } else if (key == "eeprom_file") {
      config.eepromFile = textValue;
    } else if (key == "board_file") {
      config.boardFile = textValue;
    } else if (key.rfind("node.", 0) == 0 && key.size() > 5) {
      config.nodes.emplace_back(key.substr(5), textValue);
    } else if (key == "fault_file") {
      config.faultFile = textValue;
    } else if (key.rfind("fault.", 0) == 0 && key.size() > 6) {
      config.faults.emplace_back(key.substr(6), textValue);
    } else if (key == "probe_script") {
      config.probeScriptFile = textValue;
    } else if (key == "probe") {
      config.probeNode = textValue;
    } else if (key == "probe_hold_ms") {
      ok = ParseInto(value, config.probeHoldMs) && config.probeHoldMs >= 0;
    } else if (key == "probe_lift_ms") {
      ok = ParseInto(value, config.probeLiftMs) && config.probeLiftMs >= 0;
    } else if (key == "scanner_map") {
      config.scannerMapFile = textValue;
    } else if (key.rfind("scan.", 0) == 0) {
      int channel = 0;
      ok = ParseInto(std::string_view(key).substr(5), channel) && channel >= 1 && channel <= 40;
      if (ok) config.scanChannels[channel] = textValue;
    } else if (key == "buttons_script") {
      config.buttonsScriptFile = textValue;
    } else if (key == "bad_checksum_every") {
      ok = ParseInto(value, config.badChecksumEvery) && config.badChecksumEvery >= 0;
    } else if (key == "silent_after_ms") {
      ok = ParseInto(value, config.silentAfterMs);
    } else if (key == "stray_byte_after") {
      ok = ParseInto(value, config.strayByteAfter);
    } else if (key == "unplug_after_ms") {
      ok = ParseInto(value, config.unplugAfterMs);
    } else if (key == "drop_request_every") {
      ok = ParseInto(value, config.dropRequestEvery) && config.dropRequestEvery >= 0;
    } else if (key == "eeprom_write_fails") {
      int fails = 0;
      ok = ParseInto(value, fails) && (fails == 0 || fails == 1);
      if (ok) config.eepromWriteFails = fails == 1;
    } else if (key == "warm_open") {
      int warm = 0;
      ok = ParseInto(value, warm) && (warm == 0 || warm == 1);
      if (ok) config.warmOpen = warm == 1;
    } else if (key == "dmm_port") {
      ok = ParseInto(value, config.dmmPort) && config.dmmPort >= 0 && config.dmmPort <= 65535;
    } else {
      warnings.push_back("config line " + std::to_string(line.number) + ": unknown key '" + key +
                         "'");
      continue;
    }
    if (!ok) {
      warnings.push_back("config line " + std::to_string(line.number) + ": bad value for '" + key +
                         "'");
    }
  }
}

SimConfig LoadSimConfig(std::vector<std::string>& warnings) {
  SimConfig config;
  if (const char* model = std::getenv(kModelEnvVar); model != nullptr && *model != '\0') {
    config.model = model;
  }
  const char* path = std::getenv(kConfigEnvVar);
  if (path == nullptr || *path == '\0') return config;
  std::optional<std::string> text = ReadTextFile(path);
  if (!text) {
    warnings.push_back(std::string("cannot read the configuration file ") + path +
                       "; using the defaults");
    return config;
  }
  ApplyConfigText(*text, config, warnings);
  return config;
}

}  // namespace vanto::sim
