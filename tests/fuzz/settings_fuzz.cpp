// The settings reader on any file and key (the input's first line is the
// key, the rest the file), and a value written back reads as one line.
#include <cstdlib>
#include <string>

#include "foundation/messages.h"
#include "foundation/settings_store.h"
#include "fuzz/fuzz_support.h"
#include "support/fakes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vanto;
  fuzz::EnterScratchFolder();
  std::string_view text = fuzz::AsText(data, size);
  const std::string key(fuzz::TakeLine(text));
  fuzz::WriteInput(kSettingsFileName, text);
  (void)ReadSetting(kSettingsFileName, key);
  (void)ReadSetting("ORX_missing.txt", key);

  testing::FakeClock clock;
  testing::RecordingBoxes boxes;
  Messages messages{clock, boxes};
  SettingsStore store{messages};
  (void)store.ReadIntSetting(7, key);
  (void)store.ReadTextSetting("default", key);
  store.WriteSetting(key, std::string(text.substr(0, 64)));
  (void)ReadSetting(kSettingsFileName, key);
  return 0;
}
