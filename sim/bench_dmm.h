// The bench multimeter beside the simulated instrument: a small SCPI server
// on 127.0.0.1 (loopback only) whose probes sit on the instrument's output.
// It understands "CONFigure:VOLTage:DC", "CONFigure:CURRent:DC", the
// RANGe commands, "READ?" (one reading, as +1.00000000E+01, or
// +9.90000000E+37 beyond 120 % of the range) and "*IDN?". One client at a
// time; the server runs until the process ends.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <string_view>

namespace vanto::sim {

class BenchDmm {
 public:
  // What the probes see: volts across the meter's input, or amperes
  // through its shunt.
  using Source = std::function<double(bool current)>;

  // Listens on 127.0.0.1:port and serves from a thread of its own. False,
  // with the reason in `warning`, when the port cannot be had.
  bool Start(int port, std::uint64_t seed, Source source, std::string& warning);
  bool Running() const { return running_.load(); }
  int Port() const { return port_; }

  // One reply line (with its LF) for one command line, empty for commands
  // that have none. Public for the simulator's tests.
  std::string Answer(std::string_view command);

 private:
  void Serve(int listenFd);

  std::atomic<bool> running_{false};
  int port_ = 0;
  Source source_;
  std::mt19937_64 random_;
  std::normal_distribution<double> noise_{0.0, 2e-6};  // volts (scaled for amperes)
  bool current_ = false;
  double rangeLimit_ = 1000.0;  // the range's full scale
};

// "+1.00000000E+01" for 10: sign, eight decimals, two-digit exponent.
std::string ScpiNumber(double value);

}  // namespace vanto::sim
