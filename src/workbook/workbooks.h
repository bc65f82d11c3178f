#pragma once

#include <filesystem>
#include <optional>
#include <span>

#include "core/child_settings.h"
#include "evaluation/range_summary.h"
#include "evaluation/totals_export.h"
#include "logdata/channel.h"

namespace calorix::logdata {
class TLogAnalysis;
}
namespace calorix::evaluation {
class EvaluationModel;
}

namespace calorix::workbook {

// The sheets below hold the values of day files as the files hold them:
// the header row of the file (column names with units), then a row per
// record with the time as a date-time shown dd.mm.yyyy hh:mm:ss, every
// value a number shown with the decimals it was logged with, "Err" (and
// anything else that is no number) as text and an empty field empty. The
// first column is 20 characters wide, the header row frozen, A2 selected.
// A sheet that would pass the row limit goes on in a sheet named like it
// with " (2)" and so on. `channels` chooses the value columns (in file
// order; Volume and Energy have none); none means every column. Day files
// are read again from disk. Every failure throws calorix::Error; a file
// whose writing failed is left incomplete or not at all, see the callers.

// One day of the evaluation (dayIndex as GetFileName counts): its values
// in a sheet named after the day (yyyy-mm-dd), and a sheet "Totals" with
// the figures the summary panel shows for the whole day (DayTotalsRows).
void WriteDayWorkbook(const std::filesystem::path& file, const logdata::TLogAnalysis& analysis, int dayIndex,
                      const evaluation::SummaryNames& names, std::span<const logdata::Channel> channels = {});

// Every day of a multi-day evaluation (the first file of each date): one
// sheet of values per calendar month (yyyy-mm), then "Daily totals" and
// "Monthly totals" as TotalsRows, the latter with a column chart of the
// energy per month. Written in constant memory.
void WriteRangeWorkbook(const std::filesystem::path& file, const logdata::TLogAnalysis& analysis,
                        std::span<const logdata::Channel> channels);

// The totals alone: one sheet, "Daily totals" or "Monthly totals" (with its
// chart).
void WriteTotalsWorkbook(const std::filesystem::path& file, const logdata::TLogAnalysis& analysis,
                         evaluation::TotalsPer per);

// What "--export OUT.xlsx" writes: the totals asked for, else the range
// workbook of a multi-day evaluation or the day workbook of a single day,
// named with the settings' labels.
void WriteExportWorkbook(const std::filesystem::path& file, const logdata::TLogAnalysis& analysis,
                         const TChildSettings& settings, std::span<const logdata::Channel> channels,
                         std::optional<evaluation::TotalsPer> totals);

// For handing a day to another program: writes WriteDayWorkbook into a new
// file in folder, named after the day file ("20240531.xlsx", or
// "20240531-2.xlsx" and so on when that exists; an existing file is never
// written over) and returns its path. The day file itself is only read.
std::filesystem::path WriteDayWorkbookCopy(const std::filesystem::path& folder, const logdata::TLogAnalysis& analysis,
                                           int dayIndex, const evaluation::SummaryNames& names);

// The day a window shows (while it offers "Open in Excel") as
// WriteDayWorkbookCopy into folder, named with the window's labels; none
// when it shows no single day.
std::optional<std::filesystem::path> WriteShownDayCopy(const evaluation::EvaluationModel& model,
                                                       const std::filesystem::path& folder);

// The day index of the file that evaluation loaded from path; none when it
// loaded no such file.
std::optional<int> DayIndexOfFile(const logdata::TLogAnalysis& analysis, const std::filesystem::path& path);

}  // namespace calorix::workbook
