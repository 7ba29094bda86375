// A fake USB bridge with an instrument behind it, for byte-exact checks of
// the link: it records every call and every written byte, holds an EEPROM
// and a receive queue the test fills, and can answer request records with
// frames. Safe to use from the main and the acquisition thread at once.
#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/d2xx_api.h"

namespace vanto::testing {

using Bytes = std::vector<std::uint8_t>;

class FakeD2xxDevice final : public D2xxApi {
 public:
  FT_STATUS FT_CreateDeviceInfoList(DWORD* lpdwNumDevs) override {
    std::lock_guard<std::mutex> guard(lock);
    calls.push_back("FT_CreateDeviceInfoList");
    *lpdwNumDevs = present ? 1 : 0;
    return FT_OK;
  }
  FT_STATUS FT_SetVIDPID(DWORD dwVID, DWORD dwPID) override {
    std::lock_guard<std::mutex> guard(lock);
    calls.push_back("FT_SetVIDPID(" + std::to_string(dwVID) + "," + std::to_string(dwPID) + ")");
    return FT_OK;
  }
  FT_STATUS FT_GetDeviceInfoDetail(DWORD dwIndex, DWORD* flags, DWORD* type, DWORD* id,
                                   DWORD* location, void* serial, void* description,
                                   FT_HANDLE* handle) override {
    std::lock_guard<std::mutex> guard(lock);
    calls.push_back("FT_GetDeviceInfoDetail(" + std::to_string(dwIndex) + ")");
    *flags = *type = *id = *location = 0;
    static_cast<char*>(serial)[0] = '\0';
    static_cast<char*>(description)[0] = '\0';
    *handle = nullptr;
    return FT_OK;
  }
  FT_STATUS FT_Open(int deviceNumber, FT_HANDLE* pHandle) override {
    std::lock_guard<std::mutex> guard(lock);
    calls.push_back("FT_Open(" + std::to_string(deviceNumber) + ")");
    if (!present) return 2;  // FT_DEVICE_NOT_FOUND
    ++openCount;
    isOpen = true;
    *pHandle = Handle();
    return FT_OK;
  }
  FT_STATUS FT_Close(FT_HANDLE ftHandle) override {
    std::lock_guard<std::mutex> guard(lock);
    calls.push_back("FT_Close");
    CheckHandle(ftHandle);
    ++closeCount;
    isOpen = false;
    return FT_OK;
  }
  FT_STATUS FT_SetBaudRate(FT_HANDLE ftHandle, ULONG baud) override {
    return Record(ftHandle, "FT_SetBaudRate(" + std::to_string(baud) + ")");
  }
  FT_STATUS FT_SetDataCharacteristics(FT_HANDLE ftHandle, UCHAR bits, UCHAR stop,
                                      UCHAR parity) override {
    return Record(ftHandle, "FT_SetDataCharacteristics(" + std::to_string(bits) + "," +
                                std::to_string(stop) + "," + std::to_string(parity) + ")");
  }
  FT_STATUS FT_SetFlowControl(FT_HANDLE ftHandle, USHORT flow, UCHAR xon, UCHAR xoff) override {
    return Record(ftHandle, "FT_SetFlowControl(" + std::to_string(flow) + "," +
                                std::to_string(xon) + "," + std::to_string(xoff) + ")");
  }
  FT_STATUS FT_SetUSBParameters(FT_HANDLE ftHandle, ULONG in, ULONG out) override {
    return Record(ftHandle,
                  "FT_SetUSBParameters(" + std::to_string(in) + "," + std::to_string(out) + ")");
  }
  FT_STATUS FT_ReadEE(FT_HANDLE ftHandle, DWORD address, WORD* value) override {
    InCall call(*this);
    std::lock_guard<std::mutex> guard(lock);
    CheckHandle(ftHandle);
    readEeAddresses.push_back(address);
    *value = address < eeprom.size() ? eeprom[address] : 0;
    return FT_OK;
  }
  FT_STATUS FT_WriteEE(FT_HANDLE ftHandle, DWORD address, WORD value) override {
    InCall call(*this);
    std::lock_guard<std::mutex> guard(lock);
    CheckHandle(ftHandle);
    if (writeEeResult != FT_OK) return writeEeResult;
    ++writeEeCount;
    if (address < eeprom.size()) eeprom[address] = value;
    return FT_OK;
  }
  FT_STATUS FT_Write(FT_HANDLE ftHandle, void* buffer, DWORD count, DWORD* written) override {
    CheckNoOverlap();
    InCall call(*this);
    std::lock_guard<std::mutex> guard(lock);
    CheckHandle(ftHandle);
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    writes.emplace_back(bytes, bytes + count);
    *written = count;
    if (answerRequests && count == 8 && bytes[0] == 0x00) {
      const Bytes frame = answerFrame();
      rx.insert(rx.end(), frame.begin(), frame.end());
    }
    return FT_OK;
  }
  FT_STATUS FT_GetStatus(FT_HANDLE ftHandle, DWORD* rxCount, DWORD* txCount,
                         DWORD* events) override {
    InFlight flight(*this);
    InCall call(*this);
    if (getStatusDelayMs > 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(getStatusDelayMs));
    }
    std::lock_guard<std::mutex> guard(lock);
    CheckHandle(ftHandle);
    ++getStatusCount;
    if (!arriving.empty()) {  // the next piece of what is still on the wire
      rx.insert(rx.end(), arriving.front().begin(), arriving.front().end());
      arriving.pop_front();
    }
    if (getStatusResult != FT_OK) return getStatusResult;
    *rxCount = static_cast<DWORD>(rx.size());
    *txCount = 0;
    *events = 0;
    return FT_OK;
  }
  FT_STATUS FT_Read(FT_HANDLE ftHandle, void* buffer, DWORD count, DWORD* got) override {
    InFlight flight(*this);
    InCall call(*this);
    std::lock_guard<std::mutex> guard(lock);
    CheckHandle(ftHandle);
    readSizes.push_back(count);
    *got = 0;
    if (readResult != FT_OK) return readResult;
    if (readLimit > 0) count = std::min(count, readLimit);
    DWORD n = 0;
    auto* out = static_cast<std::uint8_t*>(buffer);
    while (n < count && !rx.empty()) {
      out[n++] = rx.front();
      rx.pop_front();
    }
    *got = n;
    return FT_OK;
  }

  // Helpers for the tests.
  void SetIdentity(const std::string& maker, const std::string& product) {
    std::lock_guard<std::mutex> guard(lock);
    for (int i = 0; i < 14; ++i)
      eeprom[81 + i] =
          i < static_cast<int>(maker.size()) ? static_cast<unsigned char>(maker[i]) : 0;
    for (int i = 0; i < 25; ++i)
      eeprom[95 + i] =
          i < static_cast<int>(product.size()) ? static_cast<unsigned char>(product[i]) : 0;
  }
  void StoreCalibrationText(const std::string& text) {
    std::lock_guard<std::mutex> guard(lock);
    for (std::size_t i = 0; i < 1792; ++i) {
      const unsigned byte = i < text.size() ? static_cast<unsigned char>(text[i]) : 0u;
      WORD& word = eeprom[128 + i / 2];
      if (i % 2 == 0) {
        word = static_cast<WORD>((word & 0xFF00) | byte);
      } else {
        word = static_cast<WORD>((word & 0x00FF) | (byte << 8));
      }
    }
  }
  void Queue(const Bytes& bytes) {
    std::lock_guard<std::mutex> guard(lock);
    rx.insert(rx.end(), bytes.begin(), bytes.end());
  }
  std::size_t Queued() {
    std::lock_guard<std::mutex> guard(lock);
    return rx.size();
  }
  std::vector<Bytes> Writes() {
    std::lock_guard<std::mutex> guard(lock);
    return writes;
  }
  void ClearRecords() {
    std::lock_guard<std::mutex> guard(lock);
    writes.clear();
    calls.clear();
    readEeAddresses.clear();
    readSizes.clear();
  }

  // All guarded by lock.
  std::mutex lock;
  bool present = true;
  bool isOpen = false;
  int openCount = 0;
  int closeCount = 0;
  int writeEeCount = 0;
  int getStatusCount = 0;
  int badHandleCount = 0;
  std::array<WORD, 1024> eeprom{};
  std::deque<std::uint8_t> rx;
  std::vector<Bytes> writes;
  std::vector<std::string> calls;
  std::vector<DWORD> readEeAddresses;
  std::vector<DWORD> readSizes;
  bool answerRequests = false;
  std::function<Bytes()> answerFrame;
  // Faults: what FT_Read, FT_GetStatus and FT_WriteEE return, the most
  // bytes one FT_Read gives (0: all asked for), and bytes still on the wire
  // that reach the queue one piece per FT_GetStatus.
  FT_STATUS readResult = FT_OK;
  FT_STATUS getStatusResult = FT_OK;
  FT_STATUS writeEeResult = FT_OK;
  DWORD readLimit = 0;
  std::deque<Bytes> arriving;

  // For the thread tests: a slow driver call, and a count of overlaps of a
  // write with a read-side call in progress.
  std::atomic<int> getStatusDelayMs{0};
  std::atomic<int> readSideInFlight{0};
  std::atomic<int> overlaps{0};
  // Any two device calls in progress at once, whatever they are.
  std::atomic<int> callsInFlight{0};
  std::atomic<int> anyOverlaps{0};

 private:
  struct InFlight {
    explicit InFlight(FakeD2xxDevice& device) : device_(device) { ++device_.readSideInFlight; }
    ~InFlight() { --device_.readSideInFlight; }
    FakeD2xxDevice& device_;
  };
  struct InCall {
    explicit InCall(FakeD2xxDevice& device) : device_(device) {
      if (device_.callsInFlight.fetch_add(1) > 0) ++device_.anyOverlaps;
    }
    ~InCall() { --device_.callsInFlight; }
    FakeD2xxDevice& device_;
  };
  FT_HANDLE Handle() { return &handleTarget_; }
  void CheckHandle(FT_HANDLE handle) {
    if (handle != Handle() || !isOpen) ++badHandleCount;
  }
  void CheckNoOverlap() {
    if (readSideInFlight.load() > 0) ++overlaps;
  }
  FT_STATUS Record(FT_HANDLE handle, std::string call) {
    std::lock_guard<std::mutex> guard(lock);
    CheckHandle(handle);
    calls.push_back(std::move(call));
    return FT_OK;
  }
  int handleTarget_ = 0;
};

}  // namespace vanto::testing
