#include "chart/chart_series.h"

#include <gtest/gtest.h>

#include <memory>

#include "chart/chart_panel.h"

namespace calorix::chart {
namespace {

TEST(SeriesPoints, KeepInsertionOrderAndNeverSort) {
  ChartPanel panel;
  ChartSeries series(SeriesKind::Line, &panel);
  series.AddPoint(3.0, 30.0);
  series.AddPoint(1.0, 10.0);
  ASSERT_EQ(series.Count(), 2u);
  EXPECT_EQ(series.X(0), 3.0);
  EXPECT_EQ(series.X(1), 1.0);
  EXPECT_FALSE(series.XAscending());
}

TEST(SeriesPoints, NullPointsHaveNoColourAndNoValue) {
  ChartPanel panel;
  ChartSeries series(SeriesKind::Line, &panel);
  series.AddPoint(1.0, 5.0);
  series.AddNullPoint(2.0);
  series.AddPoint(2.0, 7.0);
  EXPECT_TRUE(series.IsNull(1));
  EXPECT_EQ(series.PointColor(1), kNoColor);
  EXPECT_EQ(series.PointColor(0), 0u);
  EXPECT_TRUE(series.XAscending());
  ASSERT_TRUE(series.YRange());
  EXPECT_EQ(series.YRange()->min, 5.0);
  EXPECT_EQ(series.YRange()->max, 7.0);
}

TEST(SeriesPoints, LabelsAreKeptOnlyWhereGiven) {
  ChartPanel panel;
  ChartSeries series(SeriesKind::Line, &panel);
  series.AddPoint(1.0, 1.0);
  series.AddPoint(2.0, 2.0, 0, "peak");
  EXPECT_EQ(series.Label(0), "");
  EXPECT_EQ(series.Label(1), "peak");
}

TEST(SeriesColours, RecolouringSparesNullPoints) {
  ChartPanel panel;
  ChartSeries series(SeriesKind::Line, &panel);
  series.AddPoint(1.0, 1.0);
  series.AddNullPoint(2.0);
  series.AddPoint(2.0, 2.0);
  series.RecolorPoints(0x0000FF);
  EXPECT_EQ(series.PointColor(0), 0x0000FFu);
  EXPECT_EQ(series.PointColor(1), kNoColor);
  EXPECT_EQ(series.PointColor(2), 0x0000FFu);
}

TEST(SeriesColours, OnePointCanCarryItsOwnColour) {
  ChartPanel panel;
  ChartSeries series(SeriesKind::Line, &panel);
  series.AddPoint(1.0, 1.0, 0x10);
  series.AddPoint(2.0, 2.0, 0x20);
  series.AddNullPoint(3.0);
  EXPECT_EQ(series.PointColor(0), 0x10u);
  EXPECT_EQ(series.PointColor(1), 0x20u);
  EXPECT_EQ(series.PointColor(2), kNoColor);
  series.SetPointColor(0, 0x30);
  EXPECT_EQ(series.PointColor(0), 0x30u);
  series.RecolorPoints(0x40);
  EXPECT_EQ(series.PointColor(0), 0x40u);
  EXPECT_EQ(series.PointColor(1), 0x40u);
  EXPECT_EQ(series.PointColor(2), kNoColor);
}

TEST(SeriesKindChange, KeepsPointsColoursAndGaps) {
  ChartPanel panel;
  ChartSeries series(SeriesKind::Line, &panel);
  series.AddPoint(1.0, 1.0);
  series.AddNullPoint(2.0);
  series.AddPoint(3.0, 3.0);
  series.RecolorPoints(0xABCDEF);
  series.SetTitle("Flow");
  series.PlaceOnPanel();
  series.SetKind(SeriesKind::Bar);
  series.SetKind(SeriesKind::Line);
  ASSERT_EQ(series.Count(), 3u);
  EXPECT_TRUE(series.IsNull(1));
  EXPECT_EQ(series.Y(2), 3.0);
  EXPECT_EQ(series.PointColor(0), 0xABCDEFu);
  EXPECT_EQ(series.Title(), "Flow");
  EXPECT_TRUE(series.IsPlaced());
  EXPECT_EQ(panel.SeriesCount(), 1u);
}

TEST(SeriesValues, ScalingLeavesGapsAsGaps) {
  ChartPanel panel;
  ChartSeries series(SeriesKind::Line, &panel);
  series.AddPoint(1.0, 1000.0);
  series.AddNullPoint(2.0);
  series.ScaleY(0.001);
  EXPECT_EQ(series.Y(0), 1.0);
  EXPECT_TRUE(series.IsNull(1));
  EXPECT_EQ(series.YRange()->max, 1.0);
}

TEST(SeriesPlacement, CanBePlacedAndRemovedRepeatedly) {
  ChartPanel panel;
  ChartSeries series(SeriesKind::Line, &panel);
  series.AddPoint(1.0, 1.0);
  for (int i = 0; i < 3; ++i) {
    series.PlaceOnPanel();
    series.PlaceOnPanel();  // placing twice places once
    EXPECT_EQ(panel.SeriesCount(), 1u);
    series.RemoveFromPanel();
    EXPECT_EQ(panel.SeriesCount(), 0u);
  }
  series.PlaceOnPanel();
  EXPECT_EQ(panel.Series().front()->Count(), 1u);
}

TEST(SeriesPlacement, DestroyingASeriesTakesItOffItsPanel) {
  ChartPanel panel;
  auto series = std::make_unique<ChartSeries>(SeriesKind::Line, &panel);
  series->PlaceOnPanel();
  series.reset();
  EXPECT_EQ(panel.SeriesCount(), 0u);
}

TEST(SeriesPlacement, ASeriesOutlivingItsPanelIsDetached) {
  auto panel = std::make_unique<ChartPanel>();
  ChartSeries series(SeriesKind::Line, panel.get());
  series.PlaceOnPanel();
  panel.reset();
  EXPECT_EQ(series.Owner(), nullptr);
  EXPECT_FALSE(series.IsPlaced());
  series.PlaceOnPanel();  // harmless
}

}  // namespace
}  // namespace calorix::chart
