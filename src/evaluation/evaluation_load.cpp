#include "evaluation/evaluation_load.h"

#include <utility>

#include "core/error.h"
#include "evaluation/value_readout.h"
#include "i18n/text_table.h"
#include "logdata/day_log.h"
#include "logdata/log_file_error.h"

namespace calorix::evaluation {

LoadFailureKind LoadFailureKindOf(const std::exception& e) {
  const auto* fault = dynamic_cast<const logdata::LogFileError*>(&e);
  if (!fault) return LoadFailureKind::CannotOpen;
  return fault->Fault() == logdata::LogFileFault::NoMeasuredValues ? LoadFailureKind::NoMeasuredValues
                                                                   : LoadFailureKind::NotALogFile;
}

std::string LoadFailureText(LoadFailureKind kind, const std::filesystem::path& path) {
  int text = i18n::kTextErrorOpeningFile;
  if (kind == LoadFailureKind::NoMeasuredValues) text = i18n::kTextNoMeasuredValues;
  if (kind == LoadFailureKind::NotALogFile) text = i18n::kTextNotAValidLogFile;
  return i18n::Text(text) + "\n\n" + path.string();
}

class EvaluationLoad::AnalysisDays : public LoadedDays {
 public:
  explicit AnalysisDays(const logdata::TLogAnalysis& evaluation) : evaluation_(evaluation) {}
  int DayCount() const override { return evaluation_.GetDayCount(); }
  DateTime DayStartDate(int index) const override { return evaluation_.GetStartDate(index); }
  int MonthCount() const override { return evaluation_.GetMonthCount(); }
  DateTime MonthStartDate(int monthIndex) const override { return evaluation_.GetDateByMonthIndex(monthIndex); }
  int MonthIndexOfDay(int dayIndex) const override { return evaluation_.GetMonthIndexByDay(dayIndex); }
  int DayIndexOfMonth(int monthIndex) const override { return evaluation_.GetDayIndexByMonth(monthIndex); }

 private:
  const logdata::TLogAnalysis& evaluation_;
};

EvaluationLoad::EvaluationLoad() = default;
EvaluationLoad::~EvaluationLoad() = default;

void EvaluationLoad::LoadSingle(const std::filesystem::path& path, chart::ChartPanel& upper, chart::ChartPanel& lower) {
  Clear();
  try {
    evaluation_ = logdata::TLogAnalysis::CreateSingle(path, &upper, &lower);
  } catch (const std::exception& e) {
    const std::string text = LoadFailureText(LoadFailureKindOf(e), path);
    Clear();
    throw Error(text);
  }
  days_ = std::make_unique<AnalysisDays>(*evaluation_);
  GatherWarnings();
}

void EvaluationLoad::BeginMulti(unsigned fileCount, const std::filesystem::path& firstPath, DateTime start,
                                DateTime end, chart::ChartPanel& upper, chart::ChartPanel& lower) {
  Clear();
  evaluation_ =
      logdata::TLogAnalysis::CreateMulti(start, end, fileCount, firstPath, &upper, &lower,
                                         [this](const std::string& message) { messages_.push_back(message); });
  days_ = std::make_unique<AnalysisDays>(*evaluation_);
  GatherWarnings();
}

void EvaluationLoad::Add(const std::filesystem::path& path) {
  if (!evaluation_) throw Error("Illegal State (7).");
  wholeDays_.Clear();
  evaluation_->AddDayFile(path);
  GatherWarnings();
}

void EvaluationLoad::AddPrepared(logdata::PreparedDayFile&& prepared) {
  if (!evaluation_) throw Error("Illegal State (7).");
  wholeDays_.Clear();
  evaluation_->AddPreparedDay(std::move(prepared));
  GatherWarnings();
}

void EvaluationLoad::Clear() {
  follower_.reset();
  wholeDays_.Clear();
  days_.reset();
  evaluation_.reset();
}

void EvaluationLoad::FollowLastFile(std::unique_ptr<logdata::DayFileFollower> follower) {
  if (!evaluation_ || !follower || !follower->Day()) throw Error("Illegal State (15).");
  if (evaluation_->GetDayCount() == 0 || evaluation_->GetFileName(evaluation_->GetDayCount() - 1) != follower->Path()) {
    // The file did not load into the evaluation (its day failed): there
    // is nothing of it to follow.
    throw Error(LoadFailureText(LoadFailureKind::CannotOpen, follower->Path()));
  }
  follower_ = std::move(follower);
  AdoptFollowedDay();
}

void EvaluationLoad::AdoptFollowedDay() {
  wholeDays_.Clear();
  try {
    evaluation_->ReplaceLastDay(follower_->TakeDay(), follower_->Reading());
  } catch (...) {
    // The follower's day log went with the failure.
    follower_.reset();
    throw;
  }
  if (evaluation_->IsMultiDay()) evaluation_->BuildDailyTotals();
}

logdata::DayFileFollower::Change EvaluationLoad::PollFollowed() {
  using Change = logdata::DayFileFollower::Change;
  if (!follower_) return Change::None;
  const Change change = follower_->Poll();
  if (change == Change::Appended) {
    wholeDays_.Clear();
    if (evaluation_->IsMultiDay()) evaluation_->BuildDailyTotals();
  } else if (change == Change::Reloaded) {
    // A file emptied down to its header keeps the day shown until records
    // come again.
    if (!follower_->Day()) return Change::None;
    AdoptFollowedDay();
  }
  return change;
}

const logdata::TDay* EvaluationLoad::FollowedDay() const { return follower_ ? follower_->Day() : nullptr; }

void EvaluationLoad::GatherWarnings() {
  if (!evaluation_) return;
  for (std::string& warning : evaluation_->TakeWarnings()) warnings_.push_back(std::move(warning));
}

std::vector<std::string> EvaluationLoad::TakeMessages() { return std::exchange(messages_, {}); }

std::vector<std::string> EvaluationLoad::TakeWarnings() { return std::exchange(warnings_, {}); }

bool EvaluationLoad::HasData() const { return evaluation_ && evaluation_->HasData(); }

bool EvaluationLoad::IsMultiDay() const { return evaluation_ && evaluation_->IsMultiDay(); }

int EvaluationLoad::DayCount() const { return evaluation_ ? evaluation_->GetDayCount() : 0; }

DateTime EvaluationLoad::FirstDate() const { return evaluation_->StartDate(); }

DateTime EvaluationLoad::LastDate() const { return evaluation_->EndDate(); }

std::vector<DateTime> EvaluationLoad::CalendarDates() const {
  std::vector<DateTime> dates;
  if (!evaluation_) return dates;
  for (const logdata::TDay* day : evaluation_->DaysInCalendarOrder()) dates.push_back(day->DayDate());
  return dates;
}

const std::filesystem::path& EvaluationLoad::DayFile(int dayIndex) const { return evaluation_->GetFileName(dayIndex); }

std::string EvaluationLoad::Unit(logdata::Channel channel) const {
  return evaluation_->GetUnit(logdata::IndexOf(channel));
}

std::optional<double> EvaluationLoad::ValueAt(logdata::Channel channel, DateTime t) const {
  return ChannelValueAt(*evaluation_, channel, t);
}

bool EvaluationLoad::ReadsErrAt(logdata::Channel channel, DateTime t) const {
  return ChannelReadsErrAt(*evaluation_, channel, t);
}

std::optional<DateTime> EvaluationLoad::NeighbourTime(logdata::Channel channel, DateTime t, int direction) const {
  return ChannelNeighbourTime(*evaluation_, channel, t, direction);
}

void EvaluationLoad::VisitChannelSeries(logdata::Channel channel,
                                        const logdata::TLogAnalysis::SeriesVisitor& visit) const {
  if (evaluation_) evaluation_->VisitChannelSeries(channel, visit);
}

std::vector<DayTotals> EvaluationLoad::DailyTotals() const {
  return evaluation_ ? evaluation::DailyTotals(*evaluation_) : std::vector<DayTotals>{};
}

std::string EvaluationLoad::TotalsCsv(TotalsPer per) const { return evaluation::TotalsCsv(*evaluation_, per); }

RangeSummary EvaluationLoad::Summarize(DateTime from, DateTime to, std::span<const logdata::Channel> channels,
                                       WholeDayFigures* kept) const {
  return SummarizeRange(*evaluation_, from, to, channels, kept);
}

}  // namespace calorix::evaluation
