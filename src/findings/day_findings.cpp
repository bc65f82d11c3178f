#include "findings/day_findings.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <span>

#include "findings/record_timeline.h"
#include "logdata/day_log.h"

namespace calorix::findings {
namespace {

using logdata::Channel;
using Column = std::vector<std::optional<double>>;

constexpr Channel kCollector = Channel::T1;
constexpr Channel kTank = Channel::T2;
constexpr Channel kPump = Channel::R1;
constexpr Channel kSwitchedOutputs[] = {Channel::R1, Channel::R2, Channel::R3};
// A gap is a spacing this much longer than the day's usual one, so that a
// logger writing every 15 minutes has no gap at every record.
constexpr double kGapOverUsualSpacing = 1.5;

struct DayScan {
  const logdata::TDay& day;
  const std::vector<DateTime>& times;
  const FindingThresholds& limits;
  std::vector<Finding>& out;
};

// The values of a series at every record time: as read, or as stored
// where only the sign of a level counts.
Column ColumnOf(const DayScan& scan, Channel channel, bool asRead = true) {
  SeriesCursor cursor(scan.day.UpperSeries(channel));
  Column values;
  values.reserve(scan.times.size());
  for (const DateTime t : scan.times) values.push_back(asRead ? cursor.ValueAt(t) : cursor.LevelAt(t));
  return values;
}

std::optional<chart::ValueRange> StoredRange(const DayScan& scan, Channel channel) {
  return scan.day.UpperSeries(channel).YRange();
}

bool IsOn(const std::optional<double>& level) { return level && *level > 0.0; }

// Stored floats round a value by far less than this; a series whose
// stored range stays this far inside a limit cannot cross it.
constexpr double kStoredMargin = 0.01;

void FindOverheat(const DayScan& scan) {
  const double limit = scan.limits.overheatTemperature;
  const auto range = StoredRange(scan, kCollector);
  if (!range || range->max < limit - kStoredMargin) return;
  const Column t1 = ColumnOf(scan, kCollector);
  for (const Stretch& s : StretchesWhere(scan.times, [&](std::size_t i) { return t1[i] && *t1[i] >= limit; })) {
    if (s.Minutes() < scan.limits.overheatMinutes) continue;
    std::size_t hottest = s.first;
    for (std::size_t i = s.first; i <= s.last; ++i) {
      if (*t1[i] > *t1[hottest]) hottest = i;
    }
    scan.out.push_back({FindingKind::Overheat, kCollector, s.start, s.end, *t1[hottest], scan.times[hottest]});
  }
}

void FindNoYield(const DayScan& scan) {
  const auto pumpRange = StoredRange(scan, kPump);
  if (!pumpRange || !(pumpRange->max > 0.0)) return;
  const Column pump = ColumnOf(scan, kPump, false);
  const Column t1 = ColumnOf(scan, kCollector);
  const Column t2 = ColumnOf(scan, kTank);
  const Column power = ColumnOf(scan, Channel::Power);
  const auto lead = [&](std::size_t i) { return *t1[i] - *t2[i]; };
  const auto idle = [&](std::size_t i) {
    return IsOn(pump[i]) && t1[i] && t2[i] && lead(i) <= scan.limits.noYieldDifference &&
           (!power[i] || *power[i] <= scan.limits.noYieldPower);
  };
  for (const Stretch& s : StretchesWhere(scan.times, idle)) {
    if (s.Minutes() < scan.limits.noYieldMinutes) continue;
    double largest = lead(s.first);
    for (std::size_t i = s.first; i <= s.last; ++i) largest = std::max(largest, lead(i));
    scan.out.push_back({FindingKind::NoYield, kPump, s.start, s.end, largest, std::nullopt});
  }
}

// Runs of an output close together: every window of the cycling time that
// holds enough starts, overlapping windows joined.
void FindCycling(const DayScan& scan, Channel output) {
  const auto range = StoredRange(scan, output);
  if (!range || !(range->max > 0.0)) return;
  const Column level = ColumnOf(scan, output, false);
  const std::vector<Stretch> runs = StretchesWhere(scan.times, [&](std::size_t i) { return IsOn(level[i]); });
  const double window = scan.limits.cyclingMinutes / 1440.0;
  std::optional<Finding> cluster;
  std::size_t clusterLast = 0;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    std::size_t j = i;
    while (j + 1 < runs.size() && runs[j + 1].start < runs[i].start + window) ++j;
    const double starts = static_cast<double>(j - i + 1);
    if (starts < scan.limits.cyclingStarts) continue;
    if (cluster && i <= clusterLast) {
      clusterLast = std::max(clusterLast, j);
      cluster->end = runs[clusterLast].end;
      cluster->figure = std::max(cluster->figure, starts);
      continue;
    }
    if (cluster) scan.out.push_back(*cluster);
    cluster = Finding{FindingKind::Cycling, output, runs[i].start, runs[j].end, starts, std::nullopt};
    clusterLast = j;
  }
  if (cluster) scan.out.push_back(*cluster);
}

void FindCycling(const DayScan& scan) {
  for (const Channel output : kSwitchedOutputs) FindCycling(scan, output);
}

void FindErr(const DayScan& scan) {
  for (int column = 0; column < logdata::kColumnCount; ++column) {
    const Channel channel = logdata::ChannelAt(column);
    const logdata::TDay::ErrorReadings& errors = scan.day.Errors(channel);
    if (errors.count == 0) continue;
    scan.out.push_back(
        {FindingKind::Err, channel, errors.first, errors.last, static_cast<double>(errors.count), std::nullopt});
  }
}

template <typename Visit>
void ForEachSensor(Visit visit) {
  for (int i = logdata::IndexOf(Channel::T1); i <= logdata::IndexOf(Channel::TD); ++i) visit(logdata::ChannelAt(i));
}

void FindOutOfRange(const DayScan& scan) {
  const double low = scan.limits.lowestTemperature;
  const double high = scan.limits.highestTemperature;
  ForEachSensor([&](Channel channel) {
    const auto range = StoredRange(scan, channel);
    if (!range || (range->min > low + kStoredMargin && range->max < high - kStoredMargin)) return;
    const Column values = ColumnOf(scan, channel);
    const auto outside = [&](std::size_t i) { return values[i] && (*values[i] < low || *values[i] > high); };
    const auto beyond = [&](std::size_t i) { return std::max(low - *values[i], *values[i] - high); };
    for (const Stretch& s : StretchesWhere(scan.times, outside)) {
      std::size_t farthest = s.first;
      for (std::size_t i = s.first; i <= s.last; ++i) {
        if (beyond(i) > beyond(farthest)) farthest = i;
      }
      scan.out.push_back({FindingKind::OutOfRange, channel, s.start, s.end, *values[farthest], std::nullopt});
    }
  });
}

// Equal stored floats are equal values as read.
bool Changes(const DayScan& scan, Channel channel) {
  const auto range = StoredRange(scan, channel);
  return range && range->min < range->max;
}

void FindStuck(const DayScan& scan) {
  bool anyChanges = false;
  ForEachSensor([&](Channel channel) { anyChanges = anyChanges || Changes(scan, channel); });
  if (!anyChanges) return;
  ForEachSensor([&](Channel channel) {
    const chart::ChartSeries& series = scan.day.UpperSeries(channel);
    if (!series.YRange() || Changes(scan, channel)) return;
    std::optional<std::size_t> first;
    std::size_t last = 0;
    for (std::size_t i = 0; i < series.Count(); ++i) {
      if (series.IsNull(i)) continue;
      if (!first) first = i;
      last = i;
    }
    if (!first || last == *first) return;  // one value cannot show a change
    scan.out.push_back({FindingKind::Stuck, channel, series.X(*first), series.X(last), series.Y(*first), std::nullopt});
  });
}

void FindFault(const DayScan& scan) {
  const auto range = StoredRange(scan, Channel::RError);
  if (!range || !(range->max > 0.0)) return;
  const Column level = ColumnOf(scan, Channel::RError);
  for (const Stretch& s : StretchesWhere(scan.times, [&](std::size_t i) { return IsOn(level[i]); })) {
    double highest = *level[s.first];
    for (std::size_t i = s.first; i <= s.last; ++i) highest = std::max(highest, *level[i]);
    scan.out.push_back({FindingKind::Fault, Channel::RError, s.start, s.end, highest, std::nullopt});
  }
}

// Spacings in whole seconds, so that ten minutes of stamps is no more than ten.
long SecondsBetween(DateTime from, DateTime to) { return std::lround((to - from) * 86400.0); }

long UsualSpacing(std::span<const DateTime> times) {
  std::map<long, int> counts;
  for (std::size_t i = 1; i < times.size(); ++i) ++counts[SecondsBetween(times[i - 1], times[i])];
  const auto most =
      std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
  return most == counts.end() ? 0 : most->first;
}

void FindGaps(const DayScan& scan) {
  const std::span<const DateTime> times = scan.times;
  const double usual = static_cast<double>(UsualSpacing(times));
  for (std::size_t i = 1; i < times.size(); ++i) {
    const double seconds = static_cast<double>(SecondsBetween(times[i - 1], times[i]));
    if (seconds <= scan.limits.gapMinutes * 60.0 || seconds <= usual * kGapOverUsualSpacing) continue;
    scan.out.push_back({FindingKind::Gap, std::nullopt, times[i - 1], times[i], seconds / 60.0, std::nullopt});
  }
}

using Detector = void (*)(const DayScan&);
constexpr Detector kDetectors[] = {FindOverheat,   FindNoYield, FindCycling, FindErr,
                                   FindOutOfRange, FindStuck,   FindFault,   FindGaps};

}  // namespace

std::vector<Finding> DayFindings(const DayRecords& day, const FindingThresholds& thresholds) {
  std::vector<Finding> found;
  const DayScan scan{*day.day, day.times, thresholds, found};
  for (const Detector detect : kDetectors) detect(scan);
  return found;
}

}  // namespace calorix::findings
