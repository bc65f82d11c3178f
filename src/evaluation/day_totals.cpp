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
  std::size_t minimumAt = 0;
  std::size_t maximumAt = 0;
  double sum = 0.0;
  for (std::size_t i = FirstAtOrAfter(points, ascending, from); i < points.Size(); ++i) {
    const DateTime x = points.X(i);
    if (x >= to) {
      if (ascending) break;
      continue;
    }
    if (x < from || points.IsNull(i)) continue;
    const double y = points.Y(i);
    if (result.count == 0 || y < points.Y(minimumAt)) minimumAt = i;
    if (result.count == 0 || y > points.Y(maximumAt)) maximumAt = i;
    sum += y;
    ++result.count;
  }
  if (result.count == 0) return std::nullopt;
  // The extremes as the series gives its values back (the numbers read).
  result.minimum = series.Y(minimumAt);
  result.maximum = series.Y(maximumAt);
  result.maximumAt = points.X(maximumAt);
  result.mean = sum / static_cast<double>(result.count);
  return result;
}

std::optional<double> RunningHours(const ChartSeries& levels, DateTime from, DateTime to) {
  const PointView points = levels.Points();
  const bool ascending = levels.XAscending();
  const std::size_t begin = FirstAtOrAfter(points, ascending, from);
  const std::size_t end = ascending ? FirstAtOrAfter(points, true, to) : points.Size();
  bool anyRecord = false;
  double days = 0.0;
  // From the record before from on: it may run into the window. Where the
  // Xs ascend, the index tells whether a record lies in the window, and
  // only stretches with the output on need their times.
  for (std::size_t i = begin > 0 ? begin - 1 : 0; i < end; ++i) {
    if (points.IsNull(i)) continue;
    const bool on = points.Y(i) > 0.0;
    if (ascending && !on) {
      anyRecord = anyRecord || i >= begin;
      continue;
    }
    const DateTime start = points.X(i);
    if (start >= to) continue;
    if (start >= from) anyRecord = true;
    if (!on || i + 1 >= points.Size() || points.IsNull(i + 1)) continue;
    const double overlap = std::min(points.X(i + 1), to) - std::max(start, from);
    if (overlap > 0.0) days += overlap;
  }
  if (!anyRecord) return std::nullopt;
  return days * 24.0;
}

namespace {

// A whole day log's series: an output that never ran needs no walk.
std::optional<double> RunningHoursOfDay(const ChartSeries& levels, DateTime from, DateTime to) {
  const std::optional<chart::ValueRange> range = levels.YRange();
  if (!range) return std::nullopt;
  if (!(range->max > 0.0)) return 0.0;
  return RunningHours(levels, from, to);
}

}  // namespace

DayTotals TotalsOfDay(const logdata::TDay& day) {
  DayTotals totals;
  totals.day = day.DayDate();
  totals.volume = day.GetVolume();
  totals.energy = day.GetEnergy();
  const DateTime from = day.DayDate();
  const DateTime to = from + 1.0;
  // Every value of a day log lies within its day.
  if (const auto collector = day.UpperSeries(kCollectorChannel).YRange()) totals.collectorMax = collector->max;
  for (std::size_t w = 0; w < kOutputCount; ++w) {
    const Channel output = logdata::ChannelAt(logdata::IndexOf(Channel::R1) + static_cast<int>(w));
    totals.runningHours[w] = RunningHoursOfDay(day.UpperSeries(output), from, to);
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
