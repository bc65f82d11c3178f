#pragma once

#include <memory>
#include <vector>

#include "chart/chart_panel.h"
#include "chart/chart_series.h"

namespace calorix::chartview::bench {

// Made-up per-minute logs shaped like a solar-thermal controller's: seven
// temperatures that follow the sun, flow and power while the pump runs,
// and four outputs as bands on the lower chart. Deterministic.
struct SyntheticCharts {
  chart::ChartPanel upper;
  chart::ChartPanel lower;
  std::vector<std::unique_ptr<chart::ChartSeries>> series;
};

struct SyntheticOptions {
  double firstDay = 0.0;  // date of the first day (days since 1899-12-30)
  int days = 1;
  bool seriesPerDay = true;  // as the program keeps them: one series per channel and day
  int penWidth = 2;
  bool outputsAsBars = true;
  bool allOnUpper = false;  // all fifteen channels as lines on the upper panel
  bool withGap = true;      // a logger pause of a few minutes each day
};

// Panels set up as the evaluation window does, filled with data, and the
// bottom axes set to the whole period.
std::unique_ptr<SyntheticCharts> MakeSyntheticCharts(const SyntheticOptions& options);

}  // namespace calorix::chartview::bench
