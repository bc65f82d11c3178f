#include "workbook/totals_sheets.h"

#include <cmath>
#include <cstddef>
#include <cstdio>

#include "evaluation/day_totals.h"
#include "i18n/text_table.h"
#include "logdata/log_analysis.h"

namespace calorix::workbook {
namespace {

using evaluation::TotalsPer;
using logdata::Channel;

constexpr std::size_t kPump = static_cast<std::size_t>(logdata::OutputNumber(evaluation::kPumpChannel));

std::string Heading(const logdata::TLogAnalysis& analysis, const char* name, Channel channel) {
  const std::string unit = analysis.GetUnit(logdata::IndexOf(channel));
  return unit.empty() ? name : std::string(name) + " " + unit;
}

std::vector<Cell> HeadingRow(const logdata::TLogAnalysis& analysis, TotalsPer per) {
  std::vector<Cell> row{Cell::Text(per == TotalsPer::Day ? "date" : "month"),
                        Cell::Text(Heading(analysis, "volume", Channel::Volume)),
                        Cell::Text(Heading(analysis, "energy", Channel::Energy)),
                        Cell::Text(Heading(analysis, "collector max (T1)", evaluation::kCollectorChannel)),
                        Cell::Text("pump hours (R1) [h]")};
  if (per == TotalsPer::Month) row.push_back(Cell::Text("days with a file"));
  return row;
}

Cell Optional(const std::optional<double>& value, Look look, int decimals) {
  return value ? Cell::Number(*value, look, decimals) : Cell();
}

std::vector<Cell> FiguresRow(Cell date, double volume, double energy, const std::optional<double>& collectorMax,
                             const std::optional<double>& pumpHours) {
  return {std::move(date), Cell::Number(volume, Look::Decimals, 1), Cell::Number(energy, Look::Decimals, 3),
          Optional(collectorMax, Look::General, 0), Optional(pumpHours, Look::Decimals, 2)};
}

void DayRows(const logdata::TLogAnalysis& analysis, Rows& rows) {
  const std::vector<evaluation::DayTotals> days = evaluation::DailyTotals(analysis);
  std::size_t next = 0;
  const DateTime last = std::floor(analysis.EndDate());
  for (DateTime date = std::floor(analysis.StartDate()); date <= last; date += 1.0) {
    while (next < days.size() && std::floor(days[next].day) < date) ++next;
    if (next < days.size() && std::floor(days[next].day) == date) {
      const evaluation::DayTotals& day = days[next];
      rows.push_back(FiguresRow(Cell::Number(date, Look::Date), day.volume, day.energy, day.collectorMax,
                                day.runningHours[kPump]));
    } else {
      rows.push_back({Cell::Number(date, Look::Date), Cell(), Cell(), Cell(), Cell()});
    }
  }
}

void MonthRows(const logdata::TLogAnalysis& analysis, Rows& rows) {
  const std::vector<evaluation::MonthTotals> months = evaluation::MonthlyTotals(evaluation::DailyTotals(analysis));
  const CivilDate first = DecodeDate(analysis.StartDate());
  const CivilDate last = DecodeDate(analysis.EndDate());
  std::size_t next = 0;
  for (int year = first.year, month = first.month; year < last.year || (year == last.year && month <= last.month);
       month == 12 ? (++year, month = 1) : ++month) {
    char name[16];
    std::snprintf(name, sizeof name, "%04d-%02d", year, month);
    if (next < months.size() && months[next].year == year && months[next].month == month) {
      const evaluation::MonthTotals& totals = months[next++];
      rows.push_back(
          FiguresRow(Cell::Text(name), totals.volume, totals.energy, totals.collectorMax, totals.runningHours[kPump]));
      rows.back().push_back(Cell::Number(totals.daysWithFile));
    } else {
      rows.push_back({Cell::Text(name), Cell(), Cell(), Cell(), Cell(), Cell::Number(0)});
    }
  }
}

std::string Named(const evaluation::SummaryNames& names, Channel channel) {
  const auto i = static_cast<std::size_t>(logdata::IndexOf(channel));
  return names.units[i].empty() ? names.labels[i] : names.labels[i] + " [" + names.units[i] + "]";
}

std::vector<Cell> NameAndNumber(std::string name, double value, Look look = Look::Decimals, int decimals = 2) {
  return {Cell::Text(std::move(name)), Cell::Number(value, look, decimals)};
}

}  // namespace

Rows TotalsRows(const logdata::TLogAnalysis& analysis, TotalsPer per) {
  Rows rows{HeadingRow(analysis, per)};
  if (!analysis.HasData()) return rows;
  if (per == TotalsPer::Day) {
    DayRows(analysis, rows);
  } else {
    MonthRows(analysis, rows);
  }
  return rows;
}

Rows DayTotalsRows(const evaluation::RangeSummary& day, const evaluation::SummaryNames& names) {
  using i18n::Text;
  const std::string indent = "  ";
  Rows rows{{Cell::Text(FormatDateTime("dd.mm.yyyy hh:nn", day.from) + " \u2013 " +
                        FormatDateTime("dd.mm.yyyy hh:nn", day.to))}};
  for (const evaluation::ChannelSummary& channel : day.channels) {
    rows.push_back({Cell::Text(Named(names, channel.channel))});
    rows.push_back(NameAndNumber(indent + Text(i18n::kTextMaximum), channel.statistics.maximum, Look::General));
    rows.push_back(NameAndNumber(indent + Text(i18n::kTextTimeOfMaximum), channel.statistics.maximumAt, Look::Time));
  }
  if (!day.outputs.empty()) rows.push_back({Cell::Text(Text(i18n::kTextRunningHours) + " [h]")});
  for (const evaluation::OutputSummary& output : day.outputs) {
    rows.push_back(
        NameAndNumber(indent + names.labels[static_cast<std::size_t>(logdata::IndexOf(output.channel))], output.hours));
  }
  rows.push_back(NameAndNumber(Named(names, Channel::Volume), day.volume));
  rows.push_back(NameAndNumber(Named(names, Channel::Energy), day.energy));
  return rows;
}

}  // namespace calorix::workbook
