// The window system's open and save file requesters, as the core uses them.
// The program gets a Qt implementation; tests answer with a recording fake.
#pragma once

#include <string>

namespace vanto {

struct FileRequest {
  std::string title;
  // The name the requester starts with: a file name, a pattern ("*.ept") or
  // a folder and pattern ("\images\*.jpg"); "\" may separate folders.
  std::string initialName;
  // Descriptions and patterns alternating, separated by "|":
  // "Test (*.ept)|*.ept|All files (*.*)|*.*". Several patterns of one
  // description are separated by ";". Passed on as the caller wrote it.
  std::string filterList;
  int selectedFilter = 0;  // 0 is the first description
};

// Modal requesters; main thread only. Each returns the chosen file's path,
// or empty text when the user cancelled.
class FileRequester {
 public:
  virtual ~FileRequester() = default;
  virtual std::string OpenFile(const FileRequest& request) = 0;
  virtual std::string SaveFile(const FileRequest& request) = 0;
};

}  // namespace vanto
