// A stand-in D2XX library for the loading tests: every entry point with
// FTDI's signature and no device behind it. Built a second time without
// FT_WriteEE to stand for a library that lacks an entry point.
#include <cstdint>
#include <cstring>

namespace {
using DWORD = std::uint32_t;
using ULONG = std::uint32_t;
using WORD = std::uint16_t;
using USHORT = std::uint16_t;
using UCHAR = std::uint8_t;
using FT_HANDLE = void*;
using FT_STATUS = ULONG;
constexpr FT_STATUS kDeviceNotFound = 2;
}  // namespace

#define EXPORT extern "C" __attribute__((visibility("default")))

EXPORT FT_STATUS FT_CreateDeviceInfoList(DWORD* count) {
  *count = 0;
  return 0;
}
EXPORT FT_STATUS FT_SetVIDPID(DWORD, DWORD) {
  return 0;
}
EXPORT FT_STATUS FT_GetDeviceInfoDetail(DWORD, DWORD*, DWORD*, DWORD*, DWORD*, void*, void*,
                                        FT_HANDLE*) {
  return kDeviceNotFound;
}
EXPORT FT_STATUS FT_Open(int, FT_HANDLE* handle) {
  *handle = nullptr;
  return kDeviceNotFound;
}
EXPORT FT_STATUS FT_Close(FT_HANDLE) {
  return 0;
}
EXPORT FT_STATUS FT_SetBaudRate(FT_HANDLE, ULONG) {
  return 0;
}
EXPORT FT_STATUS FT_SetDataCharacteristics(FT_HANDLE, UCHAR, UCHAR, UCHAR) {
  return 0;
}
EXPORT FT_STATUS FT_SetFlowControl(FT_HANDLE, USHORT, UCHAR, UCHAR) {
  return 0;
}
EXPORT FT_STATUS FT_SetUSBParameters(FT_HANDLE, ULONG, ULONG) {
  return 0;
}
EXPORT FT_STATUS FT_ReadEE(FT_HANDLE, DWORD, WORD* value) {
  *value = 0;
  return 0;
}
#ifndef LINK_TEST_OMIT_WRITE_EE
EXPORT FT_STATUS FT_WriteEE(FT_HANDLE, DWORD, WORD) {
  return 0;
}
#endif
EXPORT FT_STATUS FT_Write(FT_HANDLE, void*, DWORD count, DWORD* written) {
  *written = count;
  return 0;
}
EXPORT FT_STATUS FT_GetStatus(FT_HANDLE, DWORD* rx, DWORD* tx, DWORD* events) {
  *rx = *tx = *events = 0;
  return 0;
}
EXPORT FT_STATUS FT_Read(FT_HANDLE, void*, DWORD, DWORD* got) {
  *got = 0;
  return 0;
}
