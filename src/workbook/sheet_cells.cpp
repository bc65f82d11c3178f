#include "workbook/sheet_cells.h"

#include <array>
#include <cstddef>

#include "core/cp1252.h"
#include "logdata/log_format.h"

namespace calorix::workbook {
namespace {

// Log files are Windows-1252; plain ASCII needs no conversion.
std::string TextOf(std::string_view bytes) {
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return Cp1252ToUtf8(bytes);
  }
  return std::string(bytes);
}

void SetText(Cell& cell, std::string_view bytes) {
  cell.kind = Cell::Kind::Text;
  cell.text = TextOf(bytes);
}

void SetNumber(Cell& cell, double value, Look look, int decimals) {
  cell.kind = Cell::Kind::Number;
  cell.look = look;
  cell.decimals = static_cast<std::uint8_t>(look == Look::Decimals ? decimals : 0);
  cell.number = value;
  cell.text.clear();
}

void SetStampCell(Cell& cell, std::string_view field, DateStyle& style) {
  if (field.find_first_not_of(' ') == std::string_view::npos) {
    cell = Cell();
  } else if (const auto stamp = logdata::ReadStamp(field, style)) {
    SetNumber(cell, *stamp, Look::DateTime, 0);
  } else {
    SetText(cell, field);
  }
}

void SetValueCell(Cell& cell, std::string_view field) {
  double value = 0.0;
  if (field.empty()) {
    cell = Cell();
  } else if (logdata::ParseLogNumber(field, value)) {
    const int decimals = LoggedDecimals(field);
    SetNumber(cell, value, decimals < 0 ? Look::General : Look::Decimals, decimals < 0 ? 0 : decimals);
  } else {
    SetText(cell, field);  // "Err", or whatever the logger wrote
  }
}

void SetFieldCell(Cell& cell, int index, std::string_view field, DateStyle& style) {
  if (index == 0) {
    SetStampCell(cell, field, style);
  } else {
    SetValueCell(cell, field);
  }
}

}  // namespace

Cell Cell::Number(double value, Look look, int decimals) {
  Cell cell;
  SetNumber(cell, value, look, decimals);
  return cell;
}

Cell Cell::Text(std::string text) {
  Cell cell;
  cell.kind = Kind::Text;
  cell.text = std::move(text);
  return cell;
}

std::vector<Cell> HeaderCells(std::string_view header) {
  const char separator = header.find(';') == std::string_view::npos ? '\t' : ';';
  std::vector<Cell> cells;
  for (std::size_t start = 0;;) {
    const std::size_t end = header.find(separator, start);
    cells.push_back(Cell::Text(TextOf(header.substr(start, end == std::string_view::npos ? end : end - start))));
    if (end == std::string_view::npos) return cells;
    start = end + 1;
  }
}

int LoggedDecimals(std::string_view field) {
  if (field.find_first_of("eE") != std::string_view::npos) return -1;
  const std::size_t comma = field.find(',');
  if (comma == std::string_view::npos) return 0;
  int decimals = 0;
  for (std::size_t i = comma + 1; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) ++decimals;
  return decimals;
}

void RecordCells(std::string_view record, DateStyle& style, FieldList fields, std::vector<Cell>& cells) {
  // Records hold fourteen fields; a selection never reaches beyond these.
  constexpr std::size_t kMostSelectable = 32;
  std::array<std::string_view, kMostSelectable> selectable{};
  std::size_t count = 0;
  std::size_t written = 0;
  for (std::size_t start = 0;; ++count) {
    const std::size_t end = record.find(';', start);
    const std::string_view field = record.substr(start, end == std::string_view::npos ? end : end - start);
    if (fields.empty()) {
      if (cells.size() <= written) cells.resize(written + 1);
      SetFieldCell(cells[written++], static_cast<int>(count), field, style);
    } else if (count < kMostSelectable) {
      selectable[count] = field;
    }
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  if (fields.empty()) {
    cells.resize(written);
    return;
  }
  cells.resize(fields.size());
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const auto index = static_cast<std::size_t>(fields[i]);
    if (index <= count && index < kMostSelectable) {
      SetFieldCell(cells[i], fields[i], selectable[index], style);
    } else {
      cells[i] = Cell();  // a column this file does not have
    }
  }
}

}  // namespace calorix::workbook
