#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "chart/chart_series.h"
#include "core/date_time.h"

namespace calorix::logdata {
class TDay;
}

namespace calorix::findings {

// The times of a day log's records, ascending: every time at which one of
// its value columns (T1..RError) holds a value. A record whose every field
// read "Err" or nothing left no value and is no record here.
std::vector<DateTime> RecordTimes(const logdata::TDay& day);

// A day log with its record times, found once for every finding.
struct DayRecords {
  const logdata::TDay* day = nullptr;
  std::vector<DateTime> times;
};

// Reads one series at record times asked for in ascending order, as the
// reader stored it: the series of a day log ascend.
class SeriesCursor {
 public:
  explicit SeriesCursor(const chart::ChartSeries& series) : series_(&series), points_(series.Points()) {}
  // The index of the value recorded at t; none when that record held none
  // for this series ("Err", an empty field, or no record at t).
  std::optional<std::size_t> IndexAt(DateTime t);
  // That value as read.
  std::optional<double> ValueAt(DateTime t);
  // The stored value, enough where only its sign counts.
  std::optional<double> LevelAt(DateTime t);

 private:
  const chart::ChartSeries* series_;
  chart::PointView points_;
  std::size_t next_ = 0;
};

// A run of consecutive records [first, last] at which a condition holds.
// It lasts from the first one's time to the time of the record after the
// last one (a value holds until the next record), or to the last one's own
// time at the end of the day.
struct Stretch {
  std::size_t first = 0;
  std::size_t last = 0;
  DateTime start = 0.0;
  DateTime end = 0.0;
  double Minutes() const { return (end - start) * 1440.0; }
};
std::vector<Stretch> StretchesWhere(std::span<const DateTime> times, const std::function<bool(std::size_t)>& holds);

}  // namespace calorix::findings
