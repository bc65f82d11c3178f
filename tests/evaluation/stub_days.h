#pragma once

#include <utility>
#include <vector>

#include "core/date_time.h"
#include "evaluation/time_position.h"

namespace calorix::testing {

inline DateTime Date(int year, int month, int day) { return *TryEncodeDate(year, month, day); }

// Loaded days without files: the calendar months run from the first day's
// month to the last day's, days may be missing in between.
class StubDays : public evaluation::LoadedDays {
 public:
  explicit StubDays(std::vector<DateTime> days) : days_(std::move(days)) {}
  int DayCount() const override { return static_cast<int>(days_.size()); }
  DateTime DayStartDate(int index) const override { return days_.at(static_cast<std::size_t>(index)); }
  int MonthCount() const override { return MonthOf(days_.back()) + 1; }
  DateTime MonthStartDate(int monthIndex) const override {
    const CivilDate first = DecodeDate(days_.front());
    const int months = first.month - 1 + monthIndex;
    return Date(first.year + months / 12, months % 12 + 1, 1);
  }
  int MonthIndexOfDay(int dayIndex) const override { return MonthOf(DayStartDate(dayIndex)); }
  int DayIndexOfMonth(int monthIndex) const override {
    int index = 0;
    while (index + 1 < DayCount() && MonthOf(DayStartDate(index)) < monthIndex) ++index;
    return index;
  }

 private:
  int MonthOf(DateTime day) const {
    const CivilDate first = DecodeDate(days_.front());
    const CivilDate date = DecodeDate(day);
    return (date.year - first.year) * 12 + date.month - first.month;
  }
  std::vector<DateTime> days_;
};

}  // namespace calorix::testing
