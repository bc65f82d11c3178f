#include "tools/injection.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "evaluation/channel_export.h"
#include "tools/genlog_cli.h"

namespace calorix::loggen {
namespace {

using findings::FindingKind;

enum class Columns { None, Collector, Pump, Switched, Sensors, Values, Fault };

struct Pattern {
  FindingKind kind;
  Columns columns;  // which channel it may name
  int defaultColumn;
  int firstMinute;
  int minutes;
  void (*write)(Reading& reading, int column, int offset);
};

double Rounded(double value) { return std::round(value * 10.0) / 10.0; }

// Indexed by FindingKind.
constexpr Pattern kPatterns[] = {
    {FindingKind::Overheat, Columns::Collector, kT1, 780, 20,
     [](Reading& r, int column, int offset) { r.values[column] = 125.0 + 0.5 * offset; }},
    {FindingKind::NoYield, Columns::Pump, kR1, 120, 45,
     [](Reading& r, int column, int) {
       r.values[column] = 30;
       r.values[kFlow] = 0;
       r.values[kPower] = 0;
     }},
    {FindingKind::Cycling, Columns::Switched, kR1, 120, 60,
     [](Reading& r, int column, int offset) { r.values[column] = offset % 4 < 2 ? 30 : 0; }},
    {FindingKind::Err, Columns::Values, kT1, 540, 15, [](Reading& r, int column, int) { r.faultyColumn = column; }},
    {FindingKind::OutOfRange, Columns::Sensors, kT1, 480, 5,
     [](Reading& r, int column, int) { r.values[column] = -60.0; }},
    {FindingKind::Stuck, Columns::Sensors, kT1, 0, 0, nullptr},
    {FindingKind::Fault, Columns::Fault, kRError, 660, 20, [](Reading& r, int, int) { r.values[kRError] = 100; }},
    {FindingKind::Gap, Columns::None, -1, 840, 30, nullptr},
    {FindingKind::MissingDay, Columns::None, -1, 0, 0, nullptr},
    {FindingKind::NightLoss, Columns::None, -1, 60, 1380,
     [](Reading& r, int, int offset) {
       const double hours = std::min(offset, 120) / 60.0;
       const double cooling = offset < 120 ? 0.0 : std::min(offset - 120, 120) / 60.0;
       r.values[kT2] = Rounded(r.values[kT2] - 4.0 * hours);
       r.values[kT1] = Rounded(r.values[kT1] + 7.0 * hours - 7.0 * cooling);
     }},
};

const Pattern& PatternOf(FindingKind kind) { return kPatterns[static_cast<int>(kind)]; }

bool Accepts(Columns columns, int column) {
  switch (columns) {
    case Columns::None: return false;
    case Columns::Collector: return column == kT1;
    case Columns::Pump: return column == kR1;
    case Columns::Switched: return column >= kR1 && column <= kR3;
    case Columns::Sensors: return column >= kT1 && column <= kTds;
    case Columns::Values: return column >= kT1 && column < kColumnCount;
    case Columns::Fault: return column == kRError;
  }
  return false;
}

Injection ParseOne(std::string_view entry) {
  const std::size_t first = entry.find(':');
  const std::size_t second = first == std::string_view::npos ? first : entry.find(':', first + 1);
  const auto fail = [entry](const std::string& why) -> Injection {
    throw UsageError("--inject: '" + std::string(entry) + "': " + why);
  };
  if (first == std::string_view::npos) return fail("expected KIND:yyyy-mm-dd[:CHANNEL]");
  const auto kind = findings::KindOfWord(entry.substr(0, first));
  if (!kind) {
    return fail(
        "unknown kind (overheat, no-yield, cycling, err, out-of-range, stuck, fault, gap, missing-day, "
        "night-loss)");
  }
  const auto date =
      ParseIsoDate(entry.substr(first + 1, second == std::string_view::npos ? second : second - first - 1));
  if (!date) return fail("expected a date yyyy-mm-dd");
  const Pattern& pattern = PatternOf(*kind);
  Injection injection{*kind, *date, pattern.defaultColumn};
  if (second == std::string_view::npos) return injection;
  const auto channel = evaluation::ChannelByName(entry.substr(second + 1));
  if (!channel || !Accepts(pattern.columns, logdata::IndexOf(*channel))) return fail("this kind takes no such channel");
  injection.column = logdata::IndexOf(*channel);
  return injection;
}

// The reading of a minute, logged from the one before if the controller
// missed it.
Reading& Logged(std::vector<Reading>& readings, int minute) {
  auto at =
      std::lower_bound(readings.begin(), readings.end(), minute, [](const Reading& r, int m) { return r.minute < m; });
  if (at != readings.end() && at->minute == minute) return *at;
  Reading copy = at == readings.begin() ? *at : *(at - 1);
  copy.minute = minute;
  return *readings.insert(at, copy);
}

void Apply(std::vector<Reading>& readings, const Injection& injection) {
  const Pattern& pattern = PatternOf(injection.kind);
  const int end = pattern.firstMinute + pattern.minutes;
  for (int minute = std::max(0, pattern.firstMinute - 1); minute <= std::min(end, 1439); ++minute) {
    Logged(readings, minute);
  }
  if (injection.kind == FindingKind::Stuck) {
    const double held = readings.front().values[injection.column];
    for (Reading& r : readings) r.values[injection.column] = held;
  } else if (injection.kind == FindingKind::Gap) {
    std::erase_if(readings, [&](const Reading& r) { return r.minute >= pattern.firstMinute && r.minute < end; });
  } else if (pattern.write) {
    for (Reading& r : readings) {
      if (r.minute >= pattern.firstMinute && r.minute < end)
        pattern.write(r, injection.column, r.minute - pattern.firstMinute);
    }
  }
}

}  // namespace

std::vector<Injection> ParseInjections(std::string_view list) {
  std::vector<Injection> injections;
  std::size_t from = 0;
  while (from <= list.size()) {
    const std::size_t comma = std::min(list.find(',', from), list.size());
    injections.push_back(ParseOne(list.substr(from, comma - from)));
    from = comma + 1;
  }
  return injections;
}

bool IsMissingDay(std::span<const Injection> injections, CivilDate date) {
  return std::any_of(injections.begin(), injections.end(), [date](const Injection& injection) {
    return injection.kind == FindingKind::MissingDay && injection.date == date;
  });
}

void Inject(std::vector<Reading>& readings, std::span<const Injection> injections, CivilDate date) {
  if (readings.empty()) return;
  for (const Injection& injection : injections) {
    if (injection.date == date) Apply(readings, injection);
  }
}

}  // namespace calorix::loggen
