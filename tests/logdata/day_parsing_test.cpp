#include <gtest/gtest.h>

#include <cmath>

#include "core/error.h"
#include "log_test_support.h"
#include "logdata/day_log.h"

namespace calorix::logdata {
namespace {

using testing::CountNulls;
using testing::Hhmm;
using testing::kMay1;
using testing::ParsedDay;
using testing::Rec;

constexpr double kMinute = 1.0 / 1440;

std::vector<std::string> EveryMinute(int from, int to, const std::string& values) {
  std::vector<std::string> records;
  for (int m = from; m <= to; ++m) records.push_back(Rec(Hhmm(m), values));
  return records;
}

TEST(Gaps, AFullDayOfMinutesHasNoNullPoints) {
  ParsedDay p;
  const TDay& day = p.Parse(EveryMinute(0, 1439, "20;21"));
  EXPECT_EQ(day.UpperSeries(Channel::T1).Count(), 1440u);
  EXPECT_EQ(CountNulls(day.UpperSeries(Channel::T1)), 0);
}

TEST(Gaps, AMissingMinutePutsOneNullBeforeTheNextValues) {
  auto records = EveryMinute(0, 4, "20;21");
  for (auto& r : EveryMinute(6, 10, "20;21")) records.push_back(r);
  ParsedDay p;
  const TDay& day = p.Parse(records);
  for (Channel c : {Channel::T1, Channel::T2}) {
    const auto& series = day.UpperSeries(c);
    ASSERT_EQ(series.Count(), 11u);
    EXPECT_EQ(CountNulls(series), 1);
    EXPECT_TRUE(series.IsNull(5));
    EXPECT_DOUBLE_EQ(series.X(6), kMay1 + 6 * kMinute);
  }
  EXPECT_EQ(day.UpperSeries(Channel::T3).Count(), 0u);
}

TEST(Gaps, ChangingTheIntervalFromOneToTwoMinutesGivesExactlyOneNull) {
  ParsedDay p;
  const TDay& day = p.Parse({Rec("00:00", "1"), Rec("00:01", "1"), Rec("00:02", "1"), Rec("00:04", "1"),
                             Rec("00:06", "1"), Rec("00:08", "1"), Rec("00:10", "1")});
  EXPECT_EQ(CountNulls(day.UpperSeries(Channel::T1)), 1);
}

TEST(Gaps, ErrFieldAddsNoSampleAndDoesNotBreakTheLine) {
  ParsedDay p;
  const TDay& day = p.Parse({Rec("00:00", "1;2;3"), Rec("00:01", "1;2;Err"), Rec("00:02", "1;2;3")});
  EXPECT_EQ(day.UpperSeries(Channel::T3).Count(), 2u);
  EXPECT_EQ(CountNulls(day.UpperSeries(Channel::T3)), 0);
}

TEST(BackInTime, RecordEarlierThanThePreviousIsDropped) {
  ParsedDay p;
  const TDay& day = p.Parse({Rec("00:00", "1;;;;;;;10"), Rec("00:10", "1;;;;;;;10"), Rec("00:05", "99;;;;;;;99"),
                             Rec("00:11", "1;;;;;;;10")});
  const auto& t1 = day.UpperSeries(Channel::T1);
  for (std::size_t i = 0; i < t1.Count(); ++i) EXPECT_NE(t1.Y(i), 99);
  // last time stays at 00:10, so 00:10..00:11 accumulates one minute of 10.
  EXPECT_DOUBLE_EQ(day.GetVolume(), 10 * 10 + 10 + 10 * (1440 - 11));
}

TEST(Accumulation, FlowIsCarriedToMidnight) {
  ParsedDay p;
  const TDay& day = p.Parse({Rec("00:00", ";;;;;;;10"), Rec("00:01", ";;;;;;;10")});
  EXPECT_NEAR(day.GetVolume(), 10 + 10 * 1439, 1e-6);
}

TEST(Accumulation, WithoutTheCarryTheVolumeIsWhatTheRecordsCover) {
  ParsedDay p;
  // The bad third record ends the day before the carry.
  const TDay& day = p.Parse({Rec("00:00", ";;;;;;;10"), Rec("00:01", ";;;;;;;10"), Rec("00:02", "x")});
  EXPECT_NEAR(day.GetVolume(), 10, 1e-6);
}

TEST(Gaps, ErrFieldsAreCountedPerColumnWithFirstAndLastTime) {
  ParsedDay p;
  const TDay& day = p.Parse({Rec("00:00", "Err;2;3"), Rec("00:01", "1;2;Err"), Rec("00:02", "1;2;3"),
                             Rec("00:07", "Err;2;Err"), Rec("00:08", "Err;2;3")});
  const TDay::ErrorReadings& t1 = day.Errors(Channel::T1);
  EXPECT_EQ(t1.count, 3u);
  EXPECT_NEAR(t1.first, kMay1, 1e-9);
  EXPECT_NEAR(t1.last, kMay1 + 8 * kMinute, 1e-9);
  EXPECT_EQ(day.Errors(Channel::T3).count, 2u);
  EXPECT_NEAR(day.Errors(Channel::T3).first, kMay1 + kMinute, 1e-9);
  EXPECT_EQ(day.Errors(Channel::T2).count, 0u);
}

TEST(Accumulation, IntervalEndingInErrFlowIsNotAccumulated) {
  ParsedDay p;
  const TDay& day = p.Parse({Rec("00:00", ";;;;;;;10"), Rec("00:01", ";;;;;;;Err"), Rec("00:02", ";;;;;;;10")});
  EXPECT_NEAR(day.GetVolume(), 10 + 10 * 1438, 1e-6);
}

TEST(Accumulation, LastRecordAtMidnightAddsNothing) {
  ParsedDay p;
  const TDay& day = p.Parse({Rec("23:59", ";;;;;;;;60", "2024-05-01"), Rec("00:00", ";;;;;;;;60", "2024-05-02")});
  EXPECT_NEAR(day.GetEnergy(), 1.0, 1e-6);
}

TEST(Accumulation, PowerInWattsIsScaledToKilowatts) {
  ParsedDay p;
  const TDay& day = p.Parse(EveryMinute(0, 1439, ";;;;;;;;1000"), true);
  EXPECT_NEAR(day.GetEnergy(), 24.0, 1e-6);
  const auto& power = day.UpperSeries(Channel::Power);
  EXPECT_DOUBLE_EQ(power.Y(0), 1.0);
  EXPECT_DOUBLE_EQ(power.Y(power.Count() - 1), 1.0);
}

TEST(OutputBars, LevelZeroStillRisesHalfAUnitAboveTheBandBase) {
  ParsedDay p;
  const TDay& day = p.Parse({Rec("00:00", ";;;;;;;;;0;50;100;0")});
  const auto& r1 = day.LowerSeries(Channel::R1);
  ASSERT_EQ(r1.Count(), 1u);
  EXPECT_DOUBLE_EQ(r1.Y(0), 45.0);
  EXPECT_DOUBLE_EQ(r1.BarBase(), 44.5);
  EXPECT_DOUBLE_EQ(day.LowerSeries(Channel::R2).Y(0), 29.5 + 5.5);
  EXPECT_DOUBLE_EQ(day.LowerSeries(Channel::R3).Y(0), 14.5 + 10.5);
  EXPECT_DOUBLE_EQ(day.LowerSeries(Channel::RError).Y(0), 0.0);
  EXPECT_DOUBLE_EQ(day.LowerSeries(Channel::RError).BarBase(), -0.5);
  EXPECT_EQ(day.UpperSeries(Channel::R2).Y(0), 50);  // the raw level is kept too
  EXPECT_TRUE(day.UpperSeries(Channel::R2).Stairs());
}

TEST(OutputBars, GapsBreakTheBarsToo) {
  ParsedDay p;
  const TDay& day = p.Parse({Rec("00:00", ";;;;;;;;;1"), Rec("00:01", ";;;;;;;;;1"), Rec("00:05", ";;;;;;;;;1")});
  EXPECT_EQ(CountNulls(day.LowerSeries(Channel::R1)), 1);
}

TEST(ChannelStates, TellValuesErrorsEmptiesAndMissingColumnsApart) {
  ParsedDay p;
  const TDay& day = p.Parse({Rec("00:00", "1;Err;;Err"), Rec("00:01", ";Err;;4")});
  EXPECT_EQ(day.State(Channel::T1), ChannelState::HasValues);
  EXPECT_EQ(day.State(Channel::T2), ChannelState::ErrorOnly);
  EXPECT_EQ(day.State(Channel::T3), ChannelState::EmptyOnly);
  EXPECT_EQ(day.State(Channel::T4), ChannelState::HasValues);
  EXPECT_EQ(day.State(Channel::T5), ChannelState::NoColumn);
  EXPECT_EQ(day.State(Channel::Volume), ChannelState::NoColumn);
}

TEST(RecordShape, FieldsAfterTheThirteenthValueAreIgnored) {
  ParsedDay p;
  const TDay& day = p.Parse({Rec("00:00", "1;2;3;4;5;6;7;8;9;10;20;30;40;extra;junk")});
  EXPECT_EQ(day.UpperSeries(Channel::RError).Y(0), 40);
}

TEST(RecordShape, TrailingSemicolonAddsNoEmptyField) {
  ParsedDay p;
  const TDay& day = p.Parse({Rec("00:00", "1;")});
  EXPECT_EQ(day.State(Channel::T2), ChannelState::NoColumn);
}

TEST(UnreadableValues, DecimalPointStopsTheDayKeepingWhatCameBefore) {
  ParsedDay p;
  const TDay& day = p.Parse({Rec("00:00", "1"), Rec("00:01", "12.5"), Rec("00:02", "3")});
  EXPECT_EQ(day.UpperSeries(Channel::T1).Count(), 1u);
  EXPECT_DOUBLE_EQ(day.DayEnd(), kMay1 + 1);
}

TEST(UnreadableValues, FieldsBeforeTheBadOneInTheSameRecordStay) {
  ParsedDay p;
  const TDay& day = p.Parse({Rec("00:00", "1;bad;3")});
  EXPECT_EQ(day.UpperSeries(Channel::T1).Count(), 1u);
  EXPECT_EQ(day.UpperSeries(Channel::T3).Count(), 0u);
}

TEST(UnreadableStamps, RecordIsPlacedOneMinuteAfterThePreviousOne) {
  ParsedDay p;
  const TDay& day = p.Parse({Rec("00:00", "1"), Rec("00:01", "1"), "garbage;2"});
  const auto& t1 = day.UpperSeries(Channel::T1);
  ASSERT_EQ(t1.Count(), 3u);
  EXPECT_DOUBLE_EQ(t1.X(2), kMay1 + 2 * kMinute);
}

TEST(UnreadableStamps, RecordWithoutSemicolonEndsTheDay) {
  ParsedDay p;
  const TDay& day = p.Parse({Rec("00:00", "1"), "2024-05-01 00:01", Rec("00:02", "1")});
  EXPECT_EQ(day.UpperSeries(Channel::T1).Count(), 1u);
}

TEST(DateStyleSwitching, DayMonthYearRecordInAnIsoDayIsReadOnTheSecondTry) {
  ParsedDay p;
  const TDay& day = p.Parse({Rec("00:00", "1"), "01.05.2024 00:01;2", "01.05.2024 00:02;3"});
  const auto& t1 = day.UpperSeries(Channel::T1);
  ASSERT_EQ(t1.Count(), 3u);
  EXPECT_DOUBLE_EQ(t1.X(1), kMay1 + kMinute);
  EXPECT_DOUBLE_EQ(t1.X(2), kMay1 + 2 * kMinute);
}

TEST(DateStyleSwitching, IsoRecordInADayMonthYearDayTakesTwoRecordsToSwitch) {
  ParsedDay p;
  const TDay& day = p.Parse({"01.05.2024 00:00;1", "01.05.2024 00:01;1", Rec("00:05", "2"), Rec("00:06", "3")}, false,
                            DateStyle::DayMonthYear);
  const auto& t1 = day.UpperSeries(Channel::T1);
  ASSERT_EQ(t1.Count(), 5u);
  EXPECT_DOUBLE_EQ(t1.X(2), kMay1 + 2 * kMinute);  // one minute after the previous
  EXPECT_TRUE(t1.IsNull(3));                       // 00:02 to 00:06 is a gap
  EXPECT_DOUBLE_EQ(t1.X(4), kMay1 + 6 * kMinute);  // read as written
}

TEST(FirstRecordDate, FirstRecordTakesTheSecondRecordsDate) {
  ParsedDay p;
  const TDay& day = p.Parse({Rec("00:00", "1", "2024-04-30"), Rec("00:01", "1")});
  EXPECT_DOUBLE_EQ(day.UpperSeries(Channel::T1).X(0), kMay1);
}

TEST(FirstRecordDate, LateRecordOfThePreviousDayKeepsItsDateAndTheDayIsKept) {
  ParsedDay p;
  const TDay& day = p.Parse({Rec("23:59", "1", "2024-04-30"), Rec("00:00", "2"), Rec("00:01", "3")});
  const auto& t1 = day.UpperSeries(Channel::T1);
  ASSERT_EQ(t1.Count(), 3u);
  EXPECT_DOUBLE_EQ(t1.X(0), kMay1 - kMinute);
  EXPECT_DOUBLE_EQ(t1.X(2), kMay1 + kMinute);
  EXPECT_EQ(CountNulls(t1), 0);
}

TEST(FirstRecordDate, ShortRecordsAreNotRedated) {
  ParsedDay p;
  const TDay& day = p.Parse({Rec("00:00", "1", "2024-04-30"), "x"});
  EXPECT_DOUBLE_EQ(day.UpperSeries(Channel::T1).X(0), kMay1 - 1);
}

TEST(ParseDayInput, AnEmptyListIsAnInternalError) {
  ParsedDay p;
  try {
    p.Parse({});
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Illegal State(43)");
  }
}

TEST(DayConstruction, MissingChartFailsWithTheDataStructureText) {
  chart::ChartPanel panel;
  EXPECT_THROW(TDay(kMay1, &panel, nullptr), Error);
  EXPECT_THROW(TDay(kMay1, nullptr, &panel), Error);
}

TEST(DayConstruction, SeriesStartOffTheChartsWithTheirKinds) {
  ParsedDay p;
  EXPECT_EQ(p.upper.SeriesCount(), 0u);
  EXPECT_EQ(p.day->LowerSeries(Channel::R3).Kind(), chart::SeriesKind::Bar);
  EXPECT_EQ(p.day->LowerSeries(Channel::R3).BarWidthPercent(), 75);
  EXPECT_FALSE(p.day->LowerSeries(Channel::R3).OutlineVisible());
  EXPECT_EQ(p.day->UpperSeries(Channel::T1).Kind(), chart::SeriesKind::Line);
  EXPECT_EQ(p.day->Entry(0).color, kNoColor);
}

}  // namespace
}  // namespace calorix::logdata
