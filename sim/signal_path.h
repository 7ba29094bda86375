// The instrument's analogue side for one data frame: how it reads its
// registers, the DAC's sine (or static level) in its range, the source
// resistor, the device under test solved in time over whole cycles, and
// the two ADCs (ADC0 on the generator side, ADC1 on the node) with their
// gains, offsets and seeded noise, summed into 64 points.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <random>

#include "dut_solver.h"
#include "instrument_model.h"
#include "virtual_board.h"
#include "wire_format.h"

namespace vanto::sim {

using RegisterFile = std::array<std::uint32_t, 32>;

// Register meanings as this instrument takes them.
struct GeneratorSetup {
  bool staticOutput = false;  // register 1 bit 4: the level of register 3
  bool highRange = false;     // register 1 bit 5
  int staticCode = 0;         // register 3, low 16 bits signed
  double amplitudeCode = 0;   // register 4: code span from negative to positive peak
  int offsetCode = 0;         // register 5, low 16 bits signed
  bool sine = true;           // false when register 14 is 0
  double hz = 1000;           // register 14 (1000 stands in when it is 0)
  int samplesPerPoint = 0;    // register 11
  int cyclesPerFrame = 0;     // register 12
  int nominalOhms = 10000;    // register 8, matched to the nearest fitted resistor
  double AcquisitionSeconds() const { return cyclesPerFrame / hz; }
};

GeneratorSetup DecodeGeneratorSetup(const RegisterFile& registers, const ModelInfo& model);

// Samples in one point are capped so that a point sum cannot overflow.
inline constexpr int kMaxSamplesPerPoint = 20000;

struct AcquisitionJob {
  RegisterFile registers{};
  CircuitRef dut;               // null: nothing at the node
  std::uint64_t contactId = 0;  // changes when the node changes
  std::int64_t contactSinceUs = 0;
  std::int64_t acqStartUs = 0;
  std::int64_t acqEndUs = 0;
};

// Owned and used by the simulator's acquisition worker only.
class SignalPath {
 public:
  SignalPath(const InstrumentTrim& trim, const ModelInfo& model, std::uint64_t seed,
             double noiseCounts);

  PointSums Acquire(const AcquisitionJob& job);

 private:
  double GeneratorVolts(const GeneratorSetup& setup, double phase) const;
  std::int32_t Sample(int channel, double volts);

  InstrumentTrim trim_;
  const ModelInfo* model_;
  std::mt19937_64 random_;
  std::normal_distribution<double> normal_{0.0, 1.0};
  double noiseCounts_;
  CircuitRef dut_;
  std::unique_ptr<DutSolver> solver_;
  std::uint64_t contactId_ = ~0ull;
  std::int64_t stateUs_ = 0;  // time the circuit state belongs to
};

}  // namespace vanto::sim
