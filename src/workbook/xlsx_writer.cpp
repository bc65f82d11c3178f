#include "workbook/xlsx_writer.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <optional>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#endif

#include "core/error.h"

namespace calorix::workbook {
namespace {

const char* PatternOf(Look look) {
  switch (look) {
    case Look::DateTime: return "dd.mm.yyyy hh:mm:ss";
    case Look::Date: return "dd.mm.yyyy";
    case Look::Time: return "hh:mm";
    case Look::General:
    case Look::Decimals: break;
  }
  return nullptr;
}

std::string DecimalsPattern(int decimals) { return decimals == 0 ? "0" : "0." + std::string(decimals, '0'); }

#ifdef _WIN32
// A narrow name in the ANSI code page, if that page holds every character.
std::optional<std::string> AnsiName(const std::wstring& name) {
  BOOL lost = FALSE;
  const int size =
      WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.c_str(), -1, nullptr, 0, nullptr, &lost);
  if (size <= 0 || lost) return std::nullopt;
  std::string narrow(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.c_str(), -1, narrow.data(), size, nullptr, &lost);
  narrow.pop_back();  // the terminating zero
  if (lost) return std::nullopt;
  return narrow;
}
#endif

// libxlsxwriter opens its file by a narrow name. On Windows the C library
// reads that in the ANSI code page, so a UTF-8 name below "C:\Users\Jörg"
// would not be found: the name goes in that page, or where the page cannot
// hold it, as the file's short name (the file exists by then).
std::string NarrowFileName(const std::filesystem::path& file) {
#ifdef _WIN32
  if (auto name = AnsiName(file.wstring())) return *name;
  const DWORD size = GetShortPathNameW(file.c_str(), nullptr, 0);
  std::wstring shortName(size, L'\0');
  if (size > 0 && GetShortPathNameW(file.c_str(), shortName.data(), size) + 1 == size) {
    shortName.pop_back();
    if (auto name = AnsiName(shortName)) return *name;
  }
#endif
  return file.string();
}

}  // namespace

XlsxWriter::XlsxWriter(const std::filesystem::path& file, bool constantMemory, const std::filesystem::path& shownAs)
    : shownAs_(shownAs) {
  lxw_workbook_options options{};
  options.constant_memory = constantMemory ? LXW_TRUE : LXW_FALSE;
  workbook_ = workbook_new_opt(NarrowFileName(file).c_str(), &options);
  if (!workbook_) Fail("the workbook could not be set up");
}

XlsxWriter::~XlsxWriter() {
  if (workbook_) lxw_workbook_free(workbook_);
}

void XlsxWriter::Fail(const std::string& reason) const {
  throw Error("The file \"" + shownAs_.string() + "\" could not be written: " + reason);
}

XlsxWriter::Sheet XlsxWriter::AddSheet(const std::string& name, const SheetLook& look) {
  lxw_worksheet* worksheet = workbook_add_worksheet(workbook_, name.c_str());
  if (!worksheet) Fail("no sheet named \"" + name + "\" could be added");
  if (look.otherColumnsWidth > 0.0) worksheet_set_column(worksheet, 1, 30, look.otherColumnsWidth, nullptr);
  if (look.firstColumnWidth > 0.0) worksheet_set_column(worksheet, 0, 0, look.firstColumnWidth, nullptr);
  if (look.frozenHeader) {
    worksheet_freeze_panes(worksheet, 1, 0);
    worksheet_set_selection(worksheet, 1, 0, 1, 0);
  }
  return Sheet{worksheet, name};
}

lxw_format* XlsxWriter::FormatOf(const Cell& cell) {
  if (cell.look == Look::General) return nullptr;
  lxw_format*& format = cell.look == Look::Decimals
                            ? decimalFormats_[std::min<std::size_t>(cell.decimals, kMostDecimals)]
                            : lookFormats_[static_cast<std::size_t>(cell.look)];
  if (!format) {
    format = workbook_add_format(workbook_);
    if (!format) Fail("out of memory");
    const std::string pattern = cell.look == Look::Decimals
                                    ? DecimalsPattern(std::min<int>(cell.decimals, kMostDecimals))
                                    : PatternOf(cell.look);
    format_set_num_format(format, pattern.c_str());
  }
  return format;
}

void XlsxWriter::WriteRow(const Sheet& sheet, int row, std::span<const Cell> cells) {
  lxw_col_t column = 0;
  for (const Cell& cell : cells) {
    lxw_error result = LXW_NO_ERROR;
    if (cell.kind == Cell::Kind::Number) {
      result =
          worksheet_write_number(sheet.worksheet, static_cast<lxw_row_t>(row), column, cell.number, FormatOf(cell));
    } else if (cell.kind == Cell::Kind::Text) {
      result = worksheet_write_string(sheet.worksheet, static_cast<lxw_row_t>(row), column, cell.text.c_str(), nullptr);
    }
    if (result != LXW_NO_ERROR) Fail(lxw_strerror(result));
    ++column;
  }
}

void XlsxWriter::AddColumnChart(const Sheet& sheet, int atRow, int atColumn, const Sheet& data, int firstRow,
                                int lastRow, int categoryColumn, int valueColumn, const std::string& title) {
  lxw_chart* chart = workbook_add_chart(workbook_, LXW_CHART_COLUMN);
  if (!chart) Fail("out of memory");
  lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
  if (!series) Fail("out of memory");
  const auto first = static_cast<lxw_row_t>(firstRow);
  const auto last = static_cast<lxw_row_t>(lastRow);
  chart_series_set_categories(series, data.name.c_str(), first, static_cast<lxw_col_t>(categoryColumn), last,
                              static_cast<lxw_col_t>(categoryColumn));
  chart_series_set_values(series, data.name.c_str(), first, static_cast<lxw_col_t>(valueColumn), last,
                          static_cast<lxw_col_t>(valueColumn));
  chart_series_set_name(series, title.c_str());
  chart_title_set_name(chart, title.c_str());
  chart_legend_set_position(chart, LXW_CHART_LEGEND_NONE);
  const lxw_error result =
      worksheet_insert_chart(sheet.worksheet, static_cast<lxw_row_t>(atRow), static_cast<lxw_col_t>(atColumn), chart);
  if (result != LXW_NO_ERROR) Fail(lxw_strerror(result));
}

void XlsxWriter::Close() {
  lxw_workbook* workbook = std::exchange(workbook_, nullptr);
  const lxw_error result = workbook_close(workbook);  // frees the workbook whatever happens
  if (result != LXW_NO_ERROR) Fail(lxw_strerror(result));
}

}  // namespace calorix::workbook
