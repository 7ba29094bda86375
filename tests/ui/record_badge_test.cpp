// The badge kind a record gets from its golden flag and its result.
#include "ui/record_badge.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testplan/record_cells.h"

namespace vanto {
namespace {

TEST(RecordBadge, FollowsTheResultOfARecordWithAGoldenAndNoSignatureOtherwise) {
  struct Case {
    const char* signature;
    const char* status;
    RecordBadge badge;
  };
  const std::vector<Case> cases = {
      {"Yes", "Good", RecordBadge::Good},
      {"Yes", "Bad", RecordBadge::Bad},
      {"Yes", "Untested", RecordBadge::Untested},
      {"Yes", "NoTest", RecordBadge::NoTest},
      {"Yes", "Pending", RecordBadge::None},  // a result of no known kind
      {"Yes", "", RecordBadge::None},
      {"Yes", "good", RecordBadge::None},  // the texts are exact
      {"No", "Good", RecordBadge::NoSignature},
      {"", "Untested", RecordBadge::NoSignature},
      {"yes", "Bad", RecordBadge::NoSignature},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.signature) + " / " + c.status);
    TestPlan table;
    table.Reset(3, kPlanColumns);
    table.SetCell(2, cell::kSignature, c.signature);
    table.SetCell(2, cell::kStatus, c.status);
    EXPECT_EQ(ChooseRecordBadge(table, 2), c.badge);
  }
}

}  // namespace
}  // namespace vanto
