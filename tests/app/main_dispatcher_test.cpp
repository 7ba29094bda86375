// The dispatcher pass over a real application context and link state, with
// a recording window: queued events, the once-a-second relayout, clicks,
// the link's displays and the order of the scope passes.
#include "app/main_dispatcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/settings.h"
#include "link/link_fixture.h"
#include "link/link_indicator.h"
#include "support/fakes.h"
#include "support/temp_workdir.h"
#include "ui/test_run_bench.h"
#include "ui/hit_test.h"
#include "ui/link_instrument_port.h"
#include "testplan/plan_cells.h"
#include "testplan/record_cells.h"
#include "testplan/signature_record.h"
#include "link/link_outbox.h"
#include "signature/signature_settings.h"
#include "ui/scope_redraw.h"

namespace vanto {
namespace {

class RecordingWindow final : public DispatcherWindow {
 public:
  explicit RecordingWindow(DisplayRequests& display) : display_(display) {}
  void Relayout() override { calls.push_back("Relayout"); }
  void RefreshDisplay() override {
    calls.push_back("RefreshDisplay");
    display_.displayRefreshPending = false;
    display_.scopeRedrawPending = true;
  }
  void RedrawScopes(const ScopeRedraw& redraw) override {
    calls.push_back("RedrawScopes");
    redraws.push_back(redraw);
  }
  int HitTestAt(ClickPoint point) override {
    calls.push_back("HitTest " + std::to_string(point.x) + "," + std::to_string(point.y));
    return hitResult;
  }
  void PcbViewClick(ClickPoint) override { calls.push_back("PcbViewClick"); }
  void ShowStatusText(const std::string& text) override { calls.push_back("Status " + text); }
  void ShowButtonPicture(InstrumentButton, const std::string& file) override {
    calls.push_back("Picture " + file);
  }
  void ShowLinkIndicator(const LinkIndicatorUpdate& update) override {
    calls.push_back(std::string("Indicator ") + update.iconFile);
  }
  void ApplyInstrumentMarks() override { calls.push_back("InstrumentMarks"); }

  int Count(const std::string& call) const {
    int count = 0;
    for (const std::string& made : calls) count += made == call ? 1 : 0;
    return count;
  }

  int hitResult = kHitNothing;
  std::vector<std::string> calls;
  std::vector<ScopeRedraw> redraws;

 private:
  DisplayRequests& display_;
};

class NoMenuHooks final : public MenuCommandHooks {
 public:
  void NewPlan() override {}
  void OpenPlan() override {}
  void SavePlan() override {}
  void OpenRecentPlan(int) override {}
  void Connect() override {}
  void Disconnect() override {}
  void CollapseTestTree() override {}
  void OpenDisplayColours() override {}
  void OpenCalibration() override {}
};

class MainDispatcherTest : public ::testing::Test {
 protected:
  MainDispatcherTest() {
    LoadSettings(app.settingsStore, app.settings);
    app.settings.mode = "Advanced";
    app.app.activeModel = "ORXA";
    app.plan.table.Reset(11, kPlanColumns);
    for (int row = 2; row <= 11; ++row) {
      app.plan.table.SetCell(row, cell::kComponent, "R" + std::to_string(row));
      app.plan.table.SetCell(row, cell::kStatus, cell::kUntested);
    }
    app.plan.currentRecord = 6;
    // No D2XX library: a connection attempt fails with its coded message.
    app.link.openLibrary = [] { return std::shared_ptr<D2xxApi>(); };
  }

  // A mouse click at a client-area point, landing on what the hit test says.
  void Click(EventKind kind, ClickPoint point, int hit) {
    window.hitResult = hit;
    HandleWindowEvent(app.app, kind, true);
    (kind == EventKind::RightClick ? events.rightClick : events.leftClick) = point;
  }

  InstrumentLink Link() {
    return InstrumentLink{app.link, app.messages, app.clock, analysis.liveSignature,
                          app.app.activeModel, {}};
  }

  testing::TempWorkdir dir;
  testing::FakeClock clock;
  testing::RecordingBoxes boxes;
  AppContext app{clock, boxes};
  TestRunState run;
  FreezeState freeze;
  SignatureAnalysis analysis;
  DisplayRequests display;
  LinkInstrumentPort instrument{Link()};
  testing::RecordingHooks hooks;
  testing::RecordingSounds sounds;
  testing::ScriptedQuestions questions;
  TestRunContext context{run,        freeze, analysis,     app.plan, app.link.generator,
                         app.settings, display, instrument, hooks,    sounds,
                         app.messages, questions, app.clock};
  RecordingWindow window{display};
  NoMenuHooks menuHooks;
  WindowEvents events;
  MainDispatcher dispatcher{app, context, Link(), window, menuHooks, events};
};

TEST_F(MainDispatcherTest, FirstPassRefreshesAppliesTheRecordRedrawsAndShowsTheIndicator) {
  dispatcher.DispatchPass();
  EXPECT_EQ(hooks.interfaceRefreshes, 1);  // lastRunMode starts at -1
  EXPECT_EQ(hooks.treeRefreshes, 1);       // lastRecordSeen starts at -100
  EXPECT_EQ(run.lastRecordSeen, 6);
  EXPECT_EQ(window.calls, (std::vector<std::string>{
                              "RefreshDisplay", "RedrawScopes",
                              "Indicator graphics/button_no-connect.png"}));
  window.calls.clear();
  dispatcher.DispatchPass();
  EXPECT_TRUE(window.calls.empty());  // nothing changed, nothing redone
}

TEST_F(MainDispatcherTest, ControlsQueuedInOnePassRunOnePerPassInArrivalOrder) {
  dispatcher.DispatchPass();
  events.controls.push_back({RibbonControl::Next, 0});
  events.controls.push_back({RibbonControl::Next, 0});
  events.controls.push_back({RibbonControl::Previous, 0});
  dispatcher.DispatchPass();
  EXPECT_EQ(app.plan.currentRecord, 7);
  dispatcher.DispatchPass();
  dispatcher.DispatchPass();
  EXPECT_EQ(app.plan.currentRecord, 7);
  EXPECT_TRUE(events.controls.empty());
}

TEST_F(MainDispatcherTest, AControlFromTheKeyboardIsNoClickOnThePaneUnderThePointer) {
  dispatcher.DispatchPass();
  window.calls.clear();
  window.hitResult = kHitMiniScope1;  // the pointer rests on mini-scope 1
  HandleWindowEvent(app.app, EventKind::Control, true);
  events.controls.push_back({RibbonControl::Next, 0});
  dispatcher.DispatchPass();
  EXPECT_EQ(app.plan.currentRecord, 7);
  EXPECT_FALSE(app.app.clickPending);
  EXPECT_EQ(window.Count("HitTest 0,0"), 0);
}

struct ClickCase {
  int hit;
  int startRecord;
  int expectedRecord;
};

class MiniScopeClick : public MainDispatcherTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(MiniScopeClick, MovesByTheScopesOffsetWithinTheRecords) {
  const ClickCase& c = GetParam();
  app.plan.currentRecord = c.startRecord;
  dispatcher.DispatchPass();
  Click(EventKind::LeftClick, {400, 300}, c.hit);
  dispatcher.DispatchPass();
  EXPECT_EQ(window.Count("HitTest 400,300"), 1);
  EXPECT_EQ(app.plan.currentRecord, c.expectedRecord);
  EXPECT_FALSE(events.leftClick.has_value());
}

INSTANTIATE_TEST_SUITE_P(Offsets, MiniScopeClick,
                         ::testing::Values(ClickCase{kHitMiniScope1, 6, 2},       // -4
                                           ClickCase{kHitMiniScope1 + 8, 6, 10},  // +4
                                           ClickCase{kHitMiniScope1 + 8, 9, 11},  // clamped to the last
                                           ClickCase{kHitMiniScope1, 3, 2},       // clamped to 2
                                           ClickCase{kHitMainScope, 6, 6},
                                           ClickCase{kHitNothing, 6, 6}));

TEST_F(MainDispatcherTest, AClickOnTheIndicatorConnectsWhenDisconnected) {
  dispatcher.DispatchPass();
  Click(EventKind::LeftClick, {10, 20}, kHitConnectionIndicator);
  dispatcher.DispatchPass();
  ASSERT_FALSE(boxes.shown.empty());  // the library is missing: the attempt says so
  const testing::RecordedBox& box = boxes.shown.front();
  EXPECT_NE((box.title + box.body).find("#0005"), std::string::npos) << box.title << box.body;
}

// The indicator follows the link: it changes once on connect and once on
// close, and a click on it while connected closes the link.
TEST_F(MainDispatcherTest, TheIndicatorFollowsTheLinkAndAClickWhileConnectedCloses) {
  auto device = std::make_shared<testing::FakeD2xxDevice>();
  device->SetIdentity("Quillotek", "Quillotek ORXA");
  device->StoreCalibrationText(testing::kSoundCalibration);
  app.link.openLibrary = [device] { return std::shared_ptr<D2xxApi>(device); };
  const std::string connected = std::string("Indicator ") + kConnectedIcon;
  const std::string notConnected = std::string("Indicator ") + kNoConnectIcon;

  dispatcher.DispatchPass();
  EXPECT_EQ(window.Count(notConnected), 1);
  Click(EventKind::LeftClick, {10, 20}, kHitConnectionIndicator);
  dispatcher.DispatchPass();
  ASSERT_EQ(app.link.usb.connected.load(), 1);
  EXPECT_EQ(window.Count(connected), 1);
  dispatcher.DispatchPass();
  EXPECT_EQ(window.Count(connected), 1) << "shown once, not at every pass";

  Click(EventKind::LeftClick, {10, 20}, kHitConnectionIndicator);
  dispatcher.DispatchPass();
  EXPECT_EQ(app.link.usb.connected.load(), 0);
  EXPECT_FALSE(device->isOpen);
  EXPECT_EQ(window.Count(notConnected), 2);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(MainDispatcherTest, AClickOnTheBoardViewGoesToTheBoardView) {
  dispatcher.DispatchPass();
  Click(EventKind::LeftClick, {900, 500}, kHitBoardView);
  dispatcher.DispatchPass();
  EXPECT_EQ(window.Count("PcbViewClick"), 1);
  EXPECT_EQ(app.plan.currentRecord, 6);
}

TEST_F(MainDispatcherTest, ARightClickHitTestsAndDoesNothingElse) {
  dispatcher.DispatchPass();
  Click(EventKind::RightClick, {5, 5}, kHitMiniScope1);
  dispatcher.DispatchPass();
  EXPECT_EQ(window.Count("HitTest 5,5"), 1);
  EXPECT_EQ(app.plan.currentRecord, 6);
  EXPECT_FALSE(app.app.rightClickPending);
}

TEST_F(MainDispatcherTest, RelayoutsAtMostOncePerCalendarSecond) {
  clock.calendar = {2026, 12, 10, 9, 0, 0};
  dispatcher.DispatchPass();
  app.app.relayoutPending = true;
  dispatcher.DispatchPass();
  EXPECT_EQ(window.Count("Relayout"), 1);
  app.app.relayoutPending = true;
  dispatcher.DispatchPass();  // same second: stays pending
  EXPECT_EQ(window.Count("Relayout"), 1);
  EXPECT_TRUE(app.app.relayoutPending);
  clock.calendar.second = 1;
  window.calls.clear();
  dispatcher.DispatchPass();
  EXPECT_EQ(window.calls, (std::vector<std::string>{"Relayout", "RefreshDisplay", "RedrawScopes"}));
}

TEST_F(MainDispatcherTest, MenuCommandsWaitForTheManualPauseAndThenRun) {
  dispatcher.DispatchPass();
  const int before = hooks.interfaceRefreshes;
  run.manualWait.running = true;
  run.manualWait.endMs = clock.nowMs + 150;
  events.menuCommands.push_back(MenuCommand::GraticuleOff);
  dispatcher.DispatchPass();
  EXPECT_EQ(events.menuCommands.size(), 1u);
  clock.nowMs += 150;
  dispatcher.DispatchPass();  // the run-mode step ends the pause
  dispatcher.DispatchPass();
  EXPECT_TRUE(events.menuCommands.empty());
  EXPECT_EQ(app.settings.scope1GraticuleMode, "Off");
  EXPECT_GT(hooks.interfaceRefreshes, before);
}

TEST_F(MainDispatcherTest, InstrumentButtonLatchRunsTheSelectedFunctionOnce) {
  dispatcher.DispatchPass();
  run.functionA = static_cast<int>(ButtonFunction::NextTest);
  app.link.buttons.a.pressed = 1;
  dispatcher.DispatchPass();
  EXPECT_EQ(app.plan.currentRecord, 7);
  dispatcher.DispatchPass();
  EXPECT_EQ(app.plan.currentRecord, 7);
}

TEST_F(MainDispatcherTest, RedrawAfterTheRefreshBringsARecordPastTheEndBackWithoutClassifying) {
  run.useRecordSettings = false;  // the record change leaves the position alone
  app.plan.currentRecord = 12;    // one past the last record
  dispatcher.DispatchPass();
  EXPECT_EQ(window.calls.front(), "RefreshDisplay");
  ASSERT_EQ(window.redraws.size(), 1u);
  EXPECT_EQ(app.plan.currentRecord, 11);
  const ScopeRedraw& redraw = window.redraws.front();
  ASSERT_EQ(redraw.mainTraces.size(), 1u);  // the last record's golden, not judged yet
  EXPECT_EQ(redraw.mainTraces[0].colour, app.settings.colourScopeXTraceGoldenSig);
  // Disconnected: nothing live, nothing classified.
  EXPECT_FALSE(redraw.statusText.has_value());
  EXPECT_FALSE(redraw.centreTrace.has_value());
  EXPECT_EQ(analysis.stableCycleCount, 0);
}

// An automatic test through the dispatcher with a connected instrument and
// a window that only records what it is asked to paint: no drawing at all
// takes part, yet the run lifts, settles, compares and marks.
class DispatcherAutoTest : public ::testing::Test {
 protected:
  DispatcherAutoTest() {
    LoadSettings(app.settingsStore, app.settings);
    app.settings.mode = "Advanced";
    app.app.activeModel = "ORXA";
    GeneratorSettings& generator = app.link.generator;
    generator.appliedMv = 1000.0f;
    generator.appliedOhms = 10000.0f;
    generator.appliedHz = 50.0f;
    generator.actualOhms = 10000;
    app.plan.table.Reset(3, kPlanColumns);
    for (int row = 2; row <= 3; ++row) {
      StoreLiveSignature(app.plan.table, row, 0, testing::ResistorNode(kGoodNode), generator);
      app.plan.table.SetCell(row, cell::kComponent, "R" + std::to_string(row));
      app.plan.table.SetCell(row, cell::kStatus, cell::kUntested);
      app.plan.table.SetCell(row, cell::kSignature, cell::kYes);
    }
    app.plan.currentRecord = 2;
    app.link.openLibrary = [] { return std::shared_ptr<D2xxApi>(); };
    hooks.run = &run;
  }

  void Press(RibbonControl control, int value = 0) {
    events.controls.push_back({control, value});
    dispatcher.DispatchPass();
  }

  // One pass with a new frame, as the frame handling leaves it.
  void Frames(const Signature& frame, int count) {
    for (int i = 0; i < count; ++i) {
      analysis.liveSignature = frame;
      display.scopeRedrawPending = true;
      dispatcher.DispatchPass();
    }
  }
  std::string Status(int row) const { return app.plan.table.Cell(row, cell::kStatus); }

  static constexpr float kGoodNode = 10000.0f;

  testing::TempWorkdir dir;
  testing::FakeClock clock;
  testing::RecordingBoxes boxes;
  AppContext app{clock, boxes};
  TestRunState run;
  FreezeState freeze;
  SignatureAnalysis analysis;
  DisplayRequests display;
  testing::FakeInstrument instrument;  // connected
  testing::RecordingHooks hooks;
  testing::RecordingSounds sounds;
  testing::ScriptedQuestions questions;
  TestRunContext context{run,        freeze, analysis,     app.plan, app.link.generator,
                         app.settings, display, instrument, hooks,    sounds,
                         app.messages, questions, app.clock};
  RecordingWindow window{display};
  NoMenuHooks menuHooks;
  WindowEvents events;
  MainDispatcher dispatcher{app,
                            context,
                            InstrumentLink{app.link, app.messages, app.clock,
                                           analysis.liveSignature, app.app.activeModel, {}},
                            window,
                            menuHooks,
                            events};
};

TEST_F(DispatcherAutoTest, MarksGoodAfterTheProbeSettlesWithEveryRedrawClassified) {
  events.controls.push_back({RibbonControl::AutomaticRun, 0});
  const int settle = StableDelayCycles(app.settings) + 3;

  Frames(testing::OpenProbe(), 3);
  ASSERT_EQ(run.runMode, RunMode::AutoTest);
  EXPECT_EQ(analysis.signatureState, SignatureState::OpenCircuit);
  Frames(testing::ResistorNode(kGoodNode), settle);

  EXPECT_EQ(Status(2), cell::kGood);
  EXPECT_EQ(sounds.played, std::vector<SoundId>{SoundId::TestGood});
  EXPECT_EQ(window.redraws.size(), static_cast<std::size_t>(3 + settle));
  // The redraws showed the live curve with its classification each time.
  const ScopeRedraw& last = window.redraws.back();
  ASSERT_FALSE(last.mainTraces.empty());
  EXPECT_EQ(last.mainTraces.back().colour, app.settings.colourScopeXTraceLiveSig);
  ASSERT_TRUE(last.statusText.has_value());
  EXPECT_EQ(last.statusText->rfind("Stable, Count: ", 0), 0u) << *last.statusText;

  Frames(testing::OpenProbe(), 3);
  Frames(testing::ResistorNode(5000.0f), settle);  // the next node is faulty
  EXPECT_EQ(Status(3), cell::kBad);
}

// A run whose search finds nothing starts and ends within one pass: the
// controls must show the mode the run left, not the one it passed through.
struct NothingLeftCase {
  const char* name;
  bool capture;            // auto capture from the capture mode, else auto test
  const char* status;      // of every record
  RunMode idle;
};

TEST_F(DispatcherAutoTest, ARunThatFindsNothingLeavesTheControlsAsBeforeThePress) {
  for (const NothingLeftCase& c :
       {NothingLeftCase{"every record tested", false, cell::kGood, RunMode::TestBoard},
        NothingLeftCase{"every record captured, overwrite off", true, cell::kUntested,
                        RunMode::Capture}}) {
    SCOPED_TRACE(c.name);
    app.settings.allowSignatureOverwrite = 0;
    for (int row = 2; row <= 3; ++row) app.plan.table.SetCell(row, cell::kStatus, c.status);
    app.plan.currentRecord = 2;
    Press(RibbonControl::EditCaptureSignature, c.capture ? 1 : 0);
    ASSERT_EQ(run.runMode, c.idle);
    sounds.played.clear();
    for (int press = 1; press <= 2; ++press) {  // pressing again changes nothing either
      Press(RibbonControl::AutomaticRun);
      EXPECT_EQ(run.runMode, c.idle);
      EXPECT_EQ(hooks.shownRunMode, c.idle) << "press " << press;
      dispatcher.DispatchPass();
      EXPECT_EQ(hooks.shownRunMode, c.idle) << "press " << press;
    }
    EXPECT_EQ(sounds.played, (std::vector<SoundId>{SoundId::CaptureComplete,
                                                   SoundId::CaptureComplete}));
  }
}

// A press held back by the pause after a manual mark runs inside the
// run-mode step, whose search then ends the run in the same call.
TEST_F(DispatcherAutoTest, ARunStartedAfterTheManualPauseAndEndingAtOnceShowsItsEnd) {
  app.plan.table.SetCell(3, cell::kStatus, cell::kGood);
  Press(RibbonControl::Good);  // record 2 Good: nothing is left to test
  ASSERT_TRUE(run.manualWait.running);
  Press(RibbonControl::AutomaticRun);  // held until the pause is over
  clock.nowMs += kMarkWaitMs;
  dispatcher.DispatchPass();
  EXPECT_EQ(run.runMode, RunMode::TestBoard);
  EXPECT_EQ(hooks.shownRunMode, RunMode::TestBoard);
  EXPECT_EQ(sounds.played, std::vector<SoundId>{SoundId::CaptureComplete});
}

// A run ended and started again within one pass is a new run: its stable
// count restarts, so its first test waits a full stable delay.
TEST_F(DispatcherAutoTest, ARunEndedAndStartedInOnePassRestartsTheStableCount) {
  Press(RibbonControl::AutomaticRun);
  ASSERT_EQ(run.runMode, RunMode::AutoTest);
  Frames(testing::ResistorNode(kGoodNode), 6);  // the probe rests: the count climbs
  Press(RibbonControl::Good);                   // a mark by hand pauses the pass
  ASSERT_TRUE(run.manualWait.running);
  Press(RibbonControl::AutomaticRun);  // ends the run ...
  Press(RibbonControl::AutomaticRun);  // ... and starts it again, both held
  const int before = analysis.stableCycleCount;
  ASSERT_GE(before, 6);
  clock.nowMs += kMarkWaitMs;
  dispatcher.DispatchPass();  // both held presses run here
  EXPECT_EQ(run.runMode, RunMode::AutoTest);
  EXPECT_EQ(hooks.shownRunMode, RunMode::AutoTest);
  // Restarted; this pass's redraw may have classified once since.
  EXPECT_LE(analysis.stableCycleCount, 1);
}

// The instrument lost in the middle of a run: the run ends as the button
// would end it, and a coded warning names the record it stopped at.
struct LostLinkCase {
  const char* name;
  bool capture;
  RunMode idle;
};

TEST_F(DispatcherAutoTest, ALinkLostDuringARunEndsItWithAWarningNamingTheRecord) {
  for (const LostLinkCase& c : {LostLinkCase{"auto test", false, RunMode::TestBoard},
                                LostLinkCase{"auto capture", true, RunMode::Capture}}) {
    SCOPED_TRACE(c.name);
    boxes.shown.clear();
    instrument.connected = true;
    app.settings.allowSignatureOverwrite = 1;
    for (int row = 2; row <= 3; ++row) {
      app.plan.table.SetCell(row, cell::kStatus, cell::kUntested);
      app.plan.table.SetCell(row, cell::kPin, std::to_string(row + 5));
    }
    app.plan.currentRecord = 2;
    Press(RibbonControl::EditCaptureSignature, c.capture ? 1 : 0);
    Press(RibbonControl::AutomaticRun);
    Frames(testing::OpenProbe(), 3);
    Frames(testing::ResistorNode(kGoodNode), StableDelayCycles(app.settings) + 3);
    Frames(testing::OpenProbe(), 3);  // record 2 done, on to record 3
    ASSERT_NE(run.runMode, c.idle);
    ASSERT_EQ(app.plan.currentRecord, 3);

    instrument.connected = false;  // the watchdog, the cable or the indicator
    dispatcher.DispatchPass();

    EXPECT_EQ(run.runMode, c.idle);
    EXPECT_EQ(hooks.shownRunMode, c.idle);
    EXPECT_EQ(run.autoTestStep, 0);
    EXPECT_EQ(run.autoCaptureStep, 0);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Warning #0070");
    EXPECT_NE(boxes.shown[0].body.find("record 3 (R3, Pin 8)"), std::string::npos)
        << boxes.shown[0].body;
    dispatcher.DispatchPass();
    EXPECT_EQ(boxes.shown.size(), 1u);  // told once
  }
}

TEST_F(DispatcherAutoTest, ALinkClosedOutsideARunOrARunStartedWithoutOneIsNoLoss) {
  dispatcher.DispatchPass();
  instrument.connected = false;  // closed while testing by hand
  dispatcher.DispatchPass();
  Press(RibbonControl::AutomaticRun);  // a run started without an instrument waits
  dispatcher.DispatchPass();
  EXPECT_EQ(run.runMode, RunMode::AutoTest);
  EXPECT_TRUE(boxes.shown.empty());
}

// The end of a run shows where the user looks: on the scope's status line
// and in the window's status text, which meanwhile keeps the link's rail
// texts back, until the next command.
class DispatcherRunOutcome : public DispatcherAutoTest {
 protected:
  // Records 2 and 3 tested Good through the scopes; the run ends past the
  // last record on the final lift.
  void RunToTheEnd() {
    app.plan.table.SetCell(3, cell::kStatus, cell::kNoTest);
    AddRecord(cell::kUntested);
    Press(RibbonControl::AutomaticRun);
    for (int record = 0; record < 2; ++record) {
      Frames(testing::OpenProbe(), 3);
      Frames(testing::ResistorNode(kGoodNode), StableDelayCycles(app.settings) + 3);
    }
    Frames(testing::OpenProbe(), 3);
    ASSERT_EQ(run.runMode, RunMode::TestBoard);
  }
  void AddRecord(const char* status) {
    const int row = app.plan.table.Rows() + 1;
    app.plan.table.InsertEmptyRows(row, 1);
    StoreLiveSignature(app.plan.table, row, 0, testing::ResistorNode(kGoodNode),
                       app.link.generator);
    app.plan.table.SetCell(row, cell::kComponent, "R" + std::to_string(row));
    app.plan.table.SetCell(row, cell::kStatus, status);
    app.plan.table.SetCell(row, cell::kSignature, cell::kYes);
  }
  std::string LastStatus() const {
    for (auto call = window.calls.rbegin(); call != window.calls.rend(); ++call) {
      if (call->rfind("Status ", 0) == 0) return call->substr(7);
    }
    return "";
  }
  std::string ScopeLine() {
    display.scopeRedrawPending = true;
    dispatcher.DispatchPass();
    return window.redraws.back().statusText.value_or("");
  }
  void Rail(const std::string& text) { PostStatusText(app.link.outbox, text); }

  static constexpr const char* kComplete = "Run complete: 2 Good, 0 Bad, 1 NoTest";
};

TEST_F(DispatcherRunOutcome, TheEndOfARunStaysOnTheScopeAndInTheStatusUntilTheNextControl) {
  Rail("USB rail: 5.00V");
  dispatcher.DispatchPass();
  RunToTheEnd();
  EXPECT_EQ(LastStatus(), kComplete);
  EXPECT_EQ(window.redraws.back().statusText, kComplete);
  for (int frame = 0; frame < 5; ++frame) {  // the probe in the air, the rail on the wire
    Rail("USB rail: 4.9" + std::to_string(frame) + "V");
    Frames(testing::OpenProbe(), 1);
    EXPECT_EQ(LastStatus(), kComplete);
    EXPECT_EQ(window.redraws.back().statusText, kComplete);
  }
  Press(RibbonControl::FreezeGolden, 1);  // any control event is the next command
  EXPECT_EQ(LastStatus(), "USB rail: 4.94V");
  const std::string line = ScopeLine();
  EXPECT_EQ(line.find("Run complete"), std::string::npos) << line;
  EXPECT_FALSE(line.empty());  // the classification has its line back
}

TEST_F(DispatcherRunOutcome, NothingLeftToTestIsShownWhenTheSearchFindsNothing) {
  for (int row = 2; row <= 3; ++row) app.plan.table.SetCell(row, cell::kStatus, cell::kGood);
  Press(RibbonControl::AutomaticRun);
  EXPECT_EQ(LastStatus(), "Nothing left to test");
  EXPECT_EQ(ScopeLine(), "Nothing left to test");
  instrument.connected = false;  // shown on the scope's line disconnected too
  EXPECT_EQ(ScopeLine(), "Nothing left to test");
}

TEST_F(DispatcherRunOutcome, ARunThatTestedSomeAndFoundNoMoreIsComplete) {
  app.plan.table.SetCell(3, cell::kStatus, cell::kBad);  // only record 2 is left
  Press(RibbonControl::AutomaticRun);
  Frames(testing::OpenProbe(), 3);
  Frames(testing::ResistorNode(kGoodNode), StableDelayCycles(app.settings) + 3);
  Frames(testing::OpenProbe(), 3);
  EXPECT_EQ(run.runMode, RunMode::TestBoard);
  EXPECT_EQ(LastStatus(), "Run complete: 1 Good, 1 Bad, 0 NoTest");
}

// What ends the outcome: a menu command, a control event, a record change
// (the run's own way back from past the end is none).
TEST_F(DispatcherRunOutcome, TheNextMenuCommandControlOrRecordChangeClearsIt) {
  enum class Next { Menu, Control, MiniScopeClick, StillShown };
  for (const Next next : {Next::Menu, Next::Control, Next::MiniScopeClick, Next::StillShown}) {
    SCOPED_TRACE(static_cast<int>(next));
    for (int row = 2; row <= app.plan.table.Rows(); ++row) {
      app.plan.table.SetCell(row, cell::kStatus, cell::kGood);
    }
    app.plan.currentRecord = 3;
    Press(RibbonControl::AutomaticRun);
    ASSERT_EQ(LastStatus(), "Nothing left to test");
    switch (next) {
      case Next::Menu: events.menuCommands.push_back(MenuCommand::GraticuleOff); break;
      case Next::Control: events.controls.push_back({RibbonControl::First, 0}); break;
      case Next::MiniScopeClick:
        window.hitResult = kHitMiniScope1;
        HandleWindowEvent(app.app, EventKind::LeftClick, true);
        events.leftClick = ClickPoint{1, 1};
        break;
      case Next::StillShown: break;
    }
    dispatcher.DispatchPass();
    dispatcher.DispatchPass();  // a click's record change is applied in the next pass
    const bool cleared = next != Next::StillShown;
    EXPECT_EQ(ScopeLine() == "Nothing left to test", !cleared);
    EXPECT_EQ(LastStatus() == "Nothing left to test", !cleared);
  }
}

}  // namespace
}  // namespace vanto
