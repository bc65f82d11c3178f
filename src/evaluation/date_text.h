#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/date_time.h"

namespace calorix::evaluation {

// The month names dates are written with, January first. The window gives
// the names of the system locale; the evaluation itself knows no locale.
struct MonthNames {
  std::array<std::string, 12> full;
  std::array<std::string, 12> abbreviated;
};

// English names, for use where no others are given.
const MonthNames& EnglishMonthNames();

// Formats the date part of a date-time with the codes dd, d, mm, mmm,
// mmmm, yyyy and yy; other characters are copied.
std::string FormatDate(std::string_view pattern, DateTime value, const MonthNames& names = EnglishMonthNames());

// The date styles the window shows.
inline constexpr std::string_view kNumericDate = "dd.mm.yyyy";
inline constexpr std::string_view kLongDate = "dd. mmmm yyyy";
inline constexpr std::string_view kShortDate = "dd. mmm yyyy";
inline constexpr std::string_view kMonthYear = "mmmm yyyy";

}  // namespace calorix::evaluation
