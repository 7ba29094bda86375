// The generator step and the register values of the generator settings.
#include "link/generator_apply.h"

#include <algorithm>
#include <array>

#include "link/command_writer.h"
#include "link/instrument_models.h"
#include "link/rounding.h"

namespace vanto {

namespace {

struct FrameShape {
  int hz;
  std::int32_t pointCount;
  std::int32_t samplesPerPoint;
  std::int32_t cyclesPerFrame;
};

// Every frequency gives 64 points over about 0.08 s (0.1 s at 10 and 20 Hz).
constexpr std::array<FrameShape, 7> kFrameShapes = {{
    {10, 64, 100, 1},
    {20, 64, 50, 2},
    {50, 64, 20, 4},
    {100, 64, 10, 8},
    {200, 64, 5, 16},
    {500, 64, 2, 40},
    {1000, 64, 1, 80},
}};

constexpr int kHighestLowRangeMv = 1000;

template <std::size_t N>
int IndexOf(const std::array<int, N>& keys, std::int64_t value) {
  auto at = std::find(keys.begin(), keys.end(), value);
  return at == keys.end() ? -1 : static_cast<int>(at - keys.begin());
}

void ApplyPeakVoltage(LinkState& state, std::int64_t mv) {
  const GeneratorSettings& g = state.generator;
  const int index = IndexOf(kPeakCodeKeysMv, mv);
  if (index >= 0) {
    state.registers[kAmplitudeRegister] = g.amplitudeCode[static_cast<std::size_t>(index)];
    state.registers[kOffsetRegister] = g.offsetCode[static_cast<std::size_t>(index)];
    if (mv <= kHighestLowRangeMv) {
      state.registers[kControlRegister] &= ~kControlHighRangeBit;
    } else {
      state.registers[kControlRegister] |= kControlHighRangeBit;
    }
  }
  state.registers[kPeakMvRegister] = mv;
}

void ApplyResistance(LinkState& state, const std::string& model, std::int64_t ohms) {
  const InstrumentModelInfo* info = FindInstrumentModel(model);
  if (info == nullptr) return;
  const auto& offered = info->resistancesInListOrder;
  if (std::find(offered.begin(), offered.end(), ohms) != offered.end()) {
    const int index = IndexOf(kNominalOhms, ohms);
    state.generator.actualOhms = static_cast<std::int32_t>(
        RoundHalfEven(state.generator.resistorOhms[static_cast<std::size_t>(index)]));
  }
  state.registers[kOhmsRegister] = ohms;
}

void ApplyFrameShape(LinkState& state, Signature& live, std::int64_t hz) {
  for (const FrameShape& shape : kFrameShapes) {
    if (shape.hz != hz) continue;
    live.pointCount = shape.pointCount;
    state.generator.samplesPerPoint = shape.samplesPerPoint;
    state.generator.cyclesPerFrame = shape.cyclesPerFrame;
  }
}

}  // namespace

void GeneratorStep(InstrumentLink& link) {
  LinkState& state = link.state;
  GeneratorSettings& g = state.generator;
  const bool changed = g.requestedMv != g.appliedMv || g.requestedOhms != g.appliedOhms ||
                       g.requestedHz != g.appliedHz || g.scanSig != g.sentScanSig ||
                       g.scanCom != g.sentScanCom || g.dcMode != g.sentDcMode ||
                       g.dcLevel != g.sentDcLevel;
  if (changed) {
    g.appliedMv = g.requestedMv;
    g.appliedOhms = g.requestedOhms;
    g.appliedHz = g.requestedHz;
    g.sentScanSig = g.scanSig;
    g.sentScanCom = g.scanCom;
    g.sentDcMode = g.dcMode;
    g.sentDcLevel = g.dcLevel;
    state.displayRefreshRequested = true;
    g.sendSettings = 1;
    if (link.refreshInterface) link.refreshInterface();
  }
  if (state.usb.connected.load() == 1 && g.sendSettings == 1) {
    g.sendSettings = 0;
    ApplyGeneratorSettings(link);
  }
}

void ApplyGeneratorSettings(InstrumentLink& link) {
  LinkState& state = link.state;
  if (state.usb.connected.load() != 1) return;
  const GeneratorSettings& g = state.generator;

  const std::int64_t mv = RoundHalfEven(g.appliedMv);
  ApplyPeakVoltage(state, mv);
  const std::int64_t ohms = RoundHalfEven(g.appliedOhms);
  ApplyResistance(state, link.activeModel, ohms);
  const std::int64_t hz = RoundHalfEven(g.appliedHz);
  ApplyFrameShape(state, link.liveSignature, hz);

  const float dcScaled = g.dcLevel * g.dcGain;
  const float dcSum = dcScaled + g.dcZero;
  const std::int64_t dcCode = RoundHalfEven(dcSum);
  const std::int64_t zeroCode = RoundHalfEven(g.dcZero);

  RegisterImage& r = state.registers;
  r[kPointCountRegister] = link.liveSignature.pointCount;
  r[kSamplesPerPointRegister] = g.samplesPerPoint;
  r[kCyclesPerFrameRegister] = g.cyclesPerFrame;
  r[kFrequencyRegister] = hz;
  r[kScanSigRegister] = g.scanSig;
  r[kScanComRegister] = g.scanCom;
  r[kDcCodeRegister] = dcCode;
  r[kDcZeroRegister] = zeroCode;
  r[kDcModeRegister] = g.dcMode;
  r[kConstantRegister] = kConstantRegisterValue;

  // Registers 30-31 and the gaps go as they are (never given a value).
  WriteRegisters(link, 30, 2);
  WriteRegisters(link, 0, 6);
  WriteRegisters(link, 6, 1);
  WriteRegisters(link, 7, 9);
  WriteRegisters(link, 16, 8);
}

}  // namespace vanto
