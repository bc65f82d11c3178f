#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/chart_panel.h"
#include "core/child_settings.h"
#include "core/date_time.h"
#include "logdata/channel.h"
#include "logdata/log_format.h"

namespace calorix::logdata {

class TDay;
class TMonth;
struct PreparedDayFile;

// Told the message of a file that failed while the evaluation went on.
using FileFailureHandler = std::function<void(const std::string& message)>;

// The data behind one evaluation window: one day file, or a range of day
// files grouped into calendar months with daily totals. Owns its months
// (and through them the day logs) or its single day log; the two charts
// belong to the window and must outlive the evaluation.
class TLogAnalysis {
 public:
  // A single-day evaluation of one file. Fails with the reading errors
  // (texts 84, 85, 86) and leaves nothing behind.
  static std::unique_ptr<TLogAnalysis> CreateSingle(const std::filesystem::path& path, chart::ChartPanel* upper,
                                                    chart::ChartPanel* lower);
  // A multi-day evaluation over the months from start to end, loading the
  // first file. A count of 1 makes a single-day evaluation. Fails when the
  // first file is missing or its very first line is not a valid header; a
  // failure to load the first file's records goes to onFailure and the
  // evaluation stays without that day.
  static std::unique_ptr<TLogAnalysis> CreateMulti(DateTime start, DateTime end, unsigned fileCount,
                                                   const std::filesystem::path& firstPath, chart::ChartPanel* upper,
                                                   chart::ChartPanel* lower, const FileFailureHandler& onFailure);
  ~TLogAnalysis();
  TLogAnalysis(const TLogAnalysis&) = delete;
  TLogAnalysis& operator=(const TLogAnalysis&) = delete;

  // Loads one more file. A failure leaves the days loaded so far; a file
  // whose value columns are not the usual ones, or whose records are dated
  // outside the evaluation's months, fails with a text naming it.
  void AddDayFile(const std::filesystem::path& path);
  // Adds a file prepared ahead (possibly on another thread) with the same
  // result and the same failures as AddDayFile of its path.
  void AddPreparedDay(PreparedDayFile&& prepared);

  // A day log read elsewhere (by a follower of the file) takes the place of
  // the one loaded last, with the header it was read with; its file must
  // be the one loaded last. A multi-day evaluation fails as AddDayFile does
  // for a day outside its months and keeps the day log it had; the daily
  // totals need building again.
  void ReplaceLastDay(std::unique_ptr<TDay> day, const LogReadState& reading);

  // The warnings gathered since the last call, ready to show: one for every
  // file whose day ended early at a record that could not be read (the
  // values before it are kept), naming the file and the line.
  std::vector<std::string> TakeWarnings();

  // Queries; all give 0 or false without data.
  bool HasData() const;
  bool IsMultiDay() const;
  int GetDayCount() const;
  int GetMonthCount() const;
  DateTime GetStartDate(int dayIndex) const;
  DateTime GetDateByMonthIndex(int monthIndex) const;
  int GetMonthIndexByDay(int dayIndex) const;
  int GetDayIndexByMonth(int monthIndex) const;
  // The unit text of a channel index, empty outside 0..14.
  std::string GetUnit(int channelIndex) const;
  // The path of the file loaded at that position.
  const std::filesystem::path& GetFileName(int dayIndex) const;
  TMonth* FindMonth(int month, int year) const;
  DateTime StartDate() const { return startDate_; }
  DateTime EndDate() const { return endDate_; }
  bool PowerInWatts() const { return reading_.powerInWatts; }

  // Series operations, for every day (or month total) overlapping the window.
  // lowest comes in as NoColumn and goes out as the best state shown.
  void ShowChannel(Channel channel, ChannelState& lowest, DateTime windowStart, DateTime windowEnd);
  void HideChannel(Channel channel);
  void SetChannelAxis(Channel channel, chart::VerticalAxis axis);
  void ApplySeriesSettings(const TChildSettings& settings);
  // Multi-day only: every month builds its daily totals.
  void BuildDailyTotals();

  // Reading values back (the cursor readout, the CSV export), placed or
  // not: visits every series that holds the channel's values with the
  // time it covers, in loading order. A day's upper series for the
  // measured channels and the outputs (with their levels, not the bars),
  // each month's daily totals for Volume and Energy.
  using SeriesVisitor = std::function<void(const chart::ChartSeries& series, DateTime from, DateTime to)>;
  void VisitChannelSeries(Channel channel, const SeriesVisitor& visit) const;
  // Every day log in loading order, as VisitChannelSeries visits them.
  void VisitDays(const std::function<void(const TDay& day)>& visit) const;
  // The day logs in calendar order, one per date: the single day, or the
  // day each month's daily totals take (the first loaded one dated on it).
  std::vector<const TDay*> DaysInCalendarOrder() const;

 private:
  TLogAnalysis(chart::ChartPanel* upper, chart::ChartPanel* lower, DateTime start, DateTime end, unsigned requested);
  void BuildMonths();
  void DestroyMonths();
  // Adds the day of a file read already; the failures of AddDayFile.
  void AddReadDay(const DayFile& file, const std::filesystem::path& path);
  // The month a day of this file goes into; none for a single day.
  TMonth* MonthOfDay(DateTime dayDate, const std::filesystem::path& path) const;
  void PlaceDay(std::unique_ptr<TDay> day, TMonth* month, const std::filesystem::path& path);

  chart::ChartPanel* upper_;
  chart::ChartPanel* lower_;
  DateTime endDate_;
  DateTime startDate_;
  unsigned requestedDays_;
  unsigned loadedDays_ = 0;
  LogReadState reading_;
  std::vector<std::filesystem::path> files_;
  bool multiDay_ = false;
  TMonth* firstMonth_ = nullptr;  // owned chain
  std::unique_ptr<TDay> day_;
  TDay* lastDay_ = nullptr;  // the day log of the file loaded last
  std::vector<std::string> warnings_;
};

}  // namespace calorix::logdata
