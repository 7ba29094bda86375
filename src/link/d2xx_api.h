// The narrow seam to the USB bridge: FTDI's D2XX types and function
// signatures (as in FTDI's public D2XX programmer's guide, Linux sizes) and
// the interface the link calls them through. FTDI's library, the simulated
// instrument and the fakes of the tests are equal implementations of it.
#pragma once

#include <cstdint>

namespace vanto {

// D2XX types on Linux: DWORD and ULONG are 32-bit.
using DWORD = std::uint32_t;
using ULONG = std::uint32_t;
using WORD = std::uint16_t;
using USHORT = std::uint16_t;
using UCHAR = std::uint8_t;
using FT_HANDLE = void*;
using FT_STATUS = ULONG;

inline constexpr FT_STATUS FT_OK = 0;
// The statuses of a device that has gone away under an open handle.
inline constexpr FT_STATUS kFtDeviceNotFound = 2;
inline constexpr FT_STATUS kFtIoError = 4;

// The library's entry points, C linkage, as dlsym hands them out.
extern "C" {
using FT_CreateDeviceInfoList_t = FT_STATUS (*)(DWORD* lpdwNumDevs);
using FT_SetVIDPID_t = FT_STATUS (*)(DWORD dwVID, DWORD dwPID);
using FT_GetDeviceInfoDetail_t = FT_STATUS (*)(DWORD dwIndex, DWORD* lpdwFlags, DWORD* lpdwType,
                                               DWORD* lpdwID, DWORD* lpdwLocId,
                                               void* lpSerialNumber, void* lpDescription,
                                               FT_HANDLE* pftHandle);
using FT_Open_t = FT_STATUS (*)(int deviceNumber, FT_HANDLE* pHandle);
using FT_Close_t = FT_STATUS (*)(FT_HANDLE ftHandle);
using FT_SetBaudRate_t = FT_STATUS (*)(FT_HANDLE ftHandle, ULONG dwBaudRate);
using FT_SetDataCharacteristics_t = FT_STATUS (*)(FT_HANDLE ftHandle, UCHAR uWordLength,
                                                  UCHAR uStopBits, UCHAR uParity);
using FT_SetFlowControl_t = FT_STATUS (*)(FT_HANDLE ftHandle, USHORT usFlowControl, UCHAR uXon,
                                          UCHAR uXoff);
using FT_SetUSBParameters_t = FT_STATUS (*)(FT_HANDLE ftHandle, ULONG ulInTransferSize,
                                            ULONG ulOutTransferSize);
using FT_ReadEE_t = FT_STATUS (*)(FT_HANDLE ftHandle, DWORD dwWordOffset, WORD* lpwValue);
using FT_WriteEE_t = FT_STATUS (*)(FT_HANDLE ftHandle, DWORD dwWordOffset, WORD wValue);
using FT_Write_t = FT_STATUS (*)(FT_HANDLE ftHandle, void* lpBuffer, DWORD dwBytesToWrite,
                                 DWORD* lpdwBytesWritten);
using FT_GetStatus_t = FT_STATUS (*)(FT_HANDLE ftHandle, DWORD* lpdwAmountInRxQueue,
                                     DWORD* lpdwAmountInTxQueue, DWORD* lpdwEventStatus);
using FT_Read_t = FT_STATUS (*)(FT_HANDLE ftHandle, void* lpBuffer, DWORD dwBytesToRead,
                                DWORD* lpdwBytesReturned);
}

// Every call the link makes, with the library's own names and arguments.
// Main thread: everything; acquisition thread: FT_GetStatus, FT_Read and
// FT_Write (frame requests). The link never has two calls in progress at
// once (see usb_link.h), so implementations need no lock.
class D2xxApi {
 public:
  virtual ~D2xxApi() = default;

  virtual FT_STATUS FT_CreateDeviceInfoList(DWORD* lpdwNumDevs) = 0;
  virtual FT_STATUS FT_SetVIDPID(DWORD dwVID, DWORD dwPID) = 0;
  virtual FT_STATUS FT_GetDeviceInfoDetail(DWORD dwIndex, DWORD* lpdwFlags, DWORD* lpdwType,
                                           DWORD* lpdwID, DWORD* lpdwLocId, void* lpSerialNumber,
                                           void* lpDescription, FT_HANDLE* pftHandle) = 0;
  virtual FT_STATUS FT_Open(int deviceNumber, FT_HANDLE* pHandle) = 0;
  virtual FT_STATUS FT_Close(FT_HANDLE ftHandle) = 0;
  virtual FT_STATUS FT_SetBaudRate(FT_HANDLE ftHandle, ULONG dwBaudRate) = 0;
  virtual FT_STATUS FT_SetDataCharacteristics(FT_HANDLE ftHandle, UCHAR uWordLength,
                                              UCHAR uStopBits, UCHAR uParity) = 0;
  virtual FT_STATUS FT_SetFlowControl(FT_HANDLE ftHandle, USHORT usFlowControl, UCHAR uXon,
                                      UCHAR uXoff) = 0;
  virtual FT_STATUS FT_SetUSBParameters(FT_HANDLE ftHandle, ULONG ulInTransferSize,
                                        ULONG ulOutTransferSize) = 0;
  virtual FT_STATUS FT_ReadEE(FT_HANDLE ftHandle, DWORD dwWordOffset, WORD* lpwValue) = 0;
  virtual FT_STATUS FT_WriteEE(FT_HANDLE ftHandle, DWORD dwWordOffset, WORD wValue) = 0;
  virtual FT_STATUS FT_Write(FT_HANDLE ftHandle, void* lpBuffer, DWORD dwBytesToWrite,
                             DWORD* lpdwBytesWritten) = 0;
  virtual FT_STATUS FT_GetStatus(FT_HANDLE ftHandle, DWORD* lpdwAmountInRxQueue,
                                 DWORD* lpdwAmountInTxQueue, DWORD* lpdwEventStatus) = 0;
  virtual FT_STATUS FT_Read(FT_HANDLE ftHandle, void* lpBuffer, DWORD dwBytesToRead,
                            DWORD* lpdwBytesReturned) = 0;
};

}  // namespace vanto
