#include "evaluation/evaluation_model.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/error.h"
#include "evaluation/panel_setup.h"
#include "logdata/day_log.h"

namespace calorix::evaluation {

using logdata::Channel;

namespace {

constexpr std::array<Channel, 2> kTotals = {Channel::Volume, Channel::Energy};

// The lower chart's time axis is a copy of the upper one's, labels and all.
void UndoZoom(chart::ChartPanel& upper, chart::ChartPanel& lower) {
  upper.UndoZoom();
  lower.CopyBottomAxisFrom(upper);
}

void WriteTitle(chart::ChartPanel& upper, const Title& title, const MonthNames& names) {
  upper.ClearTitle();
  switch (title.style) {
    case TitleStyle::None: return;
    case TitleStyle::Day: upper.AddTitleLine(FormatDate(kLongDate, title.from, names)); return;
    case TitleStyle::Month: upper.AddTitleLine(FormatDate(kMonthYear, title.from, names)); return;
    case TitleStyle::CoveredDates: upper.AddTitleLine(CoveredDatesTitle(title.from, title.to, names)); return;
    case TitleStyle::Year: upper.AddTitleLine(FormatDate("yyyy", title.from, names)); return;
  }
}

std::size_t Index(Channel channel) { return static_cast<std::size_t>(logdata::IndexOf(channel)); }

}  // namespace

EvaluationModel::EvaluationModel(MonthNames monthNames, TChildSettings initial)
    : settings_(std::move(initial)), monthNames_(std::move(monthNames)) {
  SetUpUpperPanel(upper_);
  SetUpLowerPanel(lower_);
  upper_.SetMinimumZoomWidth(kOneHour);
  upper_.LeftAxis().SetMinMax(-40.0, 250.0);
  upper_.BottomAxis().SetDateTimeFormat("hh:mm");
  lower_.CopyBottomAxisFrom(upper_);
  upper_.ClearTitle();
  // The mouse zoomed or panned the upper chart, which has already changed
  // its axes (a zoom no narrower than an hour); the lower chart follows.
  const auto followZoom = [this] {
    // Zoomed into the year to less than two months, the time axis names
    // days as the month span does: month ticks would leave it nearly bare.
    if (position_.span == Span::Year) {
      const chart::ValueRange window = TimeWindow();
      upper_.BottomAxis().SetDateTimeFormat(window.max - window.min < 62.0 ? "dd." : kYearAxisFormat);
    }
    lower_.CopyBottomAxisFrom(upper_);
    if (timeWindowListener_) timeWindowListener_();
  };
  upper_.OnZoom = followZoom;
  upper_.OnUndoZoom = followZoom;
  upper_.OnScroll = [this] {
    // The position, the slider and the title stay; the curves follow when
    // the window has left the days they cover.
    const chart::ValueRange window = TimeWindow();
    curves_.ShowWindow(window.min, window.max);
    comparison_.Update(position_.dayStart);
    if (timeWindowListener_) timeWindowListener_();
  };
  // The year span's time axis names its months.
  upper_.OnGetAxisLabel = [this](const chart::ChartAxis& axis, int, std::string& label) {
    label = MonthAxisLabel(axis, label, monthNames_);
  };
  lower_.OnGetAxisLabel = [this, levels = lower_.OnGetAxisLabel](const chart::ChartAxis& axis, int index,
                                                                 std::string& label) {
    if (levels) levels(axis, index, label);
    label = MonthAxisLabel(axis, label, monthNames_);
  };
  view_.enabled.fill(true);
  for (const Channel total : kTotals) view_.enabled[Index(total)] = false;
}

EvaluationSnapshot EvaluationModel::Snapshot() const {
  return {load_,
          upper_,
          lower_,
          view_,
          settings_,
          curves_.MonthlyBars(),
          comparison_.Curves(),
          comparison_.ComparedDay(),
          TimeWindow(),
          curves_.PerMonthShown(),
          loading_,
          &monthNames_};
}

std::optional<DateTime> EvaluationModel::ShownDay() const {
  if (!HasEvaluation()) return std::nullopt;
  return position_.dayStart;
}

std::optional<std::filesystem::path> EvaluationModel::CurrentDayFile() const {
  if (!view_.spreadsheetAvailable) return std::nullopt;
  return load_.DayFile(position_.dayIndex);
}

// ---------------------------------------------------------------------------
// Settings and texts

void EvaluationModel::ApplySettings(const TChildSettings& settings) {
  settings_ = settings;
  SetFixedRange(upper_.LeftAxis(), settings_);
  SetFixedRange(upper_.RightAxis(), settings_);
  curves_.Restyle();
  comparison_.Update(position_.dayStart, true);
}

void EvaluationModel::SetMonthNames(MonthNames names) {
  monthNames_ = std::move(names);
  // Dates already shown are written again in the new names.
  if (title_.style != TitleStyle::None) WriteTitle(upper_, title_, monthNames_);
  if (captionDay_) view_.caption = {FormatDate(kLongDate, *captionDay_, monthNames_), "", 0};
}

void EvaluationModel::ApplyLanguage() {
  curves_.Restyle();
  comparison_.Update(position_.dayStart, true);
}

// ---------------------------------------------------------------------------
// Loading

void EvaluationModel::LoadFile(const std::filesystem::path& path) {
  const DisplayNotice::Batch batch(notice_);
  Reset();
  try {
    load_.LoadSingle(path, upper_, lower_);
  } catch (...) {
    Reset();
    throw;
  }
  // A new evaluation opens on its first day in the day span, whatever the
  // window showed before.
  UndoZoom(upper_, lower_);
  Navigate(FirstDayPosition(kSingleDaySpanCount, load_.Days()));
  UpdateFindings();
  captionDay_ = position_.dayStart;
  view_.caption = {FormatDate(kLongDate, *captionDay_, monthNames_), "", 0};
  notice_.Changed();
}

void EvaluationModel::Begin(unsigned fileCount, const std::filesystem::path& firstPath, DateTime start, DateTime end) {
  const DisplayNotice::Batch batch(notice_);
  Reset();
  view_.caption = {FormatDate(kNumericDate, start, monthNames_), FormatDate(kNumericDate, end, monthNames_), fileCount};
  try {
    load_.BeginMulti(fileCount, firstPath, start, end, upper_, lower_);
    loading_ = true;
  } catch (...) {
    // Nothing was built: the window is empty again, not captioned with a
    // range it does not show.
    Reset();
    throw;
  }
}

logdata::PreparationPanels EvaluationModel::PanelsForPreparation() const {
  return {const_cast<chart::ChartPanel*>(&upper_), const_cast<chart::ChartPanel*>(&lower_)};
}

void EvaluationModel::End() {
  const DisplayNotice::Batch batch(notice_);
  loading_ = false;
  if (!HasEvaluation() || load_.DayCount() == 0) {
    // Every file failed and each failure has been reported already; the
    // months of the range may exist without a day in them.
    Reset();
    return;
  }
  const LoadedDays& days = load_.Days();
  // Files of one date make a single-day evaluation, which has no months to
  // show: it offers the single day's spans.
  int spanCount = kSingleDaySpanCount;
  if (load_.IsMultiDay()) {
    const bool year = OffersYearSpan(days.DayStartDate(0), days.DayStartDate(days.DayCount() - 1));
    spanCount = year ? kYearSpanCount : kMultiDaySpanCount;
  }
  UndoZoom(upper_, lower_);
  Navigate(FirstDayPosition(spanCount, days));
  load_.Analysis()->BuildDailyTotals();
  UpdateFindings();
  notice_.Changed();
}

void EvaluationModel::Reset() {
  const DisplayNotice::Batch batch(notice_);
  load_.Clear();
  loading_ = false;
  // The evaluation took its curves with it.
  curves_.Clear();
  curves_.SetPerMonthShown(false);
  position_.span = Span::Day;
  position_.scrolled.reset();
  view_.span = Span::Day;
  view_.slider = {};
  for (const Channel total : kTotals) view_.enabled[Index(total)] = false;
  upper_.ClearTitle();
  title_ = {};
  view_.caption = {};
  captionDay_.reset();
  view_.spreadsheetAvailable = false;
  view_.scrollRepeat = true;
  comparison_.Forget();
  comparison_.Update(position_.dayStart);
  view_.perMonth = false;
  view_.perMonthVisible = false;
  UpdateFindings();
  notice_.Changed();
}

HeldView EvaluationModel::Hold() const {
  HeldView held;
  held.position = position_;
  if (upper_.IsZoomed()) {
    held.zoom = chart::ZoomRanges{TimeWindow(),
                                  {upper_.LeftAxis().Minimum(), upper_.LeftAxis().Maximum()},
                                  {upper_.RightAxis().Minimum(), upper_.RightAxis().Maximum()}};
  }
  held.checked = view_.checked;
  held.perMonth = view_.perMonth;
  return held;
}

void EvaluationModel::Restore(const HeldView& held) {
  if (!load_.Loaded()) return;
  const LoadedDays& days = load_.Days();
  const TimePosition& p = held.position;
  const bool sameDay = p.spanCount == position_.spanCount && p.dayIndex >= 0 && p.dayIndex < days.DayCount() &&
                       days.DayStartDate(p.dayIndex) == p.dayStart &&
                       (p.spanCount == kSingleDaySpanCount || (p.monthIndex >= 0 && p.monthIndex < days.MonthCount()));
  RestoreAt(held, sameDay ? std::optional<TimePosition>(p) : std::nullopt);
}

void EvaluationModel::RestoreAt(const HeldView& held, const std::optional<TimePosition>& place) {
  const DisplayNotice::Batch batch(notice_);
  SetPerMonth(held.perMonth);
  const LoadedDays& days = load_.Days();
  if (place) {
    Navigate(place);
  } else {
    Navigate(FirstDayPosition(position_.spanCount, days));
    if (static_cast<int>(held.position.span) < position_.spanCount) {
      Navigate(evaluation::ChooseSpan(position_, static_cast<int>(held.position.span), days));
    }
  }
  for (const Channel channel : logdata::kPanelOrder) {
    if (!held.checked[Index(channel)] || !view_.enabled[Index(channel)]) continue;
    try {
      SetChannelChecked(channel, true);
    } catch (const Error&) {
      // No values any more (a file that was replaced): left unticked.
    }
  }
  if (place && held.zoom && upper_.ZoomAllowed()) upper_.UserZoom(*held.zoom);
}

// ---------------------------------------------------------------------------
// Following a log

void EvaluationModel::Follow(const std::filesystem::path& file, DateTime through) {
  LoadFile(file);
  const DisplayNotice::Batch batch(notice_);
  auto follower = std::make_unique<logdata::DayFileFollower>(file, &upper_, &lower_);
  follower->Poll();
  if (!follower->Day()) throw Error(LoadFailureText(LoadFailureKind::NoMeasuredValues, file));
  load_.FollowLastFile(std::move(follower));
  followedFiles_ = {file};
  followFailure_.reset();
  view_.caption.following = true;
  notice_.Changed();
  LookAtFollowed(through);
}

std::vector<std::filesystem::path> EvaluationModel::FollowedFiles() const {
  return IsFollowing() ? followedFiles_ : std::vector<std::filesystem::path>{};
}

EvaluationModel::FollowLook EvaluationModel::LookAtFollowed(DateTime through) {
  if (!IsFollowing()) return FollowLook::Nothing;
  const DisplayNotice::Batch batch(notice_);
  FollowLook look = FollowLook::Nothing;
  try {
    look = PollFollowed();
    if (JoinLaterFiles(through)) look = FollowLook::Joined;
    followFailure_.reset();
  } catch (const std::exception& e) {
    ReportFollowFailure(e);
  }
  if (view_.caption.following != IsFollowing()) {
    view_.caption.following = IsFollowing();
    notice_.Changed();
  }
  return look;
}

void EvaluationModel::ReportFollowFailure(const std::exception& e) {
  if (followFailure_ == e.what()) return;
  followFailure_ = e.what();
  load_.AddMessage(e.what());
}

EvaluationModel::FollowLook EvaluationModel::PollFollowed() {
  const DateTime previousLast = NewestRecord();
  switch (load_.PollFollowed()) {
    case logdata::DayFileFollower::Change::None: return FollowLook::Nothing;
    case logdata::DayFileFollower::Change::Appended: ShowGrown(previousLast); return FollowLook::Grown;
    case logdata::DayFileFollower::Change::Reloaded: ShowReplaced(previousLast); return FollowLook::Replaced;
  }
  return FollowLook::Nothing;
}

// A later day's file joins once it holds a record: a logger starts the
// new day's file with its header.
bool EvaluationModel::JoinLaterFiles(DateTime through) {
  const std::vector<std::filesystem::path> later = logdata::LaterDayFiles(followedFiles_.back(), through);
  if (later.empty()) return false;
  auto follower = std::make_unique<logdata::DayFileFollower>(later.back(), &upper_, &lower_);
  follower->Poll();
  if (!follower->Day()) return false;
  Join(later, std::move(follower));
  return true;
}

// The followed days and the new ones are loaded again as a range, as the
// multi-day analysis loads one; the view stays where it was, or moves on
// to the newest record if it showed the newest before.
void EvaluationModel::Join(const std::vector<std::filesystem::path>& later,
                           std::unique_ptr<logdata::DayFileFollower> follower) {
  const HeldView held = Hold();
  const DateTime previousLast = NewestRecord();
  std::vector<std::filesystem::path> files = followedFiles_;
  files.insert(files.end(), later.begin(), later.end());
  const DateTime start = logdata::DayFileDate(files.front()).value_or(0.0);
  const DateTime end = logdata::DayFileDate(files.back()).value_or(start);
  std::vector<std::string> failures;
  logdata::MultiDayLoadCallbacks callbacks;
  callbacks.fileFailed = [&failures](const std::string& message) { failures.push_back(message); };
  logdata::RunMultiDayLoad(files, start, end, *this, callbacks);
  for (std::string& failure : failures) load_.AddMessage(std::move(failure));
  // A new file that did not load has said why; there is nothing of it to
  // follow, and the following ends.
  if (!HasEvaluation() || load_.DayFile(load_.DayCount() - 1) != follower->Path()) return;
  load_.FollowLastFile(std::move(follower));
  followedFiles_ = std::move(files);
  view_.caption.following = true;
  RestoreAt(held, SamePlace(held.position, position_.spanCount, load_.Days()));
  FollowNewestRecord(previousLast);
  UpdateFindings();
  notice_.Changed();
}

void EvaluationModel::ShowGrown(DateTime previousLast) {
  FollowNewestRecord(previousLast);
  curves_.Refresh();
  comparison_.Update(position_.dayStart, true);
  UpdateFindings();
  notice_.Changed();
}

// The file was replaced or shortened: its day log is a new one, which may
// even carry another date. The channels are ticked again where they have
// values, as after a reload.
void EvaluationModel::ShowReplaced(DateTime previousLast) {
  const HeldView held = Hold();
  UndoZoom(upper_, lower_);
  for (const Channel channel : logdata::kPanelOrder) {
    if (view_.checked[Index(channel)]) SetChannelChecked(channel, false);
  }
  if (!load_.IsMultiDay()) {
    captionDay_ = load_.Days().DayStartDate(0);
    view_.caption.from = FormatDate(kLongDate, *captionDay_, monthNames_);
  }
  RestoreAt(held, SamePlace(held.position, position_.spanCount, load_.Days()));
  FollowNewestRecord(previousLast);
  UpdateFindings();
  notice_.Changed();
}

void EvaluationModel::FollowNewestRecord(DateTime previousLast) {
  const FollowView follow = FollowNewest(position_, Shown(), previousLast, NewestRecord(), load_.Days());
  if (follow.position) {
    UndoZoom(upper_, lower_);
    Navigate(follow.position);
  } else if (follow.zoom) {
    upper_.UserZoom({*follow.zoom,
                     {upper_.LeftAxis().Minimum(), upper_.LeftAxis().Maximum()},
                     {upper_.RightAxis().Minimum(), upper_.RightAxis().Maximum()}});
  }
}

DateTime EvaluationModel::NewestRecord() const {
  const logdata::TDay* day = load_.FollowedDay();
  return day ? day->LastRecordTime() : 0.0;
}

ShownWindow EvaluationModel::Shown() const { return {TimeWindow(), upper_.IsZoomed(), upper_.UnzoomedBottom()}; }

// ---------------------------------------------------------------------------
// Channels and navigation

void EvaluationModel::SetChannelChecked(Channel channel, bool checked) {
  if (curves_.SetChecked(channel, checked)) comparison_.Update(position_.dayStart);
}

void EvaluationModel::Navigate(const std::optional<TimePosition>& next) {
  if (!next) return;
  const DisplayNotice::Batch batch(notice_);
  const bool leavesYear = position_.span == Span::Year && next->span != Span::Year;
  position_ = *next;
  const ShownTime shown = ShowPosition(position_, load_.Days());
  view_.spanCount = position_.spanCount;
  view_.span = position_.span;
  view_.slider = shown.slider;
  for (const Channel total : kTotals) {
    if (!shown.totalsEnabled) SetChannelChecked(total, false);
    view_.enabled[Index(total)] = shown.totalsEnabled;
  }
  // Per-month bars give way to the daily ones: every curve is placed again.
  if (leavesYear) curves_.Forget();
  curves_.SetPerMonthShown(position_.span == Span::Year && view_.perMonth);
  upper_.SetZoomAllowed(shown.zoomAllowed);
  upper_.SetPanning(shown.panning);
  view_.scrollRepeat = shown.scrollRepeat;
  view_.perMonthVisible = shown.perMonthVisible;
  upper_.BottomAxis().SetDateTimeFormat(shown.axisFormat);
  title_ = shown.title;
  WriteTitle(upper_, title_, monthNames_);
  curves_.ShowWindow(shown.window.min, shown.window.max);
  view_.spreadsheetAvailable = HasEvaluation() && shown.spreadsheetAvailable;
  comparison_.Update(position_.dayStart);
}

void EvaluationModel::ChooseSpan(int item) {
  if (!load_.Loaded()) return;
  UndoZoom(upper_, lower_);
  Navigate(evaluation::ChooseSpan(position_, item, load_.Days()));
}

void EvaluationModel::MoveSlider(int position) {
  if (!load_.Loaded()) return;
  UndoZoom(upper_, lower_);
  Navigate(evaluation::MoveSlider(position_, position, load_.Days()));
}

void EvaluationModel::JumpLeft() {
  if (!load_.Loaded()) return;
  const std::optional<TimePosition> next = evaluation::JumpLeft(position_, load_.Days());
  if (next) UndoZoom(upper_, lower_);
  Navigate(next);
}

void EvaluationModel::JumpRight() {
  if (!load_.Loaded()) return;
  const std::optional<TimePosition> next = evaluation::JumpRight(position_, load_.Days());
  if (next) UndoZoom(upper_, lower_);
  Navigate(next);
}

void EvaluationModel::ScrollClick(int direction) {
  if (!load_.Loaded()) return;
  const std::optional<TimePosition> next = evaluation::ScrollClick(position_, direction, load_.Days());
  if (next) UndoZoom(upper_, lower_);
  Navigate(next);
}

void EvaluationModel::ScrollStep(int direction) {
  if (!load_.Loaded()) return;
  Navigate(evaluation::ScrollStep(position_, TimeWindow(), direction, load_.Days()));
}

void EvaluationModel::SetPerMonth(bool perMonth) {
  if (view_.perMonth == perMonth) return;
  view_.perMonth = perMonth;
  if (position_.span != Span::Year || !load_.Loaded()) return;
  curves_.SetPerMonthShown(perMonth);
  curves_.ReplaceTotals();
}

// ---------------------------------------------------------------------------
// The mouse wheel

void EvaluationModel::WheelZoom(DateTime t, double factor) {
  if (!HasEvaluation() || !upper_.ZoomAllowed() || !(factor > 0.0)) return;
  const chart::ValueRange window = TimeWindow();
  const chart::ValueRange whole = upper_.UnzoomedBottom();
  const double width = window.max - window.min;
  if (width <= 0.0 || t < window.min || t > window.max) return;
  const double wanted = std::max(width * factor, std::min(kOneHour, whole.max - whole.min));
  if (wanted >= whole.max - whole.min) {
    upper_.UserUndoZoom();
    return;
  }
  // t keeps its share of the width on either side; the window stays
  // inside the span's window.
  double from = t - (t - window.min) * (wanted / width);
  from = std::clamp(from, whole.min, whole.max - wanted);
  const chart::ZoomRanges ranges{{from, from + wanted},
                                 {upper_.LeftAxis().Minimum(), upper_.LeftAxis().Maximum()},
                                 {upper_.RightAxis().Minimum(), upper_.RightAxis().Maximum()}};
  upper_.UserZoom(ranges);
}

void EvaluationModel::WheelScroll(int steps) {
  if (!load_.Loaded() || steps == 0) return;
  const int direction = steps > 0 ? 1 : -1;
  if (view_.span == Span::Month || view_.span == Span::Year) {
    ScrollClick(direction);
    return;
  }
  for (int i = 0; i < std::abs(steps); ++i) ScrollStep(direction);
}

void EvaluationModel::UpdateFindings() {
  findings_.clear();
  if (HasEvaluation() && !loading_) findings_ = findings::FindFindings(*load_.Data(), thresholds_);
  std::vector<chart::ValueRange> periods;
  periods.reserve(findings_.size());
  for (const findings::Finding& f : findings_) periods.push_back({f.start, f.end});
  lower_.SetBands(std::move(periods));
}

void EvaluationModel::SetFindingThresholds(const findings::FindingThresholds& thresholds) {
  if (thresholds == thresholds_) return;
  thresholds_ = thresholds;
  UpdateFindings();
}

void EvaluationModel::ShowFinding(const findings::Finding& finding) {
  if (!HasEvaluation() || loading_) return;
  const DisplayNotice::Batch batch(notice_);
  UndoZoom(upper_, lower_);
  Navigate(DayOf(position_, finding.start, load_.Days()));
  const chart::ValueRange day = TimeWindow();
  const double to = std::min(std::max(finding.end, finding.start + kOneHour), day.max);
  const double from = std::max(day.min, std::min(finding.start, to - kOneHour));
  // A period outside the day shown (a day without a file) shows the day.
  if (!(to > from) || to - from >= day.max - day.min) return;
  upper_.UserZoom({{from, to},
                   {upper_.LeftAxis().Minimum(), upper_.LeftAxis().Maximum()},
                   {upper_.RightAxis().Minimum(), upper_.RightAxis().Maximum()}});
}

void EvaluationModel::CompareWith(int item) {
  comparison_.Choose(item);
  comparison_.Update(position_.dayStart);
}

}  // namespace calorix::evaluation
