#include "evaluation/totals_export.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

#include "core/date_time.h"
#include "evaluation/day_totals.h"
#include "logdata/log_analysis.h"

namespace calorix::evaluation {
namespace {

std::string Fixed(double value, int decimals) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  std::string text(buffer, result.ptr);
  if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

// Temperatures are kept at single precision: their shortest text at that
// precision is the number the log file held.
std::string Temperature(std::optional<double> value) {
  if (!value) return {};
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(*value));
  return std::string(buffer, result.ptr);
}

std::string Hours(std::optional<double> value) { return value ? Fixed(*value, 2) : std::string(); }

std::string Unit(const logdata::TLogAnalysis& analysis, logdata::Channel channel) {
  const std::string unit = analysis.GetUnit(logdata::IndexOf(channel));
  return unit.empty() ? std::string() : " " + unit;
}

std::string Heading(const logdata::TLogAnalysis& analysis, TotalsPer per) {
  std::string heading = per == TotalsPer::Day ? "date" : "month";
  heading += ",volume" + Unit(analysis, logdata::Channel::Volume);
  heading += ",energy" + Unit(analysis, logdata::Channel::Energy);
  heading += ",collector max (T1)" + Unit(analysis, kCollectorChannel);
  heading += ",pump hours (R1) [h]";
  if (per == TotalsPer::Month) heading += ",days with a file";
  return heading + "\n";
}

constexpr std::size_t kPump = static_cast<std::size_t>(logdata::OutputNumber(kPumpChannel));

std::string DayRows(const logdata::TLogAnalysis& analysis) {
  const std::vector<DayTotals> days = DailyTotals(analysis);
  std::string rows;
  std::size_t next = 0;
  const DateTime last = std::floor(analysis.EndDate());
  for (DateTime date = std::floor(analysis.StartDate()); date <= last; date += 1.0) {
    rows += FormatDateTime("yyyy-mm-dd", date);
    while (next < days.size() && std::floor(days[next].day) < date) ++next;
    if (next < days.size() && std::floor(days[next].day) == date) {
      const DayTotals& day = days[next];
      rows += "," + Fixed(day.volume, 1) + "," + Fixed(day.energy, 3) + "," + Temperature(day.collectorMax) + "," +
              Hours(day.runningHours[kPump]);
    } else {
      rows += ",,,,";
    }
    rows += "\n";
  }
  return rows;
}

std::string MonthRows(const logdata::TLogAnalysis& analysis) {
  const std::vector<DayTotals> days = DailyTotals(analysis);
  const std::vector<MonthTotals> months = MonthlyTotals(days);
  const CivilDate first = DecodeDate(analysis.StartDate());
  const CivilDate last = DecodeDate(analysis.EndDate());
  std::string rows;
  std::size_t next = 0;
  for (int year = first.year, month = first.month; year < last.year || (year == last.year && month <= last.month);
       month == 12 ? (++year, month = 1) : ++month) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d", year, month);
    rows += date;
    if (next < months.size() && months[next].year == year && months[next].month == month) {
      const MonthTotals& totals = months[next++];
      rows += "," + Fixed(totals.volume, 1) + "," + Fixed(totals.energy, 3) + "," + Temperature(totals.collectorMax) +
              "," + Hours(totals.runningHours[kPump]) + "," + std::to_string(totals.daysWithFile);
    } else {
      rows += ",,,,,0";
    }
    rows += "\n";
  }
  return rows;
}

}  // namespace

std::string TotalsCsv(const logdata::TLogAnalysis& analysis, TotalsPer per) {
  if (!analysis.HasData()) return Heading(analysis, per);
  return Heading(analysis, per) + (per == TotalsPer::Day ? DayRows(analysis) : MonthRows(analysis));
}

}  // namespace calorix::evaluation
