#include "evaluation/time_position.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/date_time.h"
#include "stub_days.h"

namespace calorix::evaluation {
namespace {

using calorix::testing::Date;
using calorix::testing::StubDays;

// 30 and 31 May, 2 June 2024, then 3 January 2025.
const StubDays kDays({Date(2024, 5, 30), Date(2024, 5, 31), Date(2024, 6, 2), Date(2025, 1, 3)});

TimePosition Start() { return FirstDayPosition(kYearSpanCount, kDays); }

TimePosition Chosen(const TimePosition& p, Span span) {
  const auto next = ChooseSpan(p, static_cast<int>(span), kDays);
  EXPECT_TRUE(next);
  return next.value_or(p);
}

TEST(TimePositionTest, ANewEvaluationShowsItsFirstWholeDay) {
  const ShownTime shown = ShowPosition(Start(), kDays);
  EXPECT_EQ(shown.window.min, Date(2024, 5, 30));
  EXPECT_EQ(shown.window.max, Date(2024, 5, 31));
  EXPECT_EQ(shown.title, (Title{TitleStyle::Day, Date(2024, 5, 30), Date(2024, 5, 30)}));
  EXPECT_EQ(shown.slider, (SliderState{3, 0, true}));
  EXPECT_STREQ(shown.axisFormat, "hh:mm");
  EXPECT_TRUE(shown.zoomAllowed);
  EXPECT_EQ(shown.panning, chart::Panning::None);
  EXPECT_TRUE(shown.spreadsheetAvailable);
  EXPECT_FALSE(shown.totalsEnabled);
}

TEST(TimePositionTest, EachSpanShowsItsWindowSliderAndMouseMode) {
  struct Case {
    Span span;
    chart::ValueRange window;
    SliderState slider;
    bool pans;
    bool totals;
  } const cases[] = {
      {Span::OneHour, {AtHour(Date(2024, 5, 30), 0), AtHour(Date(2024, 5, 30), 1)}, {23, 0, true}, true, false},
      {Span::EightHours, {AtHour(Date(2024, 5, 30), 0), AtHour(Date(2024, 5, 30), 8)}, {16, 0, true}, true, false},
      {Span::Month, {Date(2024, 5, 1), Date(2024, 6, 1)}, {8, 0, true}, false, true},
      {Span::Year, {Date(2024, 1, 1), Date(2025, 1, 1)}, {1, 0, true}, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.span));
    const ShownTime shown = ShowPosition(Chosen(Start(), c.span), kDays);
    EXPECT_EQ(shown.window.min, c.window.min);
    EXPECT_EQ(shown.window.max, c.window.max);
    EXPECT_EQ(shown.slider, c.slider);
    EXPECT_EQ(shown.panning == chart::Panning::Horizontal, c.pans);
    EXPECT_EQ(shown.zoomAllowed, !c.pans);
    EXPECT_EQ(shown.totalsEnabled, c.totals);
    EXPECT_EQ(shown.scrollRepeat, !c.totals);
    EXPECT_EQ(shown.spreadsheetAvailable, !c.totals);
  }
}

TEST(TimePositionTest, ChoosingTheHourSpanInForceChangesNothing) {
  const TimePosition hours = Chosen(Start(), Span::ThreeHours);
  EXPECT_FALSE(ChooseSpan(hours, static_cast<int>(Span::ThreeHours), kDays));
  // The day span is placed anew, whatever was scrolled.
  const TimePosition scrolled = *ScrollStep(Start(), ShowPosition(Start(), kDays).window, 1, kDays);
  EXPECT_FALSE(Chosen(scrolled, Span::Day).scrolled);
}

TEST(TimePositionTest, SpansBeyondTheOfferedOnesAreClamped) {
  TimePosition single = Start();
  single.spanCount = kSingleDaySpanCount;
  EXPECT_EQ(ChooseSpan(single, 9, kDays)->span, Span::Day);
}

TEST(TimePositionTest, LeavingTheMonthGoesToItsFirstLoadedDay) {
  TimePosition month = Chosen(Start(), Span::Month);
  month = MoveSlider(month, 1, kDays);  // June
  EXPECT_EQ(month.dayStart, Date(2024, 6, 1));
  const TimePosition day = Chosen(month, Span::Day);
  EXPECT_EQ(day.dayIndex, 2);
  EXPECT_EQ(day.dayStart, Date(2024, 6, 2));
}

TEST(TimePositionTest, LeavingTheYearGoesToItsFirstLoadedDay) {
  TimePosition year = Chosen(Start(), Span::Year);
  year = *JumpRight(year, kDays);
  EXPECT_EQ(year.shownYear, 2025);
  EXPECT_EQ(ShowPosition(year, kDays).title.style, TitleStyle::Year);
  const TimePosition hour = Chosen(year, Span::OneHour);
  EXPECT_EQ(hour.dayIndex, 3);
  EXPECT_EQ(hour.dayStart, Date(2025, 1, 3));
  EXPECT_EQ(ShowPosition(hour, kDays).slider, (SliderState{23, 0, true}));
}

TEST(TimePositionTest, TheSliderMovesTheHoursAndKeepsTheirWidthWithinTheDay) {
  const TimePosition hours = MoveSlider(Chosen(Start(), Span::EightHours), 30, kDays);
  EXPECT_EQ(hours.hourStart, 16);
  EXPECT_EQ(hours.hourEnd, 24);
}

TEST(TimePositionTest, AWiderHourSpanEndsAtTheDaysEndAtTheLatest) {
  const TimePosition three = MoveSlider(Chosen(Start(), Span::ThreeHours), 20, kDays);
  const TimePosition eight = Chosen(three, Span::EightHours);
  EXPECT_EQ(eight.hourStart, 16);
  EXPECT_EQ(eight.hourEnd, 24);
  EXPECT_EQ(ShowPosition(eight, kDays).slider, (SliderState{16, 16, true}));
}

TEST(TimePositionTest, JumpsInAnHourSpanKeepTheHoursAndStopAtTheEnds) {
  const TimePosition hours = MoveSlider(Chosen(Start(), Span::ThreeHours), 5, kDays);
  EXPECT_FALSE(JumpLeft(hours, kDays));
  const TimePosition next = *JumpRight(hours, kDays);
  EXPECT_EQ(next.dayIndex, 1);
  EXPECT_EQ(next.hourStart, 5);
  TimePosition last = next;
  last.dayIndex = 3;
  EXPECT_FALSE(JumpRight(last, kDays));
}

TEST(TimePositionTest, JumpLeftOnTheFirstDayShowsItAgain) {
  const auto again = JumpLeft(Start(), kDays);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->dayIndex, 0);
}

TEST(TimePositionTest, ScrollClicksMoveMonthsAndStopAtTheEnds) {
  const TimePosition month = Chosen(Start(), Span::Month);
  EXPECT_FALSE(ScrollClick(month, -1, kDays));
  EXPECT_EQ(ScrollClick(month, 1, kDays)->monthIndex, 1);
  EXPECT_FALSE(ScrollClick(Start(), 1, kDays));  // the day span scrolls by steps
}

TEST(TimePositionTest, AScrollStepMovesTheWindowAFortiethAndNamesTheDatesItCovers) {
  const chart::ValueRange day = ShowPosition(Start(), kDays).window;
  const TimePosition scrolled = *ScrollStep(Start(), day, 1, kDays);
  const ShownTime shown = ShowPosition(scrolled, kDays);
  EXPECT_DOUBLE_EQ(shown.window.min, day.min + 0.025);
  EXPECT_DOUBLE_EQ(shown.window.max, day.max + 0.025);
  EXPECT_EQ(shown.title.style, TitleStyle::CoveredDates);
  EXPECT_EQ(scrolled.dayIndex, 0);  // the window still starts nearest the first day
  EXPECT_FALSE(ScrollStep(Chosen(Start(), Span::Month), day, 1, kDays));
}

TEST(TimePositionTest, ScrollingFollowsTheNearestDayAndTheSliderWithIt) {
  const chart::ValueRange window{Date(2024, 5, 30) + 0.6, Date(2024, 5, 31) + 0.6};
  const TimePosition scrolled = *ScrollStep(Start(), window, 1, kDays);
  EXPECT_EQ(scrolled.dayIndex, 1);
  EXPECT_EQ(ShowPosition(scrolled, kDays).slider.position, 1);
  // Moving the slider places the window anew.
  EXPECT_FALSE(MoveSlider(scrolled, 0, kDays).scrolled);
}

TEST(TimePositionTest, AnHourSpanScrollFollowsTheStartHour) {
  const TimePosition hours = Chosen(Start(), Span::OneHour);
  const chart::ValueRange window{AtHour(Date(2024, 5, 30), 5), AtHour(Date(2024, 5, 30), 6)};
  const TimePosition scrolled = *ScrollStep(hours, window, 1, kDays);
  EXPECT_EQ(scrolled.hourStart, 5);
  EXPECT_EQ(scrolled.hourEnd, 6);
}

}  // namespace
}  // namespace calorix::evaluation
