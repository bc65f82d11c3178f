#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "chart/chart_series.h"
#include "core/date_time.h"
#include "logdata/channel.h"

namespace calorix::logdata {
class TDay;
class TLogAnalysis;
}  // namespace calorix::logdata

namespace calorix::evaluation {

// The outputs R1, R2, R3 and RError, by output number.
inline constexpr std::size_t kOutputCount = 4;
using OutputHours = std::array<std::optional<double>, kOutputCount>;

// The collector sensor whose daily maximum the totals report.
inline constexpr logdata::Channel kCollectorChannel = logdata::Channel::T1;
// The solar circuit's pump: its running hours are the totals' pump hours.
inline constexpr logdata::Channel kPumpChannel = logdata::Channel::R1;

// Minimum, maximum (with the time of its first occurrence) and arithmetic
// mean of the values a series holds at times in [from, to). Gaps and the
// fields that held "Err" or nothing are no values.
struct SeriesStatistics {
  double minimum = 0.0;
  double maximum = 0.0;
  DateTime maximumAt = 0.0;
  double mean = 0.0;
  std::size_t count = 0;
};
std::optional<SeriesStatistics> StatisticsOf(const chart::ChartSeries& series, DateTime from, DateTime to);

// The hours an output ran within [from, to): every stretch from a record
// to the next one (not across a gap) counts when the record's level is
// above 0. The last record of a series has no next one and adds nothing.
// None when the series holds no record in [from, to).
std::optional<double> RunningHours(const chart::ChartSeries& levels, DateTime from, DateTime to);

// What one day collected and how it ran.
struct DayTotals {
  DateTime day = 0.0;                  // midnight
  double volume = 0.0;                 // [l]
  double energy = 0.0;                 // [kWh]
  std::optional<double> collectorMax;  // none without a value of the collector sensor
  OutputHours runningHours;            // none for an output without values
};
DayTotals TotalsOfDay(const logdata::TDay& day);

// One entry per loaded calendar day, in calendar order (the days the daily
// total bars take).
std::vector<DayTotals> DailyTotals(const logdata::TLogAnalysis& analysis);

// The daily totals of a calendar month added up.
struct MonthTotals {
  int year = 0;
  int month = 0;  // 1..12
  int daysWithFile = 0;
  double volume = 0.0;
  double energy = 0.0;
  std::optional<double> collectorMax;
  OutputHours runningHours;
};
// One entry per calendar month that holds a day, in calendar order; days
// must come in calendar order.
std::vector<MonthTotals> MonthlyTotals(std::span<const DayTotals> days);

}  // namespace calorix::evaluation
