#include "app/curl_http_download.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace vanto {

namespace {

struct Body {
  std::string bytes;
  std::size_t maxBytes = 0;
};

std::size_t Append(char* data, std::size_t size, std::size_t count, void* user) {
  Body& body = *static_cast<Body*>(user);
  const std::size_t length = size * count;
  // Returning less than was given makes curl abort the transfer.
  if (body.bytes.size() + length > body.maxBytes) return 0;
  body.bytes.append(data, length);
  return length;
}

void InitialiseNetworkOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

std::optional<std::string> CurlHttpDownloader::Fetch(const std::string& url,
                                                     const DownloadLimits& limits) {
  InitialiseNetworkOnce();
  std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
  if (!curl) return std::nullopt;
  Body body;
  body.maxBytes = limits.maxBytes;
  CURL* handle = curl.get();
  curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http");
  curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 0L);
  // No signals: the name lookup's time-out must not need SIGALRM.
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connectTimeoutMs));
  curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.totalTimeoutMs));
  curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
  // The loopback address is never sent through a proxy of the desktop.
  curl_easy_setopt(handle, CURLOPT_NOPROXY, "localhost,127.0.0.0/8,::1");
  curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, Append);
  curl_easy_setopt(handle, CURLOPT_WRITEDATA, &body);
  // A body shorter than its Content-Length ends in CURLE_PARTIAL_FILE.
  if (curl_easy_perform(handle) != CURLE_OK) return std::nullopt;
  long status = 0;
  curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
  if (status < 200 || status > 299) return std::nullopt;
  return body.bytes;
}

}  // namespace vanto
