// Publishing and taking verified frames.
#include "link/frame_store.h"

namespace vanto {

void PublishFrame(FrameStore& store, const DecodedFrame& frame) {
  std::lock_guard<std::mutex> guard(store.lock);
  store.published = frame;
  store.frameReady.store(true);
}

void DropReadyFrame(FrameStore& store) {
  std::lock_guard<std::mutex> guard(store.lock);
  store.frameReady.store(false);
}

bool TakeReadyFrame(FrameStore& store, DecodedFrame& frame) {
  if (!store.frameReady.load()) return false;
  std::lock_guard<std::mutex> guard(store.lock);
  if (!store.frameReady.load()) return false;
  store.frameReady.store(false);
  frame = store.published;
  return true;
}

DecodedFrame CopyPublishedFrame(FrameStore& store) {
  std::lock_guard<std::mutex> guard(store.lock);
  return store.published;
}

}  // namespace vanto
