// The link state's end: no thread left running, no device left open.
#include "link/link_state.h"

#include "link/acquisition_thread.h"

namespace vanto {

LinkState::~LinkState() {
  ShutDownLink(*this);
}

}  // namespace vanto
