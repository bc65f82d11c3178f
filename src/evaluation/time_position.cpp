#include "evaluation/time_position.h"

#include <algorithm>
#include <cmath>

namespace calorix::evaluation {

namespace {

constexpr double kScrollFraction = 0.025;  // of the visible span per scroll step

bool MonthOrYear(Span span) { return span == Span::Month || span == Span::Year; }

TimePosition WholeDay(TimePosition p) {
  p.hourStart = 0;
  p.hourEnd = 24;
  return p;
}

// The other spans take up the first loaded day of the shown year (the
// next one after it when the year holds none), as they take up the first
// day of the shown month.
TimePosition LeaveYear(TimePosition p, const LoadedDays& days) {
  const DateTime from = FirstOfYear(p.shownYear);
  int index = 0;
  while (index + 1 < days.DayCount() && std::floor(days.DayStartDate(index)) < from) ++index;
  p.span = Span::Day;
  p.dayIndex = index;
  p.dayStart = days.DayStartDate(index);
  p.monthIndex = days.MonthIndexOfDay(index);
  return WholeDay(p);
}

}  // namespace

TimePosition FirstDayPosition(int spanCount, const LoadedDays& days) {
  TimePosition p;
  p.spanCount = spanCount;
  p.dayStart = days.DayStartDate(0);
  return p;
}

std::optional<TimePosition> ChooseSpan(const TimePosition& p, int item, const LoadedDays& days) {
  const Span span = static_cast<Span>(std::clamp(item, 0, p.spanCount - 1));
  // The hours already shown stay as they are, scrolled or not.
  if (IsHourSpan(span) && span == p.span) return std::nullopt;
  TimePosition n = p;
  n.scrolled.reset();
  if (span == Span::Year) {
    if (n.span != Span::Year) {
      n.shownYear = YearOf(n.dayStart);
      n.firstYear = YearOf(days.DayStartDate(0));
      n.span = Span::Year;
    }
    n.dayStart = FirstOfYear(n.shownYear);
    return WholeDay(n);
  }
  if (n.span == Span::Year) n = LeaveYear(n, days);
  const bool month = span == Span::Month;
  if (n.span == Span::Month && !month) {
    n.span = Span::Day;
    n = WholeDay(n);
    n.dayIndex = days.DayIndexOfMonth(n.monthIndex);
    n.dayStart = days.DayStartDate(n.dayIndex);
  } else if (month && n.span != Span::Month) {
    n.span = Span::Month;
    n.monthIndex = days.MonthIndexOfDay(n.dayIndex);
    n.dayStart = days.MonthStartDate(n.monthIndex);
  }
  if (IsHourSpan(span)) {
    const int hours = SpanHours(span);
    n.span = span;
    n.hourStart = std::min(n.hourStart, 24 - hours);
    n.hourEnd = n.hourStart + hours;
  } else if (month) {
    n.hourStart = 0;
    n.hourEnd = kMonthHours;
  } else {
    n.span = Span::Day;
    n = WholeDay(n);
  }
  return n;
}

TimePosition MoveSlider(const TimePosition& p, int position, const LoadedDays& days) {
  TimePosition n = p;
  n.scrolled.reset();
  position = std::clamp(position, 0, ShowPosition(p, days).slider.maximum);
  switch (p.span) {
    case Span::Year:
      n.shownYear = p.firstYear + position;
      n.dayStart = FirstOfYear(n.shownYear);
      break;
    case Span::Month:
      n.monthIndex = position;
      n.dayStart = days.MonthStartDate(position);
      break;
    case Span::Day:
      n.dayIndex = position;
      n.dayStart = days.DayStartDate(position);
      break;
    default:
      n.hourStart = position;
      n.hourEnd = position + (p.hourEnd - p.hourStart);
      break;
  }
  return n;
}

namespace {

// A day back or forward: the slider in the day span, the day under the
// same hours in an hour span (nothing past the first or last day).
std::optional<TimePosition> JumpDay(const TimePosition& p, int direction, const LoadedDays& days) {
  if (p.span == Span::Day) return MoveSlider(p, p.dayIndex + direction, days);
  const int index = p.dayIndex + direction;
  if (index < 0 || index >= days.DayCount()) return std::nullopt;
  TimePosition n = p;
  n.scrolled.reset();
  n.dayIndex = index;
  n.dayStart = days.DayStartDate(index);
  return n;
}

}  // namespace

TimePosition DayOf(const TimePosition& p, DateTime t, const LoadedDays& days) {
  const auto day = ChooseSpan(p, static_cast<int>(Span::Day), days);
  TimePosition n = day ? *day : p;
  int index = 0;
  while (index + 1 < days.DayCount() && std::floor(days.DayStartDate(index + 1)) <= std::floor(t)) ++index;
  return MoveSlider(n, index, days);
}

std::optional<TimePosition> JumpLeft(const TimePosition& p, const LoadedDays& days) {
  if (MonthOrYear(p.span)) return MoveSlider(p, 0, days);
  return JumpDay(p, -1, days);
}

std::optional<TimePosition> JumpRight(const TimePosition& p, const LoadedDays& days) {
  if (MonthOrYear(p.span)) return MoveSlider(p, ShowPosition(p, days).slider.maximum, days);
  return JumpDay(p, 1, days);
}

std::optional<TimePosition> ScrollClick(const TimePosition& p, int direction, const LoadedDays& days) {
  if (!MonthOrYear(p.span)) return std::nullopt;
  const SliderState slider = ShowPosition(p, days).slider;
  const int position = std::clamp(slider.position + direction, 0, slider.maximum);
  if (position == slider.position) return std::nullopt;
  return MoveSlider(p, position, days);
}

std::optional<TimePosition> ScrollStep(const TimePosition& p, chart::ValueRange window, int direction,
                                       const LoadedDays& days) {
  const double shift = direction * kScrollFraction * (window.max - window.min);
  return ScrollWindow(p, {window.min + shift, window.max + shift}, days);
}

std::optional<TimePosition> ScrollWindow(const TimePosition& p, chart::ValueRange moved, const LoadedDays& days) {
  if (MonthOrYear(p.span)) return std::nullopt;
  TimePosition n = p;
  n.scrolled = moved;
  // The slider and the current day follow the start of the window.
  const DateTime m = n.scrolled->min;
  const DayPosition current{p.dayStart, p.dayIndex, p.hourStart};
  if (p.span == Span::Day) {
    const DayPosition next = FollowDaySpan(days, current, m);
    n.dayStart = next.dayStart;
    n.dayIndex = next.dayIndex;
  } else {
    const int width = p.hourEnd - p.hourStart;
    const DayPosition next = FollowHourSpan(days, current, width, m);
    n.dayStart = next.dayStart;
    n.dayIndex = next.dayIndex;
    n.hourStart = next.hourStart;
    n.hourEnd = next.hourStart + width;
  }
  return n;
}

ShownTime ShowPosition(const TimePosition& p, const LoadedDays& days) {
  ShownTime s;
  int maximum = 0;
  int position = 0;
  if (p.span == Span::Year) {
    const DateTime from = FirstOfYear(p.shownYear);
    s.window = {from, FirstOfYear(p.shownYear + 1)};
    s.title = {TitleStyle::Year, from, from};
    s.axisFormat = kYearAxisFormat;  // unzoomed: months
    maximum = YearOf(days.DayStartDate(days.DayCount() - 1)) - p.firstYear;
    position = p.shownYear - p.firstYear;
  } else if (p.span == Span::Month) {
    s.window = {p.dayStart, FirstOfNextMonth(p.dayStart)};
    s.title = {TitleStyle::Month, p.dayStart, p.dayStart};
    s.axisFormat = "dd.";
    maximum = days.MonthCount() - 1;
    position = p.monthIndex;
  } else {
    s.window = {AtHour(p.dayStart, p.hourStart), AtHour(p.dayStart, p.hourEnd)};
    s.title = {TitleStyle::Day, p.dayStart, p.dayStart};
    const bool day = p.span == Span::Day;
    maximum = day ? days.DayCount() - 1 : 24 - (p.hourEnd - p.hourStart);
    position = day ? p.dayIndex : p.hourStart;
  }
  if (p.scrolled) {
    s.window = *p.scrolled;
    s.title = {TitleStyle::CoveredDates, p.scrolled->min, p.scrolled->max};
  }
  s.slider.maximum = std::max(0, maximum);
  s.slider.position = std::clamp(position, 0, s.slider.maximum);
  s.slider.enabled = s.slider.maximum > 0;
  const bool hours = IsHourSpan(p.span);
  const bool monthOrYear = MonthOrYear(p.span);
  s.zoomAllowed = !hours;
  s.panning = hours ? chart::Panning::Horizontal : chart::Panning::None;
  s.scrollRepeat = !monthOrYear;
  s.perMonthVisible = p.span == Span::Year;
  s.totalsEnabled = monthOrYear;
  s.spreadsheetAvailable = !monthOrYear && p.dayIndex < days.DayCount();
  return s;
}

}  // namespace calorix::evaluation
