// The direction of dependency between the source folders, and the check
// that every quoted #include follows it. The layers are read from the
// table in docs/architecture.md, so the rule is written in one place.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace vanto::layering {

// Folders in layer order, bottom first, as "foundation", "testplan/qt".
// A core folder may include its own folder and the core folders of lower
// layers. A "qt" folder may also include its own layer's core folder and
// the qt folders of lower layers. No core folder includes a qt folder.
struct LayerTable {
  std::vector<std::string> layers;   // core folders, bottom first
  std::vector<std::string> apart;    // folders that include nothing of the layers
  // Each library of the third column with the folder of its row.
  std::vector<std::pair<std::string, std::string>> libraries;
};

// The rows of the "Layers" table in the given Markdown text: each row whose
// first cell is a number names its folder in the second cell as `src/x`;
// a row of `src/x/qt` is the window half of x's layer, and a row whose
// folder is outside src/ (as `sim`) is a folder apart.
LayerTable ParseLayerTable(const std::string& markdown);

struct IncludeViolation {
  std::string file;  // relative to the tree's root, as "src/ui/x.h"
  int line = 0;
  std::string include;  // the quoted path
  bool operator==(const IncludeViolation&) const = default;
};

// "src/ui/x.h:12: "app/y.h" goes against the layer table".
std::string Describe(const IncludeViolation& violation);

// Every quoted include under root/src and the folders apart that the
// table does not allow. Includes without a folder are the file's own
// folder's and always allowed.
std::vector<IncludeViolation> CheckIncludes(const std::filesystem::path& root,
                                            const LayerTable& table);

struct LinkViolation {
  std::string file;  // the CMakeLists.txt, relative to the root
  int line = 0;
  std::string library;  // the library linked against the table, or a Qt target
  bool operator==(const LinkViolation&) const = default;
};

// "src/ui/CMakeLists.txt:18: links vanto_app_core against the layer table".
std::string Describe(const LinkViolation& violation);

// Every library linked in a CMakeLists.txt under root/src that the folder
// of that file may not use: a library of the table's third column from a
// layer it may not include, or any Qt6:: target from a core folder.
std::vector<LinkViolation> CheckLinks(const std::filesystem::path& root, const LayerTable& table);

}  // namespace vanto::layering
