// The one application context: it owns the state of every subsystem and
// the platform edges they use. The program builds one in main(); each test
// builds its own with a fake clock and recorded message boxes.
#pragma once

#include "app/app_state.h"
#include "editor/editor_state.h"
#include "foundation/messages.h"
#include "foundation/platform.h"
#include "foundation/settings.h"
#include "foundation/settings_store.h"
#include "link/link_state.h"
#include "testplan/test_plan.h"

namespace vanto {

struct AppContext {
  AppContext(Clock& clockIn, MessageBoxes& boxes)
      : clock(clockIn), messages(clockIn, boxes), settingsStore(messages) {}
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  Clock& clock;
  Messages messages;
  SettingsStore settingsStore;
  Settings settings;
  AppState app;
  TestPlanState plan;
  // The plan editor's placement and controls outlive its window.
  EditorState editor;
  // Last, so it is destroyed first: its thread uses the messages above.
  LinkState link;
};

}  // namespace vanto
