#pragma once

#include <array>
#include <filesystem>
#include <span>
#include <string>

#include "workbook/sheet_cells.h"

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace calorix::workbook {

// Rows a sheet can hold.
inline constexpr int kMostRows = 1048576;

// An .xlsx workbook being written with libxlsxwriter. Rows of a sheet go
// in top to bottom; Close writes the file. Every failure throws
// calorix::Error naming the file and the reason; a writer destroyed
// without Close writes nothing.
class XlsxWriter {
 public:
  struct Sheet {
    lxw_worksheet* worksheet = nullptr;
    std::string name;
  };
  struct SheetLook {
    double firstColumnWidth = 0.0;  // characters; 0 keeps the default
    double otherColumnsWidth = 0.0;
    bool frozenHeader = false;  // the first row stays, A2 is the active cell
  };

  // With constantMemory each sheet's rows go to a temporary file as they
  // are written, so memory does not grow with the rows.
  // Messages name the file as shownAs (where it will be in the end).
  XlsxWriter(const std::filesystem::path& file, bool constantMemory, const std::filesystem::path& shownAs);
  ~XlsxWriter();
  XlsxWriter(const XlsxWriter&) = delete;
  XlsxWriter& operator=(const XlsxWriter&) = delete;

  Sheet AddSheet(const std::string& name, const SheetLook& look);
  void WriteRow(const Sheet& sheet, int row, std::span<const Cell> cells);
  // A column chart of the values in column valueColumn against the
  // categories in column categoryColumn, rows firstRow..lastRow of `data`,
  // placed on `sheet` with its top left corner at the given cell.
  void AddColumnChart(const Sheet& sheet, int atRow, int atColumn, const Sheet& data, int firstRow, int lastRow,
                      int categoryColumn, int valueColumn, const std::string& title);
  void Close();

 private:
  lxw_format* FormatOf(const Cell& cell);
  [[noreturn]] void Fail(const std::string& reason) const;

  std::filesystem::path shownAs_;
  lxw_workbook* workbook_ = nullptr;
  static constexpr int kMostDecimals = 30;
  std::array<lxw_format*, kMostDecimals + 1> decimalFormats_{};
  std::array<lxw_format*, 5> lookFormats_{};
};

}  // namespace calorix::workbook
