// The JPEG decoder on any bytes: a picture of the size it claims, or an error.
#include "fuzz/fuzz_support.h"
#include "fuzz/picture_check.h"
#include "image/jpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vanto::fuzz::CheckPicture(vanto::DecodeJpeg({data, size}));
  return 0;
}
