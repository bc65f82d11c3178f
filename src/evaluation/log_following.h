#pragma once

#include <optional>

#include "chart/chart_panel.h"
#include "core/date_time.h"
#include "evaluation/time_position.h"

namespace calorix::evaluation {

// The time window a window shows, as the charts have it.
struct ShownWindow {
  chart::ValueRange window;
  bool zoomed = false;
  // The span's own window, which a zoom lies in.
  chart::ValueRange unzoomed;
};

// Where the view goes when records came in while following a log. Nothing
// set: it stays where it is.
struct FollowView {
  // Navigate there (a zoom is undone).
  std::optional<TimePosition> position;
  // Else zoom the time axis to this window, as the mouse would.
  std::optional<chart::ValueRange> zoom;
};

// While the view shows the newest record (its window ends at or after the
// last record before the new ones came in), it moves along so that the
// newest record stays in view: a zoomed window keeps its width and ends a
// little after it (or the span shows the record's day or month once the
// zoom would leave it), a scrolled or panned window likewise, and the
// span's own window moves to the hours, day, month or year the record lies
// in. A view the user moved elsewhere stays. Days must be in date order.
FollowView FollowNewest(const TimePosition& p, const ShownWindow& shown, DateTime previousLast, DateTime newest,
                        const LoadedDays& days);

// The position that shows what held showed, in the days loaded again with
// spanCount spans (following went on into a new day's file): the same span
// at the same date, hours and year; none when that date is no longer
// loaded or the span is not offered.
std::optional<TimePosition> SamePlace(const TimePosition& held, int spanCount, const LoadedDays& days);

}  // namespace calorix::evaluation
