// The per-frame work of the instrument link with a time budget (under 5
// microseconds each): decoding and checking one 520-byte frame, the whole
// ReadDataFrames pass for one queued frame, and the conversion of a frame
// into the live signature.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstring>

#include "foundation/messages.h"
#include "foundation/system_clock.h"
#include "link/data_frame.h"
#include "link/frame_reader.h"
#include "link/frame_store.h"
#include "link/link_state.h"
#include "link/live_signature.h"

namespace vanto {
namespace {

// A frame of a 1 kOhm resistor at 50 Hz, checksum included.
DataFrame ResistorFrame() {
  DataFrame bytes{};
  auto put = [&](std::size_t at, std::uint16_t word) {
    bytes[at] = static_cast<std::uint8_t>(word >> 8);
    bytes[at + 1] = static_cast<std::uint8_t>(word & 0xFF);
  };
  put(2, 3100);
  for (std::size_t k = 0; k < 64; ++k) {
    const double phase = 2.0 * 3.14159265358979 * static_cast<double>(k) / 64.0;
    const auto adc0 = static_cast<std::int32_t>(80.0 * 3000.0 * std::sin(phase));
    const auto adc1 = static_cast<std::int32_t>(80.0 * 2700.0 * std::sin(phase));
    const std::size_t at = 6 + 8 * k;
    put(at, static_cast<std::uint16_t>(static_cast<std::uint32_t>(adc0) >> 16));
    put(at + 2, static_cast<std::uint16_t>(static_cast<std::uint32_t>(adc0) & 0xFFFF));
    put(at + 4, static_cast<std::uint16_t>(static_cast<std::uint32_t>(adc1) >> 16));
    put(at + 6, static_cast<std::uint16_t>(static_cast<std::uint32_t>(adc1) & 0xFFFF));
  }
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < kDataFrameBytes - 2; i += 2) sum += (bytes[i] << 8) | bytes[i + 1];
  put(kDataFrameBytes - 2, static_cast<std::uint16_t>(sum & 0xFFFF));
  return bytes;
}

void BM_DecodeDataFrame(benchmark::State& state) {
  const auto bytes = ResistorFrame();
  DecodedFrame frame;
  for (auto _ : state) {
    benchmark::DoNotOptimize(DecodeDataFrame(bytes.data(), frame));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DecodeDataFrame);

// A driver that always has exactly one frame queued.
class OneFrameDriver final : public D2xxApi {
 public:
  FT_STATUS FT_CreateDeviceInfoList(DWORD*) override { return FT_OK; }
  FT_STATUS FT_SetVIDPID(DWORD, DWORD) override { return FT_OK; }
  FT_STATUS FT_GetDeviceInfoDetail(DWORD, DWORD*, DWORD*, DWORD*, DWORD*, void*, void*,
                                   FT_HANDLE*) override {
    return FT_OK;
  }
  FT_STATUS FT_Open(int, FT_HANDLE*) override { return FT_OK; }
  FT_STATUS FT_Close(FT_HANDLE) override { return FT_OK; }
  FT_STATUS FT_SetBaudRate(FT_HANDLE, ULONG) override { return FT_OK; }
  FT_STATUS FT_SetDataCharacteristics(FT_HANDLE, UCHAR, UCHAR, UCHAR) override { return FT_OK; }
  FT_STATUS FT_SetFlowControl(FT_HANDLE, USHORT, UCHAR, UCHAR) override { return FT_OK; }
  FT_STATUS FT_SetUSBParameters(FT_HANDLE, ULONG, ULONG) override { return FT_OK; }
  FT_STATUS FT_ReadEE(FT_HANDLE, DWORD, WORD*) override { return FT_OK; }
  FT_STATUS FT_WriteEE(FT_HANDLE, DWORD, WORD) override { return FT_OK; }
  FT_STATUS FT_Write(FT_HANDLE, void*, DWORD, DWORD*) override { return FT_OK; }
  FT_STATUS FT_GetStatus(FT_HANDLE, DWORD* rx, DWORD* tx, DWORD* events) override {
    *rx = static_cast<DWORD>(kDataFrameBytes);
    *tx = *events = 0;
    return FT_OK;
  }
  FT_STATUS FT_Read(FT_HANDLE, void* buffer, DWORD count, DWORD* got) override {
    std::memcpy(buffer, frame_.data(), count);
    *got = count;
    return FT_OK;
  }

 private:
  DataFrame frame_ = ResistorFrame();
};

class NoBoxes final : public MessageBoxes {
 public:
  void Show(BoxIcon, const std::string&, const std::string&) override {}
};

void BM_ReadDataFramesOneFrame(benchmark::State& state) {
  SystemClock clock;
  NoBoxes boxes;
  Messages messages(clock, boxes);
  Signature live{.pointCount = 64};
  const std::string model = "ORXA";
  LinkState link;
  link.usb.library = std::make_shared<OneFrameDriver>();
  link.usb.connected.store(1);
  InstrumentLink instrument{link, messages, clock, live, model, {}};
  DecodedFrame taken;
  for (auto _ : state) {
    ReadDataFrames(instrument);
    benchmark::DoNotOptimize(TakeReadyFrame(link.frames, taken));
  }
  link.usb.connected.store(0);
}
BENCHMARK(BM_ReadDataFramesOneFrame);

void BM_ConvertLiveSignature(benchmark::State& state) {
  DecodedFrame frame;
  DecodeDataFrame(ResistorFrame().data(), frame);
  AdcCalibration adc{20.0f / 60000.0f, 1.5f, 20.0f / 60100.0f, -2.0f};
  GeneratorSettings generator;
  generator.samplesPerPoint = 20;
  generator.cyclesPerFrame = 4;
  generator.actualOhms = 1000;
  Signature live{.pointCount = 64};
  for (auto _ : state) {
    ConvertLiveSignature(frame, adc, generator, live);
    benchmark::DoNotOptimize(live.current[64]);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ConvertLiveSignature);

}  // namespace
}  // namespace vanto
