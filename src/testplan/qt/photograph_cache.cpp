// Decoding board photographs once per file version.
#include "testplan/qt/photograph_cache.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "foundation/file_paths.h"
#include "image/picture_decoder.h"

namespace vanto {
namespace {

std::int64_t Nanoseconds(const timespec& time) {
  return static_cast<std::int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

// RGB triples to 32-bit pixels, the form QPainter and the smooth scaler
// work on without converting each time.
QImage ToImage(const Picture& picture) {
  QImage image(picture.width, picture.height, QImage::Format_RGB32);
  if (image.isNull()) return image;
  const std::uint8_t* source = picture.rgb.data();
  for (int y = 0; y < picture.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < picture.width; ++x, source += 3) {
      line[x] = qRgb(source[0], source[1], source[2]);
    }
  }
  return image;
}

}  // namespace

const QImage& Photograph::Level(int level) {
  level = std::clamp(level, 0, kMaxLevel);
  while (static_cast<int>(levels_.size()) <= level) {
    const QImage& above = levels_.back();
    const QSize half(std::max(above.width() / 2, 1), std::max(above.height() / 2, 1));
    // Exactly two to one: the smooth scaler averages each 2 x 2 block.
    levels_.push_back(above.scaled(half, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                          .convertToFormat(QImage::Format_RGB32));
  }
  return levels_[static_cast<std::size_t>(level)];
}

bool PhotographCache::Stamp(std::string_view storedName, FileStamp& stamp) {
  const std::string native = NativePath(storedName);
  if (native.empty()) return false;
  struct stat status {};
  if (::stat(native.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(native, error);
  stamp.path = error ? native : absolute.lexically_normal().string();
  stamp.size = static_cast<std::int64_t>(status.st_size);
  stamp.modified = Nanoseconds(status.st_mtim);
  stamp.changed = Nanoseconds(status.st_ctim);
  stamp.device = static_cast<std::uint64_t>(status.st_dev);
  stamp.inode = static_cast<std::uint64_t>(status.st_ino);
  return true;
}

std::shared_ptr<Photograph> PhotographCache::Load(std::string_view storedName) {
  FileStamp stamp;
  if (!Stamp(storedName, stamp)) return nullptr;
  const auto kept = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const Entry& entry) { return entry.stamp == stamp; });
  if (kept != entries_.end()) {
    std::rotate(entries_.begin(), kept, kept + 1);
    return entries_.front().photograph;
  }
  // An older version of the same file is useless now; drop it first so the
  // two decodes never sit in memory together.
  std::erase_if(entries_, [&](const Entry& entry) { return entry.stamp.path == stamp.path; });

  ++decodeCount_;
  PictureResult result = LoadPicture(storedName);
  if (!result.Ok()) return nullptr;
  QImage image = ToImage(result.picture);
  if (image.isNull()) return nullptr;
  auto photograph = std::make_shared<Photograph>(std::move(image));
  // Stamped before the read: a file rewritten meanwhile has a newer stamp
  // by the next rendering and is decoded again then.
  entries_.insert(entries_.begin(), Entry{stamp, photograph});
  if (entries_.size() > kCapacity) entries_.resize(kCapacity);
  return photograph;
}

QSize PhotographCache::Size(std::string_view storedName) {
  const std::shared_ptr<Photograph> photograph = Load(storedName);
  return photograph ? photograph->Full().size() : QSize();
}

}  // namespace vanto
