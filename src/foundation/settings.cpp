#include "foundation/settings.h"

#include "foundation/settings_keys.h"

namespace vanto {

std::string RecentFileKey(int index) {
  return std::string(key::kTestPlanFileNameRecentPrefix) + std::to_string(index + 1);
}

void LoadSettings(SettingsStore& store, Settings& s) {
  auto text = [&](std::string& variable, const char* name) {
    variable = store.ReadTextSetting(variable, name);
  };
  auto number = [&](std::int32_t& variable, const char* name) {
    variable = store.ReadIntSetting(variable, name);
  };
  text(s.activeInstrument, key::kActiveInstrument);
  number(s.checkWebsiteForUpdate, key::kCheckWebsiteForUpdate);
  number(s.onlyLtsCheck, key::kOnlyLtsCheck);
  text(s.dateOfLastUpdateCheck, key::kDateOfLastUpdateCheck);
  number(s.colourScope1Background, key::kColourScope1Background);
  number(s.colourScope1Outline, key::kColourScope1Outline);
  number(s.colourScope1Graticule, key::kColourScope1Graticule);
  number(s.colourScope1Text, key::kColourScope1Text);
  number(s.colourScopeXCrosshair, key::kColourScopeXCrosshair);
  number(s.colourScopeXTraceLiveSig, key::kColourScopeXTraceLiveSig);
  number(s.colourScopeXTraceGoldenSig, key::kColourScopeXTraceGoldenSig);
  number(s.colourScopeXTraceDutSig, key::kColourScopeXTraceDutSig);
  number(s.colourBackground, key::kColourBackground);
  number(s.colourPanel, key::kColourPanel);
  number(s.colourPanelWindow, key::kColourPanelWindow);
  number(s.colourPanelText, key::kColourPanelText);
  number(s.colourHeader, key::kColourHeader);
  number(s.colourHeaderText, key::kColourHeaderText);
  text(s.mode, key::kMode);
  text(s.displayView, key::kDisplayView);
  text(s.testPlanFileName, key::kTestPlanFileName);
  for (int i = 0; i < kRecentFileCount; ++i) {
    s.recentFiles[static_cast<std::size_t>(i)] =
        store.ReadTextSetting(s.recentFiles[static_cast<std::size_t>(i)], RecentFileKey(i));
  }
  text(s.scope1GraticuleMode, key::kScope1GraticuleMode);
  text(s.scope1CrosshairMode, key::kScope1CrosshairMode);
  text(s.scopeXCrosshairMode, key::kScopeXCrosshairMode);
  text(s.pcbCrosshairType, key::kPcbCrosshairType);
  number(s.scope1HorizontalDivisions, key::kScope1HorizontalDivisions);
  number(s.scope1VerticalDivisions, key::kScope1VerticalDivisions);
  number(s.allowSignatureOverwrite, key::kAllowSignatureOverwrite);
  text(s.openCircuitDetectThreshold, key::kOpenCircuitDetectThreshold);
  text(s.stableSignatureDetectThreshold, key::kStableSignatureDetectThreshold);
  text(s.signatureCaptureDelay, key::kSignatureCaptureDelay);
  text(s.goldenVsLiveThreshold, key::kGoldenVsLiveThreshold);
}

}  // namespace vanto
