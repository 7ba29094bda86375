// Time-domain solution of the probed node: the generator voltage behind the
// source resistance drives the device under test, with the ADC input's own
// resistance at the node. Second-order backward differences (BDF2) for the
// capacitors, Newton iteration with junction limiting for the diodes.
// Used by one thread at a time (the simulator's acquisition worker).
#pragma once

#include <vector>

#include "circuit_expression.h"

namespace vanto::sim {

class DutSolver {
 public:
  // No part: the probe is in the air.
  explicit DutSolver(const CircuitPart* dut);

  // Capacitors discharged, history forgotten.
  void Reset();

  // Advances by stepSeconds with the generator at generatorVolts at the end of
  // the step; returns the node voltage then.
  double Step(double generatorVolts, double sourceOhms, double stepSeconds);

  bool HasCapacitors() const { return !capacitors_.empty(); }

  // Resistance of the node's measuring input to ground.
  static constexpr double kInputOhms = 20e6;

 private:
  struct Conductor {
    int a, b;
    double siemens;
  };
  struct Capacitor {
    int a, b;
    double farads;
    double v1 = 0.0;  // voltage one step back
    double v2 = 0.0;  // two steps back
  };
  struct Junction {
    int anode, cathode;
    double saturationAmps;
    double thermalVolts;  // n * Vt
    double offsetVolts;   // breakdown voltage of a zener's reverse junction
    double criticalVolts;
    double limited = 0.0;  // exponent voltage the last linearisation used
  };

  void Build(const CircuitPart& part, int upper, int lower);
  int NewNode() { return nodeCount_++; }
  double NodeVoltage(const std::vector<double>& x, int node) const {
    return node < 0 ? 0.0 : x[static_cast<std::size_t>(node)];
  }
  void Stamp(int a, int b, double siemens);
  void Inject(int node, double amps);
  bool Solve(std::vector<double>& out);

  int nodeCount_ = 1;  // node 0 is the probed node; -1 is ground
  std::vector<Conductor> conductors_;
  std::vector<Capacitor> capacitors_;
  std::vector<Junction> junctions_;
  std::vector<double> x_;  // node voltages of the last step
  int history_ = 0;        // steps taken since Reset at the current step length
  double lastStep_ = 0.0;
  std::vector<double> matrix_;  // scratch, nodeCount_ squared
  std::vector<double> rhs_;
};

}  // namespace vanto::sim
