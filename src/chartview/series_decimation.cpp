#include "chartview/series_decimation.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace calorix::chartview {
namespace {

using chart::BlockExtremes;
using chart::PointView;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

void PushBreak(std::vector<PixelPoint>& out) {
  if (!out.empty() && !out.back().IsBreak()) out.push_back({kNaN, kNaN, 0});
}

// First index in [lo, hi) whose X is at least bound (hi when none).
std::size_t LowerBound(const PointView& points, std::size_t lo, std::size_t hi, double bound) {
  while (lo < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    if (points.XBelow(mid, bound)) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo;
}

// First index in [lo, hi) whose X is above bound (hi when none).
std::size_t UpperBound(const PointView& points, std::size_t lo, std::size_t hi, double bound) {
  while (lo < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    if (!(bound < points.X(mid))) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo;
}

// First index a in [from, end] with X(a) >= bound (end when none). The
// search gallops from a guess, the length of the previous column, since
// neighbouring columns hold about as many points; it reads a few samples
// near the answer instead of halving the whole range.
std::size_t FirstAtOrAbove(const PointView& points, std::size_t from, std::size_t end, double bound,
                           std::size_t guess) {
  std::size_t lo = from;
  std::size_t hi = end;
  const std::size_t probe = std::min(end, from + std::max<std::size_t>(guess, 1) - 1);
  std::size_t step = 1;
  if (probe < end && points.XBelow(probe, bound)) {
    lo = probe + 1;
    while (lo + step - 1 < end && points.XBelow(lo + step - 1, bound)) {
      lo += step;
      step *= 2;
    }
    hi = std::min(end, lo + step - 1);
  } else {
    hi = probe;
    while (hi >= from + step && !points.XBelow(hi - step, bound)) {
      hi -= step;
      step *= 2;
    }
    lo = hi >= from + step ? hi - step + 1 : from;
  }
  return LowerBound(points, lo, hi, bound);
}

// The extremes of one unbroken run of points within one column. The
// coordinates of the lowest and highest point are known when they came
// from a block, and read from the points otherwise.
struct Run {
  std::size_t first = 0;
  std::size_t last = 0;
  std::size_t low = 0;
  std::size_t high = 0;
  double lowY = 0.0;
  double highY = 0.0;
  double lowX = kNaN;  // NaN: not known yet
  double highX = kNaN;
  bool open = false;

  void Add(std::size_t k, const PointView& points) {
    const double y = points.Y(k);
    if (!open) {
      first = last = low = high = k;
      lowY = highY = y;
      lowX = highX = kNaN;
      open = true;
      return;
    }
    last = k;
    if (y < lowY) {
      low = k;
      lowY = y;
      lowX = kNaN;
    }
    if (y > highY) {
      high = k;
      highY = y;
      highX = kNaN;
    }
  }

  // A whole block [start, end) without nulls; strict comparisons keep the
  // first lowest and highest point, as adding its points one by one would.
  void AddBlock(std::size_t start, std::size_t end, const BlockExtremes::Block& block, const PointView& points) {
    if (!open || block.lowY < lowY) {
      low = block.low;
      lowY = block.lowY;
      lowX = points.XOfCode(block.lowX, block.low);
    }
    if (!open || block.highY > highY) {
      high = block.high;
      highY = block.highY;
      highX = points.XOfCode(block.highX, block.high);
    }
    if (!open) first = start;
    open = true;
    last = end - 1;
  }

  void Flush(const PointView& points, const AxisScale& xScale, const AxisScale& yScale, std::vector<PixelPoint>& out,
             const PointColorSource& colorOf) {
    if (!open) return;
    open = false;
    std::size_t picks[4] = {first, std::min(low, high), std::max(low, high), last};
    std::size_t previous = std::numeric_limits<std::size_t>::max();
    for (const std::size_t k : picks) {
      if (k == previous) continue;
      double x = kNaN;
      double y = 0.0;
      if (k == low && !std::isnan(lowX)) {
        x = lowX;
        y = lowY;
      } else if (k == high && !std::isnan(highX)) {
        x = highX;
        y = highY;
      } else {
        x = points.X(k);
        y = points.Y(k);
      }
      out.push_back({xScale.PosAtValue(x), yScale.PosAtValue(y), k, colorOf ? colorOf(k) : 0u});
      previous = k;
    }
  }
};

// Merges a bar into the one before when both fill the same columns'
// extent, or widens that column's extent.
void AddColumnBar(BarRect bar, std::vector<BarRect>& out) {
  if (!out.empty()) {
    BarRect& prev = out.back();
    if (prev.left == bar.left && prev.right == bar.right) {
      prev.top = std::min(prev.top, bar.top);
      prev.bottom = std::max(prev.bottom, bar.bottom);
      return;
    }
    // The previous column is final now; join it to its left twin.
    if (out.size() >= 2) {
      BarRect& twin = out[out.size() - 2];
      if (twin.right == prev.left && twin.top == prev.top && twin.bottom == prev.bottom) {
        twin.right = prev.right;
        out.pop_back();
      }
    }
  }
  out.push_back(bar);
}

}  // namespace

IndexRange VisibleRange(const PointView& points, double xmin, double xmax) {
  const std::size_t size = points.Size();
  // A long view holds most series whole (a year of per-day series): the
  // two ends decide without a search, which would cost a cache miss a step.
  if (size > 0 && points.X(0) >= xmin && points.X(size - 1) <= xmax) return {0, size};
  const std::size_t begin = LowerBound(points, 0, size, xmin);
  const std::size_t end = UpperBound(points, begin, size, xmax);
  IndexRange range{begin, end};
  if (range.first > 0) --range.first;
  if (range.last < size) ++range.last;
  return range;
}

void MapAllPoints(const PointView& points, IndexRange range, const AxisScale& xScale, const AxisScale& yScale,
                  std::vector<PixelPoint>& out, const PointColorSource& colorOf) {
  out.clear();
  for (std::size_t k = range.first; k < range.last; ++k) {
    if (points.IsNull(k)) {
      PushBreak(out);
    } else {
      out.push_back({xScale.PosAtValue(points.X(k)), yScale.PosAtValue(points.Y(k)), k, colorOf ? colorOf(k) : 0u});
    }
  }
}

namespace {

// The lowest and highest Y of [from, end), and whether a null lies among
// them. Four independent lanes without branches: a cold frame reads every
// sample once, and a loop that carries one minimum from point to point
// waits on it at every step.
struct Extent {
  float low;
  float high;
  bool hasNull;
};

Extent ScanExtent(const float* y, std::size_t from, std::size_t end) {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  float lo0 = kInf, lo1 = kInf, lo2 = kInf, lo3 = kInf;
  float hi0 = -kInf, hi1 = -kInf, hi2 = -kInf, hi3 = -kInf;
  bool null = false;
  auto lane = [&null](float v, float& lo, float& hi) {
    lo = v < lo ? v : lo;
    hi = v > hi ? v : hi;
    null |= v != v;
  };
  std::size_t k = from;
  for (; k + 4 <= end; k += 4) {
    lane(y[k], lo0, hi0);
    lane(y[k + 1], lo1, hi1);
    lane(y[k + 2], lo2, hi2);
    lane(y[k + 3], lo3, hi3);
  }
  for (; k < end; ++k) lane(y[k], lo0, hi0);
  return {std::min(std::min(lo0, lo1), std::min(lo2, lo3)), std::max(std::max(hi0, hi1), std::max(hi2, hi3)), null};
}

// First index in [from, end) whose Y equals v; there is one.
std::size_t FirstEqual(const float* y, std::size_t from, float v) {
  while (!(y[from] == v)) ++from;
  return from;
}

// AddPoints for points without nulls: the extremes by value first, then
// the first point holding each, which is what a point-by-point scan with
// strict comparisons keeps.
void AddUnbroken(std::size_t k, std::size_t end, const float* y, const Extent& extent, Run& run) {
  if (!run.open) {
    run.open = true;
    run.first = k;
    run.lowY = extent.low;
    run.highY = extent.high;
    run.low = FirstEqual(y, k, extent.low);
    run.high = FirstEqual(y, k, extent.high);
    run.lowX = run.highX = kNaN;
  } else {
    if (extent.low < run.lowY) {
      run.lowY = extent.low;
      run.low = FirstEqual(y, k, extent.low);
      run.lowX = kNaN;
    }
    if (extent.high > run.highY) {
      run.highY = extent.high;
      run.high = FirstEqual(y, k, extent.high);
      run.highX = kNaN;
    }
  }
  run.last = end - 1;
}

// Adds the points [k, end) to the run, breaking it at null points. The
// hot loop of a cold frame: the extremes live in locals so that they stay
// in registers.
void AddPoints(std::size_t k, std::size_t end, const PointView& points, const AxisScale& xScale,
               const AxisScale& yScale, Run& run, std::vector<PixelPoint>& out, const PointColorSource& colorOf) {
  const float* y = points.YData();
  if (k >= end) return;
  const Extent extent = ScanExtent(y, k, end);
  if (!extent.hasNull) return AddUnbroken(k, end, y, extent, run);
  while (k < end) {
    if (std::isnan(y[k])) {
      run.Flush(points, xScale, yScale, out, colorOf);
      PushBreak(out);
      ++k;
      continue;
    }
    if (!run.open) run.Add(k++, points);
    std::size_t low = run.low;
    std::size_t high = run.high;
    double lowY = run.lowY;
    double highY = run.highY;
    std::size_t j = k;
    for (; j < end; ++j) {
      const double v = y[j];
      if (std::isnan(v)) break;
      if (v < lowY) {
        lowY = v;
        low = j;
      }
      if (v > highY) {
        highY = v;
        high = j;
      }
    }
    if (j > k) run.last = j - 1;
    if (low != run.low) run.lowX = kNaN;
    if (high != run.high) run.highX = kNaN;
    run.low = low;
    run.high = high;
    run.lowY = lowY;
    run.highY = highY;
    k = j;
  }
}

// Adds [k, stop), which lies within one block of the level (a part of it,
// or one holding a null), through the blocks of the level below, down to
// the points.
void AddPointsThroughLevel(std::size_t k, std::size_t stop, std::size_t level, const PointView& points,
                           const BlockExtremes& extremes, const AxisScale& xScale, const AxisScale& yScale, Run& run,
                           std::vector<PixelPoint>& out, const PointColorSource& colorOf) {
  if (level == 0) return AddPoints(k, stop, points, xScale, yScale, run, out, colorOf);
  constexpr std::size_t kShift = std::countr_zero(BlockExtremes::kBlock);
  const std::size_t shift = kShift + level - 1;
  const std::size_t size = std::size_t{1} << shift;
  while (k < stop) {
    const std::size_t next = std::min(stop, ((k >> shift) + 1) << shift);
    const BlockExtremes::Block* block =
        (k & (size - 1)) == 0 && next - k == size ? &extremes.Level(level - 1)[k >> shift] : nullptr;
    if (block && !block->HasNull()) {
      run.AddBlock(k, next, *block, points);
    } else {
      AddPointsThroughLevel(k, next, level - 1, points, extremes, xScale, yScale, run, out, colorOf);
    }
    k = next;
  }
}

// AddPoints through the block extremes: the points up to the first block
// boundary and after the last one are read, the whole blocks between them
// give their extremes. The level read is the longest whose blocks a column
// still holds about sixteen of: the blocks of one level lie in one array, and
// reading a few neighbours in order costs less than jumping between levels
// (a cold frame waits on memory, not on arithmetic). A block holding a null
// is read point by point, so that the line breaks as it would without blocks.
void AddThroughBlocks(std::size_t k, std::size_t end, const PointView& points, const BlockExtremes& extremes,
                      const AxisScale& xScale, const AxisScale& yScale, Run& run, std::vector<PixelPoint>& out,
                      const PointColorSource& colorOf) {
  constexpr std::size_t kShift = std::countr_zero(BlockExtremes::kBlock);
  std::size_t level = 0;
  while (level + 1 < extremes.LevelCount() && (end - k) >> (kShift + level + 1) >= 16) ++level;
  const std::size_t shift = kShift + level;
  const std::size_t size = std::size_t{1} << shift;
  while (k < end) {
    const std::size_t stop = std::min(end, ((k >> shift) + 1) << shift);
    if ((k & (size - 1)) != 0 || stop - k < size) {
      AddPointsThroughLevel(k, stop, level, points, extremes, xScale, yScale, run, out, colorOf);
    } else {
      const BlockExtremes::Block& block = extremes.Level(level)[k >> shift];
      if (block.HasNull()) {
        AddPointsThroughLevel(k, stop, level, points, extremes, xScale, yScale, run, out, colorOf);
      } else {
        run.AddBlock(k, stop, block, points);
      }
    }
    k = stop;
  }
}

}  // namespace

void DecimateM4(const PointView& points, IndexRange range, const AxisScale& xScale, const AxisScale& yScale,
                double columnsPerUnit, std::vector<PixelPoint>& out, const PointColorSource& colorOf,
                const BlockExtremes* extremes) {
  out.clear();
  if (!xScale.IsUsable() || columnsPerUnit <= 0.0) return MapAllPoints(points, range, xScale, yScale, out, colorOf);
  if (range.Empty()) return;
  const double spanned =
      std::fabs(xScale.PosAtValue(points.X(range.last - 1)) - xScale.PosAtValue(points.X(range.first))) *
          columnsPerUnit +
      1.0;
  // At most four points a column and a break each: one allocation instead
  // of a doubling series of them, for each of thousands of small series.
  out.reserve(std::min(range.last - range.first, static_cast<std::size_t>(spanned < 1e7 ? spanned : 1e7) * 5 + 8));
  // Blocks are worth their bookkeeping once a column holds a few of them.
  const std::size_t blocksFrom = 4 * BlockExtremes::kBlock;
  const bool forward = xScale.Factor() > 0.0;
  std::size_t k = range.first;
  std::size_t previousCount = 1;
  while (k < range.last) {
    const double column = std::floor(xScale.PosAtValue(points.X(k)) * columnsPerUnit);
    const double edge = (forward ? column + 1.0 : column) / columnsPerUnit;
    const std::size_t end = FirstAtOrAbove(points, k + 1, range.last, xScale.ValueAt(edge), previousCount);
    previousCount = end - k;
    // The next columns' far ends are read soon: fetched while this column
    // is reduced, their memory waits overlap this work.
    points.Prefetch(end + previousCount);
    points.Prefetch(end + 2 * previousCount);
    Run run;
    if (extremes && end - k >= blocksFrom) {
      AddThroughBlocks(k, end, points, *extremes, xScale, yScale, run, out, colorOf);
    } else {
      AddPoints(k, end, points, xScale, yScale, run, out, colorOf);
    }
    run.Flush(points, xScale, yScale, out, colorOf);
    k = end;
  }
}

namespace {

// The block of points [k, k + size) of one level as one step, when it
// holds no gap and every bar of it is narrower than a column and falls into
// one column: that column's bar takes the block's extent, as it would bar
// by bar, since each bar reaches from the base to its value. A block that
// starts a column starts it with its first bar that has a height. False,
// with nothing changed, when the block must be laid out in smaller steps.
bool LayOutBlock(const PointView& points, std::size_t k, std::size_t size, const BlockExtremes::Block& block,
                 double basePos, double widthFraction, const AxisScale& xScale, const AxisScale& yScale,
                 double columnsPerUnit, std::vector<BarRect>& out) {
  if (block.HasNull()) return false;
  // No bar of the block is wider than the block's run of X (Xs ascend),
  // and the width test and the column grow with the X.
  const double first = points.X(k);
  const double last = points.X(k + size - 1);
  const double half = std::fabs((last - first) * xScale.Factor()) * widthFraction / 2.0;
  if (!(last >= first) || !(2.0 * half * columnsPerUnit < 2.0)) return false;
  const double left = std::floor(xScale.PosAtValue(first) * columnsPerUnit);
  if (std::floor(xScale.PosAtValue(last) * columnsPerUnit) != left) return false;
  const double lowPos = yScale.PosAtValue(block.lowY);
  const double highPos = yScale.PosAtValue(block.highY);
  // Bars of no height are left out; any other bar covers the base too.
  if (lowPos == basePos && highPos == basePos) return true;
  const double top = std::min({basePos, lowPos, highPos});
  const double bottom = std::max({basePos, lowPos, highPos});
  const double leftX = left / columnsPerUnit;
  const double rightX = (left + 1.0) / columnsPerUnit;
  if (!out.empty() && out.back().left == leftX && out.back().right == rightX) {
    out.back().top = std::min(out.back().top, top);
    out.back().bottom = std::max(out.back().bottom, bottom);
    return true;
  }
  // The column's bar starts with the block's first bar that has a height
  // (the pump's output is off at the start of most columns).
  std::size_t named = k;
  while (named < k + size && yScale.PosAtValue(points.Y(named)) == basePos) ++named;
  if (named == k + size) return false;
  AddColumnBar({leftX, rightX, top, bottom, named}, out);
  return true;
}

// The points from k (a multiple of kBlock) that one step lays out: the
// longest block starting at k that lies within [k, end) and LayOutBlock
// takes. A year's day of per-minute bars holds a few hundred points a
// column, so most columns take a few long blocks. 0 when none does.
std::size_t LayOutBlocks(const PointView& points, std::size_t k, std::size_t end, double basePos, double widthFraction,
                         const AxisScale& xScale, const AxisScale& yScale, double columnsPerUnit,
                         const BlockExtremes& extremes, std::vector<BarRect>& out) {
  if (columnsPerUnit <= 0.0 || xScale.Factor() <= 0.0) return 0;
  for (std::size_t level = extremes.LevelCount(); level-- > 0;) {
    const std::size_t size = extremes.BlockSize(level);
    if (k % size != 0 || k + size > end) continue;
    const std::vector<BlockExtremes::Block>& blocks = extremes.Level(level);
    if (k / size >= blocks.size()) continue;
    if (LayOutBlock(points, k, size, blocks[k / size], basePos, widthFraction, xScale, yScale, columnsPerUnit, out)) {
      return size;
    }
  }
  return 0;
}

}  // namespace

void LayoutBars(const PointView& points, IndexRange range, double base, double widthFraction, const AxisScale& xScale,
                const AxisScale& yScale, double columnsPerUnit, std::vector<BarRect>& out,
                const BlockExtremes* extremes) {
  out.clear();
  const double basePos = yScale.PosAtValue(base);
  const std::size_t size = points.Size();
  if (range.first >= range.last) return;
  // The Xs before, at and after k, each decoded once on the way (a year of
  // per-minute output bars is half a million of them). The slot is the
  // distance to the nearer neighbour, gap markers included.
  double previous = range.first > 0 ? points.X(range.first - 1) : 0.0;
  double current = points.X(range.first);
  for (std::size_t k = range.first; k < range.last; ++k) {
    const double before = previous;
    const double x = current;
    if (extremes && k % BlockExtremes::kBlock == 0) {
      if (const std::size_t taken = LayOutBlocks(points, k, range.last, basePos, widthFraction, xScale, yScale,
                                                 columnsPerUnit, *extremes, out)) {
        const std::size_t last = k + taken - 1;
        previous = points.X(last);
        current = last + 1 < size ? points.X(last + 1) : 0.0;
        k = last;
        continue;
      }
    }
    const double after = k + 1 < size ? points.X(k + 1) : 0.0;
    previous = x;
    current = after;
    if (points.IsNull(k)) continue;
    double slot = std::numeric_limits<double>::infinity();
    if (k > 0) slot = x - before;
    if (k + 1 < size) slot = std::min(slot, after - x);
    if (!(std::isfinite(slot) && slot > 0.0)) slot = 0.0;
    const double centre = xScale.PosAtValue(x);
    const double half = std::fabs(slot * xScale.Factor()) * widthFraction / 2.0;
    const double valuePos = yScale.PosAtValue(points.Y(k));
    BarRect bar{centre - half, centre + half, std::min(basePos, valuePos), std::max(basePos, valuePos), k};
    if (bar.bottom - bar.top <= 0.0) continue;
    if (columnsPerUnit > 0.0 && 2.0 * half * columnsPerUnit < 2.0) {
      const double column = std::floor(centre * columnsPerUnit);
      bar.left = column / columnsPerUnit;
      bar.right = (column + 1.0) / columnsPerUnit;
      AddColumnBar(bar, out);
    } else {
      out.push_back(bar);
    }
  }
}

}  // namespace calorix::chartview
