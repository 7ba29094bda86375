// Signatures of simple parts worked out from their physics, as the
// instrument would see them: a sine source of the given peak voltage and
// frequency driving the part through the source resistance, sampled at
// evenly spaced phases. The node voltage is the part's voltage, the current
// the current into the part.
#pragma once

#include <cmath>
#include <complex>
#include <numbers>

#include "signature/signature.h"

namespace vanto::testing {

struct SourceDrive {
  double peakVolts = 5.0;
  double sourceOhms = 1000.0;
  double hertz = 1000.0;
  int points = 64;
};

inline double SourcePhase(const SourceDrive& drive, int i) {
  return 2.0 * std::numbers::pi * (i - 1) / drive.points;
}

// A resistor: a straight line through the origin with slope 1/ohms.
inline Signature ResistorCurve(const SourceDrive& drive, double ohms) {
  Signature s;
  s.pointCount = drive.points;
  for (int i = 1; i <= drive.points; ++i) {
    const double source = drive.peakVolts * std::sin(SourcePhase(drive, i));
    const double amps = source / (drive.sourceOhms + ohms);
    s.voltage[i] = static_cast<float>(amps * ohms);
    s.current[i] = static_cast<float>(amps);
  }
  return s;
}

// A silicon diode, I = Is (exp(V / (n Vt)) - 1), solved against the source
// resistance by bisection on the diode voltage.
inline Signature DiodeCurve(const SourceDrive& drive, double saturationAmps = 1e-14,
                            double emission = 1.0) {
  constexpr double kThermalVolts = 0.02585;
  Signature s;
  s.pointCount = drive.points;
  for (int i = 1; i <= drive.points; ++i) {
    const double source = drive.peakVolts * std::sin(SourcePhase(drive, i));
    const auto diodeAmps = [&](double volts) {
      return saturationAmps * std::expm1(volts / (emission * kThermalVolts));
    };
    double low = -std::abs(source) - 1.0;
    double high = std::abs(source) + 1.0;
    for (int step = 0; step < 100; ++step) {
      const double mid = 0.5 * (low + high);
      // Source minus drop minus diode voltage falls as the diode voltage rises.
      if (source - drive.sourceOhms * diodeAmps(mid) - mid > 0.0) {
        low = mid;
      } else {
        high = mid;
      }
    }
    const double volts = 0.5 * (low + high);
    s.voltage[i] = static_cast<float>(volts);
    s.current[i] = static_cast<float>(diodeAmps(volts));
  }
  return s;
}

// A capacitor: current leads voltage by 90 degrees, an upright ellipse.
inline Signature CapacitorCurve(const SourceDrive& drive, double farads) {
  const double omega = 2.0 * std::numbers::pi * drive.hertz;
  const std::complex<double> capacitor(0.0, -1.0 / (omega * farads));
  const std::complex<double> current = drive.peakVolts / (drive.sourceOhms + capacitor);
  const std::complex<double> voltage = current * capacitor;
  Signature s;
  s.pointCount = drive.points;
  for (int i = 1; i <= drive.points; ++i) {
    const double phase = SourcePhase(drive, i);
    s.voltage[i] = static_cast<float>(std::abs(voltage) * std::sin(phase + std::arg(voltage)));
    s.current[i] = static_cast<float>(std::abs(current) * std::sin(phase + std::arg(current)));
  }
  return s;
}

// Nothing connected: the full source voltage and no current.
inline Signature OpenCircuitCurve(const SourceDrive& drive) {
  return ResistorCurve(drive, 1e12);
}

}  // namespace vanto::testing
