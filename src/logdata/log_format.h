#pragma once

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <span>
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

// The records of a day, taken one at a time: either lines given one by one,
// or the lines of a text that are not exactly empty (split at CR LF, LF or
// CR), found as they are taken so that no view per line is kept. Knows the
// line number of the record it gave last.
class RecordLines {
 public:
  RecordLines() = default;
  // Every given line is a record; the first one is line firstLine.
  explicit RecordLines(std::span<const std::string_view> lines, std::size_t firstLine = 1);
  // The lines of text that are not exactly empty (all lines with keepEmpty);
  // text starts at line firstLine.
  static RecordLines OfText(std::string_view text, std::size_t firstLine = 1, bool keepEmpty = false);

  // Takes the next record; false when none is left.
  bool Next(std::string_view& record);
  // The line number of the record Next gave last.
  std::size_t LineNumber() const { return lineNumber_; }
  // Text only: where the line after the record given last begins.
  std::size_t Offset() const { return std::min(pos_, text_.size()); }
  bool AtEnd() const;
  // The records not yet taken.
  std::size_t CountLeft() const;

 private:
  std::span<const std::string_view> lines_;
  std::string_view text_;
  bool fromText_ = false;
  bool keepEmpty_ = false;
  std::size_t pos_ = 0;  // the next line's index, or the offset of its first byte
  std::size_t nextLine_ = 1;
  std::size_t lineNumber_ = 0;
  std::size_t nextLf_ = 0;  // the next LF and CR, each found once and kept until passed
  std::size_t nextCr_ = 0;
};

// One day file as read from disk: its bytes, the header (the first line that
// is not exactly empty) and the records after it. Header and records are
// found by their offsets, so a DayFile moves like its bytes.
struct DayFile {
  std::string bytes;
  std::size_t headerBegin = 0;
  std::size_t headerLength = 0;
  std::size_t recordsBegin = 0;
  std::size_t recordsFirstLine = 1;

  std::string_view Header() const { return std::string_view(bytes).substr(headerBegin, headerLength); }
  RecordLines Records() const {
    return RecordLines::OfText(std::string_view(bytes).substr(recordsBegin), recordsFirstLine);
  }
};

// Splits at CR LF, LF or CR; keepEmpty keeps lines that are exactly empty.
std::vector<std::string_view> SplitLines(std::string_view text, bool keepEmpty);

// Reads a whole regular file; a missing or unreadable one, or anything but
// a regular file, fails with text 84, two line breaks and the file name
// without folder. A file too large to hold in memory fails with text 84,
// two line breaks and the whole path.
std::string ReadWholeFile(const std::filesystem::path& path);

// Finds header and records in a file's bytes; a file without a non-empty
// line fails with text 85. A UTF-8 byte-order mark before the first line
// stays with the header, so that its units are read as UTF-8; it is not a
// line of its own.
DayFile DayFileOf(std::string bytes);

// Reads the whole file: the failures of ReadWholeFile and DayFileOf.
DayFile ReadDayFile(const std::filesystem::path& path);

// What a header line says about its file's columns.
struct HeaderCheck {
  bool timeColumnKnown = false;    // the first field names one of the two date styles
  bool valueColumnsMatch = false;  // the thirteen value columns have the expected names
  bool Valid() const { return timeColumnKnown && valueColumnsMatch; }
};

// Checks a header line and takes its units, watts flag and date style into
// state. A header with neither ";" nor TAB fails with text 86, after
// clearing the watts flag. A header that starts with a UTF-8 byte-order
// mark is read without it, its units as UTF-8.
HeaderCheck ReadHeader(std::string_view header, LogReadState& state);
// Whether the column names are the expected ones; otherwise as ReadHeader.
bool CheckHeader(std::string_view header, LogReadState& state);

// The UTF-8 byte-order mark that editors may write before the header.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The date the day file belongs to, read from the second record (or the
// first when it is the only one). No records: text 85; unreadable: text 86.
DateTime DayDateOfRecords(RecordLines records, DateStyle style);
DateTime DayDateOf(const std::vector<std::string_view>& records, DateStyle style);

// A value field as a number with "," as decimal point, an optional sign and
// exponent, blanks around it allowed. Nothing when it is not a number or
// lies beyond what a point keeps (the range of a 32-bit float).
bool ParseLogNumber(std::string_view field, double& value);

// Reads a record's time stamp in the given style; if that fails, switches
// the style as the record reader does and tries again. Nothing if both fail.
std::optional<DateTime> ReadStamp(std::string_view field, DateStyle& style);

// The style the record reader switches to when a time stamp does not read.
DateStyle SwitchedStyle(DateStyle style);

}  // namespace calorix::logdata
