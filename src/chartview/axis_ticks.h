#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace calorix::chartview {

// Tick positions and label texts of the axes. Pure functions: they know
// nothing of Qt, so tests can pin them down directly.

// The smallest step of the form 1, 2 or 5 times a power of ten that is at
// least minStep.
double NiceStep(double minStep);

// Label step of a value axis whose labels must lie at least minSpacing
// pixels apart. A given increment is kept when its labels fit; otherwise
// (and only when thinning is allowed) it grows by the 1-2-5 ladder. Without
// an increment a nice step is chosen.
double ValueStep(double min, double max, double increment, double pixelLength, double minSpacing, bool allowThinning);

// Every multiple of step within [min, max], from the bottom up.
std::vector<double> TicksAtMultiples(double min, double max, double step);

// Shortest decimal text of a tick value with as many decimals as the step
// needs: 5 -> "5", 2.5 -> "2.5", -0.2 -> "-0.2", never "-0".
std::string FormatValueLabel(double value, double step);

// Label step of a date-time axis in days, taken from a ladder of clock
// steps (1 minute to 12 hours) and day steps (1, 2, 7, 14 days) so that
// labels lie at least minSpacing pixels apart.
double DateTimeStep(double min, double max, double pixelLength, double minSpacing);

// Ticks of a date-time axis: whole multiples of a clock step from midnight,
// or whole days counted from the first midnight in view for day steps.
// Computed in whole minutes so that midnights come out exact.
std::vector<double> DateTimeTicks(double min, double max, double step);

// True when the format prints a time of day ("hh:mm"), false for a date
// only ("dd."). Ticks between midnights get no label on a date-only axis.
bool FormatShowsTime(std::string_view format);

// True when the format prints neither a day nor a time ("mm"): such an
// axis is labelled at the first of months.
bool FormatShowsMonthsOnly(std::string_view format);

// Label step of a month-labelled axis in months (1, 2, 3, 6 or 12, so that
// labels stay on the same months every year), judged by the shortest
// month so that labels lie at least minSpacing pixels apart.
int MonthStep(double min, double max, double pixelLength, double minSpacing);

// The first day of every step-th month of the year (from January) within
// [min, max].
std::vector<double> MonthTicks(double min, double max, int step);

// The label text of a date-time value, rounded to the nearest second first
// so that a tick a hair below midnight does not print the day before.
std::string FormatDateTimeLabel(double value, std::string_view format);

}  // namespace calorix::chartview
