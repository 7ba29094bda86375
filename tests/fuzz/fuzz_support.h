// Shared by the fuzz entry points: every target works in one private
// folder (the code under test names its files relative to the working
// directory) and hands file-reading code the input as a file.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace vanto::fuzz {

// Changes once into a fresh folder, in memory where the system has one
// (the plan and settings writers sync their files); it is removed at exit.
// Every call drops the message log, which would otherwise grow with every
// input.
inline void EnterScratchFolder() {
  static const bool entered = [] {
    static std::string folder;
    char inMemory[] = "/dev/shm/vanto-fuzz-XXXXXX";
    char onDisk[] = "/tmp/vanto-fuzz-XXXXXX";
    char* made = ::mkdtemp(inMemory);
    if (made == nullptr) made = ::mkdtemp(onDisk);
    if (made == nullptr || ::chdir(made) != 0) std::abort();
    folder = made;
    std::atexit([] {
      std::string command = "rm -rf '" + folder + "'";
      if (std::system(command.c_str()) != 0) return;
    });
    return true;
  }();
  (void)entered;
  ::unlink("log.txt");
}

inline void WriteInput(const char* name, std::string_view bytes) {
  std::FILE* file = std::fopen(name, "wb");
  if (file == nullptr) std::abort();
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
    std::abort();
  }
  std::fclose(file);
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Splits off the text before the first line end (the rest follows it).
inline std::string_view TakeLine(std::string_view& text) {
  const std::size_t end = text.find('\n');
  std::string_view line = text.substr(0, end);
  text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
  return line;
}

}  // namespace vanto::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
