// What of the calibration outlives its window: the multimeter connection
// (kept until the program ends), the address the window's field starts
// with, and the date line of the last stored calibration. Main thread.
#pragma once

#include <memory>
#include <string>

#include "calibration/dmm_client.h"
#include "calibration/dmm_network.h"

namespace vanto {

struct CalibrationState {
  DmmLink dmm;
  std::string dmmAddress = kDmmDefaultAddress;
  std::string lastCalibrationTime;  // "Calibration date=..." of the last store
  // The network edge; the program puts in the POSIX one, tests their fakes.
  std::shared_ptr<DmmNetwork> network;
};

}  // namespace vanto
