#pragma once

#include "core/date_time.h"

#include <array>
#include <cstdint>
#include <vector>

namespace calorix::loggen {

// The thirteen value columns of a record, in file order.
enum Column { kT1, kT2, kT3, kT4, kT5, kT6, kTds, kFlow, kPower, kR1, kR2, kR3, kRError, kColumnCount };

// One logged minute. Values are already rounded to the decimals they are
// written with (power in kW), so that derived columns agree with the
// printed ones.
struct Reading {
  int minute = 0;  // minute of the day, 0..1439
  std::array<double, kColumnCount> values{};
  int faultyColumn = -1;  // column the controller reports as "Err", or -1
};

// Simulates a solar-thermal plant minute by minute through one day. Minutes
// the controller failed to log are missing from the result unless
// everyMinute is set; the first and the last minute of the day are always
// present.
std::vector<Reading> SimulateDay(CivilDate date, std::uint32_t seed, bool everyMinute = false);

}  // namespace calorix::loggen
