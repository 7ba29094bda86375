// One voltage-current curve as the instrument delivers it, and the three
// states the classification gives the live curve.
#pragma once

#include <array>
#include <cstdint>

namespace vanto {

// The most points a test record can store.
inline constexpr int kSignatureCapacity = 128;

// Points are numbered 1..pointCount, as in the plan file and every formula
// that works on them: voltage[i] and current[i] hold point i, and element 0
// is never used. Copying a signature copies all 128 points.
struct Signature {
  std::int32_t pointCount = 0;
  std::array<float, kSignatureCapacity + 1> voltage{};  // volts
  std::array<float, kSignatureCapacity + 1> current{};  // amperes
};

// The number of points that can be used: pointCount limited to the storage,
// so a damaged count can never index outside the arrays.
inline int UsablePoints(std::int32_t pointCount) {
  if (pointCount < 0) return 0;
  if (pointCount > kSignatureCapacity) return kSignatureCapacity;
  return pointCount;
}

enum class SignatureState : std::int32_t {
  OpenCircuit = 0,
  Stable = 1,
  Unstable = 2,
};

}  // namespace vanto
