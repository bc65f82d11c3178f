#include "evaluation/day_totals.h"

#include <gtest/gtest.h>

#include "logdata/log_test_support.h"

namespace calorix::evaluation {
namespace {

using logdata::Channel;
using logdata::testing::kMay1;
using logdata::testing::ParsedDay;
using logdata::testing::Rec;

constexpr double kMinute = 1.0 / 1440.0;

// T1 with an "Err", R1 running across a gap in the records (which does not
// count), a flow of 2 l/min and a power of 3 kW.
const std::vector<std::string> kRecords = {
    Rec("00:00", "10;;;;;;;2;3;0;;;"),   Rec("00:01", "Err;;;;;;;2;3;100;;;"), Rec("00:02", "30;;;;;;;2;3;100;;;"),
    Rec("00:03", "20;;;;;;;2;3;100;;;"), Rec("00:10", "25;;;;;;;2;3;50;;;"),   Rec("00:11", "30;;;;;;;2;3;0;;;"),
};

TEST(DayTotals, StatisticsSkipErrAndGapsAndNameTheFirstMaximum) {
  ParsedDay parsed;
  const logdata::TDay& day = parsed.Parse(kRecords);
  const auto t1 = StatisticsOf(day.UpperSeries(Channel::T1), kMay1, kMay1 + 1.0);
  ASSERT_TRUE(t1);
  EXPECT_EQ(t1->count, 5u);
  EXPECT_DOUBLE_EQ(t1->minimum, 10.0);
  EXPECT_DOUBLE_EQ(t1->maximum, 30.0);
  EXPECT_NEAR(t1->maximumAt, kMay1 + 2 * kMinute, 1e-9);
  EXPECT_DOUBLE_EQ(t1->mean, 23.0);
  // A window from 00:02:30 on sees 20, 25 and 30 (at 00:11).
  const auto late = StatisticsOf(day.UpperSeries(Channel::T1), kMay1 + 2.5 * kMinute, kMay1 + 1.0);
  ASSERT_TRUE(late);
  EXPECT_DOUBLE_EQ(late->mean, 25.0);
  EXPECT_NEAR(late->maximumAt, kMay1 + 11 * kMinute, 1e-9);
  EXPECT_FALSE(StatisticsOf(day.UpperSeries(Channel::T2), kMay1, kMay1 + 1.0));
}

TEST(DayTotals, StatisticsGiveTheExtremesAsRead) {
  ParsedDay parsed;
  const logdata::TDay& day = parsed.Parse({Rec("00:00", "40,4;;;;;;;;;;;;"), Rec("00:01", "79,7;;;;;;;;;;;;")});
  const auto t1 = StatisticsOf(day.UpperSeries(Channel::T1), kMay1, kMay1 + 1.0);
  ASSERT_TRUE(t1);
  EXPECT_EQ(t1->minimum, 40.4);
  EXPECT_EQ(t1->maximum, 79.7);
  EXPECT_NEAR(t1->mean, 60.05, 1e-5);
}

TEST(DayTotals, RunningHoursCountStretchesWithTheLevelOnAndClipToTheWindow) {
  ParsedDay parsed;
  const logdata::TDay& day = parsed.Parse(kRecords);
  const chart::ChartSeries& r1 = day.UpperSeries(Channel::R1);
  EXPECT_NEAR(*RunningHours(r1, kMay1, kMay1 + 1.0), 3.0 / 60.0, 1e-9);
  EXPECT_NEAR(*RunningHours(r1, kMay1 + 1.5 * kMinute, kMay1 + 10.5 * kMinute), 2.0 / 60.0, 1e-9);
  EXPECT_FALSE(RunningHours(r1, kMay1 + 4 * kMinute, kMay1 + 9 * kMinute)) << "no record in the window";
  EXPECT_FALSE(RunningHours(day.UpperSeries(Channel::R2), kMay1, kMay1 + 1.0));

  const DayTotals totals = TotalsOfDay(day);
  EXPECT_EQ(totals.day, kMay1);
  EXPECT_EQ(totals.volume, day.GetVolume());
  EXPECT_EQ(totals.energy, day.GetEnergy());
  EXPECT_EQ(totals.collectorMax, 30.0);
  EXPECT_NEAR(totals.runningHours[0].value_or(0), 3.0 / 60.0, 1e-9);
  EXPECT_FALSE(totals.runningHours[1]);
}

TEST(DayTotals, MonthlyTotalsAddUpTheirDays) {
  const auto day = [](double date, double volume, double energy, std::optional<double> collector,
                      std::optional<double> r1) {
    return DayTotals{.day = date,
                     .volume = volume,
                     .energy = energy,
                     .collectorMax = collector,
                     .runningHours = {r1, std::nullopt, std::nullopt, std::nullopt}};
  };
  // 30 April, 1 and 31 May, 1 June 2024.
  const std::vector<DayTotals> days = {day(kMay1 - 1, 10, 1, 50.0, 2.0), day(kMay1, 20, 2, 60.0, std::nullopt),
                                       day(kMay1 + 30, 30, 4, std::nullopt, 1.5), day(kMay1 + 31, 5, 8, 40.0, 0.0)};
  const std::vector<MonthTotals> months = MonthlyTotals(days);
  ASSERT_EQ(months.size(), 3u);
  EXPECT_EQ(months[0].month, 4);
  EXPECT_EQ(months[1].year, 2024);
  EXPECT_EQ(months[1].month, 5);
  EXPECT_EQ(months[1].daysWithFile, 2);
  EXPECT_EQ(months[1].volume, 50.0);
  EXPECT_EQ(months[1].energy, 6.0);
  EXPECT_EQ(months[1].collectorMax, 60.0);
  EXPECT_EQ(months[1].runningHours[0], 1.5);
  EXPECT_FALSE(months[1].runningHours[1]);
  EXPECT_EQ(months[2].month, 6);
}

}  // namespace
}  // namespace calorix::evaluation
