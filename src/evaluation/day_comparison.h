#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart_panel.h"
#include "chart/chart_series.h"
#include "core/child_settings.h"
#include "core/color.h"
#include "core/date_time.h"
#include "evaluation/value_readout.h"
#include "logdata/channel.h"
#include "logdata/log_analysis.h"

namespace calorix::evaluation {

// A colour halfway to white: the curve of a compared day beside the
// channel's own curve.
Color LighterColor(Color color);

// The legend and readout name of a compared day's curve: the channel's
// name with the day's date, "Temperature sensor 1 (14.07.2025)".
std::string ComparedName(std::string_view channelName, std::string_view dateText);

// The channels a second day is laid over: those drawn as lines on the
// upper chart (T1..T6, TD, Flow, Power). The outputs stay out: each has
// one band of its own on the lower chart, and a second day's band there
// would cover the first.
constexpr bool IsComparable(logdata::Channel channel) {
  return logdata::IsSensor(channel) || channel == logdata::Channel::Flow || channel == logdata::Channel::Power;
}

// Copies every point of `from` into `to` moved by `shiftDays`, gap markers
// included, so that gaps stay gaps and a late start stays late.
void CopyShifted(const chart::ChartSeries& from, double shiftDays, chart::ChartSeries& to);

// What one compared curve looks like; the channel's name and colour are
// those of its own curve.
struct ComparedStyle {
  std::string name;
  Color color = 0;
  int lineWidth = 1;
  chart::VerticalAxis axis = chart::VerticalAxis::Left;
};

// A second day of an evaluation laid over the shown one on the upper chart,
// aligned by time of day: one line per compared channel in a lighter colour,
// named with the compared day's date. Owns its series, which leave the
// panel when they are replaced or cleared and when the comparison goes.
class DayComparison {
 public:
  explicit DayComparison(chart::ChartPanel& upper) : upper_(upper) {}
  ~DayComparison();
  DayComparison(const DayComparison&) = delete;
  DayComparison& operator=(const DayComparison&) = delete;

  // Lays comparedDay's curves of `channels` over shownDay: its points moved
  // by the whole days between the two dates. Channels the compared day has
  // no values for get no curve; so does a day compared with itself.
  // Replaces what was shown before.
  void Show(const logdata::TLogAnalysis& evaluation, DateTime shownDay, DateTime comparedDay,
            const std::vector<logdata::Channel>& channels,
            const std::array<ComparedStyle, logdata::kChannelCount>& styles);
  // Takes every compared curve off the chart.
  void Clear();
  bool Empty() const { return curves_.empty(); }

  // The compared curve of a channel, if one is shown.
  const chart::ChartSeries* Curve(logdata::Channel channel) const;
  // The compared day's value of a channel at t (already on the shown day's
  // time of day), as a readout row; nothing without a compared curve.
  std::optional<ReadoutRow> RowAt(logdata::Channel channel, const std::string& unit, DateTime t) const;

 private:
  struct Overlay {
    logdata::Channel channel;
    std::unique_ptr<chart::ChartSeries> series;
  };
  chart::ChartPanel& upper_;
  std::vector<Overlay> curves_;
};

}  // namespace calorix::evaluation
