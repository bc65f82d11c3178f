#include "chart/block_extremes.h"

#include <algorithm>
#include <limits>

#include "chart/chart_series.h"

namespace calorix::chart {
namespace {

constexpr float kNullBlock = std::numeric_limits<float>::quiet_NaN();

constexpr BlockExtremes::Block kWithNull{kNullBlock, kNullBlock, 0, 0, 0, 0};

// The extremes by value first, in independent lanes without branches (a
// load builds these for every point), then the first point holding each.
BlockExtremes::Block Summarize(const PointView& points, std::size_t from, std::size_t to) {
  const float* y = points.YData();
  float low[4] = {y[from], y[from], y[from], y[from]};
  float high[4] = {y[from], y[from], y[from], y[from]};
  bool null = false;
  for (std::size_t k = from; k < to; k += 4) {
    for (std::size_t lane = 0; lane < 4; ++lane) {
      const float v = y[k + lane];
      low[lane] = v < low[lane] ? v : low[lane];
      high[lane] = v > high[lane] ? v : high[lane];
      null |= v != v;
    }
  }
  if (null) return kWithNull;
  const float lowY = std::min(std::min(low[0], low[1]), std::min(low[2], low[3]));
  const float highY = std::max(std::max(high[0], high[1]), std::max(high[2], high[3]));
  std::size_t lowAt = from;
  while (!(y[lowAt] == lowY)) ++lowAt;
  std::size_t highAt = from;
  while (!(y[highAt] == highY)) ++highAt;
  // The points' own values: -0 and +0 compare equal.
  return {y[lowAt],
          y[highAt],
          static_cast<std::uint32_t>(lowAt),
          static_cast<std::uint32_t>(highAt),
          points.XCode(lowAt),
          points.XCode(highAt)};
}

// Ties go to the left half, as a scan keeps the first lowest and highest.
BlockExtremes::Block Merge(const BlockExtremes::Block& left, const BlockExtremes::Block& right) {
  if (left.HasNull() || right.HasNull()) return kWithNull;
  BlockExtremes::Block block = left;
  if (right.lowY < left.lowY) {
    block.lowY = right.lowY;
    block.low = right.low;
    block.lowX = right.lowX;
  }
  if (right.highY > left.highY) {
    block.highY = right.highY;
    block.high = right.high;
    block.highX = right.highX;
  }
  return block;
}

}  // namespace

void BlockExtremes::Build(const PointView& points) {
  levels_.clear();
  std::vector<Block> blocks(points.Size() / kBlock);
  for (std::size_t b = 0; b < blocks.size(); ++b) blocks[b] = Summarize(points, b * kBlock, (b + 1) * kBlock);
  levels_.push_back(std::move(blocks));
  while (levels_.back().size() > 1) {
    const std::vector<Block>& below = levels_.back();
    std::vector<Block> level(below.size() / 2);
    for (std::size_t b = 0; b < level.size(); ++b) level[b] = Merge(below[2 * b], below[2 * b + 1]);
    levels_.push_back(std::move(level));
  }
}

}  // namespace calorix::chart
