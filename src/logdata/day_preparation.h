#pragma once

#include <exception>
#include <filesystem>
#include <memory>
#include <string>

#include "chart/chart_panel.h"
#include "core/date_time.h"
#include "logdata/log_format.h"

namespace calorix::logdata {

class TDay;

// A day file read and parsed away from its evaluation, so that the files
// of a range can be parsed in parallel and still be added in order. Only
// what a file decides by itself is done here; what depends on the files
// before it (the units shown, and the date style when the header names
// none) is settled when the day is added (TLogAnalysis::AddPreparedDay).
struct PreparedDayFile {
  PreparedDayFile();
  ~PreparedDayFile();
  PreparedDayFile(PreparedDayFile&&) noexcept;
  PreparedDayFile& operator=(PreparedDayFile&&) noexcept;

  std::filesystem::path path;
  std::exception_ptr readFailure;  // the file could not be read
  std::string header;
  bool headerNamesStyle = false;   // the header's first field chose the date style
  std::exception_ptr dateFailure;  // no day date in the records
  DateTime dayDate = 0.0;
  std::unique_ptr<TDay> day;  // parsed; null when building it failed
  DayFile file;               // kept when the day is parsed in order (no style named)
};

// Safe to call on any thread while the panels are alive; creates series
// for them, with their block extremes built, but places nothing.
PreparedDayFile PrepareDayFile(const std::filesystem::path& path, chart::ChartPanel* upper, chart::ChartPanel* lower);

}  // namespace calorix::logdata
