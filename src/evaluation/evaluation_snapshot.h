#pragma once

#include <optional>
#include <string>
#include <vector>

#include "chart/chart_panel.h"
#include "core/child_settings.h"
#include "core/date_time.h"
#include "evaluation/date_text.h"
#include "evaluation/day_comparison.h"
#include "evaluation/evaluation_load.h"
#include "evaluation/evaluation_view.h"
#include "evaluation/monthly_bars.h"
#include "evaluation/range_summary.h"
#include "evaluation/value_readout.h"

namespace calorix::evaluation {

// A read-only look at what an evaluation window shows, for the questions
// asked of it between commands: the readout under the cursor and the
// summary of the visible window. Valid until the next command.
struct EvaluationSnapshot {
  const EvaluationLoad& load;
  const chart::ChartPanel& upper;
  const chart::ChartPanel& lower;
  const EvaluationView& view;
  const TChildSettings& settings;
  const MonthlyTotalBars& monthlyBars;
  const DayComparison& comparison;
  std::optional<DateTime> comparedDay;
  // The visible time window of both charts (the upper bottom axis).
  chart::ValueRange window;
  // The year span shows the totals per month.
  bool perMonthShown = false;
  // A range is still loading: nothing is placed in time yet.
  bool loading = false;
  // The month names of the language in use, for the readout over a
  // monthly bar.
  const MonthNames* monthNames = &EnglishMonthNames();
};

// The cursor readout: every checked channel's value at t (the last record
// at or before it), inputs, other values and outputs in the selection
// panel's order, each compared day's value right below its own. Empty rows
// without an evaluation.
ValueReadout ReadoutAt(const EvaluationSnapshot& shown, DateTime t);
// The time of the next (direction > 0) or previous record of the checked
// channels from t: the arrow keys move the cursor by one record.
std::optional<DateTime> NextRecordTime(const EvaluationSnapshot& shown, DateTime t, int direction);
// The readout as the window shows it: ReadoutLines of ReadoutAt, the date
// too in the month and year spans. Over the monthly bars of the year span a
// month's total is named by its month ("May 2024", which heads the readout
// when it shows nothing else) and given to a tenth.
std::vector<std::string> ReadoutText(const EvaluationSnapshot& shown, DateTime t);
// The colour of a channel's curve, for its mark in the readout.
Color ChannelColor(const TChildSettings& settings, logdata::Channel channel);
// The mark of a readout row: its channel's colour, lighter for the
// compared day.
Color RowColor(const TChildSettings& settings, const ReadoutRow& row);

// The summary of the visible time window: the checked measured channels,
// every output, volume, energy and the days without a file. Empty (no rows,
// nothing collected) without an evaluation and while a range loads.
RangeSummary Summary(const EvaluationSnapshot& shown);
// Summary() as SummaryLines in the window's labels and units, one line
// each, for the summary panel; empty without an evaluation.
std::string SummaryText(const EvaluationSnapshot& shown);

}  // namespace calorix::evaluation
