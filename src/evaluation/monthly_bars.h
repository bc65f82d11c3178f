#pragma once

#include <array>
#include <memory>
#include <optional>

#include "chart/chart_panel.h"
#include "chart/chart_series.h"
#include "core/child_settings.h"
#include "core/date_time.h"
#include "logdata/channel.h"
#include "logdata/log_analysis.h"

namespace calorix::evaluation {

// The per-month view of the year span: volume and energy added up per
// calendar month (MonthlyTotals of DailyTotals, so they agree with the
// daily total bars and every other sum), one bar per month centred on it,
// shown in place of the daily total bars.
//
// The series run over whole calendar years, from January of the first
// loaded month's year to December of the last one's, so that every bar is
// as wide as its month. A month without a loaded day holds a gap, not a 0:
// nothing is known about it, and a bar of 0 would say the system collected
// nothing. The readout shows a dash there.
class MonthlyTotalBars {
 public:
  explicit MonthlyTotalBars(chart::ChartPanel& panel) : panel_(panel) {}
  ~MonthlyTotalBars();
  MonthlyTotalBars(const MonthlyTotalBars&) = delete;
  MonthlyTotalBars& operator=(const MonthlyTotalBars&) = delete;

  // Built once per evaluation, when first shown; Clear forgets them.
  bool Built() const { return built_; }
  void Build(const logdata::TLogAnalysis& analysis);
  void Clear();

  // Volume or Energy; other channels are not this view's and do nothing.
  // Show places the channel's bars and gives the state of its values.
  logdata::ChannelState Show(logdata::Channel channel);
  void Hide(logdata::Channel channel);
  // Label, colour, bars or lines and pen width as the daily total bars take them.
  void ApplySettings(const TChildSettings& settings);
  void SetAxis(logdata::Channel channel, chart::VerticalAxis axis);

  // The total of the month t lies in: none outside the series and for a
  // month without a loaded day.
  std::optional<double> ValueAt(logdata::Channel channel, DateTime t) const;
  // The channel's series, if built.
  const chart::ChartSeries* Series(logdata::Channel channel) const;

 private:
  static std::size_t Slot(logdata::Channel channel) { return channel == logdata::Channel::Energy ? 1 : 0; }

  chart::ChartPanel& panel_;
  bool built_ = false;
  int firstYear_ = 0;
  std::array<std::unique_ptr<chart::ChartSeries>, 2> series_;
  std::array<bool, 2> shown_{};
};

}  // namespace calorix::evaluation
