#include "sim_device.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "sim_text.h"

namespace vanto::sim {
namespace {

constexpr std::size_t kReceiveCapacity = 65536;
constexpr std::size_t kMaxPendingFrames = 64;  // the instrument's request buffer
constexpr std::uint8_t kStrayByte = 0xA5;
constexpr std::uint64_t kContactStatic = 1ull << 60;
constexpr std::uint64_t kContactScanner = 2ull << 60;
constexpr std::uint64_t kContactProbe = 3ull << 60;

std::int64_t NowUs() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::chrono::steady_clock::time_point TimePoint(std::int64_t us) {
  return std::chrono::steady_clock::time_point(
      std::chrono::duration_cast<std::chrono::steady_clock::duration>(
          std::chrono::microseconds(us)));
}

double ByteMicroseconds(std::uint32_t baud) {
  return 10.0 * 1e6 / baud;
}

const ModelInfo& ModelOrDefault(const std::string& name, std::vector<std::string>& warnings) {
  if (const ModelInfo* model = FindModel(name)) return *model;
  warnings.push_back("unknown model '" + name + "'; simulating ORXA");
  return *FindModel("ORXA");
}

}  // namespace

SimDevice& TheDevice() {
  static SimDevice* device = new SimDevice;
  return *device;
}

SimDevice::Listing SimDevice::Enumerate() {
  std::lock_guard<std::mutex> lifecycle(lifecycle_);
  SimConfig config;
  std::vector<std::string> ignored;
  if (IsOpen()) {
    config = config_;
  } else {
    config = LoadSimConfig(ignored);
  }
  Listing listing;
  listing.present = config.present;
  const ModelInfo& model = ModelOrDefault(config.model, ignored);
  listing.product =
      config.productText.empty() ? std::string(model.productText) : config.productText;
  listing.serial = config.serialNumber;
  return listing;
}

d2xx::FT_STATUS SimDevice::Open() {
  std::lock_guard<std::mutex> lifecycle(lifecycle_);
  if (IsOpen()) return d2xx::FT_DEVICE_NOT_OPENED;  // busy, as a device held by another handle
  std::vector<std::string> warnings;
  SimConfig config = LoadSimConfig(warnings);
  if (!config.present) {
    for (const std::string& w : warnings) ReportWarning(w);
    return d2xx::FT_DEVICE_NOT_FOUND;
  }
  const ModelInfo& model = ModelOrDefault(config.model, warnings);
  auto board = std::make_shared<const VirtualBoard>(config, warnings);

  ProbeScript probe;
  if (!config.probeNode.empty()) {
    probe = ProbeScript::Hold(config.probeNode);
  } else if (!config.probeScriptFile.empty()) {
    std::optional<std::string> text = ReadTextFile(config.probeScriptFile);
    if (!text) warnings.push_back("cannot read the probe script " + config.probeScriptFile);
    probe = ProbeScript::Parse(text.value_or(""), config.probeScriptFile, warnings);
  } else if (board->IsBuiltIn()) {
    probe = ProbeScript::Parse(BuiltInProbeScriptText(), "built-in probe script", warnings);
  } else {
    probe = ProbeScript::Cycle(board->NodeNames(), config.probeHoldMs, config.probeLiftMs);
  }
  for (const std::string& node : probe.Nodes()) {
    if (!board->Find(node)) warnings.push_back("probe script: unknown node '" + node + "' (open)");
  }
  ButtonScript buttons;
  if (!config.buttonsScriptFile.empty()) {
    std::optional<std::string> text = ReadTextFile(config.buttonsScriptFile);
    if (!text) warnings.push_back("cannot read the buttons script " + config.buttonsScriptFile);
    buttons = ButtonScript::Parse(text.value_or(""), config.buttonsScriptFile, warnings);
  }

  if (config.dmmPort > 0 && !dmm_.Running()) {
    std::string warning;
    if (!dmm_.Start(config.dmmPort, config.seed,
                    [this](bool current) { return MeterReading(current); }, warning)) {
      warnings.push_back(warning);
    }
  }

  std::lock_guard<std::mutex> lock(mutex_);
  const std::string product =
      config.productText.empty() ? std::string(model.productText) : config.productText;
  std::string eepromWarning =
      eeprom_.Load(DescriptorWords(config.makerText, product, config.serialNumber),
                   config.eepromFile, FactoryCalibrationText(trim_, model));
  if (!eepromWarning.empty()) warnings.push_back(eepromWarning);
  for (const std::string& w : warnings) ReportWarning(w);

  config_ = std::move(config);
  model_ = &model;
  board_ = std::move(board);
  probe_ = std::move(probe);
  buttons_ = std::move(buttons);
  signal_ = std::make_unique<SignalPath>(trim_, model, config_.seed, config_.noiseCounts);
  // While the static output is on, the output is wired to the bench meter.
  voltmeter_ = std::make_shared<const CircuitPart>(*ParseCircuit("R10M").part);
  // A cold instrument starts from reset; a warm one keeps what the last
  // session wrote, which the program must not rely on either way.
  const bool warm = config_.warmOpen && byteUs_ > 0.0;
  if (!warm) {
    registers_.fill(0);
    byteUs_ = ByteMicroseconds(d2xx::kDefaultBaudRate);
  }
  partialRecord_.clear();
  readTimeoutMs_ = 0;
  openUs_ = NowUs();
  hostLineFreeUs_ = lastAcqEndUs_ = deviceLineFreeUs_ = openUs_;
  framesQueued_ = 0;
  requestsSeen_ = 0;
  scannerEpoch_ = staticEpoch_ = 0;
  scannerSinceUs_ = staticSinceUs_ = openUs_;
  railRandom_.seed(config_.seed ^ 0x5ca1ab1eull);
  jobs_.clear();
  rx_.clear();
  if (config_.warmOpen) QueueFrameInFlightLocked();
  stopping_ = false;
  worker_ = std::thread(&SimDevice::WorkerLoop, this);
  open_.store(true, std::memory_order_release);
  return d2xx::FT_OK;
}

void SimDevice::Close() {
  std::lock_guard<std::mutex> lifecycle(lifecycle_);
  if (!IsOpen()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    open_.store(false, std::memory_order_release);
    stopping_ = true;
  }
  workCv_.notify_all();
  dataCv_.notify_all();
  worker_.join();
  std::lock_guard<std::mutex> lock(mutex_);
  jobs_.clear();
  rx_.clear();
  signal_.reset();
}

void SimDevice::SetBaudRate(std::uint32_t baud) {
  std::lock_guard<std::mutex> lock(mutex_);
  byteUs_ = ByteMicroseconds(baud);
}

void SimDevice::SetReadTimeoutMs(std::uint32_t ms) {
  std::lock_guard<std::mutex> lock(mutex_);
  readTimeoutMs_ = ms;
}

bool SimDevice::ReadEeprom(std::uint32_t address, std::uint16_t& word) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (address >= EepromStore::kWords) return false;
  word = eeprom_.Read(static_cast<int>(address));
  return true;
}

bool SimDevice::Unplugged() {
  std::lock_guard<std::mutex> lock(mutex_);
  return config_.unplugAfterMs >= 0 && NowUs() - openUs_ >= config_.unplugAfterMs * 1000;
}

bool SimDevice::WriteEeprom(std::uint32_t address, std::uint16_t word) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (address >= EepromStore::kWords || config_.eepromWriteFails) return false;
  return eeprom_.Write(static_cast<int>(address), word);
}

std::uint32_t SimDevice::Write(const std::uint8_t* data, std::uint32_t count) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!open_.load(std::memory_order_relaxed)) return 0;
  // The host's bytes leave one after another; a record counts from the
  // moment its last byte has arrived.
  double line = static_cast<double>(std::max(hostLineFreeUs_, NowUs()));
  for (std::uint32_t i = 0; i < count; ++i) {
    line += byteUs_;
    partialRecord_.push_back(data[i]);
    if (partialRecord_.size() == kRecordBytes) {
      HandleRecordLocked(partialRecord_.data(), static_cast<std::int64_t>(std::llround(line)));
      partialRecord_.clear();
    }
  }
  hostLineFreeUs_ = static_cast<std::int64_t>(std::llround(line));
  return count;
}

void SimDevice::HandleRecordLocked(const std::uint8_t* bytes, std::int64_t arrivalUs) {
  CommandRecord record = DecodeRecord(bytes);
  if (!record.checksumOk) return;  // a damaged record is dropped
  if (!record.write) {
    QueueRequestLocked(arrivalUs);
    return;
  }
  if (record.address >= registers_.size()) return;
  std::uint32_t old = registers_[record.address];
  registers_[record.address] = record.value;
  if ((record.address == 16 || record.address == 17) && old != record.value) {
    ++scannerEpoch_;
    scannerSinceUs_ = arrivalUs;
  }
  if (record.address == 1 && ((old ^ record.value) & 0x10u) != 0) {
    ++staticEpoch_;
    staticSinceUs_ = arrivalUs;
  }
}

void SimDevice::SetContactLocked(AcquisitionJob& job) const {
  const std::uint32_t sig = registers_[16];
  if ((registers_[1] & 0x10u) != 0) {
    job.dut = voltmeter_;
    job.contactId = kContactStatic | staticEpoch_;
    job.contactSinceUs = staticSinceUs_;
  } else if (model_->scanner && sig != 0) {
    job.dut =
        board_->ScannerCircuit(static_cast<int>(std::min<std::uint32_t>(sig, 1000)),
                               static_cast<int>(std::min<std::uint32_t>(registers_[17], 1000)));
    job.contactId = kContactScanner | scannerEpoch_;
    job.contactSinceUs = scannerSinceUs_;
  } else {
    ProbeContact contact = probe_.At((job.acqStartUs - openUs_) / 1000);
    job.dut = contact.landed ? board_->Find(contact.node) : nullptr;
    job.contactId = kContactProbe | contact.landing;
    job.contactSinceUs = openUs_ + contact.sinceMs * 1000;
  }
}

void SimDevice::QueueRequestLocked(std::int64_t arrivalUs) {
  if (config_.silentAfterMs >= 0 && arrivalUs - openUs_ >= config_.silentAfterMs * 1000) return;
  ++requestsSeen_;
  if (config_.dropRequestEvery > 0 &&
      requestsSeen_ % static_cast<std::uint64_t>(config_.dropRequestEvery) == 0) {
    return;  // lost on the way: no frame answers it
  }
  if (jobs_.size() >= kMaxPendingFrames) return;
  auto job = std::make_unique<Job>();
  job->input.registers = registers_;
  GeneratorSetup setup = DecodeGeneratorSetup(registers_, *model_);
  job->input.acqStartUs = std::max(arrivalUs, lastAcqEndUs_);
  job->input.acqEndUs = job->input.acqStartUs + std::llround(setup.AcquisitionSeconds() * 1e6);
  lastAcqEndUs_ = job->input.acqEndUs;
  SetContactLocked(job->input);

  const std::uint64_t number = ++framesQueued_;  // 1 for the first frame
  job->header.word0 = static_cast<std::uint16_t>(number & 0xFFFF);
  std::uniform_real_distribution<double> jitter(-2.0, 2.0);
  job->header.railCount = static_cast<std::uint16_t>(std::clamp(
      std::lround(config_.railVolts / kRailVoltsPerCount + jitter(railRandom_)), 0L, 65535L));
  job->header.buttons = buttons_.At((job->input.acqEndUs - openUs_) / 1000);
  job->corrupt = config_.badChecksumEvery > 0 &&
                 number % static_cast<std::uint64_t>(config_.badChecksumEvery) == 0;
  job->stray = config_.strayByteAfter >= 0 &&
               number == static_cast<std::uint64_t>(config_.strayByteAfter) + 1;
  jobs_.push_back(std::move(job));
  workCv_.notify_one();
}

void SimDevice::QueueFrameInFlightLocked() {
  auto job = std::make_unique<Job>();
  job->input.registers = registers_;
  const std::size_t half = kFrameBytes / 2;
  const auto halfUs = static_cast<std::int64_t>(std::llround(half * byteUs_));
  job->txStartUs = openUs_ - halfUs;
  job->delivered = half;  // sent before anyone listened
  GeneratorSetup setup = DecodeGeneratorSetup(registers_, *model_);
  job->input.acqEndUs = job->txStartUs;
  job->input.acqStartUs =
      job->input.acqEndUs - std::llround(setup.AcquisitionSeconds() * 1e6);
  job->input.dut = nullptr;  // the probe was in the air
  job->input.contactId = kContactProbe;
  job->input.contactSinceUs = job->input.acqStartUs;
  job->header.word0 = 0;
  job->header.railCount = static_cast<std::uint16_t>(
      std::clamp(std::lround(config_.railVolts / kRailVoltsPerCount), 0L, 65535L));
  jobs_.push_back(std::move(job));
}

void SimDevice::WorkerLoop() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!stopping_) {
    Job* next = nullptr;
    for (const std::unique_ptr<Job>& job : jobs_) {
      if (!job->taken) {
        next = job.get();
        break;
      }
    }
    if (next == nullptr) {
      workCv_.wait(lock);
      continue;
    }
    next->taken = true;
    AcquisitionJob input = next->input;
    lock.unlock();
    PointSums sums = signal_->Acquire(input);
    std::vector<std::uint8_t> bytes = EncodeDataFrame(next->header, sums, next->corrupt);
    if (next->stray) bytes.insert(bytes.begin(), kStrayByte);
    lock.lock();
    next->bytes = std::move(bytes);
    next->computed = true;
    next->computedUs = NowUs();
    dataCv_.notify_all();
  }
}

void SimDevice::AdvanceLocked(std::int64_t nowUs) {
  while (!jobs_.empty()) {
    Job& job = *jobs_.front();
    if (!job.computed) return;
    if (job.txStartUs < 0) {
      job.txStartUs = std::max({job.input.acqEndUs, deviceLineFreeUs_, job.computedUs});
    }
    const std::size_t total = job.bytes.size();
    std::size_t arrived = 0;
    if (nowUs > job.txStartUs) {
      arrived = std::min(total, static_cast<std::size_t>((nowUs - job.txStartUs) / byteUs_));
    }
    for (; job.delivered < arrived; ++job.delivered) {
      if (rx_.size() < kReceiveCapacity) rx_.push_back(job.bytes[job.delivered]);
    }
    if (job.delivered < total) return;
    deviceLineFreeUs_ = job.txStartUs + static_cast<std::int64_t>(std::ceil(total * byteUs_));
    jobs_.pop_front();
  }
}

std::uint32_t SimDevice::QueuedBytes() {
  std::lock_guard<std::mutex> lock(mutex_);
  AdvanceLocked(NowUs());
  return static_cast<std::uint32_t>(rx_.size());
}

std::uint32_t SimDevice::Read(std::uint8_t* out, std::uint32_t count) {
  std::unique_lock<std::mutex> lock(mutex_);
  const std::int64_t start = NowUs();
  const std::int64_t deadline =
      readTimeoutMs_ > 0 ? start + std::int64_t{readTimeoutMs_} * 1000 : INT64_MAX;
  for (;;) {
    const std::int64_t now = NowUs();
    AdvanceLocked(now);
    if (rx_.size() >= count || jobs_.empty() || stopping_ || now >= deadline) break;
    // Sleep until the missing bytes have crossed the line; a frame still
    // being computed wakes us through dataCv_.
    std::int64_t wake = now + 5000;
    const Job& front = *jobs_.front();
    if (front.computed && front.txStartUs >= 0) {
      std::size_t upTo = std::min(front.bytes.size(), front.delivered + (count - rx_.size()));
      wake = front.txStartUs + static_cast<std::int64_t>(std::ceil(upTo * byteUs_));
    }
    dataCv_.wait_until(lock, TimePoint(std::min(wake, deadline)));
  }
  const std::uint32_t n = static_cast<std::uint32_t>(std::min<std::size_t>(count, rx_.size()));
  std::copy_n(rx_.begin(), n, out);
  rx_.erase(rx_.begin(), rx_.begin() + n);
  return n;
}

double SimDevice::MeterReading(bool current) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!open_.load(std::memory_order_relaxed) || model_ == nullptr) return 0.0;
  const GeneratorSetup setup = DecodeGeneratorSetup(registers_, *model_);
  const int code = setup.staticOutput ? setup.staticCode : setup.offsetCode;
  const double volts = trim_.DacVolts(code, setup.highRange);
  const double sourceOhms = trim_.SourceOhms(setup.nominalOhms);
  constexpr double kMeterOhms = 10e6;
  if (current) return volts / sourceOhms;
  return volts * kMeterOhms / (kMeterOhms + sourceOhms);
}

void SimDevice::PurgeReceive() {
  std::lock_guard<std::mutex> lock(mutex_);
  AdvanceLocked(NowUs());
  rx_.clear();
}

}  // namespace vanto::sim
