#include "chartview/series_painter.h"

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QRectF>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <unordered_set>

#include "chartview/column_spans.h"
#include "chartview/render_options.h"

namespace calorix::chartview {
namespace {

using chart::ChartSeries;

// Wide antialiased pens are costly on long paths in the raster engine;
// short pieces keep the stroker's work per call small.
constexpr std::size_t kChunkPoints = 48;
// Sparse lines (an hour of minutes: a vertex every dozen pixels) are
// stroked with QPainter's true round pen; denser ones, or many vertices,
// are filled as column spans, whose cost does not grow with the vertices.
constexpr std::size_t kStrokeLimit = 160;
constexpr double kStrokeDensity = 0.25;  // vertices per pixel column

bool IsSparse(const std::vector<PixelPoint>& points, double columnsPerUnit) {
  if (points.size() > kStrokeLimit) return false;
  double lo = std::numeric_limits<double>::infinity();
  double hi = -lo;
  for (const PixelPoint& p : points) {
    if (p.IsBreak()) continue;
    lo = std::min(lo, p.x);
    hi = std::max(hi, p.x);
  }
  return !(lo <= hi) || static_cast<double>(points.size()) < kStrokeDensity * ((hi - lo) * columnsPerUnit + 1.0);
}

// A point without a colour of its own takes the series' colour, and a
// series without one is drawn black.
Color Resolved(const ChartSeries& series, Color own) {
  if (own != kNoColor) return own;
  return series.SeriesColor() != kNoColor ? series.SeriesColor() : Color{0};
}

Color ColorOf(const ChartSeries& series, std::size_t index) { return Resolved(series, series.PointColor(index)); }

IndexRange RangeToDraw(const ChartSeries& series, const AxisScale& x, const QRectF& plot) {
  if (!series.XAscending()) return {0, series.Count()};
  const double a = x.ValueAt(plot.left());
  const double b = x.ValueAt(plot.right());
  return VisibleRange(series.Points(), std::min(a, b), std::max(a, b));
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

// The colour of every kept point when all share one, so that reducing a
// long view does not go back to the series for each kept point's colour.
std::optional<Color> UniformColor(const ChartSeries& series) {
  if (series.HasOwnPointColors()) return std::nullopt;
  return Resolved(series, series.CommonPointColor());
}

void ReducePoints(const ChartSeries& series, const QRectF& plot, const SeriesPaintContext& c,
                  std::vector<PixelPoint>& out) {
  const IndexRange range = RangeToDraw(series, *c.x, plot);
  const chart::PointView points = series.Points();
  PointColorSource colorOf = [&series](std::size_t k) { return ColorOf(series, k); };
  if (const auto uniform = UniformColor(series)) colorOf = [color = *uniform](std::size_t) { return color; };
  if (c.decimate && series.XAscending()) {
    DecimateM4(points, range, *c.x, *c.y, c.columnsPerUnit, out, colorOf,
               c.blockExtremes ? series.Extremes() : nullptr);
  } else {
    MapAllPoints(points, range, *c.x, *c.y, out, colorOf);
  }
}

void ReduceBars(const ChartSeries& series, const QRectF& plot, const SeriesPaintContext& c, std::vector<BarRect>& out) {
  const IndexRange range = RangeToDraw(series, *c.x, plot);
  const double base = series.BarFromBase() ? series.BarBase() : c.yAxisMin;
  LayoutBars(series.Points(), range, base, series.BarWidthPercent() / 100.0, *c.x, *c.y,
             c.decimate ? c.columnsPerUnit : 0.0, out,
             c.blockExtremes && series.XAscending() ? series.Extremes() : nullptr);
}

void StrokeLines(QPainter& painter, const ChartSeries& series, const std::vector<PixelPoint>& points, QPen pen) {
  std::vector<QPointF> piece;
  piece.reserve(2 * kChunkPoints + 2);
  Color current = kNoColor;
  bool continued = false;  // the piece goes on from the one before
  auto flush = [&] {
    if (piece.size() >= 2) {
      painter.drawPolyline(piece.data(), static_cast<int>(piece.size()));
    } else if (piece.size() == 1 && !continued) {
      // A point alone between gaps shows as a dot of the pen's width.
      painter.drawPoint(piece.front());
    }
  };
  auto restartAtLast = [&] {
    const QPointF last = piece.back();
    piece.clear();
    piece.push_back(last);
    continued = true;
  };
  for (const PixelPoint& point : points) {
    if (point.IsBreak()) {
      flush();
      piece.clear();
      continued = false;
      continue;
    }
    const Color colour = point.color;
    if (colour != current) {
      if (!piece.empty()) {
        flush();
        restartAtLast();
      }
      pen.setColor(ToQColor(colour));
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

void SpanLines(QImage& image, const QTransform& t, const QRect& clip, const ChartSeries& series,
               const std::vector<PixelPoint>& points, double penWidth, bool antialias) {
  double lo = std::numeric_limits<double>::infinity();
  double hi = -lo;
  for (const PixelPoint& p : points) {
    if (p.IsBreak()) continue;
    lo = std::min(lo, p.x);
    hi = std::max(hi, p.x);
  }
  if (!(lo <= hi)) return;
  const int reach = static_cast<int>(std::ceil(penWidth)) + 1;
  const int first = std::max(clip.left(), static_cast<int>(std::floor(lo * t.m11() + t.dx())) - reach);
  const int last = std::min(clip.right(), static_cast<int>(std::floor(hi * t.m11() + t.dx())) + reach);
  if (first > last) return;
  ColumnSpans spans(first, last - first + 1);
  Color colour = kNoColor;
  bool open = false;
  QPointF previous;
  for (const PixelPoint& p : points) {
    if (p.IsBreak()) {
      open = false;
      continue;
    }
    const Color pointColour = p.color;
    if (pointColour != colour && !spans.Empty()) {
      spans.Fill(image, clip, ToQColor(colour).rgb(), penWidth, antialias);
      spans.Clear();
    }
    colour = pointColour;
    const QPointF at(p.x * t.m11() + t.dx(), p.y * t.m22() + t.dy());
    if (!open) {
      spans.AddPoint(at.x(), at.y());
    } else if (series.Stairs()) {
      spans.AddSegment(previous.x(), previous.y(), at.x(), previous.y());
      spans.AddSegment(at.x(), previous.y(), at.x(), at.y());
    } else {
      spans.AddSegment(previous.x(), previous.y(), at.x(), at.y());
    }
    previous = at;
    open = true;
  }
  spans.Fill(image, clip, ToQColor(colour).rgb(), penWidth, antialias);
}

void FillBars(QPainter& painter, const ChartSeries& series, const std::vector<BarRect>& bars, double unit) {
  if (series.OutlineVisible()) {
    painter.setPen(QPen(Qt::black, unit));
  } else {
    painter.setPen(Qt::NoPen);
  }
  Color current = kNoColor;
  for (const BarRect& bar : bars) {
    const Color colour = ColorOf(series, bar.index);
    if (colour != current) {
      painter.setBrush(ToQColor(colour));
      current = colour;
    }
    painter.drawRect(QRectF(QPointF(bar.left, bar.top), QPointF(bar.right, bar.bottom)));
  }
}

}  // namespace

QImage* ColumnSpanTarget(QPainter& painter) {
  QPaintDevice* device = painter.device();
  if (!device || device->devType() != QInternal::Image) return nullptr;
  auto* image = static_cast<QImage*>(device);
  const QTransform t = painter.deviceTransform();
  if (t.type() > QTransform::TxScale || t.m11() <= 0.0 || t.m22() <= 0.0) return nullptr;
  if (painter.opacity() < 1.0 || painter.compositionMode() != QPainter::CompositionMode_SourceOver) return nullptr;
  return ColumnSpans::CanFill(*image) ? image : nullptr;
}

SeriesCache::Entry& SeriesCache::Lookup(const ChartSeries& series, const GeometryKey& key, bool& fresh) {
  Entry& entry = entries_[&series];
  if (entry.frame != frame_) {
    entry.frame = frame_;
    ++touched_;
  }
  fresh = !(entry.key == key) || (entry.points.empty() && entry.bars.empty());
  entry.key = key;
  return entry;
}

void SeriesCache::Retain(const std::vector<ChartSeries*>& placed) {
  // Usually every entry was drawn this frame; thousands of per-day series
  // then cost no set of pointers per frame.
  const bool allDrawn = touched_ == entries_.size();
  ++frame_;
  touched_ = 0;
  if (allDrawn) return;
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
  SeriesCache::Entry* entry = nullptr;
  if (context.cache) {
    entry = &context.cache->Lookup(series, KeyFor(series, plot, context), fresh);
    points = &entry->points;
    bars = &entry->bars;
  }
  if (series.Kind() == chart::SeriesKind::Bar) {
    if (fresh) ReduceBars(series, plot, context, *bars);
    FillBars(painter, series, *bars, context.unit);
    return;
  }
  if (fresh) ReducePoints(series, plot, context, *points);
  const double width = std::max(1, series.PenWidth()) * context.unit;
  const bool sparse = IsSparse(*points, context.columnsPerUnit);
  if (context.spanImage && !sparse) {
    const QTransform& t = context.spanTransform;
    SpanLines(*context.spanImage, t, t.mapRect(plot).toAlignedRect(), series, *points, width * t.m22(),
              context.antialias);
    return;
  }
  QPen pen(Qt::black, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  painter.setBrush(Qt::NoBrush);
  StrokeLines(painter, series, *points, pen);
}

}  // namespace calorix::chartview
