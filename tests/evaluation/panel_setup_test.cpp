#include "evaluation/panel_setup.h"

#include <gtest/gtest.h>

namespace calorix::evaluation {
namespace {

using chart::AxisPosition;
using chart::ChartAxis;
using chart::ChartPanel;

std::string LabelOn(const ChartAxis& axis, std::string text) {
  GetAxisLabel(axis, 0, text);
  return text;
}

TEST(PanelSetup, UpperPanelZoomsAndLabelsTheTimeOfDay) {
  ChartPanel panel;
  SetUpUpperPanel(panel);
  EXPECT_TRUE(panel.ZoomAllowed());
  EXPECT_EQ(panel.PanningMode(), chart::Panning::None);
  EXPECT_FALSE(panel.BottomAxis().Automatic());
  EXPECT_EQ(panel.BottomAxis().LabelKind(), chart::AxisLabelKind::DateTime);
  EXPECT_EQ(panel.BottomAxis().DateTimeFormat(), "hh:mm");
  EXPECT_FALSE(panel.LeftAxis().Automatic());
  EXPECT_FALSE(panel.RightAxis().Automatic());
  EXPECT_FALSE(panel.RightAxis().GridVisible());
  EXPECT_DOUBLE_EQ(panel.RightAxis().Maximum(), 100.0);
  EXPECT_FALSE(panel.LegendVisible());
  EXPECT_DOUBLE_EQ(panel.Margins().top, 2.0);
}

TEST(PanelSetup, LowerPanelHasTheOutputBandAxis) {
  ChartPanel panel;
  SetUpLowerPanel(panel);
  EXPECT_FALSE(panel.ZoomAllowed());
  EXPECT_EQ(panel.PanningMode(), chart::Panning::None);
  EXPECT_FALSE(panel.TitleVisible());
  EXPECT_EQ(panel.BottomAxis().DateTimeFormat(), "hh:mm");
  const ChartAxis& left = panel.LeftAxis();
  EXPECT_FALSE(left.Automatic());
  EXPECT_DOUBLE_EQ(left.Minimum(), -2.0);
  EXPECT_DOUBLE_EQ(left.Maximum(), 57.0);
  EXPECT_DOUBLE_EQ(left.Increment(), 5.0);
  EXPECT_TRUE(left.GridVisible());
  EXPECT_TRUE(left.GridDotted());
  EXPECT_EQ(left.LabelSeparation(), 0);
  EXPECT_EQ(left.TickLength(), 2);
  EXPECT_FALSE(left.MinorGrid());
  const ChartAxis& right = panel.RightAxis();
  EXPECT_TRUE(right.GridDotted());
  EXPECT_DOUBLE_EQ(right.Increment(), 10.0);
  EXPECT_EQ(right.LabelSeparation(), 0);
  EXPECT_EQ(right.TickLength(), 2);
  EXPECT_FALSE(panel.LegendVisible());
  EXPECT_TRUE(static_cast<bool>(panel.OnGetAxisLabel));
}

TEST(PanelSetup, OutputLevelsAreNamedOnTheLeftAxis) {
  const ChartAxis left(AxisPosition::Left);
  EXPECT_EQ(LabelOn(left, "50"), "R1");
  EXPECT_EQ(LabelOn(left, "35"), "R2");
  EXPECT_EQ(LabelOn(left, "20"), "R3");
  EXPECT_EQ(LabelOn(left, "5"), "RErr");
}

TEST(PanelSetup, OtherLeftLabelsBecomeEmpty) {
  const ChartAxis left(AxisPosition::Left);
  for (const char* text : {"0", "10", "15", "45", "55", "-5", "5.0", "500"}) EXPECT_EQ(LabelOn(left, text), "") << text;
}

TEST(PanelSetup, LabelsOfOtherAxesStay) {
  EXPECT_EQ(LabelOn(ChartAxis(AxisPosition::Right), "50"), "50");
  EXPECT_EQ(LabelOn(ChartAxis(AxisPosition::Bottom), "12:00"), "12:00");
}

}  // namespace
}  // namespace calorix::evaluation
