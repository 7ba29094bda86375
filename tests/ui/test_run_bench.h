// A test bench for the test run: every piece of state it works on, fakes
// for the link, the window hooks, the sounds and the question box, and a
// scripted signature feed that runs the dispatcher's steps in their order
// (run-mode step, run-mode change, record change, then the new frame's
// classification, whose result the next pass acts on).
#pragma once

#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "foundation/messages.h"
#include "foundation/question_box.h"
#include "foundation/resources.h"
#include "signature/classification.h"
#include "link/generator_full_scale.h"
#include "testplan/signature_record.h"
#include "signature/signature_settings.h"
#include "support/fakes.h"
#include "support/temp_workdir.h"
#include "testplan/test_plan.h"
#include "ui/dispatch_steps.h"
#include "testplan/record_cells.h"
#include "ui/run_mode_step.h"
#include "ui/test_run.h"
#include "ui/test_run_context.h"

namespace vanto::testing {

class FakeInstrument final : public InstrumentPort {
 public:
  bool IsConnected() const override { return connected; }
  void RunGeneratorAction(GeneratorAction action, int listIndex) override {
    actions.emplace_back(action, listIndex);
  }
  void LatchButton(InstrumentButton button) override {
    (button == InstrumentButton::A ? latchA : latchB) = true;
  }
  bool TakeButtonPress(InstrumentButton button) override {
    bool& latch = button == InstrumentButton::A ? latchA : latchB;
    const bool pressed = latch;
    latch = false;
    return pressed;
  }

  bool connected = true;
  bool latchA = false;
  bool latchB = false;
  std::vector<std::pair<GeneratorAction, int>> actions;
};

class RecordingHooks final : public TestRunHooks {
 public:
  void RefreshInterface() override {
    ++interfaceRefreshes;
    if (run != nullptr) shownRunMode = run->runMode;
  }
  void ShowFreezeToggles() override { ++freezeToggleShows; }
  void RefreshTrees() override { ++treeRefreshes; }
  void ShowMarkedRecord(int row) override { markedRecords.push_back(row); }
  void ClearTestTree() override { ++testTreeClears; }
  void OpenRecordEditor() override { ++editorOpenings; }

  // With `run` set, the run mode the last refresh put on the controls.
  const TestRunState* run = nullptr;
  std::optional<RunMode> shownRunMode;
  int interfaceRefreshes = 0;
  int freezeToggleShows = 0;
  int treeRefreshes = 0;
  std::vector<int> markedRecords;
  int testTreeClears = 0;
  int editorOpenings = 0;
};

class RecordingSounds final : public SoundOutput {
 public:
  bool Available() override { return true; }
  bool Load(SoundId, const std::string&) override { return true; }
  void Play(SoundId id) override { played.push_back(id); }

  std::vector<SoundId> played;
};

class ScriptedQuestions final : public QuestionBoxes {
 public:
  bool AskYesNo(const std::string& title, const std::string& text) override {
    asked.emplace_back(title, text);
    return answer;
  }

  bool answer = false;
  std::vector<std::pair<std::string, std::string>> asked;
};

inline constexpr int kTestPoints = 64;

// The probe on a resistor of `ohms` to ground: current follows voltage.
inline Signature ResistorNode(float ohms) {
  Signature signature;
  signature.pointCount = kTestPoints;
  for (int i = 1; i <= kTestPoints; ++i) {
    const float phase = 2.0f * 3.14159265f * static_cast<float>(i - 1) / kTestPoints;
    signature.voltage[i] = 0.9f * std::sin(phase);
    signature.current[i] = signature.voltage[i] / ohms;
  }
  return signature;
}

// The probe in the air: the full voltage swing and no current.
inline Signature OpenProbe() {
  Signature signature = ResistorNode(1.0f);
  signature.current.fill(0.0f);
  return signature;
}

// One test record as a test wants it.
struct RecordSetup {
  std::string component = "R1";
  std::string status = cell::kUntested;
  std::string signature = cell::kNo;
  float goldenOhms = 0.0f;  // > 0: slot 0 holds this node's signature
  std::string scanSig;

  RecordSetup& WithComponent(std::string text) {
    component = std::move(text);
    return *this;
  }
  RecordSetup& WithStatus(std::string text) {
    status = std::move(text);
    return *this;
  }
  RecordSetup& WithSignature(std::string text) {
    signature = std::move(text);
    return *this;
  }
  RecordSetup& WithScanSig(std::string text) {
    scanSig = std::move(text);
    return *this;
  }
};

// An untested record whose golden is the signature of that node.
inline RecordSetup Golden(float ohms) {
  RecordSetup record;
  record.signature = cell::kYes;
  record.goldenOhms = ohms;
  return record;
}

class RunBench {
 public:
  RunBench() {
    generator.appliedMv = 1000.0f;
    generator.appliedOhms = 10000.0f;
    generator.appliedHz = 50.0f;
    generator.actualOhms = 10000;
    settings.mode = "Advanced";
  }

  // Rows 2.. in order; the current record becomes 2.
  void MakePlan(const std::vector<RecordSetup>& records) {
    plan.table.Reset(1 + static_cast<int>(records.size()), kPlanColumns);
    int row = 2;
    for (const RecordSetup& record : records) {
      if (record.goldenOhms > 0.0f) {
        StoreLiveSignature(plan.table, row, 0, ResistorNode(record.goldenOhms), generator);
      }
      plan.table.SetCell(row, cell::kComponent, record.component);
      plan.table.SetCell(row, cell::kStatus, record.status);
      plan.table.SetCell(row, cell::kSignature, record.signature);
      plan.table.SetCell(row, cell::kScanSig, record.scanSig);
      ++row;
    }
    plan.currentRecord = 2;
  }

  // One dispatcher pass that ends with a new frame.
  void Pass(const Signature& frame) {
    StepRunMode(context);
    NoticeRunModeChange(context);
    ApplyRecordChange(context);
    analysis.liveSignature = frame;
    analysis.displaySignature = frame;  // what a scope redraw leaves while connected
    ClassifySignature(analysis, GeneratorFullScale(generator), settings);
  }
  void Passes(const Signature& frame, int count) {
    for (int i = 0; i < count; ++i) Pass(frame);
  }

  // A contact held long enough to settle and be acted on, and a lift long
  // enough for the run to move on.
  int SettlePasses() const { return StableDelayCycles(settings) + 3; }
  void Touch(float ohms) { Passes(ResistorNode(ohms), SettlePasses()); }
  void Lift() { Passes(OpenProbe(), 3); }

  std::string Status(int row) const { return plan.table.Cell(row, cell::kStatus); }
  int Count(SoundId id) const {
    int count = 0;
    for (SoundId played : sounds.played) count += played == id ? 1 : 0;
    return count;
  }

  TempWorkdir workdir;  // the log file of shown messages lands here
  FakeClock clock;
  RecordingBoxes boxes;
  Messages messages{clock, boxes};
  TestRunState run;
  FreezeState freeze;
  SignatureAnalysis analysis;
  TestPlanState plan;
  GeneratorSettings generator;
  Settings settings;
  DisplayRequests display;
  FakeInstrument instrument;
  RecordingHooks hooks;
  RecordingSounds sounds;
  ScriptedQuestions questions;
  TestRunContext context{run,        freeze, analysis, plan,     generator, settings, display,
                         instrument, hooks,  sounds,   messages, questions, clock};
};

}  // namespace vanto::testing
