#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace calorix::testing {

// The usual semicolon header of a day file (units in °C, l/min, kW and %,
// Windows-1252), without its line end.
inline constexpr std::string_view kDayFileHeader =
    "DATE & TIME;T1[\xB0"
    "C];T2[\xB0"
    "C];T3[\xB0"
    "C];T4[\xB0"
    "C];T5[\xB0"
    "C];T6[\xB0"
    "C];"
    "Tds[\xB0"
    "C];V'[l/min];P[kW];R1[%];R2[%];R3[%];R![%]";

// A day file with the usual header and one record per given line
// "hh:mm;values".
inline std::string DayFileText(std::string_view date, const std::vector<std::string>& records) {
  std::string text = std::string(kDayFileHeader) + "\r\n";
  for (const std::string& record : records) text += std::string(date) + " " + record + "\r\n";
  return text;
}

}  // namespace calorix::testing
