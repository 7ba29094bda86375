// The next component's name after a placement.
#include "editor/auto_increment_name.h"

#include <gtest/gtest.h>

namespace vanto {
namespace {

TEST(NextComponentName, CountsTheTrailingNumberUpOrAppendsOne) {
  struct Case {
    const char* name;
    const char* next;
  };
  const Case cases[] = {
      {"IC17", "IC18"},
      {"U9", "U10"},
      {"Unknown_1", "Unknown_2"},
      {"IC007", "IC8"},
      {"IC0", "IC1"},
      {"IC000", "IC1"},
      {"R", "R_1"},
      {"", "Unknown_1"},
      {"R2C", "R2C_1"},
      {"42", "43"},
      {"X99", "X100"},
      // Beyond any integer type: still one more.
      {"IC99999999999999999999", "IC100000000000000000000"},
  };
  for (const Case& c : cases) EXPECT_EQ(NextComponentName(c.name), c.next) << c.name;
}

TEST(AutoIncrementName, RenamesOnlyWhenAPlacementHasJustEndedAndTheOptionIsTicked) {
  struct Case {
    const char* name;
    int previousStep;
    int step;
    bool ticked;
    const char* expected;
  };
  const Case cases[] = {
      {"just ended", 2, 0, true, "IC18"},
      {"just ended, option off", 2, 0, false, "IC17"},
      {"still running", 2, 2, true, "IC17"},
      {"just started", 0, 1, true, "IC17"},
      {"nothing running", 0, 0, true, "IC17"},
  };
  for (const Case& c : cases) {
    EditorState editor;
    editor.controls.componentName = "IC17";
    editor.controls.autoIncrement = c.ticked;
    editor.placement.placementStep = c.step;
    AutoIncrementName(editor, c.previousStep);
    EXPECT_EQ(editor.controls.componentName, c.expected) << c.name;
  }
}

TEST(AutoIncrementName, TheNameFieldStartsAsUnknown1AndTheOptionTicked) {
  EditorState editor;
  EXPECT_EQ(editor.controls.componentName, "Unknown_1");
  EXPECT_TRUE(editor.controls.autoIncrement);
  EXPECT_EQ(editor.controls.selectedTemplate, ".... Components ....");
  EXPECT_EQ(editor.controls.countFields[3], "?");
}

}  // namespace
}  // namespace vanto
