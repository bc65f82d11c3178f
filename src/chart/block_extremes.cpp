#include "chart/block_extremes.h"

#include <limits>

#include "chart/chart_series.h"

namespace calorix::chart {
namespace {

constexpr float kNullBlock = std::numeric_limits<float>::quiet_NaN();

constexpr BlockExtremes::Block kWithNull{kNullBlock, kNullBlock, 0, 0, 0, 0};

BlockExtremes::Block Summarize(const PointView& points, std::size_t from, std::size_t to) {
  const float* y = points.YData();
  std::size_t low = from;
  std::size_t high = from;
  for (std::size_t k = from; k < to; ++k) {
    const float v = y[k];
    if (v != v) return kWithNull;
    if (v < y[low]) low = k;
    if (v > y[high]) high = k;
  }
  return {y[low], y[high], static_cast<std::uint32_t>(low), static_cast<std::uint32_t>(high), points.XCode(low),
          points.XCode(high)};
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
