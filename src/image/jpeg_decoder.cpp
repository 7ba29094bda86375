// TurboJPEG keeps its error state in the handle, so every call is checked
// and a fatal error is told apart from a warning.
#include "image/jpeg_decoder.h"

#include <turbojpeg.h>

#include <string>
#include <vector>

#include "image/picture_limits.h"
#include "image/pixel_memory.h"

namespace vanto {

namespace {

// The fast inverse DCT is visibly as good for photographs and much quicker;
// the scan limit stops a progressive file with endless scans from taking
// unbounded time.
constexpr int kDecodeFlags = TJFLAG_FASTDCT | TJFLAG_LIMITSCANS;

class TurboHandle {
 public:
  TurboHandle() : handle_(tjInitDecompress()) {}
  ~TurboHandle() {
    if (handle_ != nullptr) tjDestroy(handle_);
  }
  TurboHandle(const TurboHandle&) = delete;
  TurboHandle& operator=(const TurboHandle&) = delete;
  tjhandle get() const { return handle_; }

 private:
  tjhandle handle_;
};

PictureResult Corrupt(tjhandle handle) {
  return PictureResult::Failure(PictureError::Corrupt,
                                std::string("JPEG decoding failed: ") + tjGetErrorStr2(handle));
}

void CmykToRgb(const std::vector<std::uint8_t>& cmyk, Picture& picture) {
  const std::size_t pixelCount = picture.rgb.size() / 3;
  for (std::size_t i = 0; i < pixelCount; ++i) {
    const unsigned k = cmyk[i * 4 + 3];
    for (int c = 0; c < 3; ++c) {
      picture.rgb[i * 3 + c] = static_cast<std::uint8_t>((cmyk[i * 4 + c] * k + 127) / 255);
    }
  }
}

}  // namespace

PictureResult DecodeJpeg(std::span<const std::uint8_t> bytes) {
  TurboHandle handle;
  if (handle.get() == nullptr) {
    return PictureResult::Failure(PictureError::OutOfMemory, "JPEG decoder could not start");
  }
  const unsigned long size = bytes.size();
  int width = 0;
  int height = 0;
  int subsampling = 0;
  int colourSpace = 0;
  if (tjDecompressHeader3(handle.get(), bytes.data(), size, &width, &height, &subsampling,
                          &colourSpace) != 0) {
    return Corrupt(handle.get());
  }
  PictureResult result = AllocatePicture(width, height);
  if (!result.Ok()) return result;
  Picture& picture = result.picture;

  int status = 0;
  if (colourSpace == TJCS_CMYK || colourSpace == TJCS_YCCK) {
    std::vector<std::uint8_t> cmyk;
    if (!AllocatePixelBytes(cmyk, picture.rgb.size() / 3 * 4)) {
      return PictureResult::Failure(PictureError::OutOfMemory, "not enough memory for the picture");
    }
    status = tjDecompress2(handle.get(), bytes.data(), size, cmyk.data(), width, 0, height,
                           TJPF_CMYK, kDecodeFlags);
    if (status != 0 && tjGetErrorCode(handle.get()) == TJERR_FATAL) return Corrupt(handle.get());
    CmykToRgb(cmyk, picture);
  } else {
    status = tjDecompress2(handle.get(), bytes.data(), size, picture.rgb.data(), width, 0, height,
                           TJPF_RGB, kDecodeFlags);
    if (status != 0 && tjGetErrorCode(handle.get()) == TJERR_FATAL) return Corrupt(handle.get());
  }
  return result;
}

}  // namespace vanto
