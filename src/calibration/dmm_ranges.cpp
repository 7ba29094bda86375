#include "calibration/dmm_ranges.h"

namespace vanto {
namespace {

constexpr std::string_view kVolts = "CONFigure:VOLTage:DC\n";
constexpr std::string_view kAmps = "CONFigure:CURRent:DC\n";

constexpr std::array<DmmRange, kDmmRangeCount> kRanges{{
    {"1000V", kVolts, "VOLTage:DC:RANGe 1000V\n"},
    {"100V", kVolts, "VOLTage:DC:RANGe 100V\n"},
    {"10V", kVolts, "VOLTage:DC:RANGe 10V\n"},
    {"1V", kVolts, "VOLTage:DC:RANGe 1V\n"},
    {"100mV", kVolts, "VOLTage:DC:RANGe 100mV\n"},
    {"3A", kAmps, "CURRent:DC:RANGe 3A\n"},
    {"1A", kAmps, "CURRent:DC:RANGe 1A\n"},
    {"100mA", kAmps, "CURRent:DC:RANGe 100mA\n"},
    {"10mA", kAmps, "CURRent:DC:RANGe 10mA\n"},
    {"1mA", kAmps, "CURRent:DC:RANGe 1mA\n"},
    {"100uA", kAmps, "CURRent:DC:RANGe 100uA\n"},
    {"10uA", kAmps, "CURRent:DC:RANGe 10uA\n"},
    {"1uA", kAmps, "CURRent:DC:RANGe 1uA\n"},
}};

}  // namespace

const std::array<DmmRange, kDmmRangeCount>& DmmRanges() {
  return kRanges;
}

int FindDmmRange(std::string_view text) {
  for (int i = 0; i < kDmmRangeCount; ++i) {
    if (kRanges[static_cast<std::size_t>(i)].text == text) return i;
  }
  return -1;
}

}  // namespace vanto
