// The D2XX types, status codes and constants that the simulated instrument
// exports, written after FTDI's public D2XX programmer's guide with the
// sizes of its Linux build (DWORD and ULONG are 32 bits there).
#pragma once

#include <cstdint>

namespace vanto::sim::d2xx {

using DWORD = std::uint32_t;
using ULONG = std::uint32_t;
using WORD = std::uint16_t;
using USHORT = std::uint16_t;
using UCHAR = std::uint8_t;
using FT_HANDLE = void*;
using FT_STATUS = ULONG;

enum : FT_STATUS {
  FT_OK = 0,
  FT_INVALID_HANDLE = 1,
  FT_DEVICE_NOT_FOUND = 2,
  FT_DEVICE_NOT_OPENED = 3,
  FT_IO_ERROR = 4,
  FT_INSUFFICIENT_RESOURCES = 5,
  FT_INVALID_PARAMETER = 6,
  FT_INVALID_BAUD_RATE = 7,
  FT_EEPROM_READ_FAILED = 11,
  FT_EEPROM_WRITE_FAILED = 12,
  FT_INVALID_ARGS = 16,
  FT_NOT_SUPPORTED = 17,
  FT_OTHER_ERROR = 18,
};

// FT_GetDeviceInfoDetail: flag bit of an opened device and the FT-X type.
inline constexpr DWORD FT_FLAGS_OPENED = 1;
inline constexpr DWORD FT_DEVICE_X_SERIES = 9;

// FT_Purge masks.
inline constexpr ULONG FT_PURGE_RX = 1;
inline constexpr ULONG FT_PURGE_TX = 2;

// The FTDI power-on default line speed.
inline constexpr ULONG kDefaultBaudRate = 9600;

}  // namespace vanto::sim::d2xx
