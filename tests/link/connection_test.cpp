// Opening, identifying, priming and closing the connection, with a fake
// device and a fake clock.
#include "link/connection.h"

#include <gtest/gtest.h>

#include "foundation/message_texts.h"
#include "link/calibration_storage.h"
#include "link/frame_processing.h"
#include "link/generator_apply.h"
#include "link/identity.h"
#include "link/link_fixture.h"

namespace vanto::testing {
namespace {

using ConnectionTest = LinkTest;

TEST_F(ConnectionTest, OpenDeviceCallsTheLibraryInOrder) {
  OpenDevice(link, kInstrumentBaudRate);
  EXPECT_EQ(state.usb.connected.load(), 1);
  const std::vector<std::string> expected = {
      "FT_CreateDeviceInfoList",
      "FT_SetVIDPID(1027,24597)",  // 0x0403, 0x6015
      "FT_CreateDeviceInfoList",
      "FT_GetDeviceInfoDetail(0)",
      "FT_Open(0)",
      "FT_SetBaudRate(250000)",
      "FT_SetDataCharacteristics(8,0,0)",
      "FT_SetFlowControl(0,0,0)",
      "FT_SetUSBParameters(32768,32768)",
  };
  EXPECT_EQ(device->calls, expected);
  EXPECT_EQ(state.usb.lastGoodFrameMs.load(), clock.nowMs);
  EXPECT_EQ(device->badHandleCount, 0);
}

TEST_F(ConnectionTest, AMissingLibraryShowsTwoMessagesAndStaysClosed) {
  state.openLibrary = [] { return std::shared_ptr<D2xxApi>(); };
  ORX_StartConnection(link);
  EXPECT_EQ(state.usb.connected.load(), 0);
  EXPECT_EQ(BoxTitles(), (std::vector<std::string>{"Error #0005", "Warning #0061"}));
  EXPECT_EQ(boxes.shown[0].body, "FTD2XX.DLL failed to open.");
  EXPECT_EQ(Count(Log(), text::kUsbServiceNotStarted), 1);
}

TEST_F(ConnectionTest, NoDeviceShowsTwoMessagesAndConfiguresNothing) {
  device->present = false;
  ORX_StartConnection(link);
  EXPECT_EQ(state.usb.connected.load(), 0);
  EXPECT_EQ(BoxTitles(), (std::vector<std::string>{"Info #0004", "Warning #0061"}));
  EXPECT_EQ(device->calls.back(), "FT_Open(0)");
  EXPECT_EQ(Count(Log(), text::kStartConnection), 1);
}

TEST_F(ConnectionTest, ReadsTheDescriptorWordsZeroTo128) {
  Open();
  device->eeprom[128] = 0x1234;
  ReadDescriptorWords(link);
  ASSERT_EQ(device->readEeAddresses.size(), 129u);
  for (DWORD i = 0; i <= 128; ++i) EXPECT_EQ(device->readEeAddresses[i], i);
  EXPECT_EQ(state.usb.descriptorWords[128], 0x1234);
}

TEST_F(ConnectionTest, DescriptorWordsAreNotReadWhileClosed) {
  ReadDescriptorWords(link);
  EXPECT_TRUE(device->readEeAddresses.empty());
}

TEST(DescriptorTextTest, CodesOutsidePrintableReadAsSpaces) {
  std::array<std::int16_t, kDescriptorWordCount> words{};
  const std::int16_t codes[] = {'Q', 10, 200, 32, 33, 125, 126, -1};
  for (int i = 0; i < 8; ++i) words[static_cast<std::size_t>(81 + i)] = codes[i];
  EXPECT_EQ(DescriptorText(words, 81, 8), "Q   !}  ");
  EXPECT_EQ(DescriptorText(words, 81, 8).size(), 8u);
}

struct IdentityCase {
  std::string model;
  std::string maker;
  std::string product;
  const char* message;  // nullptr: accepted
};

class IdentityTest : public LinkTest, public ::testing::WithParamInterface<IdentityCase> {};

TEST_P(IdentityTest, AcceptsOnlyTheListedProductsOfTheSelectedModel) {
  const IdentityCase& c = GetParam();
  model = c.model;
  device->SetIdentity(c.maker, c.product);
  ORX_StartConnection(link);
  if (c.message == nullptr) {
    EXPECT_EQ(state.usb.connected.load(), 1);
    EXPECT_TRUE(boxes.shown.empty());
  } else {
    EXPECT_EQ(state.usb.connected.load(), 0);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title + " " + boxes.shown[0].body, c.message);
    EXPECT_EQ(device->closeCount, 1);
    EXPECT_EQ(Count(Log(), text::kStopConnection), 1);
    // Nothing was sent to an instrument that failed the check.
    EXPECT_TRUE(device->writes.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Models, IdentityTest,
    ::testing::Values(
        IdentityCase{"ORXA", "Quillotek", "ORXA", nullptr},
        IdentityCase{"ORXA", "Quillotek", "Quillotek ORXA", nullptr},
        IdentityCase{"ORXA", "Quillotek Ltd", "Quillotek ORXA rev 2", nullptr},
        IdentityCase{"ORXA", "Quillotek", "Quillotek ORXAP", text::kDescriptorWrongModel},
        IdentityCase{"ORXA", "Quillotek", "ORXAP", text::kDescriptorWrongModel},
        IdentityCase{"ORXAP", "Quillotek", "ORXAP", nullptr},
        IdentityCase{"ORXAP", "Quillotek", "Quillotek ORXAP", nullptr},
        IdentityCase{"ORXAP", "Quillotek", "Quillotek ORXA", text::kDescriptorWrongModel},
        IdentityCase{"ORXAP", "Quillotek", "ORXA", text::kDescriptorWrongModel},
        IdentityCase{"ORXB", "Quillotek", "Quillotek ORXB", nullptr},
        IdentityCase{"ORXB", "Quillotek", "ORXB", text::kDescriptorWrongModel},
        IdentityCase{"ORXB", "Quillotek", "quillotek ORXB", text::kDescriptorWrongModel},
        IdentityCase{"ORXC", "Quillotek", "Quillotek ORXB", text::kDescriptorWrongModel},
        IdentityCase{"ORXC", "Quillotek", "Quillotek ORXC", nullptr},
        IdentityCase{"ORXC", "Quillotek", "Quillotek ORXCB", nullptr},
        IdentityCase{"ORXCB", "Quillotek", "Quillotek ORXC", nullptr},
        IdentityCase{"ORXCB", "Quillotek", "Quillotek ORXCB", nullptr},
        IdentityCase{"ORXCB", "Quillotek", "Quillotek ORXB", text::kDescriptorWrongModel},
        IdentityCase{"ORXD", "Quillotek", "Quillotek ORXD", text::kDescriptorWrongModel},
        IdentityCase{"orxb", "Quillotek", "Quillotek ORXB", text::kDescriptorWrongModel},
        IdentityCase{"ORXB", "Quillotex", "Quillotek ORXB", text::kDescriptorIncorrect},
        IdentityCase{"ORXB", " Quillotek", "Quillotek ORXB", text::kDescriptorIncorrect},
        IdentityCase{"ORXB", "", "Quillotek ORXB", text::kDescriptorIncorrect}));

// Register values of one ApplyGeneratorSettings, as the five runs carry them.
std::vector<Bytes> SettingsRuns(const RegisterImage& r) {
  auto values = [&](int first, int count) {
    std::vector<std::uint32_t> v;
    for (int a = first; a < first + count; ++a) v.push_back(static_cast<std::uint32_t>(r[a]));
    return CommandFrameBytes(first, v);
  };
  return {values(30, 2), values(0, 6), values(6, 1), values(7, 9), values(16, 8)};
}

TEST_F(ConnectionTest, StartSendsBitOneThenPrimesAt400And200ThenTheRequestedSettings) {
  model = "ORXB";
  device->SetIdentity("Quillotek", "Quillotek ORXB");
  device->StoreCalibrationText(CalibrationText({{"DAC@10V", 30000},
                                                {"DAC@1V", 29550},
                                                {"DAC@0V", 120},
                                                {"DAC@-1V", -27575},
                                                {"DAC@-10V", -30000},
                                                {"DCBIAS@10V", 29198},
                                                {"DCBIAS@-10V", 3367}}));
  // Bytes the instrument sent before the start are thrown away.
  device->Queue(Bytes(20000, 0xA5));
  const std::int64_t start = clock.nowMs;

  ORX_StartConnection(link);
  ASSERT_EQ(state.usb.connected.load(), 1);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(device->Queued(), 0u);
  EXPECT_EQ(device->readSizes, (std::vector<DWORD>{16384, 20000 - 16384}));
  // 50 + 50 ms around the discard, 250 ms after each priming run.
  EXPECT_EQ(clock.nowMs - start, 600);

  // The expected register image, built from the values the calibration
  // text gives: low span 57125, high span 60000, DAC@0V 120.
  RegisterImage expected;
  expected[1] = 2;
  std::vector<Bytes> sequence = {WriteRecordBytes(1, 2)};
  expected[4] = 22850;  // 57125 x 0.4
  expected[5] = 120;
  expected[6] = 400;
  expected[8] = 0;  // nothing applied yet: 0 ohms, 0 Hz pass through
  expected[10] = 64;
  expected[11] = 1;
  expected[12] = 1;
  expected[14] = 0;
  expected[20] = 16282;  // 0 V through the DC-bias scaling
  expected[21] = 16282;
  expected[23] = 5;
  for (const Bytes& run : SettingsRuns(expected)) sequence.push_back(run);
  expected[4] = 11425;  // 57125 x 0.2
  expected[6] = 200;
  for (const Bytes& run : SettingsRuns(expected)) sequence.push_back(run);

  // The main loop's next pass sends the requested 1000 mV, 10K, 50 Hz.
  EXPECT_EQ(state.generator.sendSettings, 1);
  GeneratorStep(link);
  expected[4] = 57125;
  expected[6] = 1000;
  expected[8] = 10000;
  expected[11] = 20;
  expected[12] = 4;
  expected[14] = 50;
  for (const Bytes& run : SettingsRuns(expected)) sequence.push_back(run);

  EXPECT_EQ(device->Writes(), sequence);
  EXPECT_EQ(state.generator.sendSettings, 0);
}

TEST_F(ConnectionTest, StartLogsAndLoadsTheCalibrationFile) {
  const std::string text = CalibrationText({{"DAC@1V", 29550}, {"DAC@-1V", -27575}});
  Connect(text);
  EXPECT_EQ(ReadFile(kCalibrationFileName), text);
  EXPECT_EQ(Count(Log(), text::kStartConnection), 1);
}

TEST_F(ConnectionTest, ConnectWhileConnectedIsIgnored) {
  Connect();
  ORX_StartConnection(link);
  EXPECT_EQ(device->openCount, 1);
  EXPECT_TRUE(device->calls.empty());
  EXPECT_TRUE(device->writes.empty());
  EXPECT_EQ(state.usb.connected.load(), 1);
  EXPECT_EQ(Count(Log(), text::kStartConnection), 1);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ConnectionTest, StopClosesTheDeviceAndRequestsARedraw) {
  Connect();
  TakeScopeRedrawRequest(state);
  ORX_StopConnection(link);
  EXPECT_EQ(state.usb.connected.load(), 0);
  EXPECT_EQ(device->closeCount, 1);
  EXPECT_FALSE(device->isOpen);
  EXPECT_TRUE(TakeScopeRedrawRequest(state));
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(Count(Log(), text::kStopConnection), 1);
}

TEST_F(ConnectionTest, StopWhileClosedShowsError0062) {
  ORX_StopConnection(link);
  EXPECT_EQ(BoxTitles(), (std::vector<std::string>{"Error #0062"}));
  EXPECT_EQ(Count(Log(), text::kStopConnection), 1);
}

TEST_F(ConnectionTest, CloseWhileClosedShowsInfo0006) {
  CloseDevice(link);
  EXPECT_EQ(BoxTitles(), (std::vector<std::string>{"Info #0006"}));
  EXPECT_EQ(device->closeCount, 0);
}

TEST_F(ConnectionTest, ReconnectLoadsTheLibraryAgainAndOpensAgain) {
  int loads = 0;
  state.openLibrary = [&] {
    ++loads;
    return std::shared_ptr<D2xxApi>(device);
  };
  Connect();
  ORX_StopConnection(link);
  Connect();
  EXPECT_EQ(loads, 2);
  EXPECT_EQ(device->openCount, 2);
}

TEST_F(ConnectionTest, WatchdogClosesOnlyAfterMoreThan2000MsWithoutAGoodFrame) {
  Open();
  const std::int64_t opened = clock.nowMs;
  clock.nowMs = opened + 2000;
  LinkWatchdog(link);
  EXPECT_EQ(state.usb.connected.load(), 1);
  clock.nowMs = opened + 2001;
  LinkWatchdog(link);
  EXPECT_EQ(state.usb.connected.load(), 0);
  EXPECT_EQ(Count(Log(), text::kStopConnection), 1);
  EXPECT_TRUE(boxes.shown.empty());
  // Once closed, it stays closed and quiet.
  clock.nowMs += 5000;
  LinkWatchdog(link);
  EXPECT_EQ(Count(Log(), text::kStopConnection), 1);
}

TEST_F(ConnectionTest, AGoodFrameRenewsTheWatchdog) {
  Open();
  const std::int64_t frameAt = clock.nowMs + 1500;
  state.usb.lastGoodFrameMs.store(frameAt);
  clock.nowMs = frameAt + 2000;
  LinkWatchdog(link);
  EXPECT_EQ(state.usb.connected.load(), 1);
  clock.nowMs = frameAt + 2001;
  LinkWatchdog(link);
  EXPECT_EQ(state.usb.connected.load(), 0);
}

}  // namespace
}  // namespace vanto::testing
