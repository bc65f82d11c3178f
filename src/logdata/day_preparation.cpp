#include "logdata/day_preparation.h"

#include "logdata/day_log.h"
#include "logdata/log_format.h"

namespace calorix::logdata {

PreparedDayFile::PreparedDayFile() = default;
PreparedDayFile::~PreparedDayFile() = default;
PreparedDayFile::PreparedDayFile(PreparedDayFile&&) noexcept = default;
PreparedDayFile& PreparedDayFile::operator=(PreparedDayFile&&) noexcept = default;

PreparedDayFile PrepareDayFile(const std::filesystem::path& path, chart::ChartPanel* upper, chart::ChartPanel* lower) {
  PreparedDayFile prepared;
  prepared.path = path;
  DayFile file;
  try {
    file = ReadDayFile(path);
  } catch (...) {
    prepared.readFailure = std::current_exception();
    return prepared;
  }
  prepared.header = std::string(file.Header());
  LogReadState own;
  own.dateStyle = DateStyle::YearMonthDayTime;  // a style no header chooses
  try {
    CheckHeader(file.Header(), own);
    prepared.headerNamesStyle = own.dateStyle != DateStyle::YearMonthDayTime;
  } catch (...) {
    return prepared;  // the header itself fails again, in order, when the day is added
  }
  if (!prepared.headerNamesStyle) {
    prepared.file = std::move(file);  // parsed in order, without reading it again
    return prepared;
  }
  try {
    prepared.dayDate = DayDateOfRecords(file.Records(), own.dateStyle);
  } catch (...) {
    prepared.dateFailure = std::current_exception();
    return prepared;
  }
  try {
    auto day = std::make_unique<TDay>(prepared.dayDate, upper, lower);
    day->ParseDay(file.Records(), own.powerInWatts, own.dateStyle);
    // The first frame after loading reduces long views through these
    // instead of reading every sample; built here they cost no wait.
    for (int i = 0; i < TDay::kEntryCount; ++i) day->Entry(i).series->Extremes();
    prepared.day = std::move(day);
  } catch (...) {
    // Left null: adding it reports the file as not opened.
  }
  return prepared;
}

}  // namespace calorix::logdata
