#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace calorix {

// Date-times are doubles counting days since 30 December 1899 00:00; the time
// of day is the fraction (one minute is 1/1440).
using DateTime = double;

inline constexpr double kOneMinute = 1.0 / 1440.0;
inline constexpr double kOneHour = 1.0 / 24.0;

struct CivilDate {
  int year = 0;
  int month = 0;
  int day = 0;
  friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

struct ClockTime {
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
  friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Nothing when the date does not exist (years 1..9999 only).
std::optional<DateTime> TryEncodeDate(int year, int month, int day);
std::optional<DateTime> TryEncodeTime(int hour, int minute, int second = 0, int millisecond = 0);
CivilDate DecodeDate(DateTime value);
ClockTime DecodeTime(DateTime value);

// Two-digit years are placed in 1980..2079: log files are written by
// controllers, so nothing earlier is plausible and the result must not
// depend on the day the program runs.
int ExpandTwoDigitYear(int year);

// The form in which time stamps are read. The styles with and without the
// time read alike; they differ only in how the record reader switches.
enum class DateStyle {
  YearMonthDay,      // "yyyy-mm-dd"
  YearMonthDayTime,  // "yyyy-mm-dd hh:mm"
  DayMonthYear,      // "dd.mm.yyyy"
  DayMonthYearTime,  // "dd.mm.yyyy hh:mm"
};

// Reads a date alone ("2024-05-01", "1.5.24"); blanks around it are allowed.
std::optional<DateTime> ReadDate(std::string_view text, DateStyle style);

// Reads a date optionally followed by a time of day "hh:mm[:ss[.zzz]]".
std::optional<DateTime> ReadDateTime(std::string_view text, DateStyle style);

// Formats with the codes yyyy, yy, mm, dd, d, hh, nn (minutes), ss; "mm"
// directly after "hh" and a separator means minutes. Other characters are
// copied as they stand.
std::string FormatDateTime(std::string_view pattern, DateTime value);

}  // namespace calorix
