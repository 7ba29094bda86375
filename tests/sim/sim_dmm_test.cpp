// The bench multimeter beside the simulated instrument: with dmm_port set it
// answers SCPI on 127.0.0.1 with the level the instrument's static output
// produces (through its hidden DAC trim, the range bit and the record
// encoding of negative codes), in the form +1.00000000E+01.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "sim/sim_session.h"

namespace vanto::testing {
namespace {

int FreeLoopbackPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address));
  socklen_t length = sizeof(address);
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  ::close(fd);
  return ntohs(address.sin_port);
}

class MeterClient {
 public:
  explicit MeterClient(int port) {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
  }
  ~MeterClient() { ::close(fd_); }
  bool Connected() const { return connected_; }
  void Send(const std::string& text) { ::send(fd_, text.data(), text.size(), MSG_NOSIGNAL); }
  // One reply line, waiting at most 2 s.
  std::string Line() {
    std::string line;
    while (line.find('\n') == std::string::npos) {
      pollfd p{fd_, POLLIN, 0};
      if (::poll(&p, 1, 2000) <= 0) break;
      char c[256];
      const ssize_t n = ::recv(fd_, c, sizeof c, 0);
      if (n <= 0) break;
      line.append(c, static_cast<std::size_t>(n));
    }
    return line;
  }
  double Read() {
    Send("READ?\n");
    const std::string line = Line();
    EXPECT_EQ(line.size(), 16u) << line;
    EXPECT_TRUE(line[0] == '+' || line[0] == '-') << line;
    EXPECT_EQ(line.substr(11, 1), "E") << line;
    return std::strtod(line.c_str(), nullptr);
  }

 private:
  int fd_ = -1;
  bool connected_ = false;
};

class SimDmmTest : public SimSession {};

TEST_F(SimDmmTest, MeterReadsTheStaticOutputLevel) {
  const int port = FreeLoopbackPort();
  Configure("model=ORXA\neeprom_file=\nnoise=0\ndmm_port=" + std::to_string(port) + "\n");
  OpenDevice();
  const Calibration c = LoadCalibration();
  MeterClient meter(port);
  ASSERT_TRUE(meter.Connected());
  meter.Send("CONFigure:VOLTage:DC\nVOLTage:DC:RANGe 10V\n");
  meter.Send("*IDN?\n");
  EXPECT_EQ(meter.Line().substr(0, 10), "Quillotek,");

  struct Case {
    int control;
    long code;
    double volts;
    double tolerance;
  };
  // The factory codes put the levels out within a code step (0.35 mV in
  // the high range, 0.04 mV in the low) and the 100 ohm source loses
  // 10 ppm into the meter's 10 MOhm.
  const Case cases[] = {{0x30, c.d10, 10.0, 0.0006},  {0x10, c.d1, 1.0, 0.0001},
                        {0x10, c.d0, 0.0, 0.0001},     {0x10, c.dm1, -1.0, 0.0001},
                        {0x30, c.dm10, -10.0, 0.0006}};
  for (const Case& k : cases) {
    Send(WriteRun({{1, k.control}, {3, k.code}, {8, 100}}));
    EXPECT_NEAR(meter.Read(), k.volts, k.tolerance) << k.code;
  }
  // A small level in the 100 mV range; +1 V there is an overload.
  Send(WriteRun({{1, 0x10}, {3, c.d0 + 278}}));
  meter.Send("VOLTage:DC:RANGe 100mV\n");
  EXPECT_NEAR(meter.Read(), 0.0100, 0.0001);
  Send(WriteRun({{1, 0x10}, {3, c.d1}}));
  meter.Send("READ?\n");
  EXPECT_EQ(meter.Line(), "+9.90000000E+37\n");
  // Once closed, the instrument puts nothing out.
  CloseDevice();
  EXPECT_NEAR(meter.Read(), 0.0, 0.00001);
}

}  // namespace
}  // namespace vanto::testing
