// File names as the program stores them and as the file system wants them.
// Plans and settings written on other systems use "\" between folders; the
// stored text is kept as it is and only converted when a file is opened.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace vanto {

// The stored name with every "\" turned into "/".
std::string NativePath(std::string_view storedName);

// True when the named file is a regular file that can be opened for
// reading. A folder, a pipe or a device is not: opening one could block.
bool FileReadable(std::string_view storedName);

// Opens a regular file for reading without ever waiting on the open (a
// pipe with no writer would); anything but a regular file gives nullptr.
std::FILE* OpenRegularFileForReading(std::string_view storedName);

// Writes the whole text to a temporary file beside the target, flushes it to
// disk and renames it over the target, so the target is always either the
// old complete file or the new complete file. False on any failure; the
// target is then untouched. An incomplete temporary file is removed; one
// that could not be renamed stays, holding the complete new content.
// A target reached through a symbolic link is replaced where the link
// points, the link staying; the new file keeps the old one's permissions.
bool ReplaceFileAtomically(std::string_view storedName, std::string_view content,
                           std::string_view temporaryName = {});

}  // namespace vanto
