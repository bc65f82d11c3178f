#pragma once

#include <string>

#include "chart/chart_axis.h"
#include "chart/chart_panel.h"

namespace calorix::evaluation {

// The upper chart of an evaluation window: analogue values over time.
// Mouse zoom on, panning off; fixed axes; the bottom axis labels the time
// of day; the right axis has no grid and ends at 100; legend hidden. The
// window attaches its own OnZoom, OnUndoZoom and OnScroll handlers.
void SetUpUpperPanel(chart::ChartPanel& panel);

// The lower chart: the outputs as bars or steps at fixed levels. No zoom or
// panning, no title; the left axis runs from -2 to 57 in steps of 5 with a
// dotted grid and names the output levels through GetAxisLabel.
void SetUpLowerPanel(chart::ChartPanel& panel);

// Label callback of the lower chart. On the left axis the labels 50, 35, 20
// and 5 (where the bars of outputs 1, 2, 3 and the fault output lie) become
// "R1", "R2", "R3" and "RErr" and every other label becomes empty; labels
// of the other axes stay as they are.
void GetAxisLabel(const chart::ChartAxis& axis, int valueIndex, std::string& label);

}  // namespace calorix::evaluation
