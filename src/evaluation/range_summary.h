#pragma once

#include <array>
#include <optional>
#include <span>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/date_time.h"
#include "evaluation/day_totals.h"
#include "logdata/channel.h"

namespace calorix::logdata {
class TDay;
class TLogAnalysis;
}  // namespace calorix::logdata

namespace calorix::evaluation {

// One measured channel over a range: its values there, combined across
// the days the range covers (the first maximum in time).
struct ChannelSummary {
  logdata::Channel channel = logdata::Channel::T1;
  SeriesStatistics statistics;
};

struct OutputSummary {
  logdata::Channel channel = logdata::Channel::R1;
  double hours = 0.0;
};

// What an evaluation holds in the time range [from, to).
struct RangeSummary {
  DateTime from = 0.0;
  DateTime to = 0.0;
  // The measured channels asked for that have values in the range, in the
  // order asked for.
  std::vector<ChannelSummary> channels;
  // R1, R2, R3 and RError, those with records in the range.
  std::vector<OutputSummary> outputs;
  // The day totals of the loaded days the range touches, the figures the
  // daily total bars show.
  double volume = 0.0;
  double energy = 0.0;
  int daysWithFile = 0;
  // Of a range over more than one day: the loaded day that collected the
  // most energy, none when no day collected any.
  struct BestDay {
    DateTime day = 0.0;
    double energy = 0.0;
  };
  std::optional<BestDay> bestDay;
  // Calendar days the range touches, within the evaluation's dates, with
  // no loaded file.
  int daysWithoutFile = 0;
};

// The figures of whole day logs that SummarizeRange combines, each one
// computed on first use and kept: a day log's values never change after
// loading. Knows the day logs by address only, so whoever keeps one clears
// it whenever day logs are added or go.
class WholeDayFigures {
 public:
  // The statistics of a measured channel (T1..TD, Flow, Power) and the
  // running hours of an output over the day's own date.
  std::optional<SeriesStatistics> Statistics(const logdata::TDay& day, logdata::Channel channel);
  std::optional<double> Hours(const logdata::TDay& day, logdata::Channel output);
  void Clear() { days_.clear(); }

 private:
  static constexpr std::size_t kMeasuredCount = static_cast<std::size_t>(logdata::IndexOf(logdata::Channel::Power)) + 1;
  // Outer optional: computed yet; inner: what the day holds.
  struct Day {
    std::array<std::optional<std::optional<SeriesStatistics>>, kMeasuredCount> statistics;
    std::array<std::optional<std::optional<double>>, kOutputCount> hours;
  };
  std::unordered_map<const logdata::TDay*, Day> days_;
};

// Each day log covers its own date, [midnight, next midnight), as the day
// totals and the readout take it; one day log per date, as the daily
// totals take it. Only T1..TD, Flow and Power of `channels` count.
// Searches each day's series by time, so the cost follows the points in
// the range, not the whole evaluation. With wholeDays, the days the range
// covers entirely take their figures from there (the same numbers), and
// only the days at its ends are walked.
RangeSummary SummarizeRange(const logdata::TLogAnalysis& analysis, DateTime from, DateTime to,
                            std::span<const logdata::Channel> channels, WholeDayFigures* wholeDays = nullptr);

// The names a summary is written with: the channel labels as the
// selection panel shows them and the units without brackets, by channel.
struct SummaryNames {
  std::array<std::string, logdata::kChannelCount> labels;
  std::array<std::string, logdata::kChannelCount> units;
};

// The summary as lines of tab-separated cells, narrow enough for a panel
// beside the charts and pasting into a spreadsheet as two columns: the
// range; per measured channel its label and unit, then its minimum,
// maximum, time of maximum ("hh:mm" when the range lies within one day,
// else "dd.mm. hh:mm") and mean, each an indented name and a number; the
// outputs' running hours; volume, energy, the best day (with its energy)
// and the days without a file. A unit stands in its name cell ("Energy
// [kWh]"), so that every value cell is a bare number with decimalPoint.
// Texts in the language in use.
std::vector<std::string> SummaryLines(const RangeSummary& summary, const SummaryNames& names, char decimalPoint);

}  // namespace calorix::evaluation
