#pragma once

#include <QFont>
#include <QRectF>
#include <QString>
#include <vector>

#include "chart/chart_panel.h"
#include "chartview/axis_scale.h"
#include "chartview/render_options.h"

class QPaintDevice;

namespace calorix::chartview {

// The ticks of one axis with their final label texts (after the panel's
// OnGetAxisLabel had its say). An empty text draws no label.
struct AxisTicks {
  std::vector<double> values;
  std::vector<QString> labels;
};

// One axis as it will be drawn.
struct AxisLayout {
  bool active = false;  // drawn at all: labels, ticks, grid
  chart::ValueRange range;
  AxisScale scale;
  AxisTicks ticks;
  double labelExtent = 0.0;  // widest label (vertical axes) or label height
};

struct LegendEntry {
  const chart::ChartSeries* series = nullptr;
  QString text;
  QRectF rect;  // swatch and text
};

// Where everything of a panel goes inside a target rectangle. All lengths
// are in painter units; `unit` is the length of a 96-dpi pixel on the
// device, so a printer page gets the same proportions as the screen.
struct ChartLayout {
  double unit = 1.0;
  QFont labelFont;
  QFont titleFont;
  QRectF bounds;
  QRectF plot;
  std::vector<QString> titleLines;
  QRectF titleRect;
  std::vector<LegendEntry> legend;
  AxisLayout bottom;
  AxisLayout left;
  AxisLayout right;
  bool bottomIsDateTime = false;
};

// The display range of an axis: its own range, or for an automatic axis
// the one its series span. Nothing when neither gives a usable range.
chart::ValueRange DisplayRange(const chart::ChartPanel& panel, chart::AxisPosition position);

// Lays the panel out in `bounds` for drawing on `device` with `font`, the
// plot area at least `minimum` from the sides.
ChartLayout ComputeLayout(const chart::ChartPanel& panel, const QRectF& bounds, const QFont& font,
                          const QPaintDevice* device, const PlotInsets& minimum = {});

// How far the plot area of a layout keeps from its bounds' sides.
PlotInsets InsetsOf(const ChartLayout& layout);

}  // namespace calorix::chartview
