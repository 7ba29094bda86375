// A scripted bench multimeter on the fake clock: it records every command
// sent, and answers each "READ?" with the next scripted reply, whose parts
// become readable at their own times after the question.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "calibration/dmm_network.h"
#include "support/fakes.h"

namespace vanto::testing {

struct ReplyPart {
  int afterMs = 0;  // after "READ?" was sent
  std::string bytes;
};
using ScriptedReply = std::vector<ReplyPart>;

struct FakeDmmScript {
  explicit FakeDmmScript(FakeClock& clockIn) : clock(clockIn) {}
  FakeClock& clock;
  std::vector<std::string> sent;
  std::deque<ScriptedReply> replies;  // one per READ?; none: silence
  // With no scripted reply left, every READ? gets this one (if not empty).
  std::string steadyReply;
  struct Pending {
    std::int64_t atMs;
    std::string bytes;
  };
  std::deque<Pending> pending;
  bool closedByPeer = false;
};

class FakeDmmConnection final : public DmmConnection {
 public:
  explicit FakeDmmConnection(std::shared_ptr<FakeDmmScript> script) : s_(std::move(script)) {}
  void Send(std::string_view bytes) override {
    s_->sent.emplace_back(bytes);
    if (bytes != "READ?\n") return;
    ScriptedReply reply;
    if (!s_->replies.empty()) {
      reply = s_->replies.front();
      s_->replies.pop_front();
    } else if (!s_->steadyReply.empty()) {
      reply = {{0, s_->steadyReply}};
    }
    for (const ReplyPart& part : reply) s_->pending.push_back({s_->clock.nowMs + part.afterMs, part.bytes});
  }
  bool DataWaiting() override {
    return s_->closedByPeer || (!s_->pending.empty() && s_->pending.front().atMs <= s_->clock.nowMs);
  }
  std::string Receive(std::size_t maxBytes) override {
    if (s_->pending.empty() || s_->pending.front().atMs > s_->clock.nowMs) return {};
    std::string bytes = s_->pending.front().bytes.substr(0, maxBytes);
    s_->pending.pop_front();
    return bytes;
  }

 private:
  std::shared_ptr<FakeDmmScript> s_;
};

class FakeDmmNetwork final : public DmmNetwork {
 public:
  explicit FakeDmmNetwork(FakeClock& clock) : script(std::make_shared<FakeDmmScript>(clock)) {}
  std::unique_ptr<DmmConnection> Open(const std::string& host, int port, int timeoutMs) override {
    opened.push_back(host + ":" + std::to_string(port) + "/" + std::to_string(timeoutMs));
    if (refuse) return nullptr;
    return std::make_unique<FakeDmmConnection>(script);
  }
  std::shared_ptr<FakeDmmScript> script;
  std::vector<std::string> opened;
  bool refuse = false;
};

}  // namespace vanto::testing
