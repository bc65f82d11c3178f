#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/date_time.h"
#include "findings/findings.h"
#include "tools/day_simulation.h"

namespace calorix::loggen {

// A pattern written into one generated day, so that the findings have
// something to find: "KIND:yyyy-mm-dd[:CHANNEL]" with the findings' kind
// words. Each kind has a fixed time and shape (see the README's table):
//   overheat     T1 from 125 rising to 134.5 °C, 13:00 to 13:19
//   no-yield     R1 on at 30 % with no flow or power, 02:00 to 02:44
//   cycling      the output (R1, R2 or R3) on for 2 minutes, off for 2, 02:00 to 02:59
//   err          the channel (any value column) reads "Err", 09:00 to 09:14
//   out-of-range the sensor (T1..TD) reads -60 °C, 08:00 to 08:04
//   stuck        the sensor (T1..TD) keeps its first value all day
//   fault        RError at 100 %, 11:00 to 11:19
//   gap          no record from 14:00 to 14:29
//   missing-day  no file for the day
//   night-loss   T2 falling by 4 K/h and T1 warming by 7 K/h, 01:00 to 03:00
// The sensors default to T1 and the outputs to R1.
struct Injection {
  findings::FindingKind kind = findings::FindingKind::Overheat;
  CivilDate date;
  int column = 0;  // a Column of day_simulation.h

  friend bool operator==(const Injection&, const Injection&) = default;
};

// Reads a comma-separated list. Throws calorix::Error naming the entry
// that is no kind, no date, or names a channel the kind cannot take.
std::vector<Injection> ParseInjections(std::string_view list);

// Whether an injection takes the day's file away.
bool IsMissingDay(std::span<const Injection> injections, CivilDate date);

// Writes the injections of date into the day's readings (one per minute,
// in order, some minutes missing); the minutes a pattern covers and the one
// after it are logged, so its period is exactly the one listed above.
void Inject(std::vector<Reading>& readings, std::span<const Injection> injections, CivilDate date);

}  // namespace calorix::loggen
