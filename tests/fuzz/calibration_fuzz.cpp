// The calibration record on any text: read from the file, judged, turned
// into tables, and loaded from the instrument's EEPROM through the link.
#include "foundation/messages.h"
#include "fuzz/fuzz_support.h"
#include "link/calibration_storage.h"
#include "link/connection.h"
#include "link/fake_d2xx_device.h"
#include "link/link_state.h"
#include "signature/signature.h"
#include "support/fakes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vanto;
  fuzz::EnterScratchFolder();
  const std::string_view text = fuzz::AsText(data, size);
  fuzz::WriteInput("record.txt", text);
  const CalibrationValues values = ReadCalibrationValues("record.txt");
  (void)CalibrationRecordSound("record.txt");
  GeneratorSettings generator;
  AdcCalibration adc;
  DeriveCalibration(values, generator, adc);

  testing::FakeClock clock;
  testing::RecordingBoxes boxes;
  Messages messages{clock, boxes};
  auto device = std::make_shared<testing::FakeD2xxDevice>();
  device->StoreCalibrationText(std::string(text.substr(0, kCalibrationBytes)));
  Signature live{.pointCount = 64};
  LinkState state;
  state.openLibrary = [device] { return std::shared_ptr<D2xxApi>(device); };
  const std::string model = "ORXB";
  InstrumentLink link{state, messages, clock, live, model, {}};
  OpenDevice(link, kInstrumentBaudRate);
  LoadCalibration(link);
  return 0;
}
