// The HTTP edge over libcurl: plain "http" only, no redirects, the time and
// size limits enforced while the answer arrives.
#pragma once

#include "app/http_download.h"

namespace vanto {

class CurlHttpDownloader final : public HttpDownloader {
 public:
  std::optional<std::string> Fetch(const std::string& url, const DownloadLimits& limits) override;
};

}  // namespace vanto
