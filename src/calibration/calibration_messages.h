// The calibration's own coded messages.
#pragma once

namespace vanto::text {

// Unattended calibration: the multimeter is not there; the text goes on
// with the address.
inline constexpr const char* kDmmUnreachable = "Error #0100 Multimeter cannot be reached at ";
// The store could not write "ORX_cal.txt"; nothing went to the instrument.
inline constexpr const char* kCalibrationFileNotWritten =
    "Error #0101 'ORX_cal.txt' cannot be written - the calibration was not stored.";
// The copy into the instrument failed; its previous record was put back.
inline constexpr const char* kCalibrationNotStored =
    "Error #0102 Calibration could not be stored in the instrument - its previous calibration "
    "was kept.";
// Unattended calibration: no instrument to calibrate.
inline constexpr const char* kInstrumentUnreachable =
    "Error #0103 Instrument cannot be reached - calibration not started.";
// Shown in the status field after a fit whose two readings were equal.
inline constexpr const char* kFitReadingsEqual =
    "Warning #0104 Equal multimeter readings - DAC codes left unchanged";
// Unattended calibration that ran but did not store a record.
inline constexpr const char* kCalibrationIncomplete =
    "Error #0105 Automatic calibration ended without storing a calibration.";

}  // namespace vanto::text
