#include "core/date_time.h"

#include <cmath>

namespace calorix {
namespace {

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
long long DaysFromCivil(int year, int month, int day) {
  const long long y = year - (month <= 2 ? 1 : 0);
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153LL * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CivilDate CivilFromDays(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
  return {year, month, day};
}

// 1899-12-30 counted from 1970-01-01.
constexpr long long kEpochOffset = 25569;
constexpr double kMillisecondsPerDay = 86400000.0;

// A small cursor over the text of a time stamp.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  void SkipBlanks() {
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
  }
  bool AtEnd() const { return pos_ == text_.size(); }
  bool Take(char c) {
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  // One to four decimal digits; digits tells how many were read.
  bool Number(int& value, int& digits) {
    value = 0;
    digits = 0;
    while (pos_ < text_.size() && digits < 5) {
      const char c = text_[pos_];
      if (c < '0' || c > '9') break;
      value = value * 10 + (c - '0');
      ++digits;
      ++pos_;
    }
    return digits > 0 && digits <= 4;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

bool IsYearFirst(DateStyle style) { return style == DateStyle::YearMonthDay || style == DateStyle::YearMonthDayTime; }

std::optional<DateTime> ScanDate(Scanner& in, DateStyle style) {
  const char separator = IsYearFirst(style) ? '-' : '.';
  int n[3] = {0, 0, 0};
  int digits[3] = {0, 0, 0};
  in.SkipBlanks();
  for (int i = 0; i < 3; ++i) {
    if (i > 0 && !in.Take(separator)) return std::nullopt;
    if (!in.Number(n[i], digits[i])) return std::nullopt;
  }
  const int yearAt = IsYearFirst(style) ? 0 : 2;
  int year = n[yearAt];
  if (digits[yearAt] <= 2) year = ExpandTwoDigitYear(year);
  const int month = n[1];
  const int day = IsYearFirst(style) ? n[2] : n[0];
  return TryEncodeDate(year, month, day);
}

std::optional<DateTime> ScanTime(Scanner& in) {
  int hour = 0, minute = 0, second = 0, millisecond = 0, digits = 0;
  if (!in.Number(hour, digits) || digits > 2) return std::nullopt;
  if (!in.Take(':') || !in.Number(minute, digits) || digits > 2) return std::nullopt;
  if (in.Take(':')) {
    if (!in.Number(second, digits) || digits > 2) return std::nullopt;
    if (in.Take('.') && (!in.Number(millisecond, digits) || digits > 3)) return std::nullopt;
  }
  return TryEncodeTime(hour, minute, second, millisecond);
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

std::optional<DateTime> TryEncodeDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12) return std::nullopt;
  if (day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
  return static_cast<DateTime>(DaysFromCivil(year, month, day) + kEpochOffset);
}

std::optional<DateTime> TryEncodeTime(int hour, int minute, int second, int millisecond) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
      millisecond > 999) {
    return std::nullopt;
  }
  const long long ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
  return static_cast<DateTime>(ms) / kMillisecondsPerDay;
}

CivilDate DecodeDate(DateTime value) { return CivilFromDays(static_cast<long long>(std::floor(value)) - kEpochOffset); }

ClockTime DecodeTime(DateTime value) {
  long long ms = std::llround((value - std::floor(value)) * kMillisecondsPerDay);
  if (ms >= static_cast<long long>(kMillisecondsPerDay)) ms = 0;
  ClockTime t;
  t.millisecond = static_cast<int>(ms % 1000);
  ms /= 1000;
  t.second = static_cast<int>(ms % 60);
  ms /= 60;
  t.minute = static_cast<int>(ms % 60);
  t.hour = static_cast<int>(ms / 60);
  return t;
}

int ExpandTwoDigitYear(int year) {
  if (year > 99) return year;
  return year < 80 ? 2000 + year : 1900 + year;
}

std::optional<DateTime> ReadDate(std::string_view text, DateStyle style) {
  Scanner in(text);
  const auto date = ScanDate(in, style);
  in.SkipBlanks();
  if (!date || !in.AtEnd()) return std::nullopt;
  return date;
}

std::optional<DateTime> ReadDateTime(std::string_view text, DateStyle style) {
  Scanner in(text);
  const auto date = ScanDate(in, style);
  if (!date) return std::nullopt;
  in.SkipBlanks();
  if (in.AtEnd()) return date;
  const auto time = ScanTime(in);
  in.SkipBlanks();
  if (!time || !in.AtEnd()) return std::nullopt;
  return *date + *time;
}

std::string FormatDateTime(std::string_view pattern, DateTime value) {
  // Round to the millisecond first, so that a value a hair below midnight
  // reads as midnight of the next day, not as 00:00 of its own day.
  const DateTime rounded = std::round(value * kMillisecondsPerDay) / kMillisecondsPerDay;
  const CivilDate date = DecodeDate(rounded);
  const ClockTime time = DecodeTime(rounded);
  auto two = [](int v) {
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
  };
  std::string out;
  bool afterHour = false;
  std::size_t i = 0;
  auto startsWith = [&](std::string_view code) { return pattern.substr(i, code.size()) == code; };
  while (i < pattern.size()) {
    if (startsWith("yyyy")) {
      std::string y = std::to_string(date.year);
      out += std::string(y.size() < 4 ? 4 - y.size() : 0, '0') + y;
      i += 4;
    } else if (startsWith("yy")) {
      out += two(date.year % 100);
      i += 2;
    } else if (startsWith("hh")) {
      out += two(time.hour);
      afterHour = true;
      i += 2;
      continue;
    } else if (startsWith("nn") || (afterHour && startsWith("mm"))) {
      out += two(time.minute);
      i += 2;
    } else if (startsWith("mm")) {
      out += two(date.month);
      i += 2;
    } else if (startsWith("dd")) {
      out += two(date.day);
      i += 2;
    } else if (startsWith("d")) {
      out += std::to_string(date.day);
      i += 1;
    } else if (startsWith("ss")) {
      out += two(time.second);
      i += 2;
    } else {
      out += pattern[i++];
      if (out.back() != ':' && out.back() != ' ') afterHour = false;
      continue;
    }
    afterHour = false;
  }
  return out;
}

}  // namespace calorix
