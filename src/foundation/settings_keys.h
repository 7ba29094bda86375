// The keys of "ORX_settings.txt", in the order start-up reads them.
#pragma once

namespace vanto::key {

inline constexpr const char* kActiveInstrument = "ActiveInstrument";
inline constexpr const char* kCheckWebsiteForUpdate = "CheckWebsiteForUpdate";
inline constexpr const char* kOnlyLtsCheck = "OnlyLTSCheck";
inline constexpr const char* kDateOfLastUpdateCheck = "DateOfLastUpdateCheck";
inline constexpr const char* kColourScope1Background = "ORX_ColourScope1Background";
inline constexpr const char* kColourScope1Outline = "ORX_ColourScope1Outline";
inline constexpr const char* kColourScope1Graticule = "ORX_ColourScope1Graticule";
inline constexpr const char* kColourScope1Text = "ORX_ColourScope1Text";
inline constexpr const char* kColourScopeXCrosshair = "ORX_ColourScopeXCrosshair";
inline constexpr const char* kColourScopeXTraceLiveSig = "ORX_ColourScopeXTraceLiveSig";
inline constexpr const char* kColourScopeXTraceGoldenSig = "ORX_ColourScopeXTraceGoldenSig";
inline constexpr const char* kColourScopeXTraceDutSig = "ORX_ColourScopeXTraceDUTSig";
inline constexpr const char* kColourBackground = "ORX_ColourBackground";
inline constexpr const char* kColourPanel = "ORX_ColourPanel";
inline constexpr const char* kColourPanelWindow = "ORX_ColourPanelWindow";
inline constexpr const char* kColourPanelText = "ORX_ColourPanelText";
inline constexpr const char* kColourHeader = "ORX_ColourHeader";
inline constexpr const char* kColourHeaderText = "ORX_ColourHeaderText";
inline constexpr const char* kMode = "ORX_Mode";
inline constexpr const char* kDisplayView = "ORX_DisplayView";
inline constexpr const char* kTestPlanFileName = "ORX_TestPlanFileName";
// "ORX_TestPlanFileNameRecent1" .. "ORX_TestPlanFileNameRecent8".
inline constexpr const char* kTestPlanFileNameRecentPrefix = "ORX_TestPlanFileNameRecent";
inline constexpr const char* kScope1GraticuleMode = "ORX_Scope1GraticuleMode";
inline constexpr const char* kScope1CrosshairMode = "ORX_Scope1CrosshairMode";
inline constexpr const char* kScopeXCrosshairMode = "ORX_ScopeXCrosshairMode";
inline constexpr const char* kPcbCrosshairType = "ORX_PCBCrosshairType";
inline constexpr const char* kScope1HorizontalDivisions = "ORX_Scope1HorizontalDivisions";
inline constexpr const char* kScope1VerticalDivisions = "ORX_Scope1VerticalDivisions";
inline constexpr const char* kAllowSignatureOverwrite = "ORX_AllowSignatureOverwrite";
inline constexpr const char* kOpenCircuitDetectThreshold = "ORX_OpenCircuitDetectThreshold";
inline constexpr const char* kStableSignatureDetectThreshold = "ORX_StableSignatureDetectThreshold";
inline constexpr const char* kSignatureCaptureDelay = "ORX_SignatureCaptureDelay";
inline constexpr const char* kGoldenVsLiveThreshold = "ORX_GoldenVsLiveThreshold";

}  // namespace vanto::key
