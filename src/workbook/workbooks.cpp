#include "workbook/workbooks.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include "core/error.h"
#include "evaluation/channel_export.h"
#include "evaluation/evaluation_model.h"
#include "evaluation/summary_names.h"
#include "logdata/log_analysis.h"
#include "logdata/log_format.h"
#include "workbook/totals_sheets.h"
#include "workbook/xlsx_writer.h"

namespace calorix::workbook {
namespace {

using logdata::Channel;

constexpr XlsxWriter::SheetLook kValuesLook{20.0, 0.0, true};
constexpr XlsxWriter::SheetLook kTotalsLook{20.0, 16.0, true};
constexpr XlsxWriter::SheetLook kDayTotalsLook{32.0, 12.0, false};
const std::string kDayTotalsSheet = "Totals";
const std::string kDailyTotalsSheet = "Daily totals";
const std::string kMonthlyTotalsSheet = "Monthly totals";

[[noreturn]] void FailCreating(const std::filesystem::path& path, int error) {
  throw Error("The file \"" + path.string() + "\" could not be written: " + std::strerror(error));
}

// Creates an empty file that must not exist yet: 0, or the error. The
// system refuses an existing file in the same step (the C library's "x"
// mode is no help: Windows' ignores it and overwrites the file).
int CreateExclusively(const std::filesystem::path& path) {
#ifdef _WIN32
  const int file = ::_wopen(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (file < 0) return errno;
  ::_close(file);
#else
  const int file = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
  if (file < 0) return errno;
  ::close(file);
#endif
  return 0;
}

// A file that did not exist before, created empty, so that nothing of
// anybody else's is ever written over.
std::filesystem::path CreateNewFile(const std::filesystem::path& folder, const std::string& base,
                                    const std::string& extension) {
  for (int n = 1; n <= 1000; ++n) {
    const std::filesystem::path path = folder / (base + (n == 1 ? "" : "-" + std::to_string(n)) + extension);
    const int error = CreateExclusively(path);
    if (error == 0) return path;
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec))) FailCreating(path, error);
  }
  FailCreating(folder / (base + extension), EEXIST);
}

// Writes into `path`, removing it again when anything fails.
template <class Fill>
void WriteInto(const std::filesystem::path& path, bool constantMemory, const std::filesystem::path& shownAs,
               Fill&& fill) {
  try {
    XlsxWriter writer(path, constantMemory, shownAs);
    fill(writer);
    writer.Close();
  } catch (...) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
    throw;
  }
}

// A file the user named is replaced whole or not at all: the workbook is
// written next to it and renamed over it.
template <class Fill>
void WriteFile(const std::filesystem::path& file, bool constantMemory, Fill&& fill) {
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
  const std::filesystem::path part = CreateNewFile(folder, "." + file.filename().string(), ".part");
  WriteInto(part, constantMemory, file, [&](XlsxWriter& writer) { fill(writer); });
  std::error_code ec;
  std::filesystem::rename(part, file, ec);
  if (ec) {
    std::filesystem::remove(part, ec);
    throw Error("The file \"" + file.string() + "\" could not be written: " + ec.message());
  }
}

// The fields of a record the channels take: the time stamp and their value
// columns in file order. None (every field) without channels.
std::vector<int> FieldsOf(std::span<const Channel> channels) {
  if (channels.empty()) return {};
  std::vector<int> fields{0};
  for (int k = 0; k < logdata::kColumnCount; ++k) {
    if (std::find(channels.begin(), channels.end(), logdata::ChannelAt(k)) != channels.end()) fields.push_back(k + 1);
  }
  return fields;
}

// Values sheets filled file by file: a sheet started per name, continued
// in a further sheet at the row limit.
class ValuesSheets {
 public:
  ValuesSheets(XlsxWriter& writer, std::vector<int> fields) : writer_(writer), fields_(std::move(fields)) {}

  void Begin(std::string name) {
    name_ = std::move(name);
    part_ = 0;
    sheet_.reset();
  }

  void AddFile(const std::filesystem::path& path, logdata::LogReadState& state) {
    const logdata::DayFile day = logdata::ReadDayFile(path);
    logdata::CheckHeader(day.Header(), state);
    if (!sheet_) {
      header_ = SelectedHeader(day.Header());
      StartSheet();
    }
    DateStyle style = state.dateStyle;
    logdata::RecordLines records = day.Records();
    std::string_view record;
    while (records.Next(record)) {
      if (row_ == kMostRows) StartSheet();
      RecordCells(record, style, fields_, cells_);
      writer_.WriteRow(*sheet_, row_++, cells_);
    }
  }

 private:
  std::vector<Cell> SelectedHeader(std::string_view header) const {
    std::vector<Cell> all = HeaderCells(header);
    if (fields_.empty()) return all;
    std::vector<Cell> selected;
    for (const int field : fields_) {
      selected.push_back(static_cast<std::size_t>(field) < all.size()
                             ? all[static_cast<std::size_t>(field)]
                             : Cell::Text(std::string(evaluation::ChannelName(logdata::ChannelAt(field - 1)))));
    }
    return selected;
  }

  void StartSheet() {
    ++part_;
    sheet_ = writer_.AddSheet(part_ == 1 ? name_ : name_ + " (" + std::to_string(part_) + ")", kValuesLook);
    writer_.WriteRow(*sheet_, 0, header_);
    row_ = 1;
  }

  XlsxWriter& writer_;
  const std::vector<int> fields_;
  std::string name_;
  int part_ = 0;
  std::optional<XlsxWriter::Sheet> sheet_;
  std::vector<Cell> header_;
  int row_ = 0;
  std::vector<Cell> cells_;
};

XlsxWriter::Sheet WriteRows(XlsxWriter& writer, const std::string& name, const XlsxWriter::SheetLook& look,
                            const Rows& rows) {
  const XlsxWriter::Sheet sheet = writer.AddSheet(name, look);
  for (std::size_t row = 0; row < rows.size(); ++row) writer.WriteRow(sheet, static_cast<int>(row), rows[row]);
  return sheet;
}

void WriteTotals(XlsxWriter& writer, const logdata::TLogAnalysis& analysis, evaluation::TotalsPer per) {
  const Rows rows = TotalsRows(analysis, per);
  if (per == evaluation::TotalsPer::Day) {
    WriteRows(writer, kDailyTotalsSheet, kTotalsLook, rows);
    return;
  }
  const XlsxWriter::Sheet sheet = WriteRows(writer, kMonthlyTotalsSheet, kTotalsLook, rows);
  const int lastRow = static_cast<int>(rows.size()) - 1;
  if (lastRow < 1) return;
  const std::size_t energy = static_cast<std::size_t>(kEnergyColumn);
  const int afterTable = static_cast<int>(rows.front().size()) + 1;
  writer.AddColumnChart(sheet, 1, afterTable, sheet, 1, lastRow, 0, kEnergyColumn, rows.front()[energy].text);
}

void FillDay(XlsxWriter& writer, const logdata::TLogAnalysis& analysis, int dayIndex,
             const evaluation::SummaryNames& names, std::span<const Channel> channels) {
  const DateTime day = std::floor(analysis.GetStartDate(dayIndex));
  ValuesSheets values(writer, FieldsOf(channels));
  values.Begin(FormatDateTime("yyyy-mm-dd", day));
  logdata::LogReadState state;
  values.AddFile(analysis.GetFileName(dayIndex), state);
  const Channel collector[] = {evaluation::kCollectorChannel};
  WriteRows(writer, kDayTotalsSheet, kDayTotalsLook,
            DayTotalsRows(evaluation::SummarizeRange(analysis, day, day + 1.0, collector), names));
}

struct DatedFile {
  DateTime day;
  int index;
};

// The first file of each date, in calendar order, as the daily totals take
// them.
std::vector<DatedFile> FilesByDate(const logdata::TLogAnalysis& analysis) {
  std::vector<DatedFile> files;
  for (int i = 0; i < analysis.GetDayCount(); ++i) files.push_back({std::floor(analysis.GetStartDate(i)), i});
  std::stable_sort(files.begin(), files.end(), [](const DatedFile& a, const DatedFile& b) { return a.day < b.day; });
  files.erase(
      std::unique(files.begin(), files.end(), [](const DatedFile& a, const DatedFile& b) { return a.day == b.day; }),
      files.end());
  return files;
}

void FillRange(XlsxWriter& writer, const logdata::TLogAnalysis& analysis, std::span<const Channel> channels) {
  ValuesSheets values(writer, FieldsOf(channels));
  logdata::LogReadState state;
  std::string month;
  for (const DatedFile& file : FilesByDate(analysis)) {
    if (std::string name = FormatDateTime("yyyy-mm", file.day); name != month) {
      month = name;
      values.Begin(std::move(name));
    }
    values.AddFile(analysis.GetFileName(file.index), state);
  }
  WriteTotals(writer, analysis, evaluation::TotalsPer::Day);
  WriteTotals(writer, analysis, evaluation::TotalsPer::Month);
}

}  // namespace

void WriteDayWorkbook(const std::filesystem::path& file, const logdata::TLogAnalysis& analysis, int dayIndex,
                      const evaluation::SummaryNames& names, std::span<const Channel> channels) {
  WriteFile(file, false, [&](XlsxWriter& writer) { FillDay(writer, analysis, dayIndex, names, channels); });
}

void WriteRangeWorkbook(const std::filesystem::path& file, const logdata::TLogAnalysis& analysis,
                        std::span<const Channel> channels) {
  WriteFile(file, true, [&](XlsxWriter& writer) { FillRange(writer, analysis, channels); });
}

void WriteTotalsWorkbook(const std::filesystem::path& file, const logdata::TLogAnalysis& analysis,
                         evaluation::TotalsPer per) {
  WriteFile(file, false, [&](XlsxWriter& writer) { WriteTotals(writer, analysis, per); });
}

void WriteExportWorkbook(const std::filesystem::path& file, const logdata::TLogAnalysis& analysis,
                         const TChildSettings& settings, std::span<const Channel> channels,
                         std::optional<evaluation::TotalsPer> totals) {
  if (totals) {
    WriteTotalsWorkbook(file, analysis, *totals);
  } else if (analysis.IsMultiDay()) {
    WriteRangeWorkbook(file, analysis, channels);
  } else {
    WriteDayWorkbook(file, analysis, 0, evaluation::SummaryNamesOf(settings, analysis), channels);
  }
}

std::filesystem::path WriteDayWorkbookCopy(const std::filesystem::path& folder, const logdata::TLogAnalysis& analysis,
                                           int dayIndex, const evaluation::SummaryNames& names) {
  const std::filesystem::path path = CreateNewFile(folder, analysis.GetFileName(dayIndex).stem().string(), ".xlsx");
  WriteInto(path, false, path, [&](XlsxWriter& writer) { FillDay(writer, analysis, dayIndex, names, {}); });
  return path;
}

std::optional<std::filesystem::path> WriteShownDayCopy(const evaluation::EvaluationModel& model,
                                                       const std::filesystem::path& folder) {
  const std::optional<std::filesystem::path> file = model.CurrentDayFile();
  if (!file) return std::nullopt;
  const logdata::TLogAnalysis& analysis = *model.Snapshot().load.Data();
  const std::optional<int> day = DayIndexOfFile(analysis, *file);
  if (!day) return std::nullopt;
  return WriteDayWorkbookCopy(folder, analysis, *day, evaluation::SummaryNamesOf(model.Settings(), analysis));
}

std::optional<int> DayIndexOfFile(const logdata::TLogAnalysis& analysis, const std::filesystem::path& path) {
  for (int i = 0; i < analysis.GetDayCount(); ++i) {
    if (analysis.GetFileName(i) == path) return i;
  }
  return std::nullopt;
}

}  // namespace calorix::workbook
