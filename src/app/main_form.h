#pragma once

#include "app/main_rules.h"
#include "core/child_settings.h"
#include "settings/ini_settings.h"
#include "settings/recent_files.h"

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTranslator;

namespace calorix {
class Dialogs;
namespace ui {
class TChildform;
class TDialogAbout;
class TDialogSettings;
class TDialogMultiDayAnalysis;
}
}  // namespace calorix

namespace calorix::app {

// Makes the settings store; throws when it cannot be used.
using SettingsStoreFactory = std::function<std::unique_ptr<TIniSettings>()>;

// The settings file of this platform (TIniSettings' default location); with
// nothing stored, file dialogs start in the user's home folder.
std::unique_ptr<TIniSettings> CreateSettingsStore();

// The main window: a frame for at most three evaluation windows, with the
// commands to open log files into them, close them and arrange them. It owns
// the settings store and the evaluation windows.
class TMainform : public QMainWindow {
  Q_OBJECT

 public:
  // dialogs shows every message and file dialog and must outlive the window.
  // A store that cannot be created is reported and the program goes on
  // without one.
  explicit TMainform(Dialogs& dialogs, const SettingsStoreFactory& createStore = CreateSettingsStore,
                     QWidget* parent = nullptr);
  ~TMainform() override;

  // Null when the store could not be created or the window has closed.
  TIniSettings* SettingsStore() const { return store_.get(); }

  // Open: asks for a log file and opens it.
  void ActionOpenExecute();
  // Opens a chosen log file: remembers its folder, picks the window for it
  // and loads it there.
  void OpenFile(const std::string& path);
  // Files given on the command line: each opens as with the Open command,
  // into the start-up window first. An error ends only that file's opening.
  void OpenFiles(const std::vector<std::string>& paths);

  // Multi-day analysis: picks the window for it, then lets the dialog load
  // the range there. A cancelled dialog takes an empty target window with
  // it; any other end remembers the dialog's folder.
  void ActionMultiDayAnalysisExecute();
  // A range given on the command line: loaded as the dialog would load it,
  // without the dialog, into the start-up window first.
  void OpenRange(const std::string& first, const std::string& last);
  ui::TDialogMultiDayAnalysis& MultiDayDialog() const { return *multiDay_; }
  // Files or a folder dropped on the window, as PlanDrop says: one file
  // opens, two day files open their range, a folder offers its range in
  // the multi-day dialog.
  void OpenDropped(const std::vector<std::string>& paths);
  // A multi-day load is running: no window may close under it.
  bool IsLoading() const;

  void ActionCloseExecute();
  // Save and Print put out the active window's charts.
  void ActionSaveExecute();
  void ActionPrintExecute();
  void ExportTotals(evaluation::TotalsPer per);
  void OnActiveChild(const std::function<void(ui::TChildform&)>& command);
  void ActionExitExecute();
  void ActionCascadeExecute();
  // One window above the other, each across the full width.
  void ActionTileHorizontalExecute();
  void ActionMinimizeAllExecute();

  // Settings, New windows: edits the defaults for new windows, keeps them
  // (in the file when it can be written, else in memory until the program
  // ends) and offers them to the open windows.
  void ActionDefaultSettingsExecute();
  // Settings, Current window: the active window's own settings command.
  void ActionWindowSettingsExecute();
  // ?, Info: the about box.
  void ActionAboutExecute();

  // The stored language, applied once at the first activation. Without a
  // store German stays with its built-in captions.
  void LoadLanguage();
  // A language action (index into kLanguageChoices): switches the texts of
  // every window, Qt's own texts and the month names, and stores the
  // choice. The language in force does nothing and writes nothing.
  void ActionLanguageSelection(int language);
  // Re-texts the menus and actions, with access keys, and every evaluation
  // window.
  void ApplyLanguage();
  // The language in force, as an index into kLanguageChoices.
  int CurrentLanguage() const { return language_; }
  // Lists the open windows at the end of the Window menu, the active one
  // checked; runs whenever the menu opens.
  void UpdateWindowMenu();

  // Enables the commands that apply to the current windows.
  void UpdateActions();

  // The window that receives a new evaluation: the active one if it is
  // empty, else a new one while fewer than three exist, else the active one
  // after the user agreed to lose its evaluation (null when declined).
  ui::TChildform* FindTargetWindow();

  // What the first activation of the window does: one empty evaluation
  // window, maximised. Runs once; later calls do nothing.
  void HandleFirstActivation();

  // The File menu's recent files, newest first (empty without a store).
  const std::vector<RecentEntry>& RecentFiles() const { return recent_; }
  // Opens recent entry index as it was opened before; an entry whose files
  // are gone is taken off the list with a message naming them.
  void OpenRecent(int index);

  ui::TChildform* ActiveChild() const;
  // In the order the frame lists them.
  std::vector<ui::TChildform*> Children() const;
  int WindowCount() const;
  QMdiArea* MdiArea() const { return mdi_; }

  struct Actions {
    QAction* open = nullptr;
    QAction* multiDayAnalysis = nullptr;
    QAction* close = nullptr;
    QAction* save = nullptr;
    QAction* print = nullptr;
    QAction* exportDailyTotals = nullptr;
    QAction* exportMonthlyTotals = nullptr;
    QAction* exit = nullptr;
    QAction* cascade = nullptr;
    QAction* tileHorizontal = nullptr;
    QAction* minimizeAll = nullptr;
    QAction* defaultSettings = nullptr;
    QAction* windowSettings = nullptr;
    QAction* about = nullptr;
    std::array<QAction*, kLanguageChoices.size()> languages{};
  };
  const Actions& GetActions() const { return actions_; }

  struct Menus {
    QMenu* file = nullptr;
    QMenu* settings = nullptr;
    QMenu* language = nullptr;
    QMenu* window = nullptr;
    QMenu* help = nullptr;
  };
  const Menus& GetMenus() const { return menus_; }

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
  void BuildActions();
  void BuildSettingsActions();
  void BuildLanguageActions();
  void BuildMenus();
  void BuildToolBar();
  void CreateDialogs();
  void Connect(QAction* action, void (TMainform::*command)());
  // Runs a command as the user's commands run: an error is shown, and the
  // commands' states are refreshed afterwards.
  void Run(const std::function<void()>& command);
  // UpdateActions, for the signals that call for it.
  void RefreshActions();
  void ApplyStates(const ActionStates& states);

  QMdiSubWindow* ActiveSubWindow() const;
  ui::TChildform* CreateEvaluationWindow(bool maximized);
  TChildSettings NewWindowSettings() const;
  void OpenChosenFile(const std::string& path, std::int8_t language);
  void OpenRangeFiles(const std::string& first, const std::string& last);
  // The multi-day dialog for a target window, its path fields at the
  // remembered folder or at a proposed first and last file.
  void RunMultiDayDialog(const std::vector<std::string>& proposed);
  void CloseWindow(ui::TChildform* child);
  // The recent files: their five File menu items before Exit, the list as
  // the settings file holds it, a newly opened file or range on top.
  void AddRecentItems(QMenu* file);
  void LoadRecentFiles();
  void ShowRecentFiles();
  void RememberRecent(const RecentEntry& entry);
  void StoreRecentFiles();
  void CloseAllChildren();
  // Keeps new defaults; true when they were written to the settings file.
  bool KeepDefaults(const TChildSettings& settings);
  void CheckLanguage(int language);
  void SelectLanguage(int language);
  // Qt's own texts (standard buttons, file and colour dialogs) and the
  // month names in dates follow the language.
  void ApplyQtLanguage(int language);
  void ApplyAccessKeys();

  Dialogs& dialogs_;
  std::unique_ptr<TIniSettings> store_;
  // The defaults for new windows while there is no settings store.
  TChildSettings defaultsWithoutStore_;
  QMdiArea* mdi_ = nullptr;
  ui::TDialogMultiDayAnalysis* multiDay_ = nullptr;
  Actions actions_;
  Menus menus_;
  ui::TDialogSettings* settingsDialog_ = nullptr;
  ui::TDialogAbout* aboutDialog_ = nullptr;
  int language_ = 0;
  std::unique_ptr<QTranslator> qtTranslator_;
  bool firstActivation_ = true;
  // Set while the children are closed one by one, when the active window
  // and the count are in flux.
  bool closingChildren_ = false;
  std::vector<RecentEntry> recent_;
  std::array<QAction*, kRecentCount> recentActions_{};
  QAction* recentSeparator_ = nullptr;
};

}  // namespace calorix::app
