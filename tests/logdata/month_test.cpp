#include "logdata/month.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/error.h"
#include "log_test_support.h"
#include "logdata/day_log.h"

namespace calorix::logdata {
namespace {

double Date(int y, int m, int d) { return *TryEncodeDate(y, m, d); }

// A chain of months with day logs added at given dates; each day log has a
// flow of 1 l/min all day, so its volume is 1440.
struct MonthChain {
  chart::ChartPanel upper;
  chart::ChartPanel lower;
  TMonth* first = nullptr;

  MonthChain(int month, int year, int count) {
    TMonth* previous = nullptr;
    for (int i = 0; i < count; ++i) {
      previous = new TMonth(month, year, previous, &upper);
      if (!first) first = previous;
      if (++month > 12) {
        month = 1;
        ++year;
      }
    }
  }
  ~MonthChain() {
    while (first) {
      TMonth* next = first->GetNext();
      delete first;
      first = next;
    }
  }
  TMonth& At(int i) {
    TMonth* m = first;
    while (i-- > 0) m = m->GetNext();
    return *m;
  }
  TDay* AddDay(int monthIndex, double dayDate, double flow = 1.0) {
    auto* day = new TDay(dayDate, &upper, &lower);
    const std::string value = ";;;;;;;;" + std::to_string(static_cast<int>(flow));
    const std::string date = FormatDateTime("yyyy-mm-dd", std::floor(dayDate));
    const std::vector<std::string> records = {date + " 00:00" + value, date + " 00:01" + value};
    const std::vector<std::string_view> views(records.begin(), records.end());
    day->ParseDay(views, false, DateStyle::YearMonthDay);
    At(monthIndex).AddDay(day);
    return day;
  }
};

TEST(MonthCreation, SpansTheCalendarMonthAndLinksBehindThePrevious) {
  MonthChain chain(12, 2023, 3);
  EXPECT_EQ(chain.At(0).Start(), Date(2023, 12, 1));
  EXPECT_EQ(chain.At(0).End(), Date(2024, 1, 1));
  EXPECT_EQ(chain.At(2).End() - chain.At(2).Start(), 29);  // February 2024
  EXPECT_EQ(chain.At(1).GetPrevious(), &chain.At(0));
  EXPECT_TRUE(chain.At(1).IsMonth(1, 2024));
  EXPECT_FALSE(chain.At(1).IsMonth(1, 2023));
}

TEST(MonthCreation, MissingChartOrImpossibleMonthFail) {
  try {
    TMonth m(1, 2024, nullptr, nullptr);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Illegal State (30)");
  }
  chart::ChartPanel panel;
  try {
    TMonth m(13, 2024, nullptr, &panel);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Illegal State(31).");
  }
}

TEST(MonthIndexes, EmptyMonthsAreSkipped) {
  MonthChain chain(1, 2024, 3);
  chain.AddDay(0, Date(2024, 1, 30));
  chain.AddDay(0, Date(2024, 1, 31));
  chain.AddDay(2, Date(2024, 3, 2));
  TMonth& first = *chain.first;
  EXPECT_EQ(first.GetMonthCount(), 2);
  EXPECT_EQ(first.GetDateByMonthIndex(1), Date(2024, 3, 1));
  EXPECT_EQ(first.GetMonthIndexByDay(2), 1);
  EXPECT_EQ(first.GetDayIndexByMonth(1), 2);
  EXPECT_EQ(first.GetStartDate(2), Date(2024, 3, 2));
  EXPECT_EQ(first.GetStartDate(1), Date(2024, 1, 31));
}

TEST(MonthIndexes, RunningOffTheEndFailsWithItsOwnText) {
  MonthChain chain(1, 2024, 1);
  chain.AddDay(0, Date(2024, 1, 5));
  TMonth& first = *chain.first;
  EXPECT_THROW(first.GetStartDate(1), Error);
  try {
    first.GetDateByMonthIndex(1);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "GetDateByMonthIndex - Reached End of Data");
  }
  try {
    first.GetMonthIndexByDay(1);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "TMonth::GetMonthIndexByDay - Reached End of Data");
  }
  try {
    first.GetDayIndexByMonth(1);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "TMonth::GetDayIndexByMonth - Reached End of Data");
  }
}

TEST(MonthIndexes, StartDateOfAnEmptyLastMonthIsOutOfBounds) {
  MonthChain chain(1, 2024, 1);
  try {
    chain.first->GetStartDate(0);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "TMonth->GetStartDate(Index) - Index out of Bounds Exception");
  }
}

TEST(DailyTotals, OnePointPerCalendarDayAtNoonWithZeroWhereNoFile) {
  MonthChain chain(2, 2024, 1);
  chain.AddDay(0, Date(2024, 2, 3));
  chain.AddDay(0, Date(2024, 2, 5), 2);
  chain.first->BuildDailyTotals();
  const auto& volume = *chain.first->Total(Channel::Volume).series;
  ASSERT_EQ(volume.Count(), 29u);
  for (std::size_t d = 0; d < 29; ++d) EXPECT_DOUBLE_EQ(volume.X(d), Date(2024, 2, 1) + d + 0.5);
  EXPECT_NEAR(volume.Y(2), 1440, 1e-6);
  EXPECT_NEAR(volume.Y(4), 2880, 1e-6);
  EXPECT_EQ(volume.Y(3), 0);
  EXPECT_EQ(volume.Y(0), 0);
  EXPECT_EQ(chain.first->Total(Channel::Energy).state, ChannelState::HasValues);
}

TEST(DailyTotals, ASecondFileOfTheSameDateHidesNoOtherDay) {
  MonthChain chain(5, 2024, 1);
  chain.AddDay(0, Date(2024, 5, 3));
  chain.AddDay(0, Date(2024, 5, 3), 5);  // same date again: ignored for the totals
  chain.AddDay(0, Date(2024, 5, 4), 2);
  chain.AddDay(0, Date(2024, 5, 6), 3);
  chain.first->BuildDailyTotals();
  const auto& volume = *chain.first->Total(Channel::Volume).series;
  ASSERT_EQ(volume.Count(), 31u);
  EXPECT_NEAR(volume.Y(2), 1440, 1e-6);
  EXPECT_NEAR(volume.Y(3), 2880, 1e-6);
  EXPECT_NEAR(volume.Y(5), 4320, 1e-6);
}

TEST(DailyTotals, DayDateWithAnAfternoonTimeStaysOnItsOwnDay) {
  MonthChain chain(5, 2024, 1);
  chain.AddDay(0, Date(2024, 5, 3) + 13.5 / 24);
  chain.AddDay(0, Date(2024, 5, 4), 2);
  chain.first->BuildDailyTotals();
  const auto& volume = *chain.first->Total(Channel::Volume).series;
  EXPECT_GT(volume.Y(2), 0);
  EXPECT_NEAR(volume.Y(3), 2880, 1e-6);
  EXPECT_DOUBLE_EQ(volume.X(2), Date(2024, 5, 3) + 0.5);
}

TEST(DailyTotals, MonthWithoutDaysGetsNoPoints) {
  MonthChain chain(5, 2024, 1);
  chain.first->BuildDailyTotals();
  EXPECT_EQ(chain.first->Total(Channel::Volume).series->Count(), 0u);
  EXPECT_EQ(chain.first->Total(Channel::Volume).state, ChannelState::NoColumn);
}

TEST(MonthSeries, EnergyOnAThreeMonthChainShowsOnlyTheOverlappingTotal) {
  MonthChain chain(1, 2024, 3);
  for (int i = 0; i < 3; ++i) chain.AddDay(i, Date(2024, i + 1, 10));
  for (TMonth* m = chain.first; m; m = m->GetNext()) m->BuildDailyTotals();
  ChannelState lowest = ChannelState::NoColumn;
  chain.first->ShowChannel(Channel::Energy, lowest, true, Date(2024, 2, 1), Date(2024, 3, 1));
  ASSERT_EQ(chain.upper.SeriesCount(), 1u);
  EXPECT_EQ(chain.upper.Series()[0], chain.At(1).Total(Channel::Energy).series.get());
  EXPECT_TRUE(chain.upper.Series()[0]->ShowInLegend());
  EXPECT_EQ(lowest, ChannelState::HasValues);
  chain.first->HideChannel(Channel::Energy);
  EXPECT_EQ(chain.upper.SeriesCount(), 0u);
}

TEST(MonthSeries, DayChannelsGetOneLegendEntryAcrossMonths) {
  MonthChain chain(1, 2024, 2);
  chain.AddDay(0, Date(2024, 1, 31));
  chain.AddDay(1, Date(2024, 2, 1));
  ChannelState lowest = ChannelState::NoColumn;
  chain.first->ShowChannel(Channel::Flow, lowest, true, Date(2024, 1, 31), Date(2024, 2, 2));
  ASSERT_EQ(chain.upper.SeriesCount(), 2u);
  EXPECT_TRUE(chain.upper.Series()[0]->ShowInLegend());
  EXPECT_FALSE(chain.upper.Series()[1]->ShowInLegend());
  chain.first->HideChannel(Channel::Flow);
  EXPECT_EQ(chain.upper.SeriesCount(), 0u);
}

TEST(MonthSeries, TotalsTakeBarsColourAndAxis) {
  MonthChain chain(1, 2024, 1);
  chain.AddDay(0, Date(2024, 1, 10));
  chain.first->BuildDailyTotals();
  ChannelState lowest = ChannelState::NoColumn;
  chain.first->ShowChannel(Channel::Volume, lowest, true, Date(2024, 1, 1), Date(2024, 2, 1));
  chain.first->SetChannelAxis(Channel::Volume, chart::VerticalAxis::Right);
  chain.first->ApplySeriesSettings(Channel::Volume, "Summe", false, true, 2, 0xFF);
  const auto& series = *chain.first->Total(Channel::Volume).series;
  EXPECT_EQ(series.Kind(), chart::SeriesKind::Bar);
  EXPECT_EQ(series.Axis(), chart::VerticalAxis::Left);
  EXPECT_EQ(series.PointColor(0), 0xFFu);
  EXPECT_EQ(series.Title(), "Summe");
}

TEST(MonthDays, RemovingTheFirstDayMovesTheListHead) {
  MonthChain chain(1, 2024, 1);
  TDay* a = chain.AddDay(0, Date(2024, 1, 1));
  TDay* b = chain.AddDay(0, Date(2024, 1, 2));
  EXPECT_EQ(chain.first->GetDayCount(), 2);
  delete a;
  EXPECT_EQ(chain.first->FirstDay(), b);
  EXPECT_EQ(chain.first->GetDayCount(), 1);
}

}  // namespace
}  // namespace calorix::logdata
