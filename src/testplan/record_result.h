// What a record's result cell says about its signature slots.
#pragma once

#include "testplan/test_plan.h"

namespace vanto {

// True when the record was judged ("Status" is "Good" or "Bad"): slot 1
// then holds the signature it was judged on, and the scopes draw it.
bool IsMeasured(const TestPlan& table, int row);

}  // namespace vanto
