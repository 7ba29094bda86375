#include "layering/include_rules.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/temp_workdir.h"

namespace vanto::layering {

// Failures print as the checker reports them.
void PrintTo(const IncludeViolation& violation, std::ostream* out) {
  *out << Describe(violation);
}
void PrintTo(const LinkViolation& violation, std::ostream* out) { *out << Describe(violation); }

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

void Write(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  std::ofstream(file) << text;
}

TEST(LayerTable, ReadsNumberedRowsOfTheLayersSectionOnly) {
  const LayerTable table = ParseLayerTable(kTable);
  EXPECT_EQ(table.layers, (std::vector<std::string>{"base", "link", "app"}));
  EXPECT_EQ(table.apart, (std::vector<std::string>{"sim"}));
  EXPECT_EQ(table.libraries.front(), (std::pair<std::string, std::string>{"base", "base"}));
  EXPECT_EQ(table.libraries[2], (std::pair<std::string, std::string>{"link_qt", "link/qt"}));
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
    Write(root() / "src/link/CMakeLists.txt",
          "add_library(link STATIC port.cpp)\n"
          "# target_link_libraries(link PUBLIC app) is not a call\n"
          "target_link_libraries(link PUBLIC base ${CMAKE_DL_LIBS} Threads::Threads)\n");
    Write(root() / "src/link/qt/CMakeLists.txt",
          "target_link_libraries(link_qt\n  PUBLIC link base\n  Qt6::Gui)\n");
  }
  const fs::path& root() const { return workdir_.Path(); }
  std::vector<IncludeViolation> Check() { return CheckIncludes(root(), ParseLayerTable(kTable)); }
  std::vector<LinkViolation> CheckLinked() { return CheckLinks(root(), ParseLayerTable(kTable)); }

  vanto::testing::TempWorkdir workdir_;
};

TEST_F(IncludeCheck, ATreeThatKeepsTheDirectionPasses) {
  EXPECT_EQ(Check(), std::vector<IncludeViolation>{});
  EXPECT_EQ(CheckLinked(), std::vector<LinkViolation>{});
}

TEST_F(IncludeCheck, NamesTheLineOfEachLibraryLinkedAgainstTheTable) {
  Write(root() / "src/base/CMakeLists.txt", "target_link_libraries(base PUBLIC link)\n");
  Write(root() / "src/app/CMakeLists.txt",
        "target_link_libraries(app\n  PUBLIC link\n  PRIVATE link_qt Qt6::Core)\n");
  EXPECT_EQ(CheckLinked(), (std::vector<LinkViolation>{{"src/app/CMakeLists.txt", 3, "link_qt"},
                                                       {"src/app/CMakeLists.txt", 3, "Qt6::Core"},
                                                       {"src/base/CMakeLists.txt", 1, "link"}}));
  EXPECT_EQ(Describe(LinkViolation{"src/base/CMakeLists.txt", 1, "link"}),
            "src/base/CMakeLists.txt:1: links link against the layer table");
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
TEST(ProjectSources, EveryIncludeAndLinkKeepsTheLayerDirection) {
  const fs::path root = VANTO_SOURCE_DIR;
  const LayerTable table = ParseLayerTable(ReadText(root / "docs/architecture.md"));
  ASSERT_GE(table.layers.size(), 9u) << "no layer table in docs/architecture.md";
  ASSERT_GE(table.libraries.size(), 12u) << "the layer table names no libraries";
  for (const IncludeViolation& violation : CheckIncludes(root, table))
    ADD_FAILURE() << Describe(violation);
  for (const LinkViolation& violation : CheckLinks(root, table))
    ADD_FAILURE() << Describe(violation);
}

}  // namespace
}  // namespace vanto::layering
