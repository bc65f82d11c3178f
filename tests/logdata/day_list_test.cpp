#include <gtest/gtest.h>

#include "core/error.h"
#include "log_test_support.h"
#include "logdata/day_log.h"

namespace calorix::logdata {
namespace {

using testing::kMay1;
using testing::Rec;

// Three parsed day logs of 1..3 May on one pair of charts, linked in a list.
struct DayList {
  chart::ChartPanel upper;
  chart::ChartPanel lower;
  std::vector<std::unique_ptr<TDay>> days;

  DayList() {
    for (int d = 0; d < 3; ++d) {
      auto day = std::make_unique<TDay>(kMay1 + d, &upper, &lower);
      const std::string date = "2024-05-0" + std::to_string(d + 1);
      const std::vector<std::string> records = {Rec("00:00", d == 1 ? "Err;;;;;;;;;1" : "1;;;;;;;2;;1", date),
                                                Rec("00:01", d == 1 ? "Err;;;;;;;;;1" : "1;;;;;;;2;;1", date)};
      const std::vector<std::string_view> views(records.begin(), records.end());
      day->ParseDay(views, false, DateStyle::YearMonthDay);
      if (!days.empty()) days.front()->Append(day.get());
      days.push_back(std::move(day));
    }
  }
  TDay& First() { return *days.front(); }
};

TEST(DayListLinks, AppendCountsTheListFromThisDay) {
  chart::ChartPanel upper, lower;
  TDay a(kMay1, &upper, &lower), b(kMay1 + 1, &upper, &lower), c(kMay1 + 2, &upper, &lower);
  EXPECT_EQ(a.Append(&b), 2);
  EXPECT_EQ(a.Append(&c), 3);
  EXPECT_EQ(b.GetNext(), &c);
  EXPECT_EQ(c.GetPrevious(), &b);
  EXPECT_EQ(a.GetStartDate(2), kMay1 + 2);
  try {
    a.GetStartDate(3);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Illegal State(41)");
  }
}

TEST(DayListLinks, DestroyingADayJoinsItsNeighbours) {
  DayList list;
  list.days[1].reset();
  EXPECT_EQ(list.First().GetNext(), list.days[2].get());
  EXPECT_EQ(list.days[2]->GetPrevious(), &list.First());
}

TEST(ShowChannel, PlacesOnlyDaysOverlappingTheWindowWithOneLegendEntry) {
  DayList list;
  bool anyShown = false;
  ChannelState lowest = ChannelState::NoColumn;
  const bool pending = list.First().ShowChannel(Channel::T1, anyShown, lowest, true, kMay1 + 0.5, kMay1 + 2);
  EXPECT_FALSE(pending);
  EXPECT_TRUE(anyShown);
  EXPECT_EQ(list.upper.SeriesCount(), 2u);  // 1 and 2 May
  EXPECT_EQ(lowest, ChannelState::HasValues);
  EXPECT_TRUE(list.days[0]->UpperSeries(Channel::T1).ShowInLegend());
  EXPECT_FALSE(list.days[1]->UpperSeries(Channel::T1).ShowInLegend());
  EXPECT_FALSE(list.days[2]->Entry(IndexOf(Channel::T1)).shown);
}

// The bars of an output on the lower chart, one series per day, get one
// legend entry: saved or printed over a month they listed every day.
TEST(ShowChannel, AnOutputsBarsHaveOneLegendEntryOverManyDays) {
  DayList list;
  bool anyShown = false;
  ChannelState lowest = ChannelState::NoColumn;
  list.First().ShowChannel(Channel::R1, anyShown, lowest, true, kMay1, kMay1 + 3);
  ASSERT_EQ(list.lower.SeriesCount(), 3u);
  EXPECT_TRUE(list.days[0]->LowerSeries(Channel::R1).ShowInLegend());
  EXPECT_FALSE(list.days[1]->LowerSeries(Channel::R1).ShowInLegend());
  EXPECT_FALSE(list.days[2]->LowerSeries(Channel::R1).ShowInLegend());
}

TEST(ShowChannel, LowestStateTakesTheBestOfTheShownDays) {
  DayList list;
  bool anyShown = false;
  ChannelState lowest = ChannelState::NoColumn;
  list.days[1]->ShowChannel(Channel::T1, anyShown, lowest, true, kMay1 + 1, kMay1 + 2);
  EXPECT_EQ(lowest, ChannelState::ErrorOnly);
}

TEST(ShowChannel, NoOverlapLeavesTheLegendPending) {
  DayList list;
  bool anyShown = false;
  ChannelState lowest = ChannelState::NoColumn;
  EXPECT_TRUE(list.First().ShowChannel(Channel::T1, anyShown, lowest, true, kMay1 + 10, kMay1 + 11));
  EXPECT_FALSE(anyShown);
  EXPECT_EQ(list.upper.SeriesCount(), 0u);
}

TEST(ShowChannel, OutputsGoToTheLowerChartAsBars) {
  DayList list;
  bool anyShown = false;
  ChannelState lowest = ChannelState::NoColumn;
  list.First().ShowChannel(Channel::R1, anyShown, lowest, true, kMay1, kMay1 + 1);
  EXPECT_EQ(list.upper.SeriesCount(), 0u);
  EXPECT_EQ(list.lower.SeriesCount(), 1u);
  list.First().HideChannel(Channel::R1);
  EXPECT_EQ(list.lower.SeriesCount(), 0u);
}

TEST(HideChannel, TakesEveryShownSeriesOffAndCanShowAgain) {
  DayList list;
  bool anyShown = false;
  ChannelState lowest = ChannelState::NoColumn;
  list.First().ShowChannel(Channel::T1, anyShown, lowest, true, kMay1, kMay1 + 3);
  list.First().HideChannel(Channel::T1);
  EXPECT_EQ(list.upper.SeriesCount(), 0u);
  list.First().ShowChannel(Channel::T1, anyShown, lowest, true, kMay1, kMay1 + 3);
  EXPECT_EQ(list.upper.SeriesCount(), 3u);
  EXPECT_EQ(list.upper.Series().front()->Count(), 2u);
}

TEST(SeriesSettings, OtherValuesBecomeBarsOrLinesAndTakeColourLabelAndWidth) {
  DayList list;
  bool anyShown = false;
  ChannelState lowest = ChannelState::NoColumn;
  TDay& day = list.First();
  day.ShowChannel(Channel::Flow, anyShown, lowest, true, kMay1, kMay1 + 1);
  day.SetChannelAxis(Channel::Flow, chart::VerticalAxis::Right);
  day.ApplySeriesSettings(Channel::Flow, "Durchfluss", false, true, 3, 0x00FF00);
  const auto& flow = day.UpperSeries(Channel::Flow);
  EXPECT_EQ(flow.Kind(), chart::SeriesKind::Bar);
  EXPECT_EQ(flow.BarBase(), 0.0);
  EXPECT_EQ(flow.Axis(), chart::VerticalAxis::Left);
  EXPECT_EQ(flow.SeriesColor(), 0x00FF00u);
  EXPECT_EQ(flow.PointColor(0), 0x00FF00u);
  EXPECT_EQ(flow.Title(), "Durchfluss");
  day.ApplySeriesSettings(Channel::Flow, "Flow", false, false, 3, 0x00FF00);
  EXPECT_EQ(flow.Kind(), chart::SeriesKind::Line);
  EXPECT_EQ(flow.PenWidth(), 3);
  EXPECT_EQ(flow.Count(), 2u);
}

TEST(SeriesSettings, HiddenSeriesGetTheirTitleButKeepTheirColour) {
  DayList list;
  TDay& day = list.First();
  day.ApplySeriesSettings(Channel::T1, "Kollektor", false, false, 2, 0x0000FF);
  EXPECT_EQ(day.UpperSeries(Channel::T1).Title(), "Kollektor");
  EXPECT_EQ(day.UpperSeries(Channel::T1).PointColor(0), 0u);
  EXPECT_EQ(day.Entry(IndexOf(Channel::T1)).color, kNoColor);
}

TEST(SeriesSettings, OutputsSwitchBetweenBarsAndStairsOnTheirBand) {
  DayList list;
  bool anyShown = false;
  ChannelState lowest = ChannelState::NoColumn;
  TDay& day = list.First();
  day.ShowChannel(Channel::R1, anyShown, lowest, true, kMay1, kMay1 + 1);
  day.ApplySeriesSettings(Channel::R1, "Pumpe", false, false, 2, 0x123456);
  const auto& bars = day.LowerSeries(Channel::R1);
  EXPECT_EQ(bars.Kind(), chart::SeriesKind::Line);
  EXPECT_TRUE(bars.Stairs());
  EXPECT_EQ(bars.PenWidth(), 2);
  EXPECT_EQ(bars.PointColor(0), 0x123456u);
  day.ApplySeriesSettings(Channel::R1, "Pumpe", true, false, 2, 0x123456);
  EXPECT_EQ(bars.Kind(), chart::SeriesKind::Bar);
  EXPECT_EQ(bars.BarBase(), 44.5);
}

}  // namespace
}  // namespace calorix::logdata
