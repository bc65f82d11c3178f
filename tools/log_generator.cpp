#include "tools/log_generator.h"

#include "core/error.h"
#include "tools/day_simulation.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace calorix::loggen {
namespace {

// Windows-1252: the degree sign is the single byte B0.
constexpr std::string_view kCelsius =
    "[\xB0"
    "C]";

struct ColumnFormat {
  std::string_view name;
  std::string_view unit;
  int decimals;
};

// The unit follows the name without a blank: a reader takes everything
// before "[" as the column name.
constexpr std::array<ColumnFormat, kColumnCount> kColumns = {{
    {"T1", kCelsius, 1},
    {"T2", kCelsius, 1},
    {"T3", kCelsius, 1},
    {"T4", kCelsius, 1},
    {"T5", kCelsius, 1},
    {"T6", kCelsius, 1},
    {"Tds", kCelsius, 1},
    {"V'", "[l/min]", 2},
    {"P", "[kW]", 3},
    {"R1", "[%]", 0},
    {"R2", "[%]", 0},
    {"R3", "[%]", 0},
    {"R!", "[%]", 0},
}};

struct PowerFormat {
  std::string_view unit;
  double perKilowatt;
  int decimals;
};

// Indexed by PowerUnit. MBtu is the heating trade's thousand Btu.
constexpr PowerFormat kPowerFormats[] = {
    {"[kW]", 1.0, 3},
    {"[W]", 1000.0, 0},
    {"[MBtu/h]", 3.412142, 3},
};

const PowerFormat& PowerFormatOf(PowerUnit unit) { return kPowerFormats[static_cast<int>(unit)]; }

void AppendNumber(std::string& out, double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  value = std::round(value * scale) / scale;
  if (value == 0) value = 0;  // no "-0,0"
  char buffer[48];
  const auto result = std::to_chars(std::begin(buffer), std::end(buffer), value, std::chars_format::fixed, decimals);
  // The generator's values are small; one that is not fails loudly rather
  // than writing what the buffer held.
  if (result.ec != std::errc()) throw std::range_error("value too large for a log file: " + std::to_string(value));
  std::replace(std::begin(buffer), result.ptr, '.', ',');
  out.append(buffer, result.ptr);
}

void AppendTwoDigits(std::string& out, int value) {
  out += static_cast<char>('0' + value / 10);
  out += static_cast<char>('0' + value % 10);
}

void AppendRecord(std::string& out, std::string_view datePart, const Reading& reading, const PowerFormat& power) {
  out += datePart;
  out += ' ';
  AppendTwoDigits(out, reading.minute / 60);
  out += ':';
  AppendTwoDigits(out, reading.minute % 60);
  for (int column = 0; column < kColumnCount; ++column) {
    out += ';';
    const double value = reading.values[column];
    if (column == reading.faultyColumn)
      out += "Err";
    else if (column == kPower)
      AppendNumber(out, value * power.perKilowatt, power.decimals);
    else
      AppendNumber(out, value, kColumns[column].decimals);
  }
  out += "\r\n";
}

DateTime RequireDate(CivilDate date) {
  const auto serial = TryEncodeDate(date.year, date.month, date.day);
  if (!serial)
    throw Error("Not a calendar date: " + std::to_string(date.year) + "-" + std::to_string(date.month) + "-" +
                std::to_string(date.day));
  return *serial;
}

// Through a temporary file and a rename, so that an interrupted run never
// leaves a truncated day file behind.
void WriteFileSafely(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::path temporary = path;
  temporary += ".tmp";
  std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  std::error_code error;
  if (out) std::filesystem::rename(temporary, path, error);
  if (!out || error) {
    std::filesystem::remove(temporary, error);
    throw Error("Cannot write " + path.string());
  }
}

}  // namespace

std::string HeaderLine(const Options& options) {
  std::string line = options.header == HeaderStyle::Iso ? "DATE & TIME" : "dd.mm.yy hh:mm";
  for (int column = 0; column < kColumnCount; ++column) {
    line += ';';
    line += kColumns[column].name;
    line += column == kPower ? PowerFormatOf(options.power).unit : kColumns[column].unit;
  }
  return line;
}

std::string GenerateDay(CivilDate date, const Options& options) {
  const DateTime serial = RequireDate(date);
  if (options.intervalMinutes < 1 || options.intervalMinutes > 1440)
    throw Error("The interval must be 1 to 1440 minutes");
  const std::string datePart = FormatDateTime(options.header == HeaderStyle::Iso ? "yyyy-mm-dd" : "dd.mm.yyyy", serial);
  std::string out = HeaderLine(options) + "\r\n";
  // A record missing from a coarser log would be a gap of two intervals:
  // only a log of every minute misses minutes.
  std::vector<Reading> readings = SimulateDay(date, options.seed, options.intervalMinutes > 1);
  Inject(readings, options.injections, date);
  for (const Reading& reading : readings) {
    if (reading.minute % options.intervalMinutes == 0)
      AppendRecord(out, datePart, reading, PowerFormatOf(options.power));
  }
  return out;
}

std::filesystem::path DayFilePath(const std::filesystem::path& dir, CivilDate date, FolderLayout layout) {
  const DateTime serial = RequireDate(date);
  const std::string name = FormatDateTime("yyyymmdd", serial) + ".csv";
  const std::string month = FormatDateTime("mm", serial);
  switch (layout) {
    case FolderLayout::Flat: return dir / name;
    case FolderLayout::Month: return dir / month / name;
    case FolderLayout::Year: return dir / FormatDateTime("yyyy", serial) / month / name;
  }
  return dir / name;
}

std::vector<std::filesystem::path> WriteDays(CivilDate from, CivilDate to, const std::filesystem::path& dir,
                                             FolderLayout layout, const Options& options) {
  const DateTime first = RequireDate(from);
  const DateTime last = RequireDate(to);
  if (last < first) throw Error("The last day lies before the first");
  std::vector<std::filesystem::path> written;
  for (DateTime day = first; day <= last; day += 1) {
    const CivilDate date = DecodeDate(day);
    if (IsMissingDay(options.injections, date)) continue;
    const std::filesystem::path path = DayFilePath(dir, date, layout);
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (error) throw Error("Cannot create " + path.parent_path().string() + ": " + error.message());
    WriteFileSafely(path, GenerateDay(date, options));
    written.push_back(path);
  }
  return written;
}

}  // namespace calorix::loggen
