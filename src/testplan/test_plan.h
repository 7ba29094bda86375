// The test plan: one rectangular table of text cells, row 1 the plan row,
// rows 2.. the test records, with the ".ept" file form. Main thread only.
//
// Rows are stored packed (one text buffer and the cell ends per row), so a
// plan of ten thousand records with two signatures each stays close to its
// file size in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/messages.h"

namespace vanto {

inline constexpr int kPlanColumns = 576;    // columns of a plan made by "New"
inline constexpr int kMaxRowsPerChange = 1000;

// What a plan file may make the loader hold. A file is refused, with the
// table left as it was, when it is larger than kMaxPlanFileBytes, when its
// table would have more than kMaxPlanCells cells, or when its table would
// have more cells than the file has bytes beyond the full-width rows every
// plan is widened to (rows x kPlanColumns): a well-formed file has at least
// one byte (its separator) per cell, so only a file of lines with wildly
// unequal comma counts comes near that bound. Memory then stays in
// proportion to the file: about 4 bytes per cell and 2 per file byte.
inline constexpr std::size_t kMaxPlanFileBytes = 512u * 1024u * 1024u;
inline constexpr std::size_t kMaxPlanCells = 32u * 1024u * 1024u;

class TestPlan {
 public:
  TestPlan();  // 1 row of kPlanColumns empty cells

  int Rows() const;
  int Columns() const;

  // Cells are numbered from 1. Reading outside the table gives empty text;
  // writing outside it is ignored.
  std::string Cell(int row, int column) const;
  std::string_view CellView(int row, int column) const;  // valid until the next change
  void SetCell(int row, int column, std::string_view text);

  // Replaces the table with `rows` x `columns` empty cells (both at least 1).
  void Reset(int rows, int columns);
  // Inserts `count` empty rows so that the first becomes row `beforeRow`.
  void InsertEmptyRows(int beforeRow, int count);
  // Removes `count` rows starting at `firstRow` (clipped to the table).
  void RemoveRows(int firstRow, int count);

  // Rows in .ept line form: cells joined by ",", a "," inside a cell as "£".
  void AppendRowAsLine(int row, std::string& out) const;
  // Fills a row from one .ept line; extra cells beyond Columns() are dropped
  // (the loader sizes the table so that none are).
  void SetRowFromLine(int row, std::string_view line);

  // Bytes held by the table, for the memory budget.
  std::size_t MemoryBytes() const;

  // Whether the table has changed since it was made, loaded or saved. Every
  // change to a cell or to the rows sets it; writing a cell's own text
  // again does not. Saving leaves the table as it is, so MarkSaved is const.
  bool HasUnsavedChanges() const { return unsaved_; }
  void MarkSaved() const { unsaved_ = false; }

 private:
  struct Row {
    std::string text;                // the cells' text, one after another
    std::vector<std::uint32_t> ends;  // end offset of each cell in `text`
  };
  int columns_ = kPlanColumns;
  std::vector<Row> rows_;
  mutable bool unsaved_ = false;  // not part of the table's content
};

struct TestPlanState {
  TestPlan table;
  int currentRecord = 1;  // 1 selects the plan row; RowCount()+1 is "past the end"
};

int RowCount(const TestPlanState& plan);

// On failure the table is left as it was and the coded message shown:
// "Error #0065 Cannot open .ept file" (also for a folder, a pipe or a
// device, which are never opened), "Error #0071" for a file beyond the
// limits above, "Error #0064 File cannot be created". A load never drops
// cells: lines with more cells widen the table, and a table narrower than
// kPlanColumns is widened to it. The new table is complete before it
// replaces the old one. A save writes a temporary file beside the plan and
// renames it over the plan. Both leave the table marked as saved.
bool LoadTestPlan(TestPlanState& plan, std::string_view fileName, Messages& messages);
bool SaveTestPlan(const TestPlanState& plan, std::string_view fileName, Messages& messages);
void NewTestPlan(TestPlanState& plan);

void InsertRecordsAfter(TestPlanState& plan, int count);
void InsertRecordBefore(TestPlanState& plan);
void DeleteRecords(TestPlanState& plan, int count);
void RenumberRecords(TestPlanState& plan);
void NextRecord(TestPlanState& plan);
void PreviousRecord(TestPlanState& plan);

}  // namespace vanto
