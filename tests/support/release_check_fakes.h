// Recording stand-ins for the release check's edges: the question box and
// the browser; the HTTP edge is scripted per address.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/browser_opener.h"
#include "app/http_download.h"
#include "foundation/question_box.h"

namespace vanto::testing {

struct AskedQuestion {
  std::string title;
  std::string text;
  bool information = false;
};

class RecordingQuestions final : public QuestionBoxes {
 public:
  bool AskYesNo(const std::string& title, const std::string& text) override {
    asked.push_back({title, text, false});
    return answer;
  }
  bool AskYesNoInformation(const std::string& title, const std::string& text) override {
    asked.push_back({title, text, true});
    return answer;
  }
  bool answer = false;
  std::vector<AskedQuestion> asked;
};

class RecordingBrowser final : public BrowserOpener {
 public:
  void Open(const std::string& url) override { opened.push_back(url); }
  std::vector<std::string> opened;
};

class ScriptedHttp final : public HttpDownloader {
 public:
  std::optional<std::string> Fetch(const std::string& url, const DownloadLimits& limits) override {
    requested.push_back(url);
    lastLimits = limits;
    const auto found = bodies.find(url);
    if (found == bodies.end()) return std::nullopt;
    return found->second;
  }
  std::map<std::string, std::string> bodies;
  std::vector<std::string> requested;
  DownloadLimits lastLimits;
};

}  // namespace vanto::testing
