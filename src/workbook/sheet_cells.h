#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/date_time.h"

namespace calorix::workbook {

// How a number cell is shown.
enum class Look : std::uint8_t {
  General,   // as the spreadsheet shows any number
  Decimals,  // fixed decimals (Cell::decimals)
  DateTime,  // dd.mm.yyyy hh:mm:ss
  Date,      // dd.mm.yyyy
  Time,      // hh:mm
};

// One cell of a sheet: nothing, a number (date-times are numbers counting
// days since 30 December 1899, as spreadsheets count them) or a UTF-8 text.
struct Cell {
  enum class Kind : std::uint8_t { Empty, Number, Text };
  Kind kind = Kind::Empty;
  Look look = Look::General;
  std::uint8_t decimals = 0;  // of the Decimals look only
  double number = 0.0;
  std::string text;

  static Cell Number(double value, Look look = Look::General, int decimals = 0);
  static Cell Text(std::string text);
  friend bool operator==(const Cell&, const Cell&) = default;
};

// The fields of a log file's header line, as UTF-8 texts: split at ";"
// (at TAB when it has no ";").
std::vector<Cell> HeaderCells(std::string_view header);

// The columns of a day file a sheet takes: field 0 is the time stamp, field
// k + 1 the value column of channel k.
using FieldList = std::span<const int>;

// One record of a day file as cells, the fields given (all when fields is
// empty): the time stamp as a date-time (read in `style`, switched as the
// record reader switches it; a stamp that does not read stays text), a
// value as a number shown with the decimals it was logged with, "Err" and
// any other field that is no number as text, an empty field empty. Fills
// `cells`, which is kept between records so that rows cost no allocation.
void RecordCells(std::string_view record, DateStyle& style, FieldList fields, std::vector<Cell>& cells);

// The decimals a logged number was written with ("22,0": 1); -1 for a
// number in exponent form, which keeps the general look.
int LoggedDecimals(std::string_view field);

}  // namespace calorix::workbook
