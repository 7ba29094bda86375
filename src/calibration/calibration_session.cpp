#include "calibration/calibration_session.h"

#include <cstdio>

#include "calibration/calibration_messages.h"
#include "calibration/calibration_sequence.h"
#include "calibration/dmm_ranges.h"
#include "foundation/file_paths.h"
#include "foundation/message_texts.h"
#include "foundation/number_text.h"
#include "foundation/settings_store.h"
#include "link/acquisition_control.h"
#include "link/calibration_storage.h"
#include "link/command_writer.h"
#include "link/connection.h"
#include "link/frame_reader.h"
#include "link/frame_store.h"
#include "link/instrument_models.h"

namespace vanto {
namespace {

constexpr std::array<const char*, kCalibrationLevelCount> kCodeKeys = {
    "DAC@10V", "DAC@1V", "DAC@0V", "DAC@-1V", "DAC@-10V", "DCBIAS@10V", "DCBIAS@-10V"};

bool IsBiasLevel(CalibrationLevel level) {
  return level == CalibrationLevel::BiasPlus10 || level == CalibrationLevel::BiasMinus10;
}

int LevelIndex(CalibrationLevel level) {
  return static_cast<int>(level);
}

std::string ReadWholeFile(const std::string& fileName) {
  std::string text;
  if (std::FILE* file = OpenRegularFileForReading(fileName)) {
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof(buffer), file)) > 0) text.append(buffer, n);
    std::fclose(file);
  }
  return text;
}

std::string& BiasField(CalibrationSession& session, CalibrationLevel level) {
  return session.fields.record.dcBias[level == CalibrationLevel::BiasPlus10 ? 0 : 1];
}

// Registers of one static output level: a 100 Hz frame of 64 points, 10
// samples per point, 8 cycles, scanner off; register 1 written whole.
void SetOutput(CalibrationSession& session, CalibrationLevel level) {
  RegisterImage& r = session.link.state.registers;
  const bool high = level == CalibrationLevel::Plus10 || level == CalibrationLevel::Minus10 ||
                    IsBiasLevel(level);
  r[kControlRegister] = high ? 0x30 : 0x10;
  CalibrationLevel dacLevel = level;
  if (level == CalibrationLevel::BiasPlus10) dacLevel = CalibrationLevel::Plus10;
  if (level == CalibrationLevel::BiasMinus10) dacLevel = CalibrationLevel::Minus10;
  r[kStaticLevelRegister] = CodeOf(session, dacLevel);
  if (IsBiasLevel(level)) {
    const std::int32_t plus = CodeOf(session, CalibrationLevel::BiasPlus10);
    const std::int32_t minus = CodeOf(session, CalibrationLevel::BiasMinus10);
    r[kDcCodeRegister] = CodeOf(session, level);
    r[kDcZeroRegister] = (static_cast<std::int64_t>(plus) - minus) / 2;  // toward zero
    r[kDcModeRegister] = 2;                                               // "DC"
  }
  r[kPeakMvRegister] = 1000;
  r[kOhmsRegister] = 100;
  r[kPointCountRegister] = 64;
  r[kSamplesPerPointRegister] = 10;
  r[kCyclesPerFrameRegister] = 8;
  r[kFrequencyRegister] = 100;
  r[kScanSigRegister] = 0;
  r[kScanComRegister] = 0;
  WriteRegisters(session.link, 0, kRegisterCount);
  if (IsBiasLevel(level)) {
    BiasField(session, level) = std::to_string(r[kDcCodeRegister]);
  } else {
    session.fields.liveDac = std::to_string(r[kStaticLevelRegister]);
  }
}

void Adjust(CalibrationSession& session, CalibrationLevel level, int button) {
  if (button < 0 || button >= static_cast<int>(kAdjustSteps.size())) return;
  std::int32_t& code = CodeOf(session, level);
  code += kAdjustSteps[static_cast<std::size_t>(button)];
  const int address = IsBiasLevel(level) ? kDcCodeRegister : kStaticLevelRegister;
  session.link.state.registers[address] = code;
  WriteRegisters(session.link, address, 1);
  if (IsBiasLevel(level)) {
    BiasField(session, level) = std::to_string(code);
  } else {
    session.fields.liveDac = std::to_string(code);
  }
}

void Calibrate(CalibrationSession& session, CalibrationLevel level) {
  CalibrationFieldTexts& f = session.fields.record;
  const std::string code = std::to_string(CodeOf(session, level));
  const std::string a0 = std::to_string(session.adc0Average);
  const std::string a1 = std::to_string(session.adc1Average);
  switch (level) {
    case CalibrationLevel::Plus10: f.dac[0] = code; f.adc0[0] = a0; f.adc1[0] = a1; break;
    case CalibrationLevel::Plus1: f.dac[1] = code; break;
    case CalibrationLevel::Zero: f.dac[2] = code; f.adc0[1] = a0; f.adc1[1] = a1; break;
    case CalibrationLevel::Minus1: f.dac[3] = code; break;
    case CalibrationLevel::Minus10: f.dac[4] = code; f.adc0[2] = a0; f.adc1[2] = a1; break;
    case CalibrationLevel::BiasPlus10: f.dcBias[0] = code; break;
    case CalibrationLevel::BiasMinus10: f.dcBias[1] = code; break;
  }
}

// The fields into "ORX_cal.txt" (replaced whole, so a failed write keeps
// the old file), then the file into the EEPROM; a copy that fails puts the
// previous record back.
void Store(CalibrationSession& session) {
  InstrumentLink& link = session.link;
  session.stored = false;
  const std::string dateLine = CalibrationDateLine(link.clock.LocalTime());
  const std::string text = CalibrationRecordText(dateLine, session.fields.record,
                                                 link.state.generator.resistorOhms, session.dcBias);
  if (!ReplaceFileAtomically(kCalibrationFileName, text)) {
    link.messages.ShowMessage(text::kCalibrationFileNotWritten);
    return;
  }
  session.state.lastCalibrationTime = dateLine;
  if (!WriteFileToEeprom(link, kCalibrationFileName)) {
    if (ReplaceFileAtomically(kCalibrationFileName, session.previousRecord) &&
        link.state.usb.connected.load() == 1) {
      WriteFileToEeprom(link, kCalibrationFileName);
    }
    link.messages.ShowMessage(text::kCalibrationNotStored);
    return;
  }
  session.previousRecord = text;
  session.stored = true;
}

void Measure(CalibrationSession& session, int range) {
  if (range < 0 || range >= kDmmRangeCount) return;
  session.rangeIndex = range;
  DmmMeasure(session.state.dmm, session.link.messages, session.link.clock,
             DmmRanges()[static_cast<std::size_t>(range)].text);
  session.readingText = FormatFloat(session.state.dmm.measuredValue);
}

void Connect(CalibrationSession& session) {
  if (session.state.network) {
    DmmConnect(session.state.dmm, *session.state.network, session.link.messages,
               session.dmmAddress);
  } else {
    session.link.messages.Boxes().Show(BoxIcon::Error, kDmmBoxTitle, kDmmCannotConnect);
  }
}

void StoreResult(CalibrationSession& session, CalibrationLevel level) {
  const int i = LevelIndex(level);
  if (i >= 5) return;
  session.sequence.readings[static_cast<std::size_t>(i)] = session.state.dmm.measuredValue;
  session.sequence.codes[static_cast<std::size_t>(i)] = CodeOf(session, level);
}

}  // namespace

CalibrationSession::CalibrationSession(InstrumentLink linkIn, CalibrationState& stateIn,
                                       SoundOutput* soundIn, bool soundLoadedIn)
    : link(linkIn), state(stateIn), sound(soundIn), soundLoaded(soundLoadedIn) {
  const InstrumentModelInfo* model = FindInstrumentModel(link.activeModel);
  dcBias = model != nullptr && model->dcGenerator;
  for (std::string& f : fields.record.dac) f = kEmptyField;
  for (std::string& f : fields.record.adc0) f = kEmptyField;
  for (std::string& f : fields.record.adc1) f = kEmptyField;
  for (std::string& f : fields.record.dcBias) f = kEmptyField;
  dmmAddress = state.dmmAddress;
  sequence.statusField = "0" + SequenceStepText(0, 0);
}

std::int32_t& CodeOf(CalibrationSession& session, CalibrationLevel level) {
  return session.codes[static_cast<std::size_t>(LevelIndex(level))];
}

bool OpenCalibrationSession(CalibrationSession& session) {
  InstrumentLink& link = session.link;
  if (link.state.usb.connected.load() != 1) {
    link.messages.ShowMessage(text::kNoUsbRetry);
    return false;
  }
  DumpEepromToFile(link, kCalibrationFileName);
  session.previousRecord = ReadWholeFile(kCalibrationFileName);
  for (int i = 0; i < kCalibrationLevelCount; ++i) {
    session.codes[static_cast<std::size_t>(i)] =
        ParseInt(ReadSetting(kCalibrationFileName, kCodeKeys[static_cast<std::size_t>(i)]));
  }
  return true;
}

void PressCalibrationAction(CalibrationSession& session, const CalibrationAction& action) {
  switch (action.kind) {
    case CalibrationActionKind::None: break;
    case CalibrationActionKind::SetOutput: SetOutput(session, action.level); break;
    case CalibrationActionKind::Adjust: Adjust(session, action.level, action.adjust); break;
    case CalibrationActionKind::Calibrate: Calibrate(session, action.level); break;
    case CalibrationActionKind::LoadDefaults: session.codes = kDefaultCalibrationCodes; break;
    case CalibrationActionKind::Store: Store(session); break;
    case CalibrationActionKind::Connect: Connect(session); break;
    case CalibrationActionKind::Measure: Measure(session, session.rangeIndex); break;
    case CalibrationActionKind::Go:
      PressGo(session.sequence, session.state.dmm.connection != nullptr,
              session.link.clock.MonotonicMs());
      break;
    case CalibrationActionKind::StoreResult: StoreResult(session, action.level); break;
    case CalibrationActionKind::CalculateValues: CalculateValues(session); break;
    case CalibrationActionKind::ZeroPass: ZeroPass(session); break;
    case CalibrationActionKind::MeasureRange: Measure(session, action.range); break;
  }
}

std::int32_t LiveAdcAverage(const std::array<std::int32_t, 129>& raw) {
  std::int64_t sum = 0;
  for (int k = 1; k <= 64; ++k) sum += raw[static_cast<std::size_t>(k)] / kCalibrationFrameDivisor;
  return static_cast<std::int32_t>(sum / 64);
}

void UpdateLiveAverages(CalibrationSession& session) {
  InstrumentLink& link = session.link;
  if (link.state.usb.connected.load() == 1) {
    AcquisitionPause pause(link.state.acquisition);
    PaceFrameRequest(link, kFrameRequestIntervalMs);
    ReadDataFrames(link);
  }
  DecodedFrame frame;
  if (!TakeReadyFrame(link.state.frames, frame)) return;
  session.adc0Average = LiveAdcAverage(frame.rawAdc0);
  session.adc1Average = LiveAdcAverage(frame.rawAdc1);
  session.fields.adc0Live = std::to_string(session.adc0Average);
  session.fields.adc1Live = std::to_string(session.adc1Average);
}

void RunCalibrationPass(CalibrationSession& session, CalibrationAction operatorPress) {
  CalibrationAction press = operatorPress;
  CalibrationSequenceStep(session, session.link.clock.MonotonicMs(), press);
  PressCalibrationAction(session, press);
  UpdateLiveAverages(session);
}

void CloseCalibrationSession(CalibrationSession& session) {
  session.sequence.step = 0;
  session.link.state.registers[kControlRegister] &= ~kControlStaticOutputBit;
  // A link that already fell silent is closed: no "not running" error then.
  if (session.link.state.usb.connected.load() == 1) ORX_StopConnection(session.link);
}

}  // namespace vanto
