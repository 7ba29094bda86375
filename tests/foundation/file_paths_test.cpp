// Files the program replaces keep what the user set on them, and files it
// reads are never waited on.
#include "foundation/file_paths.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "foundation/text_lines.h"
#include "support/pipe_guard.h"
#include "support/temp_workdir.h"

namespace vanto {
namespace {

using testing::ReadFile;
using testing::TempWorkdir;
using testing::WriteFile;

mode_t PermissionsOf(const char* path) {
  struct stat info {};
  EXPECT_EQ(::stat(path, &info), 0) << path;
  return info.st_mode & 07777;
}

TEST(ReplaceFileAtomically, AFileReachedThroughALinkIsReplacedWhereTheLinkPoints) {
  TempWorkdir dir;
  std::filesystem::create_directory("real");
  WriteFile("real/plan.ept", "old\r\n");
  std::filesystem::create_symlink("real/plan.ept", "plan.ept");
  std::filesystem::create_symlink("plan.ept", "again.ept");  // a link to the link

  ASSERT_TRUE(ReplaceFileAtomically("again.ept", "new\r\n"));

  EXPECT_TRUE(std::filesystem::is_symlink("plan.ept"));
  EXPECT_TRUE(std::filesystem::is_symlink("again.ept"));
  EXPECT_EQ(ReadFile("real/plan.ept"), "new\r\n");
  EXPECT_FALSE(std::filesystem::exists("real/plan.ept.tmp"));
  EXPECT_FALSE(std::filesystem::exists("plan.ept.tmp"));
}

TEST(ReplaceFileAtomically, ALinkToAFileNotYetThereCreatesItAtTheTarget) {
  TempWorkdir dir;
  std::filesystem::create_directory("real");
  std::filesystem::create_symlink("real/plan.ept", "plan.ept");
  ASSERT_TRUE(ReplaceFileAtomically("plan.ept", "first\r\n"));
  EXPECT_TRUE(std::filesystem::is_symlink("plan.ept"));
  EXPECT_EQ(ReadFile("real/plan.ept"), "first\r\n");
}

TEST(ReplaceFileAtomically, TheFileKeepsItsPermissions) {
  TempWorkdir dir;
  for (mode_t mode : {mode_t{0600}, mode_t{0640}, mode_t{0664}, mode_t{0444}}) {
    WriteFile("plan.ept", "old\r\n");
    ASSERT_EQ(::chmod("plan.ept", mode), 0);
    ASSERT_TRUE(ReplaceFileAtomically("plan.ept", "new\r\n")) << std::oct << mode;
    EXPECT_EQ(PermissionsOf("plan.ept"), mode) << std::oct << mode;
    EXPECT_EQ(ReadFile("plan.ept"), "new\r\n");
    ::chmod("plan.ept", 0644);
  }
}

TEST(RegularFilesOnly, APipeIsNotReadableAndIsNeverWaitedOn) {
  TempWorkdir dir;
  testing::PipeGuard pipe("plan.ept");
  const bool readable = FileReadable("plan.ept");
  std::string content;
  const bool read = ReadWholeFile("plan.ept", content);
  EXPECT_FALSE(pipe.Waited());
  EXPECT_FALSE(readable);
  EXPECT_FALSE(read);
}

TEST(RegularFilesOnly, AFolderAndADeviceAreNotReadable) {
  TempWorkdir dir;
  std::filesystem::create_directory("folder.ept");
  EXPECT_FALSE(FileReadable("folder.ept"));
  EXPECT_FALSE(FileReadable("/dev/null"));
  WriteFile("plan.ept", "x");
  EXPECT_TRUE(FileReadable("plan.ept"));
}

TEST(ReadWholeFileLimit, AFileBeyondTheLimitIsRefusedUnread) {
  TempWorkdir dir;
  WriteFile("plan.ept", std::string(1000, 'x'));
  std::string content = "untouched";
  EXPECT_EQ(ReadWholeFile("plan.ept", content, 999), FileRead::TooLarge);
  EXPECT_EQ(content, "untouched");
  EXPECT_EQ(ReadWholeFile("plan.ept", content, 1000), FileRead::Done);
  EXPECT_EQ(content.size(), 1000u);
  EXPECT_EQ(ReadWholeFile("missing.ept", content, 1000), FileRead::Failed);
}

}  // namespace
}  // namespace vanto
