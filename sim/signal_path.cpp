#include "signal_path.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vanto::sim {
namespace {

constexpr int kMaxSettleCycles = 256;
constexpr int kSettleStepBudget = 4096;
constexpr int kMinStepsPerCycle = 256;

int ClampedInt(std::uint32_t value, int low, int high) {
  std::int64_t v = static_cast<std::int32_t>(value);
  return static_cast<int>(std::clamp<std::int64_t>(v, low, high));
}

}  // namespace

GeneratorSetup DecodeGeneratorSetup(const RegisterFile& registers, const ModelInfo& model) {
  GeneratorSetup setup;
  setup.staticOutput = (registers[1] & 0x10u) != 0;
  setup.highRange = (registers[1] & 0x20u) != 0;
  setup.staticCode = DacCodeFromRegister(registers[3]);
  setup.amplitudeCode = std::min<std::uint32_t>(registers[4], 0xFFFFu);
  setup.offsetCode = DacCodeFromRegister(registers[5]);
  int hz = ClampedInt(registers[14], 0, 100000);
  setup.sine = hz > 0;
  setup.hz = hz > 0 ? hz : 1000;
  setup.samplesPerPoint = ClampedInt(registers[11], 0, kMaxSamplesPerPoint);
  setup.cyclesPerFrame = ClampedInt(registers[12], 0, kMaxSamplesPerPoint);
  if (setup.samplesPerPoint > 0 &&
      setup.samplesPerPoint * setup.cyclesPerFrame > kMaxSamplesPerPoint) {
    setup.cyclesPerFrame = kMaxSamplesPerPoint / setup.samplesPerPoint;
  }
  // The relay bank has only the model's resistors: take the nearest.
  double wanted = std::max(1.0, static_cast<double>(ClampedInt(registers[8], 0, 1 << 30)));
  double best = 1e300;
  for (int ohms : model.resistorOhms) {
    double distance = std::abs(std::log(ohms / wanted));
    if (distance < best) {
      best = distance;
      setup.nominalOhms = ohms;
    }
  }
  return setup;
}

SignalPath::SignalPath(const InstrumentTrim& trim, const ModelInfo& model, std::uint64_t seed,
                       double noiseCounts)
    : trim_(trim), model_(&model), random_(seed), noiseCounts_(noiseCounts) {}

double SignalPath::GeneratorVolts(const GeneratorSetup& setup, double phase) const {
  double code = setup.staticOutput ? setup.staticCode : setup.offsetCode;
  if (!setup.staticOutput && setup.sine) {
    code += 0.5 * setup.amplitudeCode * std::sin(2.0 * std::numbers::pi * phase);
  }
  return trim_.DacVolts(static_cast<int>(std::lround(code)), setup.highRange);
}

std::int32_t SignalPath::Sample(int channel, double volts) {
  double counts = trim_.AdcCounts(channel, volts);
  if (noiseCounts_ > 0.0) counts += noiseCounts_ * normal_(random_);
  return static_cast<std::int32_t>(std::clamp(std::round(counts), -32768.0, 32767.0));
}

PointSums SignalPath::Acquire(const AcquisitionJob& job) {
  const GeneratorSetup setup = DecodeGeneratorSetup(job.registers, *model_);
  const double sourceOhms = trim_.SourceOhms(setup.nominalOhms);
  if (!solver_ || job.contactId != contactId_) {
    dut_ = job.dut;
    solver_ = std::make_unique<DutSolver>(dut_.get());
    contactId_ = job.contactId;
    stateUs_ = job.contactSinceUs;
  }

  // Charge stored in the circuit follows the time since the last frame (or
  // since the probe landed), in coarse steps; whole cycles keep the phase.
  if (solver_->HasCapacitors()) {
    double elapsed = std::max<std::int64_t>(0, job.acqStartUs - stateUs_) / 1e6;
    int cycles = static_cast<int>(std::min<double>(kMaxSettleCycles, elapsed * setup.hz));
    if (cycles > 0) {
      int steps = std::clamp(kSettleStepBudget / cycles, 16, kMinStepsPerCycle);
      double h = 1.0 / (setup.hz * steps);
      for (int c = 0; c < cycles; ++c) {
        for (int s = 1; s <= steps; ++s) {
          solver_->Step(GeneratorVolts(setup, static_cast<double>(s) / steps), sourceOhms, h);
        }
      }
    }
  }

  PointSums sums;
  const int spp = setup.samplesPerPoint;
  const int samplesPerCycle = kFramePoints * spp;
  if (spp > 0 && setup.cyclesPerFrame > 0) {
    const int substeps = std::max(1, (kMinStepsPerCycle + samplesPerCycle - 1) / samplesPerCycle);
    const int stepsPerCycle = samplesPerCycle * substeps;
    const double h = 1.0 / (setup.hz * stepsPerCycle);
    std::array<std::int64_t, kFramePoints> sum0{};
    std::array<std::int64_t, kFramePoints> sum1{};
    for (int c = 0; c < setup.cyclesPerFrame; ++c) {
      int step = 0;
      for (int k = 0; k < kFramePoints; ++k) {
        for (int s = 0; s < spp; ++s) {
          double generator = 0.0;
          double node = 0.0;
          for (int j = 0; j < substeps; ++j) {
            ++step;
            generator = GeneratorVolts(setup, static_cast<double>(step) / stepsPerCycle);
            node = solver_->Step(generator, sourceOhms, h);
          }
          sum0[static_cast<std::size_t>(k)] += Sample(0, generator);
          sum1[static_cast<std::size_t>(k)] += Sample(1, node);
        }
      }
    }
    for (int k = 0; k < kFramePoints; ++k) {
      sums.adc0[static_cast<std::size_t>(k)] =
          static_cast<std::int32_t>(sum0[static_cast<std::size_t>(k)]);
      sums.adc1[static_cast<std::size_t>(k)] =
          static_cast<std::int32_t>(sum1[static_cast<std::size_t>(k)]);
    }
  }
  stateUs_ = job.acqEndUs;
  return sums;
}

}  // namespace vanto::sim
