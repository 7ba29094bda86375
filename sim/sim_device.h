// The one simulated instrument behind the exported D2XX functions. The host
// side (any thread) writes records and reads the receive queue under one
// lock; a worker thread, started by Open and joined by Close, computes each
// requested frame. Bytes cross the serial line in real time: a request takes
// 8 byte times to arrive, the acquisition register 12 cycles at register 14 Hz,
// and the frame 520 byte times to come back (10 bits per byte).
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "bench_dmm.h"
#include "d2xx_types.h"
#include "eeprom_store.h"
#include "instrument_model.h"
#include "signal_path.h"
#include "sim_config.h"
#include "timed_scripts.h"
#include "virtual_board.h"
#include "wire_format.h"

namespace vanto::sim {

class SimDevice {
 public:
  struct Listing {
    bool present = false;
    std::string product;
    std::string serial;
  };

  // What enumeration sees: the configuration read anew unless open.
  Listing Enumerate();

  // Reads the configuration, loads the EEPROM, resets the registers and the
  // line, starts the worker. Fails when absent or already open.
  d2xx::FT_STATUS Open();
  void Close();
  bool IsOpen() const { return open_.load(std::memory_order_acquire); }
  // The cable was pulled (unplug_after_ms): every call on the handle fails.
  bool Unplugged();

  void SetBaudRate(std::uint32_t baud);
  void SetReadTimeoutMs(std::uint32_t ms);
  bool ReadEeprom(std::uint32_t address, std::uint16_t& word);
  bool WriteEeprom(std::uint32_t address, std::uint16_t word);
  std::uint32_t Write(const std::uint8_t* data, std::uint32_t count);
  std::uint32_t QueuedBytes();
  // Returns at once with what is queued once `count` bytes are there, nothing
  // more is on its way, or the read time-out (if set) has passed.
  std::uint32_t Read(std::uint8_t* out, std::uint32_t count);
  void PurgeReceive();

  // What the bench multimeter on the output reads: the static level (or
  // the sine's offset) through the DAC's own gain and zero and the source
  // resistor into the meter's 10 MOhm, or the current into its shunt;
  // 0 while the device is closed.
  double MeterReading(bool current);

 private:
  struct Job {
    AcquisitionJob input;
    FrameHeader header;
    bool corrupt = false;
    bool stray = false;
    bool taken = false;  // the worker is computing it
    bool computed = false;
    std::int64_t computedUs = 0;
    std::int64_t txStartUs = -1;
    std::size_t delivered = 0;
    std::vector<std::uint8_t> bytes;
  };

  void WorkerLoop();
  void HandleRecordLocked(const std::uint8_t* bytes, std::int64_t arrivalUs);
  void QueueRequestLocked(std::int64_t arrivalUs);
  // warm_open: the tail of the frame the instrument was sending when the
  // last handle closed, arriving from the moment of FT_Open.
  void QueueFrameInFlightLocked();
  void SetContactLocked(AcquisitionJob& job) const;
  // Moves the bytes that have crossed the line by nowUs into rx_.
  void AdvanceLocked(std::int64_t nowUs);

  std::mutex lifecycle_;            // serialises Open and Close
  std::mutex mutex_;                // everything below
  std::condition_variable workCv_;  // worker: a job is waiting, or stop
  std::condition_variable dataCv_;  // readers: a frame is computed, or stop
  std::atomic<bool> open_{false};
  bool stopping_ = false;
  std::thread worker_;

  SimConfig config_;
  const ModelInfo* model_ = nullptr;
  InstrumentTrim trim_;
  std::shared_ptr<const VirtualBoard> board_;
  ProbeScript probe_;
  ButtonScript buttons_;
  EepromStore eeprom_;
  std::unique_ptr<SignalPath> signal_;  // the worker's
  CircuitRef voltmeter_;

  RegisterFile registers_{};
  std::vector<std::uint8_t> partialRecord_;
  double byteUs_ = 0.0;
  std::uint32_t readTimeoutMs_ = 0;
  std::int64_t openUs_ = 0;
  std::int64_t hostLineFreeUs_ = 0;
  std::int64_t lastAcqEndUs_ = 0;
  std::int64_t deviceLineFreeUs_ = 0;
  std::uint64_t framesQueued_ = 0;
  std::uint64_t requestsSeen_ = 0;
  std::uint64_t scannerEpoch_ = 0;
  std::int64_t scannerSinceUs_ = 0;
  std::uint64_t staticEpoch_ = 0;
  std::int64_t staticSinceUs_ = 0;
  std::mt19937_64 railRandom_;
  std::deque<std::unique_ptr<Job>> jobs_;
  std::deque<std::uint8_t> rx_;
  BenchDmm dmm_;  // started by the first Open with a dmm_port, never stopped
};

// The process's instrument; never destroyed, so that no thread of the host
// can outlive it during exit.
SimDevice& TheDevice();

}  // namespace vanto::sim
