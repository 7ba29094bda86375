#include "foundation/file_paths.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace vanto {

std::string NativePath(std::string_view storedName) {
  std::string path(storedName);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

bool FileReadable(std::string_view storedName) {
  std::FILE* file = std::fopen(NativePath(storedName).c_str(), "rb");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

namespace {

bool WriteAll(int fd, std::string_view content) {
  const char* data = content.data();
  std::size_t left = content.size();
  while (left > 0) {
    ssize_t written = ::write(fd, data, left);
    if (written < 0) return false;
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  return true;
}

}  // namespace

bool ReplaceFileAtomically(std::string_view storedName, std::string_view content,
                           std::string_view temporaryName) {
  const std::string target = NativePath(storedName);
  std::string temporary;
  if (!temporaryName.empty()) {
    temporary = NativePath(temporaryName);
  } else {
    temporary = target + ".tmp";
  }
  int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool written = WriteAll(fd, content) && ::fsync(fd) == 0;
  written = (::close(fd) == 0) && written;
  if (!written) {
    std::remove(temporary.c_str());
    return false;
  }
  // A failed rename keeps the temporary file: it holds the complete new
  // content and is the user's way back to it.
  return std::rename(temporary.c_str(), target.c_str()) == 0;
}

}  // namespace vanto
