// Splitting text into lines the way every reader of the program does:
// CR LF, LF and a lone CR all end a line; a last line without an end counts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vanto {

std::vector<std::string_view> SplitLines(std::string_view text);

// The whole file as bytes; false when it cannot be opened. Only a regular
// file is read: a folder, a pipe or a device counts as missing and is
// never waited on.
bool ReadWholeFile(std::string_view storedName, std::string& content);

enum class FileRead { Done, Failed, TooLarge };
// The same, refusing (without reading it) a file of more than `maxBytes`.
FileRead ReadWholeFile(std::string_view storedName, std::string& content, std::size_t maxBytes);

inline constexpr std::string_view kLineEnd = "\r\n";

}  // namespace vanto
