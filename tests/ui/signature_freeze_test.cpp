// Freezing a golden and a DUT signature by hand and by the automatic cycle.
#include "ui/signature_freeze.h"

#include <gtest/gtest.h>

#include "test_run_bench.h"

namespace vanto::testing {
namespace {

constexpr float kGoldenNode = 10000.0f;
constexpr float kDutNode = 3300.0f;
constexpr float kNextNode = 1500.0f;

bool SamePoints(const Signature& a, const Signature& b) {
  return a.voltage == b.voltage && a.current == b.current;
}

bool Cleared(const Signature& signature) {
  return SamePoints(signature, Signature{});
}

TEST(FreezeToggles, DownFreezesTheLiveSignatureWithTheFrozenCaption) {
  RunBench bench;
  bench.analysis.liveSignature = ResistorNode(kGoldenNode);
  bench.display.displayRefreshPending = false;

  RunControlAction(bench.context, RibbonControl::FreezeGolden, 1);
  bench.analysis.liveSignature = ResistorNode(kDutNode);
  RunControlAction(bench.context, RibbonControl::FreezeDut, 1);

  EXPECT_TRUE(bench.freeze.goldenFrozen);
  EXPECT_TRUE(bench.freeze.dutFrozen);
  EXPECT_STREQ(FreezeGoldenToggleCaption(bench.freeze), "Golden Frozen");
  EXPECT_STREQ(FreezeDutToggleCaption(bench.freeze), "  DUT   Frozen");
  EXPECT_TRUE(SamePoints(bench.analysis.frozenGolden, ResistorNode(kGoldenNode)));
  EXPECT_TRUE(SamePoints(bench.analysis.frozenDut, ResistorNode(kDutNode)));
  // The change shows at the next redraw; the toggles ask for none.
  EXPECT_FALSE(bench.display.displayRefreshPending);
  EXPECT_FALSE(bench.display.scopeRedrawPending);
}

TEST(FreezeToggles, UpClearsWithTheFreezeCaption) {
  RunBench bench;
  bench.analysis.liveSignature = ResistorNode(kGoldenNode);
  RunControlAction(bench.context, RibbonControl::FreezeGolden, 1);
  RunControlAction(bench.context, RibbonControl::FreezeDut, 1);

  RunControlAction(bench.context, RibbonControl::FreezeGolden, 0);
  RunControlAction(bench.context, RibbonControl::FreezeDut, 0);

  EXPECT_FALSE(bench.freeze.goldenFrozen);
  EXPECT_FALSE(bench.freeze.dutFrozen);
  EXPECT_STREQ(FreezeGoldenToggleCaption(bench.freeze), "Freeze Golden");
  EXPECT_STREQ(FreezeDutToggleCaption(bench.freeze), " Freeze   DUT ");
  EXPECT_TRUE(Cleared(bench.analysis.frozenGolden));
  EXPECT_TRUE(Cleared(bench.analysis.frozenDut));
}

// The window shows each toggle's new caption at once, without waiting for
// an interface refresh.
TEST(FreezeToggles, EveryToggleAsksTheWindowToShowItsCaption) {
  RunBench bench;
  for (const auto& [control, value] : {std::pair{RibbonControl::FreezeGolden, 1},
                                       std::pair{RibbonControl::FreezeDut, 1},
                                       std::pair{RibbonControl::FreezeGolden, 0},
                                       std::pair{RibbonControl::FreezeDut, 0}}) {
    const int before = bench.hooks.freezeToggleShows;
    RunControlAction(bench.context, control, value);
    EXPECT_EQ(bench.hooks.freezeToggleShows, before + 1) << static_cast<int>(control) << value;
  }
  EXPECT_EQ(bench.hooks.interfaceRefreshes, 0);
}

TEST(FreezeToggles, RaisingFreezeGoldenClearsAGoldenTheCycleFroze) {
  RunBench bench;
  bench.analysis.frozenGolden = ResistorNode(kGoldenNode);
  bench.freeze.autoFreezeStep = 1;
  RunControlAction(bench.context, RibbonControl::FreezeGolden, 0);
  EXPECT_TRUE(Cleared(bench.analysis.frozenGolden));
  EXPECT_EQ(bench.freeze.autoFreezeStep, 1);  // the toggles leave the cycle alone
}

TEST(FreezeToggles, AutoFreezeSetsTheFlagRestartsTheCycleAndRefreshes) {
  RunBench bench;
  bench.freeze.autoFreezeStep = 3;
  RunControlAction(bench.context, RibbonControl::AutoFreeze, 1);
  EXPECT_EQ(bench.freeze.autoFreezeOn, 1);
  EXPECT_EQ(bench.freeze.autoFreezeStep, 0);
  bench.freeze.autoFreezeStep = 2;
  RunControlAction(bench.context, RibbonControl::AutoFreeze, 0);
  EXPECT_EQ(bench.freeze.autoFreezeOn, 0);
  EXPECT_EQ(bench.freeze.autoFreezeStep, 0);
  EXPECT_EQ(bench.hooks.interfaceRefreshes, 2);
}

class AutoFreeze : public ::testing::Test {
 protected:
  AutoFreeze() {
    bench.settings.mode = "Basic";
    RunControlAction(bench.context, RibbonControl::AutoFreeze, 1);
  }
  RunBench bench;
};

TEST_F(AutoFreeze, CyclesGoldenThenDutThenClearsOnTheThirdContact) {
  bench.Touch(kGoldenNode);
  EXPECT_TRUE(SamePoints(bench.analysis.frozenGolden, ResistorNode(kGoldenNode)));
  EXPECT_TRUE(Cleared(bench.analysis.frozenDut));
  EXPECT_EQ(bench.sounds.played, std::vector<SoundId>{SoundId::CaptureSignature});
  EXPECT_EQ(bench.display.captureFlashCount, 3);
  EXPECT_EQ(bench.freeze.autoFreezeStep, 1);

  bench.display.captureFlashCount = 0;
  bench.Lift();
  bench.Touch(kDutNode);
  EXPECT_TRUE(SamePoints(bench.analysis.frozenDut, ResistorNode(kDutNode)));
  EXPECT_TRUE(SamePoints(bench.analysis.frozenGolden, ResistorNode(kGoldenNode)));
  EXPECT_EQ(bench.sounds.played.size(), 1u);  // no sound for the DUT
  EXPECT_EQ(bench.display.captureFlashCount, 3);
  EXPECT_EQ(bench.freeze.autoFreezeStep, 3);

  bench.Lift();
  EXPECT_EQ(bench.freeze.autoFreezeStep, 4);
  bench.Pass(ResistorNode(kNextNode));  // lands: classified not open
  bench.Pass(ResistorNode(kNextNode));  // the cycle sees it and clears both at once
  EXPECT_TRUE(Cleared(bench.analysis.frozenGolden));
  EXPECT_TRUE(Cleared(bench.analysis.frozenDut));
  EXPECT_EQ(bench.freeze.autoFreezeStep, 0);

  bench.Touch(kNextNode);
  EXPECT_TRUE(SamePoints(bench.analysis.frozenGolden, ResistorNode(kNextNode)));
  EXPECT_EQ(bench.Count(SoundId::CaptureSignature), 2);
  // The cycle leaves the toggles and their captions alone.
  EXPECT_FALSE(bench.freeze.goldenFrozen);
  EXPECT_STREQ(FreezeGoldenToggleCaption(bench.freeze), "Freeze Golden");
}

TEST_F(AutoFreeze, AContactThatNeverSettlesFreezesNothing) {
  for (int i = 0; i < 5 * bench.SettlePasses(); ++i) {
    bench.Pass(ResistorNode(i % 2 == 0 ? kGoldenNode : kDutNode));
  }
  EXPECT_TRUE(Cleared(bench.analysis.frozenGolden));
  EXPECT_EQ(bench.freeze.autoFreezeStep, 0);
  EXPECT_TRUE(bench.sounds.played.empty());
}

TEST_F(AutoFreeze, LiftingWhileWaitingForAContactKeepsTheStep) {
  bench.Lift();
  EXPECT_EQ(bench.freeze.autoFreezeStep, 0);
  bench.Touch(kGoldenNode);
  bench.Lift();
  ASSERT_EQ(bench.freeze.autoFreezeStep, 2);
  bench.Lift();
  EXPECT_EQ(bench.freeze.autoFreezeStep, 2);
}

TEST_F(AutoFreeze, RunsOnlyInTestBoardMode) {
  bench.run.runMode = RunMode::Capture;
  bench.Touch(kGoldenNode);
  EXPECT_TRUE(Cleared(bench.analysis.frozenGolden));
  bench.run.runMode = RunMode::TestBoard;
  bench.settings.mode = "Advanced";  // the hidden toggle keeps working there
  bench.Touch(kGoldenNode);
  EXPECT_TRUE(SamePoints(bench.analysis.frozenGolden, ResistorNode(kGoldenNode)));
}

}  // namespace
}  // namespace vanto::testing
