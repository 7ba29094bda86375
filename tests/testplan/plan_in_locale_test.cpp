// A whole plan written, read back into numbers and written again under
// locales whose decimal point is a comma: the file stays byte for byte what
// the program writes under "C", and its golden points keep their values.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/messages.h"
#include "foundation/number_text.h"
#include "support/fakes.h"
#include "support/process_locale.h"
#include "support/temp_workdir.h"
#include "testplan/plan_cells.h"
#include "testplan/record_cells.h"
#include "testplan/signature_record.h"
#include "testplan/test_plan.h"

namespace vanto {
namespace {

using testing::ProcessLocale;
using testing::ReadFile;

// Golden points with the texts they are stored as.
struct StoredPoint {
  float voltage;
  const char* voltageText;
  float current;
  const char* currentText;
};

const std::vector<StoredPoint> kPoints = {
    {0.0012f, "0.0012000001", -3.3f, "-3.2999999523"},
    {4.7f, "4.6999998093", 0.25f, "0.25"},
    {-0.000123f, "-0.000123", 1e-6f, "0.000001"},
    {9.99999f, "9.9999904633", 0.1f, "0.1000000015"},
    {-4.9876543f, "-4.9876542091", 0.0f, "0"},
};

Signature Golden() {
  Signature signature;
  signature.pointCount = static_cast<int>(kPoints.size());
  for (std::size_t i = 0; i < kPoints.size(); ++i) {
    signature.voltage[i + 1] = kPoints[i].voltage;
    signature.current[i + 1] = kPoints[i].current;
  }
  return signature;
}

// Applied values between whole numbers: the slot stores them rounded.
GeneratorSettings Applied() {
  GeneratorSettings generator;
  generator.appliedMv = 1999.6f;
  generator.appliedOhms = 500.5f;  // halves go to even: 500
  generator.appliedHz = 0.4f;
  return generator;
}

constexpr int kFirstRecord = 2;
constexpr int kRecords = 3;

// A plan of three captured records with a zoom of 2.5 each.
TestPlanState CapturedPlan() {
  TestPlanState plan;
  NewTestPlan(plan);
  InsertRecordsAfter(plan, kRecords);
  plan.table.SetCell(1, cell::kZoom, "1.25");
  for (int row = kFirstRecord; row < kFirstRecord + kRecords; ++row) {
    plan.table.SetCell(row, cell::kZoom, "2.5");
    StoreLiveSignature(plan.table, row, 0, Golden(), Applied());
    plan.table.SetCell(row, cell::kSignature, cell::kYes);
  }
  return plan;
}

class PlanInLocale : public ::testing::TestWithParam<std::string> {
 protected:
  testing::TempWorkdir workdir;
  testing::FakeClock clock;
  testing::RecordingBoxes boxes;
  Messages messages{clock, boxes};
};

TEST_P(PlanInLocale, SavesLoadsAndSavesAgainByteForByte) {
  std::string underC;
  {
    ProcessLocale c("C");
    ASSERT_TRUE(c.Active());
    ASSERT_TRUE(SaveTestPlan(CapturedPlan(), "c.ept", messages));
    underC = ReadFile("c.ept");
  }
  ProcessLocale locale(GetParam());
  ASSERT_TRUE(locale.Active());

  ASSERT_TRUE(SaveTestPlan(CapturedPlan(), "plan.ept", messages));
  const std::string saved = ReadFile("plan.ept");
  EXPECT_EQ(saved, underC);
  const std::string slotText = "2000,mVpk,500,ohms,0,Hz";
  EXPECT_NE(saved.find(slotText), std::string::npos) << "generator settings";
  std::string pointsText = std::to_string(kPoints.size());
  for (const StoredPoint& p : kPoints) {
    pointsText += std::string(",") + p.voltageText + "," + p.currentText;
  }
  EXPECT_NE(saved.find(pointsText), std::string::npos) << "points " << pointsText;

  // Read into numbers, store the numbers again, save again.
  TestPlanState loaded;
  ASSERT_TRUE(LoadTestPlan(loaded, "plan.ept", messages));
  ASSERT_EQ(RowCount(loaded), 1 + kRecords);
  EXPECT_EQ(ParseFloat(loaded.table.CellView(1, cell::kZoom)), 1.25);
  for (int row = kFirstRecord; row < kFirstRecord + kRecords; ++row) {
    EXPECT_EQ(ParseFloat(loaded.table.CellView(row, cell::kZoom)), 2.5) << "row " << row;
    const Signature golden = ReadSlotSignature(loaded.table, row, 0);
    ASSERT_EQ(golden.pointCount, static_cast<int>(kPoints.size()));
    for (std::size_t i = 0; i < kPoints.size(); ++i) {
      EXPECT_EQ(golden.voltage[i + 1], kPoints[i].voltage) << kPoints[i].voltageText;
      EXPECT_EQ(golden.current[i + 1], kPoints[i].current) << kPoints[i].currentText;
    }
    StoreLiveSignature(loaded.table, row, 0, golden, Applied());
  }
  ASSERT_TRUE(SaveTestPlan(loaded, "again.ept", messages));
  EXPECT_EQ(ReadFile("again.ept"), saved);
  EXPECT_TRUE(boxes.shown.empty());
}

VANTO_INSTANTIATE_FOR_EACH_LOCALE(PlanInLocale);

}  // namespace
}  // namespace vanto
