#include "logdata/log_analysis.h"

#include <utility>

#include "core/error.h"
#include "i18n/text_table.h"
#include "logdata/day_log.h"
#include "logdata/day_preparation.h"
#include "logdata/log_file_error.h"
#include "logdata/month.h"
#include "logdata/series_style.h"

namespace calorix::logdata {
namespace {

[[noreturn]] void FailOpeningFullPath(const std::filesystem::path& path) {
  throw Error(i18n::Text(i18n::kTextErrorOpeningFile) + "\n\n" + path.string());
}

void RequireExisting(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) FailOpeningFullPath(path);
}

// The very first line of a file's bytes, empty lines not skipped.
std::string_view FirstLine(std::string_view bytes) { return bytes.substr(0, bytes.find_first_of("\r\n")); }

// A file's text with its path after a blank line, as the reading errors
// name their files.
std::string AboutFile(std::string text, const std::filesystem::path& path) { return text + "\n\n" + path.string(); }

// The records of a range's files are read by position: a file whose value
// columns are not the usual ones would put its values under the wrong
// channels. Its header is read into a copy, so that such a file leaves the
// units and the date style of the files before it as they were.
void ReadRangeHeader(std::string_view header, LogReadState& reading, const std::filesystem::path& path) {
  LogReadState next = reading;
  if (!ReadHeader(header, next).valueColumnsMatch) throw Error(AboutFile(i18n::Text(i18n::kTextColumnsDiffer), path));
  reading = next;
}

// The warning for a day that ended early, for the user as it stands.
std::string StopWarning(const std::filesystem::path& path, std::size_t line) {
  std::string text = i18n::Text(i18n::kTextReadingStopped);
  const std::size_t at = text.find("%1");
  if (at != std::string::npos) text.replace(at, 2, std::to_string(line));
  return AboutFile(text, path);
}

}  // namespace

TLogAnalysis::TLogAnalysis(chart::ChartPanel* upper, chart::ChartPanel* lower, DateTime start, DateTime end,
                           unsigned requested)
    : upper_(upper), lower_(lower), endDate_(end), startDate_(start), requestedDays_(requested) {}

TLogAnalysis::~TLogAnalysis() { DestroyMonths(); }

std::unique_ptr<TLogAnalysis> TLogAnalysis::CreateSingle(const std::filesystem::path& path, chart::ChartPanel* upper,
                                                         chart::ChartPanel* lower) {
  if (!upper || !lower) throw Error("Illegal State (2)");
  std::unique_ptr<TLogAnalysis> analysis(new TLogAnalysis(upper, lower, 0.0, 0.0, 1));
  RequireExisting(path);
  const DayFile file = ReadDayFile(path);
  if (!CheckHeader(file.Header(), analysis->reading_)) throw LogFileError(LogFileFault::NotALogFile);
  if (!file.Records().AtEnd()) {
    analysis->startDate_ = analysis->endDate_ = DayDateOfRecords(file.Records(), analysis->reading_.dateStyle);
  }
  analysis->BuildMonths();
  analysis->AddReadDay(file, path);
  return analysis;
}

std::unique_ptr<TLogAnalysis> TLogAnalysis::CreateMulti(DateTime start, DateTime end, unsigned fileCount,
                                                        const std::filesystem::path& firstPath,
                                                        chart::ChartPanel* upper, chart::ChartPanel* lower,
                                                        const FileFailureHandler& onFailure) {
  if (!upper || !lower) throw Error("Illegal State (1)");
  std::unique_ptr<TLogAnalysis> analysis(new TLogAnalysis(upper, lower, start, end, fileCount));
  RequireExisting(firstPath);
  std::string bytes = ReadWholeFile(firstPath);
  // The names of the first file's header decide for the whole range; it
  // must stand on the very first line.
  if (!bytes.empty() && !CheckHeader(FirstLine(bytes), analysis->reading_)) {
    throw LogFileError(LogFileFault::NotALogFile);
  }
  analysis->BuildMonths();
  try {
    analysis->AddReadDay(DayFileOf(std::move(bytes)), firstPath);
  } catch (const std::exception& e) {
    if (onFailure) onFailure(e.what());
  }
  return analysis;
}

void TLogAnalysis::BuildMonths() {
  DestroyMonths();
  day_.reset();
  lastDay_ = nullptr;
  if (requestedDays_ <= 1) {
    multiDay_ = false;
    return;
  }
  multiDay_ = true;
  const CivilDate first = DecodeDate(startDate_);
  const CivilDate last = DecodeDate(endDate_);
  const int count = std::max(1, last.month + (last.year - first.year) * 12 - first.month + 1);
  try {
    int month = first.month;
    int year = first.year;
    TMonth* previous = nullptr;
    for (int i = 0; i < count; ++i) {
      auto* created = new TMonth(month, year, previous, upper_);
      if (!firstMonth_) firstMonth_ = created;
      previous = created;
      if (++month > 12) {
        month = 1;
        ++year;
      }
    }
  } catch (const std::exception&) {
    DestroyMonths();
    throw Error(i18n::Text(i18n::kTextDataStructureError));
  }
}

void TLogAnalysis::DestroyMonths() {
  if (multiDay_) lastDay_ = nullptr;
  while (firstMonth_) {
    TMonth* next = firstMonth_->GetNext();
    delete firstMonth_;
    firstMonth_ = next;
  }
}

void TLogAnalysis::AddDayFile(const std::filesystem::path& path) { AddReadDay(ReadDayFile(path), path); }

TMonth* TLogAnalysis::MonthOfDay(DateTime dayDate, const std::filesystem::path& path) const {
  if (!multiDay_) return nullptr;
  const CivilDate date = DecodeDate(dayDate);
  if (TMonth* month = FindMonth(date.month, date.year)) return month;
  // The file's name put it into the range, its records do not.
  std::string text = i18n::Text(i18n::kTextDateOutsideRange);
  if (const std::size_t at = text.find("%1"); at != std::string::npos) {
    text.replace(at, 2, FormatDateTime("yyyy-mm-dd", dayDate));
  }
  throw Error(AboutFile(std::move(text), path));
}

void TLogAnalysis::AddReadDay(const DayFile& file, const std::filesystem::path& path) {
  ReadRangeHeader(file.Header(), reading_, path);
  const DateTime dayDate = DayDateOfRecords(file.Records(), reading_.dateStyle);
  TMonth* month = MonthOfDay(dayDate, path);
  std::unique_ptr<TDay> day;
  try {
    day = std::make_unique<TDay>(dayDate, upper_, lower_);
    day->ParseDay(file.Records(), reading_.powerInWatts, reading_.dateStyle);
  } catch (const std::exception&) {
    throw Error(i18n::Text(i18n::kTextErrorOpeningFile));
  }
  PlaceDay(std::move(day), month, path);
}

void TLogAnalysis::PlaceDay(std::unique_ptr<TDay> day, TMonth* month, const std::filesystem::path& path) {
  const std::optional<std::size_t> stoppedAt = day->StoppedAtLine();
  lastDay_ = day.get();
  if (month) {
    month->AddDay(day.release());
  } else {
    if (day_) --loadedDays_;
    day_ = std::move(day);
  }
  files_.push_back(path);
  ++loadedDays_;
  if (stoppedAt) warnings_.push_back(StopWarning(path, *stoppedAt));
}

void TLogAnalysis::ReplaceLastDay(std::unique_ptr<TDay> day, const LogReadState& reading) {
  if (!day || !lastDay_) throw Error("Illegal State (14).");
  if (!multiDay_) {
    startDate_ = endDate_ = day->DayDate();
    lastDay_ = day.get();
    day_ = std::move(day);
    reading_ = reading;
    return;
  }
  TMonth* month = MonthOfDay(day->DayDate(), files_.back());
  delete lastDay_;  // leaves its month and its neighbours
  lastDay_ = day.get();
  month->AddDay(day.release());
  reading_ = reading;
}

std::vector<std::string> TLogAnalysis::TakeWarnings() { return std::exchange(warnings_, {}); }

void TLogAnalysis::AddPreparedDay(PreparedDayFile&& prepared) {
  if (prepared.readFailure) std::rethrow_exception(prepared.readFailure);
  ReadRangeHeader(prepared.header, reading_, prepared.path);  // units and watts in loading order
  if (!prepared.headerNamesStyle) {
    // The style comes from the files before: parsed here, in order.
    AddReadDay(prepared.file, prepared.path);
    return;
  }
  if (prepared.dateFailure) std::rethrow_exception(prepared.dateFailure);
  TMonth* month = MonthOfDay(prepared.dayDate, prepared.path);
  if (!prepared.day) throw Error(i18n::Text(i18n::kTextErrorOpeningFile));
  PlaceDay(std::move(prepared.day), month, prepared.path);
}

bool TLogAnalysis::HasData() const { return multiDay_ ? firstMonth_ != nullptr : day_ != nullptr; }

bool TLogAnalysis::IsMultiDay() const { return HasData() && multiDay_; }

int TLogAnalysis::GetDayCount() const {
  if (!HasData()) return 0;
  return multiDay_ ? static_cast<int>(loadedDays_) : 1;
}

int TLogAnalysis::GetMonthCount() const {
  if (!HasData()) return 0;
  return multiDay_ ? firstMonth_->GetMonthCount() : 1;
}

DateTime TLogAnalysis::GetStartDate(int dayIndex) const {
  if (dayIndex < 0 || static_cast<unsigned>(dayIndex) >= loadedDays_) throw Error("Illegal State (6).");
  if (day_) return day_->GetStartDate(dayIndex);
  if (firstMonth_) return firstMonth_->GetStartDate(dayIndex);
  throw Error("Illegal State (7).");
}

DateTime TLogAnalysis::GetDateByMonthIndex(int monthIndex) const {
  if (!multiDay_) throw Error("Illegal State (8).");
  if (!firstMonth_) throw Error("Illegal State (9).");
  return firstMonth_->GetDateByMonthIndex(monthIndex);
}

int TLogAnalysis::GetMonthIndexByDay(int dayIndex) const {
  if (!multiDay_) throw Error("Illegal State (10).");
  if (!firstMonth_) throw Error("Illegal State (11).");
  return firstMonth_->GetMonthIndexByDay(dayIndex);
}

int TLogAnalysis::GetDayIndexByMonth(int monthIndex) const {
  if (!multiDay_) throw Error("Illegal State (12).");
  if (!firstMonth_) throw Error("Illegal State (13).");
  return firstMonth_->GetDayIndexByMonth(monthIndex);
}

std::string TLogAnalysis::GetUnit(int channelIndex) const {
  if (channelIndex < 0 || channelIndex >= kChannelCount) return {};
  return reading_.units[static_cast<std::size_t>(channelIndex)];
}

const std::filesystem::path& TLogAnalysis::GetFileName(int dayIndex) const {
  if (dayIndex < 0 || static_cast<std::size_t>(dayIndex) >= files_.size()) throw Error("Illegal State(5).");
  return files_[static_cast<std::size_t>(dayIndex)];
}

TMonth* TLogAnalysis::FindMonth(int month, int year) const {
  for (TMonth* m = firstMonth_; m; m = m->GetNext()) {
    if (m->IsMonth(month, year)) return m;
  }
  return nullptr;
}

void TLogAnalysis::ShowChannel(Channel channel, ChannelState& lowest, DateTime windowStart, DateTime windowEnd) {
  if (day_) {
    bool anyShown = false;
    day_->ShowChannel(channel, anyShown, lowest, true, windowStart, windowEnd);
  }
  if (firstMonth_) firstMonth_->ShowChannel(channel, lowest, true, windowStart, windowEnd);
}

void TLogAnalysis::HideChannel(Channel channel) {
  if (day_) day_->HideChannel(channel);
  if (firstMonth_) firstMonth_->HideChannel(channel);
}

void TLogAnalysis::SetChannelAxis(Channel channel, chart::VerticalAxis axis) {
  if (day_) day_->SetChannelAxis(channel, axis);
  if (firstMonth_) firstMonth_->SetChannelAxis(channel, axis);
}

void TLogAnalysis::ApplySeriesSettings(const TChildSettings& settings) {
  if (!HasData()) return;
  static constexpr Channel kOrder[] = {Channel::T1,     Channel::T2, Channel::T3,   Channel::T4,    Channel::T5,
                                       Channel::T6,     Channel::TD, Channel::Flow, Channel::Power, Channel::Volume,
                                       Channel::Energy, Channel::R1, Channel::R2,   Channel::R3,    Channel::RError};
  for (const Channel channel : kOrder) {
    const auto slot = static_cast<std::size_t>(SlotOf(channel));
    const std::string label = ChannelLabel(settings, channel);
    const Color color = settings.Colors[slot];
    const int width = settings.LineWidth;
    if (day_) day_->ApplySeriesSettings(channel, label, settings.RShowBars, settings.OthersShowBars, width, color);
    if (firstMonth_) {
      firstMonth_->ApplySeriesSettings(channel, label, settings.RShowBars, settings.OthersShowBars, width, color);
    }
  }
}

void TLogAnalysis::BuildDailyTotals() {
  for (TMonth* m = firstMonth_; m; m = m->GetNext()) m->BuildDailyTotals();
}

void TLogAnalysis::VisitChannelSeries(Channel channel, const SeriesVisitor& visit) const {
  const auto visitDays = [&](const TDay* first) {
    for (const TDay* day = first; day; day = day->GetNext()) {
      visit(day->UpperSeries(channel), day->DayDate(), day->DayDate() + 1.0);
    }
  };
  if (day_ && !IsTotal(channel)) visitDays(day_.get());
  for (const TMonth* m = firstMonth_; m; m = m->GetNext()) {
    if (!IsTotal(channel)) {
      visitDays(m->FirstDay());
    } else if (const auto& series = m->Total(channel).series) {
      visit(*series, m->Start(), m->End());
    }
  }
}

void TLogAnalysis::VisitDays(const std::function<void(const TDay& day)>& visit) const {
  for (const TDay* day = day_.get(); day; day = day->GetNext()) visit(*day);
  for (const TMonth* m = firstMonth_; m; m = m->GetNext()) {
    for (const TDay* day = m->FirstDay(); day; day = day->GetNext()) visit(*day);
  }
}

std::vector<const TDay*> TLogAnalysis::DaysInCalendarOrder() const {
  std::vector<const TDay*> days;
  if (day_) days.push_back(day_.get());
  for (const TMonth* m = firstMonth_; m; m = m->GetNext()) {
    for (const TDay* day : m->DayOnEachDate()) {
      if (day) days.push_back(day);
    }
  }
  return days;
}

}  // namespace calorix::logdata
