// A record counts as measured once it was judged Good or Bad.
#include "testplan/record_result.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testplan/record_cells.h"

namespace vanto {
namespace {

TEST(RecordResult, MeasuredOnlyWhenJudgedGoodOrBad) {
  struct Case {
    const char* status;
    bool measured;
  };
  const std::vector<Case> cases = {
      {"Good", true},     {"Bad", true},   {"Untested", false}, {"NoTest", false},
      {"", false},        {"good", false}, {"Bad ", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.status + "\"");
    TestPlan table;
    table.Reset(3, kPlanColumns);
    table.SetCell(2, cell::kStatus, c.status);
    EXPECT_EQ(IsMeasured(table, 2), c.measured);
    EXPECT_FALSE(IsMeasured(table, 3));  // the untouched record beside it
  }
}

}  // namespace
}  // namespace vanto
