#pragma once

#include <string>
#include <string_view>

namespace calorix::evaluation {

// One field of the CSV files Calorix writes: as it is, or in quotes (with
// each quote doubled) when it holds a comma, a quote or a line break.
std::string CsvField(std::string_view text);

// A number with a fixed count of decimals and "." as the decimal point
// ("12.50"; never "-0.0"). A value too large to write that way is written
// in exponent form ("1.44e+103"), which spreadsheets read as well; a value
// that is no number (infinite, NaN) gives an empty field.
std::string CsvDecimal(double value, int decimals);

// The shortest text that reads back as the value, or an empty field for a
// value that is no number.
std::string CsvNumber(double value);

}  // namespace calorix::evaluation
