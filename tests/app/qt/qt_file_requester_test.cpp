// The Qt file requesters, headless: the filter lists as Qt shows them,
// where a requester opens, and real dialogs answered by a test that finds
// them by object name.
#include "app/qt/qt_file_requester.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QPointer>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "support/temp_workdir.h"
#include "testplan/plan_files.h"

namespace vanto {
namespace {

TEST(RequesterFiltersTest, ListsBecomeQtNameFilters) {
  struct Case {
    const char* list;
    QStringList filters;
  };
  for (const Case& c : std::vector<Case>{
           {kOpenPlanFilters, {"Test (*.ept)", "All files (*.*)"}},
           // The save list's ";" makes "All files (*.*)" a second pattern of
           // the first filter and leaves "*.*" as a description of its own.
           {kSavePlanFilters, {"Test (*.ept)", "*.*"}},
           {kPcbImageFilters, {"JPG (*.jpg)", "PNG (*.png)", "All files (*.*)"}},
           {"Pictures|*.jpg;*.png", {"Pictures (*.jpg *.png)"}},
           {"", {}},
       }) {
    EXPECT_EQ(RequesterNameFilters(c.list), c.filters) << c.list;
  }
}

TEST(RequesterStartTest, InitialNamesGiveFolderAndPreselectedFile) {
  testing::TempWorkdir workdir;
  const QString here = QDir::currentPath();
  std::filesystem::create_directories("images");
  std::filesystem::create_directories("testplans");
  struct Case {
    const char* initialName;
    QString folder;
    QString fileName;
  };
  for (const Case& c : std::vector<Case>{
           {"*.ept", here, ""},
           {"testplans\\demo1.ept", here + "/testplans", "demo1.ept"},
           {"testplans/demo1.ept", here + "/testplans", "demo1.ept"},
           {"missing\\plan.ept", here, "plan.ept"},
           // Rooted at another system's drive: the program's own images folder.
           {"\\images\\*.jpg", here + "/images", ""},
           {"", here, ""},
       }) {
    const RequesterStart start = ResolveRequesterStart(c.initialName, here);
    EXPECT_EQ(start.folder, c.folder) << c.initialName;
    EXPECT_EQ(start.fileName, c.fileName) << c.initialName;
  }
  const RequesterStart absolute =
      ResolveRequesterStart((here + "/testplans/x.ept").toStdString(), "/");
  EXPECT_EQ(absolute.folder, here + "/testplans");
  EXPECT_EQ(absolute.fileName, "x.ept");
}

// Closes whatever modal window is up, so a test that went wrong ends at
// once instead of waiting in the dialog's loop until the ctest time-out.
void CloseModalWindow() {
  if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
}

// Answers the next modal requester once it is up. Whatever the answer does,
// a failed assertion included, the requester does not stay open.
void AnswerRequester(std::function<void(QFileDialog&)> answer) {
  QTimer::singleShot(0, [answer] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
      ADD_FAILURE() << "no file requester is up";
      CloseModalWindow();
      QTimer::singleShot(100, CloseModalWindow);  // one that comes up late
      return;
    }
    EXPECT_EQ(dialog->objectName(), kFileRequesterObjectName);
    QPointer<QFileDialog> requester(dialog);
    answer(*dialog);
    if (requester != nullptr && requester->isVisible()) {
      ADD_FAILURE() << "the answer left the requester open";
      requester->reject();
    }
  });
}

TEST(QtFileRequesterTest, OpenRequesterShowsTitleAndFiltersAndReturnsTheChoice) {
  testing::TempWorkdir workdir;
  testing::WriteFile("board.ept", "x\r\n");
  const QString here = QDir::currentPath();
  QtFileRequester requester;

  QString title, selectedFilter, folder;
  QStringList filters;
  bool opening = false;
  AnswerRequester([&](QFileDialog& dialog) {
    title = dialog.windowTitle();
    filters = dialog.nameFilters();
    selectedFilter = dialog.selectedNameFilter();
    folder = dialog.directory().absolutePath();
    opening = dialog.acceptMode() == QFileDialog::AcceptOpen;
    dialog.selectFile(here + "/board.ept");
    static_cast<QDialog&>(dialog).accept();  // QFileDialog keeps its override protected
  });
  const std::string chosen = requester.OpenFile(OpenPlanRequest());

  EXPECT_EQ(chosen, (here + "/board.ept").toStdString());
  EXPECT_EQ(title, "Please choose a file to open");
  EXPECT_EQ(filters, QStringList({"Test (*.ept)", "All files (*.*)"}));
  EXPECT_EQ(selectedFilter, "Test (*.ept)");
  EXPECT_EQ(folder, here);
  EXPECT_TRUE(opening);
}

TEST(QtFileRequesterTest, SaveRequesterStartsWithTheCurrentPlanAndCancelGivesEmptyText) {
  testing::TempWorkdir workdir;
  std::filesystem::create_directories("testplans");
  const QString here = QDir::currentPath();
  QtFileRequester requester;

  QString title, folder;
  QStringList selected;
  bool saving = false;
  AnswerRequester([&](QFileDialog& dialog) {
    title = dialog.windowTitle();
    folder = dialog.directory().absolutePath();
    selected = dialog.selectedFiles();
    saving = dialog.acceptMode() == QFileDialog::AcceptSave;
    dialog.reject();
  });
  EXPECT_EQ(requester.SaveFile(SavePlanRequest("testplans\\demo1.ept")), "");
  EXPECT_EQ(title, "Please choose file to save");
  EXPECT_EQ(folder, here + "/testplans");
  EXPECT_EQ(selected, QStringList{here + "/testplans/demo1.ept"});
  EXPECT_TRUE(saving);

  AnswerRequester([&](QFileDialog& dialog) { static_cast<QDialog&>(dialog).accept(); });
  EXPECT_EQ(requester.SaveFile(SavePlanRequest("testplans\\demo1.ept")),
            (here + "/testplans/demo1.ept").toStdString());
}

}  // namespace
}  // namespace vanto
