#include "evaluation/date_text.h"

namespace calorix::evaluation {
namespace {

std::string TwoDigits(int value) {
  std::string text = std::to_string(value);
  return text.size() < 2 ? "0" + text : text;
}

// The length of the run of c starting at pattern[i].
std::size_t RunLength(std::string_view pattern, std::size_t i) {
  std::size_t n = 0;
  while (i + n < pattern.size() && pattern[i + n] == pattern[i]) ++n;
  return n;
}

}  // namespace

const MonthNames& EnglishMonthNames() {
  static const MonthNames names{{"January", "February", "March", "April", "May", "June", "July", "August", "September",
                                 "October", "November", "December"},
                                {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"}};
  return names;
}

std::string FormatDate(std::string_view pattern, DateTime value, const MonthNames& names) {
  const CivilDate date = DecodeDate(value);
  const auto month = static_cast<std::size_t>(date.month - 1);
  std::string out;
  for (std::size_t i = 0; i < pattern.size();) {
    const char c = pattern[i];
    const std::size_t n = (c == 'd' || c == 'm' || c == 'y') ? RunLength(pattern, i) : 1;
    if (c == 'd') {
      out += n >= 2 ? TwoDigits(date.day) : std::to_string(date.day);
    } else if (c == 'm') {
      out += n >= 4   ? names.full[month]
             : n == 3 ? names.abbreviated[month]
             : n == 2 ? TwoDigits(date.month)
                      : std::to_string(date.month);
    } else if (c == 'y') {
      out += n >= 4 ? std::to_string(date.year) : TwoDigits(date.year % 100);
    } else {
      out += c;
    }
    i += n;
  }
  return out;
}

}  // namespace calorix::evaluation
