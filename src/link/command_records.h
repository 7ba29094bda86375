// The host's copy of the instrument's 32 registers and the 8-byte records
// that carry them: write records with their 0x5555 checksum, and the
// request record that asks for one data frame. Pure encoding, no device.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vanto {

inline constexpr int kRegisterCount = 32;
inline constexpr std::size_t kRecordBytes = 8;

// Register addresses.
inline constexpr int kControlRegister = 1;
inline constexpr int kStaticLevelRegister = 3;
inline constexpr int kAmplitudeRegister = 4;
inline constexpr int kOffsetRegister = 5;
inline constexpr int kPeakMvRegister = 6;
inline constexpr int kOhmsRegister = 8;
inline constexpr int kPointCountRegister = 10;
inline constexpr int kSamplesPerPointRegister = 11;
inline constexpr int kCyclesPerFrameRegister = 12;
inline constexpr int kFrequencyRegister = 14;
inline constexpr int kScanSigRegister = 16;
inline constexpr int kScanComRegister = 17;
inline constexpr int kDcCodeRegister = 20;
inline constexpr int kDcZeroRegister = 21;
inline constexpr int kDcModeRegister = 22;
inline constexpr int kConstantRegister = 23;
inline constexpr std::int64_t kConstantRegisterValue = 5;

// Bits of the control register.
inline constexpr std::int64_t kControlConnectBit = 1 << 1;       // set when a connection starts
inline constexpr std::int64_t kControlStaticOutputBit = 1 << 4;  // output register 3's level
inline constexpr std::int64_t kControlHighRangeBit = 1 << 5;     // 2000 mV and above

// All 0 at start-up; written and read by the main thread only. Only the low
// 32 bits of a register travel to the instrument.
struct RegisterImage {
  std::array<std::int64_t, kRegisterCount> values{};

  std::int64_t& operator[](int address) { return values[static_cast<std::size_t>(address)]; }
  std::int64_t operator[](int address) const { return values[static_cast<std::size_t>(address)]; }
};

// One record as it travels: a WriteRecord sets a register, a RequestRecord
// asks for one data frame. A CommandFrame is the run of records of one
// FT_Write, at most 32 of them.
using WriteRecord = std::array<std::uint8_t, kRecordBytes>;
using RequestRecord = std::array<std::uint8_t, kRecordBytes>;
inline constexpr std::size_t kMaxCommandFrameBytes = kRecordBytes * kRegisterCount;

// Sum of the three big-endian words of bytes 0-5 plus 0x5555, modulo 65536.
std::uint16_t RecordChecksum(const std::uint8_t* record);

// A write record. The data bytes are (v / 2^24, v / 2^16, v / 2^8, v), each
// division truncating toward zero and each byte the low 8 bits of the
// result: plain big-endian for 0..0xFFFFFFFF, but not two's complement for
// negative values (-1 goes as 00 00 00 FF). The calibration codes stored in
// the instruments were found through this encoding, so it must stay.
void EncodeWriteRecord(int address, std::int64_t value, std::uint8_t* record);

// A request record: bit 7 of byte 0 clear, data bytes 0.
void EncodeRequestRecord(int address, std::uint8_t* record);

// Registers first .. first + count - 1 as one run of write records into
// `out`, which must hold 8 x count bytes. Returns the byte count.
std::size_t EncodeCommandFrame(const RegisterImage& registers, int first, int count,
                               std::uint8_t* out);

}  // namespace vanto
