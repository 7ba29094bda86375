#include "app/startup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "foundation/file_paths.h"
#include "foundation/number_text.h"
#include "foundation/message_texts.h"
#include "foundation/settings_keys.h"

namespace vanto {

bool IsKnownModel(const std::string& name) {
  return name == "ORXA" || name == "ORXAP" || name == "ORXB" || name == "ORXC" ||
         name == "ORXCB";
}

void LoadSettingsAndModel(AppContext& context) {
  LoadSettings(context.settingsStore, context.settings);
  AppState& app = context.app;
  app.menuModel = context.settings.activeInstrument;
  app.activeModel = context.settings.activeInstrument;
  if (!IsKnownModel(app.activeModel)) {
    app.activeModel = "ORXA";
    context.messages.WriteLog(text::kStartupBadModel);
  }
  app.windowTitle = "Quillotek - " + app.activeModel + " Analog Signature Analyser";
  context.messages.WriteLog(std::string(text::kStartupModelPrefix) + app.activeModel);
  app.currentPlanFile = context.settings.testPlanFileName;
}

std::string MainWindowCaption(const AppState& state) {
  return state.windowTitle + " V" + FormatFixed(kAppVersion, 3);
}

std::string FormatDate(const CalendarTime& time) {
  char year[16];
  std::snprintf(year, sizeof year, "%04d", time.year);
  return TwoDigits(time.day) + "/" + TwoDigits(time.month) + "/" + year;
}

bool ReleaseCheckDue(AppContext& context) {
  if (context.settings.checkWebsiteForUpdate != 1) return false;
  std::string today = FormatDate(context.clock.LocalTime());
  if (today == context.settings.dateOfLastUpdateCheck) return false;
  context.settings.dateOfLastUpdateCheck = today;
  context.settingsStore.WriteSetting(key::kDateOfLastUpdateCheck, today);
  return true;
}

void EnsureTestPlanFile(AppContext& context) {
  ::mkdir(kPlanFolder, 0755);  // an existing folder is fine
  std::string& current = context.app.currentPlanFile;
  if (FileReadable(current)) return;
  current = kUntitledPlan;
  if (FileReadable(current)) return;
  // Only a file that is not there is created: whatever else holds the name
  // (a folder, a pipe, a file we may not read) is left alone, and the open
  // never waits on a pipe.
  const int fd = ::open(NativePath(current).c_str(),
                        O_WRONLY | O_CREAT | O_EXCL | O_NONBLOCK | O_CLOEXEC, 0644);
  if (fd >= 0) {
    const std::string commas(576, ',');
    const ssize_t written = ::write(fd, commas.data(), commas.size());
    (void)written;  // a short file still loads; the load reports what it finds
    ::close(fd);
  }
}

}  // namespace vanto
