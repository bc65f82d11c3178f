#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/chart_panel.h"
#include "core/child_settings.h"
#include "core/date_time.h"
#include "evaluation/date_text.h"
#include "evaluation/monthly_bars.h"
#include "evaluation/range_summary.h"
#include "evaluation/day_comparison.h"
#include "evaluation/time_navigation.h"
#include "evaluation/value_readout.h"
#include "evaluation/window_caption.h"
#include "logdata/channel.h"
#include "logdata/log_analysis.h"
#include "logdata/multi_day.h"

namespace calorix::evaluation {

struct SliderState {
  int maximum = 0;  // the minimum is always 0
  int position = 0;
  bool enabled = false;
  friend bool operator==(const SliderState&, const SliderState&) = default;
};

// What a window shows of an evaluation besides the charts, for the widgets
// to copy. Channels are indexed by logdata::IndexOf.
struct EvaluationView {
  int spanCount = kSingleDaySpanCount;  // items of the span choice, from "1 hour" on
  Span span = Span::Day;
  SliderState slider;
  std::array<bool, logdata::kChannelCount> checked{};
  std::array<bool, logdata::kChannelCount> enabled{};
  CaptionParts caption;
  // The shown day can be opened in a spreadsheet.
  bool spreadsheetAvailable = false;
  // Holding a scroll button scrolls (not in the month span).
  bool scrollRepeat = true;
  // The choice of a day to compare with: "(none)", then the loaded days'
  // dates; open for a range of days in the day and hour spans.
  std::vector<std::string> comparisonItems;
  int comparisonItem = 0;
  bool comparisonEnabled = false;
  // The year span: its "Per month" box is shown, and whether it is ticked
  // (twelve monthly total bars a year instead of the daily ones).
  bool perMonthVisible = false;
  bool perMonth = false;
  friend bool operator==(const EvaluationView&, const EvaluationView&) = default;
};

// Everything an evaluation window shows and the rules by which it changes:
// the two chart panels over one time axis, the evaluation behind them, the
// channel selection, and the position in time. Commands come in from the
// window; the window reads View() and the panels back. Knows no widgets.
//
// Commands that fail throw calorix::Error with the text to show; what they
// changed before stays, as each command describes.
class EvaluationModel : public logdata::MultiDayTarget {
 public:
  // `initial` stands for the settings until ApplySettings (the window's
  // colours before any are applied); it changes no axis.
  explicit EvaluationModel(MonthNames monthNames = EnglishMonthNames(), TChildSettings initial = {});
  ~EvaluationModel() override;
  EvaluationModel(const EvaluationModel&) = delete;
  EvaluationModel& operator=(const EvaluationModel&) = delete;

  chart::ChartPanel& Upper() { return upper_; }
  chart::ChartPanel& Lower() { return lower_; }
  const chart::ChartPanel& Upper() const { return upper_; }
  const chart::ChartPanel& Lower() const { return lower_; }
  const EvaluationView& View() const { return view_; }
  const TChildSettings& Settings() const { return settings_; }
  // The evaluation shown, if any.
  const logdata::TLogAnalysis* Analysis() const { return evaluation_.get(); }

  // An evaluation with data is loaded.
  bool HasEvaluation() const;
  // The two charts hold at least one series between them.
  bool HasGraphs() const;

  // Told when curves were placed or removed or an evaluation came or went,
  // once per command.
  void SetDisplayListener(std::function<void()> listener) { displayListener_ = std::move(listener); }
  // Messages gathered while a command ran that did not end it (a day of a
  // range that failed to load), oldest first; taking them empties the list.
  std::vector<std::string> TakeMessages();
  // Warnings about files that loaded only in part (reading stopped at a
  // line that holds no valid record), oldest first; taking them empties
  // the list.
  std::vector<std::string> TakeWarnings();

  // Settings and texts.
  void ApplySettings(const TChildSettings& settings);
  void SetMonthNames(MonthNames names);
  // Default series names follow the language in use.
  void ApplyLanguage();
  // Margins of the lower chart are a share of its width in pixels.
  void SetLowerChartWidth(int pixels);

  // Loading. LoadFile replaces the evaluation by one day file; on failure
  // the window is empty and the error names the file.
  void LoadFile(const std::filesystem::path& path);
  // The multi-day load fills the model through these (MultiDayTarget).
  void Begin(unsigned fileCount, const std::filesystem::path& firstPath, DateTime start, DateTime end) override;
  void Add(const std::filesystem::path& path) override;
  void End() override;
  void Cancel() override;
  logdata::PreparationPanels PanelsForPreparation() const override;
  void AddPrepared(logdata::PreparedDayFile&& prepared) override;
  // Drops the evaluation: an empty window.
  void Reset();

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
  // The per-month total bars (built when first shown), for reading back.
  const MonthlyTotalBars& MonthlyBars() const { return monthlyBars_; }

  // The mouse wheel. Ctrl+wheel zooms the time axis by factor (below 1 in,
  // above 1 out) around t, which stays where it is on screen: never
  // narrower than an hour, and zooming out to the span's window undoes the
  // zoom. Only where the mouse zooms (the day and month spans). The wheel
  // alone scrolls as the scroll buttons do: steps scroll steps, a month per
  // notch in the month span.
  void WheelZoom(DateTime t, double factor);
  void WheelScroll(int steps);

  // The cursor readout: every checked channel's value at t (the last
  // record at or before it), inputs, other values and outputs in the
  // selection panel's order. Empty rows without an evaluation.
  ValueReadout ReadoutAt(DateTime t) const;
  // The time of the next (direction > 0) or previous record of the checked
  // channels from t: the arrow keys move the cursor by one record.
  std::optional<DateTime> NextRecordTime(DateTime t, int direction) const;
  // The readout as the window shows it: ReadoutLines of ReadoutAt, the
  // date too in the month span.
  std::vector<std::string> ReadoutText(DateTime t) const;
  // The colour of a channel's curve, for its mark in the readout.
  Color ChannelColor(logdata::Channel channel) const;
  // The mark of a readout row: its channel's colour, lighter for the
  // compared day.
  Color RowColor(const ReadoutRow& row) const;

  // Comparing two days: item 0 of View().comparisonItems lays no day over
  // the shown one, item k the k-th loaded date. The compared day's curves
  // of the checked T1..TD, Flow and Power follow the shown day through the
  // day and hour spans, and leave in the month span and with a new load.
  void CompareWith(int item);
  std::optional<DateTime> ComparedDay() const { return comparedDay_; }
  const DayComparison& Comparison() const { return comparison_; }

  // The visible time window of both charts (the upper bottom axis).
  chart::ValueRange TimeWindow() const;
  // The current day (the first of the month in the month span), if any.
  std::optional<DateTime> ShownDay() const;
  // The file of the current day, while it can be opened in a spreadsheet.
  std::optional<std::filesystem::path> CurrentDayFile() const;

  // The summary of the visible time window: the checked measured channels,
  // every output, volume, energy and the days without a file. Empty (no
  // rows, nothing collected) without an evaluation.
  RangeSummary Summary() const;
  // Summary() as SummaryLines in the window's labels and units, one line
  // each, for the summary panel; empty without an evaluation.
  std::string SummaryText() const;
  // Told when the mouse zoomed, unzoomed or panned the time window, which
  // happens outside the window's commands.
  void SetTimeWindowListener(std::function<void()> listener) { timeWindowListener_ = std::move(listener); }

 private:
  class DisplayBatch;

  // What the upper chart's title names, kept so that it can be written
  // again in other month names.
  enum class TitleStyle { None, Day, Month, CoveredDates, Year };
  struct Title {
    TitleStyle style = TitleStyle::None;
    DateTime from = 0.0;
    DateTime to = 0.0;
  };

  bool InMonthMode() const { return view_.span == Span::Month; }
  // The year span and its per-month view.
  bool InYearMode() const { return view_.span == Span::Year; }
  bool PerMonthShown() const { return InYearMode() && view_.perMonth; }
  void ChooseYearSpan();
  void LeaveYearSpan();
  void ShowYear();
  void FitYearAxisFormat();
  void StartAtFirstDay(int spanCount);
  void ShowWindow(DateTime from, DateTime to, const Title& title);
  void ShowDayHours();
  void ShowMonth();
  void SyncLowerTimeAxis();
  void UndoZoom();
  void ApplyMouseMode();
  void SetSlider(int maximum, int position);
  void EnableTotals(bool enable);
  void SetBottomFormat(const char* format);
  void SetTitle(const Title& title);
  void ShowCaption();
  std::string DateText(std::string_view pattern, DateTime value) const;
  void UpdateSpreadsheetAvailable();
  void FollowTimeWindow();

  logdata::ChannelState ShowGraph(logdata::Channel channel);
  // ShowGraph in two steps, so that many channels shown together style
  // every series once: placing the channel's curves, then styling all
  // curves and setting the axes.
  logdata::ChannelState PlaceGraph(logdata::Channel channel);
  void StyleShownGraphs();
  void HideGraph(logdata::Channel channel);
  void HideAllGraphs();
  void ShowAllGraphs();
  void UpdateAxes();
  void UpdateLowerMargins();
  void ScaleDynamically(chart::AxisPosition position);

  void OnUserZoom();
  void OnUserUndoZoom();
  void OnUserPan();
  void DisplayChanged();
  void GatherWarnings();
  std::string LoadFailureText(const std::string& reason, const std::filesystem::path& path) const;

  chart::ChartPanel upper_;
  chart::ChartPanel lower_;
  // Declared after the panels: its series leave them before they go.
  std::unique_ptr<logdata::TLogAnalysis> evaluation_;
  // The summary's figures of whole days, kept while the evaluation's days
  // stay as they are.
  mutable WholeDayFigures wholeDays_;
  // Declared after the evaluation: placed on the upper chart, gone first.
  MonthlyTotalBars monthlyBars_{upper_};
  TChildSettings settings_;
  MonthNames monthNames_;
  EvaluationView view_;

  Title title_;
  // The day a single-day caption names; none for a range or nothing.
  std::optional<DateTime> captionDay_;

  // Position in time: the current day (the first day of the month in the
  // month span) and the visible hours of it.
  DateTime dayStart_ = 0.0;
  int dayIndex_ = 0;
  int monthIndex_ = 0;
  int hourStart_ = 0;
  int hourEnd_ = 24;
  // The year shown in the year span; the slider counts from the first
  // loaded day's year.
  int shownYear_ = 0;
  int firstYear_ = 0;
  // The whole days the placed curves cover: leaving them rebuilds the curves.
  chart::ValueRange coveredDays_{0.0, 0.0};

  int lowerChartWidth_ = 0;
  bool bothGroups_ = false;  // as the axes were last set up
  std::vector<std::string> messages_;
  std::vector<std::string> warnings_;
  std::function<void()> displayListener_;
  std::function<void()> timeWindowListener_;
  int displayHold_ = 0;
  bool displayPending_ = false;

  // Comparing two days. UpdateComparison lays the compared day over the
  // shown one again when either, the channels or their axes changed (or
  // always, with restyle: new settings or language).
  void UpdateComparison(bool restyle = false);
  struct ComparisonKey {
    DateTime compared = 0.0;
    DateTime shown = 0.0;
    std::array<bool, logdata::kChannelCount> channels{};
    bool bothGroups = false;
    friend bool operator==(const ComparisonKey&, const ComparisonKey&) = default;
  };
  std::optional<DateTime> comparedDay_;
  std::vector<DateTime> comparisonDates_;  // the dates of the choice after "(none)"
  std::optional<ComparisonKey> comparisonKey_;  // what comparison_ shows
  DayComparison comparison_{upper_};
};

}  // namespace calorix::evaluation
