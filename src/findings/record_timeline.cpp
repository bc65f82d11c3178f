#include "findings/record_timeline.h"

#include <algorithm>
#include <iterator>

#include "logdata/channel.h"
#include "logdata/day_log.h"

namespace calorix::findings {
namespace {

// Two stamps of one record decode to the same X; this only guards against
// rounding in the decoding.
constexpr double kSameTime = 0.5 / 86400.0;

std::vector<DateTime> TimesWithValues(const chart::ChartSeries& series) {
  const chart::PointView points = series.Points();
  std::vector<DateTime> times;
  times.reserve(points.Size());
  for (std::size_t i = 0; i < points.Size(); ++i) {
    if (!points.IsNull(i)) times.push_back(points.X(i));
  }
  return times;
}

}  // namespace

std::vector<DateTime> RecordTimes(const logdata::TDay& day) {
  std::vector<DateTime> times;
  std::vector<DateTime> merged;
  for (int column = 0; column < logdata::kColumnCount; ++column) {
    const chart::ChartSeries& series = day.UpperSeries(logdata::ChannelAt(column));
    if (series.Count() == 0) continue;
    const std::vector<DateTime> own = TimesWithValues(series);
    if (own == times) continue;  // the usual case: every column has a value in every record
    merged.clear();
    std::set_union(times.begin(), times.end(), own.begin(), own.end(), std::back_inserter(merged));
    times.swap(merged);
  }
  return times;
}

std::optional<std::size_t> SeriesCursor::IndexAt(DateTime t) {
  while (next_ < points_.Size() && points_.X(next_) < t - kSameTime) ++next_;
  if (next_ >= points_.Size() || points_.X(next_) > t + kSameTime) return std::nullopt;
  // A gap marker shares its time with the value after it.
  while (next_ + 1 < points_.Size() && points_.IsNull(next_) && points_.X(next_ + 1) <= t + kSameTime) ++next_;
  if (points_.IsNull(next_)) return std::nullopt;
  return next_;
}

std::optional<double> SeriesCursor::ValueAt(DateTime t) {
  const std::optional<std::size_t> index = IndexAt(t);
  if (!index) return std::nullopt;
  return series_->Y(*index);
}

std::optional<double> SeriesCursor::LevelAt(DateTime t) {
  const std::optional<std::size_t> index = IndexAt(t);
  if (!index) return std::nullopt;
  return points_.Y(*index);
}

std::vector<Stretch> StretchesWhere(std::span<const DateTime> times, const std::function<bool(std::size_t)>& holds) {
  std::vector<Stretch> stretches;
  std::optional<std::size_t> first;
  for (std::size_t i = 0; i <= times.size(); ++i) {
    const bool on = i < times.size() && holds(i);
    if (on && !first) first = i;
    if (on || !first) continue;
    const std::size_t last = i - 1;
    stretches.push_back({*first, last, times[*first], i < times.size() ? times[i] : times[last]});
    first.reset();
  }
  return stretches;
}

}  // namespace calorix::findings
