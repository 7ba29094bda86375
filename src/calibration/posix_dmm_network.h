// The multimeter's TCP edge over POSIX sockets: a non-blocking connect
// bounded by its time-out, sends that never raise SIGPIPE, polls that
// never wait.
#pragma once

#include "calibration/dmm_network.h"

namespace vanto {

class PosixDmmNetwork final : public DmmNetwork {
 public:
  std::unique_ptr<DmmConnection> Open(const std::string& host, int port, int timeoutMs) override;
};

}  // namespace vanto
