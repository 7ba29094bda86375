// The File menu's plan commands on a whole context: which plan is loaded,
// which name becomes current, what the settings file holds afterwards, the
// messages shown and what the window is asked to refresh.
#include "app/plan_file_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "foundation/settings_keys.h"
#include "support/fake_file_requester.h"
#include "support/fakes.h"
#include "support/temp_workdir.h"

namespace vanto {
namespace {

using testing::ReadFile;
using testing::RecordingFileRequester;
using testing::WriteFile;

// One plan row and one record whose description holds a comma.
std::string PlanText(const std::string& marker) {
  std::string row1 = marker + std::string(575, ',') + "\r\n";
  std::string row2 = "2,,,,,,,IC17\xC2\xA3 Pin 3,Untested" + std::string(567, ',') + "\r\n";
  return row1 + row2;
}

std::string SettingsText(const std::string& planName, const RecentPlans& recent) {
  std::string text = "ORX_Mode=Advanced\r\nORX_TestPlanFileName=" + planName + "\r\n";
  for (int i = 0; i < kRecentFileCount; ++i) {
    text += RecentFileKey(i) + "=" + recent[static_cast<std::size_t>(i)] + "\r\n";
  }
  return text;
}

RecentPlans Letters() {
  return {"a.ept", "b.ept", "c.ept", "d.ept", "e.ept", "f.ept", "g.ept", "h.ept"};
}

class PlanFileCommandsTest : public ::testing::Test {
 protected:
  PlanFileCommandsTest() {
    WriteFile(kSettingsFileName, SettingsText("a.ept", Letters()));
    context.settings.recentFiles = Letters();
    context.app.currentPlanFile = "a.ept";
    context.settings.testPlanFileName = "a.ept";
  }

  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> titles;
    for (const testing::RecordedBox& box : boxes.shown)
      titles.push_back(box.title + " " + box.body);
    return titles;
  }

  RecentPlans RecentInFile() const {
    RecentPlans stored;
    for (int i = 0; i < kRecentFileCount; ++i) {
      stored[static_cast<std::size_t>(i)] = ReadSetting(kSettingsFileName, RecentFileKey(i));
    }
    return stored;
  }

  testing::TempWorkdir dir;
  testing::FakeClock clock;
  testing::RecordingBoxes boxes;
  AppContext context{clock, boxes};
  RecordingFileRequester requester;
};

TEST_F(PlanFileCommandsTest, RecentEntryThreeMovesToTheTopWithoutWritingTheList) {
  WriteFile("c.ept", PlanText("plan c"));
  context.plan.currentRecord = 2;

  const PlanFileOutcome outcome = OpenRecentPlanCommand(context, 2);

  EXPECT_EQ(context.plan.table.Cell(1, 1), "plan c");
  EXPECT_EQ(context.plan.currentRecord, 1);
  EXPECT_EQ(context.app.currentPlanFile, "c.ept");
  const RecentPlans moved = {"c.ept", "a.ept", "b.ept", "d.ept",
                             "e.ept", "f.ept", "g.ept", "h.ept"};
  EXPECT_EQ(RecentMenuLabels(context), moved);
  // Only the current plan's line changed; the recent keys keep the old order.
  EXPECT_EQ(ReadFile(kSettingsFileName), SettingsText("c.ept", Letters()));
  EXPECT_TRUE(outcome.relabelRecent);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(PlanFileCommandsTest, NewNameDropsEntryEightAndWritesAllEightKeys) {
  WriteFile("n.ept", PlanText("plan n"));
  // Empty entries cannot come from the settings file (an empty value reads
  // as missing), but one left in memory must be written as untitled.
  context.settings.recentFiles[3] = "";

  OpenTestPlan(context, "n.ept");

  const RecentPlans expected = {"n.ept",        "a.ept", "b.ept", "c.ept",
                                "untitled.ept", "e.ept", "f.ept", "g.ept"};
  EXPECT_EQ(RecentMenuLabels(context), expected);
  EXPECT_EQ(RecentInFile(), expected);
  EXPECT_EQ(ReadFile(kSettingsFileName), SettingsText("n.ept", expected));
}

TEST_F(PlanFileCommandsTest, StartUpPutsAnUnlistedCurrentPlanFirstAndWritesTheList) {
  context.app.currentPlanFile = "testplans\\untitled.ept";

  const PlanFileOutcome outcome = UpdateRecentList(context);

  const RecentPlans expected = {
      "testplans\\untitled.ept", "a.ept", "b.ept", "c.ept", "d.ept", "e.ept", "f.ept", "g.ept"};
  EXPECT_EQ(RecentInFile(), expected);
  EXPECT_TRUE(outcome.relabelRecent);
  EXPECT_FALSE(outcome.refreshInterface);
  // Nothing else is touched: the plan name setting stays as read.
  EXPECT_EQ(ReadSetting(kSettingsFileName, key::kTestPlanFileName), "a.ept");
}

TEST_F(PlanFileCommandsTest, MissingFileShowsError65AndChangesNothing) {
  WriteFile("a.ept", PlanText("plan a"));
  ASSERT_TRUE(OpenTestPlan(context, "a.ept").recordChanged);
  context.plan.table.SetCell(2, 9, "Good");  // a result not yet saved
  context.plan.currentRecord = 2;
  const std::string settingsBefore = ReadFile(kSettingsFileName);
  const RecentPlans recentBefore = RecentMenuLabels(context);

  const PlanFileOutcome outcome = OpenRecentPlanCommand(context, 7);  // "h.ept" does not exist

  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Error #0065 Cannot open .ept file"});
  EXPECT_EQ(context.plan.table.Cell(1, 1), "plan a");  // the earlier plan stays
  EXPECT_EQ(context.plan.table.Rows(), 2);
  EXPECT_EQ(context.plan.table.Cell(2, 9), "Good");
  EXPECT_TRUE(context.plan.table.HasUnsavedChanges());
  EXPECT_EQ(context.plan.currentRecord, 2);
  // The name stays with the plan, so a save goes back to the file it came
  // from and not over the one that failed to open.
  EXPECT_EQ(context.app.currentPlanFile, "a.ept");
  EXPECT_EQ(ReadFile(kSettingsFileName), settingsBefore);
  EXPECT_EQ(RecentMenuLabels(context), recentBefore);
  EXPECT_FALSE(outcome.recordChanged || outcome.clearTestTree || outcome.displayRefresh ||
               outcome.refreshInterface || outcome.relabelRecent || outcome.editCaptureOn);
}

TEST_F(PlanFileCommandsTest, ARefusedFileChangesNothingEither) {
  WriteFile("a.ept", PlanText("plan a"));
  ASSERT_TRUE(OpenTestPlan(context, "a.ept").recordChanged);
  WriteFile("huge.ept", std::string(100000, '\n') + std::string(100000, ',') + "\n");
  requester.answers = {"huge.ept"};

  OpenPlanCommand(context, requester);

  EXPECT_EQ(BoxTexts(), std::vector<std::string>{
                            "Error #0071 .ept file too large or malformed - the test plan "
                            "was not opened"});
  EXPECT_EQ(context.plan.table.Cell(1, 1), "plan a");
  EXPECT_EQ(context.app.currentPlanFile, "a.ept");
  EXPECT_EQ(ReadSetting(kSettingsFileName, key::kTestPlanFileName), "a.ept");
}

// Answers the save question from a script and records what was asked.
class ScriptedSaveQuestion final : public QuestionBoxes {
 public:
  bool AskYesNo(const std::string&, const std::string&) override {
    ADD_FAILURE() << "a Yes/No question where Yes/No/Cancel was expected";
    return false;
  }
  QuestionAnswer AskYesNoCancel(const std::string& title, const std::string& text) override {
    asked.push_back(title + " " + text);
    return answer;
  }
  QuestionAnswer answer = QuestionAnswer::Cancel;
  std::vector<std::string> asked;
};

class SaveQuestionTest : public PlanFileCommandsTest {
 protected:
  SaveQuestionTest() {
    WriteFile("a.ept", PlanText("plan a"));
    OpenTestPlan(context, "a.ept");
  }
  ScriptedSaveQuestion questions;
};

TEST_F(SaveQuestionTest, NothingUnsavedAsksNothing) {
  EXPECT_TRUE(SettleUnsavedPlan(context, questions, requester));
  EXPECT_TRUE(questions.asked.empty());
}

TEST_F(SaveQuestionTest, YesSavesToTheCurrentPlanAndLetsTheCommandGoOn) {
  context.plan.table.SetCell(2, 9, "Bad");
  questions.answer = QuestionAnswer::Yes;
  EXPECT_TRUE(SettleUnsavedPlan(context, questions, requester));
  EXPECT_EQ(questions.asked, std::vector<std::string>{"Info #0072 Save changes to a.ept?"});
  EXPECT_NE(ReadFile("a.ept").find(",Bad,"), std::string::npos);
  EXPECT_FALSE(context.plan.table.HasUnsavedChanges());
  EXPECT_TRUE(requester.requests.empty());
}

TEST_F(SaveQuestionTest, NoDropsTheChangesAndCancelCallsTheCommandOff) {
  context.plan.table.SetCell(2, 9, "Bad");
  questions.answer = QuestionAnswer::No;
  EXPECT_TRUE(SettleUnsavedPlan(context, questions, requester));
  questions.answer = QuestionAnswer::Cancel;
  EXPECT_FALSE(SettleUnsavedPlan(context, questions, requester));
  EXPECT_EQ(questions.asked.size(), 2u);
  EXPECT_EQ(ReadFile("a.ept"), PlanText("plan a"));  // neither answer wrote anything
  EXPECT_TRUE(context.plan.table.HasUnsavedChanges());
}

TEST_F(SaveQuestionTest, AFailedSaveCallsTheCommandOff) {
  context.plan.table.SetCell(2, 9, "Bad");
  context.app.currentPlanFile = "no such folder/a.ept";
  questions.answer = QuestionAnswer::Yes;
  EXPECT_FALSE(SettleUnsavedPlan(context, questions, requester));
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Error #0064 File cannot be created"});
  EXPECT_TRUE(context.plan.table.HasUnsavedChanges());
}

TEST_F(SaveQuestionTest, APlanWithoutANameIsSavedThroughTheRequester) {
  context.plan.table.SetCell(2, 9, "Bad");
  context.app.currentPlanFile.clear();
  questions.answer = QuestionAnswer::Yes;
  EXPECT_FALSE(SettleUnsavedPlan(context, questions, requester));  // requester cancelled
  EXPECT_EQ(questions.asked, std::vector<std::string>{"Info #0072 Save changes to untitled.ept?"});
  requester.answers = {"kept.ept"};
  EXPECT_TRUE(SettleUnsavedPlan(context, questions, requester));
  EXPECT_NE(ReadFile("kept.ept").find(",Bad,"), std::string::npos);
  ASSERT_EQ(requester.requests.size(), 2u);
  EXPECT_TRUE(requester.requests[1].save);
}

TEST_F(PlanFileCommandsTest, RecentItemsOutsideTheEightDoNothing) {
  for (int index : {-1, 8}) {
    const PlanFileOutcome outcome = OpenRecentPlanCommand(context, index);
    EXPECT_FALSE(outcome.recordChanged || outcome.relabelRecent) << index;
  }
  EXPECT_EQ(context.app.currentPlanFile, "a.ept");
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(PlanFileCommandsTest, OpenAndSaveRoundTripKeepsTheCurrentName) {
  WriteFile("board.ept", PlanText("board"));
  requester.answers = {"board.ept"};
  ASSERT_TRUE(OpenPlanCommand(context, requester).recordChanged);
  ASSERT_EQ(context.plan.table.Cell(2, 8), "IC17, Pin 3");
  context.plan.table.SetCell(2, 9, "Good");
  context.plan.table.SetCell(2, 12, "checked, twice");
  const std::string settingsBefore = ReadFile(kSettingsFileName);

  requester.answers = {"copy.ept"};
  EXPECT_EQ(SavePlanCommand(context, requester), "copy.ept");
  // The program goes on naming the plan by its old file.
  EXPECT_EQ(context.app.currentPlanFile, "board.ept");
  EXPECT_EQ(ReadFile(kSettingsFileName), settingsBefore);
  EXPECT_EQ(RecentMenuLabels(context)[0], "board.ept");

  requester.answers = {"copy.ept"};
  OpenPlanCommand(context, requester);
  EXPECT_EQ(context.app.currentPlanFile, "copy.ept");
  EXPECT_EQ(context.plan.table.Cell(1, 1), "board");
  EXPECT_EQ(context.plan.table.Cell(2, 9), "Good");
  EXPECT_EQ(context.plan.table.Cell(2, 12), "checked, twice");
  EXPECT_EQ(context.plan.table.Columns(), 576);
  EXPECT_TRUE(boxes.shown.empty());

  ASSERT_EQ(requester.requests.size(), 3u);
  EXPECT_FALSE(requester.requests[0].save);
  EXPECT_EQ(requester.requests[0].request.title, "Please choose a file to open");
  EXPECT_EQ(requester.requests[0].request.initialName, "*.ept");
  EXPECT_TRUE(requester.requests[1].save);
  EXPECT_EQ(requester.requests[1].request.title, "Please choose file to save");
  EXPECT_EQ(requester.requests[1].request.initialName, "board.ept");
}

TEST_F(PlanFileCommandsTest, CancelledOpenAndSaveChangeNothing) {
  WriteFile("a.ept", PlanText("plan a"));
  OpenTestPlan(context, "a.ept");
  context.plan.currentRecord = 2;
  const std::string settingsBefore = ReadFile(kSettingsFileName);
  const auto filesBefore = std::distance(std::filesystem::directory_iterator("."),
                                         std::filesystem::directory_iterator());

  const PlanFileOutcome outcome = OpenPlanCommand(context, requester);
  EXPECT_EQ(SavePlanCommand(context, requester), "");

  EXPECT_FALSE(outcome.recordChanged || outcome.refreshInterface || outcome.relabelRecent);
  EXPECT_EQ(context.plan.currentRecord, 2);
  EXPECT_EQ(context.app.currentPlanFile, "a.ept");
  EXPECT_EQ(ReadFile(kSettingsFileName), settingsBefore);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."),
                          std::filesystem::directory_iterator()),
            filesBefore);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(PlanFileCommandsTest, FailedSaveShowsError64AndLeavesTheFileAsItWas) {
  WriteFile("keep.ept", PlanText("kept"));
  context.plan.table.SetCell(1, 1, "unsaved");
  // The save goes through a temporary file beside the plan; a folder of
  // that name makes the write fail before the plan is touched.
  std::filesystem::create_directory("keep.ept.tmp");

  requester.answers = {"keep.ept"};
  EXPECT_EQ(SavePlanCommand(context, requester), "keep.ept");

  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Error #0064 File cannot be created"});
  EXPECT_EQ(ReadFile("keep.ept"), PlanText("kept"));
  EXPECT_EQ(context.plan.table.Cell(1, 1), "unsaved");
}

TEST_F(PlanFileCommandsTest, BackslashPathsOpenAndSaveAndAreStoredAsWritten) {
  std::filesystem::create_directory("testplans");
  WriteFile("testplans/board.ept", PlanText("from the folder"));

  OpenTestPlan(context, "testplans\\board.ept");
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(context.plan.table.Cell(1, 1), "from the folder");
  EXPECT_EQ(context.app.currentPlanFile, "testplans\\board.ept");
  EXPECT_EQ(ReadSetting(kSettingsFileName, key::kTestPlanFileName), "testplans\\board.ept");
  EXPECT_EQ(ReadSetting(kSettingsFileName, RecentFileKey(0)), "testplans\\board.ept");

  requester.answers = {"testplans\\copy.ept"};
  SavePlanCommand(context, requester);
  EXPECT_EQ(ReadFile("testplans/copy.ept"), PlanText("from the folder"));
  EXPECT_EQ(requester.requests.back().request.initialName, "testplans\\board.ept");
}

TEST_F(PlanFileCommandsTest, NewWithCancelledRequesterLeavesAnEmptyPlanAndAnEmptyName) {
  WriteFile("a.ept", PlanText("plan a"));
  OpenTestPlan(context, "a.ept");
  context.plan.currentRecord = 2;

  const PlanFileOutcome outcome = NewPlanCommand(context, requester);

  ASSERT_EQ(requester.requests.size(), 1u);
  EXPECT_TRUE(requester.requests[0].save);
  EXPECT_EQ(requester.requests[0].request.initialName, "a.ept");
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Error #0065 Cannot open .ept file"});
  EXPECT_EQ(context.plan.table.Rows(), 1);
  EXPECT_EQ(context.plan.table.Columns(), 576);
  EXPECT_EQ(context.plan.table.Cell(1, 1), "");
  EXPECT_EQ(context.plan.currentRecord, 1);
  EXPECT_EQ(context.app.currentPlanFile, "");
  EXPECT_NE(ReadFile(kSettingsFileName).find("\r\nORX_TestPlanFileName=\r\n"), std::string::npos);
  const RecentPlans expected = {"untitled.ept", "a.ept", "b.ept", "c.ept",
                                "d.ept",        "e.ept", "f.ept", "g.ept"};
  EXPECT_EQ(RecentMenuLabels(context), expected);
  EXPECT_EQ(RecentInFile(), expected);
  EXPECT_TRUE(outcome.recordChanged && outcome.editCaptureOn && outcome.clearTestTree &&
              outcome.displayRefresh && outcome.scopeRedraw && outcome.refreshTrees &&
              outcome.refreshInterface && outcome.relabelRecent);
  EXPECT_EQ(ReadFile("a.ept"), PlanText("plan a"));
}

TEST_F(PlanFileCommandsTest, NewWritesAnEmptyPlanWhereChosenAndMakesItCurrent) {
  WriteFile("a.ept", PlanText("plan a"));
  OpenTestPlan(context, "a.ept");
  requester.answers = {"fresh.ept"};

  NewPlanCommand(context, requester);

  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(ReadFile("fresh.ept"), std::string(575, ',') + "\r\n");
  EXPECT_EQ(context.plan.table.Rows(), 1);
  EXPECT_EQ(context.plan.table.Cell(1, 1), "");
  EXPECT_EQ(context.app.currentPlanFile, "fresh.ept");
  EXPECT_EQ(ReadSetting(kSettingsFileName, key::kTestPlanFileName), "fresh.ept");
  EXPECT_EQ(RecentInFile()[0], "fresh.ept");
}

TEST_F(PlanFileCommandsTest, NewOutsideTheAdvancedModeCreatesNoPlan) {
  struct Case {
    const char* mode;
    std::vector<std::string> boxes;
  };
  WriteFile("a.ept", PlanText("plan a"));
  OpenTestPlan(context, "a.ept");
  for (const Case& c : std::vector<Case>{
           {"Basic", {"Info #0063 This function is only available in Advanced mode."}},
           {"Basic-Auto", {"Info #0063 This function is only available in Advanced mode."}},
           {"advanced", {}},  // no mode at all: not even a message
       }) {
    boxes.shown.clear();
    context.settings.mode = c.mode;
    const PlanFileOutcome outcome = NewPlanCommand(context, requester);
    EXPECT_EQ(BoxTexts(), c.boxes) << c.mode;
    EXPECT_FALSE(outcome.recordChanged || outcome.refreshInterface) << c.mode;
    EXPECT_EQ(context.plan.table.Rows(), 2) << c.mode;
    EXPECT_EQ(context.app.currentPlanFile, "a.ept") << c.mode;
  }
  EXPECT_TRUE(requester.requests.empty());
}

}  // namespace
}  // namespace vanto
