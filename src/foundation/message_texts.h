// Every coded message and fixed log line of the program, word for word.
// Keeping them in one place keeps them identical wherever they are raised.
#pragma once

namespace vanto::text {

inline constexpr const char* kReleaseQuestionTitle = "Info #0001";
inline constexpr const char* kColoursNotFound =
    "Error #0003 settings/colours.txt Not found, using Default colour scheme";
inline constexpr const char* kNoUsb =
    "Info #0004 No USB. USB instrument port not detected, please check USB connection and/or "
    "powersupply for instrument.";
inline constexpr const char* kD2xxFailed = "Error #0005 FTD2XX.DLL failed to open.";
inline constexpr const char* kCommsNotRunning = "Info #0006 Comms Not running..";
inline constexpr const char* kSettingsRenameFailed =
    "Error #0009 'ORX_settings.txt' error whilst trying to rename 'tmp.txt' to ";
inline constexpr const char* kNotConnectedNoCapture =
    "Info #0054 Instrument not connected, cannot capture signature - no ORX connected";
inline constexpr const char* kCannotCreateMenu = "Error #0055 cannot create menu";
inline constexpr const char* kNoUsbRetry =
    "Info #0056 No USB detected - Please connect to device and retry";
inline constexpr const char* kCalibrateWindowFailed = "Error #0057 ADC CALIBRATE window won't start";
inline constexpr const char* kDescriptorIncorrect = "Error #0059 USB descriptor incorrect.";
inline constexpr const char* kDescriptorWrongModel =
    "Error #0060 USB descriptor incorrect, make sure you have the correct instrument selected.";
inline constexpr const char* kUsbServiceNotStarted =
    "Warning #0061 USB service unable to start - please check instrument is connected via USB.";
inline constexpr const char* kUsbServiceNotRunning =
    "Error #0062 USB service not running - so unable to shutdown device properly";
inline constexpr const char* kAdvancedOnly =
    "Info #0063 This function is only available in Advanced mode.";
inline constexpr const char* kFileCannotBeCreated = "Error #0064 File cannot be created";
inline constexpr const char* kCannotOpenEpt = "Error #0065 Cannot open .ept file";
inline constexpr const char* kMainWindowFailed = "Error #0066 main window won't start";
// The link closed while an automatic run was going on; the run is ended and
// the text goes on with the record it stopped at: "12 (U3, Pin 4)".
inline constexpr const char* kLinkLostRunStopped =
    "Warning #0070 Instrument connection lost - automatic run stopped at record ";
// A plan file beyond what the loader may hold; the plan in use stays.
inline constexpr const char* kPlanTooLarge =
    "Error #0071 .ept file too large or malformed - the test plan was not opened";
// Asked before unsaved results, captures or edits would be dropped; the
// text is the prefix, the plan's name and the suffix.
inline constexpr const char* kSaveChangesTitle = "Info #0072";
inline constexpr const char* kSaveChangesPrefix = "Save changes to ";
inline constexpr const char* kSaveChangesSuffix = "?";
// The driver reports the instrument gone (unplugged, powered off); the link
// is closed and may be connected again.
inline constexpr const char* kInstrumentLost =
    "Warning #0075 Instrument disconnected - USB connection lost";
inline constexpr const char* kColoursWindowFailed =
    "Error #00xx 'Display Colours' window won't start";
inline constexpr const char* kEditWindowFailed = "Error #xxxx Edit Image window won't start";

// Log lines without a box.
inline constexpr const char* kStartupBadModel =
    "ORX32.EXE start-up, cannot find legal instrument name, defaulting 'activeinstrument$' to "
    "'ORXA'";
inline constexpr const char* kStartupModelPrefix = "ORX32.EXE start-up, activeinstrument:";
inline constexpr const char* kStartConnection = "ORX_StartConnection()";
inline constexpr const char* kStopConnection = "ORX_StopConnection()";
inline constexpr const char* kNoSound =
    "ALLSoundStatus=#False, cannot load sounds - could be missing files OR no/bad sound system "
    "on WIN/PC";

}  // namespace vanto::text
