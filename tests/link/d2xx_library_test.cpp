// Loading the D2XX library at run time: which path is used, and that a
// missing library or a missing entry point ends in the two messages and a
// closed link, never a crash.
#include "link/d2xx_library.h"

#include <gtest/gtest.h>

#include "link/connection.h"
#include "link/link_fixture.h"

namespace vanto::testing {
namespace {

TEST(D2xxLibraryPathTest, CommandLineBeatsEnvironmentBeatsDefault) {
  EXPECT_EQ(ResolveD2xxLibraryPath("", nullptr), "libftd2xx.so");
  EXPECT_EQ(ResolveD2xxLibraryPath("", ""), "libftd2xx.so");
  EXPECT_EQ(ResolveD2xxLibraryPath("", "/opt/sim.so"), "/opt/sim.so");
  EXPECT_EQ(ResolveD2xxLibraryPath("./mine.so", "/opt/sim.so"), "./mine.so");
  EXPECT_EQ(ResolveD2xxLibraryPath("./mine.so", nullptr), "./mine.so");
}

TEST(D2xxLibraryLoadTest, AMissingFileGivesNoLibraryAndAReason) {
  std::string error;
  EXPECT_EQ(LoadD2xxLibrary("/nonexistent/libftd2xx.so", error), nullptr);
  EXPECT_FALSE(error.empty());
}

TEST(D2xxLibraryLoadTest, ALibraryLackingAnEntryPointIsRefused) {
  std::string error;
  EXPECT_EQ(LoadD2xxLibrary(LINK_TEST_D2XX_PARTIAL, error), nullptr);
  EXPECT_NE(error.find("FT_WriteEE"), std::string::npos) << error;
}

TEST(D2xxLibraryLoadTest, ACompleteLibraryIsCalledThrough) {
  std::string error;
  std::unique_ptr<D2xxApi> api = LoadD2xxLibrary(LINK_TEST_D2XX, error);
  ASSERT_NE(api, nullptr) << error;
  DWORD count = 99;
  EXPECT_EQ(api->FT_CreateDeviceInfoList(&count), 0u);
  EXPECT_EQ(count, 0u);
  FT_HANDLE handle = &count;
  EXPECT_EQ(api->FT_Open(0, &handle), 2u);
  EXPECT_EQ(handle, nullptr);
}

class D2xxLoadingTest : public LinkTest {
 protected:
  D2xxLoadingTest() { state.openLibrary = nullptr; }
};

TEST_F(D2xxLoadingTest, AMissingLibraryShowsBothMessages) {
  state.d2xxPath = "/nonexistent/libftd2xx.so";
  ORX_StartConnection(link);
  EXPECT_EQ(state.usb.connected.load(), 0);
  EXPECT_EQ(BoxTitles(), (std::vector<std::string>{"Error #0005", "Warning #0061"}));
  EXPECT_FALSE(state.usb.libraryError.empty());
}

TEST_F(D2xxLoadingTest, ALibraryLackingASymbolShowsBothMessages) {
  state.d2xxPath = LINK_TEST_D2XX_PARTIAL;
  ORX_StartConnection(link);
  EXPECT_EQ(state.usb.connected.load(), 0);
  EXPECT_EQ(BoxTitles(), (std::vector<std::string>{"Error #0005", "Warning #0061"}));
}

TEST_F(D2xxLoadingTest, TheEnvironmentVariableNamesTheLibrary) {
  ::setenv(kD2xxLibraryVariable, LINK_TEST_D2XX, 1);
  ORX_StartConnection(link);
  ::unsetenv(kD2xxLibraryVariable);
  // The stand-in library has no device: the open fails, not the load.
  EXPECT_EQ(BoxTitles(), (std::vector<std::string>{"Info #0004", "Warning #0061"}));
  EXPECT_EQ(state.usb.connected.load(), 0);
}

TEST_F(D2xxLoadingTest, TheCommandLinePathBeatsTheEnvironment) {
  ::setenv(kD2xxLibraryVariable, LINK_TEST_D2XX, 1);
  state.d2xxPath = "/nonexistent/libftd2xx.so";
  ORX_StartConnection(link);
  ::unsetenv(kD2xxLibraryVariable);
  EXPECT_EQ(BoxTitles(), (std::vector<std::string>{"Error #0005", "Warning #0061"}));
}

}  // namespace
}  // namespace vanto::testing
