#include "app/qt/qt_message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QThread>

namespace vanto {

namespace {

QMessageBox::Icon ToQt(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::Information: return QMessageBox::Information;
    case BoxIcon::Warning: return QMessageBox::Warning;
    case BoxIcon::Error: return QMessageBox::Critical;
    case BoxIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

void ShowNow(BoxIcon icon, const QString& title, const QString& body) {
  QMessageBox box(ToQt(icon), title, body, QMessageBox::Ok);
  box.exec();
}

}  // namespace

void QtMessageBoxes::Show(BoxIcon icon, const std::string& title, const std::string& body) {
  QString qtTitle = QString::fromStdString(title);
  QString qtBody = QString::fromStdString(body);
  if (QThread::currentThread() == qApp->thread()) {
    ShowNow(icon, qtTitle, qtBody);
  } else {
    QMetaObject::invokeMethod(
        qApp, [icon, qtTitle, qtBody] { ShowNow(icon, qtTitle, qtBody); }, Qt::QueuedConnection);
  }
}

void ShowCrashReportBox(const std::string& report) {
  // The report separates its lines by CR alone; a box wants LF.
  QString text = QString::fromStdString(report);
  text.replace('\r', '\n');
  ShowNow(BoxIcon::None, QStringLiteral("OnError Handler"), text.trimmed());
}

}  // namespace vanto
