#include "evaluation/day_totals.h"

#include <algorithm>

#include "logdata/day_log.h"
#include "logdata/log_analysis.h"

namespace calorix::evaluation {
namespace {

using chart::ChartSeries;
using chart::PointView;
using logdata::Channel;

// The first point at or after from: a binary search where the Xs ascend.
std::size_t FirstAtOrAfter(const PointView& points, bool ascending, DateTime from) {
  if (!ascending) return 0;
  std::size_t low = 0;
  std::size_t high = points.Size();
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if (points.X(middle) < from) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return low;
}

void TakeLarger(std::optional<double>& kept, std::optional<double> value) {
  if (value && (!kept || *value > *kept)) kept = value;
}

void Add(std::optional<double>& sum, std::optional<double> value) {
  if (value) sum = sum.value_or(0.0) + *value;
}

}  // namespace

std::optional<SeriesStatistics> StatisticsOf(const ChartSeries& series, DateTime from, DateTime to) {
  const PointView points = series.Points();
  const bool ascending = series.XAscending();
  SeriesStatistics result;
  double sum = 0.0;
  for (std::size_t i = FirstAtOrAfter(points, ascending, from); i < points.Size(); ++i) {
    const DateTime x = points.X(i);
    if (x >= to) {
      if (ascending) break;
      continue;
    }
    if (x < from || points.IsNull(i)) continue;
    const double y = points.Y(i);
    if (result.count == 0 || y < result.minimum) result.minimum = y;
    if (result.count == 0 || y > result.maximum) {
      result.maximum = y;
      result.maximumAt = x;
    }
    sum += y;
    ++result.count;
  }
  if (result.count == 0) return std::nullopt;
  result.mean = sum / static_cast<double>(result.count);
  return result;
}

std::optional<double> RunningHours(const ChartSeries& levels, DateTime from, DateTime to) {
  const PointView points = levels.Points();
  const bool ascending = levels.XAscending();
  std::size_t i = FirstAtOrAfter(points, ascending, from);
  // The record before from may run into the window.
  if (i > 0) --i;
  std::optional<double> days;
  for (; i < points.Size(); ++i) {
    if (points.IsNull(i)) continue;
    const DateTime start = points.X(i);
    if (start >= to) {
      if (ascending) break;
      continue;
    }
    if (start >= from) days = days.value_or(0.0);
    if (i + 1 >= points.Size() || points.IsNull(i + 1) || !(points.Y(i) > 0.0)) continue;
    const DateTime end = points.X(i + 1);
    const double overlap = std::min(end, to) - std::max(start, from);
    if (overlap > 0.0) days = days.value_or(0.0) + overlap;
  }
  if (!days) return std::nullopt;
  return *days * 24.0;
}

DayTotals TotalsOfDay(const logdata::TDay& day) {
  DayTotals totals;
  totals.day = day.DayDate();
  totals.volume = day.GetVolume();
  totals.energy = day.GetEnergy();
  const DateTime from = day.DayDate();
  const DateTime to = from + 1.0;
  if (const auto collector = StatisticsOf(day.UpperSeries(kCollectorChannel), from, to)) {
    totals.collectorMax = collector->maximum;
  }
  for (std::size_t w = 0; w < kOutputCount; ++w) {
    const Channel output = logdata::ChannelAt(logdata::IndexOf(Channel::R1) + static_cast<int>(w));
    totals.runningHours[w] = RunningHours(day.UpperSeries(output), from, to);
  }
  return totals;
}

std::vector<DayTotals> DailyTotals(const logdata::TLogAnalysis& analysis) {
  std::vector<DayTotals> totals;
  for (const logdata::TDay* day : analysis.DaysInCalendarOrder()) totals.push_back(TotalsOfDay(*day));
  return totals;
}

std::vector<MonthTotals> MonthlyTotals(std::span<const DayTotals> days) {
  std::vector<MonthTotals> months;
  for (const DayTotals& day : days) {
    const CivilDate date = DecodeDate(day.day);
    if (months.empty() || months.back().year != date.year || months.back().month != date.month) {
      MonthTotals month;
      month.year = date.year;
      month.month = date.month;
      months.push_back(month);
    }
    MonthTotals& month = months.back();
    ++month.daysWithFile;
    month.volume += day.volume;
    month.energy += day.energy;
    TakeLarger(month.collectorMax, day.collectorMax);
    for (std::size_t w = 0; w < kOutputCount; ++w) Add(month.runningHours[w], day.runningHours[w]);
  }
  return months;
}

}  // namespace calorix::evaluation
