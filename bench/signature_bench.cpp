// The two signature computations with a time budget: the golden comparison
// of one 64-point record (under 2 ms) and the per-frame classification
// (under 1 microsecond).
#include <benchmark/benchmark.h>

#include <cmath>

#include "signature/classification.h"
#include "link/generator_full_scale.h"
#include "signature/golden_difference.h"
#include "testplan/golden_record.h"
#include "testplan/signature_record.h"

namespace vanto {
namespace {

constexpr int kPoints = 64;

GeneratorSettings OneVoltOneKilohm() {
  GeneratorSettings generator;
  generator.appliedMv = 1000.0f;
  generator.appliedOhms = 1000.0f;
  generator.appliedHz = 100.0f;
  generator.actualOhms = 1000;
  return generator;
}

// A resistor in parallel with a capacitor: a tilted ellipse.
Signature Ellipse(float size) {
  Signature signature;
  signature.pointCount = kPoints;
  for (int i = 1; i <= kPoints; ++i) {
    const float phase = 2.0f * 3.14159265f * static_cast<float>(i - 1) / kPoints;
    signature.voltage[i] = 0.6f * size * std::cos(phase);
    signature.current[i] = 0.4e-3f * size * std::sin(phase) + 0.2e-3f * std::cos(phase);
  }
  return signature;
}

// range(0): measured size in per mille of the golden one (1000 identical,
// 1020 a typical good board, 1500 a bad one that covers nothing).
void BM_MeasureGoldenDifference(benchmark::State& state) {
  TestPlanState plan;
  plan.table.InsertEmptyRows(2, 1);
  plan.currentRecord = 2;
  StoreLiveSignature(plan.table, 2, 0, Ellipse(1.0f), OneVoltOneKilohm());
  SignatureAnalysis analysis;
  analysis.displaySignature = Ellipse(static_cast<float>(state.range(0)) / 1000.0f);
  for (auto _ : state) {
    benchmark::DoNotOptimize(MeasureGoldenDifference(analysis, plan));
  }
  state.counters["difference"] = analysis.goldenDifference;
}
BENCHMARK(BM_MeasureGoldenDifference)
    ->Arg(1000)
    ->Arg(1020)
    ->Arg(1500)
    ->Unit(benchmark::kMicrosecond);

// A settled signature: the whole stability scan runs every call.
void BM_ClassifySignature(benchmark::State& state) {
  const GeneratorSettings generator = OneVoltOneKilohm();
  const Settings settings;
  SignatureAnalysis analysis;
  analysis.liveSignature = Ellipse(1.0f);
  analysis.referenceSignature = Ellipse(1.0f);
  for (auto _ : state) {
    benchmark::DoNotOptimize(ClassifySignature(analysis, GeneratorFullScale(generator), settings));
    analysis.stableCycleCount = 0;
  }
}
BENCHMARK(BM_ClassifySignature)->Unit(benchmark::kNanosecond);

}  // namespace
}  // namespace vanto
