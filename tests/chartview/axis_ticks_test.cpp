#include "chartview/axis_ticks.h"

#include <gtest/gtest.h>

#include "core/date_time.h"

namespace calorix::chartview {
namespace {

constexpr double kMinute = 1.0 / 1440.0;

TEST(AxisTicks, NiceStepClimbsOneTwoFive) {
  EXPECT_DOUBLE_EQ(NiceStep(0.7), 1.0);
  EXPECT_DOUBLE_EQ(NiceStep(1.0), 1.0);
  EXPECT_DOUBLE_EQ(NiceStep(1.3), 2.0);
  EXPECT_DOUBLE_EQ(NiceStep(3.0), 5.0);
  EXPECT_DOUBLE_EQ(NiceStep(32.0), 50.0);
  EXPECT_DOUBLE_EQ(NiceStep(0.3), 0.5);
}

TEST(AxisTicks, GivenIncrementIsKeptWithoutThinningEvenWhenCrowded) {
  // The lower chart: -2..57 in steps of 5 on 100 pixels, separation 0.
  EXPECT_DOUBLE_EQ(ValueStep(-2.0, 57.0, 5.0, 100.0, 15.0, false), 5.0);
}

TEST(AxisTicks, GivenIncrementGrowsByMultiplesWhenThinningIsAllowed) {
  EXPECT_DOUBLE_EQ(ValueStep(0.0, 100.0, 5.0, 100.0, 15.0, true), 25.0);
  EXPECT_DOUBLE_EQ(ValueStep(0.0, 100.0, 5.0, 1000.0, 15.0, true), 5.0);
}

TEST(AxisTicks, ChosenStepKeepsLabelsApart) {
  const double step = ValueStep(-40.0, 250.0, 0.0, 400.0, 40.0, true);
  EXPECT_DOUBLE_EQ(step, 50.0);
}

TEST(AxisTicks, TicksAreTheMultiplesInsideTheRange) {
  const std::vector<double> ticks = TicksAtMultiples(-2.0, 57.0, 5.0);
  ASSERT_EQ(ticks.size(), 12u);
  EXPECT_DOUBLE_EQ(ticks.front(), 0.0);
  EXPECT_DOUBLE_EQ(ticks.back(), 55.0);
  EXPECT_EQ(TicksAtMultiples(0.0, 1.0, 0.1).size(), 11u);
}

TEST(AxisTicks, DegenerateRangesGiveNoTicks) {
  EXPECT_TRUE(TicksAtMultiples(5.0, 5.0, 1.0).empty());
  EXPECT_TRUE(TicksAtMultiples(0.0, 1e9, 1e-3).empty());
  EXPECT_TRUE(DateTimeTicks(3.0, 3.0, kMinute).empty());
}

TEST(AxisTicks, ValueLabelsUseTheStepsDecimals) {
  EXPECT_EQ(FormatValueLabel(5.0, 5.0), "5");
  EXPECT_EQ(FormatValueLabel(50.0, 5.0), "50");
  EXPECT_EQ(FormatValueLabel(2.5, 0.5), "2.5");
  EXPECT_EQ(FormatValueLabel(0.75, 0.25), "0.75");
  EXPECT_EQ(FormatValueLabel(-0.2, 0.2), "-0.2");
  EXPECT_EQ(FormatValueLabel(-1e-12, 0.2), "0.0");
  EXPECT_EQ(FormatValueLabel(-1e-12, 5.0), "0");
}

TEST(AxisTicks, DayOnAWideAxisIsLabelledEveryTwoHours) {
  EXPECT_DOUBLE_EQ(DateTimeStep(40000.0, 40001.0, 1000.0, 50.0), 120 * kMinute);
}

TEST(AxisTicks, HourIsLabelledEveryFiveOrTenMinutes) {
  const double step = DateTimeStep(40000.0, 40000.0 + 1.0 / 24.0, 800.0, 50.0);
  EXPECT_DOUBLE_EQ(step, 5 * kMinute);
}

TEST(AxisTicks, MonthIsLabelledByDays) {
  EXPECT_DOUBLE_EQ(DateTimeStep(40513.0, 40544.0, 1800.0, 40.0), 1.0);
  EXPECT_DOUBLE_EQ(DateTimeStep(40513.0, 40544.0, 900.0, 40.0), 2.0);
  EXPECT_DOUBLE_EQ(DateTimeStep(40513.0, 40544.0, 200.0, 40.0), 7.0);
}

TEST(AxisTicks, ClockTicksSitOnWholeStepsFromMidnight) {
  const double from = 40000.0 + 7.3 / 24.0;
  const std::vector<double> ticks = DateTimeTicks(from, from + 0.25, 120 * kMinute);
  ASSERT_EQ(ticks.size(), 3u);
  EXPECT_EQ(FormatDateTimeLabel(ticks[0], "hh:mm"), "08:00");
  EXPECT_EQ(FormatDateTimeLabel(ticks[2], "hh:mm"), "12:00");
}

TEST(AxisTicks, MidnightTicksAreExact) {
  const std::vector<double> ticks = DateTimeTicks(40000.0, 40003.0, 360 * kMinute);
  ASSERT_EQ(ticks.size(), 13u);
  EXPECT_EQ(ticks[4], 40001.0);
  EXPECT_EQ(ticks[12], 40003.0);
}

TEST(AxisTicks, DayStepsCountFromTheFirstMidnightInView) {
  // December 2010 with two-day labels: 1., 3., 5., ...
  const double first = *TryEncodeDate(2010, 12, 1);
  const std::vector<double> ticks = DateTimeTicks(first, first + 31.0, 2.0);
  ASSERT_GE(ticks.size(), 3u);
  EXPECT_EQ(FormatDateTimeLabel(ticks[0], "dd."), "01.");
  EXPECT_EQ(FormatDateTimeLabel(ticks[1], "dd."), "03.");
}

TEST(AxisTicks, LabelJustBelowMidnightNamesTheNextDay) {
  const double midnight = *TryEncodeDate(2011, 1, 1);
  EXPECT_EQ(FormatDateTimeLabel(midnight - 1e-10, "dd."), "01.");
  EXPECT_EQ(FormatDateTimeLabel(midnight - 1e-10, "hh:mm"), "00:00");
}

TEST(AxisTicks, FormatsWithAndWithoutTimeOfDay) {
  EXPECT_TRUE(FormatShowsTime("hh:mm"));
  EXPECT_FALSE(FormatShowsTime("dd."));
}

// A month-only format is labelled at the first of months, every 1, 2, 3,
// 6 or 12 months as the room allows, on the same months every year.
TEST(AxisTicks, MonthTicksLieOnTheFirstOfMonthsFromJanuary) {
  EXPECT_TRUE(FormatShowsMonthsOnly("mm"));
  EXPECT_FALSE(FormatShowsMonthsOnly("dd."));
  EXPECT_FALSE(FormatShowsMonthsOnly("hh:mm"));
  const double year = *TryEncodeDate(2024, 1, 1);
  const double next = *TryEncodeDate(2025, 1, 1);
  const std::vector<double> monthly = MonthTicks(year, next, 1);
  ASSERT_EQ(monthly.size(), 13u);
  EXPECT_EQ(monthly[2], *TryEncodeDate(2024, 3, 1));  // after 29 February
  EXPECT_EQ(FormatDateTimeLabel(monthly[11], "mm"), "12");
  const std::vector<double> quarters = MonthTicks(year + 20.0, next + 40.0, 3);
  ASSERT_EQ(quarters.size(), 4u);
  EXPECT_EQ(quarters[0], *TryEncodeDate(2024, 4, 1));
  EXPECT_EQ(quarters[3], *TryEncodeDate(2025, 1, 1));
  EXPECT_EQ(MonthStep(year, next, 1200.0, 40.0), 1);
  EXPECT_EQ(MonthStep(year, next, 200.0, 40.0), 3);
  EXPECT_EQ(MonthStep(year, year + 3650.0, 200.0, 40.0), 12);
}

}  // namespace
}  // namespace calorix::chartview
