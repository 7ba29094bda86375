// The open and save file requesters through QFileDialog. Main thread only.
#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>

#include "foundation/file_requester.h"

class QWidget;

namespace vanto {

// The dialog's object name, so a test can find the open requester.
inline constexpr const char* kFileRequesterObjectName = "fileRequester";

class QtFileRequester final : public FileRequester {
 public:
  // `parent` (may be null) is the window the requester is modal to; it must
  // outlive this object.
  explicit QtFileRequester(QWidget* parent = nullptr) : parent_(parent) {}

  std::string OpenFile(const FileRequest& request) override;
  std::string SaveFile(const FileRequest& request) override;

 private:
  std::string Run(const FileRequest& request, bool save);

  QWidget* parent_;
};

// A "Description|pattern|..." list as Qt name filters. Qt takes a filter's
// patterns from the parentheses at the end of its text, so a description
// that ends in them ("Test (*.ept)") is shown as it is; any other gets its
// patterns appended. A description without a pattern is kept alone.
QStringList RequesterNameFilters(std::string_view filterList);

// Where a requester opens: the folder of the initial name and the file to
// preselect. "\" separates folders as well as "/". A folder that does not
// exist is looked for inside the working folder ("\images" is the
// program's images folder), else the working folder is used. A pattern
// ("*.jpg") preselects no file: the filter does its work.
struct RequesterStart {
  QString folder;
  QString fileName;
};
RequesterStart ResolveRequesterStart(std::string_view initialName, const QString& workingFolder);

}  // namespace vanto
