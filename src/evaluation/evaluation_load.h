#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "chart/chart_panel.h"
#include "core/date_time.h"
#include "evaluation/day_totals.h"
#include "evaluation/range_summary.h"
#include "evaluation/time_position.h"
#include "evaluation/totals_export.h"
#include "logdata/channel.h"
#include "logdata/day_follower.h"
#include "logdata/log_analysis.h"
#include "logdata/multi_day.h"

namespace calorix::evaluation {

// Why a file did not load.
enum class LoadFailureKind { CannotOpen, NoMeasuredValues, NotALogFile };

// The kind of failure an exception from the reader stands for: what it
// found in the file, or else (an internal failure, no memory) a failure to
// open it.
LoadFailureKind LoadFailureKindOf(const std::exception& e);

// The message of a failed load: the kind in the language in use, then the
// full path, so that a user who opened several files knows which one.
std::string LoadFailureText(LoadFailureKind kind, const std::filesystem::path& path);

// The loaded evaluation of a window: the analysis, the figures of its whole
// days, and the messages and warnings of its loading. Others read it
// through the read-only questions below; only the model's parts change it.
class EvaluationLoad {
 public:
  EvaluationLoad();
  ~EvaluationLoad();
  EvaluationLoad(const EvaluationLoad&) = delete;
  EvaluationLoad& operator=(const EvaluationLoad&) = delete;

  // Replaces the evaluation by one day file; on failure nothing is loaded
  // and the error names the kind and the file.
  void LoadSingle(const std::filesystem::path& path, chart::ChartPanel& upper, chart::ChartPanel& lower);
  void BeginMulti(unsigned fileCount, const std::filesystem::path& firstPath, DateTime start, DateTime end,
                  chart::ChartPanel& upper, chart::ChartPanel& lower);
  void Add(const std::filesystem::path& path);
  void AddPrepared(logdata::PreparedDayFile&& prepared);
  void Clear();

  // Following the file loaded last as a logger writes it: follower has
  // read that file and holds its day log, which takes the loaded one's
  // place and grows from then on. A failure ends the following and leaves
  // the loaded day log.
  void FollowLastFile(std::unique_ptr<logdata::DayFileFollower> follower);
  // Looks at the followed file once (failing as reading it fails). Records
  // added go into the evaluation, a file read again from the start
  // replaces its day; either way the figures kept of whole days and the
  // daily totals are brought up to date.
  logdata::DayFileFollower::Change PollFollowed();
  bool Following() const { return follower_ != nullptr; }
  void StopFollowing() { follower_.reset(); }
  // The followed file's day log; none while not following.
  const logdata::TDay* FollowedDay() const;
  // A message for the window, as a day of a range that failed gives one.
  void AddMessage(std::string message) { messages_.push_back(std::move(message)); }

  // The analysis, for the model's parts that place and restyle its curves.
  logdata::TLogAnalysis* Analysis() { return evaluation_.get(); }

  // The whole evaluation, read only, for the writers that put all of it
  // out (workbooks).
  const logdata::TLogAnalysis* Data() const { return evaluation_.get(); }

  bool Loaded() const { return evaluation_ != nullptr; }
  // Something is loaded and holds data.
  bool HasData() const;
  bool IsMultiDay() const;
  int DayCount() const;
  // The loaded days and months, for the position in time.
  const LoadedDays& Days() const { return *days_; }
  // The dates the evaluation covers: the first and last file's.
  DateTime FirstDate() const;
  DateTime LastDate() const;
  // The loaded dates in calendar order, one per date.
  std::vector<DateTime> CalendarDates() const;
  const std::filesystem::path& DayFile(int dayIndex) const;
  // The unit of a channel as the file's header gives it ("[°C]").
  std::string Unit(logdata::Channel channel) const;
  std::optional<double> ValueAt(logdata::Channel channel, DateTime t) const;
  bool ReadsErrAt(logdata::Channel channel, DateTime t) const;
  std::optional<DateTime> NeighbourTime(logdata::Channel channel, DateTime t, int direction) const;
  void VisitChannelSeries(logdata::Channel channel, const logdata::TLogAnalysis::SeriesVisitor& visit) const;
  std::vector<DayTotals> DailyTotals() const;
  std::string TotalsCsv(TotalsPer per) const;
  // The summary of [from, to); with kept, whole days take their figures
  // from there.
  RangeSummary Summarize(DateTime from, DateTime to, std::span<const logdata::Channel> channels,
                         WholeDayFigures* kept) const;
  // The whole days' figures kept while the loaded days stay as they are.
  WholeDayFigures& KeptWholeDays() const { return wholeDays_; }

  // Messages of days of a range that failed to load, and warnings about
  // files that loaded only in part; taking them empties the list.
  std::vector<std::string> TakeMessages();
  std::vector<std::string> TakeWarnings();

 private:
  class AnalysisDays;
  void GatherWarnings();

  void AdoptFollowedDay();

  std::unique_ptr<logdata::TLogAnalysis> evaluation_;
  std::unique_ptr<LoadedDays> days_;
  // Goes before the evaluation that holds its day log.
  std::unique_ptr<logdata::DayFileFollower> follower_;
  mutable WholeDayFigures wholeDays_;
  std::vector<std::string> messages_;
  std::vector<std::string> warnings_;
};

}  // namespace calorix::evaluation
