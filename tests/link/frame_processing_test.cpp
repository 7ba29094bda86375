// The main thread's frame handling: conversion into the live signature,
// the USB rail text with its hysteresis and the A/B button latches.
#include "link/frame_processing.h"

#include <gtest/gtest.h>

#include <cmath>

#include "link/button_indicators.h"
#include "link/frame_reader.h"
#include "link/link_fixture.h"
#include "link/live_signature.h"
#include "link/rail_display.h"
#include "support/process_locale.h"

namespace vanto::testing {
namespace {

GeneratorSettings Shape(int samplesPerPoint, int cyclesPerFrame, int ohms) {
  GeneratorSettings g;
  g.samplesPerPoint = samplesPerPoint;
  g.cyclesPerFrame = cyclesPerFrame;
  g.actualOhms = ohms;
  return g;
}

TEST(ConvertLiveSignatureTest, SumsBecomeVoltsAndAmperes) {
  // +-10 V at +-30000 counts on both ADCs; 50 Hz: 20 samples x 4 cycles.
  AdcCalibration adc{20.0f / 60000.0f, 0.0f, 20.0f / 60000.0f, 0.0f};
  DecodedFrame frame;
  for (int i = 1; i <= 64; ++i) {
    frame.rawAdc0[static_cast<std::size_t>(i)] = 80 * 15000;           // 5 V at the generator
    frame.rawAdc1[static_cast<std::size_t>(i)] = 80 * (i - 32) * 900;  // -8.64 V .. +9.6 V
  }
  Signature live{.pointCount = 64};
  ConvertLiveSignature(frame, adc, Shape(20, 4, 1000), live);
  for (int i = 1; i <= 64; ++i) {
    const double volts = (i - 32) * 900 * 20.0 / 60000.0;
    const double amps = (volts - 5.0) / 1000.0;
    EXPECT_NEAR(live.voltage[static_cast<std::size_t>(i)], volts, 1e-5) << "point " << i;
    EXPECT_NEAR(live.current[static_cast<std::size_t>(i)], amps, 1e-8) << "point " << i;
  }
}

TEST(ConvertLiveSignatureTest, OffsetsAreAddedBeforeTheGain) {
  AdcCalibration adc{0.001f, -100.0f, 0.002f, 250.0f};
  DecodedFrame frame;
  frame.rawAdc0[1] = 1100;  // 1 kHz: 1 sample x 80 cycles -> 13.75 counts
  frame.rawAdc1[1] = -800;  // -10 counts
  Signature live{.pointCount = 1};
  ConvertLiveSignature(frame, adc, Shape(1, 80, 100), live);
  // (13.75 - 100) x 0.001 = -0.08625 V; (-10 + 250) x 0.002 = 0.48 V.
  EXPECT_NEAR(live.voltage[1], 0.48, 1e-6);
  EXPECT_NEAR(live.current[1], (0.48 + 0.08625) / 100.0, 1e-8);
}

TEST(ConvertLiveSignatureTest, IsSinglePrecisionStepByStep) {
  AdcCalibration adc{20.0f / 60000.0f, 3.5f, 20.0f / 59000.0f, -7.25f};
  DecodedFrame frame;
  frame.rawAdc0[5] = 1234567;
  frame.rawAdc1[5] = -7654321;
  Signature live{.pointCount = 64};
  ConvertLiveSignature(frame, adc, Shape(10, 8, 5000), live);
  volatile float count0 = 1234567.0f / 80.0f;
  volatile float count1 = -7654321.0f / 80.0f;
  volatile float sum0 = count0 + 3.5f;
  volatile float sum1 = count1 + -7.25f;
  volatile float volt0 = sum0 * adc.gain0;
  volatile float volt1 = sum1 * adc.gain1;
  volatile float difference = volt1 - volt0;
  volatile float current = difference / 5000.0f;
  EXPECT_EQ(live.voltage[5], volt1);
  EXPECT_EQ(live.current[5], current);
}

TEST(ConvertLiveSignatureTest, WithoutCalibrationEverythingIsZero) {
  DecodedFrame frame;
  for (int i = 1; i <= 64; ++i) frame.rawAdc1[static_cast<std::size_t>(i)] = 123456 * i;
  Signature live{.pointCount = 64};
  live.voltage[3] = 9.0f;
  ConvertLiveSignature(frame, AdcCalibration{}, Shape(20, 4, 10000), live);
  for (int i = 1; i <= 64; ++i) {
    EXPECT_EQ(live.voltage[static_cast<std::size_t>(i)], 0.0f) << "point " << i;
    EXPECT_EQ(live.current[static_cast<std::size_t>(i)], 0.0f) << "point " << i;
  }
}

TEST(ConvertLiveSignatureTest, OnlyThePointCountIsWritten) {
  AdcCalibration adc{0.001f, 0.0f, 0.001f, 0.0f};
  DecodedFrame frame;
  frame.rawAdc1.fill(80000);
  Signature live{.pointCount = 10};
  ConvertLiveSignature(frame, adc, Shape(20, 4, 1000), live);
  EXPECT_FLOAT_EQ(live.voltage[10], 1.0f);
  EXPECT_EQ(live.voltage[11], 0.0f);
  EXPECT_EQ(live.voltage[0], 0.0f);
}

struct RailStep {
  std::uint16_t count;
  const char* text;
};

const RailStep kRailSteps[] = {
    {3100, "USB rail: 5.00V"},  // 4.9976 V
    {3105, "USB rail: 5.00V"},  // 5.0056 V: 0.008 V away, stays
    {3096, "USB rail: 5.00V"},  // 4.9911 V: 0.0065 V below, stays
    {3110, "USB rail: 5.01V"},  // 5.0137 V: moves
    {3089, "USB rail: 4.98V"},  // 4.9799 V: moves
    {3083, "USB rail: 4.98V"},  // 4.9702 V: 0.0097 V below, stays
};

TEST(RailDisplayTest, MovesOnlyForChangesOfMoreThanTenMillivolts) {
  RailDisplay rail;
  for (const RailStep& step : kRailSteps) {
    EXPECT_EQ(UpdateRailDisplay(rail, step.count), step.text) << "count " << step.count;
    EXPECT_EQ(rail.railVolts, static_cast<float>(step.count) * kRailVoltsPerCount);
  }
}

class RailDisplayInLocale : public EachLocaleTest {};

TEST_P(RailDisplayInLocale, ShowsAPoint) {
  RailDisplay rail;
  for (const RailStep& step : kRailSteps) {
    EXPECT_EQ(UpdateRailDisplay(rail, step.count), step.text) << "count " << step.count;
  }
}

VANTO_INSTANTIATE_FOR_EACH_LOCALE(RailDisplayInLocale);

TEST(RailDisplayTest, TheFirstFrameAlwaysShows) {
  RailDisplay rail;
  EXPECT_EQ(UpdateRailDisplay(rail, 3089), "USB rail: 4.98V");
  EXPECT_EQ(rail.railShown, rail.railVolts);
}

TEST(ButtonIndicatorsTest, HoldingLatchesOncePerPress) {
  ButtonIndicators buttons;
  buttons.a.exists = buttons.b.exists = true;
  UpdateButtonIndicators(buttons, 0);
  EXPECT_EQ(buttons.a.shown, IndicatorImage::Released);
  EXPECT_EQ(buttons.a.pressed, 0);

  int latches = 0;
  for (int frame = 0; frame < 4; ++frame) {
    UpdateButtonIndicators(buttons, kButtonABit);
    latches += buttons.a.pressed;
    buttons.a.pressed = 0;  // the test run consumes it
  }
  EXPECT_EQ(latches, 1);
  EXPECT_EQ(buttons.a.shown, IndicatorImage::Held);
  EXPECT_EQ(buttons.b.shown, IndicatorImage::Released);

  UpdateButtonIndicators(buttons, 0);
  EXPECT_EQ(buttons.a.shown, IndicatorImage::Released);
  UpdateButtonIndicators(buttons, kButtonABit | kButtonBBit);
  EXPECT_EQ(buttons.a.pressed, 1);
  EXPECT_EQ(buttons.b.pressed, 1);
}

TEST(ButtonIndicatorsTest, NoIndicatorNoLatch) {
  ButtonIndicators buttons;
  UpdateButtonIndicators(buttons, kButtonABit | kButtonBBit);
  EXPECT_EQ(buttons.a.pressed, 0);
  EXPECT_EQ(buttons.b.pressed, 0);
  EXPECT_EQ(buttons.a.shown, IndicatorImage::None);
}

TEST(ButtonIndicatorsTest, PictureFiles) {
  EXPECT_STREQ(ButtonImageFile('A', IndicatorImage::Released), "graphics/buttonA_grey.png");
  EXPECT_STREQ(ButtonImageFile('A', IndicatorImage::Held), "graphics/buttonA_yellow.png");
  EXPECT_STREQ(ButtonImageFile('B', IndicatorImage::Released), "graphics/buttonB_grey.png");
  EXPECT_STREQ(ButtonImageFile('B', IndicatorImage::Held), "graphics/buttonB_yellow.png");
}

using ProcessFrameTest = LinkTest;

TEST_F(ProcessFrameTest, ConvertsAReadyFrameOnceAndPostsTheRailText) {
  Open();
  state.adc = AdcCalibration{0.001f, 0.0f, 0.001f, 0.0f};
  state.generator.samplesPerPoint = 20;
  state.generator.cyclesPerFrame = 4;
  state.generator.actualOhms = 1000;
  state.buttons.b.exists = true;
  FrameContent content;
  content.header = {0, 3100, kButtonBBit};
  content.adc1.fill(80 * 2000);  // 2 V
  device->Queue(BuildFrame(content));
  ReadDataFrames(link);

  EXPECT_TRUE(ProcessFrame(link));
  EXPECT_FLOAT_EQ(live.voltage[1], 2.0f);
  EXPECT_FLOAT_EQ(live.current[64], 0.002f);
  EXPECT_TRUE(TakeScopeRedrawRequest(state));
  EXPECT_EQ(state.buttons.b.pressed, 1);
  EXPECT_EQ(TakeLinkStatusText(state), std::optional<std::string>("USB rail: 5.00V"));
  EXPECT_FALSE(state.frames.frameReady.load());

  EXPECT_FALSE(ProcessFrame(link));
  EXPECT_FALSE(TakeScopeRedrawRequest(state));
  EXPECT_EQ(TakeLinkStatusText(state), std::nullopt);
}

}  // namespace
}  // namespace vanto::testing
