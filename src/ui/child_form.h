#pragma once

#include <QWidget>

#include <filesystem>
#include <memory>
#include <string>

#include "core/child_settings.h"
#include "core/date_time.h"
#include "logdata/multi_day.h"

namespace calorix {
class Dialogs;
class TIniSettings;
}  // namespace calorix

namespace calorix::ui {

// The evaluation window: one evaluation (a day or a range of days) with the
// channel selection on the left, the measurement chart above the output
// chart on the right, and the time navigation below them.
//
// It also is the target the multi-day loading fills (Begin/Add/End/Cancel
// map to BeginMultiDayEvaluation, AddMultiDayFile, EndMultiDayEvaluation
// and CancelMultiDayEvaluation).
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
  // empty again and an Error with text 86 or text 84 is thrown.
  void LoadFile(const std::filesystem::path& path);

  void BeginMultiDayEvaluation(unsigned fileCount, const std::filesystem::path& firstPath, DateTime start,
                               DateTime end);
  void AddMultiDayFile(const std::filesystem::path& path);
  void EndMultiDayEvaluation();
  void CancelMultiDayEvaluation();

  // An evaluation with data is loaded.
  bool HasEvaluation() const;
  // The two charts hold at least one series between them.
  bool HasGraphs() const;

  // Puts the current language's texts on the window.
  void ApplyLanguage();
  // The visible time window of both charts.
  void SetTimeWindow(DateTime from, DateTime to);
  void HideAllGraphs();
  void ShowAllGraphs();
  void UpdateWindowActions();

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
  struct Parts;
  std::unique_ptr<Parts> parts_;

 public:
  // Where the failure of the first file of a multi-day load goes, for a
  // caller that reports every failed file of a load in one message (the
  // later files' failures reach it through the load itself). Without a
  // handler the window shows the failure at once.
  void SetFileFailureHandler(logdata::FileFailureHandler handler);

 private:
  logdata::FileFailureHandler fileFailureHandler_;
};

}  // namespace calorix::ui
