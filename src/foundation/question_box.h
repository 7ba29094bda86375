// Modal Yes/No questions. The window layer shows a real box; tests answer
// from a script. Called on the main thread only.
#pragma once

#include <string>

namespace vanto {

enum class QuestionAnswer { Yes, No, Cancel };

class QuestionBoxes {
 public:
  virtual ~QuestionBoxes() = default;
  // Shows the question with Yes and No buttons and waits for the answer;
  // true for Yes.
  virtual bool AskYesNo(const std::string& title, const std::string& text) = 0;
  // The same question with the information icon, for news such as a newer
  // release; a box without icons asks it like any other.
  virtual bool AskYesNoInformation(const std::string& title, const std::string& text) {
    return AskYesNo(title, text);
  }
  // A question that can also be called off: Yes, No and Cancel buttons,
  // Cancel also when the box is closed. A box that knows only Yes and No
  // asks it as such.
  virtual QuestionAnswer AskYesNoCancel(const std::string& title, const std::string& text) {
    return AskYesNo(title, text) ? QuestionAnswer::Yes : QuestionAnswer::No;
  }
};

}  // namespace vanto
