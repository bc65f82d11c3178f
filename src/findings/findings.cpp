#include "findings/findings.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "findings/day_findings.h"
#include "findings/night_loss.h"
#include "findings/record_timeline.h"
#include "logdata/day_log.h"
#include "logdata/log_analysis.h"

namespace calorix::findings {
namespace {

// Indexed by FindingKind.
constexpr std::array<std::string_view, kFindingKindCount> kWords = {
    "overheat", "no-yield", "cycling", "err", "out-of-range", "stuck", "fault", "gap", "missing-day", "night-loss",
};

// Runs of calendar days in [first, last] without a day log.
void AddMissingDays(const std::vector<const logdata::TDay*>& days, DateTime first, DateTime last,
                    std::vector<Finding>& out) {
  std::size_t next = 0;
  std::optional<Finding> run;
  for (DateTime date = first; date <= last; date += 1.0) {
    while (next < days.size() && std::floor(days[next]->DayDate()) < date) ++next;
    const bool loaded = next < days.size() && std::floor(days[next]->DayDate()) == date;
    if (!loaded && run) {
      run->end = date + 1.0;
      run->figure += 1.0;
    } else if (!loaded) {
      run = Finding{FindingKind::MissingDay, std::nullopt, date, date + 1.0, 1.0, std::nullopt};
    } else if (run) {
      out.push_back(*run);
      run.reset();
    }
  }
  if (run) out.push_back(*run);
}

auto OrderOf(const Finding& f) {
  return std::make_tuple(f.start, static_cast<int>(f.kind), f.channel ? logdata::IndexOf(*f.channel) : -1, f.end);
}

}  // namespace

std::string_view KindWord(FindingKind kind) { return kWords.at(static_cast<std::size_t>(kind)); }

std::optional<FindingKind> KindOfWord(std::string_view word) {
  for (std::size_t i = 0; i < kWords.size(); ++i) {
    if (kWords[i] == word) return static_cast<FindingKind>(i);
  }
  return std::nullopt;
}

std::vector<Finding> FindFindings(const logdata::TLogAnalysis& analysis, const FindingThresholds& thresholds) {
  std::vector<Finding> found;
  if (!analysis.HasData()) return found;
  const std::vector<const logdata::TDay*> days = analysis.DaysInCalendarOrder();
  std::vector<DayRecords> records;
  records.reserve(days.size());
  for (const logdata::TDay* day : days) {
    records.push_back({day, RecordTimes(*day)});
    const std::vector<Finding> ofDay = DayFindings(records.back(), thresholds);
    found.insert(found.end(), ofDay.begin(), ofDay.end());
  }
  const std::vector<Finding> nights = NightLosses(records, thresholds);
  found.insert(found.end(), nights.begin(), nights.end());
  if (analysis.IsMultiDay()) {
    AddMissingDays(days, std::floor(analysis.StartDate()), std::floor(analysis.EndDate()), found);
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const Finding& a, const Finding& b) { return OrderOf(a) < OrderOf(b); });
  return found;
}

std::vector<Finding> FindingsWithin(const std::vector<Finding>& findings, DateTime from, DateTime to) {
  std::vector<Finding> within;
  for (const Finding& finding : findings) {
    if (finding.start >= to) break;
    if (finding.end > from || (finding.end == finding.start && finding.start >= from)) within.push_back(finding);
  }
  return within;
}

}  // namespace calorix::findings
