// File names as the program stores them and as the file system wants them.
// Plans and settings written on other systems use "\" between folders; the
// stored text is kept as it is and only converted when a file is opened.
#pragma once

#include <string>
#include <string_view>

namespace vanto {

// The stored name with every "\" turned into "/".
std::string NativePath(std::string_view storedName);

// True when the named file exists and can be opened for reading.
bool FileReadable(std::string_view storedName);

// Writes the whole text to a temporary file beside the target, flushes it to
// disk and renames it over the target, so the target is always either the
// old complete file or the new complete file. False on any failure; the
// target is then untouched. An incomplete temporary file is removed; one
// that could not be renamed stays, holding the complete new content.
bool ReplaceFileAtomically(std::string_view storedName, std::string_view content,
                           std::string_view temporaryName = {});

}  // namespace vanto
