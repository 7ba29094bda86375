#include "bench_dmm.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <thread>

namespace vanto::sim {
namespace {

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// "10V", "100mV", "1mA", "100uA", "3A" as a full scale in volts or amperes.
double RangeValue(std::string_view text) {
  double value = 0.0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{}) return 0.0;
  std::string_view unit = text.substr(static_cast<std::size_t>(end - text.data()));
  if (!unit.empty() && (unit[0] == 'm' || unit[0] == 'M')) value *= 1e-3;
  if (!unit.empty() && (unit[0] == 'u' || unit[0] == 'U')) value *= 1e-6;
  return value;
}

}  // namespace

std::string ScpiNumber(double value) {
  if (!std::isfinite(value)) value = 9.9e37;
  char digits[40];
  auto [end, error] =
      std::to_chars(digits, digits + sizeof(digits), std::fabs(value), std::chars_format::scientific, 8);
  if (error != std::errc{}) return "+9.90000000E+37";
  std::string text(digits, end);  // "1.00000000e+01"
  const std::size_t e = text.find('e');
  std::string mantissa = text.substr(0, e);
  std::string exponent = text.substr(e + 1);  // "+01" or "-05" (or three digits)
  return std::string(value < 0 ? "-" : "+") + mantissa + "E" + exponent;
}

bool BenchDmm::Start(int port, std::uint64_t seed, Source source, std::string& warning) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    warning = "dmm_port: no socket";
    return false;
  }
  const int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof(on));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
      ::listen(fd, 4) != 0) {
    warning = "dmm_port " + std::to_string(port) + ": " + std::strerror(errno);
    ::close(fd);
    return false;
  }
  port_ = port;
  source_ = std::move(source);
  random_.seed(seed ^ 0xd33d5eedull);
  running_ = true;
  std::thread([this, fd] { Serve(fd); }).detach();
  return true;
}

std::string BenchDmm::Answer(std::string_view command) {
  while (!command.empty() && (command.back() == '\n' || command.back() == '\r' ||
                              command.back() == ' ')) {
    command.remove_suffix(1);
  }
  const std::string upper = Upper(command);
  if (upper == "*IDN?") return "Quillotek,SIM-DMM,0,1.0\n";
  if (upper.rfind("CONF", 0) == 0) {
    current_ = upper.find("CURR") != std::string::npos;
    rangeLimit_ = current_ ? 3.0 : 1000.0;
    return {};
  }
  if ((upper.rfind("VOLT", 0) == 0 || upper.rfind("CURR", 0) == 0) &&
      upper.find(":RANG") != std::string::npos) {
    const std::size_t space = command.find(' ');
    if (space != std::string_view::npos) {
      const double limit = RangeValue(command.substr(space + 1));
      if (limit > 0.0) rangeLimit_ = limit;
    }
    return {};
  }
  if (upper == "READ?") {
    double value = source_ ? source_(current_) : 0.0;
    value += noise_(random_) * (current_ ? 1e-6 : 1.0);
    if (std::fabs(value) > 1.2 * rangeLimit_) return "+9.90000000E+37\n";  // overload
    return ScpiNumber(value) + "\n";
  }
  return {};
}

void BenchDmm::Serve(int listenFd) {
  for (;;) {
    const int client = ::accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) {
      if (errno == EINTR || errno == ECONNABORTED) continue;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      continue;
    }
    std::string pending;
    char chunk[1024];
    for (;;) {
      const ssize_t n = ::recv(client, chunk, sizeof(chunk), 0);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      pending.append(chunk, static_cast<std::size_t>(n));
      if (pending.size() > 65536) pending.clear();  // no line end in sight: drop it
      for (std::size_t end = pending.find('\n'); end != std::string::npos;
           end = pending.find('\n')) {
        const std::string reply = Answer(std::string_view(pending).substr(0, end));
        pending.erase(0, end + 1);
        if (!reply.empty()) ::send(client, reply.data(), reply.size(), MSG_NOSIGNAL);
      }
    }
    ::close(client);
  }
}

}  // namespace vanto::sim
