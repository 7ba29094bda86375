// Entry of the Qt test programs: one QApplication on the offscreen platform
// for the whole run, then every test. A program started here checks for a
// release against a loopback port that refuses, never a real server.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "support/loopback_http_server.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  vanto::testing::RefusingLoopbackPort releaseServer;
  ::setenv("ORX_RELEASE_SERVER", releaseServer.Address().c_str(), 1);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
