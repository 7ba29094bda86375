// The simulator runs inside the program's process, so it sees the locale
// the program switched to. Its configuration and board files must read the
// same under a German or French locale: no warnings, the same parts.
#include <algorithm>
#include <string>

#include "sim/sim_session.h"
#include "support/process_locale.h"

namespace vanto::testing {
namespace {

class SimInLocale : public SimSession, public ::testing::WithParamInterface<std::string> {
 protected:
  // Opens the device and gives what the simulator wrote to standard error.
  std::string OpenAndCollectWarnings() {
    ::testing::internal::CaptureStderr();
    OpenDevice();
    return ::testing::internal::GetCapturedStderr();
  }
};

constexpr char kBoard[] =
    "Z1 Z5.1\n"
    "R1 R4.7k\n"
    "R2 R4k7\n"
    "C1 C0.47u + R1.5M\n";

TEST_P(SimInLocale, ZenerOfFivePointOneVoltsBreaksDownThereWithoutWarnings) {
  ProcessLocale locale(GetParam());
  ASSERT_TRUE(locale.Active());
  WriteFile("board.txt", kBoard);
  Configure("model=ORXB\nboard_file=board.txt\nprobe=Z1\nnoise=0.5\nrail_volts=4.75\n");
  EXPECT_EQ(OpenAndCollectWarnings(), "");

  const Curve curve = Measure({10000, 1000, 100, 10, 8});
  // Read as 5 or as nothing (left open) the knee would be elsewhere.
  EXPECT_NEAR(*std::max_element(curve.volts.begin(), curve.volts.end()), 5.1, 0.3);
  const DecodedFrame frame = RequestFrame();
  EXPECT_NEAR(frame.header[1] * 0.0016121271, 4.75, 0.02);
}

TEST_P(SimInLocale, FractionalResistorReadsAsItsFullValue) {
  ProcessLocale locale(GetParam());
  ASSERT_TRUE(locale.Active());
  WriteFile("board.txt", kBoard);
  Configure("model=ORXB\nboard_file=board.txt\nprobe=R1\n");
  EXPECT_EQ(OpenAndCollectWarnings(), "");

  const Line line = FitLine(Measure({5000, 10000, 1000, 1, 8}));
  EXPECT_NEAR(line.slope, -1.0 / 4700, 0.02 / 4700);
}

VANTO_INSTANTIATE_FOR_EACH_LOCALE(SimInLocale);

}  // namespace
}  // namespace vanto::testing
