// A signature kept in a test record: slot 0 holds the golden signature,
// slot 1 the last one measured on a board under test. Each slot is the row
// number, the generator settings, the point count and the points as text.
#pragma once

#include "link/generator_settings.h"
#include "signature/signature.h"
#include "testplan/test_plan.h"

namespace vanto {

inline constexpr int kSlotColumns = 288;

// Writes the live signature and the applied generator settings into the
// slot's columns 1-7, 31 and two per point from 32, leaving the other
// columns as they are. The caller sets the golden-present flag. A slot
// other than 0 or 1 writes nothing.
void StoreLiveSignature(TestPlan& table, int row, int slot, const Signature& live,
                        const GeneratorSettings& generator);

// The slot's stored points, the count limited to the storage; an empty or
// unknown slot reads as no points.
Signature ReadSlotSignature(const TestPlan& table, int row, int slot);

}  // namespace vanto
