#include "chart/chart_panel.h"

#include <gtest/gtest.h>

#include "core/error.h"

namespace calorix::chart {
namespace {

TEST(AxisRange, MinimumAboveMaximumFails) {
  ChartAxis axis(AxisPosition::Left);
  axis.SetMaximum(100);
  axis.SetMinimum(-40);
  EXPECT_THROW(axis.SetMinimum(150), Error);
  EXPECT_THROW(axis.SetMaximum(-50), Error);
  EXPECT_EQ(axis.Minimum(), -40);
  EXPECT_EQ(axis.Maximum(), 100);
  EXPECT_THROW(axis.SetMinMax(2, 1), Error);
  axis.SetMinMax(5, 5);
  EXPECT_EQ(axis.Minimum(), 5);
}

TEST(AxisRange, AutomaticRangeComesFromTheSeriesOnThatSide) {
  ChartPanel panel;
  ChartSeries left(SeriesKind::Line, &panel);
  left.AddPoint(10.0, 23.7);
  left.AddNullPoint(11.0);
  left.AddPoint(12.0, 67.3);
  ChartSeries right(SeriesKind::Bar, &panel);
  right.AddPoint(10.5, 5.0);
  right.SetAxis(VerticalAxis::Right);
  right.SetBarFromBase(true);
  right.SetBarBase(0.0);
  ChartSeries unplaced(SeriesKind::Line, &panel);
  unplaced.AddPoint(0.0, 1000.0);
  left.PlaceOnPanel();
  right.PlaceOnPanel();

  ASSERT_TRUE(panel.AdjustAutomaticRange(AxisPosition::Left));
  EXPECT_EQ(panel.LeftAxis().Minimum(), 23.7);
  EXPECT_EQ(panel.LeftAxis().Maximum(), 67.3);
  ASSERT_TRUE(panel.AdjustAutomaticRange(AxisPosition::Right));
  EXPECT_EQ(panel.RightAxis().Minimum(), 0.0);  // the bar base counts
  EXPECT_EQ(panel.RightAxis().Maximum(), 5.0);
  ASSERT_TRUE(panel.AdjustAutomaticRange(AxisPosition::Bottom));
  EXPECT_EQ(panel.BottomAxis().Minimum(), 10.0);
  EXPECT_EQ(panel.BottomAxis().Maximum(), 12.0);
}

TEST(AxisRange, NoSeriesLeavesTheRangeAlone) {
  ChartPanel panel;
  panel.LeftAxis().SetMinMax(-40, 250);
  EXPECT_FALSE(panel.AdjustAutomaticRange(AxisPosition::Left));
  EXPECT_EQ(panel.LeftAxis().Minimum(), -40);
}

TEST(AxisCopy, BottomAxisCopiesEverySetting) {
  ChartPanel upper, lower;
  upper.BottomAxis().SetMinMax(45413.25, 45413.5);
  upper.BottomAxis().SetDateTimeFormat("hh:mm");
  upper.BottomAxis().SetAutomatic(false);
  upper.BottomAxis().SetIncrement(1.0 / 24);
  lower.CopyBottomAxisFrom(upper);
  EXPECT_EQ(lower.BottomAxis().Minimum(), 45413.25);
  EXPECT_EQ(lower.BottomAxis().Maximum(), 45413.5);
  EXPECT_EQ(lower.BottomAxis().DateTimeFormat(), "hh:mm");
  EXPECT_FALSE(lower.BottomAxis().Automatic());
  EXPECT_EQ(lower.BottomAxis().Position(), AxisPosition::Bottom);
}

struct EventCounts {
  int zoom = 0, undo = 0, scroll = 0;
};

void Count(ChartPanel& panel, EventCounts& counts) {
  panel.OnZoom = [&] { ++counts.zoom; };
  panel.OnUndoZoom = [&] { ++counts.undo; };
  panel.OnScroll = [&] { ++counts.scroll; };
}

TEST(PanelZoom, ZoomSetsTheRangesFiresAndUndoRestores) {
  ChartPanel panel;
  EventCounts counts;
  Count(panel, counts);
  panel.BottomAxis().SetMinMax(0, 1);
  panel.LeftAxis().SetMinMax(-40, 250);
  panel.UserZoom({{0.25, 0.5}, {10, 20}, {0, 50}});
  EXPECT_EQ(counts.zoom, 1);
  EXPECT_TRUE(panel.IsZoomed());
  EXPECT_EQ(panel.BottomAxis().Minimum(), 0.25);
  EXPECT_EQ(panel.LeftAxis().Maximum(), 20);
  panel.UserZoom({{0.3, 0.4}, {12, 18}, {0, 50}});  // zooming further keeps the first range to return to
  panel.UserUndoZoom();
  EXPECT_EQ(counts.undo, 1);
  EXPECT_FALSE(panel.IsZoomed());
  EXPECT_EQ(panel.BottomAxis().Minimum(), 0);
  EXPECT_EQ(panel.BottomAxis().Maximum(), 1);
  EXPECT_EQ(panel.LeftAxis().Minimum(), -40);
}

TEST(PanelZoom, ANarrowZoomIsWidenedToTheMinimumAroundItsCentreAndAWideOneStays) {
  ChartPanel panel;
  panel.SetMinimumZoomWidth(1.0 / 24);
  panel.BottomAxis().SetMinMax(45413, 45414);
  const double noon = 45413.5;
  panel.UserZoom({{noon - 10.0 / 1440, noon + 10.0 / 1440}, {0, 50}, {0, 50}});
  EXPECT_NEAR(panel.BottomAxis().Minimum(), noon - 30.0 / 1440, 1e-9);
  EXPECT_NEAR(panel.BottomAxis().Maximum(), noon + 30.0 / 1440, 1e-9);
  panel.UserZoom({{45413.0, 45413.25}, {0, 50}, {0, 50}});
  EXPECT_EQ(panel.BottomAxis().Minimum(), 45413.0);
  EXPECT_EQ(panel.BottomAxis().Maximum(), 45413.25);
}

TEST(PanelZoom, NothingHappensWhenZoomIsNotAllowed) {
  ChartPanel panel;
  EventCounts counts;
  Count(panel, counts);
  panel.SetZoomAllowed(false);
  panel.BottomAxis().SetMinMax(0, 1);
  panel.UserZoom({{0.25, 0.5}, {10, 20}, {0, 50}});
  panel.UserUndoZoom();
  EXPECT_EQ(counts.zoom + counts.undo, 0);
  EXPECT_EQ(panel.BottomAxis().Minimum(), 0);
}

TEST(PanelZoom, ProgrammaticUndoFiresNoEvent) {
  ChartPanel panel;
  EventCounts counts;
  Count(panel, counts);
  panel.BottomAxis().SetMinMax(0, 1);
  panel.UserZoom({{0.25, 0.5}, {10, 20}, {0, 50}});
  panel.UndoZoom();
  EXPECT_EQ(counts.undo, 0);
  EXPECT_EQ(panel.BottomAxis().Maximum(), 1);
}

TEST(PanelPanning, ScrollsOnlyWhenHorizontalPanningIsOn) {
  ChartPanel panel;
  EventCounts counts;
  Count(panel, counts);
  panel.BottomAxis().SetMinMax(0, 1);
  panel.UserScroll(0.5);
  EXPECT_EQ(counts.scroll, 0);
  panel.SetPanning(Panning::Horizontal);
  panel.UserScroll(0.5);
  EXPECT_EQ(counts.scroll, 1);
  EXPECT_EQ(panel.BottomAxis().Minimum(), 0.5);
  EXPECT_EQ(panel.BottomAxis().Maximum(), 1.5);
}

TEST(PanelChanges, ListenerHearsPlacementAxesAndTitles) {
  ChartPanel panel;
  int changes = 0;
  panel.SetChangeListener([&] { ++changes; });
  ChartSeries series(SeriesKind::Line, &panel);
  series.AddPoint(1, 1);
  EXPECT_EQ(changes, 0);  // bulk point loading stays quiet
  series.PlaceOnPanel();
  panel.LeftAxis().SetTitle("[°C]");
  panel.AddTitleLine("01. Mai 2024");
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(panel.TitleLines().size(), 1u);
  panel.InsertTitleLine(0, "Solar");
  EXPECT_EQ(panel.TitleLines().front(), "Solar");
}

}  // namespace
}  // namespace calorix::chart
