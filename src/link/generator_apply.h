// From requested generator values to the instrument: the generator step of
// each dispatcher pass and ApplyGeneratorSettings, which turns the applied
// values into register values with the calibration tables and sends them.
// Main thread.
#pragma once

#include "link/link_state.h"

namespace vanto {

// Once per dispatcher pass, before the frame processing. A requested value
// that differs from the applied one (exact comparison), or a scanner or DC
// value that differs from the one last sent, is copied over; the display
// refresh is requested, the settings are marked for sending and the
// window's RefreshInterface runs. Then, when connected and marked, the
// settings are sent. A change made while Closed therefore goes out on the
// first pass after the link opens.
void GeneratorStep(InstrumentLink& link);

// When connected: registers 4, 5 and the range bit from the peak-voltage
// tables, 6, 8 (and actualOhms), the frame shape 10-12 (and the live
// signature's point count), 14, the scanner 16-17, the DC generator
// 20-22 and 23 = 5, sent as the runs 30-31, 0-5, 6, 7-15, 16-23. Values
// outside the tables pass into registers 6, 8 and 14 unchanged while the
// registers derived from tables keep their values.
void ApplyGeneratorSettings(InstrumentLink& link);

}  // namespace vanto
