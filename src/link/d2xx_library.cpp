// D2XX entry points resolved with dlopen/dlsym and forwarded one to one.
#include "link/d2xx_library.h"

#include <dlfcn.h>

#include <cstdlib>

namespace vanto {

namespace {

struct D2xxFunctions {
  FT_CreateDeviceInfoList_t createDeviceInfoList = nullptr;
  FT_SetVIDPID_t setVidPid = nullptr;
  FT_GetDeviceInfoDetail_t getDeviceInfoDetail = nullptr;
  FT_Open_t open = nullptr;
  FT_Close_t close = nullptr;
  FT_SetBaudRate_t setBaudRate = nullptr;
  FT_SetDataCharacteristics_t setDataCharacteristics = nullptr;
  FT_SetFlowControl_t setFlowControl = nullptr;
  FT_SetUSBParameters_t setUsbParameters = nullptr;
  FT_ReadEE_t readEe = nullptr;
  FT_WriteEE_t writeEe = nullptr;
  FT_Write_t write = nullptr;
  FT_GetStatus_t getStatus = nullptr;
  FT_Read_t read = nullptr;
};

class D2xxLibrary final : public D2xxApi {
 public:
  explicit D2xxLibrary(const D2xxFunctions& functions) : f_(functions) {}

  FT_STATUS FT_CreateDeviceInfoList(DWORD* lpdwNumDevs) override {
    return f_.createDeviceInfoList(lpdwNumDevs);
  }
  FT_STATUS FT_SetVIDPID(DWORD dwVID, DWORD dwPID) override { return f_.setVidPid(dwVID, dwPID); }
  FT_STATUS FT_GetDeviceInfoDetail(DWORD dwIndex, DWORD* lpdwFlags, DWORD* lpdwType, DWORD* lpdwID,
                                   DWORD* lpdwLocId, void* lpSerialNumber, void* lpDescription,
                                   FT_HANDLE* pftHandle) override {
    return f_.getDeviceInfoDetail(dwIndex, lpdwFlags, lpdwType, lpdwID, lpdwLocId, lpSerialNumber,
                                  lpDescription, pftHandle);
  }
  FT_STATUS FT_Open(int deviceNumber, FT_HANDLE* pHandle) override {
    return f_.open(deviceNumber, pHandle);
  }
  FT_STATUS FT_Close(FT_HANDLE ftHandle) override { return f_.close(ftHandle); }
  FT_STATUS FT_SetBaudRate(FT_HANDLE ftHandle, ULONG dwBaudRate) override {
    return f_.setBaudRate(ftHandle, dwBaudRate);
  }
  FT_STATUS FT_SetDataCharacteristics(FT_HANDLE ftHandle, UCHAR uWordLength, UCHAR uStopBits,
                                      UCHAR uParity) override {
    return f_.setDataCharacteristics(ftHandle, uWordLength, uStopBits, uParity);
  }
  FT_STATUS FT_SetFlowControl(FT_HANDLE ftHandle, USHORT usFlowControl, UCHAR uXon,
                              UCHAR uXoff) override {
    return f_.setFlowControl(ftHandle, usFlowControl, uXon, uXoff);
  }
  FT_STATUS FT_SetUSBParameters(FT_HANDLE ftHandle, ULONG ulInTransferSize,
                                ULONG ulOutTransferSize) override {
    return f_.setUsbParameters(ftHandle, ulInTransferSize, ulOutTransferSize);
  }
  FT_STATUS FT_ReadEE(FT_HANDLE ftHandle, DWORD dwWordOffset, WORD* lpwValue) override {
    return f_.readEe(ftHandle, dwWordOffset, lpwValue);
  }
  FT_STATUS FT_WriteEE(FT_HANDLE ftHandle, DWORD dwWordOffset, WORD wValue) override {
    return f_.writeEe(ftHandle, dwWordOffset, wValue);
  }
  FT_STATUS FT_Write(FT_HANDLE ftHandle, void* lpBuffer, DWORD dwBytesToWrite,
                     DWORD* lpdwBytesWritten) override {
    return f_.write(ftHandle, lpBuffer, dwBytesToWrite, lpdwBytesWritten);
  }
  FT_STATUS FT_GetStatus(FT_HANDLE ftHandle, DWORD* lpdwAmountInRxQueue, DWORD* lpdwAmountInTxQueue,
                         DWORD* lpdwEventStatus) override {
    return f_.getStatus(ftHandle, lpdwAmountInRxQueue, lpdwAmountInTxQueue, lpdwEventStatus);
  }
  FT_STATUS FT_Read(FT_HANDLE ftHandle, void* lpBuffer, DWORD dwBytesToRead,
                    DWORD* lpdwBytesReturned) override {
    return f_.read(ftHandle, lpBuffer, dwBytesToRead, lpdwBytesReturned);
  }

 private:
  D2xxFunctions f_;
};

// Looks one symbol up; records the first one missing.
template <typename Function>
void Resolve(void* library, const char* name, Function& function, std::string& missing) {
  function = reinterpret_cast<Function>(::dlsym(library, name));
  if (function == nullptr && missing.empty()) missing = name;
}

}  // namespace

std::string ResolveD2xxLibraryPath(std::string_view commandLinePath, const char* environmentValue) {
  if (!commandLinePath.empty()) return std::string(commandLinePath);
  if (environmentValue != nullptr && *environmentValue != '\0') return environmentValue;
  return kDefaultD2xxLibrary;
}

std::string ResolveD2xxLibraryPath(std::string_view commandLinePath) {
  return ResolveD2xxLibraryPath(commandLinePath, std::getenv(kD2xxLibraryVariable));
}

std::unique_ptr<D2xxApi> LoadD2xxLibrary(const std::string& path, std::string& error) {
  error.clear();
  void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char* reason = ::dlerror();
    error = reason != nullptr ? reason : "cannot open " + path;
    return nullptr;
  }
  D2xxFunctions f;
  std::string missing;
  Resolve(library, "FT_CreateDeviceInfoList", f.createDeviceInfoList, missing);
  Resolve(library, "FT_SetVIDPID", f.setVidPid, missing);
  Resolve(library, "FT_GetDeviceInfoDetail", f.getDeviceInfoDetail, missing);
  Resolve(library, "FT_Open", f.open, missing);
  Resolve(library, "FT_Close", f.close, missing);
  Resolve(library, "FT_SetBaudRate", f.setBaudRate, missing);
  Resolve(library, "FT_SetDataCharacteristics", f.setDataCharacteristics, missing);
  Resolve(library, "FT_SetFlowControl", f.setFlowControl, missing);
  Resolve(library, "FT_SetUSBParameters", f.setUsbParameters, missing);
  Resolve(library, "FT_ReadEE", f.readEe, missing);
  Resolve(library, "FT_WriteEE", f.writeEe, missing);
  Resolve(library, "FT_Write", f.write, missing);
  Resolve(library, "FT_GetStatus", f.getStatus, missing);
  Resolve(library, "FT_Read", f.read, missing);
  if (!missing.empty()) {
    error = path + ": no " + missing;
    // Nothing of it was handed out, so this one can go again.
    ::dlclose(library);
    return nullptr;
  }
  return std::make_unique<D2xxLibrary>(f);
}

}  // namespace vanto
