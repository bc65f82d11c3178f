#include "chartview/series_decimation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

namespace calorix::chartview {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// X in value units maps 1:1 to pixels; Y keeps its value (positions grow
// with values, which is all these tests need).
const AxisScale kX(0.0, 100.0, 0.0, 100.0);
const AxisScale kY(0.0, 100.0, 0.0, 100.0);

TEST(SeriesDecimation, VisibleRangeAddsOneNeighbourOnEachSide) {
  const std::vector<double> xs = {0, 1, 2, 3, 4, 5, 6, 7};
  const IndexRange range = VisibleRange(xs, 2.5, 4.5);
  EXPECT_EQ(range.first, 2u);  // 2 lies left of the window
  EXPECT_EQ(range.last, 6u);   // 5 lies right of it, one past is 6
}

TEST(SeriesDecimation, VisibleRangeOutsideTheDataKeepsTheNearestPoint) {
  const std::vector<double> xs = {10, 11, 12};
  EXPECT_EQ(VisibleRange(xs, 0.0, 5.0).first, 0u);
  EXPECT_EQ(VisibleRange(xs, 0.0, 5.0).last, 1u);
  EXPECT_EQ(VisibleRange(xs, 20.0, 30.0).first, 2u);
  EXPECT_EQ(VisibleRange(xs, 20.0, 30.0).last, 3u);
}

TEST(SeriesDecimation, M4KeepsFirstLowestHighestAndLastOfAColumn) {
  // Ten points inside pixel column 3.
  std::vector<double> xs, ys;
  for (int i = 0; i < 10; ++i) {
    xs.push_back(3.0 + i * 0.09);
    ys.push_back(i == 4 ? 1.0 : (i == 7 ? 9.0 : 5.0));
  }
  std::vector<PixelPoint> out;
  DecimateM4(xs, ys, {0, xs.size()}, kX, kY, 1.0, out);
  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ(out[0].index, 0u);
  EXPECT_EQ(out[1].index, 4u);
  EXPECT_EQ(out[2].index, 7u);
  EXPECT_EQ(out[3].index, 9u);
}

TEST(SeriesDecimation, SparsePointsAllSurvive) {
  const std::vector<double> xs = {1, 5, 9, 13};
  const std::vector<double> ys = {1, 2, 3, 4};
  std::vector<PixelPoint> out;
  DecimateM4(xs, ys, {0, 4}, kX, kY, 1.0, out);
  ASSERT_EQ(out.size(), 4u);
  EXPECT_DOUBLE_EQ(out[2].x, 9.0);
  EXPECT_DOUBLE_EQ(out[2].y, 3.0);
}

TEST(SeriesDecimation, NullPointBreaksTheLine) {
  const std::vector<double> xs = {0, 1, 3, 6, 7};
  const std::vector<double> ys = {5, 5, kNaN, 5, 5};
  for (const bool reduce : {false, true}) {
    std::vector<PixelPoint> out;
    if (reduce) {
      DecimateM4(xs, ys, {0, 5}, kX, kY, 1.0, out);
    } else {
      MapAllPoints(xs, ys, {0, 5}, kX, kY, out);
    }
    ASSERT_EQ(out.size(), 5u) << reduce;
    EXPECT_TRUE(out[2].IsBreak());
    EXPECT_EQ(out[1].index, 1u);
    EXPECT_EQ(out[3].index, 3u);
  }
}

TEST(SeriesDecimation, ColourSourceIsAskedForKeptPoints) {
  const std::vector<double> xs = {0, 1, 2};
  const std::vector<double> ys = {1, 2, 3};
  std::vector<PixelPoint> out;
  DecimateM4(xs, ys, {0, 3}, kX, kY, 1.0, out, [](std::size_t k) { return static_cast<std::uint32_t>(100 + k); });
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[1].color, 101u);
}

TEST(SeriesDecimation, BarIsThreeQuartersOfItsSlotFromTheBase) {
  const std::vector<double> xs = {10, 30, 50};
  const std::vector<double> ys = {45, 45, 45};
  std::vector<BarRect> bars;
  LayoutBars(xs, ys, {0, 3}, 44.5, 0.75, kX, kY, 1.0, bars);
  ASSERT_EQ(bars.size(), 3u);
  EXPECT_DOUBLE_EQ(bars[1].left, 30.0 - 7.5);
  EXPECT_DOUBLE_EQ(bars[1].right, 30.0 + 7.5);
  EXPECT_DOUBLE_EQ(bars[1].top, 44.5);
  EXPECT_DOUBLE_EQ(bars[1].bottom, 45.0);
}

TEST(SeriesDecimation, BarSlotIsTheNearerNeighbour) {
  const std::vector<double> xs = {10, 12, 50};
  const std::vector<double> ys = {1, 1, 1};
  std::vector<BarRect> bars;
  LayoutBars(xs, ys, {0, 3}, 0.0, 0.5, kX, kY, 1.0, bars);
  ASSERT_EQ(bars.size(), 3u);
  EXPECT_DOUBLE_EQ(bars[1].right - bars[1].left, 1.0);
  EXPECT_DOUBLE_EQ(bars[2].right - bars[2].left, 19.0);
}

TEST(SeriesDecimation, NullPointsDrawNoBar) {
  const std::vector<double> xs = {10, 20, 30};
  const std::vector<double> ys = {1, kNaN, 1};
  std::vector<BarRect> bars;
  LayoutBars(xs, ys, {0, 3}, 0.0, 0.75, kX, kY, 1.0, bars);
  EXPECT_EQ(bars.size(), 2u);
}

TEST(SeriesDecimation, NarrowBarsMergeIntoColumnsAndRuns) {
  // 400 bars in 20 columns, all of the same height: one rectangle.
  std::vector<double> xs, ys;
  for (int i = 0; i < 400; ++i) {
    xs.push_back(i * 0.05);
    ys.push_back(3.0);
  }
  std::vector<BarRect> bars;
  LayoutBars(xs, ys, {0, xs.size()}, 1.0, 0.75, kX, kY, 1.0, bars);
  ASSERT_LE(bars.size(), 2u);
  EXPECT_DOUBLE_EQ(bars.front().left, 0.0);
  EXPECT_DOUBLE_EQ(bars.front().top, 1.0);
  EXPECT_DOUBLE_EQ(bars.front().bottom, 3.0);
  EXPECT_DOUBLE_EQ(bars.back().right, 20.0);
}

}  // namespace
}  // namespace calorix::chartview

namespace calorix::chartview {
namespace {

TEST(SeriesDecimation, BlocksKeepTheExtremesAndTheGaps) {
  // 500 points per pixel column, a spike up and one down in column 40, a
  // gap in column 70.
  std::vector<double> xs, ys;
  for (int i = 0; i < 50000; ++i) {
    xs.push_back(i * 0.002);
    ys.push_back(i == 20250 ? 99.0 : (i == 20300 ? 1.0 : 50.0 + std::sin(i * 0.37)));
    if (i == 35100) ys.back() = kNaN;
  }
  BlockExtremes extremes;
  extremes.Build(xs, ys);
  std::vector<PixelPoint> plain, blocks;
  DecimateM4(xs, ys, {0, xs.size()}, kX, kY, 1.0, plain);
  DecimateM4(xs, ys, {0, xs.size()}, kX, kY, 1.0, blocks, {}, &extremes);
  auto has = [](const std::vector<PixelPoint>& points, std::size_t index) {
    return std::any_of(points.begin(), points.end(), [index](const PixelPoint& p) { return !p.IsBreak() && p.index == index; });
  };
  EXPECT_TRUE(has(blocks, 20250));
  EXPECT_TRUE(has(blocks, 20300));
  EXPECT_EQ(std::count_if(blocks.begin(), blocks.end(), [](const PixelPoint& p) { return p.IsBreak(); }), 1);
  EXPECT_LE(blocks.size(), 4u * 101u + 8u);
  // Every kept point lies within a quarter column of where the exact
  // reduction would put its column.
  for (const PixelPoint& p : blocks) {
    if (p.IsBreak()) continue;
    EXPECT_DOUBLE_EQ(p.x, xs[p.index]);
    EXPECT_DOUBLE_EQ(p.y, ys[p.index]);
  }
  EXPECT_EQ(plain.size() > 0, true);
}

}  // namespace
}  // namespace calorix::chartview

namespace calorix::chartview {
namespace {

// M4 the slow way: point by point, each column's unbroken runs keeping
// their first point, the first lowest, the first highest and the last.
std::vector<std::size_t> ReferenceM4(const std::vector<double>& xs, const std::vector<double>& ys) {
  constexpr std::size_t kBreak = std::numeric_limits<std::size_t>::max();
  std::vector<std::size_t> out;
  std::vector<std::size_t> run;
  auto flush = [&] {
    if (run.empty()) return;
    std::size_t low = run.front(), high = run.front();
    for (const std::size_t k : run) {
      if (ys[k] < ys[low]) low = k;
      if (ys[k] > ys[high]) high = k;
    }
    for (const std::size_t k : {run.front(), std::min(low, high), std::max(low, high), run.back()}) {
      if (out.empty() || out.back() != k) out.push_back(k);
    }
    run.clear();
  };
  double column = kNaN;
  for (std::size_t k = 0; k < xs.size(); ++k) {
    if (std::floor(xs[k]) != column) flush();
    column = std::floor(xs[k]);
    if (std::isnan(ys[k])) {
      flush();
      if (!out.empty() && out.back() != kBreak) out.push_back(kBreak);
    } else {
      run.push_back(k);
    }
  }
  flush();
  return out;
}

TEST(SeriesDecimation, M4MatchesAPointByPointScanWithTiesAndNulls) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> level(0, 6);
  std::uniform_real_distribution<double> step(0.001, 0.2);
  for (int round = 0; round < 20; ++round) {
    std::vector<double> xs, ys;
    double x = 0.0;
    for (int i = 0; i < 3000 && x < 99.0; ++i) {
      xs.push_back(x);
      const int v = level(random);
      // Few distinct values make ties common; 6 is a null.
      ys.push_back(v == 6 && round % 2 == 0 ? kNaN : static_cast<double>(v));
      x += step(random) * (round % 3 == 0 ? 0.05 : 1.0);
    }
    std::vector<PixelPoint> out;
    DecimateM4(xs, ys, {0, xs.size()}, kX, kY, 1.0, out);
    std::vector<std::size_t> indices;
    for (const PixelPoint& p : out) indices.push_back(p.IsBreak() ? std::numeric_limits<std::size_t>::max() : p.index);
    EXPECT_EQ(indices, ReferenceM4(xs, ys)) << "round " << round;
  }
}

}  // namespace
}  // namespace calorix::chartview

namespace calorix::chartview {
namespace {

// A block with nulls has a gap summary exactly when its nulls are
// adjacent, and then its head and tail hold their points' extremes.
void ExpectGapAsScanned(const BlockExtremes& extremes, std::size_t b, const std::vector<double>& xs,
                        const std::vector<double>& ys) {
  const std::size_t start = b * BlockExtremes::kBlock;
  const std::size_t end = std::min(xs.size(), start + BlockExtremes::kBlock);
  std::vector<std::size_t> nulls;
  for (std::size_t k = start; k < end; ++k) {
    if (std::isnan(ys[k])) nulls.push_back(k);
  }
  const bool adjacent = nulls.back() - nulls.front() + 1 == nulls.size();
  const BlockExtremes::Gap* gap = extremes.GapOf(b);
  ASSERT_EQ(gap != nullptr, adjacent) << b;
  if (!gap) return;
  EXPECT_EQ(gap->headEnd, nulls.front());
  EXPECT_EQ(gap->tailStart, nulls.back() + 1);
  auto expectPart = [&](const BlockExtremes::Block& part, std::size_t from, std::size_t to) {
    if (from >= to) return;
    std::size_t low = from, high = from;
    for (std::size_t k = from; k < to; ++k) {
      if (ys[k] < ys[low]) low = k;
      if (ys[k] > ys[high]) high = k;
    }
    EXPECT_EQ(part.low, low);
    EXPECT_EQ(part.high, high);
    EXPECT_EQ(part.firstX, xs[from]);
    EXPECT_EQ(part.lastY, ys[to - 1]);
  };
  expectPart(gap->head, start, gap->headEnd);
  expectPart(gap->tail, gap->tailStart, end);
}

TEST(SeriesDecimation, EveryLevelOfBlocksHoldsWhatAScanOfItsPointsFinds) {
  // An odd length leaves short last blocks; ties and nulls fall anywhere,
  // also across the edges of blocks.
  std::mt19937 random(11);
  std::uniform_int_distribution<int> level(0, 40);
  std::vector<double> xs, ys;
  for (int i = 0; i < 5000 + 17; ++i) {
    xs.push_back(i * 0.5);
    const int v = level(random);
    ys.push_back(v == 40 && i > 3000 ? kNaN : static_cast<double>(v % 9));
  }
  ys[31] = kNaN;  // the last point of block 0
  ys[32] = kNaN;  // the first of block 1
  for (int i = 70; i < 75; ++i) ys[i] = kNaN;  // a pause inside block 2
  ys[100] = ys[104] = kNaN;                     // nulls apart in block 3
  BlockExtremes extremes;
  extremes.Build(xs, ys);
  ASSERT_GT(extremes.LevelCount(), 5u);
  EXPECT_EQ(extremes.Level(extremes.LevelCount() - 1).size(), 1u);
  for (std::size_t l = 0; l < extremes.LevelCount(); ++l) {
    const std::size_t size = BlockExtremes::kBlock << l;
    const auto& blocks = extremes.Level(l);
    ASSERT_EQ(blocks.size(), (xs.size() + size - 1) / size);
    for (std::size_t b = 0; b < blocks.size(); ++b) {
      const std::size_t start = b * size;
      const std::size_t end = std::min(xs.size(), start + size);
      bool null = false;
      std::size_t low = start, high = start;
      for (std::size_t k = start; k < end; ++k) {
        null = null || std::isnan(ys[k]);
        if (ys[k] < ys[low]) low = k;
        if (ys[k] > ys[high]) high = k;
      }
      const BlockExtremes::Block& block = blocks[b];
      ASSERT_EQ(block.hasNull, null) << l << " " << b;
      if (l == 0 && null) ExpectGapAsScanned(extremes, b, xs, ys);
      EXPECT_EQ(block.firstX, xs[start]);
      EXPECT_EQ(block.lastX, xs[end - 1]);
      if (null) continue;
      EXPECT_EQ(block.low, low) << l << " " << b;
      EXPECT_EQ(block.high, high) << l << " " << b;
      EXPECT_EQ(block.lowX, xs[low]);
      EXPECT_EQ(block.highY, ys[high]);
    }
  }
}

TEST(SeriesDecimation, LongBlocksKeepAColumnsExtremesAtFourPointsAColumn) {
  // 20,000 points a column: the reduction reads blocks of 4,096 or more,
  // and still finds a spike of one point.
  std::vector<double> xs, ys;
  for (int i = 0; i < 400000; ++i) {
    xs.push_back(i * 0.00005);
    ys.push_back(i == 123457 ? 99.0 : 50.0 + std::sin(i * 0.001));
  }
  BlockExtremes extremes;
  extremes.Build(xs, ys);
  std::vector<PixelPoint> out;
  DecimateM4(xs, ys, {0, xs.size()}, kX, kY, 1.0, out, {}, &extremes);
  EXPECT_LE(out.size(), 4u * 21u);
  EXPECT_TRUE(std::any_of(out.begin(), out.end(), [](const PixelPoint& p) { return p.index == 123457; }));
  for (const PixelPoint& p : out) {
    EXPECT_DOUBLE_EQ(p.x, xs[p.index]);
    EXPECT_DOUBLE_EQ(p.y, ys[p.index]);
  }
}

}  // namespace
}  // namespace calorix::chartview
