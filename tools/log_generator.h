#pragma once

#include "core/date_time.h"
#include "tools/injection.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace calorix::loggen {

enum class HeaderStyle {
  Iso,     // "DATE & TIME", stamps "yyyy-mm-dd hh:mm"
  German,  // "dd.mm.yy hh:mm", stamps "dd.mm.yyyy hh:mm"
};

enum class PowerUnit { Kilowatt, Watt, MBtuPerHour };

enum class FolderLayout {
  Flat,   // DIR/yyyymmdd.csv
  Month,  // DIR/mm/yyyymmdd.csv
  Year,   // DIR/yyyy/mm/yyyymmdd.csv
};

struct Options {
  std::uint32_t seed = 1;
  int intervalMinutes = 1;  // 1..1440; records fall on multiples of it from midnight
  HeaderStyle header = HeaderStyle::Iso;
  PowerUnit power = PowerUnit::Kilowatt;
  // Patterns written into chosen days; a day without one shows no finding.
  std::vector<Injection> injections;
};

// The header line without its line end, as Windows-1252 bytes.
std::string HeaderLine(const Options& options);

// The complete bytes of one day file: header and records, each line ending
// in CR LF, with the injections of that date (a missing-day injection
// aside, which WriteDays honours). The same date and options always give
// the same bytes.
std::string GenerateDay(CivilDate date, const Options& options);

// Where a day file lives below `dir` in the given layout.
std::filesystem::path DayFilePath(const std::filesystem::path& dir, CivilDate date, FolderLayout layout);

// Writes one file per day from `from` to `to` (both included) but the days
// a missing-day injection takes away, creating the folders the layout
// needs. Returns the written paths in date order; throws
// calorix::Error when the range is reversed or a file cannot be written.
std::vector<std::filesystem::path> WriteDays(CivilDate from, CivilDate to, const std::filesystem::path& dir,
                                             FolderLayout layout, const Options& options);

}  // namespace calorix::loggen
