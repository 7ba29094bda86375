// The plan cells the trees and the board view read, besides the result
// cells of testplan/record_cells.h.
#pragma once

namespace vanto::cell {

inline constexpr int kRecord = 1;      // the row's own number, or the mark below
inline constexpr int kPin = 11;        // pin number; "1" is drawn as a square
inline constexpr int kUserText = 12;   // free text after the description
inline constexpr int kImageFile = 13;  // plan row: the board photograph
inline constexpr int kViewX = 14;      // centre of the board view, photograph pixels
inline constexpr int kViewY = 15;
inline constexpr int kZoom = 16;   // float text
inline constexpr int kTestX = 17;  // the pin on the photograph
inline constexpr int kTestY = 18;

// Put in the Record cell while the editor deletes a component.
inline constexpr const char* kDeleteMark = "delete";
// The first pin of a package.
inline constexpr const char* kFirstPin = "1";

}  // namespace vanto::cell
