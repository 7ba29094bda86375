// A file requester that records every request and answers from a queue of
// prepared names; an empty queue answers as a cancelled requester.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "foundation/file_requester.h"

namespace vanto::testing {

struct RecordedRequest {
  bool save = false;
  FileRequest request;
};

class RecordingFileRequester final : public FileRequester {
 public:
  std::string OpenFile(const FileRequest& request) override { return Answer(false, request); }
  std::string SaveFile(const FileRequest& request) override { return Answer(true, request); }

  std::deque<std::string> answers;  // "" stands for Cancel
  std::vector<RecordedRequest> requests;

 private:
  std::string Answer(bool save, const FileRequest& request) {
    requests.push_back({save, request});
    if (answers.empty()) return {};
    std::string name = answers.front();
    answers.pop_front();
    return name;
  }
};

}  // namespace vanto::testing
