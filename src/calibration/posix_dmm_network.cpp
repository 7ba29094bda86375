#include "calibration/posix_dmm_network.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>

namespace vanto {
namespace {

class PosixDmmConnection final : public DmmConnection {
 public:
  explicit PosixDmmConnection(int fd) : fd_(fd) {}
  ~PosixDmmConnection() override { ::close(fd_); }
  PosixDmmConnection(const PosixDmmConnection&) = delete;
  PosixDmmConnection& operator=(const PosixDmmConnection&) = delete;

  void Send(std::string_view bytes) override {
    std::size_t sent = 0;
    int stalls = 0;
    while (sent < bytes.size()) {
      const ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
      if (n > 0) {
        sent += static_cast<std::size_t>(n);
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && ++stalls < 20) {
        pollfd p{fd_, POLLOUT, 0};
        ::poll(&p, 1, 50);
        continue;
      }
      return;  // a broken connection shows as a reply that never comes
    }
  }

  bool DataWaiting() override {
    pollfd p{fd_, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLIN | POLLHUP | POLLERR)) != 0;
  }

  std::string Receive(std::size_t maxBytes) override {
    std::string bytes(maxBytes, '\0');
    ssize_t n = 0;
    do {
      n = ::recv(fd_, bytes.data(), maxBytes, MSG_DONTWAIT);
    } while (n < 0 && errno == EINTR);
    bytes.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return bytes;
  }

 private:
  int fd_;
};

int ConnectWithin(const addrinfo& address, int timeoutMs) {
  const int fd = ::socket(address.ai_family, address.ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK,
                          address.ai_protocol);
  if (fd < 0) return -1;
  if (::connect(fd, address.ai_addr, address.ai_addrlen) == 0) return fd;
  if (errno != EINPROGRESS) {
    ::close(fd);
    return -1;
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd p{fd, POLLOUT, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) break;
    int error = 0;
    socklen_t length = sizeof(error);
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0) return fd;
    break;
  }
  ::close(fd);
  return -1;
}

}  // namespace

std::unique_ptr<DmmConnection> PosixDmmNetwork::Open(const std::string& host, int port,
                                                     int timeoutMs) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port);
  if (::getaddrinfo(host.c_str(), service.c_str(), &hints, &found) != 0) return nullptr;
  int fd = -1;
  for (addrinfo* a = found; a != nullptr && fd < 0; a = a->ai_next) fd = ConnectWithin(*a, timeoutMs);
  ::freeaddrinfo(found);
  if (fd < 0) return nullptr;
  const int on = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof(on));
  return std::make_unique<PosixDmmConnection>(fd);
}

}  // namespace vanto
