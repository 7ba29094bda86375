// Loading steps of the interface resources that need no window system.
#include "foundation/resources.h"

#include "foundation/message_texts.h"
#include "foundation/text_lines.h"

namespace vanto {

static_assert(static_cast<std::size_t>(PictureId::TestInProgressGreen) + 1 == kPictureCount);
static_assert(static_cast<std::size_t>(SoundId::TestBad) + 1 == kSoundCount);

std::string LoadColourScheme(Messages& messages) {
  std::string content;
  if (!ReadWholeFile(kColourSchemeFile, content)) {
    messages.ShowMessage(text::kColoursNotFound);
    return kDefaultColourScheme;
  }
  std::vector<std::string_view> lines = SplitLines(content);
  return lines.empty() ? std::string() : std::string(lines.front());
}

void LoadSounds(bool soundAvailable, SoundOutput& output, Messages& messages) {
  if (!soundAvailable) {
    messages.WriteLog(text::kNoSound);
    return;
  }
  for (std::size_t i = 0; i < kSoundCount; ++i) {
    output.Load(static_cast<SoundId>(i), kSoundPaths[i]);
  }
}

}  // namespace vanto
