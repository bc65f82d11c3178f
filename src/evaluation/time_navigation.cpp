#include "evaluation/time_navigation.h"

#include <cctype>
#include <cmath>

#include "evaluation/date_text.h"
#include "i18n/text_table.h"

namespace calorix::evaluation {

int SpanHours(Span span) {
  switch (span) {
    case Span::OneHour: return 1;
    case Span::ThreeHours: return 3;
    case Span::EightHours: return 8;
    case Span::Day: break;
    case Span::Month: return kMonthHours;
    case Span::Year: return 366 * 24;  // the longest year
  }
  return 24;
}

int SpanTextRow(int item) {
  if (item == static_cast<int>(Span::Year)) return i18n::kTextOneYear;
  return i18n::kTextFirstSpan + item;
}

DateTime AtHour(DateTime day, int hour) {
  return static_cast<double>(static_cast<long double>(day) + hour * (1.0L / 24.0L));
}

DateTime FirstOfNextMonth(DateTime day) {
  const CivilDate date = DecodeDate(day);
  const int month = date.month == 12 ? 1 : date.month + 1;
  const int year = date.month == 12 ? date.year + 1 : date.year;
  return TryEncodeDate(year, month, 1).value_or(std::floor(day) + 31.0);
}

std::string MonthAxisLabel(const chart::ChartAxis& axis, const std::string& label, const MonthNames& names) {
  if (axis.Position() != chart::AxisPosition::Bottom || axis.DateTimeFormat() != kYearAxisFormat) return label;
  if (label.size() != 2 || !std::isdigit(static_cast<unsigned char>(label[0])) ||
      !std::isdigit(static_cast<unsigned char>(label[1]))) {
    return label;
  }
  const int month = (label[0] - '0') * 10 + (label[1] - '0');
  if (month < 1 || month > 12) return label;
  return names.abbreviated[static_cast<std::size_t>(month - 1)];
}

bool OffersYearSpan(DateTime firstDay, DateTime lastDay) { return std::floor(lastDay) - std::floor(firstDay) >= 31.0; }

DateTime FirstOfYear(int year) { return TryEncodeDate(year, 1, 1).value_or(0.0); }

int YearOf(DateTime value) { return DecodeDate(value).year; }

namespace {

// Whether `current` is strictly nearer to m than `candidate`.
bool StrictlyNearer(double current, double candidate, double m) {
  return std::fabs(current - m) < std::fabs(candidate - m);
}

}  // namespace

DayPosition FollowDaySpan(const DayDates& days, DayPosition current, DateTime m) {
  const double d = std::floor(current.dayStart);
  DayPosition candidate = current;
  if (d - 0.5 > m) {
    for (int i = current.dayIndex - 1; i >= 0; --i) {
      candidate = {days.DayStartDate(i), i, 0};
      if (std::floor(candidate.dayStart) <= m) break;
      current = candidate;
    }
  } else if (d + 0.5 < m) {
    for (int i = current.dayIndex + 1; i < days.DayCount(); ++i) {
      candidate = {days.DayStartDate(i), i, 0};
      if (std::floor(candidate.dayStart) >= m) break;
      current = candidate;
    }
  }
  if (StrictlyNearer(std::floor(current.dayStart), std::floor(candidate.dayStart), m)) return current;
  return candidate;
}

namespace {

double TimeOf(const DayPosition& p) { return std::floor(p.dayStart) + p.hourStart / 24.0; }

}  // namespace

DayPosition FollowHourSpan(const DayDates& days, DayPosition current, int width, DateTime m) {
  const double d = std::floor(current.dayStart);
  const int lastStart = 24 - width;
  DayPosition candidate = current;
  if (d + (current.hourStart - 0.5) / 24.0 > m) {
    while (candidate.dayIndex > 0 || candidate.hourStart > 0) {
      if (--candidate.hourStart < 0) {
        --candidate.dayIndex;
        candidate.dayStart = days.DayStartDate(candidate.dayIndex);
        candidate.hourStart = lastStart;
      }
      if (TimeOf(candidate) <= m) break;
      current = candidate;
    }
  } else if (d + (current.hourStart + 0.5) / 24.0 < m) {
    while (candidate.dayIndex < days.DayCount() - 1 || candidate.hourStart < lastStart) {
      if (++candidate.hourStart > lastStart) {
        ++candidate.dayIndex;
        candidate.dayStart = days.DayStartDate(candidate.dayIndex);
        candidate.hourStart = 0;
      }
      if (TimeOf(candidate) >= m) break;
      current = candidate;
    }
  }
  if (StrictlyNearer(TimeOf(current), TimeOf(candidate), m)) return current;
  return candidate;
}

std::string CoveredDatesTitle(DateTime m, DateTime M, const MonthNames& names) {
  std::string title = FormatDate(kShortDate, m, names);
  for (double t = m + 1.0; std::floor(t) < M; t += 1.0) {
    title += " + ";
    title += FormatDate(kShortDate, t, names);
  }
  return title;
}

}  // namespace calorix::evaluation
