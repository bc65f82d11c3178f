#include "chartview/series_decimation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "chart/chart_series.h"

namespace calorix::chartview {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// X in value units maps 1:1 to pixels; Y keeps its value (positions grow
// with values, which is all these tests need).
const AxisScale kX(0.0, 100.0, 0.0, 100.0);
const AxisScale kY(0.0, 100.0, 0.0, 100.0);

// The points xs, ys in a series of no panel; a NaN y is a null point.
class TestPoints {
 public:
  TestPoints(const std::vector<double>& xs, const std::vector<double>& ys) : series_(chart::SeriesKind::Line, nullptr) {
    for (std::size_t i = 0; i < xs.size(); ++i) {
      if (std::isnan(ys[i])) {
        series_.AddNullPoint(xs[i]);
      } else {
        series_.AddPoint(xs[i], ys[i]);
      }
    }
  }
  operator chart::PointView() const { return series_.Points(); }
  const chart::ChartSeries& Series() const { return series_; }

 private:
  chart::ChartSeries series_;
};

TEST(SeriesDecimation, VisibleRangeAddsOneNeighbourOnEachSide) {
  const std::vector<double> xs = {0, 1, 2, 3, 4, 5, 6, 7};
  const IndexRange range = VisibleRange(TestPoints(xs, xs), 2.5, 4.5);
  EXPECT_EQ(range.first, 2u);  // 2 lies left of the window
  EXPECT_EQ(range.last, 6u);   // 5 lies right of it, one past is 6
}

TEST(SeriesDecimation, VisibleRangeOutsideTheDataKeepsTheNearestPoint) {
  const std::vector<double> xs = {10, 11, 12};
  EXPECT_EQ(VisibleRange(TestPoints(xs, xs), 0.0, 5.0).first, 0u);
  EXPECT_EQ(VisibleRange(TestPoints(xs, xs), 0.0, 5.0).last, 1u);
  EXPECT_EQ(VisibleRange(TestPoints(xs, xs), 20.0, 30.0).first, 2u);
  EXPECT_EQ(VisibleRange(TestPoints(xs, xs), 20.0, 30.0).last, 3u);
}

TEST(SeriesDecimation, M4KeepsFirstLowestHighestAndLastOfAColumn) {
  // Ten points inside pixel column 3.
  std::vector<double> xs, ys;
  for (int i = 0; i < 10; ++i) {
    xs.push_back(3.0 + i * 0.09);
    ys.push_back(i == 4 ? 1.0 : (i == 7 ? 9.0 : 5.0));
  }
  std::vector<PixelPoint> out;
  DecimateM4(TestPoints(xs, ys), {0, xs.size()}, kX, kY, 1.0, out);
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
  DecimateM4(TestPoints(xs, ys), {0, 4}, kX, kY, 1.0, out);
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
      DecimateM4(TestPoints(xs, ys), {0, 5}, kX, kY, 1.0, out);
    } else {
      MapAllPoints(TestPoints(xs, ys), {0, 5}, kX, kY, out);
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
  DecimateM4(TestPoints(xs, ys), {0, 3}, kX, kY, 1.0, out,
             [](std::size_t k) { return static_cast<std::uint32_t>(100 + k); });
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[1].color, 101u);
}

TEST(SeriesDecimation, BarIsThreeQuartersOfItsSlotFromTheBase) {
  const std::vector<double> xs = {10, 30, 50};
  const std::vector<double> ys = {45, 45, 45};
  std::vector<BarRect> bars;
  LayoutBars(TestPoints(xs, ys), {0, 3}, 44.5, 0.75, kX, kY, 1.0, bars);
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
  LayoutBars(TestPoints(xs, ys), {0, 3}, 0.0, 0.5, kX, kY, 1.0, bars);
  ASSERT_EQ(bars.size(), 3u);
  EXPECT_DOUBLE_EQ(bars[1].right - bars[1].left, 1.0);
  EXPECT_DOUBLE_EQ(bars[2].right - bars[2].left, 19.0);
}

TEST(SeriesDecimation, NullPointsDrawNoBar) {
  const std::vector<double> xs = {10, 20, 30};
  const std::vector<double> ys = {1, kNaN, 1};
  std::vector<BarRect> bars;
  LayoutBars(TestPoints(xs, ys), {0, 3}, 0.0, 0.75, kX, kY, 1.0, bars);
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
  LayoutBars(TestPoints(xs, ys), {0, xs.size()}, 1.0, 0.75, kX, kY, 1.0, bars);
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
    DecimateM4(TestPoints(xs, ys), {0, xs.size()}, kX, kY, 1.0, out);
    std::vector<std::size_t> indices;
    for (const PixelPoint& p : out) indices.push_back(p.IsBreak() ? std::numeric_limits<std::size_t>::max() : p.index);
    EXPECT_EQ(indices, ReferenceM4(xs, ys)) << "round " << round;
  }
}

bool SameVertices(const std::vector<PixelPoint>& a, const std::vector<PixelPoint>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].IsBreak() != b[i].IsBreak()) return false;
    if (a[i].IsBreak()) continue;
    if (a[i].x != b[i].x || a[i].y != b[i].y || a[i].index != b[i].index || a[i].color != b[i].color) return false;
  }
  return true;
}

// Block extremes only save reading: for any density, window, direction,
// ties, nulls alone, pauses and nulls at block edges, the vertices are
// those of the reduction that reads every point.
TEST(SeriesDecimation, BlockExtremesGiveTheSameVerticesAsReadingEveryPoint) {
  std::mt19937 random(5);
  std::uniform_int_distribution<int> level(0, 200);
  const double perColumn[] = {150.0, 700.0, 5000.0, 40000.0};
  for (int round = 0; round < 16; ++round) {
    const double density = perColumn[round % 4];
    std::vector<double> xs, ys;
    for (int i = 0; i < 200000; ++i) {
      xs.push_back(i / density);
      const int v = level(random);
      ys.push_back(v == 200 && round % 2 == 0 ? kNaN
                                              : (round % 3 == 0 ? v % 5 : 50.0 + std::sin(i * 0.001) + v * 1e-3));
      if (round % 4 == 1 && i % 9000 >= 8990) ys.back() = kNaN;  // a pause
    }
    const TestPoints points(xs, ys);
    const chart::BlockExtremes* extremes = points.Series().Extremes();
    ASSERT_NE(extremes, nullptr);
    const double last = xs.back();
    const AxisScale x = round % 5 == 4 ? AxisScale(0.0, last, 100.0, 0.0) : AxisScale(0.0, last, 0.0, 100.0);
    const IndexRange range = round % 2 ? IndexRange{12345, xs.size() - 777} : IndexRange{0, xs.size()};
    const double columnsPerUnit = 1.0 + (round % 3);
    std::vector<PixelPoint> plain, blocks;
    auto colour = [](std::size_t k) { return static_cast<std::uint32_t>(k % 3); };
    DecimateM4(points, range, x, kY, columnsPerUnit, plain, colour);
    DecimateM4(points, range, x, kY, columnsPerUnit, blocks, colour, extremes);
    EXPECT_TRUE(SameVertices(plain, blocks)) << "round " << round;
  }
}

// Bars through block extremes are the bars laid out one by one: for
// densities from wider than a column to thousands a column, bars of no
// height, gaps, long pauses (wide bars beside them), a window that starts
// inside a block, and a y axis either way up.
TEST(SeriesDecimation, BlockExtremesGiveTheSameBarsAsLayingOutEveryBar) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> level(0, 100);
  const double perColumn[] = {0.5, 20.0, 150.0, 5000.0};
  for (int round = 0; round < 12; ++round) {
    const double density = perColumn[round % 4];
    std::vector<double> xs, ys;
    double x = 0.0;
    for (int i = 0; i < 100000; ++i) {
      x += (round % 3 == 1 && i % 5000 == 0) ? 40.0 : 1.0 / density;  // pauses now and then
      xs.push_back(x);
      const int v = level(random);
      ys.push_back(v == 100 && round % 2 == 0 ? kNaN : (round % 3 == 0 ? 10.0 * (v % 3) : 20.0 + v * 0.3));
    }
    const TestPoints points(xs, ys);
    const AxisScale xScale(0.0, xs.back(), 0.0, 100.0);
    const AxisScale yScale = round % 2 ? AxisScale(0.0, 100.0, 100.0, 0.0) : kY;
    const IndexRange range = round % 4 == 3 ? IndexRange{1001, xs.size() - 45} : IndexRange{0, xs.size()};
    std::vector<BarRect> plain, blocks;
    LayoutBars(points, range, 10.0, 0.75, xScale, yScale, 10.0, plain);
    LayoutBars(points, range, 10.0, 0.75, xScale, yScale, 10.0, blocks, points.Series().Extremes());
    ASSERT_EQ(plain.size(), blocks.size()) << "round " << round;
    for (std::size_t i = 0; i < plain.size(); ++i) {
      EXPECT_EQ(plain[i].left, blocks[i].left);
      EXPECT_EQ(plain[i].right, blocks[i].right);
      EXPECT_EQ(plain[i].top, blocks[i].top);
      EXPECT_EQ(plain[i].bottom, blocks[i].bottom);
      EXPECT_EQ(plain[i].index, blocks[i].index);
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
  const TestPoints points(xs, ys);
  std::vector<PixelPoint> out;
  DecimateM4(points, {0, xs.size()}, kX, kY, 1.0, out, {}, points.Series().Extremes());
  EXPECT_LE(out.size(), 4u * 21u);
  EXPECT_TRUE(std::any_of(out.begin(), out.end(), [](const PixelPoint& p) { return p.index == 123457; }));
  for (const PixelPoint& p : out) {
    EXPECT_EQ(p.x, points.Series().Points().X(p.index));
    EXPECT_EQ(p.y, points.Series().Points().Y(p.index));
  }
}

}  // namespace
}  // namespace calorix::chartview
