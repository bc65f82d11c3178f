#include "logdata/log_format.h"

#include <fast_float/fast_float.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "core/cp1252.h"
#include "core/error.h"
#include "i18n/text_table.h"
#include "logdata/log_file_error.h"

namespace calorix::logdata {

LogFileError::LogFileError(LogFileFault fault)
    : Error(i18n::Text(fault == LogFileFault::NoMeasuredValues ? i18n::kTextNoMeasuredValues
                                                               : i18n::kTextNotAValidLogFile)),
      fault_(fault) {}

namespace {

constexpr int kHeaderFieldCount = 14;
constexpr std::string_view kIsoFirstField = "DATE & TIME";
constexpr std::string_view kGermanFirstField = "dd.mm.yy hh:mm";

[[noreturn]] void FailOpening(const std::filesystem::path& path) {
  throw Error(i18n::Text(i18n::kTextErrorOpeningFile) + "\n\n" + path.filename().string());
}

[[noreturn]] void FailTooLarge(const std::filesystem::path& path) {
  throw Error(i18n::Text(i18n::kTextErrorOpeningFile) + "\n\n" + path.string());
}

// The memory of the machine; 0 when unknown.
std::uintmax_t PhysicalMemory() {
#ifdef _WIN32
  return 0;
#else
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGE_SIZE);
  return pages > 0 && pageSize > 0 ? static_cast<std::uintmax_t>(pages) * static_cast<std::uintmax_t>(pageSize) : 0;
#endif
}

// A file larger than the machine's memory cannot be read whole; it is
// refused before asking for the room, since not every allocator reports
// that it has none by throwing (a sanitizer's ends the program, and an
// overcommitting system gives room it cannot back).
void RequireRoomFor(std::uintmax_t size, const std::filesystem::path& path) {
  const std::uintmax_t memory = PhysicalMemory();
  if (size > std::string().max_size() || (memory > 0 && size > memory)) FailTooLarge(path);
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
std::string NormalisedUnit(std::string_view unit, bool utf8, bool& watts) {
  if (unit == "[W]") {
    watts = true;
    return "[kW]";
  }
  if (unit == "[C]") return "[°C]";
  if (unit == "[F]") return "[°F]";
  return utf8 ? std::string(unit) : Cp1252ToUtf8(unit);
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

RecordLines::RecordLines(std::span<const std::string_view> lines, std::size_t firstLine)
    : lines_(lines), nextLine_(firstLine) {}

RecordLines RecordLines::OfText(std::string_view text, std::size_t firstLine, bool keepEmpty) {
  RecordLines records;
  records.text_ = text;
  records.fromText_ = true;
  records.keepEmpty_ = keepEmpty;
  records.nextLine_ = firstLine;
  records.nextLf_ = text.find('\n');
  records.nextCr_ = text.find('\r');
  return records;
}

bool RecordLines::Next(std::string_view& record) {
  if (!fromText_) {
    if (pos_ >= lines_.size()) return false;
    record = lines_[pos_++];
    lineNumber_ = nextLine_++;
    return true;
  }
  while (pos_ < text_.size()) {
    if (nextLf_ < pos_) nextLf_ = text_.find('\n', pos_);
    if (nextCr_ < pos_) nextCr_ = text_.find('\r', pos_);
    const std::size_t end = std::min({nextLf_, nextCr_, text_.size()});
    const std::size_t begin = pos_;
    pos_ = end + 1;
    if (end + 1 < text_.size() && text_[end] == '\r' && text_[end + 1] == '\n') ++pos_;
    const std::size_t line = nextLine_++;
    if (end > begin || keepEmpty_) {
      record = text_.substr(begin, end - begin);
      lineNumber_ = line;
      return true;
    }
  }
  return false;
}

bool RecordLines::AtEnd() const {
  RecordLines rest = *this;
  std::string_view record;
  return !rest.Next(record);
}

std::size_t RecordLines::CountLeft() const {
  RecordLines rest = *this;
  std::size_t count = 0;
  for (std::string_view record; rest.Next(record);) ++count;
  return count;
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
    RequireRoomFor(size, path);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.gcount() != static_cast<std::streamsize>(bytes.size())) FailOpening(path);
    return bytes;
  } catch (const std::ios_base::failure&) {
    FailOpening(path);
  } catch (const std::filesystem::filesystem_error&) {
    FailOpening(path);
  } catch (const std::bad_alloc&) {
    FailTooLarge(path);
  } catch (const std::length_error&) {
    FailTooLarge(path);
  }
}

std::vector<std::string_view> SplitLines(std::string_view text, bool keepEmpty) {
  std::vector<std::string_view> lines;
  lines.reserve(text.size() / 64 + 1);
  RecordLines all = RecordLines::OfText(text, 1, keepEmpty);
  for (std::string_view line; all.Next(line);) lines.push_back(line);
  return lines;
}

DayFile DayFileOf(std::string bytes) {
  DayFile file;
  file.bytes = std::move(bytes);
  const std::string_view text(file.bytes);
  const std::size_t bom = text.starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0;
  RecordLines lines = RecordLines::OfText(text.substr(bom));
  std::string_view header;
  if (!lines.Next(header)) throw LogFileError(LogFileFault::NoMeasuredValues);
  file.headerBegin = static_cast<std::size_t>(header.data() - file.bytes.data());
  file.headerLength = header.size();
  // A header on the first line keeps its mark: ReadHeader reads its units as UTF-8.
  if (bom > 0 && file.headerBegin == bom) {
    file.headerBegin = 0;
    file.headerLength += bom;
  }
  file.recordsBegin = bom + lines.Offset();
  file.recordsFirstLine = lines.LineNumber() + 1;
  return file;
}

DayFile ReadDayFile(const std::filesystem::path& path) { return DayFileOf(ReadWholeFile(path)); }

bool CheckHeader(std::string_view header, LogReadState& state) { return ReadHeader(header, state).Valid(); }

HeaderCheck ReadHeader(std::string_view header, LogReadState& state) {
  state.powerInWatts = false;
  const bool utf8 = header.starts_with(kUtf8Bom);
  if (utf8) header.remove_prefix(kUtf8Bom.size());
  char separator = ';';
  if (header.find(';') == std::string_view::npos) {
    if (header.find('\t') == std::string_view::npos) throw LogFileError(LogFileFault::NotALogFile);
    separator = '\t';
  }
  state.units[IndexOf(Channel::Energy)] = "[kWh]";
  HeaderCheck check{true, true};
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
        check.timeColumnKnown = false;
      }
      continue;  // a unit on the time stamp column means nothing
    }
    const Channel channel = ChannelAt(i - 1);
    if (name != InfoOf(channel).headerName) check.valueColumnsMatch = false;
    if (unit.empty()) continue;
    state.units[IndexOf(channel)] = NormalisedUnit(unit, utf8, state.powerInWatts);
    if (channel == Channel::Power && unit.find("MBtu/h") != std::string_view::npos) {
      state.units[IndexOf(Channel::Energy)] = "[MBtu]";
    }
  }
  return check;
}

DateTime DayDateOfRecords(RecordLines records, DateStyle style) {
  std::string_view record;
  if (!records.Next(record)) throw LogFileError(LogFileFault::NoMeasuredValues);
  records.Next(record);  // the second record when there is one
  if (const auto date = ReadDate(record.substr(0, 10), style)) return *date;
  if (const auto stamp = ReadDateTime(record.substr(0, 16), DateStyle::DayMonthYearTime)) return *stamp;
  throw LogFileError(LogFileFault::NotALogFile);
}

DateTime DayDateOf(const std::vector<std::string_view>& records, DateStyle style) {
  return DayDateOfRecords(RecordLines(records), style);
}

namespace {

// Plain fields ("-12,5", "1000") with at most 15 digits: the digits make an
// exact integer and the power of ten is exact, so one division gives the
// correctly rounded value, the same as the general parser, much faster.
bool ParsePlainNumber(std::string_view field, double& value) {
  static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
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
  // "1E999" comes back as infinity; like "inf" it is no value. Nor is a
  // number beyond what a point keeps (a 32-bit float): "1e39" would be an
  // infinite point, with totals and exports that disagree with the chart.
  return result.ec == std::errc() && result.ptr == end && std::isfinite(static_cast<float>(value));
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
