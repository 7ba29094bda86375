// The multimeter client: the thirteen ranges and their commands, the range
// kept between measurements, the reply's parse, replies that come in parts
// or never end, the address with its optional port, and the real sockets
// against a scripted loopback server.
#include <gtest/gtest.h>

#include <cmath>

#include "calibration/dmm_client.h"
#include "calibration/dmm_ranges.h"
#include "calibration/dmm_reply.h"
#include "calibration/posix_dmm_network.h"
#include "support/fake_dmm.h"
#include "support/fakes.h"
#include "support/loopback_scpi_server.h"
#include "support/temp_workdir.h"

namespace vanto::testing {
namespace {

TEST(DmmRangesTest, ThirteenRangesWithTheirCommands) {
  struct Case {
    int index;
    const char* text;
    const char* configure;
    const char* range;
  };
  const Case cases[] = {
      {0, "1000V", "CONFigure:VOLTage:DC\n", "VOLTage:DC:RANGe 1000V\n"},
      {1, "100V", "CONFigure:VOLTage:DC\n", "VOLTage:DC:RANGe 100V\n"},
      {2, "10V", "CONFigure:VOLTage:DC\n", "VOLTage:DC:RANGe 10V\n"},
      {3, "1V", "CONFigure:VOLTage:DC\n", "VOLTage:DC:RANGe 1V\n"},
      {4, "100mV", "CONFigure:VOLTage:DC\n", "VOLTage:DC:RANGe 100mV\n"},
      {5, "3A", "CONFigure:CURRent:DC\n", "CURRent:DC:RANGe 3A\n"},
      {6, "1A", "CONFigure:CURRent:DC\n", "CURRent:DC:RANGe 1A\n"},
      {7, "100mA", "CONFigure:CURRent:DC\n", "CURRent:DC:RANGe 100mA\n"},
      {8, "10mA", "CONFigure:CURRent:DC\n", "CURRent:DC:RANGe 10mA\n"},
      {9, "1mA", "CONFigure:CURRent:DC\n", "CURRent:DC:RANGe 1mA\n"},
      {10, "100uA", "CONFigure:CURRent:DC\n", "CURRent:DC:RANGe 100uA\n"},
      {11, "10uA", "CONFigure:CURRent:DC\n", "CURRent:DC:RANGe 10uA\n"},
      {12, "1uA", "CONFigure:CURRent:DC\n", "CURRent:DC:RANGe 1uA\n"},
  };
  ASSERT_EQ(DmmRanges().size(), std::size(cases));
  for (const Case& c : cases) {
    const DmmRange& row = DmmRanges()[static_cast<std::size_t>(c.index)];
    EXPECT_EQ(row.text, c.text);
    EXPECT_EQ(row.configure, c.configure);
    EXPECT_EQ(row.range, c.range);
    EXPECT_EQ(FindDmmRange(c.text), c.index);
  }
  EXPECT_EQ(FindDmmRange("10v"), -1);
  EXPECT_EQ(DmmRanges()[kDefaultDmmRangeIndex].text, "10V");
}

TEST(DmmReplyTest, RepliesReadAsTheMeterMeansThem) {
  struct Case {
    const char* reply;
    double value;
  };
  const Case cases[] = {
      {"+1.00000000E+01", 10.0},
      {"-2.50000000E-03", -0.0025},
      {"+9.90000000E+37", 9.9},   // exponent outside the table: the mantissa alone
      {"-9.90000000E+37", 9.9},   // ... without its sign
      {" 1.00000000E+00", -1.0},  // anything but "+" is negative
      {"+1.23456789E+12", 1.23456789e12},
      {"+1.00000000E-15", 1e-15},
      {"+5.00000000E+00", 5.0},
      {"+5.00000000E-00", 5.0},   // "E-00" is not in the table
      {"+abc", 0.0},
      {"", 0.0},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(ParseDmmReply(c.reply), c.value) << c.reply;
}

TEST(DmmAddressTest, HostWithOptionalPort) {
  struct Case {
    const char* text;
    bool valid;
    const char* host;
    int port;
  };
  const Case cases[] = {
      {"192.168.10.80", true, "192.168.10.80", 5025},
      {"127.0.0.1:5100", true, "127.0.0.1", 5100},
      {" 127.0.0.1 : 7 ", true, "127.0.0.1", 7},
      {"dmm.lab", true, "dmm.lab", 5025},
      {"127.0.0.1:", false, "", 0},
      {"127.0.0.1:0", false, "", 0},
      {"127.0.0.1:65536", false, "", 0},
      {"127.0.0.1:12x", false, "", 0},
      {":5025", false, "", 0},
      {"", false, "", 0},
  };
  for (const Case& c : cases) {
    auto parsed = ParseDmmAddress(c.text);
    ASSERT_EQ(parsed.has_value(), c.valid) << c.text;
    if (!c.valid) continue;
    EXPECT_EQ(parsed->host, c.host);
    EXPECT_EQ(parsed->port, c.port);
  }
}

class DmmClientTest : public ::testing::Test {
 protected:
  void Connect() { ASSERT_TRUE(DmmConnect(dmm, network, messages, "10.1.2.3")); }
  ScriptedReply& Script() { return network.script->replies.emplace_back(); }

  TempWorkdir workdir;
  FakeClock clock;
  RecordingBoxes boxes;
  Messages messages{clock, boxes};
  FakeDmmNetwork network{clock};
  DmmLink dmm;
};

TEST_F(DmmClientTest, ConnectsOnceToPort5025WithTenSecondLimit) {
  EXPECT_EQ(dmm.buttonText, "Connect");
  Connect();
  EXPECT_EQ(dmm.buttonText, "Connected");
  Connect();
  EXPECT_EQ(network.opened, std::vector<std::string>{"10.1.2.3:5025/10000"});
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(DmmClientTest, FailedConnectShowsTheErrorBoxAndKeepsConnect) {
  network.refuse = true;
  EXPECT_FALSE(DmmConnect(dmm, network, messages, "10.1.2.3:6000"));
  EXPECT_EQ(dmm.buttonText, "Connect");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, "Error");
  EXPECT_EQ(boxes.shown[0].body, "Can't connect with DMM over TCP");
  EXPECT_EQ(network.opened, std::vector<std::string>{"10.1.2.3:6000/10000"});
  // An address that is not one never reaches the network.
  EXPECT_FALSE(DmmConnect(dmm, network, messages, "10.1.2.3:x"));
  EXPECT_EQ(network.opened.size(), 1u);
  EXPECT_EQ(boxes.shown.size(), 2u);
}

TEST_F(DmmClientTest, MeasuringWhileNotConnectedShowsTheBoxAndKeepsTheValue) {
  dmm.measuredValue = 3.5;
  EXPECT_FALSE(DmmMeasure(dmm, messages, clock, "10V"));
  EXPECT_DOUBLE_EQ(dmm.measuredValue, 3.5);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, "Error");
  EXPECT_EQ(boxes.shown[0].body, "DMM not connected");
}

TEST_F(DmmClientTest, RangeConfiguredOnlyWhenItChanges) {
  Connect();
  network.script->steadyReply = "+1.00000000E+01\n";
  const std::int64_t start = clock.nowMs;
  ASSERT_TRUE(DmmMeasure(dmm, messages, clock, "10V"));
  EXPECT_EQ(clock.nowMs - start, 1000);  // 500 after the range, 500 after READ?
  ASSERT_TRUE(DmmMeasure(dmm, messages, clock, "10V"));
  ASSERT_TRUE(DmmMeasure(dmm, messages, clock, "1mA"));
  const std::vector<std::string> expected = {
      "CONFigure:VOLTage:DC\n", "VOLTage:DC:RANGe 10V\n", "READ?\n", "READ?\n",
      "CONFigure:CURRent:DC\n", "CURRent:DC:RANGe 1mA\n", "READ?\n"};
  EXPECT_EQ(network.script->sent, expected);
  EXPECT_EQ(dmm.lastRange, "1mA");
  EXPECT_DOUBLE_EQ(dmm.measuredValue, 10.0);
}

TEST_F(DmmClientTest, ReplySplitOverTwoSegmentsIsReadWhole) {
  Connect();
  Script() = {{0, "-2.5000"}, {40, "0000E-03\r\n"}};
  ASSERT_TRUE(DmmMeasure(dmm, messages, clock, "10V"));
  EXPECT_DOUBLE_EQ(dmm.measuredValue, -0.0025);
  EXPECT_EQ(dmm.replyText, "-2.50000000E-03");
}

TEST_F(DmmClientTest, ReplyThatNeverEndsKeepsThePreviousReadingAfter200Ms) {
  Connect();
  Script() = {{0, "+7.00000000E+00\n"}};
  ASSERT_TRUE(DmmMeasure(dmm, messages, clock, "10V"));
  Script() = {{0, "+1.0000"}};  // the rest never comes
  const std::int64_t start = clock.nowMs;
  EXPECT_FALSE(DmmMeasure(dmm, messages, clock, "10V"));
  EXPECT_DOUBLE_EQ(dmm.measuredValue, 7.0);
  const std::int64_t waited = clock.nowMs - start - 500;
  EXPECT_GT(waited, 200);
  EXPECT_LE(waited, 200 + 10);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(DmmClientTest, SilenceKeepsThePreviousReading) {
  Connect();
  dmm.measuredValue = -1.25;
  EXPECT_FALSE(DmmMeasure(dmm, messages, clock, "10V"));
  EXPECT_DOUBLE_EQ(dmm.measuredValue, -1.25);
}

TEST_F(DmmClientTest, LateReplyIsNeverTakenForTheNextOne) {
  Connect();
  Script() = {{900, "+3.00000000E+00\n"}};  // after the 700 ms of waiting
  EXPECT_FALSE(DmmMeasure(dmm, messages, clock, "10V"));
  clock.nowMs += 1000;
  Script() = {{0, "+4.00000000E+00\n"}};
  ASSERT_TRUE(DmmMeasure(dmm, messages, clock, "10V"));
  EXPECT_DOUBLE_EQ(dmm.measuredValue, 4.0);
}

TEST_F(DmmClientTest, MeterThatClosedTheConnectionIsDropped) {
  Connect();
  network.script->closedByPeer = true;
  EXPECT_FALSE(DmmMeasure(dmm, messages, clock, "10V"));
  EXPECT_EQ(dmm.connection, nullptr);
  EXPECT_EQ(dmm.buttonText, "Connect");
  EXPECT_FALSE(DmmMeasure(dmm, messages, clock, "10V"));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].body, "DMM not connected");
}

TEST(DmmLoopbackTest, RealSocketsSendRangeOnceAndReadReplies) {
  TempWorkdir workdir;
  LoopbackScpiServer server({"+1.00000000E+01\n", "-2.50000000E-03\n", "+9.90000000E+37\n"});
  testing::FakeClock fakeClock;
  RecordingBoxes boxes;
  Messages messages{fakeClock, boxes};
  // A clock that really sleeps, briefly: the server needs real time.
  struct ShortSleepClock final : Clock {
    std::int64_t MonotonicMs() const override { return now; }
    CalendarTime LocalTime() const override { return {}; }
    void SleepMs(int ms) override {
      now += ms;
      std::this_thread::sleep_for(std::chrono::milliseconds(ms > 10 ? 20 : 2));
    }
    std::int64_t now = 0;
  } clock;
  PosixDmmNetwork network;
  DmmLink dmm;
  ASSERT_TRUE(DmmConnect(dmm, network, messages, "127.0.0.1:" + std::to_string(server.Port())));
  ASSERT_TRUE(DmmMeasure(dmm, messages, clock, "10V"));
  EXPECT_DOUBLE_EQ(dmm.measuredValue, 10.0);
  ASSERT_TRUE(DmmMeasure(dmm, messages, clock, "10V"));
  EXPECT_DOUBLE_EQ(dmm.measuredValue, -0.0025);
  ASSERT_TRUE(DmmMeasure(dmm, messages, clock, "1mA"));
  EXPECT_DOUBLE_EQ(dmm.measuredValue, 9.9);
  const std::vector<std::string> expected = {
      "CONFigure:VOLTage:DC\n", "VOLTage:DC:RANGe 10V\n", "READ?\n", "READ?\n",
      "CONFigure:CURRent:DC\n", "CURRent:DC:RANGe 1mA\n", "READ?\n"};
  EXPECT_EQ(server.Lines(), expected);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST(DmmLoopbackTest, NothingListeningIsACleanFailure) {
  TempWorkdir workdir;
  int port = 0;
  {
    LoopbackScpiServer closed({});
    port = closed.Port();
  }  // the port is free again and refuses
  testing::FakeClock clock;
  RecordingBoxes boxes;
  Messages messages{clock, boxes};
  PosixDmmNetwork network;
  DmmLink dmm;
  EXPECT_FALSE(DmmConnect(dmm, network, messages, "127.0.0.1:" + std::to_string(port)));
  EXPECT_EQ(dmm.buttonText, "Connect");
  ASSERT_EQ(boxes.shown.size(), 1u);
}

}  // namespace
}  // namespace vanto::testing
