// Signatures in test records: which columns a store writes for each slot,
// the text forms of the settings and the point values, and reading back.
#include "testplan/signature_record.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <string>

namespace vanto {
namespace {

constexpr int kPoints = 64;
constexpr char kUntouched[] = "untouched";

GeneratorSettings Applied() {
  GeneratorSettings generator;
  generator.appliedMv = 2000.0f;
  generator.appliedOhms = 500.0f;
  generator.appliedHz = 200.0f;
  return generator;
}

Signature Ramp() {
  Signature signature;
  signature.pointCount = kPoints;
  for (int i = 1; i <= kPoints; ++i) {
    signature.voltage[i] = static_cast<float>(i) / 4.0f;    // exact in text
    signature.current[i] = -static_cast<float>(i) / 64.0f;  // exact in text
  }
  return signature;
}

class SignatureRecord : public ::testing::Test {
 protected:
  SignatureRecord() {
    plan.table.InsertEmptyRows(2, 3);
    for (int column = 1; column <= plan.table.Columns(); ++column) {
      plan.table.SetCell(kRow, column, kUntouched);
    }
  }
  static constexpr int kRow = 3;
  TestPlanState plan;
};

struct SlotCase {
  int slot;
  int base;
};

class StoreSlot : public SignatureRecord, public ::testing::WithParamInterface<SlotCase> {};

TEST_P(StoreSlot, WritesTheSettingsCountAndPointsAndNothingElse) {
  const int base = GetParam().base;
  StoreLiveSignature(plan.table, kRow, GetParam().slot, Ramp(), Applied());

  std::set<int> written;
  for (int column = base + 1; column <= base + 7; ++column) written.insert(column);
  written.insert(base + 31);
  for (int column = base + 32; column <= base + 31 + 2 * kPoints; ++column) {
    written.insert(column);
  }
  for (int column = 1; column <= plan.table.Columns(); ++column) {
    EXPECT_EQ(plan.table.Cell(kRow, column) != kUntouched, written.count(column) == 1)
        << "column " << column;
  }
  EXPECT_EQ(plan.table.Cell(kRow, base + 1), std::to_string(kRow));
  EXPECT_EQ(plan.table.Cell(kRow, base + 2), "2000");
  EXPECT_EQ(plan.table.Cell(kRow, base + 3), "mVpk");
  EXPECT_EQ(plan.table.Cell(kRow, base + 4), "500");
  EXPECT_EQ(plan.table.Cell(kRow, base + 5), "ohms");
  EXPECT_EQ(plan.table.Cell(kRow, base + 6), "200");
  EXPECT_EQ(plan.table.Cell(kRow, base + 7), "Hz");
  EXPECT_EQ(plan.table.Cell(kRow, base + 31), "64");
  EXPECT_EQ(plan.table.Cell(kRow, base + 32), "0.25");       // voltage of point 1
  EXPECT_EQ(plan.table.Cell(kRow, base + 33), "-0.015625");  // current of point 1
  EXPECT_EQ(plan.table.Cell(kRow, base + 158), "16");        // voltage of point 64
  EXPECT_EQ(plan.table.Cell(kRow, base + 159), "-1");        // current of point 64
  // Other rows stay empty.
  EXPECT_EQ(plan.table.Cell(kRow - 1, base + 1), "");
  EXPECT_EQ(plan.table.Cell(kRow + 1, base + 1), "");
}

INSTANTIATE_TEST_SUITE_P(Slots, StoreSlot, ::testing::Values(SlotCase{0, 0}, SlotCase{1, 288}));

TEST_F(SignatureRecord, UnknownSlotWritesNothing) {
  StoreLiveSignature(plan.table, kRow, 2, Ramp(), Applied());
  StoreLiveSignature(plan.table, kRow, -1, Ramp(), Applied());
  for (int column = 1; column <= plan.table.Columns(); ++column) {
    EXPECT_EQ(plan.table.Cell(kRow, column), kUntouched) << "column " << column;
  }
}

TEST_F(SignatureRecord, AppliedSettingsAreRoundedToWholeNumbers) {
  GeneratorSettings generator;
  generator.appliedMv = 999.6f;
  generator.appliedOhms = 49.4f;
  generator.appliedHz = 10.5f;  // halves go to the even neighbour
  StoreLiveSignature(plan.table, kRow, 0, Ramp(), generator);
  EXPECT_EQ(plan.table.Cell(kRow, 2), "1000");
  EXPECT_EQ(plan.table.Cell(kRow, 4), "49");
  EXPECT_EQ(plan.table.Cell(kRow, 6), "10");
}

TEST_F(SignatureRecord, PointCountBeyondTheStorageStopsAtTheSlotEnd) {
  Signature signature = Ramp();
  signature.pointCount = 100000;
  StoreLiveSignature(plan.table, kRow, 0, signature, Applied());
  EXPECT_EQ(plan.table.Cell(kRow, 31), "128");
  EXPECT_NE(plan.table.Cell(kRow, 287), kUntouched);  // last cell of slot 0
  EXPECT_EQ(plan.table.Cell(kRow, 288), kUntouched);
  EXPECT_EQ(plan.table.Cell(kRow, 289), kUntouched);
}

struct FloatTextCase {
  float value;
  const char* text;
};

class PointText : public SignatureRecord, public ::testing::WithParamInterface<FloatTextCase> {};

// Ten decimals of the single-precision value itself, trailing zeros and a
// trailing point removed.
TEST_P(PointText, IsTheFloatTextForm) {
  Signature signature;
  signature.pointCount = 1;
  signature.voltage[1] = GetParam().value;
  signature.current[1] = -GetParam().value;
  StoreLiveSignature(plan.table, kRow, 1, signature, Applied());
  EXPECT_EQ(plan.table.Cell(kRow, 320), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, PointText,
    ::testing::Values(FloatTextCase{0.375f, "0.375"}, FloatTextCase{3.0f, "3"},
                      FloatTextCase{-0.5f, "-0.5"}, FloatTextCase{0.0f, "0"},
                      // The float's own value is written: 0.1f is 0.100000001490116...,
                      // 0.0012f is 0.00120000005699..., 1e-6f is 0.000000999999997...
                      FloatTextCase{0.1f, "0.1000000015"}, FloatTextCase{0.0012f, "0.0012000001"},
                      FloatTextCase{1e-6f, "0.000001"}, FloatTextCase{-2.5e-5f, "-0.000025"},
                      FloatTextCase{1e-11f, "0"},
                      FloatTextCase{std::numeric_limits<float>::infinity(), "+Infinity"},
                      FloatTextCase{-std::numeric_limits<float>::infinity(), "-Infinity"},
                      FloatTextCase{std::numeric_limits<float>::quiet_NaN(), "NaN"}));

TEST_F(SignatureRecord, CurrentIsWrittenNextToItsVoltage) {
  Signature signature;
  signature.pointCount = 1;
  signature.voltage[1] = 1.5f;
  signature.current[1] = -std::numeric_limits<float>::infinity();
  StoreLiveSignature(plan.table, kRow, 1, signature, Applied());
  EXPECT_EQ(plan.table.Cell(kRow, 320), "1.5");
  EXPECT_EQ(plan.table.Cell(kRow, 321), "-Infinity");
}

TEST_F(SignatureRecord, ReadsBackWhatWasStored) {
  StoreLiveSignature(plan.table, kRow, 1, Ramp(), Applied());
  const Signature back = ReadSlotSignature(plan.table, kRow, 1);
  const Signature ramp = Ramp();
  EXPECT_EQ(back.pointCount, kPoints);
  for (int i = 1; i <= kPoints; ++i) {
    EXPECT_EQ(back.voltage[i], ramp.voltage[i]) << "point " << i;
    EXPECT_EQ(back.current[i], ramp.current[i]) << "point " << i;
  }
  EXPECT_EQ(ReadSlotSignature(plan.table, kRow, 0).pointCount, 0);  // "untouched" reads 0
}

}  // namespace
}  // namespace vanto
