#pragma once

#include <ostream>

#include "workbook/sheet_cells.h"

namespace calorix::workbook {

// How a failing comparison shows a cell.
inline void PrintTo(const Cell& cell, std::ostream* out) {
  switch (cell.kind) {
    case Cell::Kind::Empty: *out << "(empty)"; return;
    case Cell::Kind::Text: *out << '"' << cell.text << '"'; return;
    case Cell::Kind::Number: break;
  }
  out->precision(17);
  *out << cell.number << " look " << static_cast<int>(cell.look) << "/" << static_cast<int>(cell.decimals);
}

}  // namespace calorix::workbook
