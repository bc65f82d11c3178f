#pragma once

// The main window as the program creates it, with scripted dialogs and a
// settings file in a temporary folder; shared by the main window's tests.

#include "app/main_form.h"

#include "app/builtin_settings.h"
#include "app/language_choices.h"
#include "core/error.h"
#include "dialogs/scripted_dialogs.h"
#include "i18n/text_table.h"
#include "settings/ini_settings.h"
#include "settings/profile_file.h"
#include "ui/child_form.h"
#include "ui/dialog_multi_day.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace calorix::app::testing {

namespace fs = std::filesystem;
using calorix::testing::ReadBytes;
using calorix::testing::TempFolder;
using calorix::testing::WriteBytes;

inline constexpr int kTextMaximumReached = 96;

// Paths as the program keeps them: with the platform's separators.
inline const fs::path kSamples = fs::path(CALORIX_SAMPLES_DIR).make_preferred();

inline std::string Sample(const char* relative) { return (kSamples / relative).make_preferred().string(); }

// Where file dialogs start while nothing is stored.
inline std::string HomeFolder() { return QDir::toNativeSeparators(QDir::homePath() + "/").toStdString(); }

inline const std::string kMay1 = Sample("2024/05/20240501.csv");
inline const std::string kMay30 = Sample("2024/05/20240530.csv");
inline const std::string kMay31 = Sample("2024/05/20240531.csv");
inline const std::string kJune1 = Sample("2024/06/20240601.csv");
inline const std::string kJune2 = Sample("2024/06/20240602.csv");

// Lets closed windows go and queued refreshes run.
inline void Settle() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    i18n::SetCurrentBlock(i18n::LanguageBlock::English);
    WriteBytes(badFile_, "this is not a log file\r\n");
  }
  // Every scripted answer was asked for.
  void TearDown() override { EXPECT_TRUE(dialogs_.ScriptUsedUp()); }

  fs::path IniPath() const { return folder_ / "Calorix.ini"; }

  SettingsStoreFactory StoreFactory() {
    return [this] { return std::make_unique<TIniSettings>(IniPath(), "/opt/calorix/"); };
  }

  // The main window as the program creates it, not shown yet.
  void Create(const SettingsStoreFactory& factory) {
    form_ = std::make_unique<TMainform>(dialogs_, factory);
    // German at a first start whatever the machine's locale says.
    form_->SetSystemLanguages({});
  }
  void Create() { Create(StoreFactory()); }

  // Shown and activated: the empty start-up window is there.
  void Show() {
    form_->show();
    form_->HandleFirstActivation();
    Settle();
  }
  void Start() {
    Create();
    Show();
  }

  void Open(const std::string& path) {
    dialogs_.ChooseFile(path);
    form_->Action(CommandId::Open)->trigger();
    Settle();
  }

  // The caption a window shows for a file, from a window of its own.
  std::string CaptionFor(const std::string& path) {
    ScriptedDialogs dialogs;
    ui::TChildform probe(dialogs);
    probe.LoadFile(path);
    return probe.windowTitle().toStdString();
  }

  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (const ui::TChildform* child : form_->Children()) {
      captions.push_back(child->windowTitle().toStdString());
    }
    return captions;
  }

  int QuestionsAsked() const {
    int count = 0;
    for (const auto& message : dialogs_.Messages()) count += message.buttons == MessageButtons::YesNo;
    return count;
  }

  // Runs the multi-day command; while its dialog is up, drive acts on it
  // as the user would.
  void RunMultiDay(const std::function<void(ui::TDialogMultiDayAnalysis&)>& drive) {
    ui::TDialogMultiDayAnalysis& dialog = form_->MultiDayDialog();
    QTimer::singleShot(0, &dialog, [&dialog, drive] {
      drive(dialog);
      // Whatever drive did, the dialog closes so that the command ends.
      if (dialog.isVisible()) dialog.findChild<QPushButton*>("CancelBtn")->click();
    });
    form_->Action(CommandId::MultiDayAnalysis)->trigger();
    Settle();
  }

  static void Analyse(ui::TDialogMultiDayAnalysis& dialog, const std::string& from, const std::string& to) {
    dialog.findChild<QLineEdit*>("PathFrom")->setText(QString::fromStdString(from));
    dialog.findChild<QLineEdit*>("PathTo")->setText(QString::fromStdString(to));
    dialog.findChild<QPushButton*>("ExecuteBtn")->click();
  }

  TempFolder folder_;
  fs::path badFile_ = folder_ / "20240531.csv";
  ScriptedDialogs dialogs_;
  std::unique_ptr<TMainform> form_;
};

}  // namespace calorix::app::testing
