#pragma once

#include <string>

#include "chart/chart_axis.h"
#include "chart/chart_series.h"
#include "core/date_time.h"
#include "evaluation/date_text.h"

namespace calorix::evaluation {

// The items of the span choice, by position.
enum class Span : int { OneHour = 0, ThreeHours = 1, EightHours = 2, Day = 3, Month = 4, Year = 5 };

inline constexpr int kHourSpanCount = 3;
inline constexpr int kSingleDaySpanCount = 4;  // a one-file evaluation has no month span
inline constexpr int kMultiDaySpanCount = 5;
// A multi-day evaluation whose days lie in more than one calendar month
// offers the year span too.
inline constexpr int kYearSpanCount = 6;
// HourEnd in the month span: 31 days of hours whatever the month's length.
inline constexpr int kMonthHours = 31 * 24;

constexpr bool IsHourSpan(Span span) { return static_cast<int>(span) < kHourSpanCount; }
// The width in hours of an hour span.
int SpanHours(Span span);
// The text row of a span item: "1 hour" .. "1 month" in a row, then "1 year".
int SpanTextRow(int item);

// The dates of the loaded days, as the navigation asks for them.
class DayDates {
 public:
  virtual ~DayDates() = default;
  virtual int DayCount() const = 0;
  virtual DateTime DayStartDate(int index) const = 0;
};

// A day (and, in the hour spans, the first visible hour of it).
struct DayPosition {
  DateTime dayStart = 0.0;
  int dayIndex = 0;
  int hourStart = 0;
  friend bool operator==(const DayPosition&, const DayPosition&) = default;
};

// The hour of a day as a date-time; the fraction is taken in extended
// precision so that whole hours land where the day-based axes expect them.
DateTime AtHour(DateTime day, int hour);

// The first day of the month after the one `day` lies in.
DateTime FirstOfNextMonth(DateTime day);

// The year span's time axis: ticks at the first of each month, labelled
// with the month's number, which MonthAxisLabel turns into its name.
inline constexpr const char* kYearAxisFormat = "mm";
// A time-axis label as the window shows it: the abbreviated month name on
// the year span's axis, any other label as it is.
std::string MonthAxisLabel(const chart::ChartAxis& axis, const std::string& label, const MonthNames& names);

// Whether a multi-day evaluation offers the year span: its loaded days
// lie 31 days or more apart, further than one month's window reaches, so
// that the year shows more than the month span can.
bool OffersYearSpan(DateTime firstDay, DateTime lastDay);

// 1 January of a year.
DateTime FirstOfYear(int year);
// The calendar year a date-time lies in.
int YearOf(DateTime value);

// After a scroll step has moved the visible window to start at m, the day
// nearest to m in the day span (a tie goes to the later candidate found).
DayPosition FollowDaySpan(const DayDates& days, DayPosition current, DateTime m);

// Likewise in an hour span of `width` hours: the day and start hour nearest
// to m, stepping an hour at a time and wrapping into the neighbouring days.
DayPosition FollowHourSpan(const DayDates& days, DayPosition current, int width, DateTime m);

// The upper chart's title after a scroll step: the date at m and every
// further date up to M, joined by " + ".
std::string CoveredDatesTitle(DateTime m, DateTime M, const MonthNames& names = EnglishMonthNames());

}  // namespace calorix::evaluation
