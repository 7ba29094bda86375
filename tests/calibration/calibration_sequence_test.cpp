// The automatic sequence: the fit and its rounding, the zero-pass steps,
// "Go!"/"Stop!", and a whole run against a multimeter that reads a linear
// model of the instrument's output, on the fake clock: every status text in
// order, the step times, the trimmed codes and the stored record.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "calibration/calibration_fit.h"
#include "calibration/calibration_fixture.h"
#include "calibration/calibration_messages.h"
#include "calibration/calibration_sequence.h"
#include "link/command_records.h"

namespace vanto::testing {
namespace {

TEST(CalibrationFitTest, TwoPointExample) {
  const std::array<double, 5> readings = {9.90, 0.99, 0.0, -1.01, -9.80};
  const std::array<std::int32_t, 5> codes = {28945, 29550, 1110, -27575, -27015};
  const FitCodes fit = FitDacCodes(readings, codes, {});
  EXPECT_TRUE(fit.highFitted);
  EXPECT_TRUE(fit.lowFitted);
  EXPECT_EQ(fit.plus10, 29229);
  EXPECT_EQ(fit.minus10, -27583);
  // Low range: slope 57125 / 2.0, intercept 29550 - 0.99 * 28562.5.
  EXPECT_EQ(fit.plus1, 29836);
  EXPECT_EQ(fit.minus1, -27289);
  EXPECT_EQ(fit.zero, 1273);
}

TEST(CalibrationFitTest, HalvesRoundAwayFromZero) {
  struct Case {
    double value;
    std::int32_t rounded;
  };
  const Case cases[] = {{0.5, 1},   {-0.5, -1},  {1.5, 2},       {2.5, 3},   {-2.5, -3},
                        {2.4999, 2}, {-2.4999, -2}, {1e12, 2147483647}, {-1e12, -2147483647 - 1}};
  for (const Case& c : cases) EXPECT_EQ(RoundHalfAwayFromZero(c.value), c.rounded) << c.value;
  // A fit that lands on a half: codes 3 and 0 over readings 1 and -1 put
  // the 0 V code at 1.5.
  const FitCodes fit = FitDacCodes({10, 1, 0, -1, -10}, {10, 3, 0, 0, -10}, {});
  EXPECT_EQ(fit.zero, 2);
  const FitCodes negative = FitDacCodes({10, 1, 0, -1, -10}, {10, 0, 0, -3, -10}, {});
  EXPECT_EQ(negative.zero, -2);
}

TEST(CalibrationFitTest, EqualReadingsKeepTheRangesCodes) {
  FitCodes current;
  current.plus10 = 11;
  current.minus10 = -11;
  current.plus1 = 1;
  current.zero = 0;
  current.minus1 = -1;
  const FitCodes high = FitDacCodes({5.0, 0.99, 0, -1.01, 5.0}, {28945, 29550, 0, -27575, -27015},
                                    current);
  EXPECT_FALSE(high.highFitted);
  EXPECT_TRUE(high.lowFitted);
  EXPECT_EQ(high.plus10, 11);
  EXPECT_EQ(high.minus10, -11);
  const FitCodes low = FitDacCodes({9.9, 0.5, 0, 0.5, -9.8}, {28945, 29550, 0, -27575, -27015},
                                   current);
  EXPECT_TRUE(low.highFitted);
  EXPECT_FALSE(low.lowFitted);
  EXPECT_EQ(low.plus1, 1);
  EXPECT_EQ(low.zero, 0);
  EXPECT_EQ(low.minus1, -1);
}

TEST(CalibrationFitTest, ZeroPassSteps) {
  struct Case {
    double v;
    int change;
  };
  const Case cases[] = {{0.0030, -32}, {0.0021, -32}, {0.002, -8},  {0.0015, -8}, {0.001, -8},
                        {0.0009, -1},  {0.0, -1},     {-0.0001, 1}, {-0.001, 8},  {-0.002, 8},
                        {-0.0021, 32}, {-0.0030, 32}, {std::nan(""), 0}};
  for (const Case& c : cases) EXPECT_EQ(ZeroPassChange(c.v), c.change) << c.v;
}

TEST(CalibrationStepTextTest, TextsAsTheTableHasThem) {
  EXPECT_EQ(SequenceStepText(0, 0), ": idle");
  EXPECT_EQ(SequenceStepText(15, 0), ": calculate values ");
  EXPECT_EQ(SequenceStepText(28, 0), ": calculate values ");
  EXPECT_EQ(SequenceStepText(30, 50), ": zeroing in on 0V, pass:50");
  EXPECT_EQ(SequenceStepText(41, 0), ": store all values");
}

// The instrument's output as a linear model of its DAC: the code it gets
// is the low 16 bits of what the host's record encoding sends.
double ModelVolts(const RegisterImage& r) {
  std::uint8_t record[8];
  EncodeWriteRecord(3, r[3], record);
  const auto code = static_cast<std::int16_t>((record[4] << 8) | record[5]);
  const bool high = (r[1] & 0x20) != 0;
  return (code - 1236.3) / (high ? 2861.7 : 27791.0);
}

class ModelDmmConnection final : public DmmConnection {
 public:
  ModelDmmConnection(const RegisterImage& registers, std::vector<std::string>& sent)
      : registers_(registers), sent_(sent) {}
  void Send(std::string_view bytes) override {
    sent_.emplace_back(bytes);
    if (bytes != "READ?\n") return;
    char text[32];
    std::snprintf(text, sizeof text, "%+.8E\n", ModelVolts(registers_));
    reply_ = text;
  }
  bool DataWaiting() override { return !reply_.empty(); }
  std::string Receive(std::size_t) override { return std::exchange(reply_, {}); }

 private:
  const RegisterImage& registers_;
  std::vector<std::string>& sent_;
  std::string reply_;
};

class SequenceTest : public CalibrationTest {
 protected:
  void ConnectModelDmm() {
    calibration.dmm.connection = std::make_unique<ModelDmmConnection>(state.registers, dmmSent);
    calibration.dmm.buttonText = "Connected";
  }
  // Window-loop passes of 1 ms until the sequence is idle again.
  void RunToIdle() {
    lastStatus = session->sequence.statusField;
    for (int pass = 0; pass < 400000; ++pass) {
      const std::int64_t passStart = clock.nowMs;
      RunCalibrationPass(*session, {});
      if (session->sequence.statusField != lastStatus) {
        lastStatus = session->sequence.statusField;
        statuses.push_back(lastStatus);
        times.push_back(passStart);
      }
      if (session->sequence.step == 0 && session->sequence.goText == "Go!") return;
      clock.nowMs += 1;
    }
    FAIL() << "the sequence never ended";
  }
  std::vector<std::string> dmmSent;
  std::string lastStatus;
  std::vector<std::string> statuses;
  std::vector<std::int64_t> times;
};

TEST_F(SequenceTest, GoWithoutMultimeterDoesNothing) {
  Open();
  PressCalibrationAction(*session, {CalibrationActionKind::Go});
  EXPECT_EQ(session->sequence.goText, "Go!");
  EXPECT_EQ(session->sequence.step, 0);
}

TEST_F(SequenceTest, WholeRunShowsEveryStepInOrderAndStoresTheTrimmedRecord) {
  model = "ORXA";
  Open();
  ConnectModelDmm();
  const std::int64_t goAt = clock.nowMs;
  PressCalibrationAction(*session, {CalibrationActionKind::Go});
  EXPECT_EQ(session->sequence.goText, "Stop!");
  RunToIdle();

  std::vector<std::string> expected;
  const char* measureAndFit[] = {": set to +10V", ": read DMM", ": store +10V result",
                                 ": set to +1V", ": read DMM", ": store +1V result",
                                 ": set to -1V", ": read DMM", ": store -1V result",
                                 ": set to -10V", ": read DMM", ": store -10V result",
                                 ": calculate values "};
  expected.push_back("1: starting calibration");
  expected.push_back("2: load default values");
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < 13; ++i) {
      expected.push_back(std::to_string(3 + 13 * round + i) + measureAndFit[i]);
    }
  }
  expected.push_back("29: setup for zeroing the 0V");
  for (int pass = 50; pass >= 1; --pass) {
    expected.push_back("30: zeroing in on 0V, pass:" + std::to_string(pass));
  }
  const char* finish[] = {": +10V cal, set", ": +10V cal, store", ": +1V cal, set",
                          ": +1V cal, store", ": 0V cal, set", ": 0V cal, store",
                          ": -1V cal, set", ": -1V cal, store", ": -10V cal, set",
                          ": -10V cal, store", ": store all values"};
  for (int i = 0; i < 11; ++i) expected.push_back(std::to_string(31 + i) + finish[i]);
  expected.push_back("0: idle");
  EXPECT_EQ(statuses, expected);

  // Step times: each step runs on the first pass after its due time; a
  // measurement's time (1000 ms with a range change) counts into its
  // step's delay.
  ASSERT_EQ(times.size(), expected.size());
  EXPECT_EQ(times[0] - goAt, 1001);
  EXPECT_EQ(times[1] - times[0], 1001);  // step 1 -> 2
  EXPECT_EQ(times[2] - times[1], 1001);  // step 2 -> 3
  EXPECT_EQ(times[3] - times[2], 1001);  // set +10V -> read
  EXPECT_EQ(times[4] - times[3], 1001);  // read (1000 ms in the meter) -> store
  EXPECT_EQ(times[17] - times[16], 2001);  // second round: 2 s
  // The first zero pass measures after a range change (1000 ms), so the
  // next starts as soon as it returns; the others wait out their 500 ms.
  EXPECT_EQ(times[29] - times[28], 2001);  // 29 -> pass 50
  EXPECT_EQ(times[30] - times[29], 1001);  // pass 50 -> 49
  EXPECT_EQ(times[31] - times[30], 501);   // pass 49 -> 48
  EXPECT_EQ(times.back() - times[times.size() - 2], 2001);

  // After the second fit and the trim the codes give the levels within
  // the model's code step.
  auto volts = [](std::int32_t code, bool high) {
    RegisterImage r;
    r[1] = high ? 0x30 : 0x10;
    r[3] = code;
    return ModelVolts(r);
  };
  EXPECT_NEAR(volts(CodeOf(*session, CalibrationLevel::Plus10), true), 10.0, 0.0005);
  EXPECT_NEAR(volts(CodeOf(*session, CalibrationLevel::Minus10), true), -10.0, 0.0005);
  EXPECT_NEAR(volts(CodeOf(*session, CalibrationLevel::Plus1), false), 1.0, 0.0001);
  EXPECT_NEAR(volts(CodeOf(*session, CalibrationLevel::Minus1), false), -1.0, 0.0001);
  EXPECT_NEAR(volts(CodeOf(*session, CalibrationLevel::Zero), false), 0.0, 0.0001);

  EXPECT_TRUE(session->stored);
  const std::string file = ReadFile("ORX_cal.txt");
  EXPECT_EQ(Count(file, "\r\n"), 20);
  EXPECT_EQ(EepromText(), file);
  EXPECT_NE(file.find("DAC@10V=" + std::to_string(CodeOf(*session, CalibrationLevel::Plus10)) +
                      "\r\n"),
            std::string::npos);
  EXPECT_EQ(session->sequence.goText, "Go!");
}

TEST_F(SequenceTest, StopDuringTheZeroTrimKeepsItsPassesAndGoStartsAgain) {
  Open();
  ConnectModelDmm();
  PressCalibrationAction(*session, {CalibrationActionKind::Go});
  for (int pass = 0; pass < 400000; ++pass) {
    RunCalibrationPass(*session, {});
    if (session->sequence.step == 30 && session->sequence.zeroPasses == 40) break;
    clock.nowMs += 1;
  }
  ASSERT_EQ(session->sequence.zeroPasses, 40);
  PressCalibrationAction(*session, {CalibrationActionKind::Go});  // "Stop!"
  EXPECT_EQ(session->sequence.step, 0);
  EXPECT_EQ(session->sequence.goText, "Go!");
  EXPECT_EQ(session->sequence.zeroPasses, 40);
  clock.nowMs += 5000;
  RunCalibrationPass(*session, {});
  EXPECT_EQ(session->sequence.statusField, "0: idle");
  PressCalibrationAction(*session, {CalibrationActionKind::Go});
  EXPECT_EQ(session->sequence.step, 1);
  clock.nowMs += 250;
  RunCalibrationPass(*session, {});
  EXPECT_EQ(session->sequence.countdownText, "0.75");
}

TEST_F(SequenceTest, EqualReadingsLeaveTheCodesAndSayWhy) {
  Open();
  network->script->steadyReply = "+5.00000000E+00\n";
  ASSERT_TRUE(DmmConnect(calibration.dmm, *network, messages, "10.0.0.1"));
  PressCalibrationAction(*session, {CalibrationActionKind::Go});
  for (int pass = 0; pass < 100000 && session->sequence.step <= 15; ++pass) {
    RunCalibrationPass(*session, {});
    clock.nowMs += 1;
  }
  EXPECT_EQ(session->sequence.statusField,
            std::string("15: calculate values ") + text::kFitReadingsEqual);
  EXPECT_EQ(session->codes, kDefaultCalibrationCodes);
}

TEST_F(SequenceTest, TheSequencesPressReplacesTheOperatorsInThatPass) {
  Open();
  ConnectModelDmm();
  PressCalibrationAction(*session, {CalibrationActionKind::Go});
  clock.nowMs += 1001;
  RunCalibrationPass(*session, {});  // step 1 runs
  clock.nowMs += 1001;
  CalibrationAction operatorPress{CalibrationActionKind::Adjust, CalibrationLevel::Plus1, 0};
  const std::int32_t before = CodeOf(*session, CalibrationLevel::Plus1);
  RunCalibrationPass(*session, operatorPress);  // step 2 loads the defaults instead
  EXPECT_EQ(session->sequence.statusField, "2: load default values");
  EXPECT_EQ(CodeOf(*session, CalibrationLevel::Plus1), 29550);
  EXPECT_NE(before, 29550 + 500);
}

}  // namespace
}  // namespace vanto::testing
