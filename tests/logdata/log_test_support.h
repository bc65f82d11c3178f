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
#include "support/test_platform.h"

namespace calorix::logdata::testing {

inline constexpr double kMay1 = 45413.0;  // 2024-05-01

inline std::string IsoHeader() {
  return "DATE & TIME;T1[\xB0" "C];T2[\xB0" "C];T3[\xB0" "C];T4[\xB0" "C];T5[\xB0" "C];T6[\xB0" "C];"
         "Tds[\xB0" "C];V'[l/min];P[kW];R1[%];R2[%];R3[%];R![%]";
}

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

  TDay& Parse(const std::vector<std::string>& records, bool watts = false,
              DateStyle style = DateStyle::YearMonthDay) {
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
  explicit TempFile(const std::string& bytes, const std::string& name = "20240501.csv") {
    static int counter = 0;
    dir_ = std::filesystem::temp_directory_path() /
           ("calorix-test-" + std::to_string(calorix::testing::ProcessId()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(dir_);
    path_ = dir_ / name;
    std::ofstream(path_, std::ios::binary) << bytes;
  }
  ~TempFile() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path dir_;
  std::filesystem::path path_;
};


}  // namespace calorix::logdata::testing
