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

TEST(CommandLine, InstrumentOptions) {
  CommandLine line = ParseCommandLine({"--d2xx", "/opt/ftdi/libftd2xx.so", "--connect"});
  EXPECT_TRUE(line.error.empty());
  EXPECT_EQ(line.d2xxPath, "/opt/ftdi/libftd2xx.so");
  EXPECT_TRUE(line.connect);
  EXPECT_FALSE(line.simulate);
  EXPECT_TRUE(ParseCommandLine({"--simulate"}).simulate);
  EXPECT_FALSE(ParseCommandLine({"--simulate"}).connect);
  EXPECT_EQ(ParseCommandLine({"--simulate", "--d2xx", "x.so"}).error,
            "--simulate and --d2xx exclude each other");
}

TEST(CommandLine, UnknownOptionOrMissingValueIsAnError) {
  EXPECT_EQ(ParseCommandLine({"--frobnicate"}).error, "unknown option --frobnicate");
  EXPECT_EQ(ParseCommandLine({"--workdir"}).error, "missing value for --workdir");
}

}  // namespace
}  // namespace vanto
