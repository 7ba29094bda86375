// Opening a web page in the desktop's default browser. The window layer
// does it for real; tests record the address.
#pragma once

#include <string>

namespace vanto {

class BrowserOpener {
 public:
  virtual ~BrowserOpener() = default;
  virtual void Open(const std::string& url) = 0;
};

}  // namespace vanto
