#include "core/date_time.h"

#include <gtest/gtest.h>

#include <cmath>

namespace calorix {
namespace {

TEST(DateEncoding, CountsDaysFromTheEndOf1899) {
  EXPECT_EQ(TryEncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(TryEncodeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(TryEncodeDate(2024, 5, 1), 45413.0);
  EXPECT_EQ(TryEncodeDate(2000, 2, 29), 36585.0);
}

TEST(DateEncoding, RejectsDatesThatDoNotExist) {
  EXPECT_FALSE(TryEncodeDate(2023, 2, 29));
  EXPECT_FALSE(TryEncodeDate(2024, 13, 1));
  EXPECT_FALSE(TryEncodeDate(2024, 4, 31));
  EXPECT_FALSE(TryEncodeDate(0, 1, 1));
  EXPECT_FALSE(TryEncodeDate(2024, 1, 0));
  EXPECT_TRUE(TryEncodeDate(2024, 2, 29));
}

TEST(DateEncoding, DecodesBackToTheCalendar) {
  for (double serial : {0.0, 2.0, 36585.0, 45413.0, 45413.999}) {
    const CivilDate date = DecodeDate(serial);
    EXPECT_EQ(TryEncodeDate(date.year, date.month, date.day), std::floor(serial));
  }
  EXPECT_EQ(DecodeDate(45413.75), (CivilDate{2024, 5, 1}));
  EXPECT_EQ(DecodeTime(45413.75), (ClockTime{18, 0, 0, 0}));
  EXPECT_EQ(DecodeTime(45413 + 5 * kOneMinute), (ClockTime{0, 5, 0, 0}));
}

TEST(DateEncoding, LeapYearsFollowTheGregorianRule) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(2023, 2), 28);
  EXPECT_EQ(DaysInMonth(2023, 12), 31);
}

TEST(TimeStampReading, ReadsEachStyleWithItsSeparator) {
  const double may1 = 45413.0;
  EXPECT_EQ(ReadDateTime("2024-05-01 00:05", DateStyle::YearMonthDay), may1 + 5 * kOneMinute);
  EXPECT_EQ(ReadDateTime("2024-05-01 00:05", DateStyle::YearMonthDayTime), may1 + 5 * kOneMinute);
  EXPECT_EQ(ReadDateTime("01.05.2024 13:30", DateStyle::DayMonthYear), may1 + 13.5 / 24);
  EXPECT_EQ(ReadDateTime("01.05.2024 13:30", DateStyle::DayMonthYearTime), may1 + 13.5 / 24);
  EXPECT_FALSE(ReadDateTime("01.05.2024 13:30", DateStyle::YearMonthDay));
  EXPECT_FALSE(ReadDateTime("2024-05-01 13:30", DateStyle::DayMonthYearTime));
}

TEST(TimeStampReading, AcceptsSecondsTwoDigitYearsAndMissingTime) {
  EXPECT_EQ(ReadDateTime("2024-05-01 00:00:30", DateStyle::YearMonthDay), 45413.0 + 30.0 / 86400);
  EXPECT_EQ(ReadDateTime("1.5.24 00:00", DateStyle::DayMonthYear), 45413.0);
  EXPECT_EQ(ReadDateTime("01.05.99 00:00", DateStyle::DayMonthYear), TryEncodeDate(1999, 5, 1));
  EXPECT_EQ(ReadDateTime("2024-05-01", DateStyle::YearMonthDay), 45413.0);
  EXPECT_EQ(ReadDateTime(" 2024-05-01  00:01 ", DateStyle::YearMonthDay), 45413.0 + kOneMinute);
}

TEST(TimeStampReading, RejectsMalformedStamps) {
  for (const char* text :
       {"", "2024-05-01 24:00", "2024-05-01 00:60", "2024-05-32 00:00", "2024-05-01 00:00x", "2024-05 00:00",
        "2024/05/01 00:00", "2024-05-01 0:0:0:0", "20245-05-01 00:00", "2024-05-01 00", "abc"}) {
    EXPECT_FALSE(ReadDateTime(text, DateStyle::YearMonthDay)) << text;
  }
}

TEST(TimeStampReading, DateAloneRejectsATimeOfDay) {
  EXPECT_EQ(ReadDate("2024-05-01", DateStyle::YearMonthDay), 45413.0);
  EXPECT_FALSE(ReadDate("2024-05-01 00:00", DateStyle::YearMonthDay));
  EXPECT_FALSE(ReadDate("01.05.24 0", DateStyle::DayMonthYear));
}

TEST(DateFormatting, AHairBelowMidnightIsTheNextDay) {
  EXPECT_EQ(FormatDateTime("dd.mm.yyyy hh:mm", 45414.0 - 1e-10), "02.05.2024 00:00");
  EXPECT_EQ(FormatDateTime("dd.mm.yyyy hh:mm", 45413.0 + 1e-10), "01.05.2024 00:00");
}

TEST(DateFormatting, WritesTheCodesItKnows) {
  const double t = 45413.0 + 13.5 / 24;
  EXPECT_EQ(FormatDateTime("yyyymmdd", t), "20240501");
  EXPECT_EQ(FormatDateTime("dd.mm.yyyy", t), "01.05.2024");
  EXPECT_EQ(FormatDateTime("hh:mm", t), "13:30");
  EXPECT_EQ(FormatDateTime("dd.", t), "01.");
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss", t), "2024-05-01 13:30:00");
}

}  // namespace
}  // namespace calorix
