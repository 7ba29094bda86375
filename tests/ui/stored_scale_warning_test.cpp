// The main scope's status line when the record's golden was stored at other
// generator settings than the applied ones: it names both scales instead of
// the comparison figures, and only where the golden is drawn.
#include "ui/stored_scale_warning.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "signature/status_text.h"
#include "test_run_bench.h"

namespace vanto::testing {
namespace {

struct Scale {
  float mv;
  float ohms;
  float hz;
};

struct Case {
  const char* name;
  Scale stored;
  Scale applied;
  const char* mode;
  const char* signature;  // the golden-present cell
  const char* mismatch;   // nullptr: the usual status line
};

class StoredScaleStatus : public ::testing::TestWithParam<Case> {};

TEST_P(StoredScaleStatus, NamesBothScalesInsteadOfComparing) {
  const Case& c = GetParam();
  RunBench bench;
  bench.generator.appliedMv = c.stored.mv;
  bench.generator.appliedOhms = c.stored.ohms;
  bench.generator.appliedHz = c.stored.hz;
  bench.MakePlan({Golden(1000.0f).WithSignature(c.signature), Golden(2000.0f)});
  bench.generator.appliedMv = c.applied.mv;
  bench.generator.appliedOhms = c.applied.ohms;
  bench.generator.appliedHz = c.applied.hz;
  bench.settings.mode = c.mode;
  bench.analysis.liveSignature = ResistorNode(1500.0f);

  const ScopeRedraw redraw = DecideScopeRedraw(
      {bench.settings, bench.generator, true, bench.plan, bench.analysis, bench.display});
  ASSERT_TRUE(redraw.statusText.has_value());
  if (c.mismatch == nullptr) {
    EXPECT_EQ(*redraw.statusText, SignatureStatusText(bench.analysis, bench.settings));
  } else {
    EXPECT_EQ(*redraw.statusText,
              SignatureClassificationText(bench.analysis) + ", " + c.mismatch);
    EXPECT_EQ(redraw.statusText->find("Prev:"), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredScaleStatus,
    ::testing::Values(
        Case{"V-", {10000, 10000, 50}, {400, 10000, 50}, "Advanced", "Yes",
             "Golden at 10V/10k, applied 400mV/10k"},
        Case{"Ohm+", {1000, 1000, 50}, {1000, 10000, 50}, "Advanced", "Yes",
             "Golden at 1V/1k, applied 1V/10k"},
        Case{"small values", {200, 50, 500}, {1500, 500, 500}, "Advanced", "Yes",
             "Golden at 200mV/50, applied 1.5V/500"},
        Case{"A function cycling the frequency", {1000, 10000, 50}, {1000, 10000, 1000},
             "Advanced", "Yes", "Golden at 1V/10k/50Hz, applied 1V/10k/1kHz"},
        Case{"the same settings", {1000, 10000, 50}, {1000, 10000, 50}, "Advanced", "Yes",
             nullptr},
        Case{"no golden stored", {10000, 10000, 50}, {400, 10000, 50}, "Advanced", "No", nullptr},
        Case{"nothing applied yet", {1000, 10000, 50}, {0, 0, 0}, "Advanced", "Yes", nullptr},
        Case{"compact mode draws no golden", {10000, 10000, 50}, {400, 10000, 50}, "Basic",
             "Yes", nullptr}),
    [](const ::testing::TestParamInfo<Case>& info) {
      std::string name;
      for (const char* p = info.param.name; *p != '\0'; ++p) {
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
      }
      return name;
    });

TEST(StoredScaleMismatch, ARecordWithoutStoredSettingsHasNoScaleToCompare) {
  RunBench bench;
  bench.MakePlan({Golden(1000.0f)});
  bench.plan.table.SetCell(2, cell::kAmplitude, "");
  EXPECT_FALSE(StoredScaleMismatch(bench.plan.table, 2, bench.generator).has_value());
  bench.plan.table.SetCell(2, cell::kAmplitude, "5000");
  EXPECT_EQ(StoredScaleMismatch(bench.plan.table, 2, bench.generator),
            "Golden at 5V/10k, applied 1V/10k");
}

// Disconnected there is no status line, so nothing to warn on.
TEST(StoredScaleMismatch, DisconnectedRedrawHasNoStatusLine) {
  RunBench bench;
  bench.MakePlan({Golden(1000.0f)});
  bench.generator.appliedMv = 400.0f;
  const ScopeRedraw redraw = DecideScopeRedraw(
      {bench.settings, bench.generator, false, bench.plan, bench.analysis, bench.display});
  EXPECT_FALSE(redraw.statusText.has_value());
}

}  // namespace
}  // namespace vanto::testing
