#include "chart/block_extremes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "chart/chart_series.h"

namespace calorix::chart {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(BlockExtremes, EveryLevelOfBlocksHoldsWhatAScanOfItsPointsFinds) {
  // An odd length leaves points after the last whole block; ties and nulls
  // fall anywhere, also across the edges of blocks.
  std::mt19937 random(11);
  std::uniform_int_distribution<int> level(0, 40);
  std::vector<double> ys;
  ChartSeries series(SeriesKind::Line, nullptr);
  for (int i = 0; i < 5000 + 17; ++i) {
    const int v = level(random);
    ys.push_back(v == 40 && i > 3000 ? kNaN : static_cast<double>(v % 9));
    if (i == 31 || i == 32 || (i >= 70 && i < 75) || i == 100 || i == 104) ys.back() = kNaN;
    if (std::isnan(ys.back())) {
      series.AddNullPoint(i * 0.5);
    } else {
      series.AddPoint(i * 0.5, ys.back());
    }
  }
  const BlockExtremes* extremes = series.Extremes();
  ASSERT_NE(extremes, nullptr);
  ASSERT_GT(extremes->LevelCount(), 5u);
  EXPECT_EQ(extremes->Level(extremes->LevelCount() - 1).size(), 1u);
  for (std::size_t l = 0; l < extremes->LevelCount(); ++l) {
    const std::size_t size = extremes->BlockSize(l);
    const auto& blocks = extremes->Level(l);
    ASSERT_EQ(blocks.size(), ys.size() / size);
    for (std::size_t b = 0; b < blocks.size(); ++b) {
      bool null = false;
      std::size_t low = b * size, high = b * size;
      for (std::size_t k = b * size; k < (b + 1) * size; ++k) {
        null = null || std::isnan(ys[k]);
        if (ys[k] < ys[low]) low = k;
        if (ys[k] > ys[high]) high = k;
      }
      const BlockExtremes::Block& block = blocks[b];
      ASSERT_EQ(block.HasNull(), null) << l << " " << b;
      if (null) continue;
      EXPECT_EQ(block.low, low) << l << " " << b;
      EXPECT_EQ(block.high, high) << l << " " << b;
      EXPECT_EQ(block.lowY, ys[low]);
      EXPECT_EQ(block.highY, ys[high]);
    }
  }
}

TEST(BlockExtremes, FollowTheChangesOfThePoints) {
  ChartSeries series(SeriesKind::Line, nullptr);
  for (int i = 0; i < 200; ++i) series.AddPoint(i, 1.0);
  EXPECT_EQ(series.Extremes()->Level(0)[1].highY, 1.0f);
  series.SetY(40, 7.0);
  EXPECT_EQ(series.Extremes()->Level(0)[1].highY, 7.0f);
  EXPECT_EQ(series.Extremes()->Level(0)[1].high, 40u);
  series.ScaleY(2.0);
  EXPECT_EQ(series.Extremes()->Level(0)[1].highY, 14.0f);
  series.SetTitle("style changes keep them");
  const BlockExtremes* before = series.Extremes();
  EXPECT_EQ(series.Extremes(), before);
  ChartSeries shortOne(SeriesKind::Line, nullptr);
  for (int i = 0; i < 20; ++i) shortOne.AddPoint(i, 1.0);
  EXPECT_EQ(shortOne.Extremes(), nullptr);  // read point by point anyway
}

}  // namespace
}  // namespace calorix::chart
