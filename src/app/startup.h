// The window-free steps of start-up: settling the model and the title,
// deciding on the daily release check, making sure a test plan file exists.
#pragma once

#include <string>

#include "app/app_context.h"

namespace vanto {

inline constexpr const char* kPlanFolder = "testplans";
inline constexpr const char* kUntitledPlan = "testplans\\untitled.ept";

bool IsKnownModel(const std::string& name);

// Start-up steps 3 to 5: load the settings, check the model (falling back
// to ORXA with a log line), set the window title and log the model.
void LoadSettingsAndModel(AppContext& context);

// The caption of the main window: title + " V22.001".
std::string MainWindowCaption(const AppState& state);

// "07/03/2023".
std::string FormatDate(const CalendarTime& time);

// Start-up step 7: when the check is on and today's date differs from the
// stored one, writes today's date and returns true (the caller then runs the
// release check).
bool ReleaseCheckDue(AppContext& context);

// Interface steps 3 and 4: the plan folder and a plan file that opens. The
// current plan name falls back to "testplans\untitled.ept" in memory only;
// that file is created with 576 commas when it is missing.
void EnsureTestPlanFile(AppContext& context);

}  // namespace vanto
