#pragma once

#include <vector>

#include "findings/findings.h"
#include "findings/record_timeline.h"

namespace calorix::findings {

// The findings one day log shows within its own records: every kind but
// missing-day and night-loss, which need the days around it.
std::vector<Finding> DayFindings(const DayRecords& day, const FindingThresholds& thresholds);

}  // namespace calorix::findings
