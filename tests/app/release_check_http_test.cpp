// The release check through libcurl against servers on 127.0.0.1 that
// misbehave: silent, missing file, cut short, too large. Whatever the
// server does, the check ends within its limits, asks nothing and the
// working folder's old "ORX_version.txt" stays byte for byte.
#include <gtest/gtest.h>

#include <chrono>

#include "app/curl_http_download.h"
#include "app/release_check.h"
#include "app/startup.h"
#include "foundation/settings_keys.h"
#include "foundation/settings_store.h"
#include "support/fakes.h"
#include "support/loopback_http_server.h"
#include "support/release_check_fakes.h"
#include "support/temp_workdir.h"

namespace vanto {
namespace {

using testing::HttpAnswer;
using testing::LoopbackHttpServer;
using testing::ReadFile;
using testing::WriteFile;

constexpr const char* kOldCopy = "ORXA(LTS)=22.001\r\nORXA(EXP)=22.001\r\n";

class ReleaseCheckOverHttp : public ::testing::Test {
 protected:
  testing::TempWorkdir dir;
  testing::FakeClock clock;
  testing::RecordingBoxes boxes;
  AppContext context{clock, boxes};
  CurlHttpDownloader http;
  testing::RecordingQuestions questions;
  testing::RecordingBrowser browser;

  // Seconds the check took.
  double Check(const std::string& server) {
    const auto start = std::chrono::steady_clock::now();
    CheckForRelease(context, server, ReleaseCheckEdges{http, questions, browser});
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
};

TEST_F(ReleaseCheckOverHttp, ANewerReleaseIsFetchedStoredAndOffered) {
  const std::string file = "ORXA(LTS)=22.001\r\nORXA(EXP)=22.300\r\n";
  LoopbackHttpServer server([&](const std::string& path) {
    return path == "/wp-content/ORX_version.txt" ? HttpAnswer(file) : testing::HttpNotFound();
  });
  WriteFile("ORX_version.txt", kOldCopy);
  Check(server.Address());
  EXPECT_EQ(ReadFile("ORX_version.txt"), file);
  ASSERT_EQ(questions.asked.size(), 1u);
  EXPECT_NE(questions.asked[0].text.find("Latest version (Beta): V22.300"), std::string::npos);
  EXPECT_EQ(server.Paths(),
            (std::vector<std::string>{"/wp-content/ORX_version.txt",
                                      "/?smd_process_download=1&download_id=101"}));
}

struct BrokenServerCase {
  const char* what;
  std::string reply;
};

class BrokenServers : public ReleaseCheckOverHttp,
                      public ::testing::WithParamInterface<BrokenServerCase> {};

TEST_P(BrokenServers, KeepTheOldFileAndAskNothing) {
  const BrokenServerCase& c = GetParam();
  LoopbackHttpServer server([&](const std::string&) { return c.reply; });
  WriteFile("ORX_version.txt", kOldCopy);
  EXPECT_LT(Check(server.Address()), 20.0) << c.what;
  EXPECT_EQ(ReadFile("ORX_version.txt"), kOldCopy) << c.what;
  EXPECT_TRUE(questions.asked.empty()) << c.what;
  EXPECT_TRUE(boxes.shown.empty()) << c.what;
  EXPECT_EQ(server.Paths().size(), 1u) << c.what;  // the check ended at the failed download
}

const std::string kNewer = "ORXA(EXP)=30.000\r\n";

INSTANTIATE_TEST_SUITE_P(
    Replies, BrokenServers,
    ::testing::Values(
        BrokenServerCase{"missing file", testing::HttpNotFound()},
        BrokenServerCase{"cut short of its length",
                         "HTTP/1.0 200 OK\r\nContent-Length: 1000\r\n\r\n" + kNewer},
        BrokenServerCase{"over 64 KiB, announced",
                         HttpAnswer(kNewer + std::string(64 * 1024, 'x'))},
        BrokenServerCase{"over 64 KiB, unannounced",
                         "HTTP/1.0 200 OK\r\n\r\n" + kNewer + std::string(64 * 1024, 'x')},
        BrokenServerCase{"no HTTP at all", "hello\r\n"}));

TEST_F(ReleaseCheckOverHttp, ASilentServerIsGivenUpAndStartUpGoesOn) {
  LoopbackHttpServer server{LoopbackHttpServer::Silent{}};
  LoadSettingsAndModel(context);  // default date: the check is due
  WriteFile("ORX_version.txt", kOldCopy);
  ASSERT_TRUE(ReleaseCheckDue(context));
  const double seconds = Check(server.Address());
  EXPECT_LT(seconds, 20.0);
  EXPECT_GE(seconds, 4.0);  // it did wait for the answer, within the limits
  EXPECT_EQ(server.Paths(), std::vector<std::string>{"/wp-content/ORX_version.txt"});
  EXPECT_EQ(ReadFile("ORX_version.txt"), kOldCopy);
  EXPECT_TRUE(questions.asked.empty());
  // The next start-up step still works; the date stays written.
  EnsureTestPlanFile(context);
  EXPECT_EQ(ReadFile("testplans/untitled.ept"), std::string(576, ','));
  EXPECT_EQ(ReadSetting(kSettingsFileName, key::kDateOfLastUpdateCheck), "05/03/2023");
}

TEST_F(ReleaseCheckOverHttp, ARefusingServerEndsTheCheckAtOnce) {
  testing::RefusingLoopbackPort refusing;
  EXPECT_LT(Check(refusing.Address()), 5.0);
  EXPECT_TRUE(questions.asked.empty());
}

}  // namespace
}  // namespace vanto
