#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/date_time.h"
#include "logdata/channel.h"

namespace calorix::logdata {

// Unit texts by channel, UTF-8.
using UnitList = std::array<std::string, kChannelCount>;

// What reading headers leaves behind for the files that follow: the units,
// whether power is logged in watts, and the style time stamps are read in.
struct LogReadState {
  UnitList units = InitialUnits();
  bool powerInWatts = false;
  DateStyle dateStyle = DateStyle::YearMonthDay;

  static UnitList InitialUnits();
};

// One day file as read from disk: the header and the records, exactly empty
// lines removed. The records point into the file's bytes.
struct DayFile {
  std::string bytes;
  std::string_view header;
  std::vector<std::string_view> records;

  DayFile() = default;
  DayFile(const DayFile&) = delete;
  DayFile& operator=(const DayFile&) = delete;
  DayFile(DayFile&&) = default;
  DayFile& operator=(DayFile&&) = default;
};

// Splits at CR LF, LF or CR; keepEmpty keeps lines that are exactly empty.
std::vector<std::string_view> SplitLines(std::string_view text, bool keepEmpty);

// Reads a whole regular file; a missing or unreadable one, or anything but
// a regular file, fails with text 84, two line breaks and the file name
// without folder.
std::string ReadWholeFile(const std::filesystem::path& path);

// Reads the whole file. A missing or unreadable file fails with text 84, two
// line breaks and the file name without folder; a file without a non-empty
// line fails with text 85.
DayFile ReadDayFile(const std::filesystem::path& path);

// Checks a header line and takes its units, watts flag and date style into
// state. Returns whether the column names are the expected ones. A header
// with neither ";" nor TAB fails with text 86.
bool CheckHeader(std::string_view header, LogReadState& state);

// The date the day file belongs to, read from the second record (or the
// first when it is the only one). No records: text 85; unreadable: text 86.
DateTime DayDateOf(const std::vector<std::string_view>& records, DateStyle style);

// A value field as a number with "," as decimal point, an optional sign and
// exponent, blanks around it allowed. Nothing when it is not a number.
bool ParseLogNumber(std::string_view field, double& value);

// Reads a record's time stamp in the given style; if that fails, switches
// the style as the record reader does and tries again. Nothing if both fail.
std::optional<DateTime> ReadStamp(std::string_view field, DateStyle& style);

// The style the record reader switches to when a time stamp does not read.
DateStyle SwitchedStyle(DateStyle style);

}  // namespace calorix::logdata
