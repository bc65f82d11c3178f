#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "findings/findings.h"

namespace calorix::logdata {
class TLogAnalysis;
}

namespace calorix::app {

// The findings as lines of cells for the command line: a heading, then per
// finding its kind word, channel name (empty for gap and missing-day),
// start and end ("yyyy-mm-dd hh:mm") and the figure with its unit
// ("134.5 °C at 13:19", "31 min"). Fixed English for scripts.
std::vector<std::vector<std::string>> FindingRows(const std::vector<findings::Finding>& found,
                                                  const logdata::TLogAnalysis& analysis);

// The rows as "--findings" prints them: cells separated by TAB.
std::string FindingsTable(const std::vector<std::vector<std::string>>& rows);
// The rows as CSV: cells separated by ",", a cell holding "," or a
// quotation mark quoted; lines end in "\n", UTF-8.
std::string FindingsCsv(const std::vector<std::vector<std::string>>& rows);

// Carries out "--findings" (and "--export OUT.csv --findings"): loads the
// file or the range without a window, finds with the thresholds of the
// settings file, and hands the table (or the CSV) to write. Files of a
// range that fail, and threshold values that are no number, go to warn.
// Throws calorix::Error with the text to print when no day could be
// loaded, in the stored language (with none stored the first of
// systemLanguages that is a choice, else German). Needs no Qt.
void RunFindings(const CommandLine& line, const std::function<void(const std::string&)>& write,
                 const std::function<void(const std::string&)>& warn,
                 const std::vector<std::string>& systemLanguages = {});

}  // namespace calorix::app
