#include "layering/include_rules.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>

namespace vanto::layering {
namespace {

struct Place {
  int layer = -1;  // index into table.layers; -1 for a folder apart
  bool qt = false;
  std::string folder;
};

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t`");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t`");
  return text.substr(first, last - first + 1);
}

std::vector<std::string> Cells(const std::string& row) {
  std::vector<std::string> cells;
  std::stringstream stream(row);
  std::string cell;
  std::getline(stream, cell, '|');  // before the first bar
  while (std::getline(stream, cell, '|')) cells.push_back(Trim(cell));
  return cells;
}

// The folder an include path or a source file lies in, as the table
// names folders: the longest known folder that is a prefix of the path.
std::optional<Place> PlaceOf(const std::string& path, const LayerTable& table) {
  std::optional<Place> best;
  auto consider = [&](const std::string& folder, int layer, bool qt) {
    if (path.rfind(folder + "/", 0) != 0) return;
    if (best && best->folder.size() >= folder.size()) return;
    best = Place{layer, qt, folder};
  };
  for (int i = 0; i < static_cast<int>(table.layers.size()); ++i) {
    consider(table.layers[i], i, false);
    consider(table.layers[i] + "/qt", i, true);
  }
  for (const std::string& folder : table.apart) consider(folder, -1, false);
  return best;
}

bool Allowed(const Place& from, const Place& to) {
  if (from.folder == to.folder) return true;
  if (from.layer < 0 || to.layer < 0) return false;  // folders apart share nothing
  if (to.qt) return from.qt && to.layer < from.layer;
  return from.qt ? to.layer <= from.layer : to.layer < from.layer;
}

bool IsSource(const std::filesystem::path& path) {
  const std::string ext = path.extension().string();
  return ext == ".h" || ext == ".cpp" || ext == ".hpp" || ext == ".cc";
}

}  // namespace

LayerTable ParseLayerTable(const std::string& markdown) {
  LayerTable table;
  std::stringstream stream(markdown);
  std::string line;
  bool inLayers = false;
  while (std::getline(stream, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("#", 0) == 0) {
      inLayers = line.find("Layers") != std::string::npos;
      continue;
    }
    if (!inLayers || line.rfind("|", 0) != 0) continue;
    const std::vector<std::string> cells = Cells(line);
    if (cells.size() < 2 || cells[0].empty()) continue;
    if (!std::all_of(cells[0].begin(), cells[0].end(), ::isdigit)) continue;
    const std::string& folder = cells[1];
    // A window folder belongs to its core folder's layer.
    if (folder.size() > 3 && folder.compare(folder.size() - 3, 3, "/qt") == 0) continue;
    if (folder.rfind("src/", 0) == 0) {
      table.layers.push_back(folder.substr(4));
    } else {
      table.apart.push_back(folder);
    }
  }
  return table;
}

std::string Describe(const IncludeViolation& violation) {
  return violation.file + ":" + std::to_string(violation.line) + ": \"" + violation.include +
         "\" goes against the layer table";
}

std::vector<IncludeViolation> CheckIncludes(const std::filesystem::path& root,
                                            const LayerTable& table) {
  namespace fs = std::filesystem;
  static const std::regex kInclude(R"(^\s*#\s*include\s*"([^"]+)\")");
  std::vector<std::string> files;
  std::vector<fs::path> tops = {root / "src"};
  for (const std::string& folder : table.apart) tops.push_back(root / folder);
  for (const fs::path& top : tops) {
    if (!fs::is_directory(top)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(top)) {
      if (entry.is_regular_file() && IsSource(entry.path()))
        files.push_back(fs::relative(entry.path(), root).generic_string());
    }
  }
  std::sort(files.begin(), files.end());

  std::vector<IncludeViolation> violations;
  for (const std::string& file : files) {
    // Files under src/ are named by their folder below src/.
    const std::string named = file.rfind("src/", 0) == 0 ? file.substr(4) : file;
    const std::optional<Place> from = PlaceOf(named, table);
    std::ifstream in(root / file);
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
      ++number;
      std::smatch match;
      if (!std::regex_search(text, match, kInclude)) continue;
      const std::string include = match[1];
      if (include.find('/') == std::string::npos) continue;  // the file's own folder
      const std::optional<Place> to = PlaceOf(include, table);
      // A folder the table does not know is never allowed.
      if (!from || !to || !Allowed(*from, *to)) violations.push_back({file, number, include});
    }
  }
  return violations;
}

}  // namespace vanto::layering
