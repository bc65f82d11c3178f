#pragma once

#include <string>
#include <vector>

#include "evaluation/range_summary.h"
#include "evaluation/totals_export.h"
#include "workbook/sheet_cells.h"

namespace calorix::logdata {
class TLogAnalysis;
}

namespace calorix::workbook {

using Rows = std::vector<std::vector<Cell>>;

// Where the energy of each row stands in TotalsRows.
inline constexpr int kEnergyColumn = 2;

// The daily or monthly totals as the totals export writes them, one row
// per calendar day (or month) from the evaluation's first date to its
// last, after a heading row: the date (a date cell, or the month as the
// text yyyy-mm), volume, energy, the collector's highest temperature,
// the pump's running hours and for months the days with a file. Days and
// months without a file have empty figures (and 0 days).
Rows TotalsRows(const logdata::TLogAnalysis& analysis, evaluation::TotalsPer per);

// What the summary panel shows of a whole day, as two columns of name and
// number: the day, the collector's maximum with its time, the running
// hours of the outputs with records, volume and energy, named with the
// window's labels and units in the language in use.
Rows DayTotalsRows(const evaluation::RangeSummary& day, const evaluation::SummaryNames& names);

}  // namespace calorix::workbook
