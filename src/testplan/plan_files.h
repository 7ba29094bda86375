// The window-free rules of the plan files: the three file requesters, the
// list of the eight most recently opened plans and the board photograph's
// name relative to the working directory. The commands that use them on the
// application context are in app/plan_file_commands.h. Main thread only.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "foundation/file_requester.h"
#include "foundation/settings.h"

namespace vanto {

inline constexpr const char* kOpenPlanTitle = "Please choose a file to open";
inline constexpr const char* kOpenPlanInitialName = "*.ept";
inline constexpr const char* kOpenPlanFilters = "Test (*.ept)|*.ept|All files (*.*)|*.*";
inline constexpr const char* kSavePlanTitle = "Please choose file to save";
// The ";" after the first pattern belongs to the list as users know it.
inline constexpr const char* kSavePlanFilters = "Test (*.ept)|*.ept;All files (*.*)|*.*";
inline constexpr const char* kPcbImageTitle = "Please choose PCB image to open";
inline constexpr const char* kPcbImageInitialName = "\\images\\*.jpg";
inline constexpr const char* kPcbImageFilters =
    "JPG (*.jpg)|*.jpg|PNG (*.png)|*.png|All files (*.*)|*.*";

// The name an empty recent slot is stored and shown as.
inline constexpr const char* kUntitledRecentPlan = "untitled.ept";

FileRequest OpenPlanRequest();
FileRequest SavePlanRequest(std::string_view currentPlanFile);
FileRequest PcbImageRequest();

// Entry 0 is the most recent.
using RecentPlans = std::array<std::string, kRecentFileCount>;

enum class RecentListChange {
  None,        // the name already was the most recent entry
  MovedToTop,  // an older entry moved to the top; not to be written
  Added,       // the name entered at the top and entry 8 dropped: write all eight
};

// Brings the list in line with the current plan name. An exact,
// case-sensitive match moves to the top (of several matches, the one
// furthest down); a new name pushes the others down, after which every
// empty entry reads "untitled.ept".
RecentListChange PlaceInRecentPlans(RecentPlans& recent, std::string_view currentPlanFile);

// The working directory as the system gives it, with a trailing "/".
std::string WorkingDirectoryPrefix();

// A path inside the working folder made relative to it; any other path as
// it is. Only a leading working-folder prefix is removed.
std::string RelativeToWorkingDirectory(std::string_view path, std::string_view workingPrefix);

// Shows the photograph requester and, unless the user cancelled, stores the
// chosen file in `pcbImageFile` (relative to the working folder when it
// lies inside it). Returns whether a file was chosen.
bool ChoosePcbImage(FileRequester& requester, std::string& pcbImageFile);

}  // namespace vanto
