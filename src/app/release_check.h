// The daily release check: fetch the maker's version file, compare the
// release line the user follows with the running version and offer the
// download page. Start-up decides whether it is due (ReleaseCheckDue).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/app_context.h"
#include "app/browser_opener.h"
#include "app/http_download.h"
#include "app/version_file.h"
#include "foundation/question_box.h"

namespace vanto {

// The release server's base address comes from this environment variable.
// Without it the program uses a host under the reserved ".invalid" domain,
// so an installation that was never configured sends nothing anywhere.
inline constexpr const char* kReleaseServerVariable = "ORX_RELEASE_SERVER";
inline constexpr const char* kDefaultReleaseServer = "http://releases.vanto.invalid/";
inline constexpr const char* kDownloadAnswerFileName = "zversion.txt";
inline constexpr const char* kReleaseQuestionTitle = "Info #0001";

// The configured base address (the variable's value, or the default when it
// is unset or empty), always ending in "/".
std::string ReleaseServerAddress(const char* configured);

// False when the address has no host or its host lies under ".invalid":
// such a host resolves nowhere, so nothing is sent at all.
bool ReleaseServerUsable(std::string_view address);

// The number of the model's download link, "?smd_process_download=1&
// download_id=" + number on the server; ORXCB has none. Our own catalogue:
//   ORXA 101, ORXAP 102, ORXB 103, ORXC 104, ORXD 105.
std::optional<int> DownloadLinkNumber(std::string_view model);

// The five lines of the "Info #0001" question, separated by LF.
std::string ReleaseQuestionText(float current, const PublishedVersions& published);

struct ReleaseCheckEdges {
  HttpDownloader& http;
  QuestionBoxes& questions;
  BrowserOpener& browser;
};

// Downloads "ORX_version.txt" from "wp-content/" on the server into the
// working folder (a failed, partial or oversized download leaves the old
// copy as it was and ends the check silently), reads the active model's
// versions, and when the followed line ("OnlyLTSCheck" 1: LTS, else the
// test line) is newer than the running version by more than 0.0005, asks;
// Yes opens the server's "software" page. Both requests together stay
// within one download's time limit.
void CheckForRelease(AppContext& context, const std::string& serverAddress,
                     ReleaseCheckEdges edges);

}  // namespace vanto
