// Scripts that run against the time since the device was opened: where the
// operator's probe is (land on a node, hold, lift, next; looping) and which
// of the instrument's A and B buttons are held.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vanto::sim {

struct ProbeContact {
  bool landed = false;
  std::string node;           // when landed
  std::uint64_t landing = 0;  // distinct for every landing and every lift
  std::int64_t sinceMs = 0;   // when this landing or lift began
};

class ProbeScript {
 public:
  // Lines "NODE HOLD_MS [LIFT_MS]"; a hold of 0 keeps the probe there for good.
  static ProbeScript Parse(std::string_view text, const std::string& source,
                           std::vector<std::string>& warnings);
  static ProbeScript Hold(const std::string& node);
  static ProbeScript Cycle(const std::vector<std::string>& nodes, int holdMs, int liftMs);

  ProbeContact At(std::int64_t ms) const;
  std::vector<std::string> Nodes() const;

 private:
  struct Step {
    std::string node;
    std::int64_t holdMs;
    std::int64_t liftMs;
  };
  std::vector<Step> steps_;
};

class ButtonScript {
 public:
  // Lines "AT_MS A|B|AB HOLD_MS", and optionally "loop PERIOD_MS".
  static ButtonScript Parse(std::string_view text, const std::string& source,
                            std::vector<std::string>& warnings);

  // Bit 0 = A held, bit 1 = B held.
  std::uint16_t At(std::int64_t ms) const;

 private:
  struct Press {
    std::int64_t atMs;
    std::uint16_t buttons;
    std::int64_t holdMs;
  };
  std::vector<Press> presses_;
  std::int64_t periodMs_ = 0;
};

}  // namespace vanto::sim
