// The outcome of an automatic run: its text, when it is decided, how long it
// stands and how it shares the window's status text with the link.
#include "ui/run_outcome.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "test_run_bench.h"

namespace vanto::testing {
namespace {

constexpr float kGoodNode = 10000.0f;
constexpr float kFaultyNode = 5000.0f;

TEST(RunOutcomeText, CountsGoodBadAndNoTestOverThePlan) {
  RunBench bench;
  bench.MakePlan({Golden(kGoodNode).WithStatus(cell::kGood), Golden(kGoodNode).WithStatus(cell::kBad),
                  Golden(kGoodNode).WithStatus(cell::kNoTest), Golden(kGoodNode),
                  Golden(kGoodNode).WithStatus(cell::kGood)});
  EXPECT_EQ(RunCompleteText(bench.plan), "Run complete: 2 Good, 1 Bad, 1 NoTest");
}

struct EndCase {
  const char* name;
  RunMode idle;
  std::vector<RecordSetup> records;
  std::vector<float> touches;  // one node per record the run works on
  std::string outcome;
};

TEST(RunOutcome, DecidedWhenTheRunEndsByItself) {
  const RecordSetup golden = Golden(kGoodNode);
  const RecordSetup uncaptured{};
  const RecordSetup noTest = Golden(kGoodNode).WithStatus(cell::kNoTest);
  const RecordSetup good = Golden(kGoodNode).WithStatus(cell::kGood);
  const std::vector<EndCase> cases = {
      {"test past the last record", RunMode::TestBoard, {golden, golden, noTest},
       {kGoodNode, kFaultyNode}, "Run complete: 1 Good, 1 Bad, 1 NoTest"},
      {"test with nothing to do", RunMode::TestBoard, {good}, {},
       "Nothing left to test"},
      {"capture past the last record", RunMode::Capture, {uncaptured, uncaptured},
       {kGoodNode, kGoodNode}, "Run complete: 0 Good, 0 Bad, 0 NoTest"},
      {"capture with nothing to do", RunMode::Capture, {golden}, {}, "Nothing left to test"},
  };
  for (const EndCase& c : cases) {
    SCOPED_TRACE(c.name);
    RunBench bench;
    bench.run.useRecordSettings = false;
    bench.MakePlan(c.records);
    bench.run.runMode = c.idle;
    RunControlAction(bench.context, RibbonControl::AutomaticRun);
    for (const float node : c.touches) {
      EXPECT_FALSE(bench.run.outcome.text.has_value());  // not while it runs
      bench.Lift();
      bench.Touch(node);
    }
    bench.Lift();
    EXPECT_EQ(bench.run.runMode, c.idle);
    EXPECT_EQ(bench.run.outcome.text, c.outcome);
    EXPECT_TRUE(bench.display.scopeRedrawPending);
  }
}

TEST(RunOutcome, EndingTheRunByHandDecidesNone) {
  RunBench bench;
  bench.MakePlan({Golden(kGoodNode), Golden(kGoodNode)});
  RunControlAction(bench.context, RibbonControl::AutomaticRun);
  bench.Lift();
  bench.Touch(kGoodNode);
  RunControlAction(bench.context, RibbonControl::AutomaticRun);
  bench.Lift();
  EXPECT_EQ(bench.run.runMode, RunMode::TestBoard);
  EXPECT_FALSE(bench.run.outcome.text.has_value());
}

TEST(RunOutcome, ARecordChangeClearsItUnlessItComesBackFromPastTheEnd) {
  RunBench bench;
  bench.MakePlan({Golden(kGoodNode), Golden(kGoodNode), Golden(kGoodNode)});  // rows 2..4
  bench.plan.currentRecord = 5;  // past the end, where a finished run stops
  bench.run.outcome.recordsDone = 1;
  NoteRunEnd(bench.context);
  const struct {
    int record;
    bool stands;
  } moves[] = {{5, true}, {4, true}, {3, false}};
  for (const auto& move : moves) {
    bench.plan.currentRecord = move.record;
    bench.display.scopeRedrawPending = false;
    ClearRunOutcomeOnRecordChange(bench.run.outcome, bench.plan, bench.display);
    EXPECT_EQ(bench.run.outcome.text.has_value(), move.stands) << move.record;
    EXPECT_EQ(bench.display.scopeRedrawPending, !move.stands) << move.record;
  }
}

TEST(RunOutcome, TakesTheScopesStatusLineWhileItStands) {
  RunOutcome outcome;
  std::optional<std::string> line = "Stable, Count: 12";
  ShowRunOutcome(line, &outcome);
  EXPECT_EQ(line, "Stable, Count: 12");
  ShowRunOutcome(line, nullptr);
  EXPECT_EQ(line, "Stable, Count: 12");
  outcome.text = "Nothing left to test";
  ShowRunOutcome(line, &outcome);
  EXPECT_EQ(line, "Nothing left to test");
  std::optional<std::string> disconnected;
  ShowRunOutcome(disconnected, &outcome);
  EXPECT_EQ(disconnected, "Nothing left to test");
}

TEST(WindowStatusText, TheOutcomeHoldsTheLinksTextsBackAndGivesTheLatestBack) {
  RunBench bench;
  bench.MakePlan({Golden(kGoodNode)});
  RunOutcome& outcome = bench.run.outcome;
  using Text = std::optional<std::string>;
  EXPECT_EQ(WindowStatusText(outcome, "USB rail: 5.00V"), Text("USB rail: 5.00V"));
  EXPECT_EQ(WindowStatusText(outcome, std::nullopt), std::nullopt);
  NoteRunEnd(bench.context);
  EXPECT_EQ(WindowStatusText(outcome, "USB rail: 4.99V"), Text("Nothing left to test"));
  EXPECT_EQ(WindowStatusText(outcome, "USB rail: 4.98V"), std::nullopt);
  EXPECT_EQ(WindowStatusText(outcome, std::nullopt), std::nullopt);
  ClearRunOutcome(outcome, bench.display);
  EXPECT_EQ(WindowStatusText(outcome, std::nullopt), Text("USB rail: 4.98V"));
  EXPECT_EQ(WindowStatusText(outcome, "USB rail: 4.97V"), Text("USB rail: 4.97V"));
  ClearRunOutcome(outcome, bench.display);  // nothing stands: nothing to give back
  EXPECT_EQ(WindowStatusText(outcome, std::nullopt), std::nullopt);
}

}  // namespace
}  // namespace vanto::testing
