#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "chart/chart_panel.h"
#include "chart/chart_series.h"
#include "core/color.h"
#include "core/date_time.h"
#include "logdata/channel.h"

namespace calorix::logdata {

class TDay;

// One calendar month of a multi-day evaluation: owns the day logs that fall
// into it and draws the daily totals of volume and energy. The months of an
// evaluation form a chain in calendar order, empty months included.
// Operations described as running along the chain apply to this month and
// every later one; empty months are skipped by the month indexes.
class TMonth {
 public:
  struct TotalEntry {
    bool shown = false;
    Color color = kNoColor;
    ChannelState state = ChannelState::NoColumn;
    std::unique_ptr<chart::ChartSeries> series;
  };

  // Links itself behind previous when given. A missing chart fails with
  // "Illegal State (30)", a month that cannot be dated with "Illegal State(31).".
  TMonth(int month, int year, TMonth* previous, chart::ChartPanel* upper);
  // Destroys its day logs and total series and leaves the chain.
  ~TMonth();
  TMonth(const TMonth&) = delete;
  TMonth& operator=(const TMonth&) = delete;

  TMonth* GetNext() const { return next_; }
  TMonth* GetPrevious() const { return previous_; }
  int Year() const { return year_; }
  int Month() const { return month_; }
  DateTime Start() const { return start_; }
  DateTime End() const { return end_; }
  TDay* FirstDay() const { return firstDay_; }

  // Takes ownership of day and appends it to this month's list.
  void AddDay(TDay* day);
  // Forgets day (its unlinking from neighbours is the day log's own work).
  void RemoveDay(TDay* day);
  bool IsMonth(int month, int year) const { return month == month_ && year == year_; }
  int GetDayCount() const { return dayCount_; }

  // Index operations, along the chain.
  int GetMonthCount() const;
  DateTime GetStartDate(int dayIndex) const;
  DateTime GetDateByMonthIndex(int monthIndex) const;
  int GetMonthIndexByDay(int dayIndex) const;
  int GetDayIndexByMonth(int monthIndex) const;

  // Series operations, along the chain.
  void ShowChannel(Channel channel, ChannelState& lowest, bool showInLegend, DateTime windowStart, DateTime windowEnd);
  void HideChannel(Channel channel);
  void ApplySeriesSettings(Channel channel, const std::string& label, bool outputsAsBars, bool othersAsBars,
                           int lineWidth, Color color);
  void SetChannelAxis(Channel channel, chart::VerticalAxis axis);

  // The day log of each calendar day of the month (the first loaded one
  // dated on it), nullptr for days without one.
  std::vector<const TDay*> DayOnEachDate() const;

  // One point per calendar day at noon with that day's totals, 0 for days
  // without a day log. Called once all files are loaded, and again when a
  // day log changed.
  void BuildDailyTotals();

  const TotalEntry& Total(Channel channel) const { return totals_[TotalIndex(channel)]; }

 private:
  static std::size_t TotalIndex(Channel channel) { return channel == Channel::Energy ? 1 : 0; }
  bool HasDays() const { return dayCount_ > 0; }
  bool Overlaps(DateTime windowStart, DateTime windowEnd) const { return windowEnd > start_ && windowStart < end_; }

  int year_;
  int month_;
  int dayCount_ = 0;
  TMonth* previous_ = nullptr;
  TMonth* next_ = nullptr;
  chart::ChartPanel* upper_;
  TDay* firstDay_ = nullptr;
  DateTime end_ = 0.0;
  DateTime start_ = 0.0;
  std::array<bool, kChannelCount> channelShown_{};
  std::array<TotalEntry, 2> totals_;
};

}  // namespace calorix::logdata
