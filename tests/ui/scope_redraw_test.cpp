// The decisions of the scope redraw, without any drawing: the classification
// it runs, the signature left on display for the golden comparison, the
// record brought back to the last one, the capture flash and the list of
// traces each mode shows.
#include "ui/scope_redraw.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_run_bench.h"

namespace vanto::testing {
namespace {

constexpr float kLiveNode = 2000.0f;
constexpr float kMeasuredNode = 500.0f;

bool SamePoints(const Signature& a, const Signature& b) {
  return a.voltage == b.voltage && a.current == b.current;
}

// Three records with goldens of different nodes; record 3 judged Good
// with a measured signature of its own.
struct RedrawScene {
  RedrawScene() {
    bench.MakePlan({Golden(1000.0f), Golden(3000.0f), Golden(4000.0f)});
    StoreLiveSignature(bench.plan.table, 3, 1, ResistorNode(kMeasuredNode), bench.generator);
    bench.plan.table.SetCell(3, cell::kStatus, cell::kGood);
    bench.analysis.liveSignature = ResistorNode(kLiveNode);
    bench.analysis.frozenGolden = ResistorNode(7000.0f);
    bench.analysis.frozenDut = ResistorNode(8000.0f);
  }

  ScopeRedrawState State(bool connected) {
    return {bench.settings, bench.generator, connected, bench.plan, bench.analysis, bench.display};
  }
  Signature Slot(int row, int slot) const { return ReadSlotSignature(bench.plan.table, row, slot); }

  RunBench bench;
};

TEST(ScopeRedraw, ClassifiesOncePerRedrawWhileConnectedOnly) {
  struct Case {
    const char* name;
    bool connected;
    int redraws;
    SignatureState state;
    int stableCount;
  };
  const std::vector<Case> cases = {
      {"first connected redraw: moved from the empty reference", true, 1, SignatureState::Unstable,
       0},
      {"each further connected redraw is one stable cycle", true, 4, SignatureState::Stable, 3},
      {"disconnected redraws classify nothing", false, 4, SignatureState::OpenCircuit, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RedrawScene scene;
    for (int i = 0; i < c.redraws; ++i) DecideScopeRedraw(scene.State(c.connected));
    EXPECT_EQ(scene.bench.analysis.signatureState, c.state);
    EXPECT_EQ(scene.bench.analysis.stableCycleCount, c.stableCount);
  }
}

TEST(ScopeRedraw, StatusLineShowsTheClassificationOfThisRedraw) {
  RedrawScene scene;
  RunBench& bench = scene.bench;
  DecideScopeRedraw(scene.State(true));
  DecideScopeRedraw(scene.State(true));
  const ScopeRedraw redraw = DecideScopeRedraw(scene.State(true));
  ASSERT_TRUE(redraw.statusText.has_value());
  EXPECT_EQ(*redraw.statusText,
            "Stable, Count: 2, Prev: 0.00%, Threshold: " + bench.settings.goldenVsLiveThreshold);
  EXPECT_FALSE(DecideScopeRedraw(scene.State(false)).statusText.has_value());
}

TEST(ScopeRedraw, RedrawsOnlyWhenRequestedAndClearsTheRequest) {
  RedrawScene scene;
  RunBench& bench = scene.bench;
  bench.display.scopeRedrawPending = false;
  EXPECT_FALSE(TakeScopeRedraw(scene.State(true)).has_value());
  EXPECT_EQ(bench.analysis.signatureState, SignatureState::OpenCircuit);  // not classified

  bench.display.scopeRedrawPending = true;
  EXPECT_TRUE(TakeScopeRedraw(scene.State(true)).has_value());
  EXPECT_FALSE(bench.display.scopeRedrawPending);
  EXPECT_EQ(bench.analysis.signatureState, SignatureState::Unstable);
}

// Which curves each mode lists and what stays in displaySignature.
enum class Shown { Golden, Measured, Live, FrozenGolden, FrozenDut, Untouched };

TEST(ScopeRedraw, EachModeListsItsTracesAndLeavesTheLastOneOnDisplay) {
  struct Case {
    const char* mode;
    int record;  // 2: untested, 3: Good
    bool connected;
    std::vector<Shown> traces;
    Shown display;
  };
  const std::vector<Case> cases = {
      {"Advanced", 2, false, {Shown::Golden}, Shown::Golden},
      {"Advanced", 3, false, {Shown::Golden, Shown::Measured}, Shown::Measured},
      {"Advanced", 3, true, {Shown::Golden, Shown::Measured, Shown::Live}, Shown::Live},
      {"Basic", 3, false, {Shown::FrozenGolden, Shown::FrozenDut}, Shown::Untouched},
      {"Basic", 3, true, {Shown::FrozenGolden, Shown::FrozenDut, Shown::Live}, Shown::Live},
      {"Basic-Auto", 3, false, {}, Shown::Untouched},
      {"Basic-Auto", 3, true, {Shown::Live}, Shown::Live},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.mode) + " record " + std::to_string(c.record) +
                 (c.connected ? " connected" : " disconnected"));
    RedrawScene scene;
    RunBench& b = scene.bench;
    b.settings.mode = c.mode;
    b.plan.currentRecord = c.record;
    const Signature before = ResistorNode(9000.0f);
    b.analysis.displaySignature = before;
    const auto expected = [&](Shown shown) -> std::pair<Signature, std::int32_t> {
      switch (shown) {
        case Shown::Golden: return {scene.Slot(c.record, 0), b.settings.colourScopeXTraceGoldenSig};
        case Shown::Measured: return {scene.Slot(c.record, 1), b.settings.colourScopeXTraceDutSig};
        case Shown::Live: return {b.analysis.liveSignature, b.settings.colourScopeXTraceLiveSig};
        case Shown::FrozenGolden:
          return {b.analysis.frozenGolden, b.settings.colourScopeXTraceGoldenSig};
        case Shown::FrozenDut: return {b.analysis.frozenDut, b.settings.colourScopeXTraceDutSig};
        case Shown::Untouched: break;
      }
      return {before, 0};
    };

    const ScopeRedraw redraw = DecideScopeRedraw(scene.State(c.connected));

    ASSERT_EQ(redraw.mainTraces.size(), c.traces.size());
    for (std::size_t i = 0; i < c.traces.size(); ++i) {
      SCOPED_TRACE(i);
      const auto [signature, colour] = expected(c.traces[i]);
      EXPECT_TRUE(SamePoints(redraw.mainTraces[i].signature, signature));
      EXPECT_EQ(redraw.mainTraces[i].colour, colour);
    }
    EXPECT_TRUE(SamePoints(b.analysis.displaySignature, expected(c.display).first));
    EXPECT_EQ(redraw.centreTrace.has_value(), c.connected);
    if (redraw.centreTrace) {
      EXPECT_TRUE(SamePoints(redraw.centreTrace->signature, b.analysis.liveSignature));
      EXPECT_EQ(redraw.centreTrace->colour, b.settings.colourScopeXTraceLiveSig);
    }
  }
}

TEST(ScopeRedraw, TracesUseTheAppliedFullScaleAndTheLivePointCount) {
  RedrawScene scene;
  RunBench& bench = scene.bench;
  bench.generator.appliedMv = 5000.0f;
  bench.generator.actualOhms = 1000;
  bench.analysis.liveSignature.pointCount = 48;
  const ScopeRedraw redraw = DecideScopeRedraw(scene.State(false));
  EXPECT_EQ(redraw.fullScale.volts, 5.0f);
  EXPECT_EQ(redraw.fullScale.amps, 5.0f / 1000.0f);
  EXPECT_EQ(redraw.pointCount, 48);
}

TEST(ScopeRedraw, AdvancedBringsARecordPastTheEndBackToTheLastAndShowsItsMeasured) {
  struct Case {
    const char* mode;
    int current;
    int afterwards;
    int goldenRow;  // whose golden is listed first
  };
  const std::vector<Case> cases = {
      {"Advanced", 5, 4, 4},  // one past the end ("END")
      {"Advanced", 9, 4, 4},
      {"Advanced", 4, 4, 4},
      {"Advanced", 1, 1, 1},  // the plan row keeps its place
      {"Basic", 5, 5, 0},     // only Advanced brings it back
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.mode) + " from " + std::to_string(c.current));
    RedrawScene scene;
    RunBench& b = scene.bench;
    StoreLiveSignature(b.plan.table, 4, 1, ResistorNode(kMeasuredNode), b.generator);
    b.plan.table.SetCell(4, cell::kStatus, cell::kBad);
    b.settings.mode = c.mode;
    b.plan.currentRecord = c.current;

    const ScopeRedraw redraw = DecideScopeRedraw(scene.State(false));

    EXPECT_EQ(b.plan.currentRecord, c.afterwards);
    if (c.goldenRow == 0) continue;
    ASSERT_FALSE(redraw.mainTraces.empty());
    EXPECT_TRUE(SamePoints(redraw.mainTraces[0].signature, scene.Slot(c.goldenRow, 0)));
    // The measured curve is that of the record after the clamp.
    const bool measured = c.afterwards == 4;
    ASSERT_EQ(redraw.mainTraces.size(), measured ? 2u : 1u);
    if (measured) {
      EXPECT_TRUE(SamePoints(redraw.mainTraces[1].signature, scene.Slot(4, 1)));
      EXPECT_TRUE(SamePoints(b.analysis.displaySignature, scene.Slot(4, 1)));
    }
  }
}

TEST(ScopeRedraw, CaptureFlashBlanksTheMainScopeForThreeRedraws) {
  RedrawScene scene;
  RunBench& bench = scene.bench;
  bench.display.captureFlashCount = kCaptureFlashRedraws;
  std::vector<bool> blank;
  std::vector<int> counts;
  for (int redraw = 0; redraw < 5; ++redraw) {
    blank.push_back(DecideScopeRedraw(scene.State(true)).mainBlank);
    counts.push_back(bench.display.captureFlashCount);
  }
  EXPECT_EQ(blank, (std::vector<bool>{true, true, true, false, false}));
  EXPECT_EQ(counts, (std::vector<int>{2, 1, 0, 0, 0}));
}

}  // namespace
}  // namespace vanto::testing
