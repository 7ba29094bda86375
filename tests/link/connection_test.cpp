// Opening, identifying, priming and closing the connection, with a fake
// device and a fake clock.
#include "link/connection.h"

#include <gtest/gtest.h>

#include <cmath>

#include "foundation/message_texts.h"
#include "link/calibration_storage.h"
#include "link/frame_processing.h"
#include "link/generator_apply.h"
#include "link/identity.h"
#include "link/frame_reader.h"
#include "link/frame_store.h"
#include "link/link_fixture.h"
#include "link/calibration_storage.h"

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
  device->StoreCalibrationText(kSoundCalibration);
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
                                                {"ADC0@10V", 20000},
                                                {"ADC0@-10V", -20000},
                                                {"ADC1@10V", 20000},
                                                {"ADC1@-10V", -20000},
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
  // 50 + 50 ms around the discard, 250 ms after each priming run; the
  // discard itself 1 ms after each of its two reads and then 21 ms (one
  // frame on the wire) of an empty queue.
  EXPECT_EQ(clock.nowMs - start, 600 + 22);

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

// A frame on its way when the link starts: its tail comes after the first
// bytes have been thrown away, and must go too, or every later frame is
// read from the middle.
TEST_F(ConnectionTest, TheStartUpDiscardLeavesNoHalfFrameBehind) {
  const Bytes inFlight = BuildFrame(FrameContent{});
  device->arriving = {Bytes(inFlight.begin(), inFlight.begin() + 260), Bytes{}, Bytes{},
                      Bytes(inFlight.begin() + 260, inFlight.end())};
  Connect();
  EXPECT_EQ(device->Queued(), 0u);
  EXPECT_EQ(state.usb.framesOutstanding.load(), 0);

  FrameContent fresh;
  fresh.header = {7, 3100, 0};
  device->Queue(BuildFrame(fresh));
  ReadDataFrames(link);
  DecodedFrame frame;
  ASSERT_TRUE(TakeReadyFrame(state.frames, frame));
  EXPECT_EQ(frame.header[0], 7);
}

TEST_F(ConnectionTest, TheStartUpDiscardEndsWhenTheInstrumentNeverFallsQuiet) {
  for (int i = 0; i < 5000; ++i) device->arriving.push_back(Bytes(8, 0));
  const std::int64_t before = clock.nowMs;
  Connect();
  EXPECT_LE(clock.nowMs - before, 3000);  // the start goes on, bytes or not
}

struct DamagedRecord {
  const char* name;
  std::string text;
};

class DamagedCalibration : public ConnectionTest,
                           public ::testing::WithParamInterface<DamagedRecord> {};

TEST_P(DamagedCalibration, GivesOneCodedWarningAndNoWrappedCodes) {
  Connect(GetParam().text);
  EXPECT_EQ(BoxTitles(), std::vector<std::string>{"Warning #0073"});
  for (std::int32_t code : state.generator.amplitudeCode) {
    // Every code is the span's share held within range; none wrapped round.
    EXPECT_GE(code, 0) << GetParam().name;
  }
  EXPECT_FALSE(std::isnan(state.adc.gain0));
  EXPECT_FALSE(std::isnan(state.generator.dcGain));
}

INSTANTIATE_TEST_SUITE_P(
    Records, DamagedCalibration,
    ::testing::Values(
        DamagedRecord{"Erased", std::string(1792, '\xFF')},
        DamagedRecord{"Empty", ""},
        DamagedRecord{"Huge",
                      CalibrationText({{"DAC@10V", 2147483647}, {"DAC@1V", 2147483647},
                                       {"DAC@0V", 0}, {"DAC@-1V", -2147483647 - 1},
                                       {"DAC@-10V", -2147483647 - 1}, {"ADC0@10V", 2147483647},
                                       {"ADC0@-10V", -2147483647 - 1}, {"ADC1@10V", 2147483647},
                                       {"ADC1@-10V", -2147483647 - 1},
                                       {"DCBIAS@10V", 2147483647},
                                       {"DCBIAS@-10V", -2147483647 - 1}})},
        DamagedRecord{"NotNumbers", "DAC@10V=lots\r\nDAC@1V=3000\r\nDAC@0V=0\r\n"
                                    "DAC@-1V=-3000\r\nDAC@-10V=-30000\r\nADC0@10V=x\r\n"
                                    "ADC0@-10V=-20000\r\nADC1@10V=20000\r\n"
                                    "ADC1@-10V=-20000\r\n"},
        DamagedRecord{"TooManyDigits",
                      std::string(kSoundCalibration) + "DAC@10V=99999999999999999999\r\n"}),
    [](const ::testing::TestParamInfo<DamagedRecord>& info) { return info.param.name; });

TEST_F(ConnectionTest, ASoundRecordGivesNoWarning) {
  Connect(std::string(kSoundCalibration) + "DCBIAS@10V=29198\r\nDCBIAS@-10V=3367\r\n");
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_FLOAT_EQ(state.generator.dcGain, 1291.55f);
}

TEST_F(ConnectionTest, ARefusedEepromWriteIsReported) {
  Connect();
  testing::WriteFile("new_cal.txt", kSoundCalibration);
  device->writeEeResult = 4;  // FT_IO_ERROR
  EXPECT_FALSE(WriteFileToEeprom(link, "new_cal.txt"));
  EXPECT_EQ(BoxTitles(), std::vector<std::string>{"Error #0074"});
  device->writeEeResult = FT_OK;
  EXPECT_TRUE(WriteFileToEeprom(link, "new_cal.txt"));
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
