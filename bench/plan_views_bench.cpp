// The trees and the board view on a plan of 10,000 records with a
// 24-megapixel JPEG photograph (6000 x 4000), as they run on every record
// change: the test tree refresh after one navigation step (budget 20 ms,
// which the trees' refresh after a mark keeps too) and a new board view
// rendering with the photograph already decoded (budget 30 ms), at the
// board view size of a 1545-pixel window (464 x 464).
//   build/bench/vanto_ui_bench --benchmark_filter=Plan --benchmark_repetitions=9
#include <benchmark/benchmark.h>
#include <turbojpeg.h>
#include <unistd.h>

#include <QApplication>
#include <QTreeWidget>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "testplan/plan_cells.h"
#include "testplan/qt/board_view.h"
#include "testplan/qt/tree_panel.h"
#include "testplan/test_trees.h"
#include "testplan/record_cells.h"

namespace vanto {
namespace {

constexpr int kRecords = 10000;
constexpr int kPinsPerComponent = 8;
constexpr int kPhotoWidth = 6000;
constexpr int kPhotoHeight = 4000;
constexpr int kBoardViewSide = 464;

// Gradients with fine texture, so the file is as large as a real
// photograph rather than a trivially compressible one.
std::vector<std::uint8_t> PhotoLikePixels() {
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(kPhotoWidth) * kPhotoHeight * 3);
  std::uint32_t seed = 12345;
  std::size_t at = 0;
  for (int y = 0; y < kPhotoHeight; ++y) {
    for (int x = 0; x < kPhotoWidth; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int texture = static_cast<int>(seed >> 27) - 16;
      const int base[3] = {x * 200 / kPhotoWidth + 30, y * 180 / kPhotoHeight + 40, (x + y) % 256};
      for (int c = 0; c < 3; ++c) {
        const int value = base[c] + texture;
        rgb[at++] = static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
      }
    }
  }
  return rgb;
}

// The photograph file, written once per run into a folder of its own.
class PhotographFile {
 public:
  PhotographFile() {
    char pattern[] = "/tmp/vanto-bench-XXXXXX";
    folder_ = ::mkdtemp(pattern);
    path_ = (folder_ / "board.jpg").string();
    const std::vector<std::uint8_t> rgb = PhotoLikePixels();
    tjhandle handle = tjInitCompress();
    unsigned char* data = nullptr;
    unsigned long size = 0;
    tjCompress2(handle, rgb.data(), kPhotoWidth, 0, kPhotoHeight, TJPF_RGB, &data, &size,
                TJSAMP_420, 90, 0);
    std::ofstream(path_, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    tjFree(data);
    tjDestroy(handle);
  }
  ~PhotographFile() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  const std::string& Path() const { return path_; }

 private:
  std::filesystem::path folder_;
  std::string path_;
};

const PhotographFile& Photograph() {
  static const PhotographFile file;
  return file;
}

// Components of eight pins, results mixed, pins spread over the board, each
// record viewed at zoom 4 around its pin.
TestPlanState LargePlan(const std::string& photograph) {
  TestPlanState plan;
  plan.table.InsertEmptyRows(2, kRecords);
  plan.table.SetCell(1, cell::kImageFile, photograph);
  const char* results[] = {"Good", "Good", "Good", "Bad", "Untested"};
  for (int row = 2; row <= kRecords + 1; ++row) {
    const int index = row - 2;
    const int x = 100 + (index * 37) % (kPhotoWidth - 200);
    const int y = 100 + (index * 53) % (kPhotoHeight - 200);
    plan.table.SetCell(row, cell::kRecord, std::to_string(row));
    plan.table.SetCell(row, cell::kComponent, "U" + std::to_string(index / kPinsPerComponent + 1));
    plan.table.SetCell(row, cell::kPin, std::to_string(index % kPinsPerComponent + 1));
    plan.table.SetCell(row, cell::kStatus, results[index % 5]);
    plan.table.SetCell(row, cell::kSignature, "Yes");
    plan.table.SetCell(row, cell::kViewX, std::to_string(x));
    plan.table.SetCell(row, cell::kViewY, std::to_string(y));
    plan.table.SetCell(row, cell::kZoom, "4");
    plan.table.SetCell(row, cell::kTestX, std::to_string(x));
    plan.table.SetCell(row, cell::kTestY, std::to_string(y));
  }
  plan.currentRecord = 2;
  return plan;
}

// The two panels shown in a window, filled once as after loading a plan.
struct TreeScene {
  explicit TreeScene(TestPlanState& planIn) : plan(planIn) {
    window.resize(600, 700);
    testTree->setGeometry(0, 0, 230, 690);
    badTree->setGeometry(240, 0, 230, 690);
    window.show();
    Refresh();
    QApplication::processEvents();
  }
  void Refresh() {
    RefreshTestTree(*testTree, plan, title);
    RefreshBadTree(*badTree, plan, title);
  }
  void Step() {
    plan.currentRecord = plan.currentRecord >= kRecords + 1 ? 2 : plan.currentRecord + 1;
  }

  TestPlanState& plan;
  const std::string title = "testplans/large.ept";
  QWidget window;
  TreePanel* testTree = CreateTestTreePanel(&window, TreeIcons{});
  TreePanel* badTree = CreateBadTreePanel(&window, TreeIcons{});
};

void BM_PlanRefreshTestTreeAfterNavigation(benchmark::State& state) {
  TestPlanState plan = LargePlan("board.jpg");
  TreeScene scene(plan);
  for (auto _ : state) {
    scene.Step();
    RefreshTestTree(*scene.testTree, plan, scene.title);
  }
  state.counters["items"] = scene.testTree->Model().Count();
}
BENCHMARK(BM_PlanRefreshTestTreeAfterNavigation)->Unit(benchmark::kMillisecond);

// Both trees and the repaint that follows in the event loop.
void BM_PlanRefreshBothTreesAndRepaint(benchmark::State& state) {
  TestPlanState plan = LargePlan("board.jpg");
  TreeScene scene(plan);
  for (auto _ : state) {
    scene.Step();
    scene.Refresh();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_PlanRefreshBothTreesAndRepaint)->Unit(benchmark::kMillisecond);

// A mark during a run: the next record's result turns (Good to Bad or
// back, so the bad tree gains or loses an item each time) and the trees
// show it at once. "Full" refreshes both trees as a record change does;
// "Marked" refreshes only the record's test-tree items and the bad tree.
void MarkNextRecord(benchmark::State& state, bool full) {
  TestPlanState plan = LargePlan("board.jpg");
  TreeScene scene(plan);
  int row = 1;
  for (auto _ : state) {
    row = row >= kRecords + 1 ? 2 : row + 1;
    const bool bad = plan.table.CellView(row, cell::kStatus) == cell::kBad;
    plan.table.SetCell(row, cell::kStatus, bad ? cell::kGood : cell::kBad);
    if (full) {
      scene.Refresh();
    } else {
      RefreshTestTreeRecord(*scene.testTree, plan, row);
      RefreshBadTree(*scene.badTree, plan, scene.title);
    }
  }
}

void BM_PlanMarkRecordFullRefresh(benchmark::State& state) {
  MarkNextRecord(state, true);
}
BENCHMARK(BM_PlanMarkRecordFullRefresh)->Unit(benchmark::kMillisecond);

void BM_PlanMarkRecordMarkedRefresh(benchmark::State& state) {
  MarkNextRecord(state, false);
}
BENCHMARK(BM_PlanMarkRecordMarkedRefresh)->Unit(benchmark::kMillisecond);

// After loading a plan or "Collapse Test Tree": the tree built from nothing.
void BM_PlanBuildTestTreeFromNothing(benchmark::State& state) {
  TestPlanState plan = LargePlan("board.jpg");
  TreeScene scene(plan);
  for (auto _ : state) {
    scene.testTree->Clear();
    RefreshTestTree(*scene.testTree, plan, scene.title);
  }
}
BENCHMARK(BM_PlanBuildTestTreeFromNothing)->Unit(benchmark::kMillisecond);

// A record change: the next record's view rendered from the kept photograph.
void RenderNextRecord(benchmark::State& state, bool wholeBoard) {
  TestPlanState plan = LargePlan(Photograph().Path());
  const Settings settings;
  BoardView board(plan, settings);
  board.State().wholeBoardView = wholeBoard;
  board.Render(2, QSize(kBoardViewSide, kBoardViewSide));  // decodes once
  if (board.Photographs().DecodeCount() != 1 || !board.State().hasWindow) {
    state.SkipWithError("photograph not loaded");
    return;
  }
  int record = 2;
  for (auto _ : state) {
    record = record >= kRecords + 1 ? 2 : record + 1;
    const QImage view = board.Render(record, QSize(kBoardViewSide, kBoardViewSide));
    benchmark::DoNotOptimize(view.constBits());
  }
  state.counters["decodes"] = board.Photographs().DecodeCount();
}

void BM_PlanBoardViewRecordChangeZoom4(benchmark::State& state) {
  RenderNextRecord(state, false);
}
BENCHMARK(BM_PlanBoardViewRecordChangeZoom4)->Unit(benchmark::kMillisecond);

// The worst case: the whole photograph scaled into the view.
void BM_PlanBoardViewRecordChangeWholeBoard(benchmark::State& state) {
  RenderNextRecord(state, true);
}
BENCHMARK(BM_PlanBoardViewRecordChangeWholeBoard)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vanto
