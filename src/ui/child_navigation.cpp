// Moving the visible time window: span choice, slider, jump and scroll
// buttons, and the upper chart's zoom and panning.

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSlider>
#include <QToolButton>
#include <algorithm>

#include "chartview/chart_view.h"
#include "ui/channel_boxes.h"
#include "ui/child_form_parts.h"
#include "ui/date_text.h"
#include "ui/event_hook.h"

namespace calorix::ui {

using logdata::Channel;

namespace {

constexpr int kScrollInterval = 25;  // ms between steps while a scroll button is held
constexpr double kScrollFraction = 0.025;  // of the visible span per step

class EvaluationDays : public DayDates {
 public:
  explicit EvaluationDays(const logdata::TLogAnalysis& evaluation) : evaluation_(evaluation) {}
  int DayCount() const override { return evaluation_.GetDayCount(); }
  DateTime DayStartDate(int index) const override { return evaluation_.GetStartDate(index); }

 private:
  const logdata::TLogAnalysis& evaluation_;
};

}  // namespace

void TChildform::Parts::ConnectControls() {
  for (const ChannelBox& row : kChannelBoxes) {
    QCheckBox* box = BoxOf(row.channel);
    const Channel channel = row.channel;
    QObject::connect(box, &QCheckBox::toggled, &self, [this, box, channel] {
      Run([&] { GraphCheckboxClicked(box, channel); });
    });
  }
  // activated, not currentIndexChanged: choosing the span in force again
  // shows its whole window again.
  QObject::connect(spanTime, &QComboBox::activated, &self, [this](int item) { Run([&] { SpanTimeChange(item); }); });
  QObject::connect(sliderTime, &QSlider::valueChanged, &self,
                   [this](int position) { Run([&] { SliderTimeChange(position); }); });
  QObject::connect(buttonJumpLeft, &QToolButton::clicked, &self, [this] { Run([&] { JumpLeft(); }); });
  QObject::connect(buttonJumpRight, &QToolButton::clicked, &self, [this] { Run([&] { JumpRight(); }); });
  QObject::connect(buttonScrollLeft, &QToolButton::clicked, &self, [this] { Run([&] { ScrollClick(-1); }); });
  QObject::connect(buttonScrollRight, &QToolButton::clicked, &self, [this] { Run([&] { ScrollClick(+1); }); });
  // The scroll buttons' raw presses, releases and key presses drive the
  // auto-repeat; their clicks act only in the month span.
  for (QToolButton* button : {buttonScrollLeft, buttonScrollRight}) {
    new EventHook(button, [this, button](QObject*, QEvent* e) { return FilterScrollButtonEvent(button, e); });
  }
  // The lower chart's margins are a share of its width.
  new EventHook(lowerView, [this](QObject*, QEvent* e) {
    if (e->type() == QEvent::Resize) UpdateLowerMargins(bothGroups);
    return false;
  });
  scrollTimer.setInterval(kScrollInterval);
  QObject::connect(&scrollTimer, &QTimer::timeout, &self, [this] { ScrollTick(); });

  upper.OnZoom = [this] { Run([&] { ChartZoom(); }); };
  upper.OnUndoZoom = [this] { Run([&] { ChartUndoZoom(); }); };
  upper.OnScroll = [this] { Run([&] { ChartScroll(); }); };
}

Span TChildform::Parts::CurrentSpan() const {
  return static_cast<Span>(std::clamp(spanTime->currentIndex(), 0, kMultiDaySpanCount - 1));
}

void TChildform::Parts::SetSlider(int maximum, int position) {
  const QSignalBlocker blocker(sliderTime);
  sliderTime->setMinimum(0);
  sliderTime->setMaximum(std::max(0, maximum));
  sliderTime->setValue(position);
}

void TChildform::Parts::SetSliderPosition(int position) {
  const QSignalBlocker blocker(sliderTime);
  sliderTime->setValue(position);
}

void TChildform::Parts::EnableTotals(bool enable) {
  for (const Channel total : {Channel::Volume, Channel::Energy}) {
    if (!enable) BoxOf(total)->setChecked(false);
    BoxOf(total)->setEnabled(enable);
  }
}

void TChildform::Parts::SetBottomFormat(const char* format) {
  upper.BottomAxis().SetDateTimeFormat(format);
  lower.CopyBottomAxisFrom(upper);
}

void TChildform::Parts::ShowDayHours() {
  SetTimeWindow(AtHour(dayStart, hourStart), AtHour(dayStart, hourEnd));
  SetTitle(FormatDate(kLongDate, dayStart));
}

void TChildform::Parts::SpanTimeChange(int item) {
  if (!evaluation) return;
  upper.UndoZoom();
  const bool month = item == static_cast<int>(Span::Month);
  EnableTotals(month);
  if (monthMode && !month) {
    monthMode = false;
    hourStart = 0;
    hourEnd = 24;
    dayIndex = evaluation->GetDayIndexByMonth(monthIndex);
    dayStart = evaluation->GetStartDate(dayIndex);
    SetTimeWindow(dayStart, dayStart + 1.0);
    SetBottomFormat("hh:mm");
    SetTitle(FormatDate(kLongDate, dayStart));
  } else if (month && !monthMode) {
    monthMode = true;
    monthIndex = evaluation->GetMonthIndexByDay(dayIndex);
    dayStart = evaluation->GetDateByMonthIndex(monthIndex);
    SetTimeWindow(dayStart, FirstOfNextMonth(dayStart));
    SetBottomFormat("dd.");
    SetTitle(FormatDate(kMonthYear, dayStart));
  }
  const Span span = static_cast<Span>(item);
  if (IsHourSpan(span)) {
    const int hours = SpanHours(span);
    if (hours == hourEnd - hourStart) return;
    hourStart = std::min(hourStart, 24 - hours);
    hourEnd = hourStart + hours;
    SetSlider(24 - hours, hourStart);
    upper.SetZoomAllowed(false);
    upper.SetPanning(chart::Panning::Horizontal);
    SetTimeWindow(AtHour(dayStart, hourStart), AtHour(dayStart, hourEnd));
  } else if (month) {
    SetSlider(evaluation->GetMonthCount() - 1, monthIndex);
    hourStart = 0;
    hourEnd = kMonthHours;
    upper.SetZoomAllowed(true);
    upper.SetPanning(chart::Panning::None);
  } else {
    hourStart = 0;
    hourEnd = 24;
    SetSlider(evaluation->GetDayCount() - 1, dayIndex);
    upper.SetZoomAllowed(true);
    upper.SetPanning(chart::Panning::None);
    SetTimeWindow(dayStart, dayStart + 1.0);
  }
  sliderTime->setEnabled(sliderTime->maximum() > 0);
  UpdateWindowActions();
}

void TChildform::Parts::SliderTimeChange(int position) {
  if (!evaluation) return;
  upper.UndoZoom();
  if (monthMode) {
    monthIndex = position;
    dayStart = evaluation->GetDateByMonthIndex(position);
    SetTimeWindow(dayStart, FirstOfNextMonth(dayStart));
    SetTitle(FormatDate(kMonthYear, dayStart));
    return;
  }
  if (CurrentSpan() == Span::Day) {
    dayIndex = position;
    dayStart = evaluation->GetStartDate(position);
  } else {
    const int width = hourEnd - hourStart;
    hourStart = position;
    hourEnd = position + width;
  }
  ShowDayHours();
}

void TChildform::Parts::JumpLeft() {
  if (!evaluation) return;
  if (monthMode) {
    sliderTime->setValue(0);
  } else if (CurrentSpan() == Span::Day) {
    if (sliderTime->value() > 0) {
      sliderTime->setValue(sliderTime->value() - 1);
    } else {
      SliderTimeChange(sliderTime->value());
    }
  } else if (dayIndex > 0) {
    --dayIndex;
    dayStart = evaluation->GetStartDate(dayIndex);
    upper.UndoZoom();
    upper.SetZoomAllowed(false);
    upper.SetPanning(chart::Panning::Horizontal);
    ShowDayHours();
  }
}

void TChildform::Parts::JumpRight() {
  if (!evaluation) return;
  if (monthMode) {
    sliderTime->setValue(sliderTime->maximum());
  } else if (CurrentSpan() == Span::Day) {
    if (sliderTime->value() < sliderTime->maximum()) {
      sliderTime->setValue(sliderTime->value() + 1);
    } else {
      SliderTimeChange(sliderTime->value());
    }
  } else if (dayIndex + 1 < evaluation->GetDayCount()) {
    ++dayIndex;
    dayStart = evaluation->GetStartDate(dayIndex);
    upper.UndoZoom();
    upper.SetZoomAllowed(false);
    upper.SetPanning(chart::Panning::Horizontal);
    ShowDayHours();
  }
}

void TChildform::Parts::ScrollClick(int direction) {
  if (!monthMode) return;
  sliderTime->setValue(std::clamp(sliderTime->value() + direction, 0, sliderTime->maximum()));
}

bool TChildform::Parts::FilterScrollButtonEvent(QToolButton* button, QEvent* event) {
  const int direction = button == buttonScrollLeft ? -1 : +1;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !monthMode) StartScrolling(direction);
      break;
    case QEvent::MouseButtonRelease:
      StopScrolling();
      break;
    case QEvent::KeyPress:
      if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space && !monthMode) {
        StopScrolling();
        Run([&] { ScrollStep(direction); });
      }
      break;
    default:
      break;
  }
  // The button still sees everything, so it looks pressed and clicks.
  return false;
}

void TChildform::Parts::StartScrolling(int direction) {
  scrollTimer.stop();
  scrollDirection = direction;
  scrollTimer.start();
}

void TChildform::Parts::StopScrolling() {
  scrollTimer.stop();
  scrollDirection = 0;
}

void TChildform::Parts::ScrollTick() {
  // The next 25 ms count from the end of this step, so slow steps never
  // queue up behind each other.
  scrollTimer.stop();
  if (scrollDirection == 0) return;
  const int direction = scrollDirection;
  if (!Run([&] { ScrollStep(direction); })) {
    scrollDirection = 0;
    return;
  }
  if (scrollDirection != 0) scrollTimer.start();
}

void TChildform::Parts::ScrollStep(int direction) {
  if (!evaluation || monthMode) return;
  const chart::ChartAxis& bottom = upper.BottomAxis();
  const double shift = direction * kScrollFraction * (bottom.Maximum() - bottom.Minimum());
  SetTimeWindow(bottom.Minimum() + shift, bottom.Maximum() + shift);
  FollowTimeWindow();
}

void TChildform::Parts::FollowTimeWindow() {
  if (monthMode || !evaluation) return;
  const double m = upper.BottomAxis().Minimum();
  SetTitle(CoveredDatesTitle(m, upper.BottomAxis().Maximum()));
  const EvaluationDays days(*evaluation);
  const DayPosition current{dayStart, dayIndex, hourStart};
  if (CurrentSpan() == Span::Day) {
    const DayPosition next = FollowDaySpan(days, current, m);
    dayStart = next.dayStart;
    dayIndex = next.dayIndex;
    SetSliderPosition(dayIndex);
  } else {
    const int width = hourEnd - hourStart;
    const DayPosition next = FollowHourSpan(days, current, width, m);
    dayStart = next.dayStart;
    dayIndex = next.dayIndex;
    hourStart = next.hourStart;
    hourEnd = hourStart + width;
    SetSliderPosition(hourStart);
  }
  UpdateWindowActions();
}

void TChildform::Parts::ChartZoom() {
  chart::ChartAxis& bottom = upper.BottomAxis();
  const chart::ValueRange zoomed{bottom.Minimum(), bottom.Maximum()};
  const chart::ValueRange shown = WidenToOneHour(zoomed);
  if (shown.min != zoomed.min || shown.max != zoomed.max) bottom.SetMinMax(shown.min, shown.max);
  lower.UndoZoom();
  lower.CopyBottomAxisFrom(upper);
}

void TChildform::Parts::ChartUndoZoom() {
  lower.UndoZoom();
  lower.CopyBottomAxisFrom(upper);
}

void TChildform::Parts::ChartScroll() {
  lower.CopyBottomAxisFrom(upper);
  HideAllGraphs();
  ShowAllGraphs();
  upperView->update();
  lowerView->update();
}

}  // namespace calorix::ui
