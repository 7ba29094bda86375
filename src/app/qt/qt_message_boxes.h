// Message boxes through QMessageBox. A call from another thread is handed
// to the main thread and does not wait, so the acquisition thread never
// blocks on a box the user has not closed yet.
#pragma once

#include "foundation/platform.h"

namespace vanto {

class QtMessageBoxes final : public MessageBoxes {
 public:
  void Show(BoxIcon icon, const std::string& title, const std::string& body) override;
};

// The crash report box: title "OnError Handler", OK, no icon.
void ShowCrashReportBox(const std::string& report);

}  // namespace vanto
