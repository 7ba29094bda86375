#include "demo_capture.h"

#include "link/command_writer.h"
#include "link/connection.h"
#include "link/frame_processing.h"
#include "link/frame_reader.h"
#include "link/generator_apply.h"
#include "signature/classification.h"
#include "link/generator_full_scale.h"

namespace vanto::demo {
namespace {

// A request whose frame has not come after this long is taken as lost.
constexpr int kLostRequestMs = 1000;

}  // namespace

CaptureSession::CaptureSession(std::string model, std::string d2xxPath) : model_(std::move(model)) {
  state_.d2xxPath = std::move(d2xxPath);
}

CaptureSession::~CaptureSession() {
  Disconnect();
}

bool CaptureSession::Connect() {
  ORX_StartConnection(link_);
  pendingFrames_ = 0;
  return state_.usb.connected.load() == 1;
}

void CaptureSession::Disconnect() {
  if (state_.usb.connected.load() == 1) ORX_StopConnection(link_);
}

std::optional<Signature> CaptureSession::CaptureSettled(const CaptureRequest& request,
                                                        int settledFrames, int timeoutMs) {
  GeneratorSettings& generator = state_.generator;
  generator.requestedMv = static_cast<float>(request.millivolts);
  generator.requestedOhms = static_cast<float>(request.ohms);
  generator.requestedHz = static_cast<float>(request.hertz);
  generator.scanSig = request.scanSig;
  generator.scanCom = 0;
  GeneratorStep(link_);

  // A frame requested before the settings went out was taken with the old
  // ones: let it pass unjudged.
  int staleFrames = pendingFrames_;
  analysis_.referenceSignature = Signature{};
  analysis_.stableCycleCount = 0;
  analysis_.signatureState = SignatureState::OpenCircuit;
  int openFrames = 0;

  const std::int64_t deadline = clock_.MonotonicMs() + timeoutMs;
  std::int64_t requestedAt = 0;
  while (clock_.MonotonicMs() < deadline) {
    if (state_.usb.connected.load() != 1) return std::nullopt;
    const std::int64_t now = clock_.MonotonicMs();
    if (pendingFrames_ == 0 || now - requestedAt > kLostRequestMs) {
      if (pendingFrames_ > 0) {
        pendingFrames_ = 0;  // lost; start again
        staleFrames = 0;
      }
      SendFrameRequest(link_, 0);
      ++pendingFrames_;
      requestedAt = now;
    }
    ReadDataFrames(link_);
    if (!ProcessFrame(link_)) {
      clock_.SleepMs(1);
      continue;
    }
    if (pendingFrames_ > 0) --pendingFrames_;
    if (staleFrames > 0) {
      --staleFrames;
      continue;
    }
    const SignatureState judged = ClassifySignature(analysis_, GeneratorFullScale(generator), settings_);
    openFrames = judged == SignatureState::OpenCircuit ? openFrames + 1 : 0;
    const bool settled =
        judged == SignatureState::Stable && analysis_.stableCycleCount >= settledFrames;
    if (settled || openFrames >= settledFrames) return analysis_.liveSignature;
  }
  return std::nullopt;
}

}  // namespace vanto::demo
