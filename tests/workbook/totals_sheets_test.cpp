#include "workbook/totals_sheets.h"

#include <gtest/gtest.h>

#include <charconv>

#include "cell_printer.h"
#include "evaluation/evaluation_model.h"
#include "i18n/text_table.h"
#include "logdata/multi_day.h"
#include "support/day_file_text.h"
#include "support/temp_folder.h"

namespace calorix::workbook {
namespace {

using calorix::testing::DayFileText;
using calorix::testing::TempFolder;
using evaluation::TotalsPer;

// A cell as the CSV export writes the same figure.
std::string CsvText(const Cell& cell) {
  char buffer[64];
  switch (cell.kind) {
    case Cell::Kind::Empty: return {};
    case Cell::Kind::Text: return cell.text;
    case Cell::Kind::Number: break;
  }
  if (cell.look == Look::Date) return FormatDateTime("yyyy-mm-dd", cell.number);
  const auto result = cell.look == Look::Decimals
                          ? std::to_chars(buffer, buffer + sizeof buffer, cell.number, std::chars_format::fixed,
                                          static_cast<int>(cell.decimals))
                          : std::to_chars(buffer, buffer + sizeof buffer, cell.number);
  return std::string(buffer, result.ptr);
}

std::string AsCsv(const Rows& rows) {
  std::string text;
  for (const auto& row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) text += (i ? "," : "") + CsvText(row[i]);
    text += "\n";
  }
  return text;
}

// 30 April and 2 May have files, 1 May has none.
class TotalsRowsTest : public ::testing::Test {
 protected:
  TotalsRowsTest() {
    const auto first = folder.Write(
        "20240430.csv", DayFileText("2024-04-30", {"00:00;50;;;;;;;2;3;100;;;", "01:00;70;;;;;;;0;0;0;;;"}));
    const auto last = folder.Write(
        "20240502.csv", DayFileText("2024-05-02", {"00:00;40,5;;;;;;;1;1,5;100;;;", "12:00;45,2;;;;;;;0;0;0;;;"}));
    const logdata::MultiDayRequest request = logdata::ResolveMultiDayRequest(first.string(), last.string());
    logdata::RunMultiDayLoad(request.files, request.start, request.end, model, {});
  }
  TempFolder folder;
  evaluation::EvaluationModel model;
};

TEST_F(TotalsRowsTest, HoldTheFiguresOfTheCsvExportRowForRow) {
  ASSERT_TRUE(model.Snapshot().load.Data());
  for (const TotalsPer per : {TotalsPer::Day, TotalsPer::Month}) {
    EXPECT_EQ(AsCsv(TotalsRows(*model.Snapshot().load.Data(), per)),
              evaluation::TotalsCsv(*model.Snapshot().load.Data(), per));
  }
}

TEST_F(TotalsRowsTest, DatesAreDateCellsAndMonthsTexts) {
  const Rows days = TotalsRows(*model.Snapshot().load.Data(), TotalsPer::Day);
  EXPECT_EQ(days[2][0], Cell::Number(*TryEncodeDate(2024, 5, 1), Look::Date));
  EXPECT_EQ(TotalsRows(*model.Snapshot().load.Data(), TotalsPer::Month)[1][0], Cell::Text("2024-04"));
  EXPECT_EQ(TotalsRows(*model.Snapshot().load.Data(), TotalsPer::Month)[0][kEnergyColumn], Cell::Text("energy [kWh]"));
}

TEST(DayTotalsRows, TheSummaryOfTheDayAsNamesAndNumbers) {
  i18n::SetCurrentBlock(i18n::LanguageBlock::English);
  evaluation::RangeSummary day;
  day.from = *TryEncodeDate(2024, 5, 31);
  day.to = day.from + 1.0;
  day.channels.push_back({logdata::Channel::T1, {10.0, 67.3, day.from + 13.0 / 24.0, 30.0, 1440}});
  day.outputs.push_back({logdata::Channel::R1, 5.5});
  day.volume = 812.25;
  day.energy = 12.5;
  evaluation::SummaryNames names;
  names.labels[0] = "Collector";
  names.units[0] = "\u00B0C";
  names.labels[9] = "Pump";
  names.labels[13] = "Volume";
  names.units[13] = "l";
  names.labels[14] = "Energy";
  names.units[14] = "kWh";

  const Rows expected{
      {Cell::Text("31.05.2024 00:00 \u2013 01.06.2024 00:00")},
      {Cell::Text("Collector [\u00B0C]")},
      {Cell::Text("  Maximum"), Cell::Number(67.3)},
      {Cell::Text("  Time of maximum"), Cell::Number(day.from + 13.0 / 24.0, Look::Time)},
      {Cell::Text("Running hours [h]")},
      {Cell::Text("  Pump"), Cell::Number(5.5, Look::Decimals, 2)},
      {Cell::Text("Volume [l]"), Cell::Number(812.25, Look::Decimals, 2)},
      {Cell::Text("Energy [kWh]"), Cell::Number(12.5, Look::Decimals, 2)},
  };
  EXPECT_EQ(DayTotalsRows(day, names), expected);
  i18n::SetCurrentBlock(i18n::LanguageBlock::German);
}

}  // namespace
}  // namespace calorix::workbook
