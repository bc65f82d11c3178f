#include "evaluation/csv_text.h"

#include <charconv>
#include <cmath>

namespace calorix::evaluation {

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

// Only what a conversion wrote goes out: a failed one leaves the buffer
// as it was.
std::string CsvDecimal(double value, int decimals) {
  if (!std::isfinite(value)) return {};
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (error != std::errc()) return CsvNumber(value);
  std::string text(buffer, end);
  if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

std::string CsvNumber(double value) {
  if (!std::isfinite(value)) return {};
  char buffer[32];  // the longest shortest form of a double has 24 characters
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (error != std::errc()) return {};
  return std::string(buffer, end);
}

}  // namespace calorix::evaluation
