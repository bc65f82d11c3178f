#pragma once

#include <span>
#include <vector>

#include "findings/findings.h"
#include "findings/record_timeline.h"

namespace calorix::findings {

// Heat lost at night: within the night hours, with R1, R2 and R3 off, an
// hour (or at least three quarters of one, between records) in which the
// tank (T2) falls faster than the limit and the collector (T1) warms by
// more than its limit; such hours that overlap form one finding. A night
// runs into the next day, so the days come in calendar order, one per date.
std::vector<Finding> NightLosses(std::span<const DayRecords> days, const FindingThresholds& thresholds);

}  // namespace calorix::findings
