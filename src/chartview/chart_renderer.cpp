#include "chartview/chart_renderer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "chartview/series_painter.h"

namespace calorix::chartview {
namespace {

using chart::ChartAxis;
using chart::ChartPanel;

constexpr double kGap = 4.0;

// Thin lines on pixel centres stay one pixel wide instead of smearing
// over two.
double Crisp(double v) { return std::floor(v) + 0.5; }

QPen GridPen(const ChartAxis& axis, double unit) {
  if (!axis.GridDotted()) return QPen(palette::kGrid, unit);
  QPen pen(palette::kDottedGrid, unit);
  pen.setDashPattern({1.0, 2.0});
  return pen;
}

void PaintHorizontalGrid(QPainter& p, const ChartLayout& l, const AxisLayout& axisLayout, const ChartAxis& axis) {
  if (!axisLayout.active || !axis.GridVisible()) return;
  const auto& values = axisLayout.ticks.values;
  if (axis.MinorGrid() && values.size() >= 2) {
    p.setPen(QPen(palette::kMinorGrid, l.unit));
    for (std::size_t i = 0; i + 1 < values.size(); ++i) {
      const double y = Crisp(axisLayout.scale.PosAtValue((values[i] + values[i + 1]) / 2.0));
      p.drawLine(QPointF(l.plot.left(), y), QPointF(l.plot.right(), y));
    }
  }
  p.setPen(GridPen(axis, l.unit));
  for (const double v : values) {
    const double y = Crisp(axisLayout.scale.PosAtValue(v));
    p.drawLine(QPointF(l.plot.left(), y), QPointF(l.plot.right(), y));
  }
}

void PaintVerticalGrid(QPainter& p, const ChartLayout& l, const ChartAxis& axis) {
  if (!l.bottom.active || !axis.GridVisible()) return;
  const auto& values = l.bottom.ticks.values;
  if (axis.MinorGrid() && values.size() >= 2) {
    p.setPen(QPen(palette::kMinorGrid, l.unit));
    for (std::size_t i = 0; i + 1 < values.size(); ++i) {
      const double x = Crisp(l.bottom.scale.PosAtValue((values[i] + values[i + 1]) / 2.0));
      p.drawLine(QPointF(x, l.plot.top()), QPointF(x, l.plot.bottom()));
    }
  }
  p.setPen(GridPen(axis, l.unit));
  for (const double v : values) {
    const double x = Crisp(l.bottom.scale.PosAtValue(v));
    p.drawLine(QPointF(x, l.plot.top()), QPointF(x, l.plot.bottom()));
  }
}

// The bands behind everything else, at least two pixels wide so that a
// period of a minute shows in a year.
void PaintBands(QPainter& p, const ChartLayout& l, const ChartPanel& panel) {
  if (!l.bottom.active || panel.Bands().empty()) return;
  const double from = panel.BottomAxis().Minimum();
  const double to = panel.BottomAxis().Maximum();
  for (const chart::ValueRange& band : panel.Bands()) {
    if (band.max < from || band.min > to) continue;
    double left = l.bottom.scale.PosAtValue(std::max(band.min, from));
    double right = l.bottom.scale.PosAtValue(std::min(band.max, to));
    if (right - left < 2.0 * l.unit) {
      const double middle = (left + right) / 2.0;
      left = middle - l.unit;
      right = middle + l.unit;
    }
    p.fillRect(QRectF(QPointF(left, l.plot.top()), QPointF(right, l.plot.bottom())).intersected(l.plot),
               palette::kBand);
  }
}

double ColumnsPerUnit(const QPainter& p) {
  const QTransform t = p.deviceTransform();
  const double scale = std::hypot(t.m11(), t.m12());
  return scale > 1e-6 ? scale : 1.0;
}

void PaintAllSeries(QPainter& p, const ChartLayout& l, const ChartPanel& panel, const RenderOptions& options) {
  // A clip of the caller's would not reach pixels written directly.
  const bool callerClip = p.hasClipping();
  p.save();
  p.setClipRect(l.plot);
  SeriesPaintContext context;
  context.antialias = options.antialias;
  if (options.lineSpans && !callerClip) {
    context.spanImage = ColumnSpanTarget(p);
    context.spanTransform = p.deviceTransform();
  }
  context.x = &l.bottom.scale;
  context.unit = l.unit;
  context.columnsPerUnit = ColumnsPerUnit(p);
  context.decimate = options.decimate;
  context.blockExtremes = options.blockExtremes;
  context.cache = options.cache;
  // Filled bars go first, so that no bar hides a curve; then the lines of
  // the background, then the other lines.
  const auto& placed = panel.Series();
  const auto layer = [](const chart::ChartSeries& series) {
    if (series.Kind() == chart::SeriesKind::Bar) return 0;
    return series.Background() ? 1 : 2;
  };
  for (const int drawn : {0, 1, 2}) {
    for (std::size_t i = 0; i < placed.size(); ++i) {
      const chart::ChartSeries* series = placed[i];
      if (layer(*series) != drawn) continue;
      // The next series' ends are its first reads (a year holds thousands
      // of day series): fetched now, they arrive while this one is drawn.
      if (i + 1 < placed.size()) {
        const chart::PointView next = placed[i + 1]->Points();
        next.Prefetch(0);
        next.Prefetch(next.Size() - 1);
      }
      const bool right = series->Axis() == chart::VerticalAxis::Right;
      const AxisLayout& axis = right ? l.right : l.left;
      context.y = &axis.scale;
      context.yAxisMin = axis.range.min;
      PaintSeries(p, l.plot, *series, context);
    }
  }
  p.restore();
  if (options.cache) options.cache->Retain(panel.Series());
}

void PaintVerticalAxis(QPainter& p, const ChartLayout& l, const AxisLayout& axisLayout, const ChartAxis& axis,
                       bool onLeft) {
  if (!axisLayout.active) return;
  const QFontMetricsF metrics(l.labelFont, p.device());
  const double tick = axis.TickLength() * l.unit;
  const double edge = onLeft ? l.plot.left() : l.plot.right();
  const double outward = onLeft ? -1.0 : 1.0;
  for (std::size_t i = 0; i < axisLayout.ticks.values.size(); ++i) {
    const double y = Crisp(axisLayout.scale.PosAtValue(axisLayout.ticks.values[i]));
    p.setPen(QPen(palette::kFrame, l.unit));
    p.drawLine(QPointF(edge, y), QPointF(edge + outward * tick, y));
    const QString& label = axisLayout.ticks.labels[i];
    if (label.isEmpty()) continue;
    const double width = metrics.horizontalAdvance(label);
    const double x = onLeft ? edge - tick - kGap * l.unit - width : edge + tick + kGap * l.unit;
    p.setPen(palette::kText);
    p.drawText(QPointF(x, y - metrics.height() / 2.0 + metrics.ascent()), label);
  }
  if (axis.Title().empty()) return;
  const QString title = QString::fromUtf8(axis.Title().c_str());
  const double offset = tick + 2.0 * kGap * l.unit + axisLayout.labelExtent + metrics.height() / 2.0;
  p.save();
  p.translate(edge + outward * offset, l.plot.center().y());
  p.rotate(onLeft ? -90.0 : 90.0);
  p.setPen(palette::kText);
  p.drawText(QRectF(-l.plot.height() / 2.0, -metrics.height() / 2.0, l.plot.height(), metrics.height()),
             Qt::AlignCenter, title);
  p.restore();
}

void PaintBottomAxis(QPainter& p, const ChartLayout& l, const ChartAxis& axis) {
  if (!l.bottom.active) return;
  const QFontMetricsF metrics(l.labelFont, p.device());
  const double tick = axis.TickLength() * l.unit;
  const double labelTop = l.plot.bottom() + tick + kGap * l.unit;
  for (std::size_t i = 0; i < l.bottom.ticks.values.size(); ++i) {
    const double x = Crisp(l.bottom.scale.PosAtValue(l.bottom.ticks.values[i]));
    p.setPen(QPen(palette::kFrame, l.unit));
    p.drawLine(QPointF(x, l.plot.bottom()), QPointF(x, l.plot.bottom() + tick));
    const QString& label = l.bottom.ticks.labels[i];
    if (label.isEmpty()) continue;
    p.setPen(palette::kText);
    p.drawText(QPointF(x - metrics.horizontalAdvance(label) / 2.0, labelTop + metrics.ascent()), label);
  }
  if (axis.Title().empty()) return;
  p.setPen(palette::kText);
  const QRectF titleRect(l.plot.left(), labelTop + metrics.height() + kGap * l.unit, l.plot.width(), metrics.height());
  p.drawText(titleRect, Qt::AlignCenter, QString::fromUtf8(axis.Title().c_str()));
}

void PaintTitle(QPainter& p, const ChartLayout& l) {
  if (l.titleLines.empty()) return;
  const QFontMetricsF metrics(l.titleFont, p.device());
  p.setFont(l.titleFont);
  p.setPen(palette::kTitle);
  double y = l.titleRect.top();
  for (const QString& line : l.titleLines) {
    p.drawText(QRectF(l.titleRect.left(), y, l.titleRect.width(), metrics.height()), Qt::AlignCenter, line);
    y += metrics.height();
  }
  p.setFont(l.labelFont);
}

void PaintLegend(QPainter& p, const ChartLayout& l) {
  const QFontMetricsF metrics(l.labelFont, p.device());
  for (const LegendEntry& entry : l.legend) {
    const chart::ChartSeries& series = *entry.series;
    const QColor colour =
        ToQColor(series.SeriesColor(), series.Count() > 0 ? ToQColor(series.PointColor(0)) : Qt::black);
    const QRectF swatch(entry.rect.left(), entry.rect.top(), 22.0 * l.unit, entry.rect.height());
    if (series.Kind() == chart::SeriesKind::Bar) {
      const double side = metrics.ascent() * 0.8;
      p.fillRect(QRectF(swatch.center().x() - side / 2.0, swatch.center().y() - side / 2.0, side, side), colour);
    } else {
      p.setPen(QPen(colour, std::max(2, series.PenWidth()) * l.unit, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(swatch.left() + l.unit, swatch.center().y()),
                 QPointF(swatch.right() - l.unit, swatch.center().y()));
    }
    p.setPen(palette::kText);
    p.drawText(QPointF(swatch.right() + kGap * l.unit, entry.rect.top() + metrics.ascent()), entry.text);
  }
}

}  // namespace

ChartLayout RenderPanel(QPainter& painter, const QRectF& target, const ChartPanel& panel,
                        const RenderOptions& options) {
  const ChartLayout layout = ComputeLayout(panel, target, options.font, painter.device(), options.minimumInsets);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, options.antialias);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setFont(layout.labelFont);
  painter.fillRect(target, palette::kBackground);
  // Grid, frame and ticks sit on pixel centres; antialiasing would only
  // make these long lines slow.
  painter.setRenderHint(QPainter::Antialiasing, false);
  PaintBands(painter, layout, panel);
  PaintVerticalGrid(painter, layout, panel.BottomAxis());
  PaintHorizontalGrid(painter, layout, layout.left, panel.LeftAxis());
  PaintHorizontalGrid(painter, layout, layout.right, panel.RightAxis());
  painter.setRenderHint(QPainter::Antialiasing, options.antialias);
  PaintAllSeries(painter, layout, panel, options);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(palette::kFrame, layout.unit));
  painter.drawRect(QRectF(QPointF(Crisp(layout.plot.left()), Crisp(layout.plot.top())),
                          QPointF(Crisp(layout.plot.right()), Crisp(layout.plot.bottom()))));
  PaintVerticalAxis(painter, layout, layout.left, panel.LeftAxis(), true);
  PaintVerticalAxis(painter, layout, layout.right, panel.RightAxis(), false);
  PaintBottomAxis(painter, layout, panel.BottomAxis());
  painter.setRenderHint(QPainter::Antialiasing, options.antialias);
  PaintTitle(painter, layout);
  PaintLegend(painter, layout);
  painter.restore();
  return layout;
}

void RenderPanelForPrint(QPainter& painter, const QRectF& target, const ChartPanel& panel,
                         const RenderOptions& options) {
  const double factor = 1.0 - panel.PrintResolution() / 100.0;
  if (!(factor > 0.0)) return;
  painter.save();
  painter.translate(target.topLeft());
  painter.scale(1.0 / factor, 1.0 / factor);
  RenderOptions printOptions = options;
  printOptions.cache = nullptr;  // print geometry is never reused
  printOptions.minimumInsets = {options.minimumInsets.left * factor, options.minimumInsets.right * factor};
  RenderPanel(painter, QRectF(0.0, 0.0, target.width() * factor, target.height() * factor), panel, printOptions);
  painter.restore();
}

}  // namespace calorix::chartview
