#include "evaluation/value_readout.h"

#include "logdata/day_log.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace calorix::evaluation {
namespace {

using chart::ChartSeries;

// Index of the last point at or before t, or of the first after it; the
// series' order when X ascends, else a plain walk.
std::optional<std::size_t> LastAtOrBefore(const ChartSeries& series, double t) {
  const std::size_t count = series.Count();
  if (series.XAscending()) {
    std::size_t low = 0;
    std::size_t high = count;  // first index with X > t
    while (low < high) {
      const std::size_t mid = low + (high - low) / 2;
      if (series.X(mid) <= t) {
        low = mid + 1;
      } else {
        high = mid;
      }
    }
    if (low == 0) return std::nullopt;
    return low - 1;
  }
  std::optional<std::size_t> best;
  for (std::size_t i = 0; i < count; ++i) {
    if (series.X(i) <= t && (!best || series.X(i) >= series.X(*best))) best = i;
  }
  return best;
}

}  // namespace

std::optional<double> SampleAt(const ChartSeries& series, double t) {
  const auto i = LastAtOrBefore(series, t);
  if (!i || series.IsNull(*i)) return std::nullopt;
  // A gap marker stands at the time of the record after the gap. The
  // sample before it still holds for one record interval (the one it came
  // after); the rest up to the marker is the gap.
  const std::size_t k = *i;
  if (k + 1 < series.Count() && series.IsNull(k + 1) && t > series.X(k)) {
    const bool spaced = k > 0 && !series.IsNull(k - 1);
    if (!spaced || t >= series.X(k) + (series.X(k) - series.X(k - 1))) return std::nullopt;
  }
  return series.Y(k);
}

std::optional<double> NeighbourSampleTime(const ChartSeries& series, double t, int direction) {
  std::optional<double> best;
  const auto better = [&](double x) {
    return direction > 0 ? (x > t && (!best || x < *best)) : (x < t && (!best || x > *best));
  };
  if (series.XAscending()) {
    const auto at = LastAtOrBefore(series, t);
    if (direction > 0) {
      for (std::size_t i = at ? *at + 1 : 0; i < series.Count() && !best; ++i) {
        if (!series.IsNull(i) && better(series.X(i))) best = series.X(i);
      }
    } else if (at) {
      for (std::size_t i = *at + 1; i-- > 0 && !best;) {
        if (!series.IsNull(i) && better(series.X(i))) best = series.X(i);
      }
    }
    return best;
  }
  for (std::size_t i = 0; i < series.Count(); ++i) {
    if (!series.IsNull(i) && better(series.X(i))) best = series.X(i);
  }
  return best;
}

std::optional<double> ChannelValueAt(const logdata::TLogAnalysis& evaluation, logdata::Channel channel, DateTime t) {
  bool found = false;
  std::optional<double> value;
  // A daily total stands at its day's noon as a bar over the whole day:
  // every time of the day reads it.
  const DateTime at = logdata::IsTotal(channel) ? std::floor(t) + 0.5 : t;
  evaluation.VisitChannelSeries(channel, [&](const ChartSeries& series, DateTime from, DateTime to) {
    if (found || t < from || t >= to) return;
    found = true;
    value = SampleAt(series, at);
  });
  return value;
}

namespace {

bool ReadsErrAt(const ChartSeries& series, const std::vector<DateTime>& errors, DateTime t) {
  const auto after = std::upper_bound(errors.begin(), errors.end(), t);
  if (after == errors.begin()) return false;
  const DateTime err = *(after - 1);
  const auto sample = LastAtOrBefore(series, t);
  if (sample && series.X(*sample) >= err) return false;  // a value came after it
  // The record before the "Err" gives the interval it holds for when the
  // series' next point marks a gap.
  std::optional<DateTime> before;
  if (after - 1 != errors.begin()) before = *(after - 2);
  if (sample && (!before || series.X(*sample) > *before)) before = series.X(*sample);
  const std::size_t next = sample ? *sample + 1 : 0;
  const bool gapFollows = next < series.Count() && series.IsNull(next);
  return !(gapFollows && before && t >= err + (err - *before));
}

}  // namespace

bool ChannelReadsErrAt(const logdata::TLogAnalysis& evaluation, logdata::Channel channel, DateTime t) {
  if (logdata::IsTotal(channel)) return false;
  bool found = false;
  bool err = false;
  evaluation.VisitDays([&](const logdata::TDay& day) {
    if (found || t < day.DayDate() || t >= day.DayDate() + 1.0) return;
    found = true;
    err = ReadsErrAt(day.UpperSeries(channel), day.Errors(channel).times, t);
  });
  return err;
}

std::optional<DateTime> ChannelNeighbourTime(const logdata::TLogAnalysis& evaluation, logdata::Channel channel,
                                             DateTime t, int direction) {
  std::optional<DateTime> best;
  evaluation.VisitChannelSeries(channel, [&](const ChartSeries& series, DateTime, DateTime) {
    const auto next = NeighbourSampleTime(series, t, direction);
    if (next && (!best || (direction > 0 ? *next < *best : *next > *best))) best = next;
  });
  return best;
}

std::string UnitText(std::string_view headerUnit) {
  if (headerUnit.size() >= 2 && headerUnit.front() == '[' && headerUnit.back() == ']') {
    headerUnit = headerUnit.substr(1, headerUnit.size() - 2);
  }
  return std::string(headerUnit);
}

std::string NumberText(double value) {
  char buffer[32];  // the longest shortest form of a double has 24 characters
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (error != std::errc()) return {};
  return std::string(buffer, end);
}

std::vector<std::string> ReadoutLines(const ValueReadout& readout, bool withDate, const std::string& onText,
                                      const std::string& offText) {
  std::vector<std::string> lines;
  // Whole minutes: the records are a minute apart, and a time shown as
  // 14:36 while the mouse is at 14:36:59 reads as the record of 14:36.
  const DateTime minute = std::floor(readout.time * 1440.0 + 1e-6) / 1440.0;
  lines.push_back(FormatDateTime(withDate ? "dd.mm.yyyy hh:nn" : "hh:nn", minute));
  for (const ReadoutRow& row : readout.rows) {
    std::string line = row.name + ": ";
    if (row.error) {
      line += "Err";
    } else if (!row.value) {
      line += "\u2013";
    } else if (logdata::IsOutput(row.channel)) {
      line += *row.value > 0.0 ? onText + " " + NumberText(*row.value) + " " + row.unit : offText;
    } else {
      line += NumberText(*row.value);
      if (!row.unit.empty()) line += " " + row.unit;
    }
    lines.push_back(line);
  }
  return lines;
}

}  // namespace calorix::evaluation
