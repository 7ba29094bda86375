#include "dut_solver.h"

#include <algorithm>
#include <cmath>

namespace vanto::sim {
namespace {

constexpr double kThermalVolts = 0.025852;  // kT/q at 300 K
constexpr double kShortSiemens = 1e4;
constexpr double kMinimumSiemens = 1e-12;  // keeps isolated inner nodes defined
constexpr double kExpLimit = 80.0;
constexpr int kMaxNewtonIterations = 100;

// The junction-voltage limiting of the classic circuit simulators: large
// forward steps are taken logarithmically so the exponential cannot run away.
double LimitJunction(double proposed, double previous, double thermal, double critical) {
  if (proposed > critical && std::abs(proposed - previous) > 2.0 * thermal) {
    if (previous > 0.0) {
      double arg = 1.0 + (proposed - previous) / thermal;
      return arg > 0.0 ? previous + thermal * std::log(arg) : critical;
    }
    return thermal * std::log(proposed / thermal);
  }
  return proposed;
}

}  // namespace

DutSolver::DutSolver(const CircuitPart* dut) {
  if (dut != nullptr) Build(*dut, 0, -1);
  x_.assign(static_cast<std::size_t>(nodeCount_), 0.0);
  matrix_.assign(static_cast<std::size_t>(nodeCount_ * nodeCount_), 0.0);
  rhs_.assign(static_cast<std::size_t>(nodeCount_), 0.0);
}

void DutSolver::Build(const CircuitPart& part, int upper, int lower) {
  switch (part.kind) {
    case PartKind::kResistor: conductors_.push_back({upper, lower, 1.0 / part.value}); break;
    case PartKind::kCapacitor: capacitors_.push_back({upper, lower, part.value}); break;
    case PartKind::kShort: conductors_.push_back({upper, lower, kShortSiemens}); break;
    case PartKind::kOpen: break;
    case PartKind::kDiode: {
      int anode = part.anodeUp ? upper : lower;
      int cathode = part.anodeUp ? lower : upper;
      const DiodeModel& m = part.diode;
      auto add = [this](int a, int k, double is, double n, double offset) {
        double thermal = n * kThermalVolts;
        double critical = thermal * std::log(thermal / (std::sqrt(2.0) * is));
        junctions_.push_back({a, k, is, thermal, offset, critical, 0.0});
      };
      add(anode, cathode, m.saturationAmps, m.emission, 0.0);
      if (m.breakdownVolts > 0.0) {
        add(cathode, anode, m.breakdownAmps, m.breakdownEmission, m.breakdownVolts);
      }
      break;
    }
    case PartKind::kSeries: {
      int top = upper;
      for (std::size_t i = 0; i < part.parts.size(); ++i) {
        int bottom = i + 1 == part.parts.size() ? lower : NewNode();
        Build(part.parts[i], top, bottom);
        top = bottom;
      }
      break;
    }
    case PartKind::kParallel:
      for (const CircuitPart& member : part.parts) Build(member, upper, lower);
      break;
  }
}

void DutSolver::Reset() {
  std::fill(x_.begin(), x_.end(), 0.0);
  for (Capacitor& c : capacitors_) c.v1 = c.v2 = 0.0;
  for (Junction& j : junctions_) j.limited = 0.0;
  history_ = 0;
  lastStep_ = 0.0;
}

void DutSolver::Stamp(int a, int b, double siemens) {
  const int n = nodeCount_;
  if (a >= 0) matrix_[static_cast<std::size_t>(a * n + a)] += siemens;
  if (b >= 0) matrix_[static_cast<std::size_t>(b * n + b)] += siemens;
  if (a >= 0 && b >= 0) {
    matrix_[static_cast<std::size_t>(a * n + b)] -= siemens;
    matrix_[static_cast<std::size_t>(b * n + a)] -= siemens;
  }
}

void DutSolver::Inject(int node, double amps) {
  if (node >= 0) rhs_[static_cast<std::size_t>(node)] += amps;
}

bool DutSolver::Solve(std::vector<double>& out) {
  // Gaussian elimination with partial pivoting on the small dense system.
  const int n = nodeCount_;
  auto at = [&](int r, int c) -> double& { return matrix_[static_cast<std::size_t>(r * n + c)]; };
  for (int col = 0; col < n; ++col) {
    int pivot = col;
    for (int r = col + 1; r < n; ++r) {
      if (std::abs(at(r, col)) > std::abs(at(pivot, col))) pivot = r;
    }
    if (at(pivot, col) == 0.0) return false;
    if (pivot != col) {
      for (int c = 0; c < n; ++c) std::swap(at(pivot, c), at(col, c));
      std::swap(rhs_[static_cast<std::size_t>(pivot)], rhs_[static_cast<std::size_t>(col)]);
    }
    for (int r = col + 1; r < n; ++r) {
      double factor = at(r, col) / at(col, col);
      if (factor == 0.0) continue;
      for (int c = col; c < n; ++c) at(r, c) -= factor * at(col, c);
      rhs_[static_cast<std::size_t>(r)] -= factor * rhs_[static_cast<std::size_t>(col)];
    }
  }
  out.assign(static_cast<std::size_t>(n), 0.0);
  for (int r = n - 1; r >= 0; --r) {
    double sum = rhs_[static_cast<std::size_t>(r)];
    for (int c = r + 1; c < n; ++c) sum -= at(r, c) * out[static_cast<std::size_t>(c)];
    out[static_cast<std::size_t>(r)] = sum / at(r, r);
  }
  return true;
}

double DutSolver::Step(double generatorVolts, double sourceOhms, double stepSeconds) {
  // The capacitor formula changes with the step length, so BDF2 needs two
  // steps of the current length behind it; until then backward Euler.
  if (std::abs(stepSeconds - lastStep_) > 1e-12 * stepSeconds) history_ = 0;
  const bool secondOrder = history_ >= 2;
  const double sourceSiemens = 1.0 / sourceOhms;

  std::vector<double> next;
  for (int iteration = 0; iteration < kMaxNewtonIterations; ++iteration) {
    std::fill(matrix_.begin(), matrix_.end(), 0.0);
    std::fill(rhs_.begin(), rhs_.end(), 0.0);
    for (int node = 0; node < nodeCount_; ++node) Stamp(node, -1, kMinimumSiemens);
    Stamp(0, -1, 1.0 / kInputOhms);
    Stamp(0, -1, sourceSiemens);
    Inject(0, generatorVolts * sourceSiemens);
    for (const Conductor& r : conductors_) Stamp(r.a, r.b, r.siemens);
    for (const Capacitor& c : capacitors_) {
      double perStep = c.farads / stepSeconds;
      double g = secondOrder ? 1.5 * perStep : perStep;
      double history = secondOrder ? perStep * (2.0 * c.v1 - 0.5 * c.v2) : perStep * c.v1;
      Stamp(c.a, c.b, g);
      Inject(c.a, history);
      Inject(c.b, -history);
    }
    bool limitedAny = false;
    for (Junction& j : junctions_) {
      double v = NodeVoltage(x_, j.anode) - NodeVoltage(x_, j.cathode);
      double proposed = v - j.offsetVolts;
      double w = LimitJunction(proposed, j.limited, j.thermalVolts, j.criticalVolts);
      if (std::abs(w - proposed) > 1e-12) limitedAny = true;
      j.limited = w;
      double arg = w / j.thermalVolts;
      double e = arg > kExpLimit ? std::exp(kExpLimit) * (1.0 + arg - kExpLimit) : std::exp(arg);
      double slope = j.saturationAmps / j.thermalVolts * std::exp(std::min(arg, kExpLimit));
      double amps = j.saturationAmps * (e - std::exp(-j.offsetVolts / j.thermalVolts));
      double g = slope + kMinimumSiemens;
      double vLin = w + j.offsetVolts;
      double equivalent = amps - slope * vLin;
      Stamp(j.anode, j.cathode, g);
      Inject(j.anode, -equivalent);
      Inject(j.cathode, equivalent);
    }
    if (!Solve(next)) break;
    double change = 0.0;
    double size = 0.0;
    for (std::size_t i = 0; i < next.size(); ++i) {
      change = std::max(change, std::abs(next[i] - x_[i]));
      size = std::max(size, std::abs(next[i]));
    }
    x_ = next;
    if (junctions_.empty()) break;
    if (!limitedAny && change <= 1e-9 + 1e-7 * size) break;
  }

  for (Capacitor& c : capacitors_) {
    c.v2 = c.v1;
    c.v1 = NodeVoltage(x_, c.a) - NodeVoltage(x_, c.b);
  }
  ++history_;
  lastStep_ = stepSeconds;
  return x_[0];
}

}  // namespace vanto::sim
