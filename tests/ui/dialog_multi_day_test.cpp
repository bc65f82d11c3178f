#include "ui/dialog_multi_day.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "core/utf8_path.h"
#include "support/day_file_text.h"
#include "tools/log_generator.h"
#include "ui/multi_day_rules.h"
#include "ui_test_support.h"

namespace calorix::ui {
namespace {

namespace fs = std::filesystem;
using testing::EnglishTexts;
using testing::TempFolder;
using testing::WindowTest;

std::string Utf8(const fs::path& path) { return Utf8Of(path); }

// Hourly records are enough for a range and keep the files small.
std::vector<fs::path> WriteRange(const fs::path& dir, CivilDate from, CivilDate to, loggen::FolderLayout layout) {
  loggen::Options options;
  options.intervalMinutes = 60;
  return loggen::WriteDays(from, to, dir, layout, options);
}

// The dialog as the main window uses it, on a window with scripted dialogs,
// in English.
class MultiDayDialogTest : public ::testing::Test {
 protected:
  MultiDayDialogTest() : dialog_(test_.Dialogs()) {}

  void SetUp() override {
    dialog_.PrepareAnalysis(&test_.Window(), Utf8(folder_.Path()));
    dialog_.show();
  }

  template <class T>
  T& Find(const char* name) {
    T* found = dialog_.findChild<T*>(name);
    if (!found) throw std::runtime_error(name);
    return *found;
  }
  QLineEdit& PathFrom() { return Find<QLineEdit>("PathFrom"); }
  QLineEdit& PathTo() { return Find<QLineEdit>("PathTo"); }
  QPushButton& Button(const char* name) { return Find<QPushButton>(name); }
  QProgressBar& Progress() { return Find<QProgressBar>("ProgressBar"); }

  void Execute(const fs::path& from, const fs::path& to) {
    PathFrom().setText(QString::fromStdString(Utf8(from)));
    PathTo().setText(QString::fromStdString(Utf8(to)));
    Button("ExecuteBtn").click();
  }

  // Runs action once when the progress bar reaches the position, in the
  // middle of the load.
  void AtProgress(int position, std::function<void()> action) {
    QObject::connect(&Progress(), &QProgressBar::valueChanged, &dialog_, [=](int value) mutable {
      if (value == position && action) std::exchange(action, nullptr)();
    });
  }

  std::vector<std::string> Messages() const { return test_.MessageTexts(); }
  std::string Caption() { return test_.Window().windowTitle().toStdString(); }

  bool Choosing() {
    return Button("ExecuteBtn").isVisible() && Button("ExecuteBtn").isEnabled() && Button("CancelBtn").isVisible() &&
           Button("CancelBtn").isEnabled() && !Button("OkBtn").isVisible() && Button("SelectFrom").isEnabled() &&
           Button("SelectTo").isEnabled() && !Find<QLabel>("LabelAbort").isVisible() && !dialog_.IsLoading() &&
           dialog_.isVisible();
  }

  EnglishTexts english_;
  TempFolder folder_;
  WindowTest test_;
  TDialogMultiDayAnalysis dialog_;
};

TEST_F(MultiDayDialogTest, ShowsItsCaptionsAndStartsReadyToChoose) {
  EXPECT_EQ(dialog_.windowTitle().toStdString(), "Analysis of several days' duration:");
  EXPECT_EQ(Find<QLabel>("LabelFrom").text().toStdString(), "From date:");
  EXPECT_EQ(Find<QLabel>("LabelTo").text().toStdString(), "To date:");
  EXPECT_EQ(Button("SelectFrom").text().toStdString(), "Search...");
  EXPECT_EQ(Button("SelectTo").text().toStdString(), "Search...");
  EXPECT_EQ(Button("ExecuteBtn").text().toStdString(), "Analyse");
  EXPECT_EQ(Find<QLabel>("LabelAbort").text().toStdString(), "Press Esc key to cancel.");
  EXPECT_EQ(Button("CancelBtn").text().toStdString(), "A&bbrechen");
  EXPECT_EQ(Button("OkBtn").text().toStdString(), "&OK");
  EXPECT_TRUE(Button("ExecuteBtn").isDefault());
  EXPECT_EQ(Progress().maximum(), 1);
  EXPECT_EQ(Progress().value(), 0);
  EXPECT_EQ(PathFrom().text().toStdString(), Utf8(folder_.Path()));
  EXPECT_EQ(PathTo().text().toStdString(), Utf8(folder_.Path()));
  EXPECT_TRUE(Choosing());
}

// Each check: its message, and the field to correct focused and selected.
struct CheckCase {
  const char* name;
  const char* from;  // file names below the folder; "" names a missing file
  const char* to;
  std::string message;  // {}: the missing file does not exist
  const char* focused;  // the edit that takes the focus, or nullptr
};

class MultiDayChecks : public MultiDayDialogTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(MultiDayChecks, ReportTheirTextAndKeepTheDialogOpen) {
  const CheckCase& c = GetParam();
  for (const char* name : {"20240530.csv", "20240602.csv", "20240530.txt", "log.csv", "2024-05-30.csv"}) {
    folder_.Write(name, calorix::testing::DayFileText("2024-05-30", {"12:00;1;2;3;4;5;6;7;8;9;0;0;0;0"}));
  }
  const fs::path from = folder_ / (*c.from ? c.from : "20240529.csv");
  const fs::path to = folder_ / (*c.to ? c.to : "20240603.csv");
  Execute(from, to);

  const std::string missing = Utf8(*c.from ? to : from);
  const std::string expected = c.message.empty() ? "This file does not exist.\n\n" + missing : c.message;
  EXPECT_EQ(Messages(), std::vector<std::string>{expected});
  EXPECT_EQ(test_.Dialogs().Messages().back().caption, "Error");
  if (c.focused) {
    QLineEdit& edit = Find<QLineEdit>(c.focused);
    EXPECT_EQ(dialog_.focusWidget(), &edit);
    EXPECT_EQ(edit.selectedText(), edit.text());
  }
  EXPECT_TRUE(Choosing());
  EXPECT_FALSE(test_.Window().HasEvaluation());
}

INSTANTIATE_TEST_SUITE_P(
    MultiDayDialog, MultiDayChecks,
    ::testing::Values(CheckCase{"StartMissing", "", "20240602.csv", {}, "PathFrom"},
                      CheckCase{"EndMissing", "20240530.csv", "", {}, "PathTo"},
                      CheckCase{"NotCsv", "20240530.txt", "20240602.csv",
                                "Only the '.csv' extension is permitted for log files.", nullptr},
                      CheckCase{"NoDate", "log.csv", "20240602.csv",
                                "The file names you specified do not contain valid date information.", nullptr},
                      CheckCase{"StartNotADate", "2024-05-30.csv", "20240602.csv",
                                "The start file selected cannot be assigned to a date.", nullptr},
                      CheckCase{"EndNotADate", "20240530.csv", "2024-05-30.csv",
                                "The end file selected cannot be assigned to a date.", nullptr},
                      CheckCase{"EndBeforeStart", "20240602.csv", "20240530.csv",
                                "The end file date is before the start file date.", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MultiDayDialogTest, WithoutATargetWindowSaysSo) {
  dialog_.PrepareAnalysis(nullptr, "");
  Execute(folder_ / "a.csv", folder_ / "b.csv");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(Messages()[0].starts_with("Another analysis window could not be opened."));
  EXPECT_TRUE(Choosing());
}

// The three folder layouts, with a day missing: the files between the two
// chosen ones are found, the end file is taken as given, and the dialog
// ends in its finished state.
class MultiDayLayouts : public MultiDayDialogTest, public ::testing::WithParamInterface<loggen::FolderLayout> {};

TEST_P(MultiDayLayouts, LoadTheRangeIntoTheWindow) {
  const auto files = WriteRange(folder_.Path(), {2024, 5, 29}, {2024, 6, 2}, GetParam());
  fs::remove(files[3]);  // 1 June
  Execute(files.front(), files.back());

  EXPECT_TRUE(Messages().empty()) << Messages().front();
  EXPECT_EQ(Caption(), "Analysis from 29.05.2024 to 02.06.2024. (4 files found)");
  EXPECT_TRUE(test_.Window().HasEvaluation());
  EXPECT_TRUE(test_.Window().isEnabled());
  EXPECT_EQ(test_.SpanChoice().count(), 5);
  // Finished: only OK is left.
  EXPECT_TRUE(Button("OkBtn").isVisible());
  EXPECT_TRUE(Button("OkBtn").isDefault());
  EXPECT_FALSE(Button("ExecuteBtn").isVisible());
  EXPECT_FALSE(Button("CancelBtn").isVisible());
  for (const char* name : {"PathFrom", "PathTo", "SelectFrom", "SelectTo"}) {
    EXPECT_FALSE(Find<QWidget>(name).isEnabled()) << name;
  }
  EXPECT_EQ(Progress().maximum(), 4);
  EXPECT_EQ(Progress().value(), 4);
  EXPECT_FALSE(Find<QLabel>("LabelAbort").isVisible());
  Button("OkBtn").click();
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog_.isVisible());
}

INSTANTIATE_TEST_SUITE_P(MultiDayDialog, MultiDayLayouts,
                         ::testing::Values(loggen::FolderLayout::Flat, loggen::FolderLayout::Month,
                                           loggen::FolderLayout::Year));

TEST_F(MultiDayDialogTest, ProgressStartsAtOneAfterTheFirstFileAndCountsEveryFile) {
  const auto files = WriteRange(folder_.Path(), {2024, 5, 30}, {2024, 6, 2}, loggen::FolderLayout::Flat);
  std::vector<int> positions;
  QObject::connect(&Progress(), &QProgressBar::valueChanged, [&](int value) { positions.push_back(value); });
  Execute(files.front(), files.back());
  EXPECT_EQ(positions, (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(MultiDayDialogTest, SamePathLoadsOneDayAndClosesWithOk) {
  const auto files = WriteRange(folder_.Path(), {2024, 5, 30}, {2024, 5, 30}, loggen::FolderLayout::Flat);
  Execute(files[0], files[0]);
  EXPECT_EQ(Messages(), std::vector<std::string>{"You have only selected 1 day. Simple analysis started."});
  EXPECT_EQ(test_.Dialogs().Messages()[0].caption, "Information");
  EXPECT_TRUE(Caption().starts_with("Analysis from 30.")) << Caption();
  EXPECT_EQ(test_.SpanChoice().count(), 4);
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog_.isVisible());
}

TEST_F(MultiDayDialogTest, SamePathThatFailsToLoadKeepsTheDialogOpen) {
  const fs::path bad = folder_.Write("20240530.csv", "not a log file\r\n");
  Execute(bad, bad);
  EXPECT_EQ(Messages(), std::vector<std::string>{"The file you specified is not a valid log file.\n\n" + Utf8(bad)});
  EXPECT_TRUE(Choosing());
}

TEST_F(MultiDayDialogTest, SameDateInTwoPlacesLoadsOnlyTheEndFile) {
  // The start file is never read: it could not be loaded.
  const fs::path start = folder_.Write("a/20240530.csv", "not a log file\r\n");
  const auto end = WriteRange(folder_ / "b", {2024, 5, 30}, {2024, 5, 30}, loggen::FolderLayout::Flat);
  Execute(start, end[0]);
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(test_.Window().HasEvaluation());
  // A single day: no month to show.
  EXPECT_EQ(test_.SpanChoice().count(), 4);
  EXPECT_EQ(Caption(), "Analysis from 30.05.2024 to 30.05.2024. (1 files found)");
}

// Esc and the close box abort a load between two files: the window is
// empty again, text 80 is shown and the dialog can run again. Neither
// closes the dialog.
class MultiDayAbort : public MultiDayDialogTest, public ::testing::WithParamInterface<bool> {};

TEST_P(MultiDayAbort, StopsTheLoadAndAllowsAnotherRun) {
  const bool closeBox = GetParam();
  const auto files = WriteRange(folder_.Path(), {2024, 5, 1}, {2024, 5, 10}, loggen::FolderLayout::Flat);
  std::vector<int> positions;
  QObject::connect(&Progress(), &QProgressBar::valueChanged, [&](int value) { positions.push_back(value); });
  AtProgress(3, [&] {
    // As the window system delivers them: to the focused edit (which
    // leaves Esc to the dialog), or to the dialog itself.
    if (closeBox) {
      QApplication::postEvent(&dialog_, new QCloseEvent);
    } else {
      QApplication::postEvent(&PathFrom(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    }
  });
  Execute(files.front(), files.back());

  // Seen before the fourth file.
  EXPECT_EQ(positions, (std::vector<int>{1, 2, 3, 0}));
  EXPECT_EQ(Messages(), std::vector<std::string>{"Aborted by user."});
  EXPECT_EQ(test_.Dialogs().Messages()[0].caption, "Information");
  EXPECT_FALSE(test_.Window().HasEvaluation());
  EXPECT_EQ(Caption(), "New");
  EXPECT_TRUE(test_.Window().isEnabled());
  EXPECT_TRUE(Choosing());

  Button("ExecuteBtn").click();
  EXPECT_TRUE(test_.Window().HasEvaluation());
  EXPECT_EQ(Caption(), "Analysis from 01.05.2024 to 10.05.2024. (10 files found)");
  EXPECT_EQ(Messages().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(MultiDayDialog, MultiDayAbort, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "CloseBox" : "EscKey"; });

TEST_F(MultiDayDialogTest, WhileLoadingTheWindowIsHeldAndExecuteDoesNotRunTwice) {
  const auto files = WriteRange(folder_.Path(), {2024, 5, 1}, {2024, 5, 6}, loggen::FolderLayout::Flat);
  bool windowEnabled = true;
  bool executeEnabled = true;
  int loads = 0;
  QObject::connect(&Progress(), &QProgressBar::valueChanged, [&](int value) { loads += value == 1; });
  AtProgress(2, [&] {
    windowEnabled = test_.Window().isEnabled();
    executeEnabled = Button("ExecuteBtn").isEnabled();
    dialog_.ExecuteBtnClick();
  });
  Execute(files.front(), files.back());
  EXPECT_FALSE(windowEnabled);
  EXPECT_FALSE(executeEnabled);
  EXPECT_EQ(loads, 1);
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(test_.Window().isEnabled());
  EXPECT_EQ(Caption(), "Analysis from 01.05.2024 to 06.05.2024. (6 files found)");
}

TEST_F(MultiDayDialogTest, NoFilesIsReportedBeforeAnythingIsDisabled) {
  dialog_.RunAnalysis({}, 0.0, 0.0);
  EXPECT_EQ(Messages(), std::vector<std::string>{"No files were found, please check file path and try again."});
  EXPECT_TRUE(Choosing());
}

TEST_F(MultiDayDialogTest, EveryFileFailingLeavesAnEmptyWindowAndOneMessage) {
  // Valid headers without records: each file fails when its day is read.
  std::vector<fs::path> files;
  for (const char* name : {"20240530.csv", "20240531.csv", "20240601.csv"}) {
    files.push_back(folder_.Write(name, calorix::testing::DayFileText("", {})));
  }
  Execute(files.front(), files.back());

  ASSERT_EQ(Messages().size(), 1u);
  const std::string message = Messages()[0];
  EXPECT_TRUE(message.starts_with("None of the selected files could be loaded.\n\n")) << message;
  for (const char* name : {"20240530.csv", "20240531.csv", "20240601.csv"}) {
    EXPECT_NE(message.find(name), std::string::npos) << name;
  }
  EXPECT_EQ(test_.Dialogs().Messages()[0].caption, "Error");
  EXPECT_FALSE(test_.Window().HasEvaluation());
  EXPECT_EQ(Caption(), "New");
  EXPECT_TRUE(Choosing());
  EXPECT_EQ(Progress().value(), 0);
}

TEST_F(MultiDayDialogTest, FilesThatFailAreNamedInOneMessageAfterTheLoad) {
  const auto files = WriteRange(folder_.Path(), {2024, 5, 1}, {2024, 5, 5}, loggen::FolderLayout::Flat);
  for (const std::size_t i : {1u, 3u}) calorix::testing::WriteBytes(files[i], calorix::testing::DayFileText("", {}));
  Execute(files.front(), files.back());

  ASSERT_EQ(Messages().size(), 1u);
  const std::string message = Messages()[0];
  EXPECT_TRUE(message.starts_with("Some files could not be loaded and were left out:\n\n")) << message;
  EXPECT_NE(message.find("20240502.csv"), std::string::npos);
  EXPECT_NE(message.find("20240504.csv"), std::string::npos);
  EXPECT_EQ(message.find("20240503.csv"), std::string::npos);
  EXPECT_TRUE(test_.Window().HasEvaluation());
  EXPECT_TRUE(Button("OkBtn").isVisible());
}

TEST_F(MultiDayDialogTest, FilesReadOnlyInPartAreNamedInOneWarningAfterTheLoad) {
  const auto files = WriteRange(folder_.Path(), {2024, 5, 1}, {2024, 5, 5}, loggen::FolderLayout::Flat);
  for (const std::size_t i : {1u, 3u}) {
    std::ofstream(files[i], std::ios::binary | std::ios::app) << "2024-05-0" << (i + 1) << " 23:59;1.5\r\n";
  }
  Execute(files.front(), files.back());

  ASSERT_EQ(test_.Dialogs().Messages().size(), 1u);
  const auto& warning = test_.Dialogs().Messages()[0];
  EXPECT_EQ(warning.kind, MessageKind::Warning);
  EXPECT_TRUE(warning.text.starts_with("Reading stopped at line ")) << warning.text;
  EXPECT_NE(warning.text.find(Utf8(files[1])), std::string::npos);
  EXPECT_NE(warning.text.find(Utf8(files[3])), std::string::npos);
  EXPECT_TRUE(test_.Window().HasEvaluation());
}

TEST_F(MultiDayDialogTest, BrowseButtonsStartInTheFolderOfTheFileChosenBefore) {
  const std::string folder = Utf8(folder_.Path());
  const std::string first = Utf8(folder_ / "2024" / "05" / "20240530.csv");
  const std::string last = Utf8(folder_ / "2024" / "06" / "20240602.csv");
  const std::string firstsFolder = Utf8(folder_ / "2024" / "05" / "");
  ScriptedDialogs& dialogs = test_.Dialogs();
  dialogs.ChooseFile(first);
  Button("SelectFrom").click();
  EXPECT_EQ(PathFrom().text().toStdString(), first);
  EXPECT_EQ(PathTo().text().toStdString(), firstsFolder);

  dialogs.ChooseFile(last);
  Button("SelectTo").click();
  dialogs.CancelFile();
  Button("SelectFrom").click();
  dialogs.ChooseFile(first);
  Button("SelectFrom").click();
  EXPECT_EQ(PathTo().text().toStdString(), last);  // chosen, so it stays

  const auto& requests = dialogs.FileRequests();
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_EQ(requests[0].initialFolder, folder);
  EXPECT_EQ(requests[1].initialFolder, firstsFolder);
  EXPECT_EQ(requests[2].initialFolder, firstsFolder);
  EXPECT_EQ(requests[0].filter, "Log files (*.csv)|*.csv|All files (*.*)|*");
  EXPECT_EQ(requests[0].defaultExtension, "CSV");
  EXPECT_TRUE(requests[0].openMode);
  EXPECT_EQ(requests[0].owner, &dialog_);
  EXPECT_EQ(dialog_.GetLastDir(), firstsFolder);
}

TEST_F(MultiDayDialogTest, TypedPathsKeepTheRememberedFolder) {
  const auto files = WriteRange(folder_.Path(), {2024, 5, 30}, {2024, 5, 31}, loggen::FolderLayout::Flat);
  Execute(files.front(), files.back());
  EXPECT_EQ(dialog_.GetLastDir(), Utf8(folder_.Path()));
}

TEST_F(MultiDayDialogTest, EscWhileChoosingCancelsAndAfterAFinishedRunCloses) {
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&dialog_, &esc);
  EXPECT_EQ(dialog_.result(), QDialog::Rejected);
  EXPECT_FALSE(dialog_.isVisible());

  const auto files = WriteRange(folder_.Path(), {2024, 5, 30}, {2024, 5, 31}, loggen::FolderLayout::Flat);
  dialog_.PrepareAnalysis(&test_.Window(), Utf8(folder_.Path()));
  dialog_.show();
  Execute(files.front(), files.back());
  QApplication::sendEvent(&dialog_, &esc);
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
}

// The folder rules on their own.

TEST(RememberedFolder, AFolderThatExistsComesBackUnchanged) {
  const TempFolder folder;
  const std::string path = Utf8(folder.Path());
  EXPECT_EQ(RememberedFolder(path), path);
  EXPECT_EQ(RememberedFolder(path + "/"), path + "/");
  EXPECT_EQ(RememberedFolder(path + "/gone"), path + "/");
  EXPECT_EQ(RememberedFolder("gone"), "");
}

TEST(BrowseStartFolder, IsTheFolderOfAFile) {
  const TempFolder folder;
  const std::string path = Utf8(folder.Path());
  EXPECT_EQ(BrowseStartFolder(path), path);
  EXPECT_EQ(BrowseStartFolder(path + "/20240530.csv"), path + "/");
  EXPECT_EQ(BrowseStartFolder(""), "");
}

TEST(FailedFiles, ListsAtMostTenFilesOnOneLineEach) {
  FailedFiles failed;
  failed.Add("/logs/20240501.csv", "Error occurred while opening file\n\n/logs/20240501.csv");
  for (int day = 2; day <= 12; ++day) failed.Add("/logs/202405" + std::to_string(day) + ".csv", "Bad.");
  const EnglishTexts english;
  const std::string message = failed.Message(false);
  EXPECT_TRUE(
      message.starts_with("Some files could not be loaded and were left out:\n\n"
                          "Error occurred while opening file /logs/20240501.csv\n"
                          "202405"
                          "2.csv: Bad.\n"))
      << message;
  EXPECT_TRUE(message.ends_with("20240510.csv: Bad.\n..."));
  EXPECT_EQ(failed.Count(), 12u);
}

}  // namespace
}  // namespace calorix::ui
