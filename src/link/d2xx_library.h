// Loading a D2XX library at run time: FTDI's libftd2xx.so, or any library
// with the same entry points (the simulated instrument). Main thread.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "link/d2xx_api.h"

namespace vanto {

inline constexpr const char* kDefaultD2xxLibrary = "libftd2xx.so";
inline constexpr const char* kD2xxLibraryVariable = "ORX_D2XX_LIBRARY";

// The library to load: the path given on the command line (--d2xx) if
// any, else the environment variable's value if set and not empty, else
// FTDI's library by its plain name (found through the loader's search path).
std::string ResolveD2xxLibraryPath(std::string_view commandLinePath, const char* environmentValue);
// The same with the process environment.
std::string ResolveD2xxLibraryPath(std::string_view commandLinePath);

// Opens the library and resolves every entry point the link calls. Null
// when the library cannot be opened or lacks one of them; `error` then says
// why. A loaded library is never unloaded: the device handle it gave out
// may still be in use when a newer load replaces it.
std::unique_ptr<D2xxApi> LoadD2xxLibrary(const std::string& path, std::string& error);

}  // namespace vanto
