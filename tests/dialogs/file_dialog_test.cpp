#include "dialogs/file_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLocale>
#include <QTreeView>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>

#include "dialog_driver.h"
#include "dialogs/qt_dialogs.h"
#include "dialogs/screen_placement.h"

namespace calorix {
namespace {

using testing::WhenShown;

// QFileDialog hides its accept(); the button press reaches it through QDialog.
void Confirm(QDialog& dialog) { dialog.accept(); }

constexpr const char* kLogFilter = "Log files (*.csv)|*.csv|All files (*.*)|*";

TEST(ParseFileFilterTest, SplitsIntoDescriptionAndPatternPairs) {
  EXPECT_EQ(ParseFileFilter(kLogFilter),
            (std::vector<FileTypeFilter>{{"Log files (*.csv)", "*.csv"}, {"All files (*.*)", "*"}}));
}

TEST(ParseFileFilterTest, FinalBarIsOptional) {
  EXPECT_EQ(ParseFileFilter(std::string(kLogFilter) + "|"), ParseFileFilter(kLogFilter));
}

TEST(ParseFileFilterTest, EmptyFilterGivesNoTypes) {
  EXPECT_TRUE(ParseFileFilter("").empty());
  EXPECT_TRUE(ParseFileFilter("|").empty());
}

TEST(ParseFileFilterTest, DescriptionWithoutPatternIsDropped) {
  EXPECT_EQ(ParseFileFilter("A|*.a|B"), (std::vector<FileTypeFilter>{{"A", "*.a"}}));
  EXPECT_EQ(ParseFileFilter("A|*.a|B|"), (std::vector<FileTypeFilter>{{"A", "*.a"}}));
}

TEST(ParseFileFilterTest, EmptyPartEndsTheList) {
  EXPECT_TRUE(ParseFileFilter("A||B|*.b").empty());
  EXPECT_TRUE(ParseFileFilter("|*.a|B|*.b").empty());
  EXPECT_EQ(ParseFileFilter("A|*.a||B|*.b"), (std::vector<FileTypeFilter>{{"A", "*.a"}}));
}

TEST(QtNameFilterTest, AppendsThePatternsForQtToMatch) {
  EXPECT_EQ(QtNameFilter({"Log files (*.csv)", "*.csv"}), "Log files (*.csv) (*.csv)");
  EXPECT_EQ(QtNameFilter({"Bitmaps", "*.bmp; *.dib"}), "Bitmaps (*.bmp *.dib)");
}

TEST(QtNameFilterTest, StarDotStarMatchesNamesWithoutExtensionToo) {
  EXPECT_EQ(QtNameFilter({"All files (*.*)", "*.*"}), "All files (*.*) (*)");
}

TEST(QtNameFilterTest, OneNameFilterPerPair) {
  EXPECT_EQ(QtNameFilters(kLogFilter), (QStringList{"Log files (*.csv) (*.csv)", "All files (*.*) (*)"}));
  EXPECT_TRUE(QtNameFilters("").isEmpty());
}

TEST(QtDefaultSuffixTest, DropsLeadingStarAndDot) {
  EXPECT_EQ(QtDefaultSuffix("CSV"), "CSV");
  EXPECT_EQ(QtDefaultSuffix("*.exe"), "exe");
  EXPECT_EQ(QtDefaultSuffix(".bmp"), "bmp");
  EXPECT_EQ(QtDefaultSuffix(""), "");
}

QStringList ComboTexts(const QFileDialog& dialog) {
  QStringList texts;
  const auto* combo = dialog.findChild<QComboBox*>("fileTypeCombo");
  for (int i = 0; combo != nullptr && i < combo->count(); ++i) texts << combo->itemText(i);
  return texts;
}

// The patterns the dialog lists files by.
QStringList ShownPatterns(const QFileDialog& dialog) {
  const auto* model = dialog.findChild<QFileSystemModel*>();
  return model != nullptr ? model->nameFilters() : QStringList{"(no model)"};
}

class FileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder_.isValid()); }
  QString Folder() const { return QDir(folder_.path()).canonicalPath(); }
  std::string FolderPath() const { return Folder().toStdString(); }
  std::string PathOf(const QString& name) const { return (Folder() + u'/' + name).toStdString(); }
  void CreateFile(const QString& name) const {
    QFile file(Folder() + u'/' + name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }

  QTemporaryDir folder_;
  QtDialogs dialogs_;
};

TEST_F(FileDialogTest, OpenModeSetsUpAnExistingFileChoice) {
  QFileDialog dialog;
  ConfigureFileDialog(dialog, "", kLogFilter, true, "CSV", FolderPath());
  EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
  EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
  EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
  EXPECT_EQ(dialog.nameFilters(), QtNameFilters(kLogFilter));
  EXPECT_EQ(dialog.selectedNameFilter(), "Log files (*.csv)");
  EXPECT_EQ(ShownPatterns(dialog), QStringList{"*.csv"});
  EXPECT_EQ(dialog.directory().canonicalPath(), Folder());
  EXPECT_EQ(dialog.defaultSuffix(), "CSV");
  EXPECT_EQ(dialog.windowTitle(), "Open");
}

// The detail view shows its columns whole: headings and sizes were cut
// off ("99....KiB", "Dernière modifica") in a dialog too small for them.
TEST_F(FileDialogTest, DetailColumnsFitTheirHeadingsAndTheDialogFitsTheColumns) {
  const QLocale before;
  CreateFile("20240531.csv");
  for (const QLocale::Language language : {QLocale::French, QLocale::English}) {
    QLocale::setDefault(QLocale(language));
    QFileDialog dialog;
    ConfigureFileDialog(dialog, "", kLogFilter, true, "CSV", FolderPath());
    // The type the dialog shows for a log file, once it has listed one.
    const auto* model = dialog.findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    const QModelIndex logFile = model->index(Folder() + "/20240531.csv", 2);
    for (int i = 0; i < 100 && logFile.data().toString().isEmpty(); ++i) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    auto* view = dialog.findChild<QTreeView*>("treeView");
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(dialog.viewMode(), QFileDialog::Detail);
    const QHeaderView* header = view->header();
    const QFontMetrics metrics(view->font());
    int total = 0;
    for (int i = 0; i < header->count(); ++i) {
      const QString heading = header->model()->headerData(i, Qt::Horizontal).toString();
      EXPECT_GT(header->sectionSize(i), metrics.horizontalAdvance(heading)) << heading.toStdString();
      total += header->sectionSize(i);
    }
    EXPECT_GE(header->sectionSize(1), metrics.horizontalAdvance(QLocale().formattedDataSize(999'999)));
    EXPECT_GT(header->sectionSize(2), metrics.horizontalAdvance(logFile.data().toString()))
        << logFile.data().toString().toStdString();
    // Wider than the columns, unless the screen is narrower.
    EXPECT_GE(dialog.width(), std::min(total + 1, dialog.screen()->availableGeometry().width()));
  }
  QLocale::setDefault(before);
}

TEST_F(FileDialogTest, TypeListShowsTheDescriptionsAsGiven) {
  QFileDialog dialog;
  ConfigureFileDialog(dialog, "", kLogFilter, true, "", "");
  EXPECT_EQ(ComboTexts(dialog), (QStringList{"Log files (*.csv)", "All files (*.*)"}));
  dialog.selectNameFilter(QtNameFilters(kLogFilter).at(1));
  EXPECT_EQ(ShownPatterns(dialog), QStringList{"*"});
}

TEST_F(FileDialogTest, SaveModeConfirmsOverwritingAndProposesTheName) {
  QFileDialog dialog;
  ConfigureFileDialog(dialog, "chart.bmp", "Bitmap (*.bmp)|*.bmp|", false, "bmp", FolderPath());
  EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
  EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile);
  EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
  EXPECT_EQ(dialog.selectedFiles(), QStringList{QString::fromStdString(PathOf("chart.bmp"))});
  EXPECT_EQ(dialog.windowTitle(), "Save As");
}

TEST_F(FileDialogTest, EmptyFilterAndExtensionSetNothing) {
  QFileDialog dialog;
  ConfigureFileDialog(dialog, "", "", true, "", "");
  EXPECT_TRUE(ComboTexts(dialog).isEmpty());
  EXPECT_TRUE(dialog.defaultSuffix().isEmpty());
}

TEST_F(FileDialogTest, ConfirmedOpenReturnsTheFullPath) {
  CreateFile("day.csv");
  WhenShown<QFileDialog>([](QFileDialog& dialog) {
    dialog.selectFile("day.csv");
    Confirm(dialog);
  });
  const auto fileName = dialogs_.ExecuteFileDialog("", nullptr, kLogFilter, true, "csv", FolderPath());
  EXPECT_EQ(fileName, PathOf("day.csv"));
}

TEST_F(FileDialogTest, DefaultExtensionIsAppendedToATypedNameWithoutOne) {
  CreateFile("day.csv");
  WhenShown<QFileDialog>([](QFileDialog& dialog) {
    dialog.selectFile("day");
    Confirm(dialog);
  });
  const auto fileName = dialogs_.ExecuteFileDialog("", nullptr, kLogFilter, true, "csv", FolderPath());
  EXPECT_EQ(fileName, PathOf("day.csv"));
}

TEST_F(FileDialogTest, WithoutDefaultExtensionATypedNameIsReturnedAsTyped) {
  WhenShown<QFileDialog>([](QFileDialog& dialog) {
    dialog.selectFile("chart");
    Confirm(dialog);
  });
  const auto fileName = dialogs_.ExecuteFileDialog("proposal.bmp", nullptr, "Bitmap|*.bmp", false, "", FolderPath());
  EXPECT_EQ(fileName, PathOf("chart"));
}

TEST_F(FileDialogTest, CancelReturnsNothing) {
  WhenShown<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
  EXPECT_EQ(dialogs_.ExecuteFileDialog("proposal.bmp", nullptr, "Bitmap|*.bmp", false, "bmp", ""), std::nullopt);
}

TEST_F(FileDialogTest, SavingOverAnExistingFileAsksFirst) {
  CreateFile("chart.bmp");
  QString question;
  WhenShown<QFileDialog>([&question](QFileDialog& dialog) {
    WhenShown<QMessageBox>([&question](QMessageBox& box) {
      question = box.text();
      box.button(QMessageBox::Yes)->click();
    });
    dialog.selectFile("chart.bmp");
    Confirm(dialog);
  });
  const auto fileName = dialogs_.ExecuteFileDialog("", nullptr, "Bitmap|*.bmp", false, "bmp", FolderPath());
  EXPECT_EQ(fileName, PathOf("chart.bmp"));
  EXPECT_TRUE(question.contains("chart.bmp"));
}

TEST_F(FileDialogTest, DecliningToOverwriteKeepsTheDialogOpen) {
  CreateFile("chart.bmp");
  bool stillOpen = false;
  WhenShown<QFileDialog>([&stillOpen](QFileDialog& dialog) {
    WhenShown<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::No)->click(); });
    dialog.selectFile("chart.bmp");
    Confirm(dialog);
    stillOpen = dialog.isVisible();
    dialog.reject();
  });
  EXPECT_EQ(dialogs_.ExecuteFileDialog("", nullptr, "Bitmap|*.bmp", false, "bmp", FolderPath()), std::nullopt);
  EXPECT_TRUE(stillOpen);
}

TEST_F(FileDialogTest, DialogIsCentredOnTheScreen) {
  QRect shown;
  WhenShown<QFileDialog>([&shown](QFileDialog& dialog) {
    shown = dialog.frameGeometry();
    dialog.reject();
  });
  QWidget owner;
  owner.setGeometry(5, 5, 50, 50);
  owner.show();
  dialogs_.ExecuteFileDialog("", &owner, kLogFilter, true, "", "");
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(shown.topLeft(), CenteredTopLeft(screen, shown.size()));
}

}  // namespace
}  // namespace calorix
