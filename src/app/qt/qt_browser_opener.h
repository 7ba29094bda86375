// Web pages in the desktop's default browser, through QDesktopServices.
#pragma once

#include "app/browser_opener.h"

namespace vanto {

class QtBrowserOpener final : public BrowserOpener {
 public:
  void Open(const std::string& url) override;
};

}  // namespace vanto
