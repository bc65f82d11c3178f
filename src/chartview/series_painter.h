#pragma once

#include <QTransform>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "chart/chart_series.h"
#include "chartview/series_decimation.h"

class QImage;
class QPainter;
class QRectF;

namespace calorix::chartview {

// What a series' reduced geometry depends on. Series only ever grow their
// revision, so equal keys mean equal geometry.
struct GeometryKey {
  std::uint64_t revision = 0;
  std::size_t count = 0;
  double xMin = 0, xMax = 0, yMin = 0, yMax = 0;    // value window
  double left = 0, right = 0, bottom = 0, top = 0;  // painter window
  double columnsPerUnit = 0;
  bool decimate = true;
  bool operator==(const GeometryKey&) const = default;
};

// The reduced points (lines) or rectangles (bars) of each series from the
// last frame, so that a repaint without changes, such as one under a
// rubber band, skips the pass over the samples.
class SeriesCache {
 public:
  struct Entry {
    GeometryKey key;
    std::vector<PixelPoint> points;
    std::vector<BarRect> bars;
    std::uint64_t frame = 0;  // the last frame that looked it up
  };
  // The entry for the series; `fresh` tells whether it must be filled.
  Entry& Lookup(const chart::ChartSeries& series, const GeometryKey& key, bool& fresh);
  // Drops entries of series no longer drawn (they may be gone).
  void Retain(const std::vector<chart::ChartSeries*>& placed);
  std::size_t Size() const { return entries_.size(); }

 private:
  std::unordered_map<const chart::ChartSeries*, Entry> entries_;
  std::uint64_t frame_ = 1;
  std::size_t touched_ = 0;  // entries looked up since the last Retain
};

struct SeriesPaintContext {
  const AxisScale* x = nullptr;
  const AxisScale* y = nullptr;
  double yAxisMin = 0.0;  // bars not drawn from their base start here
  double unit = 1.0;      // pen widths are in 96-dpi pixels
  double columnsPerUnit = 1.0;
  bool decimate = true;
  bool blockExtremes = true;
  bool antialias = true;
  // When set, dense lines are filled column by column into this image
  // (see ColumnSpans), placed by the painter's device transform; when
  // null, they are stroked with QPainter.
  QImage* spanImage = nullptr;
  QTransform spanTransform;
  SeriesCache* cache = nullptr;
};

// The image the painter draws on, if lines may be written into its pixels
// directly: a plain 32-bit image without rotation, opacity or blending.
QImage* ColumnSpanTarget(QPainter& painter);

// Draws one series clipped to `plot` (the caller sets the clip).
void PaintSeries(QPainter& painter, const QRectF& plot, const chart::ChartSeries& series,
                 const SeriesPaintContext& context);

}  // namespace calorix::chartview
