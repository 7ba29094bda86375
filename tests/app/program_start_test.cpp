// The program itself, started as an operator's station would start it:
// "vanto --simulate --connect" in an empty folder, headless. It must take
// the simulated instrument from beside the executable, connect once the
// window is built, and keep running on the live stream.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "support/loopback_http_server.h"
#include "support/temp_workdir.h"

namespace {

using namespace std::chrono_literals;
using vanto::testing::ReadFile;

class RunningProgram {
 public:
  // `library`: empty for --simulate, else the D2XX library named by the
  // environment, as a station's start script would.
  RunningProgram(const std::string& workdir, const std::string& library) {
    pid_ = ::fork();
    if (pid_ == 0) {
      ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
      ::setenv("ORX_RELEASE_SERVER", releaseServer_.Address().c_str(), 1);
      ::unsetenv("ORX_SIM_CONFIG");
      ::unsetenv("ORX_SIM_MODEL");
      if (library.empty()) {
        ::unsetenv("ORX_D2XX_LIBRARY");
        ::execl(VANTO_PROGRAM, VANTO_PROGRAM, "--workdir", workdir.c_str(), "--connect",
                "--simulate", nullptr);
      } else {
        ::setenv("ORX_D2XX_LIBRARY", library.c_str(), 1);
        ::execl(VANTO_PROGRAM, VANTO_PROGRAM, "--workdir", workdir.c_str(), "--connect",
                nullptr);
      }
      ::_exit(127);
    }
  }
  ~RunningProgram() {
    if (pid_ > 0 && Alive()) ::kill(pid_, SIGKILL);
    if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
  }
  bool Alive() {
    int status = 0;
    return ::waitpid(pid_, &status, WNOHANG) == 0;
  }

 private:
  // The start-up's release check meets a refusing loopback port.
  vanto::testing::RefusingLoopbackPort releaseServer_;
  pid_t pid_ = -1;
};

bool WaitForLogText(const std::string& text, std::chrono::seconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (ReadFile("log.txt").find(text) != std::string::npos) return true;
    std::this_thread::sleep_for(50ms);
  }
  return false;
}

// A station's folder: the colour scheme is there, so no box waits for a click.
void PrepareStationFolder() {
  std::filesystem::create_directory("settings");
  vanto::testing::WriteFile("settings/colours.txt", "graphics/scheme1/\r\n");
}

TEST(ProgramStart, SimulateConnectTalksToTheInstrumentAndKeepsRunning) {
  vanto::testing::TempWorkdir dir;
  PrepareStationFolder();
  RunningProgram program(dir.Path().string(), "");
  ASSERT_TRUE(WaitForLogText("ORX_StartConnection()", 30s));
  // The instrument answered the identity check and the calibration was
  // read: the program keeps the record, the simulator its EEPROM.
  std::this_thread::sleep_for(3s);
  EXPECT_TRUE(program.Alive());
  const std::string log = ReadFile("log.txt");
  EXPECT_EQ(log.find("Error #"), std::string::npos) << log;
  EXPECT_EQ(log.find("USB error"), std::string::npos) << log;
  EXPECT_EQ(log.find("ORX_StopConnection()"), std::string::npos) << log;
  EXPECT_FALSE(ReadFile("ORX_cal.txt").empty());
  EXPECT_FALSE(ReadFile("orx_sim_eeprom.bin").empty());
}

TEST(ProgramStart, AMissingInstrumentLibrarySaysSoAndTheProgramStays) {
  vanto::testing::TempWorkdir dir;
  PrepareStationFolder();
  RunningProgram program(dir.Path().string(), "/nonexistent/libftd2xx.so");
  ASSERT_TRUE(WaitForLogText("#0005", 30s));
  std::this_thread::sleep_for(1s);
  EXPECT_TRUE(program.Alive());  // showing the message, not crashed
}

// Qt aborts when it cannot load its platform plugin, before any window
// exists; the crash handler is already installed then, so the fault is
// reported like any other.
TEST(ProgramStart, AFaultDuringQtStartUpIsReported) {
  vanto::testing::TempWorkdir dir;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::setenv("QT_QPA_PLATFORM", "no-such-platform", 1);
    ::setenv("ORX_RELEASE_SERVER", "http://127.0.0.1:1/", 1);
    ::execl(VANTO_PROGRAM, VANTO_PROGRAM, "--workdir", dir.Path().c_str(), nullptr);
    ::_exit(127);
  }
  ASSERT_GT(pid, 0);
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 128 + SIGABRT);
  const std::string report = ReadFile("bugreport.txt");
  EXPECT_NE(report.find("Program aborted"), std::string::npos) << report;
}

}  // namespace
