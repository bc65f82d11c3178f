#pragma once

#include <QColor>
#include <QImage>
#include <memory>
#include <vector>

#include "chart/chart_panel.h"
#include "chart/chart_series.h"
#include "chartview/chart_layout.h"
#include "chartview/render_options.h"

namespace calorix::chartview::test {

// 5 May 2010, midnight.
double Day();
constexpr double kMinute = 1.0 / 1440.0;

// A panel with fixed axes: bottom from..to as time of day, left 0..100,
// right 0..1000; no grid, so that pixels show only the series.
struct TestPanel {
  chart::ChartPanel panel;
  std::vector<std::unique_ptr<chart::ChartSeries>> series;

  TestPanel(double from, double to);
  chart::ChartSeries& AddLine(Color color, int penWidth = 2);
  chart::ChartSeries& AddBars(Color color, double base);
};

struct Rendered {
  QImage image;
  ChartLayout layout;
};

Rendered Render(const chart::ChartPanel& panel, QSize size, RenderOptions options = {});

// Whether the pixel is close to the colour (antialiased edges aside).
bool IsColour(const QImage& image, double x, double y, QColor colour);
bool IsWhite(const QImage& image, double x, double y);

}  // namespace calorix::chartview::test
