// A golden drawn on a scale it was not captured at. The main scope draws
// the record's golden at the applied generator settings; once those differ
// from the ones stored with the record (after V-, Ohm+, or an A/B button
// function), the picture and the comparison figures mean nothing, and the
// status line says so instead of showing them.
#pragma once

#include <optional>
#include <string>

#include "link/generator_settings.h"
#include "testplan/test_plan.h"
#include "ui/scope_redraw.h"

namespace vanto {

// "Golden at 10V/10k, applied 400mV/10k" (the frequencies too, "/50Hz",
// when they differ) when record `row` holds a golden whose stored peak
// voltage, source resistance or frequency differs from the applied one;
// nothing when they agree, when the record has no golden or no stored
// settings, or while nothing has been applied yet.
std::optional<std::string> StoredScaleMismatch(const TestPlan& table, int row,
                                               const GeneratorSettings& generator);

// The redraw's part: in the "Advanced" mode, while the status line shows,
// a current record on another scale turns the line into the
// classification followed by the mismatch ("Stable, Count: 4, Golden at
// ..."), in place of the golden difference and its threshold.
void WarnOfStoredScale(const ScopeRedrawState& state, ScopeRedraw& redraw);

}  // namespace vanto
