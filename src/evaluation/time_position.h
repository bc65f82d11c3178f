#pragma once

#include <optional>

#include "chart/chart_panel.h"
#include "core/date_time.h"
#include "evaluation/time_navigation.h"

namespace calorix::evaluation {

// The loaded days and calendar months as the position in time asks for
// them. Month questions are asked only of a multi-day evaluation.
class LoadedDays : public DayDates {
 public:
  virtual int MonthCount() const = 0;
  // The first day of the k-th month of the range.
  virtual DateTime MonthStartDate(int monthIndex) const = 0;
  virtual int MonthIndexOfDay(int dayIndex) const = 0;
  // The first loaded day in or after the k-th month.
  virtual int DayIndexOfMonth(int monthIndex) const = 0;
};

// Where in time an evaluation window stands: the span, the current day
// (the first of the month in the month span, 1 January in the year span)
// and the visible hours of it. A value; the transitions below return the
// next one and leave the current one as it is.
struct TimePosition {
  int spanCount = kSingleDaySpanCount;
  Span span = Span::Day;
  DateTime dayStart = 0.0;
  int dayIndex = 0;
  int monthIndex = 0;
  int hourStart = 0;
  int hourEnd = 24;
  // The year shown in the year span; its slider counts from firstYear.
  int shownYear = 0;
  int firstYear = 0;
  // The window a scroll step left, which stays until the position is
  // placed anew (the day and hour spans only).
  std::optional<chart::ValueRange> scrolled;
  friend bool operator==(const TimePosition&, const TimePosition&) = default;
};

// A new evaluation opens on its first day in the day span.
TimePosition FirstDayPosition(int spanCount, const LoadedDays& days);

// The transitions. None means the command changes nothing at all.
std::optional<TimePosition> ChooseSpan(const TimePosition& p, int item, const LoadedDays& days);
TimePosition MoveSlider(const TimePosition& p, int position, const LoadedDays& days);
std::optional<TimePosition> JumpLeft(const TimePosition& p, const LoadedDays& days);
std::optional<TimePosition> JumpRight(const TimePosition& p, const LoadedDays& days);
// A month (a year) back or forward in the month (year) span.
std::optional<TimePosition> ScrollClick(const TimePosition& p, int direction, const LoadedDays& days);
// One scroll step from the visible window (which a zoom or pan may have
// changed): the window moves by a fortieth of its width and the day and
// hours follow its start. Not in the month and year spans.
std::optional<TimePosition> ScrollStep(const TimePosition& p, chart::ValueRange window, int direction,
                                       const LoadedDays& days);
// The window moved to `moved` by scrolling (a step, or the newest record
// followed): the day and hours follow its start. Not in the month and year
// spans.
std::optional<TimePosition> ScrollWindow(const TimePosition& p, chart::ValueRange moved, const LoadedDays& days);

// The day span on the loaded day that holds t: the last loaded day that
// starts at or before t's date, the first day when none does.
TimePosition DayOf(const TimePosition& p, DateTime t, const LoadedDays& days);

// What the upper chart's title names.
enum class TitleStyle { None, Day, Month, CoveredDates, Year };
struct Title {
  TitleStyle style = TitleStyle::None;
  DateTime from = 0.0;
  DateTime to = 0.0;
  friend bool operator==(const Title&, const Title&) = default;
};

struct SliderState {
  int maximum = 0;  // the minimum is always 0
  int position = 0;
  bool enabled = false;
  friend bool operator==(const SliderState&, const SliderState&) = default;
};

// What a position shows.
struct ShownTime {
  chart::ValueRange window;
  Title title;
  SliderState slider;
  const char* axisFormat = "hh:mm";
  // Hour spans pan with the mouse; the day, month and year spans zoom.
  bool zoomAllowed = true;
  chart::Panning panning = chart::Panning::None;
  bool scrollRepeat = true;  // holding a scroll button scrolls
  bool perMonthVisible = false;
  bool totalsEnabled = false;  // Volume and Energy can be checked
  bool spreadsheetAvailable = false;
};

ShownTime ShowPosition(const TimePosition& p, const LoadedDays& days);

}  // namespace calorix::evaluation
