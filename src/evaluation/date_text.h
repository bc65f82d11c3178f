#pragma once

#include <string>
#include <string_view>

#include "core/date_time.h"

namespace calorix::ui {

// Formats the date part of a date-time with the codes dd, d, mm, mmm,
// mmmm, yyyy and yy; other characters are copied. Month names come from the
// system locale: the interface language changes no date formats.
std::string FormatDate(std::string_view pattern, DateTime value);

// The date styles the window shows.
inline constexpr std::string_view kNumericDate = "dd.mm.yyyy";
inline constexpr std::string_view kLongDate = "dd. mmmm yyyy";
inline constexpr std::string_view kShortDate = "dd. mmm yyyy";
inline constexpr std::string_view kMonthYear = "mmmm yyyy";

}  // namespace calorix::ui
