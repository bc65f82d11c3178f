#include "evaluation/axis_rules.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace calorix::evaluation {
namespace {

using logdata::Channel;

// The units a usual day file gives its channels.
AxisSelection Selection(std::initializer_list<Channel> checked) {
  AxisSelection s;
  const char* units[] = {"[\u00B0C]", "[\u00B0C]", "[\u00B0C]", "[\u00B0C]", "[\u00B0C]",
                         "[\u00B0C]", "[\u00B0C]", "[l/min]",   "[kW]",      "[%]",
                         "[%]",       "[%]",       "[%]",       "[l]",       "[kWh]"};
  for (int i = 0; i < logdata::kChannelCount; ++i) s.units[static_cast<std::size_t>(i)] = units[i];
  for (Channel c : checked) s.checked[static_cast<std::size_t>(logdata::IndexOf(c))] = true;
  return s;
}

TEST(AxisTitles, TemperaturesAloneAreFollowedByTheSeparator) {
  const AxisTitles t = ComposeAxisTitles(Selection({Channel::T1}));
  EXPECT_EQ(t.upperLeft, "[\u00B0C]   ");
  EXPECT_EQ(t.upperRight, "");
  EXPECT_FALSE(t.bothGroups);
}

TEST(AxisTitles, FlowAloneGivesItsUnitAlone) {
  const AxisTitles t = ComposeAxisTitles(Selection({Channel::Flow}));
  EXPECT_EQ(t.upperLeft, "[l/min]");
  EXPECT_EQ(t.upperRight, "");
  EXPECT_FALSE(t.bothGroups);
}

TEST(AxisTitles, FlowMovesToTheRightAxisWithATemperature) {
  const AxisTitles t = ComposeAxisTitles(Selection({Channel::T2, Channel::Flow}));
  EXPECT_EQ(t.upperLeft, "[\u00B0C]");
  EXPECT_EQ(t.upperRight, "[l/min]");
  EXPECT_TRUE(t.bothGroups);
}

TEST(AxisTitles, SameUnitAppearsOnce) {
  EXPECT_EQ(ComposeAxisTitles(Selection({Channel::T1, Channel::T3, Channel::TD})).upperLeft, "[\u00B0C]   ");
}

TEST(AxisTitles, OtherUnitsAreJoinedByThreeBlanks) {
  const AxisTitles t = ComposeAxisTitles(Selection({Channel::Flow, Channel::Power, Channel::Energy}));
  EXPECT_EQ(t.upperLeft, "[l/min]   [kW]   [kWh]");
}

TEST(AxisTitles, OutputsGoBelowAndSkipEmptyUnits) {
  AxisSelection s = Selection({Channel::R1, Channel::R2, Channel::RError});
  s.units[static_cast<std::size_t>(logdata::IndexOf(Channel::R1))] = "";
  const AxisTitles t = ComposeAxisTitles(s);
  EXPECT_EQ(t.lowerLeft, "[%]");
  EXPECT_EQ(t.upperLeft, "");
}

TEST(AxisTitles, AUnitContainedInTheListIsNotAddedAgain) {
  std::string list = "[kWh]";
  AppendUnit(list, "[kW");
  EXPECT_EQ(list, "[kWh]");
  AppendUnit(list, "[l]");
  EXPECT_EQ(list, "[kWh]   [l]");
}

TEST(AxisSides, OtherValuesGoRightOnlyWithBothGroups) {
  EXPECT_EQ(AxisOfChannel(Channel::Flow, true), chart::VerticalAxis::Right);
  EXPECT_EQ(AxisOfChannel(Channel::Energy, true), chart::VerticalAxis::Right);
  EXPECT_EQ(AxisOfChannel(Channel::Flow, false), chart::VerticalAxis::Left);
  EXPECT_EQ(AxisOfChannel(Channel::R1, true), chart::VerticalAxis::Left);
  EXPECT_EQ(AxisOfChannel(Channel::T1, true), chart::VerticalAxis::Left);
}

TEST(LowerChartMargin, ThousandPixelsWithLargeMaximaOnBothSides) {
  EXPECT_EQ(LowerChartMargin(ChartSide::Right, 1200, 1000), 8);
  EXPECT_EQ(LowerChartMargin(ChartSide::Left, 1200, 1000), 5);
}

TEST(LowerChartMargin, LeftBelowAThousandIsAlwaysThree) {
  for (int w : {300, 731, 1191, 2000}) EXPECT_EQ(LowerChartMargin(ChartSide::Left, 999.9, w), 3) << w;
}

TEST(LowerChartMargin, LeftFromAThousand) {
  EXPECT_EQ(LowerChartMargin(ChartSide::Left, 1000, 1191), 4);
  EXPECT_EQ(LowerChartMargin(ChartSide::Left, 1000, 1190), 5);
  EXPECT_EQ(LowerChartMargin(ChartSide::Left, 1000, 731), 5);
  EXPECT_EQ(LowerChartMargin(ChartSide::Left, 1000, 730), 6);
}

TEST(LowerChartMargin, RightBelowAThousand) {
  const std::pair<int, int> cases[] = {{1451, 5}, {1450, 6}, {1021, 6}, {1020, 7}, {801, 7},
                                       {800, 8},  {651, 8},  {650, 9},  {100, 9}};
  for (const auto& [w, margin] : cases) EXPECT_EQ(LowerChartMargin(ChartSide::Right, 120, w), margin) << w;
}

TEST(LowerChartMargin, RightFromAThousand) {
  const std::pair<int, int> cases[] = {{1451, 6}, {1450, 7}, {1101, 7}, {1100, 8}, {936, 8},  {935, 9},
                                       {776, 9},  {775, 10}, {681, 10}, {680, 11}, {591, 11}, {590, 12}};
  for (const auto& [w, margin] : cases) EXPECT_EQ(LowerChartMargin(ChartSide::Right, 1000, w), margin) << w;
}

TEST(DynamicAxisRange, TruncatesThenWidens) {
  const chart::ValueRange r = DynamicAxisRange({23.7, 67.3});
  EXPECT_DOUBLE_EQ(r.min, 22.8);
  EXPECT_DOUBLE_EQ(r.max, 68.0);
}

TEST(DynamicAxisRange, TruncationGoesTowardZero) {
  EXPECT_DOUBLE_EQ(DynamicAxisRange({-5.5, 10.0}).min, -5.2);
  EXPECT_DOUBLE_EQ(DynamicAxisRange({-5.5, -0.5}).max, 1.0);
}

}  // namespace
}  // namespace calorix::evaluation
