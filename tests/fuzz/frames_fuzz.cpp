// The data-frame byte stream through ReadDataFrames: the input's first two
// bytes set how many bytes one FT_Read gives and which calls fail, the rest
// is what the instrument sent, read in several passes.
#include "foundation/messages.h"
#include "fuzz/fuzz_support.h"
#include "link/connection.h"
#include "link/fake_d2xx_device.h"
#include "link/frame_reader.h"
#include "link/frame_store.h"
#include "link/link_state.h"
#include "signature/signature.h"
#include "support/fakes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vanto;
  fuzz::EnterScratchFolder();
  if (size < 2) return 0;
  const std::uint8_t limit = data[0];
  const std::uint8_t faults = data[1];
  data += 2;
  size -= 2;

  testing::FakeClock clock;
  testing::RecordingBoxes boxes;
  Messages messages{clock, boxes};
  auto device = std::make_shared<testing::FakeD2xxDevice>();
  Signature live{.pointCount = 64};
  LinkState state;
  state.openLibrary = [device] { return std::shared_ptr<D2xxApi>(device); };
  const std::string model = "ORXB";
  InstrumentLink link{state, messages, clock, live, model, {}};
  OpenDevice(link, kInstrumentBaudRate);
  device->readLimit = limit < 128 ? 0 : static_cast<std::uint32_t>(limit - 127) * 8;

  // The bytes arrive in up to four pieces, one before each pass.
  const std::size_t piece = size / 4 + 1;
  for (int pass = 0; pass < 4; ++pass) {
    const std::size_t from = std::min(size, piece * static_cast<std::size_t>(pass));
    const std::size_t to = std::min(size, from + piece);
    device->Queue(testing::Bytes(data + from, data + to));
    device->readResult = (faults >> pass) & 1 ? 4 : 0;        // FT_IO_ERROR
    device->getStatusResult = (faults >> (pass + 4)) & 1 ? 4 : 0;
    ReadDataFrames(link);
    clock.nowMs += 20;
    DecodedFrame frame;
    while (TakeReadyFrame(state.frames, frame)) {
    }
  }
  return 0;
}
