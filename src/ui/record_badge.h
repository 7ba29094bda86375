// The result badge a record gets in the top-left corner of the scopes. The
// kind is decided here; the drawing side maps each kind to its picture.
#pragma once

#include "testplan/test_plan.h"

namespace vanto {

enum class RecordBadge {
  None,  // a golden with a result text of no known kind
  Good,
  Bad,
  Untested,
  NoTest,
  NoSignature,  // no golden signature ("Signature" is not "Yes")
};

// By the row's result when it holds a golden signature, NoSignature
// otherwise.
RecordBadge ChooseRecordBadge(const TestPlan& table, int row);

}  // namespace vanto
