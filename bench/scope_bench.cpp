// The two scope passes with their time budgets, at the sizes of a
// 1545-pixel window (main scope 697 x 697, mini-scopes 231 x 231): the
// per-frame scope redraw of the main scope and the centre mini-scope,
// decided and painted (under 1 ms) and the display refresh with nine mini-scopes (under 10 ms).
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

#include "testplan/signature_record.h"
#include "ui/qt/scope_passes.h"

namespace vanto {
namespace {

constexpr int kPoints = 64;

// A resistor in parallel with a capacitor: a tilted ellipse of the given
// size in volts, at 5 V and 5 mA full scale.
Signature Loop(float volts, float tilt) {
  Signature s;
  s.pointCount = kPoints;
  for (int i = 1; i <= kPoints; ++i) {
    const float phase = 2.0f * std::numbers::pi_v<float> * static_cast<float>(i - 1) / kPoints;
    s.voltage[i] = volts * std::cos(phase);
    s.current[i] = 0.003f * std::sin(phase) + tilt * std::cos(phase);
  }
  return s;
}

struct ScopeScene {
  ScopeScene() {
    generator.appliedMv = 5000.0f;
    generator.appliedOhms = 1000.0f;
    generator.appliedHz = 1000.0f;
    generator.actualOhms = 1000;
    plan.table.InsertEmptyRows(2, 20);
    for (int row = 2; row <= 21; ++row) {
      StoreLiveSignature(plan.table, row, 0, Loop(4.0f, 0.0001f * row), generator);
      StoreLiveSignature(plan.table, row, 1, Loop(3.9f, 0.0001f * row), generator);
      plan.table.SetCell(row, 8, "U" + std::to_string(row) + "\xC2\xA3 Pin 3");
      plan.table.SetCell(row, 9, row % 3 == 0 ? "Bad" : "Good");
      plan.table.SetCell(row, 30, "Yes");
    }
    plan.currentRecord = 10;
    analysis.liveSignature = Loop(4.1f, 0.001f);
    context.sizes.mainScope = QSize(697, 697);
    for (auto& size : context.sizes.miniScopes) size = QSize(231, 231);
    RefreshDisplay(context);
  }

  Settings settings;
  TestPlanState plan;
  SignatureAnalysis analysis;
  GeneratorSettings generator;
  DisplayRequests display;
  std::string planFile = "testplans\\demo1.ept";
  ScopeBadges badges;
  ScopeContext context{settings, plan, generator, display, planFile, badges};
  ScopeRedrawState state{settings, generator, true, plan, analysis, display};
};

void BM_RedrawScopes(benchmark::State& state) {
  ScopeScene scene;
  for (auto _ : state) {
    RedrawScopes(scene.context, DecideScopeRedraw(scene.state));
    benchmark::DoNotOptimize(scene.context.images.mainScope.constBits());
  }
}
BENCHMARK(BM_RedrawScopes)->Unit(benchmark::kMicrosecond);

void BM_RefreshDisplay(benchmark::State& state) {
  ScopeScene scene;
  for (auto _ : state) {
    RefreshDisplay(scene.context);
    benchmark::DoNotOptimize(scene.context.images.miniScopes[8].constBits());
  }
}
BENCHMARK(BM_RefreshDisplay)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vanto
