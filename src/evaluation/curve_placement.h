#pragma once

#include <array>
#include <optional>

#include "chart/chart_panel.h"
#include "core/child_settings.h"
#include "core/date_time.h"
#include "evaluation/display_notice.h"
#include "evaluation/err_marks.h"
#include "evaluation/evaluation_load.h"
#include "evaluation/monthly_bars.h"
#include "logdata/channel.h"

namespace calorix::evaluation {

// The curves of the checked channels on the two charts: which are checked,
// the days the placed curves cover, the axes and their titles, the lower
// chart's margins and the curves' styles.
class CurvePlacement {
 public:
  using Checked = std::array<bool, logdata::kChannelCount>;

  // checked is the window's view of the checked channels, kept here.
  CurvePlacement(chart::ChartPanel& upper, chart::ChartPanel& lower, EvaluationLoad& load,
                 const TChildSettings& settings, Checked& checked, DisplayNotice& notice);

  // Checking a channel without values in the shown days unchecks it again
  // and throws "No data available.". Whether the channel's check changed.
  bool SetChecked(logdata::Channel channel, bool checked);
  // The year span shows the totals per month (one bar a month).
  void SetPerMonthShown(bool shown) { perMonth_ = shown; }
  bool PerMonthShown() const { return perMonth_; }
  // Puts the checked totals on again, after the per-month choice changed.
  void ReplaceTotals();

  // Sets the visible window on both charts. Curves are placed per day;
  // only leaving the days they cover needs new ones.
  void ShowWindow(DateTime from, DateTime to);
  // The next window places every curve again.
  void Forget() { coveredDays_ = {0.0, 0.0}; }
  // The evaluation's days changed (a followed day grew or was read again):
  // the monthly bars are built again and every checked curve is placed
  // again over the window shown, its axes with it.
  void Refresh();
  // The evaluation went: its curves with it.
  void Clear();
  // Styles every curve again (new settings or language) and sets up the
  // axes for them.
  void Restyle();
  void UpdateAxes();
  // Margins of the lower chart are a share of its width in pixels.
  void SetLowerChartWidth(int pixels);
  // Whether temperatures and other values both have curves, as the axes
  // were last set up.
  bool BothGroups() const { return bothGroups_; }
  const MonthlyTotalBars& MonthlyBars() const { return monthlyBars_; }

 private:
  logdata::ChannelState Place(logdata::Channel channel);
  void StyleShown();
  void Hide(logdata::Channel channel);
  void HideAll();
  void ShowAll();
  void UpdateLowerMargins();
  void ScaleDynamically(chart::AxisPosition position);
  void FitMonthlyBars(bool bothGroups);
  void SyncLowerTimeAxis() { lower_.CopyBottomAxisFrom(upper_); }

  chart::ChartPanel& upper_;
  chart::ChartPanel& lower_;
  EvaluationLoad& load_;
  const TChildSettings& settings_;
  Checked& checked_;
  DisplayNotice& notice_;
  MonthlyTotalBars monthlyBars_{upper_};
  ErrMarks errMarks_{upper_, lower_};
  // The whole days the placed curves cover: leaving them rebuilds the curves.
  chart::ValueRange coveredDays_{0.0, 0.0};
  int lowerChartWidth_ = 0;
  bool bothGroups_ = false;
  bool perMonth_ = false;
  // The axis that fits the monthly bars while the range is fixed.
  std::optional<chart::AxisPosition> monthlyAxis_;
};

// Sets an axis range so that the minimum never lies above the maximum on
// the way, which the axis refuses.
void SetAxisRange(chart::ChartAxis& axis, double min, double max);
// The fixed value range of the settings, its ends in order.
void SetFixedRange(chart::ChartAxis& axis, const TChildSettings& settings);

}  // namespace calorix::evaluation
