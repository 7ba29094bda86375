// The test plan table, its ".ept" text form and the row operations that
// the test run, the trees and the editor call.
#include "testplan/test_plan.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>
#include <utility>

#include "foundation/file_paths.h"
#include "foundation/message_texts.h"
#include "foundation/text_lines.h"

namespace vanto {

namespace {

// "£" in UTF-8: the file's stand-in for a comma inside a cell.
constexpr unsigned char kPoundLead = 0xC2;
constexpr unsigned char kPoundTrail = 0xA3;

}  // namespace

TestPlan::TestPlan() {
  Reset(1, kPlanColumns);
}

int TestPlan::Rows() const {
  return static_cast<int>(rows_.size());
}

int TestPlan::Columns() const {
  return columns_;
}

std::string_view TestPlan::CellView(int row, int column) const {
  if (row < 1 || row > Rows() || column < 1 || column > columns_) return {};
  const Row& r = rows_[row - 1];
  std::uint32_t start = column == 1 ? 0 : r.ends[column - 2];
  return std::string_view(r.text).substr(start, r.ends[column - 1] - start);
}

std::string TestPlan::Cell(int row, int column) const {
  return std::string(CellView(row, column));
}

void TestPlan::SetCell(int row, int column, std::string_view text) {
  if (row < 1 || row > Rows() || column < 1 || column > columns_) return;
  Row& r = rows_[row - 1];
  std::uint32_t start = column == 1 ? 0 : r.ends[column - 2];
  std::uint32_t oldLength = r.ends[column - 1] - start;
  if (std::string_view(r.text).substr(start, oldLength) == text) return;  // no change
  unsaved_ = true;
  r.text.replace(start, oldLength, text);
  // Every cell from this one on moves by the change in length; unsigned
  // wrap-around makes the shrinking case come out right as well.
  std::uint32_t shift = static_cast<std::uint32_t>(text.size()) - oldLength;
  for (std::size_t c = static_cast<std::size_t>(column - 1); c < r.ends.size(); ++c) {
    r.ends[c] += shift;
  }
}

void TestPlan::Reset(int rows, int columns) {
  // Rows that stay keep their buffers: loading a plan over one of a like
  // size then needs no new memory, which is most of the cost of a load.
  columns_ = std::max(columns, 1);
  unsaved_ = false;
  rows_.resize(static_cast<std::size_t>(std::max(rows, 1)));
  for (Row& r : rows_) {
    r.text.clear();
    r.ends.assign(static_cast<std::size_t>(columns_), 0);
  }
}

void TestPlan::InsertEmptyRows(int beforeRow, int count) {
  if (count < 1) return;
  beforeRow = std::clamp(beforeRow, 1, Rows() + 1);
  Row empty;
  empty.ends.assign(static_cast<std::size_t>(columns_), 0);
  rows_.insert(rows_.begin() + (beforeRow - 1), static_cast<std::size_t>(count), empty);
  unsaved_ = true;
}

void TestPlan::RemoveRows(int firstRow, int count) {
  if (count < 1) return;
  const int first = std::max(firstRow, 1);
  const auto lastWanted = static_cast<long long>(firstRow) + count - 1;
  const int last = static_cast<int>(std::min<long long>(lastWanted, Rows()));  // inclusive
  if (first > last) return;
  rows_.erase(rows_.begin() + (first - 1), rows_.begin() + last);
  unsaved_ = true;
  if (rows_.empty()) Reset(1, columns_);  // the table never has zero rows
}

void TestPlan::AppendRowAsLine(int row, std::string& out) const {
  if (row < 1 || row > Rows()) return;
  const Row& r = rows_[row - 1];
  const char* text = r.text.data();
  const std::size_t textSize = r.text.size();
  const std::size_t commasInside =
      static_cast<std::size_t>(std::count(r.text.begin(), r.text.end(), ','));
  // Each inside comma grows by one byte ("£" is two); one separator per gap.
  const std::size_t lineSize = textSize + commasInside + static_cast<std::size_t>(columns_ - 1);
  const std::size_t at = out.size();
  out.resize(at + lineSize);
  char* write = out.data() + at;
  // Cells are short, so the copy is done cell by cell in line; the first
  // comma inside any cell is looked up once and passed by.
  const char* nextComma = commasInside == 0
                              ? text + textSize
                              : static_cast<const char*>(std::memchr(text, ',', textSize));
  std::uint32_t start = 0;
  for (int c = 0; c < columns_; ++c) {
    if (c > 0) *write++ = ',';
    const std::uint32_t end = r.ends[static_cast<std::size_t>(c)];
    if (nextComma >= text + end) {
      std::memcpy(write, text + start, end - start);
      write += end - start;
    } else {
      for (std::uint32_t i = start; i < end; ++i) {
        if (text[i] == ',') {
          *write++ = static_cast<char>(kPoundLead);
          *write++ = static_cast<char>(kPoundTrail);
        } else {
          *write++ = text[i];
        }
      }
      const void* found = std::memchr(text + end, ',', textSize - end);
      nextComma = found != nullptr ? static_cast<const char*>(found) : text + textSize;
    }
    start = end;
  }
}

namespace {

// Marks the bytes of `word` equal to `byte` with their top bit; exact for
// every byte (no carries between bytes), so either end may be searched.
std::uint64_t BytesEqual(std::uint64_t word, unsigned char byte) {
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
  const std::uint64_t x = word ^ (0x0101010101010101ULL * byte);
  return ~(((x & kLow7) + kLow7) | x) & ~kLow7;
}

// Index of the first byte in memory order among the marked ones.
int FirstMarkedByte(std::uint64_t marks) {
  if constexpr (std::endian::native == std::endian::little) {
    return std::countr_zero(marks) / 8;
  } else {
    return std::countl_zero(marks) / 8;
  }
}

}  // namespace

void TestPlan::SetRowFromLine(int row, std::string_view line) {
  if (row < 1 || row > Rows()) return;
  unsaved_ = true;
  Row& r = rows_[row - 1];
  // The cell text is never longer than the line: separators are dropped
  // and "£" shrinks to one byte. So the copy may run ahead of the kept text
  // by a few bytes without leaving the buffer.
  r.text.resize(line.size());
  char* write = r.text.data();
  std::uint32_t* ends = r.ends.data();
  const std::size_t lastCell = r.ends.size();
  std::uint32_t length = 0;
  std::size_t cell = 0;
  const char* p = line.data();
  const char* const end = p + line.size();

  // Eight bytes at a time: copy them, then keep them up to the first
  // separator or "£" lead byte. Cells are short, so this goes cell by cell
  // rather than byte by byte.
  while (end - p >= 8) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    std::memcpy(write + length, p, 8);
    const std::uint64_t marks = BytesEqual(word, ',') | BytesEqual(word, kPoundLead);
    if (marks == 0) {
      length += 8;
      p += 8;
      continue;
    }
    const int at = FirstMarkedByte(marks);
    length += static_cast<std::uint32_t>(at);
    p += at;
    if (*p == ',') {
      ++p;
      ends[cell] = length;
      if (++cell == lastCell) break;  // cells past the last column are dropped
    } else if (p + 1 < end && static_cast<unsigned char>(p[1]) == kPoundTrail) {
      write[length++] = ',';
      p += 2;
    } else {
      ++length;  // a lone lead byte is kept as it is
      ++p;
    }
  }
  while (cell < lastCell && p < end) {
    const char c = *p++;
    if (c == ',') {
      ends[cell++] = length;
    } else if (static_cast<unsigned char>(c) == kPoundLead && p < end &&
               static_cast<unsigned char>(*p) == kPoundTrail) {
      write[length++] = ',';
      ++p;
    } else {
      write[length++] = c;
    }
  }
  for (; cell < lastCell; ++cell) ends[cell] = length;
  r.text.resize(length);
}

std::size_t TestPlan::MemoryBytes() const {
  std::size_t bytes = sizeof(TestPlan) + rows_.capacity() * sizeof(Row);
  for (const Row& r : rows_) {
    // Short texts live inside the string object itself, already counted.
    if (r.text.capacity() > std::string().capacity()) bytes += r.text.capacity() + 1;
    bytes += r.ends.capacity() * sizeof(std::uint32_t);
  }
  return bytes;
}

int RowCount(const TestPlanState& plan) {
  return plan.table.Rows();
}

namespace {

// Whether a table of `rows` x `columns` cells read from a file of
// `fileBytes` bytes stays within what a plan file may make the loader hold.
bool PlanFitsLimits(std::size_t rows, std::size_t columns, std::size_t fileBytes) {
  if (columns > kMaxPlanCells / rows) return false;
  const std::size_t cells = rows * columns;
  if (cells > kMaxPlanCells) return false;
  const std::size_t widened = rows * static_cast<std::size_t>(kPlanColumns);
  return cells <= widened || cells - widened <= fileBytes;
}

}  // namespace

bool LoadTestPlan(TestPlanState& plan, std::string_view fileName, Messages& messages) {
  std::string content;
  switch (ReadWholeFile(fileName, content, kMaxPlanFileBytes)) {
    case FileRead::Done: break;
    case FileRead::TooLarge: messages.ShowMessage(text::kPlanTooLarge); return false;
    case FileRead::Failed: messages.ShowMessage(text::kCannotOpenEpt); return false;
  }
  const std::vector<std::string_view> lines = SplitLines(content);
  std::size_t totalCommas = 0;
  std::size_t widestCommas = 0;
  for (std::string_view line : lines) {
    const auto commas = static_cast<std::size_t>(std::count(line.begin(), line.end(), ','));
    totalCommas += commas;
    widestCommas = std::max(widestCommas, commas);
  }
  const std::size_t lineCount = std::max<std::size_t>(lines.size(), 1);
  // The average width is what a well-formed file gives; a longer line
  // widens the table rather than losing cells, and the other parts of the
  // program need every column of a full plan.
  const std::size_t averageColumns = totalCommas / lineCount + 1;
  const std::size_t columns =
      std::max({averageColumns, widestCommas + 1, static_cast<std::size_t>(kPlanColumns)});
  if (!PlanFitsLimits(lineCount, columns, content.size())) {
    messages.ShowMessage(text::kPlanTooLarge);
    return false;
  }

  // The new table is built apart, so that running out of memory half-way
  // leaves the plan in use, with its results, as it was.
  try {
    TestPlan table;
    table.Reset(static_cast<int>(lineCount), static_cast<int>(columns));
    for (std::size_t i = 0; i < lines.size(); ++i) {
      table.SetRowFromLine(static_cast<int>(i + 1), lines[i]);
    }
    table.MarkSaved();
    plan.table = std::move(table);
  } catch (const std::bad_alloc&) {
    messages.ShowMessage(text::kPlanTooLarge);
    return false;
  }
  return true;
}

bool SaveTestPlan(const TestPlanState& plan, std::string_view fileName, Messages& messages) {
  const TestPlan& table = plan.table;
  std::string content;
  // The text form is about the size of the table in memory: one separator
  // per cell where the table keeps a four-byte cell end. Reserving that much
  // saves copying a growing buffer; pages never written cost nothing.
  content.reserve(table.MemoryBytes());
  for (int r = 1; r <= table.Rows(); ++r) {
    table.AppendRowAsLine(r, content);
    content.append(kLineEnd);
  }
  if (!ReplaceFileAtomically(fileName, content)) {
    messages.ShowMessage(text::kFileCannotBeCreated);
    return false;
  }
  table.MarkSaved();
  return true;
}

void NewTestPlan(TestPlanState& plan) {
  plan.table.Reset(1, kPlanColumns);
}

namespace {

// The row that insertions and deletions work from: "past the last record"
// counts as the last record.
int WorkingRow(const TestPlanState& plan) {
  return std::clamp(plan.currentRecord, 1, RowCount(plan));
}

int ClampChangeCount(int count) {
  return std::clamp(count, 1, kMaxRowsPerChange);
}

}  // namespace

void InsertRecordsAfter(TestPlanState& plan, int count) {
  const int after = WorkingRow(plan);
  plan.table.InsertEmptyRows(after + 1, ClampChangeCount(count));
  plan.currentRecord = after + 1;
}

void InsertRecordBefore(TestPlanState& plan) {
  if (plan.currentRecord <= 1) return;  // nothing may precede the plan row
  // Past the last record the new row is appended and becomes current.
  const int before = std::min(plan.currentRecord, RowCount(plan) + 1);
  plan.table.InsertEmptyRows(before, 1);
  plan.currentRecord = before;
}

void DeleteRecords(TestPlanState& plan, int count) {
  if (plan.currentRecord <= 1) return;  // the plan row is never deleted
  plan.table.RemoveRows(plan.currentRecord, ClampChangeCount(count));
  plan.currentRecord = std::clamp(plan.currentRecord, 1, RowCount(plan));
}

void RenumberRecords(TestPlanState& plan) {
  for (int r = 1; r <= RowCount(plan); ++r) plan.table.SetCell(r, 1, std::to_string(r));
}

void NextRecord(TestPlanState& plan) {
  if (plan.currentRecord < RowCount(plan)) ++plan.currentRecord;
}

void PreviousRecord(TestPlanState& plan) {
  if (plan.currentRecord > 1) --plan.currentRecord;
}

}  // namespace vanto
