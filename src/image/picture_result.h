// What decoding or loading a picture gives: the picture, or why there is none.
#pragma once

#include <string>
#include <utility>

#include "image/picture.h"

namespace vanto {

enum class PictureError {
  None,
  FileNotReadable,  // missing, not a regular file, or a read failed
  UnknownFormat,    // empty, or the first bytes match no supported format
  Corrupt,          // the decoder gave up on the data
  TooLarge,         // dimensions or pixel memory beyond the program's limits
  Unsupported,      // valid data of a kind the program does not show
  OutOfMemory,      // the pixel memory could not be had
};

struct PictureResult {
  Picture picture;
  PictureError error = PictureError::None;
  std::string errorText;  // short, for the log; empty when there is a picture

  bool Ok() const { return error == PictureError::None; }

  static PictureResult Success(Picture picture) {
    PictureResult result;
    result.picture = std::move(picture);
    return result;
  }
  static PictureResult Failure(PictureError error, std::string text) {
    PictureResult result;
    result.error = error;
    result.errorText = std::move(text);
    return result;
  }
};

}  // namespace vanto
