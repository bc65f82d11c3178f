#include "evaluation/evaluation_model.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/error.h"
#include "evaluation/axis_rules.h"
#include "evaluation/panel_setup.h"
#include "evaluation/summary_names.h"
#include "i18n/text_table.h"
#include "logdata/day_log.h"
#include "logdata/series_style.h"

namespace calorix::evaluation {

using logdata::Channel;
using logdata::ChannelState;

namespace {

constexpr double kScrollFraction = 0.025;  // of the visible span per scroll step

// Curves are taken off in the selection panel's order and put back in this
// one; series placed later are drawn on top, so the inputs end up in front.
constexpr std::array<Channel, logdata::kChannelCount> kHideOrder = {{
    Channel::T1, Channel::T2, Channel::T3, Channel::T4, Channel::T5, Channel::T6, Channel::TD, Channel::Flow,
    Channel::Power, Channel::Volume, Channel::Energy, Channel::R1, Channel::R2, Channel::R3, Channel::RError,
}};
constexpr std::array<Channel, logdata::kChannelCount> kShowOrder = {{
    Channel::RError, Channel::R3, Channel::R2, Channel::R1, Channel::Energy, Channel::Volume, Channel::Flow,
    Channel::Power, Channel::TD, Channel::T6, Channel::T5, Channel::T4, Channel::T3, Channel::T2, Channel::T1,
}};

// The readout lists channels as the selection panel does: inputs, other
// values, outputs.
constexpr std::array<Channel, logdata::kChannelCount> kReadoutOrder = {{
    Channel::T1, Channel::T2, Channel::T3, Channel::T4, Channel::T5, Channel::T6, Channel::TD, Channel::Flow,
    Channel::Power, Channel::Volume, Channel::Energy, Channel::R1, Channel::R2, Channel::R3, Channel::RError,
}};

std::size_t Index(Channel channel) { return static_cast<std::size_t>(logdata::IndexOf(channel)); }

void CheckChannel(Channel channel) {
  if (logdata::IndexOf(channel) < 0 || logdata::IndexOf(channel) >= logdata::kChannelCount) {
    throw Error("Internal Error - ENUM OVERFLOW");
  }
}

// Sets an axis range so that the minimum never lies above the maximum on
// the way, which the axis refuses.
void SetAxisRange(chart::ChartAxis& axis, double min, double max) {
  if (min >= axis.Maximum()) {
    axis.SetMaximum(max);
    axis.SetMinimum(min);
  } else if (max <= axis.Minimum()) {
    axis.SetMinimum(min);
    axis.SetMaximum(max);
  } else {
    try {
      axis.SetMaximum(max);
      axis.SetMinimum(min);
    } catch (const Error&) {
      axis.SetMinimum(min);
      axis.SetMaximum(max);
    }
  }
}

// The fixed value range of the settings. A hand-edited settings file may
// give the ends the wrong way round; the axis then shows them in order
// instead of refusing every new window.
void SetFixedRange(chart::ChartAxis& axis, const TChildSettings& settings) {
  SetAxisRange(axis, std::min(settings.AxisMin, settings.AxisMax), std::max(settings.AxisMin, settings.AxisMax));
}

chart::ValueRange WholeDays(DateTime from, DateTime to) { return {std::floor(from), std::ceil(to)}; }

class EvaluationDays : public DayDates {
 public:
  explicit EvaluationDays(const logdata::TLogAnalysis& evaluation) : evaluation_(evaluation) {}
  int DayCount() const override { return evaluation_.GetDayCount(); }
  DateTime DayStartDate(int index) const override { return evaluation_.GetStartDate(index); }

 private:
  const logdata::TLogAnalysis& evaluation_;
};

}  // namespace

// Holds the display notification back while many curves change at once and
// sends it once at the end if anything changed.
class EvaluationModel::DisplayBatch {
 public:
  explicit DisplayBatch(EvaluationModel& model) : model_(model) { ++model_.displayHold_; }
  ~DisplayBatch() {
    if (--model_.displayHold_ == 0 && model_.displayPending_) model_.DisplayChanged();
  }
  DisplayBatch(const DisplayBatch&) = delete;
  DisplayBatch& operator=(const DisplayBatch&) = delete;

 private:
  EvaluationModel& model_;
};

EvaluationModel::EvaluationModel(MonthNames monthNames, TChildSettings initial)
    : settings_(std::move(initial)), monthNames_(std::move(monthNames)) {
  SetUpUpperPanel(upper_);
  SetUpLowerPanel(lower_);
  upper_.SetMinimumZoomWidth(kOneHour);
  upper_.LeftAxis().SetMinMax(-40.0, 250.0);
  upper_.BottomAxis().SetDateTimeFormat("hh:mm");
  SyncLowerTimeAxis();
  upper_.ClearTitle();
  upper_.OnZoom = [this] { OnUserZoom(); };
  upper_.OnUndoZoom = [this] { OnUserUndoZoom(); };
  upper_.OnScroll = [this] { OnUserPan(); };
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
  EnableTotals(false);
}

EvaluationModel::~EvaluationModel() {
  displayListener_ = nullptr;
  evaluation_.reset();
}

bool EvaluationModel::HasEvaluation() const { return evaluation_ && evaluation_->HasData(); }

bool EvaluationModel::HasGraphs() const { return upper_.SeriesCount() + lower_.SeriesCount() > 0; }

std::vector<std::string> EvaluationModel::TakeMessages() { return std::exchange(messages_, {}); }

std::vector<std::string> EvaluationModel::TakeWarnings() { return std::exchange(warnings_, {}); }

void EvaluationModel::GatherWarnings() {
  if (!evaluation_) return;
  for (std::string& warning : evaluation_->TakeWarnings()) warnings_.push_back(std::move(warning));
}

void EvaluationModel::DisplayChanged() {
  if (displayHold_ > 0) {
    displayPending_ = true;
    return;
  }
  displayPending_ = false;
  if (displayListener_) displayListener_();
}

chart::ValueRange EvaluationModel::TimeWindow() const {
  return {upper_.BottomAxis().Minimum(), upper_.BottomAxis().Maximum()};
}

std::optional<DateTime> EvaluationModel::ShownDay() const {
  if (!HasEvaluation()) return std::nullopt;
  return dayStart_;
}

std::optional<std::filesystem::path> EvaluationModel::CurrentDayFile() const {
  if (!view_.spreadsheetAvailable) return std::nullopt;
  return evaluation_->GetFileName(dayIndex_);
}

std::string EvaluationModel::DateText(std::string_view pattern, DateTime value) const {
  return FormatDate(pattern, value, monthNames_);
}

// ---------------------------------------------------------------------------
// Settings and texts

void EvaluationModel::ApplySettings(const TChildSettings& settings) {
  settings_ = settings;
  SetFixedRange(upper_.LeftAxis(), settings_);
  SetFixedRange(upper_.RightAxis(), settings_);
  if (evaluation_) {
    evaluation_->ApplySeriesSettings(settings_);
    monthlyBars_.ApplySettings(settings_);
    UpdateAxes();
  }
  UpdateComparison(true);
}

void EvaluationModel::SetMonthNames(MonthNames names) {
  monthNames_ = std::move(names);
  // Dates already shown are written again in the new names.
  if (title_.style != TitleStyle::None) SetTitle(title_);
  ShowCaption();
}

void EvaluationModel::ApplyLanguage() {
  if (evaluation_) evaluation_->ApplySeriesSettings(settings_);
  UpdateComparison(true);
  monthlyBars_.ApplySettings(settings_);
}

void EvaluationModel::SetLowerChartWidth(int pixels) {
  if (pixels == lowerChartWidth_) return;
  lowerChartWidth_ = pixels;
  UpdateLowerMargins();
}

// ---------------------------------------------------------------------------
// Loading

std::string EvaluationModel::LoadFailureText(const std::string& reason, const std::filesystem::path& path) const {
  // The reader's own texts say what it found; anything else (an internal
  // failure, no memory) is a failure to open the file. The full path
  // follows, so that a user who opened several files knows which one.
  int text = i18n::kTextErrorOpeningFile;
  for (const int known : {i18n::kTextNoMeasuredValues, i18n::kTextNotAValidLogFile}) {
    if (reason.rfind(i18n::Text(known), 0) == 0) text = known;
  }
  return i18n::Text(text) + "\n\n" + path.string();
}

void EvaluationModel::LoadFile(const std::filesystem::path& path) {
  const DisplayBatch batch(*this);
  Reset();
  try {
    evaluation_ = logdata::TLogAnalysis::CreateSingle(path, &upper_, &lower_);
  } catch (const std::exception& e) {
    const std::string text = LoadFailureText(e.what(), path);
    Reset();
    throw Error(text);
  }
  GatherWarnings();
  StartAtFirstDay(kSingleDaySpanCount);
  captionDay_ = dayStart_;
  ShowCaption();
  DisplayChanged();
}

void EvaluationModel::Begin(unsigned fileCount, const std::filesystem::path& firstPath, DateTime start,
                            DateTime end) {
  const DisplayBatch batch(*this);
  Reset();
  view_.caption = {DateText(kNumericDate, start), DateText(kNumericDate, end), fileCount};
  try {
    evaluation_ = logdata::TLogAnalysis::CreateMulti(start, end, fileCount, firstPath, &upper_, &lower_,
                                                     [this](const std::string& message) { messages_.push_back(message); });
  } catch (...) {
    // Nothing was built: the window is empty again, not captioned with a
    // range it does not show.
    Reset();
    throw;
  }
  GatherWarnings();
}

void EvaluationModel::Add(const std::filesystem::path& path) {
  if (!evaluation_) throw Error("Illegal State (7).");
  wholeDays_.Clear();
  evaluation_->AddDayFile(path);
  GatherWarnings();
}

void EvaluationModel::AddPrepared(logdata::PreparedDayFile&& prepared) {
  if (!evaluation_) throw Error("Illegal State (7).");
  wholeDays_.Clear();
  evaluation_->AddPreparedDay(std::move(prepared));
  GatherWarnings();
}

logdata::PreparationPanels EvaluationModel::PanelsForPreparation() const {
  return {const_cast<chart::ChartPanel*>(&upper_), const_cast<chart::ChartPanel*>(&lower_)};
}

void EvaluationModel::End() {
  const DisplayBatch batch(*this);
  if (!HasEvaluation() || evaluation_->GetDayCount() == 0) {
    // Every file failed and each failure has been reported already; the
    // months of the range may exist without a day in them.
    Reset();
    return;
  }
  const DateTime lastDay = evaluation_->GetStartDate(evaluation_->GetDayCount() - 1);
  StartAtFirstDay(OffersYearSpan(evaluation_->GetStartDate(0), lastDay) ? kYearSpanCount : kMultiDaySpanCount);
  evaluation_->BuildDailyTotals();
  DisplayChanged();
}

void EvaluationModel::Cancel() { Reset(); }

void EvaluationModel::Reset() {
  const DisplayBatch batch(*this);
  wholeDays_.Clear();
  evaluation_.reset();
  // The evaluation took its curves with it.
  view_.checked.fill(false);
  coveredDays_ = {0.0, 0.0};
  view_.span = Span::Day;
  SetSlider(0, 0);
  EnableTotals(false);
  upper_.ClearTitle();
  view_.caption = {};
  captionDay_.reset();
  title_ = {};
  view_.spreadsheetAvailable = false;
  view_.scrollRepeat = true;
  comparedDay_.reset();
  UpdateComparison();
  monthlyBars_.Clear();
  view_.perMonth = false;
  view_.perMonthVisible = false;
  DisplayChanged();
}

// A new evaluation opens on its first day in the day span, whatever the
// window showed before: no zoom, time-of-day labels, zoom by mouse.
void EvaluationModel::StartAtFirstDay(int spanCount) {
  UndoZoom();
  view_.spanCount = spanCount;
  view_.span = Span::Day;
  monthIndex_ = 0;
  dayIndex_ = 0;
  hourStart_ = 0;
  hourEnd_ = 24;
  ApplyMouseMode();
  SetBottomFormat("hh:mm");
  SetSlider(evaluation_->GetDayCount() - 1, 0);
  dayStart_ = evaluation_->GetStartDate(0);
  ShowDayHours();
  UpdateSpreadsheetAvailable();
}

// ---------------------------------------------------------------------------
// Channel selection and curves

void EvaluationModel::SetChannelChecked(Channel channel, bool checked) {
  CheckChannel(channel);
  const std::size_t i = Index(channel);
  if (view_.checked[i] == checked) return;
  view_.checked[i] = checked;
  if (!checked) {
    HideGraph(channel);
    UpdateComparison();
    return;
  }
  try {
    if (ShowGraph(channel) != ChannelState::HasValues) throw Error(i18n::Text(i18n::kTextNoDataAvailable));
    UpdateComparison();
  } catch (const std::exception& e) {
    const std::string message = e.what();
    view_.checked[i] = false;
    HideGraph(channel);
    throw Error(message);
  }
}

ChannelState EvaluationModel::ShowGraph(Channel channel) {
  const ChannelState lowest = PlaceGraph(channel);
  StyleShownGraphs();
  return lowest;
}

ChannelState EvaluationModel::PlaceGraph(Channel channel) {
  CheckChannel(channel);
  if (!HasEvaluation()) throw Error(i18n::Text(i18n::kTextOpenLogFileFirst));
  ChannelState lowest = ChannelState::NoColumn;
  const chart::ValueRange window = TimeWindow();
  if (PerMonthShown() && logdata::IsTotal(channel)) {
    if (!monthlyBars_.Built()) monthlyBars_.Build(*evaluation_);
    lowest = monthlyBars_.Show(channel);
  } else {
    evaluation_->ShowChannel(channel, lowest, window.min, window.max);
  }
  return lowest;
}

void EvaluationModel::StyleShownGraphs() {
  evaluation_->ApplySeriesSettings(settings_);
  monthlyBars_.ApplySettings(settings_);
  UpdateAxes();
  DisplayChanged();
}

void EvaluationModel::HideGraph(Channel channel) {
  CheckChannel(channel);
  if (!HasGraphs() || !evaluation_) return;
  evaluation_->HideChannel(channel);
  monthlyBars_.Hide(channel);
  UpdateAxes();
  DisplayChanged();
}

void EvaluationModel::HideAllGraphs() {
  const DisplayBatch batch(*this);
  for (const Channel channel : kHideOrder) {
    if (view_.checked[Index(channel)]) HideGraph(channel);
  }
}

void EvaluationModel::ShowAllGraphs() {
  const DisplayBatch batch(*this);
  // A year holds thousands of series: styling them once for all channels,
  // not once a channel, is a good part of a span change.
  bool placed = false;
  try {
    for (const Channel channel : kShowOrder) {
      if (!view_.checked[Index(channel)]) continue;
      PlaceGraph(channel);
      placed = true;
    }
  } catch (...) {
    if (placed) StyleShownGraphs();
    throw;
  }
  if (placed) StyleShownGraphs();
}

void EvaluationModel::UpdateAxes() {
  if (!evaluation_) return;
  AxisSelection selection;
  for (int i = 0; i < logdata::kChannelCount; ++i) {
    const auto k = static_cast<std::size_t>(i);
    selection.checked[k] = view_.checked[k];
    selection.units[k] = evaluation_->GetUnit(i);
  }
  const AxisTitles titles = ComposeAxisTitles(selection);
  bothGroups_ = titles.bothGroups;
  upper_.LeftAxis().SetTitle(titles.upperLeft);
  upper_.RightAxis().SetTitle(titles.upperRight);
  lower_.LeftAxis().SetTitle(titles.lowerLeft);
  lower_.RightAxis().SetTitle("");
  UpdateLowerMargins();
  for (const Channel channel : kHideOrder) {
    if (logdata::IsOtherValue(channel) || logdata::IsOutput(channel)) {
      evaluation_->SetChannelAxis(channel, AxisOfChannel(channel, titles.bothGroups));
      monthlyBars_.SetAxis(channel, AxisOfChannel(channel, titles.bothGroups));
    }
  }
  if (!settings_.DynamicScaling) return;
  ScaleDynamically(chart::AxisPosition::Left);
  ScaleDynamically(chart::AxisPosition::Right);
  UpdateLowerMargins();
  if (!titles.anyTemperature && !titles.anyOther) SetFixedRange(upper_.LeftAxis(), settings_);
}

void EvaluationModel::UpdateLowerMargins() {
  const int width = lowerChartWidth_;
  lower_.SetMarginRight(bothGroups_ ? LowerChartMargin(ChartSide::Right, upper_.RightAxis().Maximum(), width) : 3);
  lower_.SetMarginLeft(LowerChartMargin(ChartSide::Left, upper_.LeftAxis().Maximum(), width));
}

void EvaluationModel::ScaleDynamically(chart::AxisPosition position) {
  // An axis without series keeps its range; rescaling it would move it a
  // little further with every call.
  if (!upper_.AdjustAutomaticRange(position)) return;
  chart::ChartAxis& axis = upper_.Axis(position);
  const chart::ValueRange range = DynamicAxisRange({axis.Minimum(), axis.Maximum()});
  SetAxisRange(axis, range.min, range.max);
}

// ---------------------------------------------------------------------------
// The time window

// Sets the visible window on both charts and names it in the title. Curves
// are placed per day; only leaving the days they cover needs new ones.
void EvaluationModel::ShowWindow(DateTime from, DateTime to, const Title& title) {
  const chart::ValueRange days = WholeDays(from, to);
  SetTitle(title);
  if (days.min == coveredDays_.min && days.max == coveredDays_.max) {
    SetAxisRange(upper_.BottomAxis(), from, to);
    SyncLowerTimeAxis();
    UpdateComparison();
    return;
  }
  const DisplayBatch batch(*this);
  HideAllGraphs();
  try {
    SetAxisRange(upper_.BottomAxis(), from, to);
  } catch (...) {
    SyncLowerTimeAxis();
    ShowAllGraphs();
    throw;
  }
  coveredDays_ = days;
  SyncLowerTimeAxis();
  ShowAllGraphs();
  UpdateComparison();
}

void EvaluationModel::ShowDayHours() {
  ShowWindow(AtHour(dayStart_, hourStart_), AtHour(dayStart_, hourEnd_), {TitleStyle::Day, dayStart_, dayStart_});
}

void EvaluationModel::ShowMonth() {
  ShowWindow(dayStart_, FirstOfNextMonth(dayStart_), {TitleStyle::Month, dayStart_, dayStart_});
}

// The lower chart's time axis is a copy of the upper one's, labels and all.
void EvaluationModel::SyncLowerTimeAxis() { lower_.CopyBottomAxisFrom(upper_); }

void EvaluationModel::UndoZoom() {
  upper_.UndoZoom();
  SyncLowerTimeAxis();
}

// Hour spans pan with the mouse; the day and month spans zoom.
void EvaluationModel::ApplyMouseMode() {
  const bool hours = IsHourSpan(view_.span);
  upper_.SetZoomAllowed(!hours);
  upper_.SetPanning(hours ? chart::Panning::Horizontal : chart::Panning::None);
  view_.scrollRepeat = !InMonthMode() && !InYearMode();
  view_.perMonthVisible = InYearMode();
}

void EvaluationModel::SetSlider(int maximum, int position) {
  view_.slider.maximum = std::max(0, maximum);
  view_.slider.position = std::clamp(position, 0, view_.slider.maximum);
  view_.slider.enabled = view_.slider.maximum > 0;
}

void EvaluationModel::EnableTotals(bool enable) {
  for (const Channel total : {Channel::Volume, Channel::Energy}) {
    if (!enable) SetChannelChecked(total, false);
    view_.enabled[Index(total)] = enable;
  }
}

void EvaluationModel::SetBottomFormat(const char* format) {
  upper_.BottomAxis().SetDateTimeFormat(format);
  SyncLowerTimeAxis();
}

void EvaluationModel::SetTitle(const Title& title) {
  title_ = title;
  upper_.ClearTitle();
  switch (title.style) {
    case TitleStyle::None: return;
    case TitleStyle::Day: upper_.AddTitleLine(DateText(kLongDate, title.from)); return;
    case TitleStyle::Month: upper_.AddTitleLine(DateText(kMonthYear, title.from)); return;
    case TitleStyle::CoveredDates: upper_.AddTitleLine(CoveredDatesTitle(title.from, title.to, monthNames_)); return;
    case TitleStyle::Year: upper_.AddTitleLine(DateText("yyyy", title.from)); return;
  }
}

void EvaluationModel::ShowCaption() {
  if (captionDay_) view_.caption = {DateText(kLongDate, *captionDay_), "", 0};
}

void EvaluationModel::UpdateSpreadsheetAvailable() {
  view_.spreadsheetAvailable =
      HasEvaluation() && !InMonthMode() && !InYearMode() && dayIndex_ < evaluation_->GetDayCount();
}

void EvaluationModel::ChooseSpan(int item) {
  if (!evaluation_) return;
  const Span span = static_cast<Span>(std::clamp(item, 0, view_.spanCount - 1));
  UndoZoom();
  if (span == Span::Year) {
    ChooseYearSpan();
    return;
  }
  if (InYearMode()) LeaveYearSpan();
  const bool month = span == Span::Month;
  EnableTotals(month);
  if (InMonthMode() && !month) {
    view_.span = Span::Day;
    hourStart_ = 0;
    hourEnd_ = 24;
    dayIndex_ = evaluation_->GetDayIndexByMonth(monthIndex_);
    dayStart_ = evaluation_->GetStartDate(dayIndex_);
    SetBottomFormat("hh:mm");
    ShowDayHours();
  } else if (month && !InMonthMode()) {
    view_.span = Span::Month;
    monthIndex_ = evaluation_->GetMonthIndexByDay(dayIndex_);
    dayStart_ = evaluation_->GetDateByMonthIndex(monthIndex_);
    SetBottomFormat("dd.");
    ShowMonth();
  }
  if (IsHourSpan(span)) {
    const int hours = SpanHours(span);
    view_.span = span;
    if (hours == hourEnd_ - hourStart_) return;
    hourStart_ = std::min(hourStart_, 24 - hours);
    hourEnd_ = hourStart_ + hours;
    SetSlider(24 - hours, hourStart_);
  } else if (month) {
    SetSlider(evaluation_->GetMonthCount() - 1, monthIndex_);
    hourStart_ = 0;
    hourEnd_ = kMonthHours;
  } else {
    view_.span = Span::Day;
    hourStart_ = 0;
    hourEnd_ = 24;
    SetSlider(evaluation_->GetDayCount() - 1, dayIndex_);
  }
  ApplyMouseMode();
  if (!month) ShowDayHours();
  UpdateSpreadsheetAvailable();
}

void EvaluationModel::MoveSlider(int position) {
  if (!evaluation_) return;
  position = std::clamp(position, 0, view_.slider.maximum);
  view_.slider.position = position;
  UndoZoom();
  if (InYearMode()) {
    shownYear_ = firstYear_ + position;
    dayStart_ = FirstOfYear(shownYear_);
    ShowYear();
    return;
  }
  if (InMonthMode()) {
    monthIndex_ = position;
    dayStart_ = evaluation_->GetDateByMonthIndex(position);
    ShowMonth();
    return;
  }
  if (view_.span == Span::Day) {
    dayIndex_ = position;
    dayStart_ = evaluation_->GetStartDate(position);
  } else {
    const int width = hourEnd_ - hourStart_;
    hourStart_ = position;
    hourEnd_ = position + width;
  }
  ShowDayHours();
  UpdateSpreadsheetAvailable();
}

void EvaluationModel::JumpLeft() {
  if (!evaluation_) return;
  if (InMonthMode() || InYearMode()) {
    MoveSlider(0);
  } else if (view_.span == Span::Day) {
    // On the first day the first day is shown again.
    MoveSlider(std::max(0, view_.slider.position - 1));
  } else if (dayIndex_ > 0) {
    --dayIndex_;
    dayStart_ = evaluation_->GetStartDate(dayIndex_);
    UndoZoom();
    ShowDayHours();
    UpdateSpreadsheetAvailable();
  }
}

void EvaluationModel::JumpRight() {
  if (!evaluation_) return;
  if (InMonthMode() || InYearMode()) {
    MoveSlider(view_.slider.maximum);
  } else if (view_.span == Span::Day) {
    MoveSlider(std::min(view_.slider.maximum, view_.slider.position + 1));
  } else if (dayIndex_ + 1 < evaluation_->GetDayCount()) {
    ++dayIndex_;
    dayStart_ = evaluation_->GetStartDate(dayIndex_);
    UndoZoom();
    ShowDayHours();
    UpdateSpreadsheetAvailable();
  }
}

void EvaluationModel::ScrollClick(int direction) {
  if (!evaluation_ || (!InMonthMode() && !InYearMode())) return;
  const int position = std::clamp(view_.slider.position + direction, 0, view_.slider.maximum);
  if (position != view_.slider.position) MoveSlider(position);
}

void EvaluationModel::ScrollStep(int direction) {
  if (!evaluation_ || InMonthMode() || InYearMode()) return;
  const chart::ValueRange window = TimeWindow();
  const double shift = direction * kScrollFraction * (window.max - window.min);
  const DateTime from = window.min + shift;
  const DateTime to = window.max + shift;
  ShowWindow(from, to, {TitleStyle::CoveredDates, from, to});
  FollowTimeWindow();
}

// After a scroll step the slider and the current day follow the start of
// the visible window.
void EvaluationModel::FollowTimeWindow() {
  const double m = TimeWindow().min;
  const EvaluationDays days(*evaluation_);
  const DayPosition current{dayStart_, dayIndex_, hourStart_};
  if (view_.span == Span::Day) {
    const DayPosition next = FollowDaySpan(days, current, m);
    dayStart_ = next.dayStart;
    dayIndex_ = next.dayIndex;
    view_.slider.position = dayIndex_;
  } else {
    const int width = hourEnd_ - hourStart_;
    const DayPosition next = FollowHourSpan(days, current, width, m);
    dayStart_ = next.dayStart;
    dayIndex_ = next.dayIndex;
    hourStart_ = next.hourStart;
    hourEnd_ = hourStart_ + width;
    view_.slider.position = hourStart_;
  }
  UpdateSpreadsheetAvailable();
  UpdateComparison();
}

// ---------------------------------------------------------------------------
// Mouse zoom and panning on the upper chart. The panel has already changed
// its axes (a zoom no narrower than an hour); the lower chart follows.

void EvaluationModel::OnUserZoom() {
  FitYearAxisFormat();
  SyncLowerTimeAxis();
  if (timeWindowListener_) timeWindowListener_();
}

void EvaluationModel::OnUserUndoZoom() {
  FitYearAxisFormat();
  SyncLowerTimeAxis();
  if (timeWindowListener_) timeWindowListener_();
}

void EvaluationModel::OnUserPan() {
  // The navigation state, the slider and the title stay; the curves follow
  // when the window has left the days they cover.
  const chart::ValueRange window = TimeWindow();
  ShowWindow(window.min, window.max, title_);
  if (timeWindowListener_) timeWindowListener_();
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
  if (!evaluation_ || steps == 0) return;
  const int direction = steps > 0 ? 1 : -1;
  if (InMonthMode() || InYearMode()) {
    ScrollClick(direction);
    return;
  }
  for (int i = 0; i < std::abs(steps); ++i) ScrollStep(direction);
}

// ---------------------------------------------------------------------------
// The cursor readout

ValueReadout EvaluationModel::ReadoutAt(DateTime t) const {
  ValueReadout readout{t, {}};
  if (!HasEvaluation()) return readout;
  for (const Channel channel : kReadoutOrder) {
    if (!view_.checked[Index(channel)]) continue;
    std::string unit = UnitText(evaluation_->GetUnit(logdata::IndexOf(channel)));
    const std::optional<double> value = PerMonthShown() && logdata::IsTotal(channel)
                                            ? monthlyBars_.ValueAt(channel, t)
                                            : ChannelValueAt(*evaluation_, channel, t);
    readout.rows.push_back({channel, logdata::ChannelLabel(settings_, channel), unit, value});
    // The compared day's value at the same time of day, right below.
    if (auto compared = comparison_.RowAt(channel, unit, t)) readout.rows.push_back(std::move(*compared));
  }
  return readout;
}

std::optional<DateTime> EvaluationModel::NextRecordTime(DateTime t, int direction) const {
  if (!HasEvaluation() || direction == 0) return std::nullopt;
  std::optional<DateTime> best;
  for (const Channel channel : kReadoutOrder) {
    if (!view_.checked[Index(channel)]) continue;
    const auto next = ChannelNeighbourTime(*evaluation_, channel, t, direction);
    if (next && (!best || (direction > 0 ? *next < *best : *next > *best))) best = next;
  }
  return best;
}

Color EvaluationModel::ChannelColor(Channel channel) const {
  return settings_.Colors[static_cast<std::size_t>(logdata::SlotOf(channel))];
}

std::vector<std::string> EvaluationModel::ReadoutText(DateTime t) const {
  return ReadoutLines(ReadoutAt(t), InMonthMode() || InYearMode(), i18n::Text(i18n::kTextOutputOn),
                      i18n::Text(i18n::kTextOutputOff));
}

// ---------------------------------------------------------------------------
// The year span: one calendar year, its months on the time axis, the daily
// total bars or (per month) one bar a month; the slider counts years.

void EvaluationModel::ChooseYearSpan() {
  EnableTotals(true);
  if (!InYearMode()) {
    shownYear_ = YearOf(dayStart_);
    firstYear_ = YearOf(evaluation_->GetStartDate(0));
    view_.span = Span::Year;
  }
  dayStart_ = FirstOfYear(shownYear_);
  hourStart_ = 0;
  hourEnd_ = 24;
  SetSlider(YearOf(evaluation_->GetStartDate(evaluation_->GetDayCount() - 1)) - firstYear_, shownYear_ - firstYear_);
  ApplyMouseMode();
  ShowYear();
  UpdateSpreadsheetAvailable();
}

// The other spans take up the first loaded day of the shown year (the
// next one after it when the year holds none), as they take up the first
// day of the shown month.
void EvaluationModel::LeaveYearSpan() {
  const int count = evaluation_->GetDayCount();
  const DateTime from = FirstOfYear(shownYear_);
  int index = 0;
  while (index + 1 < count && std::floor(evaluation_->GetStartDate(index)) < from) ++index;
  view_.span = Span::Day;
  dayIndex_ = index;
  dayStart_ = evaluation_->GetStartDate(index);
  monthIndex_ = evaluation_->GetMonthIndexByDay(index);
  hourStart_ = 0;
  hourEnd_ = 24;
  SetBottomFormat("hh:mm");
  // The next window places every curve again: per-month bars give way to
  // the daily ones.
  coveredDays_ = {0.0, 0.0};
}

// Zoomed into the year to less than two months, the time axis names days
// as the month span does: month ticks would leave it nearly bare.
void EvaluationModel::FitYearAxisFormat() {
  if (!InYearMode()) return;
  const chart::ValueRange window = TimeWindow();
  upper_.BottomAxis().SetDateTimeFormat(window.max - window.min < 62.0 ? "dd." : kYearAxisFormat);
}

void EvaluationModel::ShowYear() {
  const DateTime from = FirstOfYear(shownYear_);
  upper_.BottomAxis().SetDateTimeFormat(kYearAxisFormat);  // unzoomed: months
  ShowWindow(from, FirstOfYear(shownYear_ + 1), {TitleStyle::Year, from, from});
}

void EvaluationModel::SetPerMonth(bool perMonth) {
  if (view_.perMonth == perMonth) return;
  view_.perMonth = perMonth;
  if (!InYearMode() || !evaluation_) return;
  const DisplayBatch batch(*this);
  for (const Channel total : {Channel::Energy, Channel::Volume}) {
    if (!view_.checked[Index(total)]) continue;
    HideGraph(total);
    ShowGraph(total);
  }
}

// ---------------------------------------------------------------------------
// The summary of the shown range

RangeSummary EvaluationModel::Summary() const {
  if (!HasEvaluation()) return {};
  std::vector<Channel> checked;
  for (const Channel channel : kReadoutOrder) {
    if (view_.checked[Index(channel)]) checked.push_back(channel);
  }
  const chart::ValueRange window = TimeWindow();
  return SummarizeRange(*evaluation_, window.min, window.max, checked, &wholeDays_);
}

std::string EvaluationModel::SummaryText() const {
  if (!HasEvaluation()) return {};
  std::string text;
  for (const std::string& line : SummaryLines(Summary(), SummaryNamesOf(settings_, *evaluation_))) text += line + "\n";
  return text;
}

Color EvaluationModel::RowColor(const ReadoutRow& row) const {
  const Color color = ChannelColor(row.channel);
  return row.compared ? LighterColor(color) : color;
}

// ---------------------------------------------------------------------------
// Comparing two days

void EvaluationModel::CompareWith(int item) {
  if (!HasEvaluation() || item <= 0 || item > static_cast<int>(comparisonDates_.size())) {
    comparedDay_.reset();
  } else {
    comparedDay_ = comparisonDates_[static_cast<std::size_t>(item - 1)];
  }
  UpdateComparison();
}

void EvaluationModel::UpdateComparison(bool restyle) {
  const bool multiDay = HasEvaluation() && evaluation_->IsMultiDay();
  std::vector<DateTime> dates;
  if (multiDay) {
    for (const logdata::TDay* day : evaluation_->DaysInCalendarOrder()) dates.push_back(day->DayDate());
  }
  const bool listChanges = dates != comparisonDates_;
  if (listChanges) comparisonDates_ = std::move(dates);
  if (listChanges || restyle || view_.comparisonItems.empty()) {
    view_.comparisonItems = {i18n::Text(i18n::kTextNoComparison)};
    for (const DateTime date : comparisonDates_) view_.comparisonItems.push_back(DateText(kNumericDate, date));
  }
  const auto listed = std::find(comparisonDates_.begin(), comparisonDates_.end(), comparedDay_.value_or(-1.0));
  if (listed == comparisonDates_.end()) comparedDay_.reset();
  view_.comparisonItem = comparedDay_ ? static_cast<int>(listed - comparisonDates_.begin()) + 1 : 0;
  // Days are compared by their time of day: not in the month span.
  const bool dayView = view_.span == Span::Day || IsHourSpan(view_.span);
  view_.comparisonEnabled = multiDay && comparisonDates_.size() > 1 && dayView;

  if (!view_.comparisonEnabled || !comparedDay_) {
    if (!comparisonKey_) return;
    comparisonKey_.reset();
    comparison_.Clear();
    UpdateAxes();
    DisplayChanged();
    return;
  }
  ComparisonKey key{*comparedDay_, dayStart_, {}, bothGroups_};
  std::vector<Channel> channels;
  std::array<ComparedStyle, logdata::kChannelCount> styles;
  const std::string date = DateText(kNumericDate, *comparedDay_);
  for (const Channel channel : kReadoutOrder) {
    if (!IsComparable(channel) || !view_.checked[Index(channel)]) continue;
    key.channels[Index(channel)] = true;
    channels.push_back(channel);
    styles[Index(channel)] = {ComparedName(logdata::ChannelLabel(settings_, channel), date), LighterColor(ChannelColor(channel)),
                              settings_.LineWidth, AxisOfChannel(channel, bothGroups_)};
  }
  if (!restyle && comparisonKey_ == key) return;
  comparisonKey_ = key;
  comparison_.Show(*evaluation_, dayStart_, *comparedDay_, channels, styles);
  // The compared curves count for dynamic scaling.
  UpdateAxes();
  DisplayChanged();
}

}  // namespace calorix::evaluation
