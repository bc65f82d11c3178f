#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace calorix::chart {

class PointView;

// The lowest and highest Y of each block of kBlock points of a series, and
// above them levels of blocks twice as long, so that the extremes of a long
// run of points come from a few blocks instead of every sample. Only whole
// blocks are kept; the points after the last one are left to the reader.
// 24 bytes a block: a summary costs 1.5 bytes a point over all levels.
class BlockExtremes {
 public:
  static constexpr std::size_t kBlock = 32;  // a multiple of 4
  struct Block {
    float lowY = 0.0f;  // NaN when the block holds a null point
    float highY = 0.0f;
    std::uint32_t low = 0;   // index of the first lowest point
    std::uint32_t high = 0;  // index of the first highest point
    // Their Xs as stored (PointView::XOfCode), so that a reader needs no
    // sample to place them.
    std::uint32_t lowX = 0;
    std::uint32_t highX = 0;
    bool HasNull() const { return lowY != lowY; }
  };

  void Build(const PointView& points);
  // Level 0 holds blocks of kBlock points, level n blocks of kBlock << n;
  // block b of level n starts at point b * (kBlock << n).
  std::size_t LevelCount() const { return levels_.size(); }
  const std::vector<Block>& Level(std::size_t level) const { return levels_[level]; }
  std::size_t BlockSize(std::size_t level) const { return kBlock << level; }

 private:
  std::vector<std::vector<Block>> levels_;
};

}  // namespace calorix::chart
