#pragma once

#include "core/child_settings.h"
#include "evaluation/range_summary.h"

namespace calorix::logdata {
class TLogAnalysis;
}

namespace calorix::evaluation {

// The names a window's summary is written with: its channel labels (as
// the selection panel shows them) and the evaluation's units without
// brackets.
SummaryNames SummaryNamesOf(const TChildSettings& settings, const logdata::TLogAnalysis& analysis);

}  // namespace calorix::evaluation
