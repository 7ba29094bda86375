#include "layering/include_rules.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/temp_workdir.h"

namespace vanto::layering {
namespace {

namespace fs = std::filesystem;

constexpr const char* kTable = R"(# How it fits

## Layers

| # | folder | library |
|---|---|---|
| 1 | `src/base` | `base` |
| 2 | `src/link` | `link` |
| 2 | `src/link/qt` | `link_qt` |
| 3 | `src/app` | `app` |
| – | `src/notes` | not a layer row |
| 4 | `sim` | apart |

## Other

| 5 | `src/late` | after the table's end |
)";

void PrintTo(const IncludeViolation& violation, std::ostream* out) {
  *out << Describe(violation);
}

void Write(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  std::ofstream(file) << text;
}

TEST(LayerTable, ReadsNumberedRowsOfTheLayersSectionOnly) {
  const LayerTable table = ParseLayerTable(kTable);
  EXPECT_EQ(table.layers, (std::vector<std::string>{"base", "link", "app"}));
  EXPECT_EQ(table.apart, (std::vector<std::string>{"sim"}));
}

class IncludeCheck : public ::testing::Test {
 protected:
  // A small tree that keeps to the table except where a case writes a
  // wrong include.
  void SetUp() override {
    Write(root() / "src/base/text.h", "#pragma once\n#include <string>\n");
    Write(root() / "src/link/port.h", "#include \"base/text.h\"\n#include \"port_impl.h\"\n");
    Write(root() / "src/link/qt/port_view.h",
          "#include \"link/port.h\"\n#include \"base/text.h\"\n#include <QImage>\n");
    Write(root() / "src/app/qt/main.cpp",
          "#include \"link/qt/port_view.h\"\n#include \"link/port.h\"\n#include \"base/text.h\"\n");
    Write(root() / "sim/device.cpp", "#include \"sim/device.h\"\n#include <cstdio>\n");
  }
  const fs::path& root() const { return workdir_.Path(); }
  std::vector<IncludeViolation> Check() { return CheckIncludes(root(), ParseLayerTable(kTable)); }

  vanto::testing::TempWorkdir workdir_;
};

TEST_F(IncludeCheck, ATreeThatKeepsTheDirectionPasses) {
  EXPECT_EQ(Check(), std::vector<IncludeViolation>{});
}

struct WrongInclude {
  const char* file;
  const char* text;
  int line;
  const char* include;
};

TEST_F(IncludeCheck, NamesTheFileAndLineOfEachWrongInclude) {
  const WrongInclude cases[] = {
      // Upwards: the bottom layer reaches for a layer above it.
      {"src/base/log.h", "#pragma once\n\n#include \"link/port.h\"\n", 3, "link/port.h"},
      // A core folder reaches into a window folder, even of a lower layer.
      {"src/app/core.h", "#include \"link/qt/port_view.h\"\n", 1, "link/qt/port_view.h"},
      // A window folder reaches for the window folder of its own layer's peer above.
      {"src/link/qt/more.h", "#include \"app/main.h\"\n", 1, "app/main.h"},
      // The simulator shares no code with the layers, nor they with it.
      {"sim/board.cpp", "  #  include \"link/port.h\"\n", 1, "link/port.h"},
      {"src/link/sim_bridge.cpp", "#include \"sim/device.h\"\n", 1, "sim/device.h"},
      // A folder the table does not know.
      {"src/link/extra.cpp", "#include \"support/fake.h\"\n", 1, "support/fake.h"},
  };
  for (const WrongInclude& wrong : cases) {
    SCOPED_TRACE(wrong.file);
    Write(root() / wrong.file, wrong.text);
    const std::vector<IncludeViolation> found = Check();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], (IncludeViolation{wrong.file, wrong.line, wrong.include}));
    EXPECT_EQ(Describe(found[0]), std::string(wrong.file) + ":" + std::to_string(wrong.line) +
                                      ": \"" + wrong.include + "\" goes against the layer table");
    fs::remove(root() / wrong.file);
  }
}

TEST_F(IncludeCheck, AFileOutsideEveryLayerMayIncludeOnlyItsOwnFolder) {
  Write(root() / "src/stray/x.cpp", "#include \"x.h\"\n#include \"base/text.h\"\n");
  EXPECT_EQ(Check(), (std::vector<IncludeViolation>{{"src/stray/x.cpp", 2, "base/text.h"}}));
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The real sources against the table in the architecture notes.
TEST(ProjectSources, EveryIncludeKeepsTheLayerDirection) {
  const fs::path root = VANTO_SOURCE_DIR;
  const LayerTable table = ParseLayerTable(ReadText(root / "docs/architecture.md"));
  ASSERT_GE(table.layers.size(), 9u) << "no layer table in docs/architecture.md";
  for (const IncludeViolation& violation : CheckIncludes(root, table))
    ADD_FAILURE() << Describe(violation);
}

}  // namespace
}  // namespace vanto::layering
