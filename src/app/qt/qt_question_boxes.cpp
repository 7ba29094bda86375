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

QuestionAnswer QtQuestionBoxes::AskYesNoCancel(const std::string& title,
                                               const std::string& text) {
  QMessageBox box(QMessageBox::Question, QString::fromStdString(title),
                  QString::fromStdString(text),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::Cancel);  // closing the box calls the command off
  switch (box.exec()) {
    case QMessageBox::Yes: return QuestionAnswer::Yes;
    case QMessageBox::No: return QuestionAnswer::No;
    default: return QuestionAnswer::Cancel;
  }
}

}  // namespace vanto
