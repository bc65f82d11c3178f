#pragma once

#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "chart/chart_panel.h"
#include "chart/chart_series.h"
#include "core/child_settings.h"
#include "core/date_time.h"
#include "logdata/channel.h"
#include "logdata/log_analysis.h"

namespace calorix::evaluation {

// Where a line runs on through records whose field read "Err": at each such
// time, the height of the line there (between the samples around it), or
// the nearer sample's value at either end. None without any sample.
std::vector<std::pair<DateTime, double>> ErrMarkPoints(const chart::ChartSeries& line,
                                                       const std::vector<DateTime>& errTimes);

// The marks of the shown channels' "Err" records: a dot on the curve at each
// such time (the line itself runs on unbroken), in the channel's colour and
// thicker than the line; outputs at the foot of their band on the lower
// chart. Never in a legend. One series per channel over the days shown.
class ErrMarks {
 public:
  ErrMarks(chart::ChartPanel& upper, chart::ChartPanel& lower) : upper_(upper), lower_(lower) {}

  // The channel's marks over the day logs that overlap [from, to).
  void Show(const logdata::TLogAnalysis& evaluation, logdata::Channel channel, DateTime from, DateTime to);
  void Hide(logdata::Channel channel);
  void Clear();
  // Colour and width from the settings, the value axis of the curve.
  void Style(const TChildSettings& settings);
  void SetAxis(logdata::Channel channel, chart::VerticalAxis axis);

 private:
  static constexpr std::size_t kMarkedChannels = 13;  // the record columns
  chart::ChartPanel& upper_;
  chart::ChartPanel& lower_;
  std::array<std::unique_ptr<chart::ChartSeries>, kMarkedChannels> marks_;
};

}  // namespace calorix::evaluation
