#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "chartview/axis_scale.h"

namespace calorix::chartview {

// Reducing a series to what a pixel grid can show. Pure functions over the
// series' X and Y vectors; positions come out in painter coordinates.

struct IndexRange {
  std::size_t first = 0;  // first index drawn
  std::size_t last = 0;   // one past the last index drawn
  bool Empty() const { return first >= last; }
};

// The points needed to draw the X window [xmin, xmax]: those inside it and
// one neighbour on each side, so that a line leaving the window is drawn up
// to the edge. X must be ascending (binary search).
IndexRange VisibleRange(const std::vector<double>& xs, double xmin, double xmax);

// A vertex of a polyline. A NaN y breaks the line: the point before and the
// point after it are not joined.
struct PixelPoint {
  double x = 0.0;
  double y = 0.0;
  std::size_t index = 0;     // the source point
  std::uint32_t color = 0;   // its colour, when a colour source was given
  bool IsBreak() const { return y != y; }
};

// Gives the colour of a source point. Asked while the point's data is still
// in the cache: asking later, for points far apart, costs a memory miss each.
using PointColorSource = std::function<std::uint32_t(std::size_t index)>;

// Every point of the range, null points as breaks.
void MapAllPoints(const std::vector<double>& xs, const std::vector<double>& ys, IndexRange range,
                  const AxisScale& xScale, const AxisScale& yScale, std::vector<PixelPoint>& out,
                  const PointColorSource& colorOf = {});

// The first, last, lowest and highest point of each block of kBlock
// points of a series, with their coordinates, so that a view in which a
// pixel column holds many blocks (a year of minutes) is reduced by reading
// the blocks alone, in order, instead of every sample. Above these, levels
// of blocks twice as long, each made of two of the level below, so that a
// view reads about four to eight blocks a column however long the range:
// its cost follows the columns, not the points. Built once per change of
// the data.
class BlockExtremes {
 public:
  static constexpr std::size_t kBlock = 32;
  struct Block {
    double firstX = 0.0, firstY = 0.0;
    double lastX = 0.0, lastY = 0.0;
    double lowX = 0.0, lowY = 0.0;
    double highX = 0.0, highY = 0.0;
    std::uint32_t low = 0;   // index of the first lowest point
    std::uint32_t high = 0;  // index of the first highest point
    bool hasNull = false;    // see Gap
  };
  // A shortest block holding nulls that are all adjacent (a logger pause):
  // its points before and after them as blocks of their own, so that a gap
  // costs no read of samples. Blocks with points between nulls are read
  // point by point.
  struct Gap {
    std::uint32_t headEnd = 0;    // first null; the head is [block start, headEnd)
    std::uint32_t tailStart = 0;  // after the last null; the tail is [tailStart, block end)
    Block head;
    Block tail;
  };
  void Build(const std::vector<double>& xs, const std::vector<double>& ys);
  // Level 0 holds blocks of kBlock points, level n blocks of kBlock << n.
  std::size_t LevelCount() const { return levels_.size(); }
  const std::vector<Block>& Level(std::size_t level) const { return levels_[level]; }
  const std::vector<Block>& Blocks() const { return Level(0); }
  // The gap of a shortest block with nulls, if they are adjacent.
  const Gap* GapOf(std::size_t block) const;
  // Whether the blocks were built from these samples.
  bool Covers(const std::vector<double>& ys) const { return built_ == ys.size() && !levels_.empty(); }

 private:
  std::vector<std::vector<Block>> levels_;
  std::vector<std::pair<std::size_t, Gap>> gaps_;  // by block, ascending
  std::size_t built_ = 0;
};

// The M4 reduction: per pixel column (columnsPerUnit columns per painter
// unit) only the first, the lowest, the highest and the last point of each
// unbroken run are kept, in their original order. A polyline through them
// covers the same pixels as one through every point, so it is exact for
// lines, while a month of minutes on 1920 columns drops from 44,640 to at
// most 7,680 vertices. Null points still break the line.
//
// With block extremes of the same series, and when a column holds at least
// four blocks, whole blocks of the longest such level are assigned to the
// column of their first point: a column may then take up to a block of
// its right neighbour's points, a shift of at most a quarter of a pixel,
// for reading a few blocks a column instead of every point.
void DecimateM4(const std::vector<double>& xs, const std::vector<double>& ys, IndexRange range,
                const AxisScale& xScale, const AxisScale& yScale, double columnsPerUnit,
                std::vector<PixelPoint>& out, const PointColorSource& colorOf = {},
                const BlockExtremes* extremes = nullptr);

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
void LayoutBars(const std::vector<double>& xs, const std::vector<double>& ys, IndexRange range, double base,
                double widthFraction, const AxisScale& xScale, const AxisScale& yScale, double columnsPerUnit,
                std::vector<BarRect>& out);

}  // namespace calorix::chartview
