#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/chart_panel.h"
#include "core/child_settings.h"
#include "core/date_time.h"
#include "evaluation/comparison_state.h"
#include "evaluation/curve_placement.h"
#include "evaluation/date_text.h"
#include "evaluation/display_notice.h"
#include "evaluation/evaluation_load.h"
#include "evaluation/evaluation_snapshot.h"
#include "evaluation/evaluation_view.h"
#include "evaluation/log_following.h"
#include "evaluation/time_position.h"
#include "findings/findings.h"
#include "logdata/channel.h"
#include "logdata/multi_day.h"

namespace calorix::evaluation {

// Everything an evaluation window shows and the rules by which it changes:
// the two chart panels over one time axis, the evaluation behind them, the
// channel selection, and the position in time. Commands come in from the
// window; the window reads View() and the panels back. Knows no widgets.
//
// The work is done by parts with one job each: the load, the curve
// placement, the comparison, and the position in time, from which every
// navigation command computes what is shown in one place (Navigate).
//
// Commands that fail throw calorix::Error with the text to show; what they
// changed before stays, as each command describes.
// What a window shows of its evaluation, held while its files are read
// again: the position in time, the zoom, the ticked channels and the year
// span's per-month choice.
struct HeldView {
  TimePosition position;
  std::optional<chart::ZoomRanges> zoom;
  std::array<bool, logdata::kChannelCount> checked{};
  bool perMonth = false;
};

class EvaluationModel : public logdata::MultiDayTarget {
 public:
  // `initial` stands for the settings until ApplySettings (the window's
  // colours before any are applied); it changes no axis.
  explicit EvaluationModel(MonthNames monthNames = EnglishMonthNames(), TChildSettings initial = {});
  EvaluationModel(const EvaluationModel&) = delete;
  EvaluationModel& operator=(const EvaluationModel&) = delete;

  chart::ChartPanel& Upper() { return upper_; }
  chart::ChartPanel& Lower() { return lower_; }
  const EvaluationView& View() const { return view_; }
  const TChildSettings& Settings() const { return settings_; }
  // A read-only look at the evaluation shown, for the readout, the summary
  // and the exports.
  EvaluationSnapshot Snapshot() const;

  // An evaluation with data is loaded.
  bool HasEvaluation() const { return load_.HasData(); }
  // The two charts hold at least one series between them.
  bool HasGraphs() const { return upper_.SeriesCount() + lower_.SeriesCount() > 0; }

  // Told when curves were placed or removed or an evaluation came or went,
  // once per command.
  void SetDisplayListener(std::function<void()> listener) { notice_.SetListener(std::move(listener)); }
  // Told when the mouse zoomed, unzoomed or panned the time window, which
  // happens outside the window's commands.
  void SetTimeWindowListener(std::function<void()> listener) { timeWindowListener_ = std::move(listener); }
  // Messages gathered while a command ran that did not end it (a day of a
  // range that failed to load), oldest first; taking them empties the list.
  std::vector<std::string> TakeMessages() { return load_.TakeMessages(); }
  // Warnings about files that loaded only in part (reading stopped at a
  // line that holds no valid record), oldest first; taking them empties
  // the list.
  std::vector<std::string> TakeWarnings() { return load_.TakeWarnings(); }

  // Settings and texts.
  void ApplySettings(const TChildSettings& settings);
  void SetMonthNames(MonthNames names);
  // Default series names follow the language in use.
  void ApplyLanguage();
  // Margins of the lower chart are a share of its width in pixels.
  void SetLowerChartWidth(int pixels) { curves_.SetLowerChartWidth(pixels); }

  // Loading. LoadFile replaces the evaluation by one day file; on failure
  // the window is empty and the error names the file.
  void LoadFile(const std::filesystem::path& path);
  // The multi-day load fills the model through these (MultiDayTarget).
  void Begin(unsigned fileCount, const std::filesystem::path& firstPath, DateTime start, DateTime end) override;
  void Add(const std::filesystem::path& path) override { load_.Add(path); }
  void End() override;
  void Cancel() override { Reset(); }
  logdata::PreparationPanels PanelsForPreparation() const override;
  void AddPrepared(logdata::PreparedDayFile&& prepared) override { load_.AddPrepared(std::move(prepared)); }
  // Drops the evaluation: an empty window.
  void Reset();

  // Reading the evaluation's files again (a day file that grew). Hold
  // before the load, Restore after it: the span, the day and the zoom come
  // back where the evaluation still has that day, else the span alone on
  // its first day; the held channels are ticked again where they have
  // values, the others stay unticked without a message.
  HeldView Hold() const;
  void Restore(const HeldView& held);

  // Following a day file as a logger writes it (File, Follow today's
  // log): loads it as LoadFile does, then every LookAtFollowed reads what
  // was appended. Day files of later days beside it, up to the day through
  // lies in (today), join as a range, and the newest of them is followed
  // from then on. Loading anything else ends the following.
  void Follow(const std::filesystem::path& file, DateTime through);
  enum class FollowLook {
    Nothing,   // no complete record came in (or not following)
    Grown,     // records were appended to the shown evaluation
    Replaced,  // the followed file was read again from the start
    Joined,    // a later day's file joined the evaluation
  };
  // One look at the followed files. Does not throw: a failure to read them
  // (a file being replaced is missing for a moment) goes to the messages,
  // once until a look succeeds again.
  FollowLook LookAtFollowed(DateTime through);
  bool IsFollowing() const { return load_.Following(); }
  // The followed day files in date order, the one followed now last;
  // empty while not following.
  std::vector<std::filesystem::path> FollowedFiles() const;

  // Channel selection. Checking a channel without values in the shown days
  // unchecks it again and throws "No data available.".
  void SetChannelChecked(logdata::Channel channel, bool checked);

  // Navigation.
  void ChooseSpan(int item);
  void MoveSlider(int position);
  void JumpLeft();
  void JumpRight();
  // The scroll buttons' clicks: a month back or forward in the month span.
  void ScrollClick(int direction);
  // One scroll step (-1 left, +1 right) of the held button or the space key.
  void ScrollStep(int direction);
  // The year span's "Per month" box. The choice stays when another span is
  // chosen and takes effect whenever the year span is shown.
  void SetPerMonth(bool perMonth);

  // The mouse wheel. Ctrl+wheel zooms the time axis by factor (below 1 in,
  // above 1 out) around t, which stays where it is on screen: never
  // narrower than an hour, and zooming out to the span's window undoes the
  // zoom. Only where the mouse zooms (the day and month spans). The wheel
  // alone scrolls as the scroll buttons do: steps scroll steps, a month per
  // notch in the month span.
  void WheelZoom(DateTime t, double factor);
  void WheelScroll(int steps);

  // The findings of the loaded evaluation by the thresholds in force,
  // ordered by start; none while a range loads. Their periods are marked
  // on the lower chart.
  const std::vector<findings::Finding>& Findings() const { return findings_; }
  // The thresholds findings are found by from now on; finds them again.
  void SetFindingThresholds(const findings::FindingThresholds& thresholds);
  // Shows a finding: its day in the day span, zoomed to its period (an
  // hour at least, within the day).
  void ShowFinding(const findings::Finding& finding);

  // Comparing two days: item 0 of View().comparisonItems lays no day over
  // the shown one, item k the k-th loaded date.
  void CompareWith(int item);

  // The visible time window of both charts (the upper bottom axis).
  chart::ValueRange TimeWindow() const { return {upper_.BottomAxis().Minimum(), upper_.BottomAxis().Maximum()}; }
  // The current day (the first of the month in the month span), if any.
  std::optional<DateTime> ShownDay() const;
  // The file of the current day, while it can be opened in a spreadsheet.
  std::optional<std::filesystem::path> CurrentDayFile() const;
  // The summary of the visible window as the summary panel shows it.
  std::string SummaryText() const { return evaluation::SummaryText(Snapshot()); }

 private:
  // Moves to a new position (none: the command changes nothing) and shows
  // it: the follow-up of every navigation command.
  void Navigate(const std::optional<TimePosition>& next);
  // Finds the findings of the evaluation anew and marks them.
  void UpdateFindings();
  // Restore at the given place, or else on the first day in the held span.
  void RestoreAt(const HeldView& held, const std::optional<TimePosition>& place);
  // Following: the parts of a look, and what the view does after each.
  FollowLook PollFollowed();
  bool JoinLaterFiles(DateTime through);
  void Join(const std::vector<std::filesystem::path>& later, std::unique_ptr<logdata::DayFileFollower> follower);
  void ShowGrown(DateTime previousLast);
  void ShowReplaced(DateTime previousLast);
  void FollowNewestRecord(DateTime previousLast);
  DateTime NewestRecord() const;
  ShownWindow Shown() const;
  void ReportFollowFailure(const std::exception& e);

  // The panels first: every part's series leave them before they go.
  chart::ChartPanel upper_;
  chart::ChartPanel lower_;
  TChildSettings settings_;
  MonthNames monthNames_;
  EvaluationView view_;
  DisplayNotice notice_;
  std::function<void()> timeWindowListener_;
  EvaluationLoad load_;
  CurvePlacement curves_{upper_, lower_, load_, settings_, view_.checked, notice_};
  ComparisonState comparison_{upper_, load_, curves_, notice_, view_, settings_, monthNames_};
  TimePosition position_;
  // What the upper chart's title names, kept so that it can be written
  // again in other month names.
  Title title_;
  // The day a single-day caption names; none for a range or nothing.
  std::optional<DateTime> captionDay_;
  // Between the first and the last file of a range.
  bool loading_ = false;
  findings::FindingThresholds thresholds_;
  std::vector<findings::Finding> findings_;
  // The day files followed so far, in date order; meaningful while the
  // load follows the last of them.
  std::vector<std::filesystem::path> followedFiles_;
  // The failure to read the followed files reported last, until a look
  // succeeds.
  std::optional<std::string> followFailure_;
};

}  // namespace calorix::evaluation
