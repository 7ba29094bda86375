// Everything the test run works on, gathered by reference so the
// operations stay free functions over plain state. The application builds
// one per dispatcher; tests build one over fakes. Main thread only.
#pragma once

#include "foundation/messages.h"
#include "foundation/platform.h"
#include "foundation/question_box.h"
#include "foundation/resources.h"
#include "foundation/settings.h"
#include "link/generator_settings.h"
#include "signature/signature_analysis.h"
#include "testplan/test_plan.h"
#include "ui/display_requests.h"
#include "ui/freeze_state.h"
#include "ui/instrument_port.h"
#include "ui/test_run_hooks.h"
#include "ui/test_run_state.h"

namespace vanto {

struct TestRunContext {
  TestRunState& run;
  FreezeState& freeze;
  SignatureAnalysis& analysis;
  TestPlanState& plan;
  GeneratorSettings& generator;
  const Settings& settings;
  DisplayRequests& display;
  InstrumentPort& instrument;
  TestRunHooks& hooks;
  SoundOutput& sounds;
  Messages& messages;
  QuestionBoxes& questions;
  const Clock& clock;
};

}  // namespace vanto
