#include "app/release_check.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "foundation/file_paths.h"
#include "foundation/number_text.h"
#include "foundation/text_lines.h"

namespace vanto {

namespace {

constexpr float kNewerMargin = 0.0005f;
constexpr const char* kVersionFolder = "wp-content/";
constexpr const char* kSoftwarePage = "software";
constexpr const char* kDownloadLinkQuery = "?smd_process_download=1&download_id=";

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

std::string_view HostOf(std::string_view address) {
  const std::size_t scheme = address.find("://");
  if (scheme != std::string_view::npos) address.remove_prefix(scheme + 3);
  const std::size_t end = address.find_first_of("/?#");
  if (end != std::string_view::npos) address = address.substr(0, end);
  const std::size_t user = address.rfind('@');
  if (user != std::string_view::npos) address.remove_prefix(user + 1);
  return address.substr(0, address.find(':'));
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// The second request gets what is left of the first one's total limit.
DownloadLimits RemainingLimits(const DownloadLimits& full, std::int64_t startMs,
                               std::int64_t nowMs) {
  DownloadLimits left = full;
  const std::int64_t remaining = full.totalTimeoutMs - (nowMs - startMs);
  left.totalTimeoutMs = static_cast<int>(std::max<std::int64_t>(remaining, 0));
  left.connectTimeoutMs = std::min(left.connectTimeoutMs, left.totalTimeoutMs);
  return left;
}

// The download counter's answer is kept but never used; failures are fine.
void RequestDownloadLink(const std::string& serverAddress, std::string_view model,
                         HttpDownloader& http, const DownloadLimits& limits) {
  const std::optional<int> number = DownloadLinkNumber(model);
  if (!number || limits.totalTimeoutMs <= 0) return;
  const std::optional<std::string> answer =
      http.Fetch(serverAddress + kDownloadLinkQuery + std::to_string(*number), limits);
  if (answer && answer->size() <= limits.maxBytes)
    ReplaceFileAtomically(kDownloadAnswerFileName, *answer);
}

}  // namespace

std::string ReleaseServerAddress(const char* configured) {
  std::string address =
      (configured != nullptr && *configured != '\0') ? configured : kDefaultReleaseServer;
  if (address.back() != '/') address += '/';
  return address;
}

bool ReleaseServerUsable(std::string_view address) {
  std::string host = LowerCase(HostOf(address));
  while (!host.empty() && host.back() == '.') host.pop_back();
  return !host.empty() && host != "invalid" && !EndsWith(host, ".invalid");
}

std::optional<int> DownloadLinkNumber(std::string_view model) {
  if (model == "ORXA") return 101;
  if (model == "ORXAP") return 102;
  if (model == "ORXB") return 103;
  if (model == "ORXC") return 104;
  if (model == "ORXD") return 105;
  return std::nullopt;
}

std::string ReleaseQuestionText(float current, const PublishedVersions& published) {
  return "Current version: V" + FormatFixed(current, 3) + "\n" +
         "Latest version (LTS): V" + FormatFixed(published.lts, 3) + "\n" +
         "Latest version (Beta): V" + FormatFixed(published.test, 3) + "\n" + "\n" +
         "Click YES to goto download website or NO to continue.";
}

void CheckForRelease(AppContext& context, const std::string& serverAddress,
                     ReleaseCheckEdges edges) {
  if (!ReleaseServerUsable(serverAddress)) return;
  const DownloadLimits limits;
  const std::int64_t startMs = context.clock.MonotonicMs();
  const std::optional<std::string> file =
      edges.http.Fetch(serverAddress + kVersionFolder + kVersionFileName, limits);
  // The temporary name and the rename keep a good old copy whole.
  if (!file || file->size() > limits.maxBytes) return;
  ReplaceFileAtomically(kVersionFileName, *file);

  const std::string& model = context.app.activeModel;
  PublishedVersions published;
  std::string local;
  if (ReadWholeFile(kVersionFileName, local)) published = ReadPublishedVersions(local, model);

  RequestDownloadLink(serverAddress, model, edges.http,
                      RemainingLimits(limits, startMs, context.clock.MonotonicMs()));

  const float compared = context.settings.onlyLtsCheck == 1 ? published.lts : published.test;
  if (!(compared > kAppVersion + kNewerMargin)) return;
  const std::string question = ReleaseQuestionText(kAppVersion, published);
  if (edges.questions.AskYesNoInformation(kReleaseQuestionTitle, question))
    edges.browser.Open(serverAddress + kSoftwarePage);
}

}  // namespace vanto
