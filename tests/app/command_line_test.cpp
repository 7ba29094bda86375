// The program's options.
#include "app/command_line.h"

#include <gtest/gtest.h>

namespace vanto {
namespace {

TEST(CommandLine, NoOptionsMeansTheCurrentFolder) {
  CommandLine line = ParseCommandLine({});
  EXPECT_TRUE(line.error.empty());
  EXPECT_TRUE(line.workdir.empty());
  EXPECT_FALSE(line.showCrashReport);
}

TEST(CommandLine, WorkdirAndCrashReportTakeTheirValues) {
  CommandLine line = ParseCommandLine({"--workdir", "/tmp/x", "--show-crash-report", "text\rmore"});
  EXPECT_TRUE(line.error.empty());
  EXPECT_EQ(line.workdir, "/tmp/x");
  EXPECT_TRUE(line.showCrashReport);
  EXPECT_EQ(line.crashReport, "text\rmore");
}

TEST(CommandLine, UnknownOptionOrMissingValueIsAnError) {
  EXPECT_EQ(ParseCommandLine({"--frobnicate"}).error, "unknown option --frobnicate");
  EXPECT_EQ(ParseCommandLine({"--workdir"}).error, "missing value for --workdir");
}

}  // namespace
}  // namespace vanto
