// Files and folders dropped on the main window, and the recent files of
// the File menu; the rules are tested on their own (drop_rules_test.cpp,
// tests/settings/recent_files_test.cpp).

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "core/utf8_path.h"
#include "dialogs/scripted_dialogs.h"
#include "i18n/text_table.h"
#include "settings/ini_settings.h"
#include "support/temp_folder.h"
#include "ui/child_form.h"
#include "ui/dialog_multi_day.h"

namespace calorix::app {
namespace {

namespace fs = std::filesystem;
using calorix::testing::TempFolder;

// Paths as the program keeps them: with the platform's separators.
const fs::path kSamples = fs::path(CALORIX_SAMPLES_DIR).make_preferred();
std::string Sample(const char* relative) { return (kSamples / relative).make_preferred().string(); }
const std::string kMayRange = "Auswertung vom 01.05.2024 bis 31.05.2024. (31 Dateien gefunden)";

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void Settle() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

class DropTest : public ::testing::Test {
 protected:
  DropTest() {
    form = std::make_unique<TMainform>(
        dialogs, [this] { return std::make_unique<TIniSettings>(folder.Path() / "Calorix.ini", "/opt/calorix/"); });
    // German at a first start whatever the machine's locale says.
    form->SetSystemLanguages({});
    form->show();
    form->HandleFirstActivation();
    Settle();
  }

  // Drops the paths on the main window as a file manager does.
  void Drop(const std::vector<std::string>& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& path : paths) urls << QUrl::fromLocalFile(QString::fromStdString(path));
    data.setUrls(urls);
    const QPointF at(form->width() / 2.0, form->height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form.get(), &enter);
    accepted = enter.isAccepted();
    if (!accepted) return;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form.get(), &drop);
    Settle();
  }

  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (const ui::TChildform* child : form->Children()) captions.push_back(child->windowTitle().toStdString());
    return captions;
  }

  TempFolder folder;
  ScriptedDialogs dialogs;
  std::unique_ptr<TMainform> form;
  bool accepted = false;
};

TEST_F(DropTest, ADayFileOpensAsOpenDoes) {
  Drop({Sample("2024/05/20240531.csv")});
  ASSERT_TRUE(accepted);
  ASSERT_EQ(form->WindowCount(), 1);
  EXPECT_TRUE(form->ActiveChild()->HasEvaluation());
  EXPECT_EQ(form->ActiveChild()->Model().ShownDay(), 45443.0);  // 2024-05-31
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(DropTest, TwoDayFilesOpenTheRangeBetweenThem) {
  Drop({Sample("2024/05/20240531.csv"), Sample("2024/05/20240501.csv")});
  EXPECT_EQ(Captions(), std::vector<std::string>{kMayRange});
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(DropTest, AFolderOffersItsFirstAndLastDayFileInTheMultiDayDialog) {
  ui::TDialogMultiDayAnalysis& dialog = form->MultiDayDialog();
  std::string from;
  std::string to;
  // The dialog comes up after the drop has ended; until then this waits.
  std::function<void()> drive = [&] {
    if (!dialog.isVisible()) {
      QTimer::singleShot(10, &dialog, drive);
      return;
    }
    from = dialog.findChild<QLineEdit*>("PathFrom")->text().toStdString();
    to = dialog.findChild<QLineEdit*>("PathTo")->text().toStdString();
    dialog.findChild<QPushButton*>("ExecuteBtn")->click();
    dialog.findChild<QPushButton*>("OkBtn")->click();
  };
  QTimer::singleShot(0, &dialog, drive);
  Drop({(kSamples / "2024" / "05").string()});
  EXPECT_EQ(from, Sample("2024/05/20240501.csv"));
  EXPECT_EQ(to, Sample("2024/05/20240531.csv"));
  EXPECT_EQ(Captions(), std::vector<std::string>{kMayRange});
  // The range analysed in the dialog is a recent entry too.
  EXPECT_EQ(form->RecentFiles(), (std::vector<RecentEntry>{{from, to}}));
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(DropTest, AFolderWithoutDayFilesSaysSo) {
  folder.Write("empty/readme.txt", "x");
  Drop({(folder.Path() / "empty").string()});
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0].text,
            i18n::Text(i18n::kTextNoFilesFound) + "\n\n" + (folder.Path() / "empty").string());
  EXPECT_FALSE(form->ActiveChild()->HasEvaluation());
}

TEST_F(DropTest, SomethingThatIsNoFileIsRefused) {
  QMimeData data;
  data.setText("20240531.csv");
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(form.get(), &enter);
  EXPECT_FALSE(enter.isAccepted());
}

using RecentFilesTest = DropTest;

QAction& Item(TMainform& form, int number) {
  return *form.findChild<QAction*>(QStringLiteral("MenuRecent%1").arg(number));
}

TEST_F(RecentFilesTest, OpenedFilesAndRangesComeOnTopOfTheFileMenuAndStay) {
  EXPECT_FALSE(Item(*form, 1).isVisible());
  const std::string may31 = Sample("2024/05/20240531.csv");
  form->OpenFiles({may31});
  Drop({Sample("2024/05/20240501.csv"), may31});
  ASSERT_EQ(form->RecentFiles().size(), 2u);
  EXPECT_EQ(form->RecentFiles()[0], (RecentEntry{Sample("2024/05/20240501.csv"), may31}));
  EXPECT_EQ(Item(*form, 1).text().toStdString(), "&1 " + Sample("2024/05/20240501.csv") + " \u2013 " + may31);
  EXPECT_EQ(Item(*form, 2).text().toStdString(), "&2 " + may31);
  EXPECT_TRUE(Item(*form, 2).isVisible());
  EXPECT_FALSE(Item(*form, 3).isVisible());
  // A new start reads them back from the settings file.
  form.reset();
  form = std::make_unique<TMainform>(
      dialogs, [this] { return std::make_unique<TIniSettings>(folder.Path() / "Calorix.ini", "/opt/calorix/"); });
  EXPECT_EQ(form->RecentFiles().size(), 2u);
  EXPECT_TRUE(Item(*form, 2).isVisible());
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(RecentFilesTest, ChoosingOneOpensItAgainAndAMissingOneIsTakenOffWithAMessage) {
  const auto gone = folder.Write("20240531.csv", ReadFile(Sample("2024/05/20240531.csv")));
  form->OpenFiles({gone.string()});
  form->OpenFiles({Sample("2024/05/20240530.csv")});
  Item(*form, 2).trigger();
  Settle();
  EXPECT_EQ(form->RecentFiles()[0].first, gone.string());
  EXPECT_EQ(form->ActiveChild()->Model().ShownDay(), 45443.0);  // 2024-05-31
  std::filesystem::remove(gone);
  Item(*form, 1).trigger();
  Settle();
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0].text, i18n::Text(i18n::kTextRecentFileMissing) + "\n\n" + gone.string());
  EXPECT_EQ(form->RecentFiles(), (std::vector<RecentEntry>{{Sample("2024/05/20240530.csv"), ""}}));
  EXPECT_FALSE(Item(*form, 2).isVisible());
}

// A day file below a user's folder ("C:\Users\Jörg\Solar"), chosen as Qt's
// dialog gives it (with "/" on Windows too): kept with the platform's
// separators, remembered, read back after a restart and opened again.
TEST_F(RecentFilesTest, AFileBelowAFolderNamedInAnyScriptIsRememberedAndOpensAgain) {
  for (const char8_t* user : {u8"J\u00f6rg", u8"\u0410\u043d\u043d\u0430"}) {
    const fs::path solar = folder.Path() / user / "Solar";
    fs::create_directories(solar);
    fs::copy_file(Sample("2024/05/20240531.csv"), solar / "20240531.csv");
    const std::string file = Utf8Of(solar / "20240531.csv");
    std::string chosen = file;
    std::replace(chosen.begin(), chosen.end(), '\\', '/');
    dialogs.ChooseFile(chosen);
    form->Action(CommandId::Open)->trigger();
    Settle();
    EXPECT_EQ(form->SettingsStore()->GetMainSettings().LastUsedDir, Utf8Of(solar));

    form.reset();
    form = std::make_unique<TMainform>(
        dialogs, [this] { return std::make_unique<TIniSettings>(folder.Path() / "Calorix.ini", "/opt/calorix/"); });
    form->show();
    ASSERT_FALSE(form->RecentFiles().empty());
    EXPECT_EQ(form->RecentFiles()[0], (RecentEntry{file, ""}));
    EXPECT_EQ(form->SettingsStore()->GetMainSettings().LastUsedDir, Utf8Of(solar));
    Item(*form, 1).trigger();
    Settle();
    ASSERT_NE(form->ActiveChild(), nullptr);
    EXPECT_EQ(form->ActiveChild()->Model().ShownDay(), 45443.0);  // 2024-05-31
  }
  EXPECT_TRUE(dialogs.Messages().empty());
}

}  // namespace
}  // namespace calorix::app
