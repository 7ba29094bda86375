// The test-record cells the test run reads and writes, and the texts they
// hold.
#pragma once

namespace vanto::cell {

inline constexpr int kAmplitude = 2;   // mV
inline constexpr int kResistance = 4;  // ohms
inline constexpr int kFrequency = 6;   // Hz
inline constexpr int kStatus = 9;      // a result text below
inline constexpr int kComponent = 10;
inline constexpr int kScanSig = 27;  // channel, empty when no scanner
inline constexpr int kScanCom = 28;
inline constexpr int kSignature = 30;  // "Yes" when slot 0 holds a golden

inline constexpr const char* kUntested = "Untested";
inline constexpr const char* kGood = "Good";
inline constexpr const char* kBad = "Bad";
inline constexpr const char* kNoTest = "NoTest";
inline constexpr const char* kYes = "Yes";
inline constexpr const char* kNo = "No";

}  // namespace vanto::cell
