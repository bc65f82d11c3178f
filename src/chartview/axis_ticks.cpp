#include "chartview/axis_ticks.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "core/date_time.h"

namespace calorix::chartview {
namespace {

constexpr double kMinutesPerDay = 1440.0;
// A bound on labels per axis, so that a degenerate scale cannot make the
// renderer loop over millions of ticks.
constexpr double kMaxTicks = 2000.0;

// Clock and day steps in minutes.
constexpr std::array<long long, 15> kDateTimeSteps = {1,   2,   5,   10,   15,       30,       60,       120,
                                                      180, 360, 720, 1440, 2 * 1440, 7 * 1440, 14 * 1440};

bool Usable(double min, double max) { return std::isfinite(min) && std::isfinite(max) && max > min; }

}  // namespace

double NiceStep(double minStep) {
  if (!(minStep > 0.0) || !std::isfinite(minStep)) return 1.0;
  const double magnitude = std::pow(10.0, std::floor(std::log10(minStep)));
  for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
    // The tolerance keeps 0.3 / 0.1 = 2.9999999 from jumping a rung.
    if (factor * magnitude >= minStep * (1.0 - 1e-9)) return factor * magnitude;
  }
  return 10.0 * magnitude;
}

double ValueStep(double min, double max, double increment, double pixelLength, double minSpacing, bool allowThinning) {
  const double span = max - min;
  if (!Usable(min, max) || pixelLength <= 0.0) return increment > 0.0 ? increment : 1.0;
  const double pixelsPerUnit = pixelLength / span;
  const double floorStep = span / kMaxTicks;
  if (increment > 0.0) {
    if (!allowThinning || increment * pixelsPerUnit >= minSpacing) return std::max(increment, floorStep);
    // Grow by 1-2-5 multiples of the increment, so that labels stay on it.
    const double factor = NiceStep(minSpacing / (increment * pixelsPerUnit));
    return std::max(increment * factor, floorStep);
  }
  return std::max(NiceStep(minSpacing / pixelsPerUnit), NiceStep(floorStep));
}

std::vector<double> TicksAtMultiples(double min, double max, double step) {
  std::vector<double> ticks;
  if (!Usable(min, max) || !(step > 0.0) || (max - min) / step > kMaxTicks) return ticks;
  const double tolerance = step * 1e-9;
  const auto first = static_cast<long long>(std::ceil((min - tolerance) / step));
  const auto last = static_cast<long long>(std::floor((max + tolerance) / step));
  for (long long k = first; k <= last; ++k) ticks.push_back(static_cast<double>(k) * step);
  return ticks;
}

std::string FormatValueLabel(double value, double step) {
  int decimals = 0;
  if (step > 0.0 && step < 1.0) {
    decimals = static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    // Steps such as 0.25 need one decimal more than their magnitude.
    const double scaled = step * std::pow(10.0, decimals);
    if (std::fabs(scaled - std::round(scaled)) > 1e-6) ++decimals;
    decimals = std::min(decimals, 9);
  }
  const double unit = std::pow(10.0, -decimals);
  if (std::fabs(value) < unit / 2.0) value = 0.0;  // no "-0"
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return buffer;
}

double DateTimeStep(double min, double max, double pixelLength, double minSpacing) {
  if (!Usable(min, max) || pixelLength <= 0.0) return 1.0;
  const double pixelsPerMinute = pixelLength / ((max - min) * kMinutesPerDay);
  for (const long long minutes : kDateTimeSteps) {
    if (static_cast<double>(minutes) * pixelsPerMinute >= minSpacing)
      return static_cast<double>(minutes) / kMinutesPerDay;
  }
  // Beyond two weeks per label: whole multiples of 14 days.
  const double days = minSpacing / (pixelsPerMinute * kMinutesPerDay);
  return 14.0 * std::ceil(days / 14.0);
}

std::vector<double> DateTimeTicks(double min, double max, double step) {
  std::vector<double> ticks;
  const auto stepMinutes = static_cast<long long>(std::llround(step * kMinutesPerDay));
  if (!Usable(min, max) || stepMinutes <= 0 ||
      (max - min) * kMinutesPerDay / static_cast<double>(stepMinutes) > kMaxTicks) {
    return ticks;
  }
  // Half a second of slack lets a bound that is a rounded tick count.
  const double slack = 0.5 / 86400.0;
  const auto lo = static_cast<long long>(std::ceil((min - slack) * kMinutesPerDay));
  const auto hi = static_cast<long long>(std::floor((max + slack) * kMinutesPerDay));
  const long long origin = stepMinutes >= 1440
                               ? static_cast<long long>(std::ceil(min - slack)) * 1440  // first midnight in view
                               : 0;                                                     // midnights
  const long long offset = ((lo - origin) % stepMinutes + stepMinutes) % stepMinutes;
  for (long long m = offset == 0 ? lo : lo + stepMinutes - offset; m <= hi; m += stepMinutes) {
    ticks.push_back(static_cast<double>(m) / kMinutesPerDay);
  }
  return ticks;
}

bool FormatShowsTime(std::string_view format) {
  return format.find('h') != std::string_view::npos || format.find('n') != std::string_view::npos ||
         format.find('s') != std::string_view::npos;
}

bool FormatShowsMonthsOnly(std::string_view format) {
  return !FormatShowsTime(format) && format.find('d') == std::string_view::npos;
}

int MonthStep(double min, double max, double pixelLength, double minSpacing) {
  if (!Usable(min, max) || pixelLength <= 0.0) return 1;
  const double shortestMonth = 28.0 * pixelLength / (max - min);
  for (const int months : {1, 2, 3, 6}) {
    if (months * shortestMonth >= minSpacing) return months;
  }
  return 12;
}

std::vector<double> MonthTicks(double min, double max, int step) {
  std::vector<double> ticks;
  if (!Usable(min, max) || step <= 0 || (max - min) / (28.0 * step) > kMaxTicks) return ticks;
  const double slack = 0.5 / 86400.0;
  const CivilDate first = DecodeDate(std::floor(min - slack));
  int year = first.year;
  int month = first.month;
  while (true) {
    if ((month - 1) % step == 0) {
      const std::optional<DateTime> start = TryEncodeDate(year, month, 1);
      if (!start || *start > max + slack) break;
      if (*start >= min - slack) ticks.push_back(*start);
    }
    if (++month > 12) {
      month = 1;
      ++year;
    }
  }
  return ticks;
}

std::string FormatDateTimeLabel(double value, std::string_view format) {
  const double seconds = std::round(value * 86400.0);
  return FormatDateTime(format, seconds / 86400.0);
}

}  // namespace calorix::chartview
