#include "workbook/sheet_cells.h"

#include <gtest/gtest.h>

#include <vector>

#include "cell_printer.h"

namespace calorix::workbook {
namespace {

DateTime Stamp(int hour, int minute) { return *TryEncodeDate(2024, 5, 31) + *TryEncodeTime(hour, minute); }

std::vector<Cell> Cells(std::string_view record, std::vector<int> fields = {}) {
  DateStyle style = DateStyle::YearMonthDayTime;
  std::vector<Cell> cells;
  RecordCells(record, style, fields, cells);
  return cells;
}

TEST(RecordCells, EachFieldKeepsWhatTheLogHeld) {
  EXPECT_EQ(Cells("2024-05-31 14:37;14,5;Err;;22,0;-3,25;100;1,5e3;open"),
            (std::vector<Cell>{Cell::Number(Stamp(14, 37), Look::DateTime), Cell::Number(14.5, Look::Decimals, 1),
                               Cell::Text("Err"), Cell(), Cell::Number(22.0, Look::Decimals, 1),
                               Cell::Number(-3.25, Look::Decimals, 2), Cell::Number(100.0, Look::Decimals, 0),
                               Cell::Number(1500.0), Cell::Text("open")}));
}

TEST(RecordCells, AStampThatDoesNotReadStaysText) {
  EXPECT_EQ(Cells("yesterday;1,0"), (std::vector<Cell>{Cell::Text("yesterday"), Cell::Number(1.0, Look::Decimals, 1)}));
  EXPECT_EQ(Cells(";1,0").front(), Cell());
}

TEST(RecordCells, AStampInTheOtherStyleSwitchesTheStyleAsTheRecordReaderDoes) {
  DateStyle style = DateStyle::YearMonthDayTime;
  std::vector<Cell> cells;
  RecordCells("31.05.2024 14:37;1,0", style, {}, cells);
  EXPECT_EQ(cells.front(), Cell::Number(Stamp(14, 37), Look::DateTime));
  EXPECT_EQ(style, DateStyle::DayMonthYearTime);
}

TEST(RecordCells, ChosenFieldsInTheirOrderAndMissingColumnsEmpty) {
  const std::vector<int> fields{0, 2, 14};
  EXPECT_EQ(
      Cells("2024-05-31 00:00;1,5;2,5;3,5", fields),
      (std::vector<Cell>{Cell::Number(Stamp(0, 0), Look::DateTime), Cell::Number(2.5, Look::Decimals, 1), Cell()}));
}

TEST(RecordCells, ARowKeepsNoCellOfTheLongerRowBefore) {
  DateStyle style = DateStyle::YearMonthDayTime;
  std::vector<Cell> cells;
  RecordCells("2024-05-31 00:00;Err;1;2;3", style, {}, cells);
  RecordCells("2024-05-31 00:01;4,0", style, {}, cells);
  EXPECT_EQ(cells,
            (std::vector<Cell>{Cell::Number(Stamp(0, 1), Look::DateTime), Cell::Number(4.0, Look::Decimals, 1)}));
}

TEST(HeaderCells, FieldsAsUtf8AtSemicolonsElseAtTabs) {
  EXPECT_EQ(HeaderCells("DATE & TIME;T1[\xB0"
                        "C];R![%]"),
            (std::vector<Cell>{Cell::Text("DATE & TIME"), Cell::Text("T1[\u00B0C]"), Cell::Text("R![%]")}));
  EXPECT_EQ(HeaderCells("DATE\tT1"), (std::vector<Cell>{Cell::Text("DATE"), Cell::Text("T1")}));
}

TEST(LoggedDecimals, DigitsAfterTheComma) {
  const struct {
    const char* field;
    int decimals;
  } cases[] = {{"22,0", 1}, {"0,000", 3}, {"100", 0}, {" -3,25 ", 2}, {"1,5e3", -1}, {"2E2", -1}};
  for (const auto& c : cases) EXPECT_EQ(LoggedDecimals(c.field), c.decimals) << c.field;
}

}  // namespace
}  // namespace calorix::workbook
