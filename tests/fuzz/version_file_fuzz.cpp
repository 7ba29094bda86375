// The version-file parser on any text, for every model name.
#include <cmath>
#include <cstdlib>

#include "app/version_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vanto;
  std::string_view text = fuzz::AsText(data, size);
  for (const char* model : {"ORXA", "ORXAP", "ORXB", "ORXC", "ORXCB", ""}) {
    const PublishedVersions versions = ReadPublishedVersions(text, model);
    if (!std::isfinite(versions.lts) || !std::isfinite(versions.test)) std::abort();
  }
  // The first line as the model name, the rest as the file.
  std::string_view rest = text;
  const std::string_view model = fuzz::TakeLine(rest);
  const PublishedVersions versions = ReadPublishedVersions(rest, model);
  if (!std::isfinite(versions.lts) || !std::isfinite(versions.test)) std::abort();
  return 0;
}
