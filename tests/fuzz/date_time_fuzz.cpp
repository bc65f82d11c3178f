// Date and time reading: no style reads a text into something out of the
// calendar, a date read in the ISO style reads again from its own writing,
// and a log number is a finite value or none.

#include <cmath>

#include "core/date_time.h"
#include "fuzz_support.h"
#include "logdata/log_format.h"

namespace {

using calorix::DateStyle;

constexpr DateStyle kStyles[] = {DateStyle::YearMonthDay, DateStyle::DayMonthYear, DateStyle::YearMonthDayTime,
                                 DateStyle::DayMonthYearTime};

// 0001-01-01 and 9999-12-31 as day numbers, a little room for a time of day.
bool InCalendar(calorix::DateTime t) { return std::isfinite(t) && t >= -693594.0 && t < 2958466.0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const DateStyle style : kStyles) {
    if (const auto date = calorix::ReadDate(text, style)) FUZZ_CHECK(InCalendar(*date));
    if (const auto stamp = calorix::ReadDateTime(text, style)) FUZZ_CHECK(InCalendar(*stamp));
    DateStyle switching = style;
    if (const auto stamp = calorix::logdata::ReadStamp(text, switching)) FUZZ_CHECK(InCalendar(*stamp));
  }
  if (const auto date = calorix::ReadDate(text, DateStyle::YearMonthDay)) {
    const std::string written = calorix::FormatDateTime("yyyy-mm-dd", *date);
    const auto again = calorix::ReadDate(written, DateStyle::YearMonthDay);
    FUZZ_CHECK(again && *again == std::floor(*date));
  }
  double value = 0.0;
  if (calorix::logdata::ParseLogNumber(text, value)) FUZZ_CHECK(std::isfinite(value));
  return 0;
}
