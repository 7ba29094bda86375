// Board photographs decoded for the board view, kept between renderings.
// A photograph of 24 megapixels takes a good part of a second to decode,
// and the view is redrawn on every record change; a kept photograph is
// used only while the file on disk is the one it was decoded from (same
// path, size, modification and change times, same file), so what the view
// shows is always what a fresh load would give. Main thread only.
#pragma once

#include <QImage>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vanto {

// One decoded photograph and its reductions: level k is the photograph
// halved k times by averaging, so a view that shows much of a large
// photograph scales from a few hundred thousand pixels instead of
// millions. Reductions are made on first use.
class Photograph {
 public:
  static constexpr int kMaxLevel = 4;

  explicit Photograph(QImage full) { levels_.push_back(std::move(full)); }
  const QImage& Full() const { return levels_.front(); }
  // Level 0 is the photograph itself; levels beyond kMaxLevel are not made.
  const QImage& Level(int level);

 private:
  std::vector<QImage> levels_;
};

class PhotographCache {
 public:
  // The photograph named as the plan stores it ("\" or "/" between
  // folders), as 32-bit RGB; null when the file cannot be read or decoded.
  std::shared_ptr<Photograph> Load(std::string_view storedName);

  // The photograph's size without keeping a decode for it longer than the
  // cache does; an empty size when it cannot be loaded.
  QSize Size(std::string_view storedName);

  // Decodes done so far.
  int DecodeCount() const { return decodeCount_; }
  void Clear() { entries_.clear(); }

  // The photograph and the "no image" picture: two are in use at a time.
  static constexpr std::size_t kCapacity = 2;

 private:
  struct FileStamp {
    std::string path;  // absolute, "/" separators
    std::int64_t size = 0;
    std::int64_t modified = 0;  // nanoseconds
    std::int64_t changed = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
  };
  struct Entry {
    FileStamp stamp;
    std::shared_ptr<Photograph> photograph;
  };

  static bool Stamp(std::string_view storedName, FileStamp& stamp);

  std::vector<Entry> entries_;  // most recently used first
  int decodeCount_ = 0;
};

}  // namespace vanto
