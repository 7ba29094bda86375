// The status line of the main scope.
#include "signature/status_text.h"

#include <gtest/gtest.h>

namespace vanto {
namespace {

struct StatusCase {
  SignatureState state;
  int count;
  float difference;
  const char* threshold;
  const char* text;
};

class StatusText : public ::testing::TestWithParam<StatusCase> {};

TEST_P(StatusText, NamesStateCountDifferenceAndThreshold) {
  SignatureAnalysis analysis;
  analysis.signatureState = GetParam().state;
  analysis.stableCycleCount = GetParam().count;
  analysis.goldenDifference = GetParam().difference;
  Settings settings;
  settings.goldenVsLiveThreshold = GetParam().threshold;
  EXPECT_EQ(SignatureStatusText(analysis, settings), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, StatusText,
    ::testing::Values(StatusCase{SignatureState::OpenCircuit, 0, 0.0f, "1.50%",
                                 "O/C, Count: 0, Prev: 0.00%, Threshold: 1.50%"},
                      StatusCase{SignatureState::Stable, 12, 0.372f, "0.75%",
                                 "Stable, Count: 12, Prev: 0.37%, Threshold: 0.75%"},
                      StatusCase{SignatureState::Unstable, 0, 19.99985f, "5.00%",
                                 "Unstable, Count: 0, Prev: 20.00%, Threshold: 5.00%"},
                      // The threshold is shown as stored, even outside its list.
                      StatusCase{SignatureState::Stable, 3, 1.0f, "7%",
                                 "Stable, Count: 3, Prev: 1.00%, Threshold: 7%"}));

}  // namespace
}  // namespace vanto
