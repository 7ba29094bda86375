#include "app/qt/qt_question_boxes.h"

#include <QMessageBox>

namespace vanto {

bool QtQuestionBoxes::AskYesNo(const std::string& title, const std::string& text) {
  const QMessageBox::StandardButton answer = QMessageBox::question(
      nullptr, QString::fromStdString(title), QString::fromStdString(text),
      QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
  return answer == QMessageBox::Yes;
}

bool QtQuestionBoxes::AskYesNoInformation(const std::string& title, const std::string& text) {
  QMessageBox box(QMessageBox::Information, QString::fromStdString(title),
                  QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No);
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace vanto
