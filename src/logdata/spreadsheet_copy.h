#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace calorix::logdata {

// One line of a day file as a spreadsheet reads it whatever its locale:
// fields separated by commas, numbers with a decimal point ("12,5" becomes
// 12.5), and a field that still holds a comma or a quote put in quotes.
std::string SpreadsheetLine(std::string_view line);

// Writes a copy of a day file, every line whole and converted as above, to
// a new file in `folder`, named after the day file (the last eight UTF-8
// characters of its name before the extension, then "c.csv"); an existing
// file is never written over: "…c-2.csv" and so on are tried. Returns the
// copy's path; throws calorix::Error ("Error occurred while opening file"
// and the path) when the day file cannot be read or no copy written.
std::filesystem::path WriteSpreadsheetCopy(const std::filesystem::path& dayFile, const std::filesystem::path& folder);

}  // namespace calorix::logdata
