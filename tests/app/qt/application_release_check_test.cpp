// The release check inside the program's start-up, against a server on
// 127.0.0.1: when it runs, the date it leaves, and that a silent server
// holds start-up up only within the download's limits.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "app/qt/application.h"
#include "foundation/settings_keys.h"
#include "foundation/settings_store.h"
#include "support/fakes.h"
#include "support/loopback_http_server.h"
#include "support/temp_workdir.h"

namespace vanto {
namespace {

using testing::HttpAnswer;
using testing::LoopbackHttpServer;
using testing::ReadFile;
using testing::WriteFile;

class QuietSound final : public SoundOutput {
 public:
  bool Available() override { return false; }
  bool Load(SoundId, const std::string&) override { return false; }
  void Play(SoundId) override {}
};

// Points the program at `address` for one test and back afterwards.
class ReleaseServerVariable {
 public:
  explicit ReleaseServerVariable(const std::string& address) {
    if (const char* old = std::getenv("ORX_RELEASE_SERVER")) old_ = old;
    ::setenv("ORX_RELEASE_SERVER", address.c_str(), 1);
  }
  ~ReleaseServerVariable() { ::setenv("ORX_RELEASE_SERVER", old_.c_str(), 1); }

 private:
  std::string old_;
};

struct DueCase {
  const char* what;
  const char* settings;
  bool checked;
  const char* dateAfter;
};

class StartUpReleaseCheck : public ::testing::TestWithParam<DueCase> {
 protected:
  testing::TempWorkdir dir;
  testing::FakeClock clock;  // 05/03/2023
  testing::RecordingBoxes boxes;
  AppContext context{clock, boxes};
  QuietSound sound;
  Application app{context, sound};
};

TEST_P(StartUpReleaseCheck, RunsOnceADayWhenSwitchedOn) {
  const DueCase& c = GetParam();
  // An older release, so no question waits for an answer.
  LoopbackHttpServer server([](const std::string&) { return HttpAnswer("ORXA(EXP)=21.000\r\n"); });
  ReleaseServerVariable variable(server.Address());
  WriteFile(kSettingsFileName, c.settings);
  app.Start();
  EXPECT_EQ(!server.Paths().empty(), c.checked) << c.what;
  EXPECT_EQ(ReadFile("ORX_version.txt").empty(), !c.checked) << c.what;
  EXPECT_EQ(ReadSetting(kSettingsFileName, key::kDateOfLastUpdateCheck), c.dateAfter) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Settings, StartUpReleaseCheck,
    ::testing::Values(DueCase{"first start, default date", "", true, "05/03/2023"},
                      DueCase{"already checked today", "DateOfLastUpdateCheck=05/03/2023\r\n",
                              false, "05/03/2023"},
                      DueCase{"checked yesterday", "DateOfLastUpdateCheck=04/03/2023\r\n", true,
                              "05/03/2023"},
                      DueCase{"switched off", "CheckWebsiteForUpdate=0\r\n", false, "1/1/2022"},
                      DueCase{"only 1 switches it on", "CheckWebsiteForUpdate=2\r\n", false,
                              "1/1/2022"}));

TEST(StartUpWithASilentServer, GivesUpWithinTheLimitsAndBuildsTheWindow) {
  testing::TempWorkdir dir;
  testing::FakeClock clock;
  testing::RecordingBoxes boxes;
  AppContext context{clock, boxes};
  QuietSound sound;
  Application app{context, sound};
  LoopbackHttpServer server{LoopbackHttpServer::Silent{}};
  ReleaseServerVariable variable(server.Address());

  const auto start = std::chrono::steady_clock::now();
  app.Start();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LT(seconds, 20.0);
  EXPECT_EQ(server.Paths(), std::vector<std::string>{"/wp-content/ORX_version.txt"});
  EXPECT_EQ(ReadFile("testplans/untitled.ept"), std::string(576, ','));
  EXPECT_TRUE(context.app.relayoutPending);  // the interface was built
  EXPECT_EQ(ReadSetting(kSettingsFileName, key::kDateOfLastUpdateCheck), "05/03/2023");
}

}  // namespace
}  // namespace vanto
