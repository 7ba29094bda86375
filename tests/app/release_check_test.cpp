// The release check's decisions with a scripted HTTP edge: which version is
// compared, what the question says, what Yes and No do, what is requested
// and kept in the working folder.
#include "app/release_check.h"

#include <gtest/gtest.h>

#include "support/fakes.h"
#include "support/temp_workdir.h"
#include "support/release_check_fakes.h"

namespace vanto {
namespace {

using testing::ReadFile;
using testing::WriteFile;

constexpr const char* kServer = "http://127.0.0.1:1/";
constexpr const char* kVersionUrl = "http://127.0.0.1:1/wp-content/ORX_version.txt";

class ReleaseCheckTest : public ::testing::Test {
 protected:
  testing::TempWorkdir dir;
  testing::FakeClock clock;
  testing::RecordingBoxes boxes;
  AppContext context{clock, boxes};
  testing::ScriptedHttp http;
  testing::RecordingQuestions questions;
  testing::RecordingBrowser browser;

  void Check(const std::string& server = kServer) {
    CheckForRelease(context, server, ReleaseCheckEdges{http, questions, browser});
  }
};

struct OfferCase {
  const char* what;
  const char* model;
  int onlyLts;
  const char* file;
  const char* question;  // nullptr: none asked
};

class ReleaseOfferCases : public ReleaseCheckTest,
                          public ::testing::WithParamInterface<OfferCase> {};

TEST_P(ReleaseOfferCases, AsksOnlyForANewerFollowedRelease) {
  const OfferCase& c = GetParam();
  context.app.activeModel = c.model;
  context.settings.onlyLtsCheck = c.onlyLts;
  http.bodies[kVersionUrl] = c.file;
  Check();
  if (c.question == nullptr) {
    EXPECT_TRUE(questions.asked.empty()) << c.what;
    return;
  }
  ASSERT_EQ(questions.asked.size(), 1u) << c.what;
  EXPECT_EQ(questions.asked[0].title, "Info #0001");
  EXPECT_EQ(questions.asked[0].text, c.question) << c.what;
  EXPECT_TRUE(questions.asked[0].information);
  EXPECT_TRUE(boxes.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Versions, ReleaseOfferCases,
    ::testing::Values(
        OfferCase{"an LTS entry is not compared while test releases are followed", "ORXA", 0,
                  "ORXA(LTS)=22.5\r\n", nullptr},
        OfferCase{"the LTS entry offered when only LTS releases are followed", "ORXA", 1,
                  "ORXA(LTS)=22.5\r\n",
                  "Current version: V22.001\nLatest version (LTS): V22.500\n"
                  "Latest version (Beta): V0.000\n\n"
                  "Click YES to goto download website or NO to continue."},
        OfferCase{"22.0012 reads as 22.001, the running version", "ORXA", 0,
                  "ORXA(EXP)=22.0012\r\n", nullptr},
        OfferCase{"22.0019 reads as 22.001 too", "ORXA", 0, "ORXA(EXP)=22.0019\r\n", nullptr},
        OfferCase{"the next thousandth is newer", "ORXA", 0,
                  "ORXA(LTS)=22.001\r\nORXA(EXP)=22.002\r\n",
                  "Current version: V22.001\nLatest version (LTS): V22.001\n"
                  "Latest version (Beta): V22.002\n\n"
                  "Click YES to goto download website or NO to continue."},
        OfferCase{"ORXC is not offered the release of ORXCB", "ORXC", 0,
                  "ORXCB(LTS)=30.000\r\nORXCB(EXP)=30.000\r\n", nullptr},
        OfferCase{"an older release is not offered", "ORXB", 0, "ORXB(EXP)=21.900\r\n", nullptr},
        OfferCase{"no entry for the model", "ORXB", 1, "ORXA(LTS)=30.000\r\n", nullptr}));

TEST_F(ReleaseCheckTest, YesOpensTheSoftwarePageAndNoOpensNothing) {
  http.bodies[kVersionUrl] = "ORXA(EXP)=23.000\r\n";
  questions.answer = false;
  Check();
  EXPECT_EQ(questions.asked.size(), 1u);
  EXPECT_TRUE(browser.opened.empty());

  questions.answer = true;
  Check();
  EXPECT_EQ(questions.asked.size(), 2u);
  EXPECT_EQ(browser.opened, std::vector<std::string>{"http://127.0.0.1:1/software"});
}

TEST_F(ReleaseCheckTest, StoresTheFileAndRequestsTheModelsDownloadLink) {
  http.bodies[kVersionUrl] = "ORXB(EXP)=21.000\r\n";
  http.bodies["http://127.0.0.1:1/?smd_process_download=1&download_id=103"] = "counted";
  context.app.activeModel = "ORXB";
  Check();
  EXPECT_EQ(http.requested,
            (std::vector<std::string>{kVersionUrl,
                                      "http://127.0.0.1:1/?smd_process_download=1&download_id=103"}));
  EXPECT_EQ(ReadFile("ORX_version.txt"), "ORXB(EXP)=21.000\r\n");
  EXPECT_EQ(ReadFile("zversion.txt"), "counted");
}

TEST_F(ReleaseCheckTest, OrxcbHasNoDownloadLink) {
  http.bodies[kVersionUrl] = "ORXCB(EXP)=21.000\r\n";
  context.app.activeModel = "ORXCB";
  Check();
  EXPECT_EQ(http.requested, std::vector<std::string>{kVersionUrl});
  EXPECT_FALSE(DownloadLinkNumber("ORXCB"));
  EXPECT_EQ(DownloadLinkNumber("ORXD"), 105);
}

TEST_F(ReleaseCheckTest, AFailedDownloadIsSilentAndKeepsTheOldFile) {
  WriteFile("ORX_version.txt", "ORXA(EXP)=30.000\r\n");  // yesterday's copy
  Check();
  EXPECT_EQ(http.requested, std::vector<std::string>{kVersionUrl});
  EXPECT_TRUE(questions.asked.empty());
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(ReadFile("ORX_version.txt"), "ORXA(EXP)=30.000\r\n");
}

TEST_F(ReleaseCheckTest, TheDownloadIsLimitedInTimeAndSize) {
  Check();
  EXPECT_EQ(http.lastLimits.connectTimeoutMs, 5000);
  EXPECT_EQ(http.lastLimits.totalTimeoutMs, 10000);
  EXPECT_EQ(http.lastLimits.maxBytes, 65536u);
}

TEST_F(ReleaseCheckTest, AFileOverTheLimitIsRefused) {
  WriteFile("ORX_version.txt", "old");
  http.bodies[kVersionUrl] = "ORXA(EXP)=30.000\r\n" + std::string(65536, 'x');
  Check();
  EXPECT_TRUE(questions.asked.empty());
  EXPECT_EQ(ReadFile("ORX_version.txt"), "old");
}

TEST_F(ReleaseCheckTest, AnInvalidHostIsNeverContacted) {
  http.bodies["http://releases.vanto.invalid/wp-content/ORX_version.txt"] = "ORXA(EXP)=30.000";
  Check(ReleaseServerAddress(nullptr));
  Check("http://Updates.Example.INVALID.:8080/");
  EXPECT_TRUE(http.requested.empty());
  EXPECT_TRUE(questions.asked.empty());
}

TEST(ReleaseServerAddress, TheVariableOverridesTheInvalidDefault) {
  EXPECT_EQ(ReleaseServerAddress(nullptr), "http://releases.vanto.invalid/");
  EXPECT_EQ(ReleaseServerAddress(""), "http://releases.vanto.invalid/");
  EXPECT_EQ(ReleaseServerAddress("http://127.0.0.1:8123"), "http://127.0.0.1:8123/");
  EXPECT_EQ(ReleaseServerAddress("http://127.0.0.1:8123/"), "http://127.0.0.1:8123/");
  EXPECT_FALSE(ReleaseServerUsable(ReleaseServerAddress(nullptr)));
  EXPECT_TRUE(ReleaseServerUsable("http://127.0.0.1:8123/"));
  EXPECT_FALSE(ReleaseServerUsable("http:///"));
  EXPECT_FALSE(ReleaseServerUsable("http://user:pw@mirror.invalid:81/"));
}

}  // namespace
}  // namespace vanto
