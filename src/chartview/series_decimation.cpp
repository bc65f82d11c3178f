#include "chartview/series_decimation.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace calorix::chartview {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

void PushBreak(std::vector<PixelPoint>& out) {
  if (!out.empty() && !out.back().IsBreak()) out.push_back({kNaN, kNaN, 0});
}

// First index a in [from, end] with xs[a] >= bound (end when none). The
// search gallops from a guess, the length of the previous column, since
// neighbouring columns hold about as many points; it reads a few samples
// near the answer instead of halving the whole range.
std::size_t FirstAtOrAbove(const std::vector<double>& xs, std::size_t from, std::size_t end, double bound,
                           std::size_t guess) {
  std::size_t lo = from;
  std::size_t hi = end;
  const std::size_t probe = std::min(end, from + std::max<std::size_t>(guess, 1) - 1);
  std::size_t step = 1;
  if (probe < end && xs[probe] < bound) {
    lo = probe + 1;
    while (lo + step - 1 < end && xs[lo + step - 1] < bound) {
      lo += step;
      step *= 2;
    }
    hi = std::min(end, lo + step - 1);
  } else {
    hi = probe;
    while (hi >= from + step && !(xs[hi - step] < bound)) {
      hi -= step;
      step *= 2;
    }
    lo = hi >= from + step ? hi - step + 1 : from;
  }
  return static_cast<std::size_t>(std::lower_bound(xs.begin() + static_cast<std::ptrdiff_t>(lo),
                                                   xs.begin() + static_cast<std::ptrdiff_t>(hi), bound) -
                                  xs.begin());
}

// The extremes of one unbroken run of points within one column.
struct Run {
  std::size_t first = 0;
  std::size_t last = 0;
  std::size_t low = 0;
  std::size_t high = 0;
  double lowY = 0.0;
  double highY = 0.0;
  bool open = false;

  void Add(std::size_t k, const std::vector<double>& ys) {
    const double y = ys[k];
    if (!open) {
      first = last = low = high = k;
      lowY = highY = y;
      open = true;
      return;
    }
    last = k;
    if (y < lowY) {
      low = k;
      lowY = y;
    }
    if (y > highY) {
      high = k;
      highY = y;
    }
  }

  void Flush(const std::vector<double>& xs, const std::vector<double>& ys, const AxisScale& xScale,
             const AxisScale& yScale, std::vector<PixelPoint>& out, const PointColorSource& colorOf) {
    if (!open) return;
    open = false;
    std::size_t picks[4] = {first, std::min(low, high), std::max(low, high), last};
    std::size_t previous = std::numeric_limits<std::size_t>::max();
    for (const std::size_t k : picks) {
      if (k == previous) continue;
      out.push_back({xScale.PosAtValue(xs[k]), yScale.PosAtValue(ys[k]), k, colorOf ? colorOf(k) : 0u});
      previous = k;
    }
  }
};

double SlotOf(const std::vector<double>& xs, std::size_t k) {
  double slot = std::numeric_limits<double>::infinity();
  if (k > 0) slot = xs[k] - xs[k - 1];
  if (k + 1 < xs.size()) slot = std::min(slot, xs[k + 1] - xs[k]);
  return std::isfinite(slot) && slot > 0.0 ? slot : 0.0;
}

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

IndexRange VisibleRange(const std::vector<double>& xs, double xmin, double xmax) {
  // A long view holds most series whole (a year of per-day series): the
  // two ends decide without a search, which would cost a cache miss a step.
  if (!xs.empty() && xs.front() >= xmin && xs.back() <= xmax) return {0, xs.size()};
  const auto begin = std::lower_bound(xs.begin(), xs.end(), xmin);
  const auto end = std::upper_bound(begin, xs.end(), xmax);
  IndexRange range{static_cast<std::size_t>(begin - xs.begin()), static_cast<std::size_t>(end - xs.begin())};
  if (range.first > 0) --range.first;
  if (range.last < xs.size()) ++range.last;
  return range;
}

void MapAllPoints(const std::vector<double>& xs, const std::vector<double>& ys, IndexRange range,
                  const AxisScale& xScale, const AxisScale& yScale, std::vector<PixelPoint>& out,
                  const PointColorSource& colorOf) {
  out.clear();
  for (std::size_t k = range.first; k < range.last; ++k) {
    if (std::isnan(ys[k])) {
      PushBreak(out);
    } else {
      out.push_back({xScale.PosAtValue(xs[k]), yScale.PosAtValue(ys[k]), k, colorOf ? colorOf(k) : 0u});
    }
  }
}

namespace {

// A block of the next level: the two halves in order, ties going to the
// left one, as a scan keeps the first lowest and highest point.
BlockExtremes::Block Merge(const BlockExtremes::Block& left, const BlockExtremes::Block& right) {
  BlockExtremes::Block block = left;
  block.hasNull = left.hasNull || right.hasNull;
  block.lastX = right.lastX;
  block.lastY = right.lastY;
  if (right.lowY < left.lowY) {
    block.low = right.low;
    block.lowX = right.lowX;
    block.lowY = right.lowY;
  }
  if (right.highY > left.highY) {
    block.high = right.high;
    block.highX = right.highX;
    block.highY = right.highY;
  }
  return block;
}

// The extremes of [from, to), which holds no null.
BlockExtremes::Block Summarize(const std::vector<double>& xs, const std::vector<double>& ys, std::size_t from,
                               std::size_t to) {
  std::size_t low = from;
  std::size_t high = from;
  for (std::size_t k = from; k < to; ++k) {
    if (ys[k] < ys[low]) low = k;
    if (ys[k] > ys[high]) high = k;
  }
  BlockExtremes::Block block;
  block.firstX = xs[from];
  block.firstY = ys[from];
  block.lastX = xs[to - 1];
  block.lastY = ys[to - 1];
  block.low = static_cast<std::uint32_t>(low);
  block.high = static_cast<std::uint32_t>(high);
  block.lowX = xs[low];
  block.lowY = ys[low];
  block.highX = xs[high];
  block.highY = ys[high];
  return block;
}

}  // namespace

const BlockExtremes::Gap* BlockExtremes::GapOf(std::size_t block) const {
  const auto it = std::lower_bound(gaps_.begin(), gaps_.end(), block,
                                   [](const auto& gap, std::size_t b) { return gap.first < b; });
  return it != gaps_.end() && it->first == block ? &it->second : nullptr;
}

void BlockExtremes::Build(const std::vector<double>& xs, const std::vector<double>& ys) {
  levels_.assign(1, std::vector<Block>((ys.size() + kBlock - 1) / kBlock));
  gaps_.clear();
  std::vector<Block>& blocks = levels_[0];
  built_ = ys.size();
  for (std::size_t b = 0; b < blocks.size(); ++b) {
    const std::size_t start = b * kBlock;
    const std::size_t end = std::min(ys.size(), start + kBlock);
    std::size_t firstNull = end;
    std::size_t lastNull = end;
    for (std::size_t k = start; k < end; ++k) {
      if (!std::isnan(ys[k])) continue;
      if (firstNull == end) firstNull = k;
      lastNull = k;
    }
    if (firstNull == end) {
      blocks[b] = Summarize(xs, ys, start, end);
      continue;
    }
    blocks[b].firstX = xs[start];
    blocks[b].lastX = xs[end - 1];
    blocks[b].hasNull = true;
    const bool adjacent =
        std::all_of(ys.begin() + static_cast<std::ptrdiff_t>(firstNull),
                    ys.begin() + static_cast<std::ptrdiff_t>(lastNull + 1), [](double y) { return std::isnan(y); });
    if (!adjacent) continue;
    Gap gap;
    gap.headEnd = static_cast<std::uint32_t>(firstNull);
    gap.tailStart = static_cast<std::uint32_t>(lastNull + 1);
    if (firstNull > start) gap.head = Summarize(xs, ys, start, firstNull);
    if (lastNull + 1 < end) gap.tail = Summarize(xs, ys, lastNull + 1, end);
    gaps_.emplace_back(b, gap);
  }
  while (levels_.back().size() > 1) {
    const std::vector<Block>& below = levels_.back();
    std::vector<Block> level((below.size() + 1) / 2);
    for (std::size_t b = 0; b < level.size(); ++b) {
      level[b] = 2 * b + 1 < below.size() ? Merge(below[2 * b], below[2 * b + 1]) : below[2 * b];
    }
    levels_.push_back(std::move(level));
  }
}

namespace {

// The lowest and highest Y of [from, end), and whether a null lies among
// them. Four independent lanes without branches: a cold frame reads every
// sample once, and a loop that carries one minimum from point to point
// waits on it at every step.
struct Extent {
  double low;
  double high;
  bool hasNull;
};

Extent ScanExtent(const double* y, std::size_t from, std::size_t end) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  double lo0 = kInf, lo1 = kInf, lo2 = kInf, lo3 = kInf;
  double hi0 = -kInf, hi1 = -kInf, hi2 = -kInf, hi3 = -kInf;
  bool null = false;
  auto lane = [&null](double v, double& lo, double& hi) {
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
std::size_t FirstEqual(const double* y, std::size_t from, double v) {
  while (!(y[from] == v)) ++from;
  return from;
}

// AddPoints for points without nulls: the extremes by value first, then
// the first point holding each, which is what a point-by-point scan with
// strict comparisons keeps.
void AddUnbroken(std::size_t k, std::size_t end, const double* y, const Extent& extent, Run& run) {
  if (!run.open) {
    run.open = true;
    run.first = k;
    run.lowY = extent.low;
    run.highY = extent.high;
    run.low = FirstEqual(y, k, extent.low);
    run.high = FirstEqual(y, k, extent.high);
  } else {
    if (extent.low < run.lowY) {
      run.lowY = extent.low;
      run.low = FirstEqual(y, k, extent.low);
    }
    if (extent.high > run.highY) {
      run.highY = extent.high;
      run.high = FirstEqual(y, k, extent.high);
    }
  }
  run.last = end - 1;
}

// Adds the points [k, end) to the run, breaking it at null points. The
// hot loop of a cold frame: the extremes live in locals so that they stay
// in registers.
void AddPoints(std::size_t k, std::size_t end, const std::vector<double>& xs, const std::vector<double>& ys,
               const AxisScale& xScale, const AxisScale& yScale, Run& run, std::vector<PixelPoint>& out,
               const PointColorSource& colorOf) {
  const double* y = ys.data();
  if (k >= end) return;
  const Extent extent = ScanExtent(y, k, end);
  if (!extent.hasNull) return AddUnbroken(k, end, y, extent, run);
  while (k < end) {
    if (std::isnan(y[k])) {
      run.Flush(xs, ys, xScale, yScale, out, colorOf);
      PushBreak(out);
      ++k;
      continue;
    }
    if (!run.open) run.Add(k++, ys);
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
    run.low = low;
    run.high = high;
    run.lowY = lowY;
    run.highY = highY;
    k = j;
  }
}

// A run of whole blocks within one column, with the coordinates of its
// extremes, so that flushing it reads no sample.
struct BlockRun {
  struct Point {
    std::size_t index;
    double x, y;
  };
  Point first{}, low{}, high{}, last{};
  bool open = false;

  void Add(std::size_t start, std::size_t end, const BlockExtremes::Block& block) {
    const Point lowPoint{block.low, block.lowX, block.lowY};
    const Point highPoint{block.high, block.highX, block.highY};
    if (!open) {
      first = {start, block.firstX, block.firstY};
      low = lowPoint;
      high = highPoint;
      open = true;
    } else {
      if (lowPoint.y < low.y) low = lowPoint;
      if (highPoint.y > high.y) high = highPoint;
    }
    last = {end - 1, block.lastX, block.lastY};
  }

  void Flush(const AxisScale& xScale, const AxisScale& yScale, std::vector<PixelPoint>& out,
             const PointColorSource& colorOf) {
    if (!open) return;
    open = false;
    const Point& a = low.index < high.index ? low : high;
    const Point& b = low.index < high.index ? high : low;
    std::size_t previous = std::numeric_limits<std::size_t>::max();
    for (const Point* p : {static_cast<const Point*>(&first), &a, &b, static_cast<const Point*>(&last)}) {
      if (p->index == previous) continue;
      out.push_back({xScale.PosAtValue(p->x), yScale.PosAtValue(p->y), p->index, colorOf ? colorOf(p->index) : 0u});
      previous = p->index;
    }
  }
};

// Walks the blocks of one level in order. A block holding a null is split
// into its halves down to the shortest blocks, so that a gap reads only
// the samples of the one short block around it.
class BlockWalk {
 public:
  BlockWalk(const std::vector<double>& xs, const std::vector<double>& ys, IndexRange range, const AxisScale& xScale,
            const AxisScale& yScale, double columnsPerUnit, const BlockExtremes& extremes,
            std::vector<PixelPoint>& out, const PointColorSource& colorOf)
      : xs_(xs), ys_(ys), range_(range), xScale_(xScale), yScale_(yScale), columnsPerUnit_(columnsPerUnit),
        extremes_(extremes), out_(out), colorOf_(colorOf) {}

  void Walk(std::size_t level) {
    const std::size_t size = BlockExtremes::kBlock << level;
    for (std::size_t b = range_.first / size; b * size < range_.last; ++b) Visit(level, b);
    blockRun_.Flush(xScale_, yScale_, out_, colorOf_);
    pointRun_.Flush(xs_, ys_, xScale_, yScale_, out_, colorOf_);
  }

 private:
  void Visit(std::size_t level, std::size_t b) {
    const std::size_t size = BlockExtremes::kBlock << level;
    const std::size_t start = b * size;
    const std::size_t end = std::min(ys_.size(), start + size);
    if (end <= range_.first || start >= range_.last) return;
    const BlockExtremes::Block& block = extremes_.Level(level)[b];
    if (block.hasNull && level > 0) {
      Visit(level - 1, 2 * b);
      Visit(level - 1, 2 * b + 1);
      return;
    }
    const double blockColumn = std::floor(xScale_.PosAtValue(block.firstX) * columnsPerUnit_);
    if (blockColumn != column_) {
      blockRun_.Flush(xScale_, yScale_, out_, colorOf_);
      pointRun_.Flush(xs_, ys_, xScale_, yScale_, out_, colorOf_);
      column_ = blockColumn;
    }
    if (!block.hasNull) {
      // A run of points and one of blocks cannot share a column: close one.
      pointRun_.Flush(xs_, ys_, xScale_, yScale_, out_, colorOf_);
      blockRun_.Add(start, end, block);
      return;
    }
    if (const BlockExtremes::Gap* gap = extremes_.GapOf(b)) return VisitGap(start, end, *gap);
    blockRun_.Flush(xScale_, yScale_, out_, colorOf_);
    AddPoints(start, end, xs_, ys_, xScale_, yScale_, pointRun_, out_, colorOf_);
  }

  // The head joins the column's run of blocks, the nulls break the line,
  // and the tail starts a run in the column of its first point.
  void VisitGap(std::size_t start, std::size_t end, const BlockExtremes::Gap& gap) {
    pointRun_.Flush(xs_, ys_, xScale_, yScale_, out_, colorOf_);
    if (gap.headEnd > start) blockRun_.Add(start, gap.headEnd, gap.head);
    blockRun_.Flush(xScale_, yScale_, out_, colorOf_);
    PushBreak(out_);
    if (gap.tailStart < end) {
      column_ = std::floor(xScale_.PosAtValue(gap.tail.firstX) * columnsPerUnit_);
      blockRun_.Add(gap.tailStart, end, gap.tail);
    }
  }

  const std::vector<double>& xs_;
  const std::vector<double>& ys_;
  IndexRange range_;
  const AxisScale& xScale_;
  const AxisScale& yScale_;
  double columnsPerUnit_;
  const BlockExtremes& extremes_;
  std::vector<PixelPoint>& out_;
  const PointColorSource& colorOf_;
  BlockRun blockRun_;
  Run pointRun_;
  double column_ = std::numeric_limits<double>::quiet_NaN();
};

}  // namespace

void DecimateM4(const std::vector<double>& xs, const std::vector<double>& ys, IndexRange range,
                const AxisScale& xScale, const AxisScale& yScale, double columnsPerUnit,
                std::vector<PixelPoint>& out, const PointColorSource& colorOf, const BlockExtremes* extremes) {
  out.clear();
  if (!xScale.IsUsable() || columnsPerUnit <= 0.0) return MapAllPoints(xs, ys, range, xScale, yScale, out, colorOf);
  if (range.Empty()) return;
  const double spanned =
      std::fabs(xScale.PosAtValue(xs[range.last - 1]) - xScale.PosAtValue(xs[range.first])) * columnsPerUnit + 1.0;
  // At most four points a column and a break each: one allocation instead
  // of a doubling series of them, for each of thousands of small series.
  out.reserve(std::min(range.last - range.first, static_cast<std::size_t>(spanned < 1e7 ? spanned : 1e7) * 5 + 8));
  if (extremes && extremes->Covers(ys)) {
    // The longest blocks of which a column still holds four.
    const double perColumn = static_cast<double>(range.last - range.first) / spanned;
    std::size_t level = 0;
    while (level + 1 < extremes->LevelCount() &&
           perColumn >= 4.0 * static_cast<double>(BlockExtremes::kBlock << (level + 1))) {
      ++level;
    }
    if (perColumn >= 4.0 * BlockExtremes::kBlock) {
      return BlockWalk(xs, ys, range, xScale, yScale, columnsPerUnit, *extremes, out, colorOf).Walk(level);
    }
  }
  const bool forward = xScale.Factor() > 0.0;
  std::size_t k = range.first;
  std::size_t previousCount = 1;
  while (k < range.last) {
    const double column = std::floor(xScale.PosAtValue(xs[k]) * columnsPerUnit);
    const double edge = (forward ? column + 1.0 : column) / columnsPerUnit;
    const std::size_t end = FirstAtOrAbove(xs, k + 1, range.last, xScale.ValueAt(edge), previousCount);
    previousCount = end - k;
    Run run;
    AddPoints(k, end, xs, ys, xScale, yScale, run, out, colorOf);
    run.Flush(xs, ys, xScale, yScale, out, colorOf);
    k = end;
  }
}

void LayoutBars(const std::vector<double>& xs, const std::vector<double>& ys, IndexRange range, double base,
                double widthFraction, const AxisScale& xScale, const AxisScale& yScale, double columnsPerUnit,
                std::vector<BarRect>& out) {
  out.clear();
  const double basePos = yScale.PosAtValue(base);
  for (std::size_t k = range.first; k < range.last; ++k) {
    if (std::isnan(ys[k])) continue;
    const double centre = xScale.PosAtValue(xs[k]);
    const double half = std::fabs(SlotOf(xs, k) * xScale.Factor()) * widthFraction / 2.0;
    const double valuePos = yScale.PosAtValue(ys[k]);
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
