// The status line of the main scope.
#include "signature/status_text.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/process_locale.h"

namespace vanto {
namespace {

struct StatusCase {
  SignatureState state;
  int count;
  float difference;
  const char* threshold;
  const char* text;
};

std::string StatusLine(const StatusCase& c) {
  SignatureAnalysis analysis;
  analysis.signatureState = c.state;
  analysis.stableCycleCount = c.count;
  analysis.goldenDifference = c.difference;
  Settings settings;
  settings.goldenVsLiveThreshold = c.threshold;
  return SignatureStatusText(analysis, settings);
}

const std::vector<StatusCase> kStatusCases = {
    {SignatureState::OpenCircuit, 0, 0.0f, "1.50%", "O/C, Count: 0, Prev: 0.00%, Threshold: 1.50%"},
    {SignatureState::Stable, 12, 0.372f, "0.75%",
     "Stable, Count: 12, Prev: 0.37%, Threshold: 0.75%"},
    {SignatureState::Unstable, 0, 19.99985f, "5.00%",
     "Unstable, Count: 0, Prev: 20.00%, Threshold: 5.00%"},
    // The threshold is shown as stored, even outside its list.
    {SignatureState::Stable, 3, 1.0f, "7%", "Stable, Count: 3, Prev: 1.00%, Threshold: 7%"},
};

class StatusText : public ::testing::TestWithParam<StatusCase> {};

TEST_P(StatusText, NamesStateCountDifferenceAndThreshold) {
  EXPECT_EQ(StatusLine(GetParam()), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Lines, StatusText, ::testing::ValuesIn(kStatusCases));

class StatusTextInLocale : public testing::EachLocaleTest {};

TEST_P(StatusTextInLocale, ShowsTheDifferenceWithAPoint) {
  for (const StatusCase& c : kStatusCases) EXPECT_EQ(StatusLine(c), c.text);
}

VANTO_INSTANTIATE_FOR_EACH_LOCALE(StatusTextInLocale);

}  // namespace
}  // namespace vanto
