#include "evaluation/time_navigation.h"

#include <gtest/gtest.h>

#include <vector>

#include "evaluation/date_text.h"

namespace calorix::evaluation {
namespace {

constexpr double kD = 45413.0;  // 2024-05-01
constexpr double kHour = 1.0 / 24.0;

class FakeDays : public DayDates {
 public:
  explicit FakeDays(std::vector<DateTime> dates) : dates_(std::move(dates)) {}
  int DayCount() const override { return static_cast<int>(dates_.size()); }
  DateTime DayStartDate(int index) const override { return dates_.at(static_cast<std::size_t>(index)); }

 private:
  std::vector<DateTime> dates_;
};

const FakeDays kThreeDays({kD, kD + 1, kD + 2});

TEST(FollowDaySpan, StaysWithinHalfADay) {
  const DayPosition current{kD, 0, 0};
  EXPECT_EQ(FollowDaySpan(kThreeDays, current, kD + 0.4), current);
  EXPECT_EQ(FollowDaySpan(kThreeDays, current, kD + 0.5), current);
}

TEST(FollowDaySpan, MovesToTheNextDayPastHalfADay) {
  EXPECT_EQ(FollowDaySpan(kThreeDays, {kD, 0, 0}, kD + 0.525), (DayPosition{kD + 1, 1, 0}));
}

TEST(FollowDaySpan, MovesBackToTheNearerDay) {
  EXPECT_EQ(FollowDaySpan(kThreeDays, {kD + 2, 2, 0}, kD + 1.3), (DayPosition{kD + 1, 1, 0}));
}

TEST(FollowDaySpan, KeepsTheCurrentDayWhenItIsNearerThanTheNextFile) {
  const FakeDays gap({kD, kD + 3});
  EXPECT_EQ(FollowDaySpan(gap, {kD, 0, 0}, kD + 1.2), (DayPosition{kD, 0, 0}));
  EXPECT_EQ(FollowDaySpan(gap, {kD, 0, 0}, kD + 1.6), (DayPosition{kD + 3, 1, 0}));
}

TEST(FollowDaySpan, ATieGoesToTheCandidate) {
  const FakeDays gap({kD, kD + 2});
  EXPECT_EQ(FollowDaySpan(gap, {kD, 0, 0}, kD + 1.0), (DayPosition{kD + 2, 1, 0}));
}

TEST(FollowDaySpan, StopsAtTheLastDay) {
  EXPECT_EQ(FollowDaySpan(kThreeDays, {kD + 2, 2, 0}, kD + 2.8), (DayPosition{kD + 2, 2, 0}));
}

TEST(FollowHourSpan, MovesToTheNearestHour) {
  EXPECT_EQ(FollowHourSpan(kThreeDays, {kD, 0, 20}, 3, kD + 20.6 * kHour), (DayPosition{kD, 0, 21}));
  EXPECT_EQ(FollowHourSpan(kThreeDays, {kD, 0, 20}, 3, kD + 20.4 * kHour), (DayPosition{kD, 0, 20}));
}

TEST(FollowHourSpan, WrapsIntoTheNextDay) {
  EXPECT_EQ(FollowHourSpan(kThreeDays, {kD, 0, 21}, 3, kD + 21.6 * kHour), (DayPosition{kD, 0, 21}));
  EXPECT_EQ(FollowHourSpan(kThreeDays, {kD, 0, 21}, 3, kD + 23.7 * kHour), (DayPosition{kD + 1, 1, 0}));
}

TEST(FollowHourSpan, WrapsBackIntoThePreviousDay) {
  EXPECT_EQ(FollowHourSpan(kThreeDays, {kD + 1, 1, 0}, 1, kD + 23.4 * kHour), (DayPosition{kD, 0, 23}));
}

TEST(FollowHourSpan, StopsAtTheEnds) {
  EXPECT_EQ(FollowHourSpan(kThreeDays, {kD, 0, 0}, 8, kD - 0.2), (DayPosition{kD, 0, 0}));
  EXPECT_EQ(FollowHourSpan(kThreeDays, {kD + 2, 2, 16}, 8, kD + 2.9), (DayPosition{kD + 2, 2, 16}));
}

TEST(CoveredDatesTitle, OneDate) { EXPECT_EQ(CoveredDatesTitle(kD, kD + 1), FormatDate(kShortDate, kD)); }

TEST(CoveredDatesTitle, AcrossMidnightBothDates) {
  EXPECT_EQ(CoveredDatesTitle(kD + 0.3, kD + 1.3), FormatDate(kShortDate, kD) + " + " + FormatDate(kShortDate, kD + 1));
}

TEST(AtHour, WholeDayEndsExactlyAtTheNextDay) {
  EXPECT_EQ(AtHour(kD, 24), kD + 1);
  EXPECT_EQ(AtHour(kD, 0), kD);
  EXPECT_NEAR(AtHour(kD, 7), kD + 7 * kHour, 1e-9);
}

TEST(FirstOfNextMonth, DecemberEndsInJanuary) {
  const double dec1 = *TryEncodeDate(2010, 12, 1);
  EXPECT_EQ(FirstOfNextMonth(dec1), *TryEncodeDate(2011, 1, 1));
  EXPECT_EQ(FirstOfNextMonth(*TryEncodeDate(2024, 2, 1)), *TryEncodeDate(2024, 3, 1));
}

TEST(SpanHours, ByItem) {
  EXPECT_EQ(SpanHours(Span::OneHour), 1);
  EXPECT_EQ(SpanHours(Span::ThreeHours), 3);
  EXPECT_EQ(SpanHours(Span::EightHours), 8);
  EXPECT_EQ(SpanHours(Span::Day), 24);
}

}  // namespace
}  // namespace calorix::evaluation
