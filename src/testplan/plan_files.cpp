// Requesters, the recent-plan list and the photograph's relative name.
#include "testplan/plan_files.h"

#include <filesystem>
#include <system_error>

namespace vanto {

FileRequest OpenPlanRequest() {
  return {kOpenPlanTitle, kOpenPlanInitialName, kOpenPlanFilters, 0};
}

FileRequest SavePlanRequest(std::string_view currentPlanFile) {
  return {kSavePlanTitle, std::string(currentPlanFile), kSavePlanFilters, 0};
}

FileRequest PcbImageRequest() {
  return {kPcbImageTitle, kPcbImageInitialName, kPcbImageFilters, 0};
}

RecentListChange PlaceInRecentPlans(RecentPlans& recent, std::string_view currentPlanFile) {
  int found = -1;
  for (int i = 0; i < kRecentFileCount; ++i) {
    if (recent[static_cast<std::size_t>(i)] == currentPlanFile) found = i;
  }
  if (found == 0) return RecentListChange::None;
  if (found > 0) {
    // Entries above it move down one; entries below it stay where they are.
    std::string moving = std::move(recent[static_cast<std::size_t>(found)]);
    for (int i = found; i > 0; --i) {
      recent[static_cast<std::size_t>(i)] = std::move(recent[static_cast<std::size_t>(i - 1)]);
    }
    recent[0] = std::move(moving);
    return RecentListChange::MovedToTop;
  }
  for (int i = kRecentFileCount - 1; i > 0; --i) {
    recent[static_cast<std::size_t>(i)] = std::move(recent[static_cast<std::size_t>(i - 1)]);
  }
  recent[0] = std::string(currentPlanFile);
  for (std::string& entry : recent) {
    if (entry.empty()) entry = kUntitledRecentPlan;
  }
  return RecentListChange::Added;
}

std::string WorkingDirectoryPrefix() {
  std::error_code error;
  std::string folder = std::filesystem::current_path(error).string();
  if (error) return {};
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

std::string RelativeToWorkingDirectory(std::string_view path, std::string_view workingPrefix) {
  // Only a leading prefix names the working folder: the same text further
  // on is part of some other folder's path and must stay.
  if (!workingPrefix.empty() && path.starts_with(workingPrefix)) {
    return std::string(path.substr(workingPrefix.size()));
  }
  return std::string(path);
}

bool ChoosePcbImage(FileRequester& requester, std::string& pcbImageFile) {
  const std::string chosen = requester.OpenFile(PcbImageRequest());
  if (chosen.empty()) return false;
  pcbImageFile = RelativeToWorkingDirectory(chosen, WorkingDirectoryPrefix());
  return true;
}

}  // namespace vanto
