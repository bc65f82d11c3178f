// The evaluation behind the window and the curves it puts on the charts.

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QSlider>
#include <algorithm>
#include <cmath>

#include "chartview/chart_view.h"
#include "core/error.h"
#include "dialogs/dialogs.h"
#include "i18n/text_table.h"
#include "ui/axis_rules.h"
#include "ui/channel_boxes.h"
#include "ui/child_form_parts.h"
#include "ui/date_text.h"

namespace calorix::ui {

using logdata::Channel;
using logdata::ChannelState;

namespace {

constexpr int kNoDataText = 102;
constexpr int kOpenFileFirstText = 83;

void CheckChannel(Channel channel) {
  if (logdata::IndexOf(channel) >= logdata::kChannelCount) throw Error("Internal Error - ENUM OVERFLOW");
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

}  // namespace

// Holds DisplayChanged back while many curves change at once, and sends it
// once at the end if anything changed.
class TChildform::Parts::NotifyBatch {
 public:
  explicit NotifyBatch(Parts& parts) : parts_(parts) { ++parts_.notifyHold; }
  ~NotifyBatch() {
    if (--parts_.notifyHold == 0 && parts_.notifyPending) parts_.NotifyDisplayChanged();
  }
  NotifyBatch(const NotifyBatch&) = delete;
  NotifyBatch& operator=(const NotifyBatch&) = delete;

 private:
  Parts& parts_;
};

void TChildform::Parts::NotifyDisplayChanged() {
  if (notifyHold > 0) {
    notifyPending = true;
    return;
  }
  notifyPending = false;
  emit self.DisplayChanged();
}

bool TChildform::Parts::HasEvaluation() const { return evaluation && evaluation->HasData(); }

bool TChildform::Parts::HasGraphs() const { return upper.SeriesCount() + lower.SeriesCount() > 0; }

void TChildform::Parts::ApplySettings(const TChildSettings& record) {
  settings = record;
  SetFixedRange(upper.LeftAxis(), settings);
  SetFixedRange(upper.RightAxis(), settings);
  ShowColorPatches();
  for (const ChannelBox& row : kChannelBoxes) {
    const logdata::ChannelInfo& info = logdata::InfoOf(row.channel);
    SetChannelCaption(BoxOf(row.channel), settings.Labels[static_cast<std::size_t>(info.slot)], info.defaultNameText);
  }
  UpdateMinimumSize();
  if (evaluation) {
    evaluation->ApplySeriesSettings(settings);
    UpdateAxes();
  }
}

void TChildform::Parts::SetTitle(const std::string& line) {
  upper.ClearTitle();
  upper.AddTitleLine(line);
}

void TChildform::Parts::LoadFile(const std::filesystem::path& path) {
  ResetEvaluation();
  try {
    evaluation = logdata::TLogAnalysis::CreateSingle(path, &upper, &lower);
  } catch (const std::exception& e) {
    ResetEvaluation();
    UpdateWindowActions();
    const std::string& invalid = i18n::Text(i18n::kTextNotAValidLogFile);
    throw Error(e.what() == invalid ? invalid : i18n::Text(i18n::kTextErrorOpeningFile));
  }
  upper.UndoZoom();
  upper.SetZoomAllowed(true);
  upper.SetPanning(chart::Panning::None);
  FillSpanItems(kSingleDaySpanCount);
  StartAtFirstDay();
  SetSlider(evaluation->GetDayCount() - 1, 0);
  sliderTime->setEnabled(false);
  dayStart = evaluation->GetStartDate(0);
  SetTitle(FormatDate(kLongDate, dayStart));
  SetTimeWindow(dayStart, dayStart + 1.0);
  SetCaptionDates(FormatDate(kLongDate, dayStart), "", 0);
  UpdateWindowActions();
  NotifyDisplayChanged();
}

// A new evaluation opens on its first day in the day span.
void TChildform::Parts::StartAtFirstDay() {
  monthMode = false;
  monthIndex = 0;
  dayIndex = 0;
  hourStart = 0;
  hourEnd = 24;
}

void TChildform::Parts::BeginMultiDay(unsigned fileCount, const std::filesystem::path& firstPath, DateTime start,
                                      DateTime end) {
  ResetEvaluation();
  SetCaptionDates(FormatDate(kNumericDate, start), FormatDate(kNumericDate, end), fileCount);
  try {
    evaluation = logdata::TLogAnalysis::CreateMulti(
        start, end, fileCount, firstPath, &upper, &lower,
        [this](const std::string& message) {
          if (self.fileFailureHandler_) {
            self.fileFailureHandler_(message);
          } else {
            dialogs.ShowError(&self, message);
          }
        });
  } catch (...) {
    // Nothing was built: the window is empty again, not captioned with a
    // range it does not show.
    ResetEvaluation();
    throw;
  }
}

void TChildform::Parts::EndMultiDay() {
  if (!HasEvaluation()) {
    // Every file failed and each failure has been reported already.
    ResetEvaluation();
    return;
  }
  FillSpanItems(kMultiDaySpanCount);
  StartAtFirstDay();
  SetSlider(evaluation->GetDayCount() - 1, 0);
  sliderTime->setEnabled(sliderTime->maximum() > 0);
  dayStart = evaluation->GetStartDate(0);
  SetTimeWindow(dayStart, dayStart + 1.0);
  SetTitle(FormatDate(kLongDate, dayStart));
  evaluation->BuildDailyTotals();
  UpdateWindowActions();
  NotifyDisplayChanged();
}

void TChildform::Parts::ResetEvaluation() {
  const NotifyBatch batch(*this);
  evaluation.reset();
  for (const ChannelBox& row : kChannelBoxes) BoxOf(row.channel)->setChecked(false);
  SetSlider(0, 0);
  {
    const QSignalBlocker blocker(spanTime);
    spanTime->setCurrentIndex(static_cast<int>(Span::Day));
  }
  // The daily totals exist only in the month span, and the day span is in
  // force again.
  EnableTotals(false);
  upper.ClearTitle();
  SetCaptionDates("", "", 0);
  NotifyDisplayChanged();
}

void TChildform::Parts::UpdateWindowActions() {
  spreadsheetAvailable = HasEvaluation() && !monthMode && dayIndex < evaluation->GetDayCount();
}

void TChildform::Parts::GraphCheckboxClicked(QCheckBox* box, Channel channel) {
  if (!box) throw Error("Internal Error. Assertion Failed GraphCheckboxClicked - CheckBox == NULL");
  if (!box->isChecked()) {
    HideGraph(channel);
    return;
  }
  try {
    if (ShowGraph(channel) != ChannelState::HasValues) throw Error(i18n::Text(kNoDataText));
  } catch (const std::exception& e) {
    const std::string message = e.what();
    box->setChecked(!box->isChecked());
    HideGraph(channel);
    throw Error(message);
  }
}

ChannelState TChildform::Parts::ShowGraph(Channel channel) {
  CheckChannel(channel);
  if (!HasEvaluation()) throw Error(i18n::Text(kOpenFileFirstText));
  ChannelState lowest = ChannelState::NoColumn;
  const chart::ChartAxis& bottom = upper.BottomAxis();
  evaluation->ShowChannel(channel, lowest, bottom.Minimum(), bottom.Maximum());
  evaluation->ApplySeriesSettings(settings);
  UpdateAxes();
  NotifyDisplayChanged();
  return lowest;
}

void TChildform::Parts::HideGraph(Channel channel) {
  CheckChannel(channel);
  if (!HasGraphs() || !evaluation) return;
  evaluation->HideChannel(channel);
  UpdateAxes();
  NotifyDisplayChanged();
}

void TChildform::Parts::HideAllGraphs() {
  const NotifyBatch batch(*this);
  for (const ChannelBox& row : kChannelBoxes) {
    if (BoxOf(row.channel)->isChecked()) HideGraph(row.channel);
  }
}

void TChildform::Parts::ShowAllGraphs() {
  const NotifyBatch batch(*this);
  for (const Channel channel : kShowOrder) {
    if (BoxOf(channel)->isChecked()) ShowGraph(channel);
  }
}

void TChildform::Parts::UpdateAxes() {
  if (!evaluation) return;
  AxisSelection selection;
  for (int i = 0; i < logdata::kChannelCount; ++i) {
    const auto k = static_cast<std::size_t>(i);
    selection.checked[k] = boxes[k]->isChecked();
    selection.units[k] = evaluation->GetUnit(i);
  }
  const AxisTitles titles = ComposeAxisTitles(selection);
  bothGroups = titles.bothGroups;
  upper.LeftAxis().SetTitle(titles.upperLeft);
  upper.RightAxis().SetTitle(titles.upperRight);
  lower.LeftAxis().SetTitle(titles.lowerLeft);
  lower.RightAxis().SetTitle("");
  UpdateLowerMargins(titles.bothGroups);
  for (const ChannelBox& row : kChannelBoxes) {
    if (logdata::IsOtherValue(row.channel) || logdata::IsOutput(row.channel)) {
      evaluation->SetChannelAxis(row.channel, AxisOfChannel(row.channel, titles.bothGroups));
    }
  }
  if (!settings.DynamicScaling) return;
  ScaleDynamically(chart::AxisPosition::Left);
  ScaleDynamically(chart::AxisPosition::Right);
  UpdateLowerMargins(titles.bothGroups);
  if (!titles.anyTemperature && !titles.anyOther) SetFixedRange(upper.LeftAxis(), settings);
}

void TChildform::Parts::UpdateLowerMargins(bool bothGroups) {
  const int width = lowerView->width();
  lower.SetMarginRight(bothGroups ? LowerChartMargin(ChartSide::Right, upper.RightAxis().Maximum(), width) : 3);
  lower.SetMarginLeft(LowerChartMargin(ChartSide::Left, upper.LeftAxis().Maximum(), width));
}

void TChildform::Parts::ScaleDynamically(chart::AxisPosition position) {
  // An axis without series keeps its range; rescaling it would move it a
  // little further with every call.
  if (!upper.AdjustAutomaticRange(position)) return;
  chart::ChartAxis& axis = upper.Axis(position);
  const chart::ValueRange range = DynamicAxisRange({axis.Minimum(), axis.Maximum()});
  SetAxisRange(axis, range.min, range.max);
}

void TChildform::Parts::SetTimeWindow(DateTime from, DateTime to) {
  const chart::ChartAxis& bottom = upper.BottomAxis();
  // Curves are placed per day; only leaving the days they cover needs new ones.
  const bool sameDays = std::ceil(to) == std::ceil(bottom.Maximum()) && std::floor(from) == std::floor(bottom.Minimum());
  if (sameDays) {
    SetAxisRange(upper.BottomAxis(), from, to);
    SetAxisRange(lower.BottomAxis(), from, to);
    return;
  }
  const NotifyBatch batch(*this);
  HideAllGraphs();
  try {
    SetAxisRange(upper.BottomAxis(), from, to);
    SetAxisRange(lower.BottomAxis(), from, to);
  } catch (...) {
    ShowAllGraphs();
    throw;
  }
  ShowAllGraphs();
}

}  // namespace calorix::ui
