// Format dispatch and file reading.
#include "image/picture_decoder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>
#include <string>
#include <vector>

#include "foundation/file_paths.h"
#include "image/jpeg2000_decoder.h"
#include "image/jpeg_decoder.h"
#include "image/picture_format.h"
#include "image/picture_limits.h"
#include "image/png_decoder.h"

namespace vanto {

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

PictureResult NotReadable(const std::string& path, const char* why) {
  return PictureResult::Failure(PictureError::FileNotReadable, path + ": " + why);
}

}  // namespace

PictureResult DecodePicture(std::span<const std::uint8_t> bytes) {
  switch (DetectPictureFormat(bytes)) {
    case PictureFormat::Png: return DecodePng(bytes);
    case PictureFormat::Jpeg: return DecodeJpeg(bytes);
    case PictureFormat::Jpeg2000: return DecodeJpeg2000(bytes);
    case PictureFormat::Unknown: break;
  }
  return PictureResult::Failure(
      PictureError::UnknownFormat,
      bytes.empty() ? "file is empty" : "not a PNG, JPEG or JPEG 2000 file");
}

PictureResult LoadPicture(std::string_view storedFileName) {
  const std::string path = NativePath(storedFileName);
  // Non-blocking, so that a named pipe given as a picture cannot stall the
  // caller; only regular files are read.
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.get() < 0) return NotReadable(path, "cannot be opened");
  struct stat status {};
  if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
    return NotReadable(path, "not a regular file");
  }
  if (status.st_size > kMaxPictureBytes) {
    return PictureResult::Failure(PictureError::TooLarge, path + ": file too large");
  }
  std::vector<std::uint8_t> bytes;
  try {
    bytes.resize(static_cast<std::size_t>(status.st_size));
  } catch (const std::bad_alloc&) {
    return PictureResult::Failure(PictureError::OutOfMemory, path + ": not enough memory");
  }
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const ssize_t got = ::read(file.get(), bytes.data() + filled, bytes.size() - filled);
    if (got < 0) return NotReadable(path, "read failed");
    if (got == 0) break;  // shrank while being read: decode what is there
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  return DecodePicture(bytes);
}

}  // namespace vanto
