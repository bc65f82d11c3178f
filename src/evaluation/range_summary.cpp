#include "evaluation/range_summary.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <utility>

#include "evaluation/value_readout.h"
#include "i18n/text_table.h"
#include "logdata/day_log.h"
#include "logdata/log_analysis.h"

namespace calorix::evaluation {
namespace {

using logdata::Channel;
using logdata::TDay;

// A window's ends come from axis arithmetic and may miss midnight by a
// rounding error; within this much they count as midnight, so that a day
// window never touches the next day.
constexpr double kMidnightTolerance = 1e-6;  // of a day, below a tenth of a second

bool IsMeasured(Channel channel) { return logdata::IndexOf(channel) <= logdata::IndexOf(Channel::Power); }

// The calendar days [first, last] that [from, to) touches.
struct DayRange {
  double first = 0.0;
  double last = -1.0;
  int Count() const { return last < first ? 0 : static_cast<int>(std::lround(last - first)) + 1; }
};
DayRange TouchedDays(DateTime from, DateTime to) {
  return {std::floor(from + kMidnightTolerance), std::ceil(to - kMidnightTolerance) - 1.0};
}

// The statistics of two stretches, the earlier first.
SeriesStatistics Combine(const SeriesStatistics& earlier, const SeriesStatistics& later) {
  SeriesStatistics result = earlier;
  result.minimum = std::min(earlier.minimum, later.minimum);
  if (later.maximum > earlier.maximum) {
    result.maximum = later.maximum;
    result.maximumAt = later.maximumAt;
  }
  result.count = earlier.count + later.count;
  const double sum = earlier.mean * static_cast<double>(earlier.count) + later.mean * static_cast<double>(later.count);
  result.mean = sum / static_cast<double>(result.count);
  return result;
}

// The days of the evaluation the range touches, in calendar order.
std::vector<const TDay*> DaysTouched(const logdata::TLogAnalysis& analysis, const DayRange& range) {
  const std::vector<const TDay*> days = analysis.DaysInCalendarOrder();
  const auto first = std::lower_bound(days.begin(), days.end(), range.first,
                                      [](const TDay* day, double date) { return std::floor(day->DayDate()) < date; });
  const auto last = std::upper_bound(first, days.end(), range.last,
                                     [](double date, const TDay* day) { return date < std::floor(day->DayDate()); });
  return {first, last};
}

// A figure of the channel over [from, to): measure(series, from, to) of
// each day's series within its own date, joined in calendar order; none
// when no day has one. A day inside [from, to) takes wholeDay(day) when
// given, the figure measure gives for its whole date.
template <typename Value, typename Measure, typename WholeDay, typename Join>
std::optional<Value> OverDays(std::span<const TDay* const> days, Channel channel, DateTime from, DateTime to,
                              Measure measure, WholeDay wholeDay, Join join) {
  std::optional<Value> result;
  for (const TDay* day : days) {
    const DateTime start = day->DayDate();
    const DateTime end = start + 1.0;
    const std::optional<Value> part =
        wholeDay && from <= start && to >= end
            ? wholeDay(*day)
            : measure(day->UpperSeries(channel), std::max(from, start), std::min(to, end));
    if (part) result = result ? join(*result, *part) : *part;
  }
  return result;
}

// A figure kept for the day log, measured over its whole date on first use.
template <typename Value, typename Measure>
std::optional<Value> Kept(std::optional<std::optional<Value>>& kept, const TDay& day, Channel channel,
                          Measure measure) {
  if (!kept) kept = measure(day.UpperSeries(channel), day.DayDate(), day.DayDate() + 1.0);
  return *kept;
}

// A number with the reader's decimal point; cells hold nothing else, so
// that a spreadsheet takes them as numbers.
std::string Number(double value, char decimalPoint) {
  std::string text = NumberText(value);
  std::replace(text.begin(), text.end(), '.', decimalPoint);
  return text;
}

// Rounded to hundredths for reading, without a "-0".
std::string Rounded(double value, char decimalPoint) {
  return Number(std::round(value * 100.0) / 100.0 + 0.0, decimalPoint);
}

// The unit goes into the name cell, "Sum of energy [kWh]".
std::string WithUnit(const std::string& name, const std::string& unit) {
  return unit.empty() ? name : name + " [" + unit + "]";
}

std::string Cells(std::initializer_list<std::string> cells) {
  std::string line;
  for (const std::string& cell : cells) {
    if (&cell != cells.begin()) line += '\t';
    line += cell;
  }
  return line;
}

std::string Label(const SummaryNames& names, Channel channel) {
  return names.labels[static_cast<std::size_t>(logdata::IndexOf(channel))];
}
std::string Unit(const SummaryNames& names, Channel channel) {
  return names.units[static_cast<std::size_t>(logdata::IndexOf(channel))];
}

}  // namespace

std::optional<SeriesStatistics> WholeDayFigures::Statistics(const TDay& day, Channel channel) {
  const auto index = static_cast<std::size_t>(logdata::IndexOf(channel));
  return Kept(days_[&day].statistics.at(index), day, channel, StatisticsOf);
}

std::optional<double> WholeDayFigures::Hours(const TDay& day, Channel output) {
  const auto index = static_cast<std::size_t>(logdata::IndexOf(output) - logdata::IndexOf(Channel::R1));
  return Kept(days_[&day].hours.at(index), day, output, RunningHours);
}

RangeSummary SummarizeRange(const logdata::TLogAnalysis& analysis, DateTime from, DateTime to,
                            std::span<const Channel> channels, WholeDayFigures* wholeDays) {
  RangeSummary summary;
  summary.from = from;
  summary.to = to;
  if (!(to > from)) return summary;
  const DayRange touched = TouchedDays(from, to);
  const std::vector<const TDay*> days = DaysTouched(analysis, touched);
  for (const Channel channel : channels) {
    if (!IsMeasured(channel)) continue;
    std::function<std::optional<SeriesStatistics>(const TDay&)> wholeDay;
    if (wholeDays) wholeDay = [&](const TDay& day) { return wholeDays->Statistics(day, channel); };
    if (const auto statistics = OverDays<SeriesStatistics>(days, channel, from, to, StatisticsOf, wholeDay, Combine)) {
      summary.channels.push_back({channel, *statistics});
    }
  }
  for (int i = logdata::IndexOf(Channel::R1); i <= logdata::IndexOf(Channel::RError); ++i) {
    const Channel output = logdata::ChannelAt(i);
    std::function<std::optional<double>(const TDay&)> wholeDay;
    if (wholeDays) wholeDay = [&](const TDay& day) { return wholeDays->Hours(day, output); };
    if (const auto hours = OverDays<double>(days, output, from, to, RunningHours, wholeDay, std::plus<>())) {
      summary.outputs.push_back({output, *hours});
    }
  }
  for (const TDay* day : days) {
    summary.volume += day->GetVolume();
    summary.energy += day->GetEnergy();
    if (touched.Count() > 1 && day->GetEnergy() > 0.0 &&
        (!summary.bestDay || day->GetEnergy() > summary.bestDay->energy)) {
      summary.bestDay = RangeSummary::BestDay{day->DayDate(), day->GetEnergy()};
    }
  }
  summary.daysWithFile = static_cast<int>(days.size());
  const DayRange inEvaluation{std::max(touched.first, std::floor(analysis.StartDate())),
                              std::min(touched.last, std::floor(analysis.EndDate()))};
  int filesInEvaluation = 0;
  for (const TDay* day : days) {
    const double date = std::floor(day->DayDate());
    if (date >= inEvaluation.first && date <= inEvaluation.last) ++filesInEvaluation;
  }
  summary.daysWithoutFile = std::max(0, inEvaluation.Count() - filesInEvaluation);
  return summary;
}

std::vector<std::string> SummaryLines(const RangeSummary& summary, const SummaryNames& names, char decimalPoint) {
  using i18n::Text;
  const std::string indent = "  ";
  std::vector<std::string> lines;
  lines.push_back(FormatDateTime("dd.mm.yyyy hh:nn", summary.from) + " \u2013 " +
                  FormatDateTime("dd.mm.yyyy hh:nn", summary.to));
  const bool oneDay = TouchedDays(summary.from, summary.to).Count() <= 1;
  for (const ChannelSummary& row : summary.channels) {
    const std::string unit = Unit(names, row.channel);
    const SeriesStatistics& s = row.statistics;
    lines.push_back(WithUnit(Label(names, row.channel), unit));
    lines.push_back(Cells({indent + Text(i18n::kTextMinimum), Number(s.minimum, decimalPoint)}));
    lines.push_back(Cells({indent + Text(i18n::kTextMaximum), Number(s.maximum, decimalPoint)}));
    lines.push_back(Cells(
        {indent + Text(i18n::kTextTimeOfMaximum), FormatDateTime(oneDay ? "hh:nn" : "dd.mm. hh:nn", s.maximumAt)}));
    lines.push_back(Cells({indent + Text(i18n::kTextMean), Rounded(s.mean, decimalPoint)}));
  }
  if (!summary.outputs.empty()) lines.push_back(WithUnit(Text(i18n::kTextRunningHours), "h"));
  for (const OutputSummary& row : summary.outputs) {
    lines.push_back(Cells({indent + Label(names, row.channel), Rounded(row.hours, decimalPoint)}));
  }
  for (const auto& [channel, total] :
       {std::pair{Channel::Volume, summary.volume}, std::pair{Channel::Energy, summary.energy}}) {
    lines.push_back(Cells({WithUnit(Label(names, channel), Unit(names, channel)), Rounded(total, decimalPoint)}));
  }
  if (summary.bestDay) {
    lines.push_back(Cells({WithUnit(Text(i18n::kTextBestDay) + " " + FormatDateTime("dd.mm.yyyy", summary.bestDay->day),
                                    Unit(names, Channel::Energy)),
                           Rounded(summary.bestDay->energy, decimalPoint)}));
  }
  lines.push_back(Cells({Text(i18n::kTextDaysWithoutFile), std::to_string(summary.daysWithoutFile)}));
  return lines;
}

}  // namespace calorix::evaluation
