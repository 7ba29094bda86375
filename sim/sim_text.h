// Small text helpers of the simulator's own files: whole-file reads, lines
// without their ends and comments, words, numbers with SI prefixes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vanto::sim {

// The whole file; nullopt when it cannot be opened.
std::optional<std::string> ReadTextFile(const std::string& path);

// One meaningful line of a script or list file.
struct TextLine {
  int number;             // 1-based, for messages
  std::string_view text;  // without line end, comment ('#' to the end) and outer blanks
};

// Lines ending in CR LF, LF or CR; blank and comment-only lines are left out.
std::vector<TextLine> MeaningfulLines(std::string_view text);

std::string_view Trim(std::string_view text);
std::vector<std::string_view> SplitWords(std::string_view text);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

std::optional<std::int64_t> ParseInteger(std::string_view text);
std::optional<double> ParseNumber(std::string_view text);

// A component value the way boards are labelled: "1k", "4.7k", "4k7", "100n",
// "2M2", "4R7", "5V1", "10u" (also the micro sign). nullopt when not a value.
std::optional<double> ParseComponentValue(std::string_view text);

// Writes "orx_sim: <text>" to standard error.
void ReportWarning(const std::string& text);

}  // namespace vanto::sim
