#include "virtual_board.h"

#include "demo_board_text.h"
#include "sim_text.h"

namespace vanto::sim {
namespace {

// One "NAME CIRCUIT" or "NAME=CIRCUIT" line.
bool SplitNodeLine(std::string_view line, std::string& name, std::string_view& expression) {
  std::size_t cut = line.find_first_of(" \t=");
  if (cut == std::string_view::npos) return false;
  name = std::string(Trim(line.substr(0, cut)));
  expression = Trim(line.substr(cut + 1));
  if (!expression.empty() && expression.front() == '=') expression = Trim(expression.substr(1));
  return !name.empty() && !expression.empty();
}

template <typename Handle>
void ReadNodeLines(std::string_view text, const std::string& source,
                   std::vector<std::string>& warnings, Handle handle) {
  for (const TextLine& line : MeaningfulLines(text)) {
    std::string name;
    std::string_view expression;
    std::string where = source + " line " + std::to_string(line.number);
    if (!SplitNodeLine(line.text, name, expression)) {
      warnings.push_back(where + ": expected a node name and a circuit");
      continue;
    }
    handle(name, expression, where);
  }
}

// "CHANNEL NODE" lines into `scanner`, over what is there.
void ReadScannerMap(std::string_view text, const std::string& source,
                    std::vector<std::string>& warnings, std::map<int, std::string>& scanner) {
  for (const TextLine& line : MeaningfulLines(text)) {
    std::vector<std::string_view> words = SplitWords(line.text);
    std::optional<std::int64_t> channel = words.size() == 2 ? ParseInteger(words[0]) : std::nullopt;
    if (!channel || *channel < 1 || *channel > 40) {
      warnings.push_back(source + " line " + std::to_string(line.number) +
                         ": expected a channel 1-40 and a node name");
      continue;
    }
    scanner[static_cast<int>(*channel)] = std::string(words[1]);
  }
}

}  // namespace

std::string_view BuiltInBoardText() {
  return builtin::kBoardText;
}

std::string_view BuiltInProbeScriptText() {
  return builtin::kProbeScriptText;
}

std::string_view BuiltInScannerMapText() {
  return builtin::kScannerMapText;
}

VirtualBoard::VirtualBoard(const SimConfig& config, std::vector<std::string>& warnings) {
  auto add = [&](const std::string& name, std::string_view expression, const std::string& where) {
    AddNode(name, expression, where, warnings);
  };
  auto replace = [&](const std::string& name, std::string_view expression,
                     const std::string& where) { ReplaceNode(name, expression, where, warnings); };

  builtIn_ = config.boardFile.empty() && config.nodes.empty();
  if (builtIn_) ReadNodeLines(BuiltInBoardText(), "built-in board", warnings, add);
  if (!config.boardFile.empty()) {
    if (std::optional<std::string> text = ReadTextFile(config.boardFile)) {
      ReadNodeLines(*text, config.boardFile, warnings, add);
    } else {
      warnings.push_back("cannot read the board file " + config.boardFile);
    }
  }
  for (const auto& [name, expression] : config.nodes) add(name, expression, "node." + name);

  if (!config.faultFile.empty()) {
    if (std::optional<std::string> text = ReadTextFile(config.faultFile)) {
      ReadNodeLines(*text, config.faultFile, warnings, replace);
    } else {
      warnings.push_back("cannot read the fault file " + config.faultFile);
    }
  }
  for (const auto& [name, expression] : config.faults) replace(name, expression, "fault." + name);

  // Scanner: the built-in board has its own map; other boards' channels
  // 1..n follow their node order unless mapped.
  if (builtIn_) {
    ReadScannerMap(BuiltInScannerMapText(), "built-in scanner map", warnings, scanner_);
  } else {
    for (std::size_t i = 0; i < names_.size() && i < 40; ++i) {
      scanner_[static_cast<int>(i) + 1] = names_[i];
    }
  }
  if (!config.scannerMapFile.empty()) {
    std::optional<std::string> text = ReadTextFile(config.scannerMapFile);
    if (!text) {
      warnings.push_back("cannot read the scanner map " + config.scannerMapFile);
    } else {
      scanner_.clear();
      ReadScannerMap(*text, config.scannerMapFile, warnings, scanner_);
    }
  }
  for (const auto& [channel, name] : config.scanChannels) scanner_[channel] = name;
  for (const auto& [channel, name] : scanner_) {
    if (!Find(name)) {
      warnings.push_back("scanner channel " + std::to_string(channel) + ": unknown node '" + name +
                         "' (left open)");
    }
  }
}

void VirtualBoard::AddNode(const std::string& name, std::string_view expression,
                           const std::string& where, std::vector<std::string>& warnings) {
  CircuitParse parsed = ParseCircuit(expression);
  if (!parsed.part) {
    warnings.push_back(where + ": " + parsed.error + " (node left open)");
    parsed.part = OpenCircuit();
  }
  if (circuits_.find(name) == circuits_.end()) names_.push_back(name);
  circuits_[name] = std::make_shared<const CircuitPart>(std::move(*parsed.part));
}

void VirtualBoard::ReplaceNode(const std::string& name, std::string_view expression,
                               const std::string& where, std::vector<std::string>& warnings) {
  if (circuits_.find(name) == circuits_.end()) {
    warnings.push_back(where + ": the fault names no node of the board ('" + name + "')");
    return;
  }
  CircuitParse parsed = ParseCircuit(expression);
  if (!parsed.part) {
    warnings.push_back(where + ": " + parsed.error + " (fault ignored)");
    return;
  }
  circuits_[name] = std::make_shared<const CircuitPart>(std::move(*parsed.part));
}

CircuitRef VirtualBoard::Find(std::string_view name) const {
  auto it = circuits_.find(name);
  if (it != circuits_.end()) return it->second;
  if (EqualsIgnoringCase(name, "GND")) {
    // Never destroyed: host threads may still look it up during exit.
    static const CircuitRef* ground =
        new CircuitRef(std::make_shared<const CircuitPart>(ShortCircuit()));
    return *ground;
  }
  return nullptr;
}

CircuitRef VirtualBoard::ChannelCircuit(int channel) const {
  auto it = scanner_.find(channel);
  if (it == scanner_.end()) return nullptr;
  return Find(it->second);
}

CircuitRef VirtualBoard::ScannerCircuit(int sigChannel, int comChannel) const {
  if (sigChannel <= 0) return nullptr;
  if (comChannel == sigChannel) return std::make_shared<const CircuitPart>(ShortCircuit());
  CircuitRef sig = ChannelCircuit(sigChannel);
  if (comChannel <= 0) return sig;
  CircuitRef com = ChannelCircuit(comChannel);
  if (!sig || !com) return nullptr;  // one side floating: nothing closes the loop
  return std::make_shared<const CircuitPart>(SeriesOf(*sig, Reversed(*com)));
}

}  // namespace vanto::sim
