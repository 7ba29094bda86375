// Huge-page advice for large pixel blocks; elsewhere a plain allocation.
#include "image/pixel_memory.h"

#include <new>
#include <stdexcept>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace vanto {

namespace {

// Below this the block is not worth the advice.
constexpr std::size_t kHugePageWorthy = 8 * 1024 * 1024;

void AdviseHugePages([[maybe_unused]] std::uint8_t* start, [[maybe_unused]] std::size_t count) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  const auto first = (reinterpret_cast<std::uintptr_t>(start) + page - 1) / page * page;
  const auto end = (reinterpret_cast<std::uintptr_t>(start) + count) / page * page;
  // Only advice: a kernel without transparent huge pages ignores or refuses
  // it and the memory works as before.
  if (end > first) ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#endif
}

}  // namespace

bool AllocatePixelBytes(std::vector<std::uint8_t>& pixels, std::size_t count) {
  try {
    pixels.reserve(count);
    if (count >= kHugePageWorthy) AdviseHugePages(pixels.data(), count);
    pixels.resize(count);
  } catch (const std::bad_alloc&) {
    pixels = {};
    return false;
  } catch (const std::length_error&) {
    pixels = {};
    return false;
  }
  return true;
}

}  // namespace vanto
