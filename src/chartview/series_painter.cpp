#include "chartview/series_painter.h"

#include <QPainter>
#include <QPen>
#include <QRectF>
#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "chartview/render_options.h"

namespace calorix::chartview {
namespace {

using chart::ChartSeries;

// Wide antialiased pens are costly on long paths in the raster engine;
// short pieces keep the stroker's work per call small.
constexpr std::size_t kChunkPoints = 48;

QColor ColourOf(const ChartSeries& series, std::size_t index) {
  const QColor seriesColour = ToQColor(series.SeriesColor(), Qt::black);
  return ToQColor(series.PointColor(index), seriesColour);
}

IndexRange RangeToDraw(const ChartSeries& series, const AxisScale& x, const QRectF& plot) {
  if (!series.XAscending()) return {0, series.Count()};
  const double a = x.ValueAt(plot.left());
  const double b = x.ValueAt(plot.right());
  return VisibleRange(series.Xs(), std::min(a, b), std::max(a, b));
}

GeometryKey KeyFor(const ChartSeries& series, const QRectF& plot, const SeriesPaintContext& c) {
  GeometryKey key;
  key.revision = series.Revision();
  key.count = series.Count();
  key.xMin = c.x->ValueAt(plot.left());
  key.xMax = c.x->ValueAt(plot.right());
  key.yMin = c.y->ValueAt(plot.bottom());
  key.yMax = c.y->ValueAt(plot.top());
  key.left = plot.left();
  key.right = plot.right();
  key.bottom = plot.bottom();
  key.top = plot.top();
  key.columnsPerUnit = c.columnsPerUnit;
  key.decimate = c.decimate;
  return key;
}

void ReducePoints(const ChartSeries& series, const QRectF& plot, const SeriesPaintContext& c,
                  std::vector<PixelPoint>& out) {
  const IndexRange range = RangeToDraw(series, *c.x, plot);
  if (c.decimate && series.XAscending()) {
    DecimateM4(series.Xs(), series.Ys(), range, *c.x, *c.y, c.columnsPerUnit, out);
  } else {
    MapAllPoints(series.Xs(), series.Ys(), range, *c.x, *c.y, out);
  }
}

void ReduceBars(const ChartSeries& series, const QRectF& plot, const SeriesPaintContext& c, std::vector<BarRect>& out) {
  const IndexRange range = RangeToDraw(series, *c.x, plot);
  const double base = series.BarFromBase() ? series.BarBase() : c.yAxisMin;
  LayoutBars(series.Xs(), series.Ys(), range, base, series.BarWidthPercent() / 100.0, *c.x, *c.y,
             c.decimate ? c.columnsPerUnit : 0.0, out);
}

void StrokeLines(QPainter& painter, const ChartSeries& series, const std::vector<PixelPoint>& points, QPen pen) {
  std::vector<QPointF> piece;
  piece.reserve(2 * kChunkPoints + 2);
  QColor current;
  auto flush = [&] {
    if (piece.size() >= 2) painter.drawPolyline(piece.data(), static_cast<int>(piece.size()));
  };
  auto restartAtLast = [&] {
    const QPointF last = piece.back();
    piece.clear();
    piece.push_back(last);
  };
  for (const PixelPoint& point : points) {
    if (point.IsBreak()) {
      flush();
      piece.clear();
      continue;
    }
    const QColor colour = ColourOf(series, point.index);
    if (colour != current || !current.isValid()) {
      if (!piece.empty()) {
        flush();
        restartAtLast();
      }
      pen.setColor(colour);
      painter.setPen(pen);
      current = colour;
    }
    if (series.Stairs() && !piece.empty()) piece.emplace_back(point.x, piece.back().y());
    piece.emplace_back(point.x, point.y);
    if (piece.size() >= kChunkPoints) {
      flush();
      restartAtLast();
    }
  }
  flush();
}

void FillBars(QPainter& painter, const ChartSeries& series, const std::vector<BarRect>& bars, double unit) {
  if (series.OutlineVisible()) {
    painter.setPen(QPen(Qt::black, unit));
  } else {
    painter.setPen(Qt::NoPen);
  }
  QColor current;
  for (const BarRect& bar : bars) {
    const QColor colour = ColourOf(series, bar.index);
    if (colour != current || !current.isValid()) {
      painter.setBrush(colour);
      current = colour;
    }
    painter.drawRect(QRectF(QPointF(bar.left, bar.top), QPointF(bar.right, bar.bottom)));
  }
}

}  // namespace

SeriesCache::Entry& SeriesCache::Lookup(const ChartSeries& series, const GeometryKey& key, bool& fresh) {
  Entry& entry = entries_[&series];
  fresh = !(entry.key == key) || (entry.points.empty() && entry.bars.empty());
  entry.key = key;
  return entry;
}

void SeriesCache::Retain(const std::vector<ChartSeries*>& placed) {
  const std::unordered_set<const ChartSeries*> keep(placed.begin(), placed.end());
  std::erase_if(entries_, [&keep](const auto& item) { return !keep.contains(item.first); });
}

void PaintSeries(QPainter& painter, const QRectF& plot, const ChartSeries& series, const SeriesPaintContext& context) {
  if (series.Count() == 0 || !context.x->IsUsable() || !context.y->IsUsable()) return;
  std::vector<PixelPoint> ownPoints;
  std::vector<BarRect> ownBars;
  std::vector<PixelPoint>* points = &ownPoints;
  std::vector<BarRect>* bars = &ownBars;
  bool fresh = true;
  if (context.cache) {
    SeriesCache::Entry& entry = context.cache->Lookup(series, KeyFor(series, plot, context), fresh);
    points = &entry.points;
    bars = &entry.bars;
  }
  if (series.Kind() == chart::SeriesKind::Bar) {
    if (fresh) ReduceBars(series, plot, context, *bars);
    FillBars(painter, series, *bars, context.unit);
    return;
  }
  if (fresh) ReducePoints(series, plot, context, *points);
  QPen pen(Qt::black, std::max(1, series.PenWidth()) * context.unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  painter.setBrush(Qt::NoBrush);
  StrokeLines(painter, series, *points, pen);
}

}  // namespace calorix::chartview
