#include "chart/block_extremes.h"

#include <limits>

#include "chart/chart_series.h"

namespace calorix::chart {
namespace {

constexpr float kNullBlock = std::numeric_limits<float>::quiet_NaN();

BlockExtremes::Block Summarize(const float* y, std::size_t from, std::size_t to) {
  BlockExtremes::Block block{y[from], y[from], static_cast<std::uint32_t>(from), static_cast<std::uint32_t>(from)};
  for (std::size_t k = from; k < to; ++k) {
    const float v = y[k];
    if (v != v) return {kNullBlock, kNullBlock, 0, 0};
    if (v < block.lowY) {
      block.lowY = v;
      block.low = static_cast<std::uint32_t>(k);
    }
    if (v > block.highY) {
      block.highY = v;
      block.high = static_cast<std::uint32_t>(k);
    }
  }
  return block;
}

// Ties go to the left half, as a scan keeps the first lowest and highest.
BlockExtremes::Block Merge(const BlockExtremes::Block& left, const BlockExtremes::Block& right) {
  if (left.HasNull() || right.HasNull()) return {kNullBlock, kNullBlock, 0, 0};
  BlockExtremes::Block block = left;
  if (right.lowY < left.lowY) {
    block.lowY = right.lowY;
    block.low = right.low;
  }
  if (right.highY > left.highY) {
    block.highY = right.highY;
    block.high = right.high;
  }
  return block;
}

}  // namespace

void BlockExtremes::Build(const PointView& points) {
  levels_.clear();
  std::vector<Block> blocks(points.Size() / kBlock);
  const float* y = points.YData();
  for (std::size_t b = 0; b < blocks.size(); ++b) blocks[b] = Summarize(y, b * kBlock, (b + 1) * kBlock);
  levels_.push_back(std::move(blocks));
  while (levels_.back().size() > 1) {
    const std::vector<Block>& below = levels_.back();
    std::vector<Block> level(below.size() / 2);
    for (std::size_t b = 0; b < level.size(); ++b) level[b] = Merge(below[2 * b], below[2 * b + 1]);
    levels_.push_back(std::move(level));
  }
}

}  // namespace calorix::chart
