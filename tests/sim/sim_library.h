// Loads the simulated instrument with dlopen, as the program loads a D2XX
// library, and resolves FTDI's public entry points (Linux sizes: DWORD and
// ULONG 32 bits). Also a fixture that gives every test a fresh working
// folder with its own simulator configuration file.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_workdir.h"

namespace vanto::testing {

using FtStatus = std::uint32_t;
using FtHandle = void*;
using Dword = std::uint32_t;
using Word = std::uint16_t;

struct D2xx {
  FtStatus (*CreateDeviceInfoList)(Dword*);
  FtStatus (*SetVIDPID)(Dword, Dword);
  FtStatus (*GetDeviceInfoDetail)(Dword, Dword*, Dword*, Dword*, Dword*, void*, void*, FtHandle*);
  FtStatus (*Open)(int, FtHandle*);
  FtStatus (*Close)(FtHandle);
  FtStatus (*SetBaudRate)(FtHandle, std::uint32_t);
  FtStatus (*SetDataCharacteristics)(FtHandle, std::uint8_t, std::uint8_t, std::uint8_t);
  FtStatus (*SetFlowControl)(FtHandle, std::uint16_t, std::uint8_t, std::uint8_t);
  FtStatus (*SetUSBParameters)(FtHandle, std::uint32_t, std::uint32_t);
  FtStatus (*ReadEE)(FtHandle, Dword, Word*);
  FtStatus (*WriteEE)(FtHandle, Dword, Word);
  FtStatus (*Write)(FtHandle, void*, Dword, Dword*);
  FtStatus (*GetStatus)(FtHandle, Dword*, Dword*, Dword*);
  FtStatus (*Read)(FtHandle, void*, Dword, Dword*);
};

class SimLibrary {
 public:
  SimLibrary() { Load(); }
  ~SimLibrary() { Unload(); }
  SimLibrary(const SimLibrary&) = delete;
  SimLibrary& operator=(const SimLibrary&) = delete;

  // RTLD_NODELETE: the simulator keeps its device for the life of the
  // process (the program never unloads a D2XX library), so unloading it
  // here would strand that device and LeakSanitizer would report it, with
  // the unloaded library's frames unnamed. A reload still reads the
  // configuration and the EEPROM file anew at the next FT_Open.
  void Load() {
    handle_ = ::dlopen(ORX_SIM_LIBRARY, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    ASSERT_NE(handle_, nullptr) << ::dlerror();
    Resolve(api.CreateDeviceInfoList, "FT_CreateDeviceInfoList");
    Resolve(api.SetVIDPID, "FT_SetVIDPID");
    Resolve(api.GetDeviceInfoDetail, "FT_GetDeviceInfoDetail");
    Resolve(api.Open, "FT_Open");
    Resolve(api.Close, "FT_Close");
    Resolve(api.SetBaudRate, "FT_SetBaudRate");
    Resolve(api.SetDataCharacteristics, "FT_SetDataCharacteristics");
    Resolve(api.SetFlowControl, "FT_SetFlowControl");
    Resolve(api.SetUSBParameters, "FT_SetUSBParameters");
    Resolve(api.ReadEE, "FT_ReadEE");
    Resolve(api.WriteEE, "FT_WriteEE");
    Resolve(api.Write, "FT_Write");
    Resolve(api.GetStatus, "FT_GetStatus");
    Resolve(api.Read, "FT_Read");
  }

  void Unload() {
    if (handle_ != nullptr) ::dlclose(handle_);
    handle_ = nullptr;
  }

  D2xx api{};

 private:
  template <typename F>
  void Resolve(F& function, const char* name) {
    function = reinterpret_cast<F>(::dlsym(handle_, name));
    ASSERT_NE(function, nullptr) << name;
  }

  void* handle_ = nullptr;
};

// A working folder with "sim.cfg" named by ORX_SIM_CONFIG; the model comes
// only from the file unless a test sets ORX_SIM_MODEL itself.
class SimFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ::unsetenv("ORX_SIM_MODEL");
    ::setenv("ORX_SIM_CONFIG", (workdir_.Path() / "sim.cfg").c_str(), 1);
  }
  void TearDown() override {
    CloseDevice();
    ::unsetenv("ORX_SIM_CONFIG");
    ::unsetenv("ORX_SIM_MODEL");
  }

  void Configure(const std::string& text) { WriteFile("sim.cfg", text); }

  // Opens and sets the line up as the program does (250000 baud, 8N1).
  void OpenDevice(std::uint32_t baud = 250000) {
    ASSERT_EQ(sim_.api.Open(0, &handle_), 0u);
    ASSERT_NE(handle_, nullptr);
    sim_.api.SetBaudRate(handle_, baud);
    sim_.api.SetDataCharacteristics(handle_, 8, 0, 0);
    sim_.api.SetFlowControl(handle_, 0, 0, 0);
    sim_.api.SetUSBParameters(handle_, 32768, 32768);
  }

  void CloseDevice() {
    if (handle_ != nullptr) sim_.api.Close(handle_);
    handle_ = nullptr;
  }

  void Send(std::vector<std::uint8_t> bytes) {
    Dword written = 0;
    ASSERT_EQ(sim_.api.Write(handle_, bytes.data(), static_cast<Dword>(bytes.size()), &written),
              0u);
    ASSERT_EQ(written, bytes.size());
  }

  Dword Queued() {
    Dword rx = 0, tx = 0, events = 0;
    sim_.api.GetStatus(handle_, &rx, &tx, &events);
    return rx;
  }

  // Polls the receive count until it reaches `bytes` or the time is up.
  Dword WaitForBytes(Dword bytes, int timeoutMs) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    Dword n = Queued();
    while (n < bytes && std::chrono::steady_clock::now() < end) {
      std::this_thread::sleep_for(std::chrono::microseconds(200));
      n = Queued();
    }
    return n;
  }

  std::vector<std::uint8_t> ReadBytes(Dword count) {
    std::vector<std::uint8_t> buffer(count);
    Dword got = 0;
    sim_.api.Read(handle_, buffer.data(), count, &got);
    buffer.resize(got);
    return buffer;
  }

  TempWorkdir workdir_;
  SimLibrary sim_;
  FtHandle handle_ = nullptr;
};

}  // namespace vanto::testing
