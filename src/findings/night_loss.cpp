#include "findings/night_loss.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

#include "findings/record_timeline.h"
#include "logdata/day_log.h"

namespace calorix::findings {
namespace {

using logdata::Channel;
using logdata::TDay;

constexpr double kHour = 1.0 / 24.0;
// Records of a sparse log rarely lie exactly an hour apart.
constexpr double kShortestSpan = 0.75 * kHour;
constexpr double kSameTime = 0.5 / 86400.0;

struct Sample {
  DateTime t = 0.0;
  std::optional<double> collector;
  std::optional<double> tank;
  bool pumping = false;
};

void AddSamples(const DayRecords& records, DateTime from, DateTime to, std::vector<Sample>& samples) {
  const TDay& day = *records.day;
  SeriesCursor collector(day.UpperSeries(Channel::T1));
  SeriesCursor tank(day.UpperSeries(Channel::T2));
  SeriesCursor outputs[] = {SeriesCursor(day.UpperSeries(Channel::R1)), SeriesCursor(day.UpperSeries(Channel::R2)),
                            SeriesCursor(day.UpperSeries(Channel::R3))};
  const auto first = std::lower_bound(records.times.begin(), records.times.end(), from);
  for (auto at = first; at != records.times.end() && *at < to; ++at) {
    const DateTime t = *at;
    Sample sample{t, collector.ValueAt(t), tank.ValueAt(t), false};
    for (SeriesCursor& output : outputs) {
      const std::optional<double> level = output.LevelAt(t);
      sample.pumping = sample.pumping || (level && *level > 0.0);
    }
    samples.push_back(sample);
  }
}

// Samples with both temperatures, and whether a pump ran between two of them.
struct Night {
  std::vector<Sample> usable;
  std::vector<int> pumpingBefore;  // pumping samples before each usable one, for spans
};

Night NightOf(const std::vector<Sample>& samples) {
  Night night;
  int pumping = 0;
  for (const Sample& sample : samples) {
    if (sample.pumping) ++pumping;
    if (sample.collector && sample.tank && !sample.pumping) {
      night.usable.push_back(sample);
      night.pumpingBefore.push_back(pumping);
    }
  }
  return night;
}

void FindInNight(const Night& night, const FindingThresholds& limits, std::vector<Finding>& out) {
  const std::vector<Sample>& s = night.usable;
  std::optional<Finding> period;
  for (std::size_t i = 0, j = 0; i < s.size(); ++i) {
    j = std::max(j, i);
    while (j + 1 < s.size() && s[j + 1].t <= s[i].t + kHour + kSameTime) ++j;
    const double hours = (s[j].t - s[i].t) / kHour;
    if (s[j].t - s[i].t < kShortestSpan - kSameTime || night.pumpingBefore[j] != night.pumpingBefore[i]) continue;
    const double fall = (*s[i].tank - *s[j].tank) / hours;
    const double rise = *s[j].collector - *s[i].collector;
    if (!(fall > limits.nightTankFall && rise > limits.nightCollectorRise)) continue;
    if (period && s[i].t <= period->end) {
      period->end = std::max(period->end, s[j].t);
      period->figure = std::max(period->figure, fall);
      continue;
    }
    if (period) out.push_back(*period);
    period = Finding{FindingKind::NightLoss, Channel::T2, s[i].t, s[j].t, fall, std::nullopt};
  }
  if (period) out.push_back(*period);
}

}  // namespace

std::vector<Finding> NightLosses(std::span<const DayRecords> days, const FindingThresholds& thresholds) {
  std::map<double, const DayRecords*> byDate;
  for (const DayRecords& day : days) byDate.emplace(std::floor(day.day->DayDate()), &day);
  const double from = thresholds.nightFrom * kHour;
  const double to = (thresholds.nightTo <= thresholds.nightFrom ? 1.0 : 0.0) + thresholds.nightTo * kHour;
  // Each night by the date it begins on: the nights that touch a loaded day.
  std::vector<double> nights;
  for (const auto& [date, day] : byDate) {
    for (const double night : {date - 1.0, date}) {
      if (night + to > date && night + from < date + 1.0 && (nights.empty() || nights.back() < night)) {
        nights.push_back(night);
      }
    }
  }
  std::vector<Finding> found;
  for (const double night : nights) {
    std::vector<Sample> samples;
    for (double date = std::floor(night + from); date < night + to; date += 1.0) {
      if (const auto day = byDate.find(date); day != byDate.end())
        AddSamples(*day->second, night + from, night + to, samples);
    }
    FindInNight(NightOf(samples), thresholds, found);
  }
  return found;
}

}  // namespace calorix::findings
