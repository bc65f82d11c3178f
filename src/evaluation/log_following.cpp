#include "evaluation/log_following.h"

#include <algorithm>
#include <cmath>

namespace calorix::evaluation {
namespace {

// The newest record stays this share of the window's width from its right
// edge: a scroll step, so that it is seen as the last point, not cut off.
constexpr double kLeadShare = 0.025;
// Window ends come from axis arithmetic; within this much (far below a
// second) two times are the same.
constexpr double kTolerance = 1e-9;

// The last loaded day that begins at or before t; the days are in date
// order and t mostly lies in the last one.
int DayIndexAt(const LoadedDays& days, DateTime t) {
  int index = days.DayCount() - 1;
  while (index > 0 && std::floor(days.DayStartDate(index)) > t + kTolerance) --index;
  return std::max(index, 0);
}

// The span's own window that shows t: the hours up to the one t lies in,
// or its day, month or year.
TimePosition Showing(const TimePosition& p, DateTime t, const LoadedDays& days) {
  const int index = DayIndexAt(days, t);
  switch (p.span) {
    case Span::Year: return MoveSlider(p, YearOf(t) - p.firstYear, days);
    case Span::Month: return MoveSlider(p, days.MonthIndexOfDay(index), days);
    case Span::Day: return MoveSlider(p, index, days);
    default: break;
  }
  TimePosition n = p;
  n.scrolled.reset();
  n.dayIndex = index;
  n.dayStart = days.DayStartDate(index);
  const int width = p.hourEnd - p.hourStart;
  const int hour = static_cast<int>(std::floor((t - n.dayStart) * 24.0 + kTolerance));
  n.hourStart = std::clamp(hour + 1 - width, 0, 24 - width);
  n.hourEnd = n.hourStart + width;
  return n;
}

bool SameWindow(chart::ValueRange a, chart::ValueRange b) {
  return std::abs(a.min - b.min) <= kTolerance && std::abs(a.max - b.max) <= kTolerance;
}

std::optional<int> MonthIndexStarting(DateTime monthStart, const LoadedDays& days) {
  for (int k = 0; k < days.MonthCount(); ++k) {
    if (days.MonthStartDate(k) == monthStart) return k;
  }
  return std::nullopt;
}

std::optional<int> DayIndexStarting(DateTime dayStart, const LoadedDays& days) {
  for (int i = days.DayCount() - 1; i >= 0; --i) {
    if (days.DayStartDate(i) == dayStart) return i;
  }
  return std::nullopt;
}

}  // namespace

FollowView FollowNewest(const TimePosition& p, const ShownWindow& shown, DateTime previousLast, DateTime newest,
                        const LoadedDays& days) {
  const chart::ValueRange window = shown.window;
  if (window.max + kTolerance < previousLast || newest < window.max) return {};
  const double width = window.max - window.min;
  const double lead = kLeadShare * width;
  const chart::ValueRange moved{newest + lead - width, newest + lead};
  if (shown.zoomed) {
    if (moved.max <= shown.unzoomed.max + kTolerance) return {std::nullopt, moved};
    return {Showing(p, newest, days), std::nullopt};
  }
  // A window scrolled or panned away from the span's own one scrolls on.
  if (p.scrolled || !SameWindow(window, ShowPosition(p, days).window)) {
    if (auto scrolled = ScrollWindow(p, moved, days)) return {std::move(scrolled), std::nullopt};
  }
  return {Showing(p, newest, days), std::nullopt};
}

std::optional<TimePosition> SamePlace(const TimePosition& held, int spanCount, const LoadedDays& days) {
  if (static_cast<int>(held.span) >= spanCount || days.DayCount() == 0) return std::nullopt;
  TimePosition n = held;
  n.spanCount = spanCount;
  const bool months = spanCount > kSingleDaySpanCount;
  if (held.span == Span::Year) {
    n.firstYear = YearOf(days.DayStartDate(0));
    return n;
  }
  if (held.span == Span::Month) {
    const std::optional<int> month = MonthIndexStarting(held.dayStart, days);
    if (!month) return std::nullopt;
    n.monthIndex = *month;
    n.dayIndex = days.DayIndexOfMonth(*month);
    return n;
  }
  const std::optional<int> day = DayIndexStarting(held.dayStart, days);
  if (!day) return std::nullopt;
  n.dayIndex = *day;
  n.monthIndex = months ? days.MonthIndexOfDay(*day) : 0;
  return n;
}

}  // namespace calorix::evaluation
