#include "app/qt/qt_browser_opener.h"

#include <QDesktopServices>
#include <QUrl>

namespace vanto {

void QtBrowserOpener::Open(const std::string& url) {
  QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

}  // namespace vanto
