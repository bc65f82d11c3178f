#pragma once

#include <QRectF>

#include "chart/chart_panel.h"
#include "chartview/chart_layout.h"
#include "chartview/render_options.h"

class QPainter;

namespace calorix::chartview {

// The one way a panel is drawn: into any rectangle of any painter (widget,
// image, printer). Lengths scale with the device's resolution, so a printed
// page looks like the screen. Returns the layout used, which maps mouse
// positions back to values.
ChartLayout RenderPanel(QPainter& painter, const QRectF& target, const chart::ChartPanel& panel,
                        const RenderOptions& options = {});

// Draws for printing: the panel is laid out at its print size (size - size
// * PrintResolution() / 100, so -50 gives 1.5 times the target) and scaled
// into the target, which makes fonts and lines finer on paper.
void RenderPanelForPrint(QPainter& painter, const QRectF& target, const chart::ChartPanel& panel,
                         const RenderOptions& options = {});

}  // namespace calorix::chartview
