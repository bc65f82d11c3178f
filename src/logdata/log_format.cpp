#include "logdata/log_format.h"

#include <fast_float/fast_float.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>

#include "core/cp1252.h"
#include "core/error.h"
#include "i18n/text_table.h"

namespace calorix::logdata {
namespace {

constexpr int kHeaderFieldCount = 14;
constexpr std::string_view kIsoFirstField = "DATE & TIME";
constexpr std::string_view kGermanFirstField = "dd.mm.yy hh:mm";

[[noreturn]] void FailOpening(const std::filesystem::path& path) {
  throw Error(i18n::Text(i18n::kTextErrorOpeningFile) + "\n\n" + path.filename().string());
}

// Takes the next field up to the separator; the rest of the line is the
// last field, and an exhausted line gives empty fields.
std::string_view NextField(std::string_view& rest, char separator) {
  const std::size_t at = rest.find(separator);
  std::string_view field = rest.substr(0, at);
  rest = at == std::string_view::npos ? std::string_view{} : rest.substr(at + 1);
  return field;
}

// "[W]" and the temperature units are normalised; the rest is kept as written.
std::string NormalisedUnit(std::string_view unit, bool& watts) {
  if (unit == "[W]") {
    watts = true;
    return "[kW]";
  }
  if (unit == "[C]") return "[°C]";
  if (unit == "[F]") return "[°F]";
  return Cp1252ToUtf8(unit);
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

UnitList LogReadState::InitialUnits() {
  UnitList units;
  units[IndexOf(Channel::Volume)] = "[l]";
  units[IndexOf(Channel::Energy)] = "[kWh]";
  return units;
}

std::vector<std::string_view> SplitLines(std::string_view text, bool keepEmpty) {
  std::vector<std::string_view> lines;
  lines.reserve(text.size() / 64 + 1);
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  // The next LF and the next CR, each found once with memchr and kept until
  // passed, so CR LF, LF and CR files are all split in one pass.
  auto next = [end](const char* from, char c) {
    const void* found = from < end ? std::memchr(from, c, static_cast<std::size_t>(end - from)) : nullptr;
    return found ? static_cast<const char*>(found) : end;
  };
  const char* nextLf = next(begin, '\n');
  const char* nextCr = next(begin, '\r');
  const char* start = begin;
  while (start < end) {
    if (nextLf < start) nextLf = next(start, '\n');
    if (nextCr < start) nextCr = next(start, '\r');
    const char* lineEnd = std::min(nextLf, nextCr);
    if (keepEmpty || lineEnd > start) lines.emplace_back(start, static_cast<std::size_t>(lineEnd - start));
    if (lineEnd < end && *lineEnd == '\r' && lineEnd + 1 < end && lineEnd[1] == '\n') ++lineEnd;
    start = lineEnd + 1;
  }
  return lines;
}

// Only regular files are read: a folder fails, and a pipe or device could
// block or never end.
std::string ReadWholeFile(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) FailOpening(path);
  if (!std::filesystem::is_regular_file(path, ec)) FailOpening(path);
  try {
    std::ifstream in(path, std::ios::binary);
    if (!in) FailOpening(path);
    const auto size = std::filesystem::file_size(path);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.gcount() != static_cast<std::streamsize>(bytes.size())) FailOpening(path);
    return bytes;
  } catch (const std::ios_base::failure&) {
    FailOpening(path);
  } catch (const std::filesystem::filesystem_error&) {
    FailOpening(path);
  }
}

DayFile ReadDayFile(const std::filesystem::path& path) {
  DayFile file;
  file.bytes = ReadWholeFile(path);
  file.records = SplitLines(file.bytes, false);
  if (file.records.empty()) throw Error(i18n::Text(i18n::kTextNoMeasuredValues));
  file.header = file.records.front();
  file.records.erase(file.records.begin());
  return file;
}

bool CheckHeader(std::string_view header, LogReadState& state) {
  char separator = ';';
  if (header.find(';') == std::string_view::npos) {
    if (header.find('\t') == std::string_view::npos) throw Error(i18n::Text(i18n::kTextNotAValidLogFile));
    separator = '\t';
  }
  state.powerInWatts = false;
  state.units[IndexOf(Channel::Energy)] = "[kWh]";
  bool valid = true;
  std::string_view rest = header;
  for (int i = 0; i < kHeaderFieldCount; ++i) {
    const std::string_view field = NextField(rest, separator);
    const std::size_t bracket = field.find('[');
    const std::string_view name = field.substr(0, bracket);
    const std::string_view unit = bracket == std::string_view::npos ? std::string_view{} : field.substr(bracket);
    if (i == 0) {
      if (name == kIsoFirstField) {
        state.dateStyle = DateStyle::YearMonthDay;
      } else if (name == kGermanFirstField) {
        state.dateStyle = DateStyle::DayMonthYear;
      } else {
        valid = false;
      }
      continue;  // a unit on the time stamp column means nothing
    }
    const Channel channel = ChannelAt(i - 1);
    if (name != InfoOf(channel).headerName) valid = false;
    if (unit.empty()) continue;
    state.units[IndexOf(channel)] = NormalisedUnit(unit, state.powerInWatts);
    if (channel == Channel::Power && unit.find("MBtu/h") != std::string_view::npos) {
      state.units[IndexOf(Channel::Energy)] = "[MBtu]";
    }
  }
  return valid;
}

DateTime DayDateOf(const std::vector<std::string_view>& records, DateStyle style) {
  if (records.empty()) throw Error(i18n::Text(i18n::kTextNoMeasuredValues));
  const std::string_view record = records.size() > 1 ? records[1] : records[0];
  if (const auto date = ReadDate(record.substr(0, 10), style)) return *date;
  if (const auto stamp = ReadDateTime(record.substr(0, 16), DateStyle::DayMonthYearTime)) return *stamp;
  throw Error(i18n::Text(i18n::kTextNotAValidLogFile));
}

namespace {

// Plain fields ("-12,5", "1000") with at most 15 digits: the digits make an
// exact integer and the power of ten is exact, so one division gives the
// correctly rounded value, the same as the general parser, much faster.
bool ParsePlainNumber(std::string_view field, double& value) {
  static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  std::size_t i = 0;
  const bool negative = field[0] == '-';
  if (negative) ++i;
  std::uint64_t mantissa = 0;
  int digits = 0;
  int decimals = -1;  // digits after the decimal point, -1 before it
  for (; i < field.size(); ++i) {
    const char c = field[i];
    if (c >= '0' && c <= '9') {
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
      if (++digits > 15) return false;
      if (decimals >= 0) ++decimals;
    } else if (c == ',' && decimals < 0) {
      decimals = 0;
    } else {
      return false;
    }
  }
  if (digits == 0) return false;
  const double magnitude = static_cast<double>(mantissa) / kPowersOfTen[decimals > 0 ? decimals : 0];
  value = negative ? -magnitude : magnitude;
  return true;
}

}  // namespace

bool ParseLogNumber(std::string_view field, double& value) {
  if (!field.empty() && field.front() != ' ' && field.back() != ' ' && field.front() != '+' &&
      ParsePlainNumber(field, value)) {
    return true;
  }
  field = Trimmed(field);
  const bool plus = !field.empty() && field.front() == '+';
  if (plus) field.remove_prefix(1);
  const std::size_t digitsAt = !plus && !field.empty() && field.front() == '-' ? 1 : 0;
  // Only digits or the decimal point may follow the sign: no "inf", "nan", "+-".
  if (digitsAt >= field.size()) return false;
  const char first = field[digitsAt];
  if ((first < '0' || first > '9') && first != ',') return false;
  static const fast_float::parse_options options{fast_float::chars_format::general, ','};
  const char* end = field.data() + field.size();
  const auto result = fast_float::from_chars_advanced(field.data(), end, value, options);
  return result.ec == std::errc() && result.ptr == end;
}

DateStyle SwitchedStyle(DateStyle style) {
  return style == DateStyle::DayMonthYearTime ? DateStyle::YearMonthDayTime : DateStyle::DayMonthYearTime;
}

std::optional<DateTime> ReadStamp(std::string_view field, DateStyle& style) {
  if (const auto t = ReadDateTime(field, style)) return t;
  style = SwitchedStyle(style);
  return ReadDateTime(field, style);
}

}  // namespace calorix::logdata
