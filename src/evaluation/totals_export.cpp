#include "evaluation/totals_export.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <span>
#include <optional>
#include <vector>

#include "core/date_time.h"
#include "evaluation/csv_text.h"
#include "evaluation/day_totals.h"
#include "logdata/log_analysis.h"

namespace calorix::evaluation {
namespace {

// Temperatures are kept at single precision: their shortest text at that
// precision is the number the log file held.
std::string Temperature(std::optional<double> value) {
  if (!value) return {};
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(*value));
  if (error != std::errc()) return CsvNumber(*value);
  return std::string(buffer, end);
}

std::string Hours(std::optional<double> value) { return value ? CsvDecimal(*value, 2) : std::string(); }

std::string Unit(const logdata::TLogAnalysis& analysis, logdata::Channel channel) {
  const std::string unit = analysis.GetUnit(logdata::IndexOf(channel));
  return unit.empty() ? std::string() : " " + unit;
}

std::string Heading(const logdata::TLogAnalysis& analysis, TotalsPer per) {
  std::string heading = per == TotalsPer::Day ? "date" : "month";
  heading += "," + CsvField("volume" + Unit(analysis, logdata::Channel::Volume));
  heading += "," + CsvField("energy" + Unit(analysis, logdata::Channel::Energy));
  heading += "," + CsvField("collector max (T1)" + Unit(analysis, kCollectorChannel));
  heading += ",pump hours (R1) [h]";
  if (per == TotalsPer::Month) heading += ",days with a file";
  return heading + "\n";
}

constexpr std::size_t kPump = static_cast<std::size_t>(logdata::OutputNumber(kPumpChannel));

// Every day the evaluation holds has its row, also one that its records
// date outside the range its file names gave, so that the rows count the
// days the month totals count. Days of one date are added up as the month
// adds its days.
std::string DayRows(const logdata::TLogAnalysis& analysis) {
  const std::vector<DayTotals> days = DailyTotals(analysis);
  std::string rows;
  DateTime first = std::floor(analysis.StartDate());
  DateTime last = std::floor(analysis.EndDate());
  if (!days.empty()) {
    first = std::min(first, std::floor(days.front().day));
    last = std::max(last, std::floor(days.back().day));
  }
  std::size_t next = 0;
  for (DateTime date = first; date <= last; date += 1.0) {
    rows += FormatDateTime("yyyy-mm-dd", date);
    std::size_t end = next;
    while (end < days.size() && std::floor(days[end].day) == date) ++end;
    if (end > next) {
      const MonthTotals day = MonthlyTotals(std::span(days).subspan(next, end - next)).front();
      rows += "," + CsvDecimal(day.volume, 1) + "," + CsvDecimal(day.energy, 3) + "," + Temperature(day.collectorMax) +
              "," + Hours(day.runningHours[kPump]);
    } else {
      rows += ",,,,";
    }
    next = end;
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
      rows += "," + CsvDecimal(totals.volume, 1) + "," + CsvDecimal(totals.energy, 3) + "," +
              Temperature(totals.collectorMax) + "," + Hours(totals.runningHours[kPump]) + "," +
              std::to_string(totals.daysWithFile);
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
