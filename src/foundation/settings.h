// The settings-backed variables, with their defaults, and LoadSettings.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "foundation/settings_store.h"

namespace vanto {

inline constexpr int kRecentFileCount = 8;

// Colours are $00BBGGRR: red in the low byte.
struct Settings {
  std::string activeInstrument = "ORXA";
  std::int32_t checkWebsiteForUpdate = 1;
  std::int32_t onlyLtsCheck = 0;
  std::string dateOfLastUpdateCheck = "1/1/2022";
  std::int32_t colourScope1Background = 0;
  std::int32_t colourScope1Outline = 34816;
  std::int32_t colourScope1Graticule = 34816;
  std::int32_t colourScope1Text = 16777215;
  std::int32_t colourScopeXCrosshair = 34816;
  std::int32_t colourScopeXTraceLiveSig = 255;
  std::int32_t colourScopeXTraceGoldenSig = 42495;
  std::int32_t colourScopeXTraceDutSig = 16711680;
  std::int32_t colourBackground = 1052688;
  std::int32_t colourPanel = 7371891;
  std::int32_t colourPanelWindow = 2228224;
  std::int32_t colourPanelText = 16777215;
  std::int32_t colourHeader = 0;
  std::int32_t colourHeaderText = 34816;
  std::string mode = "Advanced";
  std::string displayView = "2miniscopes+PCB+TestTree+BadTree";
  std::string testPlanFileName = "testplans\\demo1.ept";
  std::array<std::string, kRecentFileCount> recentFiles = {
      "untitled.ept", "untitled.ept", "untitled.ept", "untitled.ept",
      "untitled.ept", "untitled.ept", "untitled.ept", "untitled.ept"};
  std::string scope1GraticuleMode = "On";
  std::string scope1CrosshairMode = "On";
  std::string scopeXCrosshairMode = "Off";
  std::string pcbCrosshairType = "1 line";
  std::int32_t scope1HorizontalDivisions = 5;
  std::int32_t scope1VerticalDivisions = 5;
  std::int32_t allowSignatureOverwrite = 0;
  std::string openCircuitDetectThreshold = "0.50%";
  std::string stableSignatureDetectThreshold = "1.00%";
  std::string signatureCaptureDelay = "10 cycles";
  std::string goldenVsLiveThreshold = "1.50%";
};

// "ORX_TestPlanFileNameRecent1" for index 0.
std::string RecentFileKey(int index);

// Reads every key in table order, each with the variable's current value as
// its default; missing keys are appended to the file.
void LoadSettings(SettingsStore& store, Settings& settings);

}  // namespace vanto
