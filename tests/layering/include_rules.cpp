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
    const std::string named = folder.rfind("src/", 0) == 0 ? folder.substr(4) : folder;
    if (cells.size() >= 3) {
      // "`vanto_testplan`, `vanto_plan_views`"
      static const std::regex kName(R"(`?([A-Za-z0-9_]+)`?)");
      for (std::sregex_iterator it(cells[2].begin(), cells[2].end(), kName), end; it != end; ++it)
        table.libraries.emplace_back((*it)[1], named);
    }
    // A window folder belongs to its core folder's layer.
    if (named.size() > 3 && named.compare(named.size() - 3, 3, "/qt") == 0) continue;
    if (folder.rfind("src/", 0) == 0) {
      table.layers.push_back(named);
    } else {
      table.apart.push_back(named);
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

std::string Describe(const LinkViolation& violation) {
  return violation.file + ":" + std::to_string(violation.line) + ": links " + violation.library +
         " against the layer table";
}

std::vector<LinkViolation> CheckLinks(const std::filesystem::path& root, const LayerTable& table) {
  namespace fs = std::filesystem;
  std::vector<std::string> files;
  if (fs::is_directory(root / "src")) {
    for (const auto& entry : fs::recursive_directory_iterator(root / "src")) {
      if (entry.is_regular_file() && entry.path().filename() == "CMakeLists.txt")
        files.push_back(fs::relative(entry.path(), root).generic_string());
    }
  }
  std::sort(files.begin(), files.end());

  static const std::regex kToken(R"([A-Za-z0-9_:${}.-]+)");
  std::vector<LinkViolation> violations;
  for (const std::string& file : files) {
    const std::string folder = fs::path(file.substr(4)).parent_path().generic_string();
    // The file's own folder, placed like a source file in it.
    const std::optional<Place> from = PlaceOf(folder + "/CMakeLists.txt", table);
    std::ifstream in(root / file);
    std::string text;
    int number = 0;
    bool inLink = false;
    bool targetSeen = false;
    while (std::getline(in, text)) {
      ++number;
      const auto hash = text.find('#');
      if (hash != std::string::npos) text.erase(hash);
      std::string rest = text;
      if (!inLink) {
        const auto call = rest.find("target_link_libraries(");
        if (call == std::string::npos) continue;
        rest = rest.substr(call + 22);
        inLink = true;
        targetSeen = false;
      }
      const auto close = rest.find(')');
      const std::string args = rest.substr(0, close);
      for (std::sregex_iterator it(args.begin(), args.end(), kToken), end; it != end; ++it) {
        const std::string token = (*it)[0];
        if (!targetSeen) {  // the library being linked, not one it links
          targetSeen = true;
          continue;
        }
        if (token.rfind("Qt6::", 0) == 0) {
          if (!from || !from->qt) violations.push_back({file, number, token});
          continue;
        }
        const auto known = std::find_if(table.libraries.begin(), table.libraries.end(),
                                        [&](const auto& entry) { return entry.first == token; });
        if (known == table.libraries.end()) continue;  // system and keyword tokens
        const std::optional<Place> to = PlaceOf(known->second + "/CMakeLists.txt", table);
        if (!from || !to || !Allowed(*from, *to)) violations.push_back({file, number, token});
      }
      if (close != std::string::npos) inLink = false;
    }
  }
  return violations;
}

}  // namespace vanto::layering
