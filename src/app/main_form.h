#pragma once

#include "app/file_opener.h"
#include "app/held_defaults.h"
#include "app/language_switch.h"
#include "app/main_commands.h"
#include "app/mdi_windows.h"
#include "app/recent_files_menu.h"
#include "evaluation/totals_export.h"
#include "settings/ini_settings.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QMdiArea;

namespace calorix {
class Dialogs;
namespace ui {
class TChildform;
class TDialogAbout;
class TDialogSettings;
class TDialogMultiDayAnalysis;
}  // namespace ui
}  // namespace calorix

namespace calorix::app {

// Makes the settings store; throws when it cannot be used.
using SettingsStoreFactory = std::function<std::unique_ptr<TIniSettings>()>;

// The settings file of this platform (TIniSettings' default location); with
// nothing stored, file dialogs start in the user's home folder.
std::unique_ptr<TIniSettings> CreateSettingsStore();

// The main window: a frame for at most three evaluation windows, with the
// commands to open log files into them, close them and arrange them. It owns
// the settings store and the evaluation windows, and wires its parts: the
// commands (main_commands), the windows (mdi_windows), the ways to open
// files (file_opener), the recent files, the language and the defaults for
// new windows.
class TMainform : public QMainWindow {
  Q_OBJECT

 public:
  // dialogs shows every message and file dialog and must outlive the window.
  // A store that cannot be created is reported and the program goes on
  // without one.
  explicit TMainform(Dialogs& dialogs, const SettingsStoreFactory& createStore = CreateSettingsStore,
                     QWidget* parent = nullptr);
  ~TMainform() override;

  // The system's interface languages, most preferred first, which choose
  // the language at the first activation when none is stored; taken from
  // the system's locale unless set before.
  void SetSystemLanguages(std::vector<std::string> languages) { systemLanguages_ = std::move(languages); }

  // Null when the store could not be created or the window has closed.
  TIniSettings* SettingsStore() const { return store_.get(); }

  QAction* Action(CommandId id) const { return commands_.Action(id); }
  QAction* LanguageAction(int language) const { return languages_.Actions()[static_cast<std::size_t>(language)]; }
  QMenu* Menu(MenuId id) const { return commands_.Menu(id); }

  MdiWindows& Windows() { return windows_; }
  FileOpener& Opener() { return opener_; }

  // Files given on the command line: each opens as with the Open command,
  // into the start-up window first. An error ends only that file's opening.
  void OpenFiles(const std::vector<std::string>& paths) { opener_.OpenFiles(paths); }
  // A range given on the command line: loaded as the dialog would load it,
  // without the dialog, into the start-up window first.
  void OpenRange(const std::string& first, const std::string& last) { opener_.OpenRange(first, last); }
  ui::TDialogMultiDayAnalysis& MultiDayDialog() const { return *multiDay_; }
  // A multi-day load is running: no window may close under it.
  bool IsLoading() const;

  // The File menu's recent files, newest first (empty without a store).
  const std::vector<RecentEntry>& RecentFiles() const { return recent_.Entries(); }

  ui::TChildform* ActiveChild() const { return windows_.ActiveChild(); }
  // In the order the frame lists them.
  std::vector<ui::TChildform*> Children() const { return windows_.Children(); }
  int WindowCount() const { return windows_.Count(); }
  QMdiArea* MdiArea() const { return windows_.Area(); }

  // Save and Print put out the active window's charts; the totals go to a
  // spreadsheet file.
  void ExportTotals(evaluation::TotalsPer per);
  // Settings, New windows: edits the defaults for new windows, keeps them
  // and offers them to the open windows.
  void EditDefaults();
  // Enables the commands that apply to the current windows.
  void UpdateActions();
  // Lists the open windows at the end of the Window menu, the active one
  // checked; runs whenever the menu opens.
  void UpdateWindowMenu() { windows_.ListIn(Menu(MenuId::Window)); }
  // What the first activation of the window does: one empty evaluation
  // window, maximised, and the stored language. Runs once; later calls do
  // nothing.
  void HandleFirstActivation();
  // Re-texts the menus and actions, with access keys, and every evaluation
  // window.
  void ApplyLanguage();

  // The dialogs created once and reused.
  ui::TDialogSettings& SettingsDialog() const { return *settingsDialog_; }
  ui::TDialogAbout& AboutDialog() const { return *aboutDialog_; }

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateStore(const SettingsStoreFactory& createStore);
  void CreateDialogs();
  // Runs a command as the user's commands run: an error is shown, and the
  // commands' states are refreshed afterwards.
  void Run(const std::function<void()>& command);
  // UpdateActions, for the signals that call for it.
  void RefreshActions();
  void SetUpNewWindow(ui::TChildform& child);
  // A language action: switches every text and stores the choice; the
  // language in force does nothing and writes nothing.
  void ChooseLanguage(int language);
  void ApplyAccessKeys();

  Dialogs& dialogs_;
  std::unique_ptr<TIniSettings> store_;
  LanguageSwitch languages_;
  MainCommands commands_;
  MdiWindows windows_;
  HeldDefaults defaults_;
  RecentFilesMenu recent_;
  ui::TDialogMultiDayAnalysis* multiDay_ = nullptr;
  ui::TDialogSettings* settingsDialog_ = nullptr;
  ui::TDialogAbout* aboutDialog_ = nullptr;
  FileOpener opener_;
  bool firstActivation_ = true;
  std::vector<std::string> systemLanguages_ = SystemLanguages();
};

}  // namespace calorix::app
