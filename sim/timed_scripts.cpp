#include "timed_scripts.h"

#include "sim_text.h"

namespace vanto::sim {

ProbeScript ProbeScript::Parse(std::string_view text, const std::string& source,
                               std::vector<std::string>& warnings) {
  ProbeScript script;
  for (const TextLine& line : MeaningfulLines(text)) {
    std::vector<std::string_view> words = SplitWords(line.text);
    std::optional<std::int64_t> hold =
        words.size() >= 2 ? ParseInteger(words[1]) : std::optional<std::int64_t>();
    std::optional<std::int64_t> lift =
        words.size() >= 3 ? ParseInteger(words[2]) : std::optional<std::int64_t>(0);
    if (words.size() < 2 || words.size() > 3 || !hold || !lift || *hold < 0 || *lift < 0) {
      warnings.push_back(source + " line " + std::to_string(line.number) +
                         ": expected NODE HOLD_MS [LIFT_MS]");
      continue;
    }
    script.steps_.push_back({std::string(words[0]), *hold, *lift});
  }
  return script;
}

ProbeScript ProbeScript::Hold(const std::string& node) {
  ProbeScript script;
  script.steps_.push_back({node, 0, 0});
  return script;
}

ProbeScript ProbeScript::Cycle(const std::vector<std::string>& nodes, int holdMs, int liftMs) {
  ProbeScript script;
  for (const std::string& node : nodes) {
    script.steps_.push_back({node, holdMs > 0 ? holdMs : 1, liftMs});
  }
  return script;
}

std::vector<std::string> ProbeScript::Nodes() const {
  std::vector<std::string> nodes;
  for (const Step& step : steps_) nodes.push_back(step.node);
  return nodes;
}

ProbeContact ProbeScript::At(std::int64_t ms) const {
  ProbeContact contact;
  if (steps_.empty() || ms < 0) return contact;
  // One pass through the script, stopping at a step held for good.
  std::int64_t period = 0;
  for (std::size_t i = 0; i < steps_.size(); ++i) {
    const Step& step = steps_[i];
    if (step.holdMs == 0) {
      if (ms >= period) return {true, step.node, 2 * i, period};
      break;
    }
    period += step.holdMs + step.liftMs;
  }
  std::int64_t loop = period > 0 ? ms / period : 0;
  std::int64_t offset = period > 0 ? ms % period : ms;
  std::int64_t start = 0;
  const std::uint64_t perLoop = 2 * steps_.size();
  for (std::size_t i = 0; i < steps_.size(); ++i) {
    const Step& step = steps_[i];
    std::uint64_t base = static_cast<std::uint64_t>(loop) * perLoop + 2 * i;
    std::int64_t loopStart = loop * period;
    if (offset < start + step.holdMs) return {true, step.node, base, loopStart + start};
    if (offset < start + step.holdMs + step.liftMs) {
      return {false, {}, base + 1, loopStart + start + step.holdMs};
    }
    start += step.holdMs + step.liftMs;
  }
  return contact;
}

ButtonScript ButtonScript::Parse(std::string_view text, const std::string& source,
                                 std::vector<std::string>& warnings) {
  ButtonScript script;
  for (const TextLine& line : MeaningfulLines(text)) {
    std::vector<std::string_view> words = SplitWords(line.text);
    std::string where = source + " line " + std::to_string(line.number);
    if (words.size() == 2 && EqualsIgnoringCase(words[0], "loop")) {
      std::optional<std::int64_t> period = ParseInteger(words[1]);
      if (!period || *period < 0) {
        warnings.push_back(where + ": expected loop PERIOD_MS");
      } else {
        script.periodMs_ = *period;
      }
      continue;
    }
    std::optional<std::int64_t> at = words.size() == 3 ? ParseInteger(words[0]) : std::nullopt;
    std::optional<std::int64_t> hold = words.size() == 3 ? ParseInteger(words[2]) : std::nullopt;
    std::uint16_t buttons = 0;
    if (words.size() == 3) {
      for (char c : words[1]) {
        if (c == 'A' || c == 'a')
          buttons |= 1;
        else if (c == 'B' || c == 'b')
          buttons |= 2;
        else
          buttons = 0xFFFF;
      }
    }
    if (!at || !hold || *at < 0 || *hold < 0 || buttons == 0 || buttons == 0xFFFF) {
      warnings.push_back(where + ": expected AT_MS A|B|AB HOLD_MS");
      continue;
    }
    script.presses_.push_back({*at, buttons, *hold});
  }
  return script;
}

std::uint16_t ButtonScript::At(std::int64_t ms) const {
  if (ms < 0) return 0;
  std::int64_t t = periodMs_ > 0 ? ms % periodMs_ : ms;
  std::uint16_t held = 0;
  for (const Press& press : presses_) {
    if (t >= press.atMs && t < press.atMs + press.holdMs) held |= press.buttons;
  }
  return held;
}

}  // namespace vanto::sim
