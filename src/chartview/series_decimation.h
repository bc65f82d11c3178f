#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "chart/block_extremes.h"
#include "chart/chart_series.h"
#include "chartview/axis_scale.h"

namespace calorix::chartview {

// Reducing a series to what a pixel grid can show. Pure functions over the
// series' points; positions come out in painter coordinates.

struct IndexRange {
  std::size_t first = 0;  // first index drawn
  std::size_t last = 0;   // one past the last index drawn
  bool Empty() const { return first >= last; }
};

// The points needed to draw the X window [xmin, xmax]: those inside it and
// one neighbour on each side, so that a line leaving the window is drawn up
// to the edge. X must be ascending (binary search).
IndexRange VisibleRange(const chart::PointView& points, double xmin, double xmax);

// A vertex of a polyline. A NaN y breaks the line: the point before and the
// point after it are not joined.
struct PixelPoint {
  double x = 0.0;
  double y = 0.0;
  std::size_t index = 0;    // the source point
  std::uint32_t color = 0;  // its colour, when a colour source was given
  bool IsBreak() const { return y != y; }
};

// Gives the colour of a source point. Asked while the point's data is still
// in the cache: asking later, for points far apart, costs a memory miss each.
using PointColorSource = std::function<std::uint32_t(std::size_t index)>;

// Every point of the range, null points as breaks.
void MapAllPoints(const chart::PointView& points, IndexRange range, const AxisScale& xScale, const AxisScale& yScale,
                  std::vector<PixelPoint>& out, const PointColorSource& colorOf = {});

// The M4 reduction: per pixel column (columnsPerUnit columns per painter
// unit) only the first, the lowest, the highest and the last point of each
// unbroken run are kept, in their original order. A polyline through them
// covers the same pixels as one through every point, so it is exact for
// lines, while a month of minutes on 1920 columns drops from 44,640 to at
// most 7,680 vertices. Null points still break the line.
//
// With block extremes of the same points, the whole blocks inside a column
// give their extremes and only the points at the column's two ends are
// read: the result is the same, point for point, while a year of minutes
// on 1920 columns reads a fifth of its samples.
void DecimateM4(const chart::PointView& points, IndexRange range, const AxisScale& xScale, const AxisScale& yScale,
                double columnsPerUnit, std::vector<PixelPoint>& out, const PointColorSource& colorOf = {},
                const chart::BlockExtremes* extremes = nullptr);

// One filled bar in painter coordinates.
struct BarRect {
  double left = 0.0;
  double right = 0.0;
  double top = 0.0;
  double bottom = 0.0;
  std::size_t index = 0;  // the (first) source point, for its colour
};

// Bars from base to Y, each widthFraction of its slot wide, centred on its
// X. The slot is the distance to the nearer neighbour point, so bars keep
// their width next to gaps. Bars narrower than a column are merged into one
// rectangle per column covering their extent, and equal neighbouring
// columns into one rectangle, since a column can show no more than that.
//
// With block extremes of the same points (Xs ascending), a whole block of
// narrow bars within one column gives its extremes instead of each of its
// bars: the rectangles are the same, while a year of per-minute output bars
// reads a small share of its samples.
void LayoutBars(const chart::PointView& points, IndexRange range, double base, double widthFraction,
                const AxisScale& xScale, const AxisScale& yScale, double columnsPerUnit, std::vector<BarRect>& out,
                const chart::BlockExtremes* extremes = nullptr);

}  // namespace calorix::chartview
