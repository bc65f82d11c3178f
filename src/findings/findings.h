#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "core/date_time.h"
#include "findings/finding_thresholds.h"
#include "logdata/channel.h"

namespace calorix::logdata {
class TLogAnalysis;
}

namespace calorix::findings {

// What a finding is about. The words (KindWord) are fixed English for
// scripts: the command line, CSV and the log generator's injections.
enum class FindingKind {
  Overheat,    // T1 at or above the overheat temperature long enough
  NoYield,     // the solar pump (R1) on while T1 - T2 and the power stay near 0
  Cycling,     // an output started too often within a short time
  Err,         // a channel read "Err"
  OutOfRange,  // a temperature outside the range any sensor can read
  Stuck,       // a temperature that did not change all day while others did
  Fault,       // the fault-signal output (RError) on
  Gap,         // no record for longer than the gap limit inside a day
  MissingDay,  // days of a range without a file
  NightLoss,   // the tank cooling fast at night while the collector warms
};
inline constexpr int kFindingKindCount = 10;

std::string_view KindWord(FindingKind kind);
std::optional<FindingKind> KindOfWord(std::string_view word);

// One finding. start and end bound the period it covers, figure is the
// number that triggered it:
//   overheat     the highest T1, reached at figureAt
//   no-yield     the largest T1 - T2 during the run [K]
//   cycling      the most starts within the cycling time
//   err          the number of "Err" readings (start, end: the first and the last)
//   out-of-range the value farthest outside the range
//   stuck        the value the channel held
//   fault        the highest level of RError
//   gap          the minutes between the records around it
//   missing-day  the number of days without a file
//   night-loss   the fastest fall of T2 [K/h]
struct Finding {
  FindingKind kind = FindingKind::Overheat;
  // The channel the finding is about; none for gap and missing-day.
  std::optional<logdata::Channel> channel;
  DateTime start = 0.0;
  DateTime end = 0.0;
  double figure = 0.0;
  std::optional<DateTime> figureAt;

  friend bool operator==(const Finding&, const Finding&) = default;
};

// Every finding of the evaluation's days (the day logs the totals take,
// one per date, each over its own date), nights spanning two days, and the
// days of a range without a file; ordered by start, then kind, then
// channel. An evaluation of one day has no missing days.
std::vector<Finding> FindFindings(const logdata::TLogAnalysis& analysis, const FindingThresholds& thresholds = {});

// The findings whose period overlaps [from, to), for marking them on a
// chart of that range; findings must be ordered by start.
std::vector<Finding> FindingsWithin(const std::vector<Finding>& findings, DateTime from, DateTime to);

}  // namespace calorix::findings
