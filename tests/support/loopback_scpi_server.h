// A scripted SCPI server on a free loopback port, for the multimeter
// client over real sockets: it accepts one connection, records each line it
// receives and answers every "READ?" with the next scripted reply.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vanto::testing {

class LoopbackScpiServer {
 public:
  explicit LoopbackScpiServer(std::deque<std::string> replies) : replies_(std::move(replies)) {
    listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    ::bind(listen_, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    ::listen(listen_, 1);
    socklen_t length = sizeof(address);
    ::getsockname(listen_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~LoopbackScpiServer() {
    stop_ = true;
    thread_.join();
    ::close(listen_);
  }
  int Port() const { return port_; }
  std::vector<std::string> Lines() {
    std::lock_guard<std::mutex> hold(lock_);
    return lines_;
  }

 private:
  bool WaitReadable(int fd) {
    while (!stop_) {
      pollfd p{fd, POLLIN, 0};
      if (::poll(&p, 1, 20) > 0) return true;
    }
    return false;
  }
  void Serve() {
    if (!WaitReadable(listen_)) return;
    const int fd = ::accept(listen_, nullptr, nullptr);
    std::string buffer;
    while (WaitReadable(fd)) {
      char chunk[512];
      const ssize_t n = ::recv(fd, chunk, sizeof(chunk), 0);
      if (n <= 0) break;
      buffer.append(chunk, static_cast<std::size_t>(n));
      for (std::size_t end = buffer.find('\n'); end != std::string::npos; end = buffer.find('\n')) {
        const std::string line = buffer.substr(0, end + 1);
        buffer.erase(0, end + 1);
        {
          std::lock_guard<std::mutex> hold(lock_);
          lines_.push_back(line);
        }
        if (line == "READ?\n" && !replies_.empty()) {
          const std::string reply = replies_.front();
          replies_.pop_front();
          ::send(fd, reply.data(), reply.size(), MSG_NOSIGNAL);
        }
      }
    }
    ::close(fd);
  }

  int listen_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::deque<std::string> replies_;
  std::mutex lock_;
  std::vector<std::string> lines_;
  std::thread thread_;
};

}  // namespace vanto::testing
