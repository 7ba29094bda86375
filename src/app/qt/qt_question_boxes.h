// Yes/No questions through QMessageBox, modal on the main thread.
#pragma once

#include "foundation/question_box.h"

namespace vanto {

class QtQuestionBoxes final : public QuestionBoxes {
 public:
  bool AskYesNo(const std::string& title, const std::string& text) override;
  bool AskYesNoInformation(const std::string& title, const std::string& text) override;
  QuestionAnswer AskYesNoCancel(const std::string& title, const std::string& text) override;
};

}  // namespace vanto
