// The list entries the refresh selects for the applied generator values,
// with the fall-backs for values outside every list.
#include "ui/selector_positions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "link/generator_lists.h"

namespace vanto {
namespace {

TEST(SelectorPositionTest, VoltageRangesAndTheirFallBack) {
  struct Row {
    float mv;
    int position;
  };
  const std::vector<Row> rows = {
      {0, 0},
      {200, 0},
      {299, 0},
      {299.4f, 0},
      {299.5f, 1},
      {300, 1},
      {499, 1},
      {500, 2},
      {699, 2},
      {700, 3},
      {899, 3},
      {900, 4},
      {1000, 4},
      {1499, 4},
      {1500, 5},
      {2499, 5},
      {2500, 6},
      {3499, 6},
      {3500, 7},
      {4499, 7},
      {4500, 8},
      {7499, 8},
      {7500, 9},
      {10000, 9},
      {12499, 9},
      {12500, 4},
      {15000, 4},
      {20000, 4},
      {-1, 4},
      {-200, 4},
      {std::numeric_limits<float>::quiet_NaN(), 4},
      {std::numeric_limits<float>::infinity(), 4},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(VoltagePosition(row.mv), row.position) << row.mv << " mV";
  }
  EXPECT_STREQ(kVoltageChoices[VoltagePosition(1000)].text, "Voltage: 1Vpk");
}

TEST(SelectorPositionTest, ResistanceEntriesDependOnTheModel) {
  struct Row {
    const char* model;
    float ohms;
    int position;
  };
  const std::vector<Row> rows = {
      {"ORXA", 10000, 0}, {"ORXA", 1000, 1}, {"ORXA", 100, 2},   {"ORXA", 5000, 0},
      {"ORXA", 50, 0},    {"ORXAP", 100, 2}, {"ORXB", 10000, 0}, {"ORXB", 5000, 1},
      {"ORXB", 2000, 2},  {"ORXB", 1000, 3}, {"ORXB", 500, 4},   {"ORXB", 200, 5},
      {"ORXC", 100, 6},   {"ORXCB", 50, 7},  {"ORXC", 49.6f, 7}, {"ORXC", 51, 0},
      {"ORXC", 0, 0},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ResistancePosition(row.model, row.ohms), row.position)
        << row.model << " " << row.ohms;
  }
}

TEST(SelectorPositionTest, FrequencyEntriesAndTheirFallBack) {
  struct Row {
    float hz;
    int position;
  };
  for (const Row& row : std::vector<Row>{{10, 0},
                                         {20, 1},
                                         {50, 2},
                                         {100, 3},
                                         {200, 4},
                                         {500, 5},
                                         {1000, 6},
                                         {0, 3},
                                         {75, 3},
                                         {2000, 3},
                                         {49.5f, 2}}) {
    EXPECT_EQ(FrequencyPosition(row.hz), row.position) << row.hz << " Hz";
  }
}

TEST(SelectorPositionTest, ScannerChannelsAreTheirPositionsAndOthersSelectNothing) {
  EXPECT_EQ(ScannerPosition(0), 0);
  EXPECT_EQ(ScannerPosition(17), 17);
  EXPECT_EQ(ScannerPosition(40), 40);
  EXPECT_FALSE(ScannerPosition(41).has_value());
  EXPECT_FALSE(ScannerPosition(-1).has_value());
}

}  // namespace
}  // namespace vanto
