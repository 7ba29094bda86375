// The network edge of the bench multimeter: one TCP client connection to
// its SCPI socket. The program uses POSIX sockets (posix_dmm_network.h);
// tests hand in scripted fakes, so no core test waits on a real network.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace vanto {

class DmmConnection {
 public:
  virtual ~DmmConnection() = default;
  // Sends all bytes; failures are not reported (the reply just never comes).
  virtual void Send(std::string_view bytes) = 0;
  // Whether bytes (or the end of the stream) are waiting, without waiting.
  virtual bool DataWaiting() = 0;
  // What is waiting, at most maxBytes, without waiting; empty when the
  // peer has closed the connection (or nothing was waiting).
  virtual std::string Receive(std::size_t maxBytes) = 0;
};

class DmmNetwork {
 public:
  virtual ~DmmNetwork() = default;
  // A connection to host:port within timeoutMs, or null.
  virtual std::unique_ptr<DmmConnection> Open(const std::string& host, int port,
                                              int timeoutMs) = 0;
};

}  // namespace vanto
