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

// First index k in [from, end) with xs[k] >= bound; exponential search,
// since columns usually hold few points.
std::size_t FirstAtOrAbove(const std::vector<double>& xs, std::size_t from, std::size_t end, double bound) {
  std::size_t step = 1;
  std::size_t lo = from;
  std::size_t hi = from;
  while (hi < end && xs[hi] < bound) {
    lo = hi + 1;
    hi = std::min(end, hi + step);
    step *= 2;
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
  bool open = false;

  void Add(std::size_t k, const std::vector<double>& ys) {
    if (!open) {
      first = last = low = high = k;
      open = true;
      return;
    }
    last = k;
    if (ys[k] < ys[low]) low = k;
    if (ys[k] > ys[high]) high = k;
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

void DecimateM4(const std::vector<double>& xs, const std::vector<double>& ys, IndexRange range,
                const AxisScale& xScale, const AxisScale& yScale, double columnsPerUnit,
                std::vector<PixelPoint>& out, const PointColorSource& colorOf) {
  out.clear();
  if (!xScale.IsUsable() || columnsPerUnit <= 0.0) return MapAllPoints(xs, ys, range, xScale, yScale, out, colorOf);
  const bool forward = xScale.Factor() > 0.0;
  std::size_t k = range.first;
  while (k < range.last) {
    const double column = std::floor(xScale.PosAtValue(xs[k]) * columnsPerUnit);
    const double edge = (forward ? column + 1.0 : column) / columnsPerUnit;
    std::size_t end = FirstAtOrAbove(xs, k + 1, range.last, xScale.ValueAt(edge));
    Run run;
    for (; k < end; ++k) {
      if (std::isnan(ys[k])) {
        run.Flush(xs, ys, xScale, yScale, out, colorOf);
        PushBreak(out);
      } else {
        run.Add(k, ys);
      }
    }
    run.Flush(xs, ys, xScale, yScale, out, colorOf);
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
