#pragma once

#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/child_settings.h"
#include "core/date_time.h"
#include "dialogs/qt_launcher.h"
#include "evaluation/evaluation_model.h"
#include "evaluation/totals_export.h"
#include "logdata/multi_day.h"
#include "settings/recent_files.h"

class QAction;
class QFileSystemWatcher;
class QToolButton;

namespace calorix {
class Dialogs;
class TIniSettings;
}  // namespace calorix

namespace calorix::ui {

struct ChildWidgets;
class TDialogSettings;

// The evaluation window: one evaluation (a day or a range of days) with the
// channel selection on the left, the measurement chart above the output
// chart on the right, and the time navigation below them.
//
// The window builds the widgets, passes what the user does to its
// evaluation model and shows the model's view state; the rules live in the
// model. It also is the target the multi-day loading fills (Begin/Add/End/
// Cancel map to BeginMultiDayEvaluation, AddMultiDayFile,
// EndMultiDayEvaluation and CancelMultiDayEvaluation).
class TChildform : public QWidget, public logdata::MultiDayTarget {
  Q_OBJECT

 public:
  // dialogs shows every message of the window; it must outlive the window.
  explicit TChildform(Dialogs& dialogs, QWidget* parent = nullptr);
  ~TChildform() override;

  // The settings store, not owned; may be null.
  void SetSettingsStore(TIniSettings* store);
  void ApplySettings(const TChildSettings& settings);
  const TChildSettings& Settings() const;

  // Opens one log file as a single-day evaluation. On failure the window is
  // empty again and an Error naming the file is thrown.
  void LoadFile(const std::filesystem::path& path);

  // Follows a day file as a logger writes it (File, Follow today's log):
  // loads it as LoadFile does, then looks at it whenever the file system
  // reports a change of it or of its folder, and once a second besides,
  // since network folders report none. What the model does with each look
  // is EvaluationModel::LookAtFollowed.
  void Follow(const std::filesystem::path& file);
  // One look at the followed files, as the watcher and the timer take it.
  void LookAtFollowedFiles();
  bool IsFollowing() const { return model_.IsFollowing(); }

  void BeginMultiDayEvaluation(unsigned fileCount, const std::filesystem::path& firstPath, DateTime start,
                               DateTime end);
  void AddMultiDayFile(const std::filesystem::path& path);
  void EndMultiDayEvaluation();
  void CancelMultiDayEvaluation();

  // Where the evaluation came from, as the main window opened it: a day
  // file, or the first and last file of a range. Kept for reading it again.
  void SetSource(RecentEntry source) { source_ = std::move(source); }
  const RecentEntry& Source() const { return source_; }
  // Reading the files again: what the window shows is held before the
  // load and shown again after it (EvaluationModel::Hold and Restore).
  evaluation::HeldView HoldView() const { return model_.Hold(); }
  void RestoreView(const evaluation::HeldView& held);

  // An evaluation with data is loaded.
  bool HasEvaluation() const;
  // The two charts hold at least one series between them.
  bool HasGraphs() const;
  // The upper chart's height in pixels: it takes whatever height the
  // window gains or loses, the lower chart keeps its own.
  int UpperChartHeight() const;
  // What the window shows, for tests and output.
  const evaluation::EvaluationModel& Model() const { return model_; }

  // Puts the current language's texts on the window, then runs
  // UpdateCaption and UpdateSpanTexts.
  void ApplyLanguage();
  // The caption in the current language.
  void UpdateCaption();
  // The span choice's items in the current language, the choice kept.
  void UpdateSpanTexts();
  // The month names dates are written with, from now on.
  void SetMonthNames(evaluation::MonthNames names);

  // The settings dialog the window's settings command shows, not owned; the
  // main window shares its one dialog. Without one the window makes its own.
  void SetSettingsDialog(TDialogSettings* dialog);
  // The window's settings command (button and action, text 7): edits the
  // window's settings; after OK applies them and offers to keep them as the
  // defaults for new windows when the store can be written.
  void ActionOpenSettingsExecute();
  QAction* ActionOpenSettings() const { return actionOpenSettings_; }

  // Output of what the window shows: both charts on one printed page, or
  // into one image file. Failures are thrown to the caller.
  void PrintCharts();
  void SaveChartAsBitmap();
  // The evaluation's daily or monthly totals into a CSV file the user names.
  void SaveTotals(evaluation::TotalsPer per);
  // Opens the shown day's file in a spreadsheet program ("Open in Excel").
  void OpenInSpreadsheet();
  // How programs are started; not owned. Real processes by default.
  void SetLauncher(Launcher* launcher) { launcher_ = launcher ? launcher : &qtLauncher_; }

  // MultiDayTarget
  void Begin(unsigned fileCount, const std::filesystem::path& firstPath, DateTime start, DateTime end) override;
  void Add(const std::filesystem::path& path) override;
  void End() override;
  void Cancel() override;
  // The days of a range are parsed ahead for this window's charts.
  logdata::PreparationPanels PanelsForPreparation() const override;
  void AddPrepared(logdata::PreparedDayFile&& prepared) override;

 signals:
  // What the window shows has changed (series placed or removed, an
  // evaluation loaded or dropped): the main window refreshes its actions.
  void DisplayChanged();

 protected:
  // Closing drops the evaluation; the window is then deleted.
  void closeEvent(QCloseEvent* event) override;

 private:
  void ConnectControls();
  void ConnectScrollButton(QToolButton* button, int direction);
  // Runs a user command and shows its outcome; returns whether it completed.
  bool Command(const std::function<void()>& command);
  // Runs a command for a caller that handles its failure, and shows its
  // outcome either way.
  void Forward(const std::function<void()>& command);
  void ShowView();
  // The summary of the shown range, after every command and every zoom or
  // pan by the mouse.
  void ShowSummary();
  // The findings of the evaluation, whenever they or their texts change.
  void ShowFindings();
  void ShowMessages();
  void ShowSettings();
  void ApplyAccessibleNames();
  void DescribeCharts();
  void ShowSpanItems();
  // The "Compare with" choice as the model offers it.
  void ShowComparisonChoice();
  void ConnectCursor();
  // The cursor line on both charts and the readout at a time; hidden
  // without an evaluation.
  void ShowCursor(DateTime t);
  void HideCursor();
  void StepCursor(int direction);
  // The watcher and the timer run while the model follows files.
  void WatchFollowedFiles();
  void StartScrolling(int direction);
  void StopScrolling();
  void ScrollTick();

  TDialogSettings& SettingsDialog();
  // Where the save and export dialogs start.
  std::string OutputFolder() const;

  Dialogs& dialogs_;
  TIniSettings* store_ = nullptr;
  TDialogSettings* settingsDialog_ = nullptr;
  std::unique_ptr<TDialogSettings> ownSettingsDialog_;
  QAction* actionOpenSettings_ = nullptr;
  evaluation::EvaluationModel model_;
  RecentEntry source_;
  std::unique_ptr<ChildWidgets> widgets_;
  QtLauncher qtLauncher_;
  Launcher* launcher_ = &qtLauncher_;
  QAction* actionOpenExcel_ = nullptr;
  QTimer scrollTimer_;
  QFileSystemWatcher* followWatcher_ = nullptr;
  QTimer followTimer_;
  bool looking_ = false;     // a look shows a message: the next one waits
  int scrollDirection_ = 0;  // -1 left, +1 right, 0 the timer only stops
  std::optional<DateTime> cursor_;
  std::vector<std::string> shownComparisonItems_;  // the items of the "Compare with" choice

 public:
  // Where the failures of single files of a multi-day load go (the first
  // file's, which the window would otherwise show at once), for a caller
  // that reports every failed file of a load in one message. Empty: shown
  // at once.
  void SetFileFailureHandler(logdata::FileFailureHandler handler);
  // Likewise for the warnings about files that loaded only in part.
  void SetWarningHandler(std::function<void(const std::string&)> handler) { warningHandler_ = std::move(handler); }

 private:
  logdata::FileFailureHandler fileFailureHandler_;
  std::function<void(const std::string&)> warningHandler_;
};

}  // namespace calorix::ui
