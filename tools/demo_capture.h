// Settled signatures from an instrument through the program's own link
// code, for building and checking the demo plan. Everything runs on the
// calling thread the way the calibration window drives the link: the
// generator step sends the settings, one frame request goes out after each
// frame arrives, and every frame becomes the live signature and is
// classified exactly as in the main loop. Requests follow frames instead of
// the acquisition thread's 250 ms pace, so a record settles in well under a
// second.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "foundation/messages.h"
#include "foundation/settings.h"
#include "foundation/system_clock.h"
#include "link/link_state.h"
#include "signature/signature_analysis.h"

namespace vanto::demo {

struct CaptureRequest {
  int millivolts = 1000;
  int ohms = 1000;
  int hertz = 50;
  int scanSig = 0;  // scanner channel of the signal lead, 0: the probe
};

class CaptureSession {
 public:
  // `model` is the model the link accepts (it must match the instrument's
  // product text); `d2xxPath` the D2XX library to load.
  CaptureSession(std::string model, std::string d2xxPath);
  ~CaptureSession();
  CaptureSession(const CaptureSession&) = delete;
  CaptureSession& operator=(const CaptureSession&) = delete;

  // ORX_StartConnection; false when the link did not open (see Errors).
  bool Connect();
  void Disconnect();

  // Applies the request and waits until the live signature has been judged
  // Stable (or OpenCircuit, for an unconnected pin) on `settledFrames`
  // frames in a row. Nothing after `timeoutMs` or when the link closes.
  std::optional<Signature> CaptureSettled(const CaptureRequest& request, int settledFrames,
                                          int timeoutMs);

  // The generator as applied for the last capture (StoreLiveSignature
  // records these settings with the signature).
  const GeneratorSettings& Generator() const { return state_.generator; }
  // Every message the link showed, "title: body".
  const std::vector<std::string>& Errors() const { return boxes_.texts; }

 private:
  struct Boxes final : MessageBoxes {
    void Show(BoxIcon, const std::string& title, const std::string& body) override {
      texts.push_back(title + ": " + body);
    }
    std::vector<std::string> texts;
  };

  SystemClock clock_;
  Boxes boxes_;
  Messages messages_{clock_, boxes_};
  std::string model_;
  Settings settings_;
  SignatureAnalysis analysis_;
  LinkState state_;
  InstrumentLink link_{state_, messages_, clock_, analysis_.liveSignature, model_, {}};
  int pendingFrames_ = 0;  // requests sent whose frames have not come yet
};

}  // namespace vanto::demo
