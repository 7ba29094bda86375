// The D2XX entry points of the simulated instrument, with FTDI's public
// signatures and C linkage, so that the program loads this library exactly
// as it loads FTDI's. Only these names are exported.
#include <algorithm>
#include <cstring>

#include "d2xx_types.h"
#include "sim_device.h"

#define ORX_SIM_EXPORT extern "C" __attribute__((visibility("default")))

using namespace vanto::sim::d2xx;
using vanto::sim::SimDevice;
using vanto::sim::TheDevice;

namespace {

// The handle is the device's address; it is good only while the device is open.
SimDevice* DeviceFor(FT_HANDLE handle) {
  SimDevice& device = TheDevice();
  if (handle != static_cast<void*>(&device) || !device.IsOpen()) return nullptr;
  return &device;
}

// A device whose cable was pulled: the handle stays, every call fails.
bool Gone(SimDevice* device) { return device != nullptr && device->Unplugged(); }

void CopyText(const std::string& text, void* out, std::size_t capacity) {
  if (out == nullptr) return;
  std::size_t n = std::min(text.size(), capacity - 1);
  std::memcpy(out, text.data(), n);
  static_cast<char*>(out)[n] = '\0';
}

}  // namespace

ORX_SIM_EXPORT FT_STATUS FT_CreateDeviceInfoList(DWORD* lpdwNumDevs) {
  SimDevice::Listing listing = TheDevice().Enumerate();
  if (lpdwNumDevs != nullptr) *lpdwNumDevs = listing.present ? 1 : 0;
  return FT_OK;
}

ORX_SIM_EXPORT FT_STATUS FT_SetVIDPID(DWORD /*dwVID*/, DWORD /*dwPID*/) {
  // The simulated bridge answers as 0403:6015, which FTDI's library lists anyway.
  return FT_OK;
}

ORX_SIM_EXPORT FT_STATUS FT_GetDeviceInfoDetail(DWORD dwIndex, DWORD* lpdwFlags, DWORD* lpdwType,
                                                DWORD* lpdwID, DWORD* lpdwLocId,
                                                void* lpSerialNumber, void* lpDescription,
                                                FT_HANDLE* pftHandle) {
  SimDevice& device = TheDevice();
  SimDevice::Listing listing = device.Enumerate();
  if (!listing.present || dwIndex != 0) return FT_DEVICE_NOT_FOUND;
  const bool open = device.IsOpen();
  if (lpdwFlags != nullptr) *lpdwFlags = open ? FT_FLAGS_OPENED : 0;
  if (lpdwType != nullptr) *lpdwType = FT_DEVICE_X_SERIES;
  if (lpdwID != nullptr) *lpdwID = 0x04036015;
  if (lpdwLocId != nullptr) *lpdwLocId = 0x0211;
  CopyText(listing.serial, lpSerialNumber, 16);
  CopyText(listing.product, lpDescription, 64);
  if (pftHandle != nullptr) *pftHandle = open ? static_cast<void*>(&device) : nullptr;
  return FT_OK;
}

ORX_SIM_EXPORT FT_STATUS FT_Open(int deviceNumber, FT_HANDLE* pHandle) {
  if (pHandle == nullptr) return FT_INVALID_PARAMETER;
  *pHandle = nullptr;
  if (deviceNumber != 0) return FT_DEVICE_NOT_FOUND;
  SimDevice& device = TheDevice();
  FT_STATUS status = device.Open();
  if (status == FT_OK) *pHandle = static_cast<void*>(&device);
  return status;
}

ORX_SIM_EXPORT FT_STATUS FT_Close(FT_HANDLE ftHandle) {
  SimDevice* device = DeviceFor(ftHandle);
  if (device == nullptr) return FT_INVALID_HANDLE;
  device->Close();
  return FT_OK;
}

ORX_SIM_EXPORT FT_STATUS FT_SetBaudRate(FT_HANDLE ftHandle, ULONG BaudRate) {
  SimDevice* device = DeviceFor(ftHandle);
  if (device == nullptr) return FT_INVALID_HANDLE;
  if (BaudRate < 183 || BaudRate > 3000000) return FT_INVALID_BAUD_RATE;
  device->SetBaudRate(BaudRate);
  return FT_OK;
}

ORX_SIM_EXPORT FT_STATUS FT_SetDataCharacteristics(FT_HANDLE ftHandle, UCHAR /*WordLength*/,
                                                   UCHAR /*StopBits*/, UCHAR /*Parity*/) {
  return DeviceFor(ftHandle) != nullptr ? FT_OK : FT_INVALID_HANDLE;
}

ORX_SIM_EXPORT FT_STATUS FT_SetFlowControl(FT_HANDLE ftHandle, USHORT /*FlowControl*/,
                                           UCHAR /*XonChar*/, UCHAR /*XoffChar*/) {
  return DeviceFor(ftHandle) != nullptr ? FT_OK : FT_INVALID_HANDLE;
}

ORX_SIM_EXPORT FT_STATUS FT_SetUSBParameters(FT_HANDLE ftHandle, ULONG /*ulInTransferSize*/,
                                             ULONG /*ulOutTransferSize*/) {
  return DeviceFor(ftHandle) != nullptr ? FT_OK : FT_INVALID_HANDLE;
}

ORX_SIM_EXPORT FT_STATUS FT_SetTimeouts(FT_HANDLE ftHandle, ULONG ReadTimeout,
                                        ULONG /*WriteTimeout*/) {
  SimDevice* device = DeviceFor(ftHandle);
  if (device == nullptr) return FT_INVALID_HANDLE;
  device->SetReadTimeoutMs(ReadTimeout);
  return FT_OK;
}

ORX_SIM_EXPORT FT_STATUS FT_SetLatencyTimer(FT_HANDLE ftHandle, UCHAR /*ucLatency*/) {
  return DeviceFor(ftHandle) != nullptr ? FT_OK : FT_INVALID_HANDLE;
}

ORX_SIM_EXPORT FT_STATUS FT_ResetDevice(FT_HANDLE ftHandle) {
  return DeviceFor(ftHandle) != nullptr ? FT_OK : FT_INVALID_HANDLE;
}

ORX_SIM_EXPORT FT_STATUS FT_Purge(FT_HANDLE ftHandle, ULONG Mask) {
  SimDevice* device = DeviceFor(ftHandle);
  if (device == nullptr) return FT_INVALID_HANDLE;
  if ((Mask & FT_PURGE_RX) != 0) device->PurgeReceive();
  return FT_OK;
}

ORX_SIM_EXPORT FT_STATUS FT_ReadEE(FT_HANDLE ftHandle, DWORD dwWordOffset, WORD* lpwValue) {
  SimDevice* device = DeviceFor(ftHandle);
  if (device == nullptr) return FT_INVALID_HANDLE;
  if (lpwValue == nullptr) return FT_INVALID_PARAMETER;
  if (Gone(device)) return FT_DEVICE_NOT_FOUND;
  return device->ReadEeprom(dwWordOffset, *lpwValue) ? FT_OK : FT_EEPROM_READ_FAILED;
}

ORX_SIM_EXPORT FT_STATUS FT_WriteEE(FT_HANDLE ftHandle, DWORD dwWordOffset, WORD wValue) {
  SimDevice* device = DeviceFor(ftHandle);
  if (device == nullptr) return FT_INVALID_HANDLE;
  if (Gone(device)) return FT_DEVICE_NOT_FOUND;
  return device->WriteEeprom(dwWordOffset, wValue) ? FT_OK : FT_EEPROM_WRITE_FAILED;
}

ORX_SIM_EXPORT FT_STATUS FT_Write(FT_HANDLE ftHandle, void* lpBuffer, DWORD dwBytesToWrite,
                                  DWORD* lpBytesWritten) {
  SimDevice* device = DeviceFor(ftHandle);
  if (lpBytesWritten != nullptr) *lpBytesWritten = 0;
  if (device == nullptr) return FT_INVALID_HANDLE;
  if (lpBuffer == nullptr && dwBytesToWrite > 0) return FT_INVALID_PARAMETER;
  if (Gone(device)) return FT_IO_ERROR;
  DWORD written = device->Write(static_cast<const std::uint8_t*>(lpBuffer), dwBytesToWrite);
  if (lpBytesWritten != nullptr) *lpBytesWritten = written;
  return FT_OK;
}

ORX_SIM_EXPORT FT_STATUS FT_GetStatus(FT_HANDLE ftHandle, DWORD* dwRxBytes, DWORD* dwTxBytes,
                                      DWORD* dwEventDWord) {
  SimDevice* device = DeviceFor(ftHandle);
  if (device == nullptr) return FT_INVALID_HANDLE;
  if (Gone(device)) return FT_DEVICE_NOT_FOUND;
  if (dwRxBytes != nullptr) *dwRxBytes = device->QueuedBytes();
  if (dwTxBytes != nullptr) *dwTxBytes = 0;
  if (dwEventDWord != nullptr) *dwEventDWord = 0;
  return FT_OK;
}

ORX_SIM_EXPORT FT_STATUS FT_GetQueueStatus(FT_HANDLE ftHandle, DWORD* dwRxBytes) {
  SimDevice* device = DeviceFor(ftHandle);
  if (device == nullptr) return FT_INVALID_HANDLE;
  if (dwRxBytes != nullptr) *dwRxBytes = device->QueuedBytes();
  return FT_OK;
}

ORX_SIM_EXPORT FT_STATUS FT_Read(FT_HANDLE ftHandle, void* lpBuffer, DWORD dwBytesToRead,
                                 DWORD* lpBytesReturned) {
  SimDevice* device = DeviceFor(ftHandle);
  if (lpBytesReturned != nullptr) *lpBytesReturned = 0;
  if (device == nullptr) return FT_INVALID_HANDLE;
  if (lpBuffer == nullptr && dwBytesToRead > 0) return FT_INVALID_PARAMETER;
  if (Gone(device)) return FT_IO_ERROR;
  DWORD n = device->Read(static_cast<std::uint8_t*>(lpBuffer), dwBytesToRead);
  if (lpBytesReturned != nullptr) *lpBytesReturned = n;
  return FT_OK;
}
