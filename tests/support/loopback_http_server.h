// A tiny HTTP server on 127.0.0.1 for the tests of the release check: it
// listens on a free port of its own, answers each request with the raw
// bytes its script gives for the path (or, when silent, accepts and never
// answers) and stops by itself when it goes out of scope. Also a loopback
// port that refuses every connection.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vanto::testing {

// A socket bound to a free loopback port but not listening: connecting to
// it is refused at once, so a program pointed at it never waits.
class RefusingLoopbackPort {
 public:
  RefusingLoopbackPort() {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
  }
  ~RefusingLoopbackPort() { ::close(fd_); }
  RefusingLoopbackPort(const RefusingLoopbackPort&) = delete;
  RefusingLoopbackPort& operator=(const RefusingLoopbackPort&) = delete;
  std::string Address() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

 private:
  int fd_ = -1;
  int port_ = 0;
};

// "HTTP/1.0 200 OK" with the body and its true length.
inline std::string HttpAnswer(const std::string& body) {
  return "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
         std::to_string(body.size()) + "\r\n\r\n" + body;
}

inline std::string HttpNotFound() {
  return "HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found";
}

class LoopbackHttpServer {
 public:
  // `answer` gets the request's path ("/wp-content/ORX_version.txt").
  using Script = std::function<std::string(const std::string& path)>;
  struct Silent {};

  explicit LoopbackHttpServer(Script answer) : answer_(std::move(answer)) { Listen(); }
  explicit LoopbackHttpServer(Silent) : silent_(true) { Listen(); }
  ~LoopbackHttpServer() {
    stop_ = true;
    thread_.join();
    for (int fd : held_) ::close(fd);
    ::close(listen_);
  }
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

  std::string Address() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }
  std::vector<std::string> Paths() {
    std::lock_guard<std::mutex> lock(mutex_);
    return paths_;
  }

 private:
  void Listen() {
    listen_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listen_, reinterpret_cast<sockaddr*>(&address), sizeof address);  // port 0: free one
    socklen_t length = sizeof address;
    ::getsockname(listen_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    ::listen(listen_, 8);
    thread_ = std::thread([this] { Serve(); });
  }

  // Polls in short steps so the destructor's stop is seen quickly.
  void Serve() {
    while (!stop_) {
      pollfd waiting{listen_, POLLIN, 0};
      if (::poll(&waiting, 1, 50) <= 0) continue;
      const int client = ::accept(listen_, nullptr, nullptr);
      if (client < 0) continue;
      const std::string path = ReadRequestPath(client);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        paths_.push_back(path);
      }
      if (silent_) {
        held_.push_back(client);  // open, unanswered, until the server stops
        continue;
      }
      const std::string reply = answer_(path);
      ::send(client, reply.data(), reply.size(), MSG_NOSIGNAL);
      ::shutdown(client, SHUT_WR);
      ::close(client);
    }
  }

  std::string ReadRequestPath(int client) {
    std::string request;
    char buffer[2048];
    while (!stop_ && request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
      pollfd readable{client, POLLIN, 0};
      if (::poll(&readable, 1, 50) <= 0) continue;
      const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      request.append(buffer, static_cast<std::size_t>(got));
    }
    const std::size_t start = request.find(' ');
    const std::size_t end = request.find(' ', start + 1);
    if (start == std::string::npos || end == std::string::npos) return {};
    return request.substr(start + 1, end - start - 1);
  }

  Script answer_;
  bool silent_ = false;
  int listen_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  std::vector<int> held_;
  std::mutex mutex_;
  std::vector<std::string> paths_;
};

}  // namespace vanto::testing
