#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart_panel.h"
#include "logdata/day_log.h"
#include "support/day_file_text.h"
#include "support/temp_folder.h"

namespace calorix::logdata::testing {

inline constexpr double kMay1 = 45413.0;  // 2024-05-01

inline std::string IsoHeader() { return std::string(calorix::testing::kDayFileHeader); }

// "2024-05-01 hh:mm;values"
inline std::string Rec(std::string_view hhmm, std::string_view values, std::string_view date = "2024-05-01") {
  return std::string(date) + " " + std::string(hhmm) + ";" + std::string(values);
}

inline std::string Hhmm(int minuteOfDay) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", minuteOfDay / 60 % 100, minuteOfDay % 60);
  return text;
}

// A day log with its two charts, parsed from records given as strings.
struct ParsedDay {
  chart::ChartPanel upper;
  chart::ChartPanel lower;
  std::unique_ptr<TDay> day;

  explicit ParsedDay(double dayDate = kMay1) : day(std::make_unique<TDay>(dayDate, &upper, &lower)) {}

  TDay& Parse(const std::vector<std::string>& records, bool watts = false, DateStyle style = DateStyle::YearMonthDay) {
    std::vector<std::string_view> views(records.begin(), records.end());
    day->ParseDay(views, watts, style);
    return *day;
  }
};

inline int CountNulls(const chart::ChartSeries& series) {
  int nulls = 0;
  for (std::size_t i = 0; i < series.Count(); ++i) nulls += series.IsNull(i) ? 1 : 0;
  return nulls;
}

// A file in a fresh temporary folder, removed with the object.
class TempFile {
 public:
  explicit TempFile(const std::string& bytes, const std::string& name = "20240501.csv")
      : path_(folder_.Write(name, bytes)) {}
  const std::filesystem::path& path() const { return path_; }

 private:
  calorix::testing::TempFolder folder_;
  std::filesystem::path path_;
};

}  // namespace calorix::logdata::testing
