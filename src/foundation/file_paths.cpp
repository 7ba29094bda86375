#include "foundation/file_paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace vanto {

std::string NativePath(std::string_view storedName) {
  std::string path(storedName);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

std::FILE* OpenRegularFileForReading(std::string_view storedName) {
  const int fd = ::open(NativePath(storedName).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  // Reads of a regular file never block, so the flag can stay.
  std::FILE* file = ::fdopen(fd, "rb");
  if (file == nullptr) ::close(fd);
  return file;
}

bool FileReadable(std::string_view storedName) {
  std::FILE* file = OpenRegularFileForReading(storedName);
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

// The file a name stands for: a symbolic link (or a chain of them) is
// followed to where it points, even when nothing is there yet.
std::string FollowLinks(const std::string& path) {
  std::string resolved = path;
  for (int hop = 0; hop < 40; ++hop) {
    std::error_code error;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(resolved, error))) break;
    const std::filesystem::path to = std::filesystem::read_symlink(resolved, error);
    if (error) break;
    resolved = (to.is_absolute() ? to : std::filesystem::path(resolved).parent_path() / to).string();
  }
  return resolved;
}

}  // namespace

bool ReplaceFileAtomically(std::string_view storedName, std::string_view content,
                           std::string_view temporaryName) {
  const std::string target = FollowLinks(NativePath(storedName));
  std::string temporary;
  if (!temporaryName.empty()) {
    temporary = NativePath(temporaryName);
  } else {
    temporary = target + ".tmp";
  }
  struct stat old {};
  const bool replacing = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool written = (!replacing || ::fchmod(fd, old.st_mode & 07777) == 0) &&
                 WriteAll(fd, content) && ::fsync(fd) == 0;
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
