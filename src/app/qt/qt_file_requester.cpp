#include "app/qt/qt_file_requester.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

#include "foundation/file_paths.h"

namespace vanto {
namespace {

bool EndsWithPatternList(const QString& description) {
  static const QRegularExpression trailingParentheses(QStringLiteral("\\([^()]*\\)\\s*$"));
  return trailingParentheses.match(description).hasMatch();
}

bool IsPattern(const QString& name) {
  return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?')) ||
         name.contains(QLatin1Char('['));
}

QString ExistingFolder(const QString& folder) {
  return QFileInfo(folder).isDir() ? QDir::cleanPath(folder) : QString();
}

}  // namespace

QStringList RequesterNameFilters(std::string_view filterList) {
  const QStringList parts =
      QString::fromUtf8(filterList.data(), static_cast<qsizetype>(filterList.size()))
          .split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    const QString& description = parts[i];
    QString patterns = i + 1 < parts.size() ? parts[i + 1] : QString();
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    patterns = patterns.trimmed();
    if (description.isEmpty() && patterns.isEmpty()) continue;
    if (EndsWithPatternList(description) || patterns.isEmpty()) {
      filters.append(description);
    } else if (description.isEmpty()) {
      filters.append(QStringLiteral("(%1)").arg(patterns));
    } else {
      filters.append(QStringLiteral("%1 (%2)").arg(description, patterns));
    }
  }
  return filters;
}

RequesterStart ResolveRequesterStart(std::string_view initialName, const QString& workingFolder) {
  const QString path = QString::fromStdString(NativePath(initialName));
  const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
  const QString folderPart = slash < 0 ? QString() : path.left(slash);
  const QString namePart = slash < 0 ? path : path.mid(slash + 1);

  RequesterStart start;
  if (slash == 0) {
    start.folder = ExistingFolder(QStringLiteral("/"));
  } else if (QDir::isAbsolutePath(folderPart)) {
    start.folder = ExistingFolder(folderPart);
    // A rooted folder that is not there ("\images" written for another
    // system's drive) stands for the folder of that name beside the program.
    if (start.folder.isEmpty()) {
      start.folder = ExistingFolder(QDir(workingFolder).filePath(folderPart.mid(1)));
    }
  } else if (!folderPart.isEmpty()) {
    start.folder = ExistingFolder(QDir(workingFolder).filePath(folderPart));
  }
  if (start.folder.isEmpty()) start.folder = QDir::cleanPath(workingFolder);
  if (!IsPattern(namePart)) start.fileName = namePart;
  return start;
}

std::string QtFileRequester::OpenFile(const FileRequest& request) {
  return Run(request, false);
}

std::string QtFileRequester::SaveFile(const FileRequest& request) {
  return Run(request, true);
}

std::string QtFileRequester::Run(const FileRequest& request, bool save) {
  QFileDialog dialog(parent_, QString::fromStdString(request.title));
  dialog.setObjectName(QString::fromLatin1(kFileRequesterObjectName));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);

  const QStringList filters = RequesterNameFilters(request.filterList);
  dialog.setNameFilters(filters);
  if (request.selectedFilter >= 0 && request.selectedFilter < filters.size()) {
    dialog.selectNameFilter(filters[request.selectedFilter]);
  }

  const RequesterStart start = ResolveRequesterStart(request.initialName, QDir::currentPath());
  dialog.setDirectory(start.folder);
  if (!start.fileName.isEmpty()) dialog.selectFile(start.fileName);

  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return {};
  return chosen.front().toStdString();
}

}  // namespace vanto
