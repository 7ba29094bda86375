// The release check's edge to the web: one plain HTTP GET into memory. The
// program uses libcurl (curl_http_download.h); tests use a script or a
// server on the loopback address.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace vanto {

struct DownloadLimits {
  int connectTimeoutMs = 5000;
  int totalTimeoutMs = 10000;
  std::size_t maxBytes = 64 * 1024;
};

class HttpDownloader {
 public:
  virtual ~HttpDownloader() = default;
  // The complete body of a successful answer; nothing on any failure: no
  // connection, an error status, a time limit reached, a body cut short or
  // one larger than `limits.maxBytes`.
  virtual std::optional<std::string> Fetch(const std::string& url,
                                           const DownloadLimits& limits) = 0;
};

}  // namespace vanto
