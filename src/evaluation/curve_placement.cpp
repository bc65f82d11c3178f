#include "evaluation/curve_placement.h"

#include <algorithm>
#include <cmath>

#include "core/error.h"
#include "evaluation/axis_rules.h"
#include "i18n/text_table.h"

namespace calorix::evaluation {

using logdata::Channel;
using logdata::ChannelState;

namespace {

// Curves are taken off in the selection panel's order (logdata::kPanelOrder)
// and put back in this one; series placed later are drawn on top, so the
// inputs end up in front.
constexpr std::array<Channel, logdata::kChannelCount> kShowOrder = {{
    Channel::RError,
    Channel::R3,
    Channel::R2,
    Channel::R1,
    Channel::Energy,
    Channel::Volume,
    Channel::Flow,
    Channel::Power,
    Channel::TD,
    Channel::T6,
    Channel::T5,
    Channel::T4,
    Channel::T3,
    Channel::T2,
    Channel::T1,
}};

std::size_t Index(Channel channel) { return static_cast<std::size_t>(logdata::IndexOf(channel)); }

void CheckChannel(Channel channel) {
  if (logdata::IndexOf(channel) < 0 || logdata::IndexOf(channel) >= logdata::kChannelCount) {
    throw Error("Internal Error - ENUM OVERFLOW");
  }
}

chart::ValueRange WholeDays(DateTime from, DateTime to) { return {std::floor(from), std::ceil(to)}; }

}  // namespace

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

// A hand-edited settings file may give the ends the wrong way round; the
// axis then shows them in order instead of refusing every new window.
void SetFixedRange(chart::ChartAxis& axis, const TChildSettings& settings) {
  SetAxisRange(axis, std::min(settings.AxisMin, settings.AxisMax), std::max(settings.AxisMin, settings.AxisMax));
}

CurvePlacement::CurvePlacement(chart::ChartPanel& upper, chart::ChartPanel& lower, EvaluationLoad& load,
                               const TChildSettings& settings, Checked& checked, DisplayNotice& notice)
    : upper_(upper), lower_(lower), load_(load), settings_(settings), checked_(checked), notice_(notice) {}

bool CurvePlacement::SetChecked(Channel channel, bool checked) {
  CheckChannel(channel);
  const std::size_t i = Index(channel);
  if (checked_[i] == checked) return false;
  checked_[i] = checked;
  if (!checked) {
    Hide(channel);
    return true;
  }
  try {
    const ChannelState lowest = Place(channel);
    StyleShown();
    if (lowest != ChannelState::HasValues) throw Error(i18n::Text(i18n::kTextNoDataAvailable));
  } catch (const std::exception& e) {
    const std::string message = e.what();
    checked_[i] = false;
    Hide(channel);
    throw Error(message);
  }
  return true;
}

ChannelState CurvePlacement::Place(Channel channel) {
  CheckChannel(channel);
  if (!load_.HasData()) throw Error(i18n::Text(i18n::kTextOpenLogFileFirst));
  ChannelState lowest = ChannelState::NoColumn;
  if (perMonth_ && logdata::IsTotal(channel)) {
    if (!monthlyBars_.Built()) monthlyBars_.Build(*load_.Analysis());
    lowest = monthlyBars_.Show(channel);
  } else {
    load_.Analysis()->ShowChannel(channel, lowest, upper_.BottomAxis().Minimum(), upper_.BottomAxis().Maximum());
    errMarks_.Show(*load_.Analysis(), channel, upper_.BottomAxis().Minimum(), upper_.BottomAxis().Maximum());
  }
  return lowest;
}

void CurvePlacement::StyleShown() {
  load_.Analysis()->ApplySeriesSettings(settings_);
  monthlyBars_.ApplySettings(settings_);
  errMarks_.Style(settings_);
  UpdateAxes();
  notice_.Changed();
}

void CurvePlacement::Hide(Channel channel) {
  CheckChannel(channel);
  errMarks_.Hide(channel);
  if (upper_.SeriesCount() + lower_.SeriesCount() == 0 || !load_.Loaded()) return;
  load_.Analysis()->HideChannel(channel);
  monthlyBars_.Hide(channel);
  UpdateAxes();
  notice_.Changed();
}

void CurvePlacement::HideAll() {
  const DisplayNotice::Batch batch(notice_);
  for (const Channel channel : logdata::kPanelOrder) {
    if (checked_[Index(channel)]) Hide(channel);
  }
}

void CurvePlacement::ShowAll() {
  const DisplayNotice::Batch batch(notice_);
  // A year holds thousands of series: styling them once for all channels,
  // not once a channel, is a good part of a span change.
  bool placed = false;
  try {
    for (const Channel channel : kShowOrder) {
      if (!checked_[Index(channel)]) continue;
      Place(channel);
      placed = true;
    }
  } catch (...) {
    if (placed) StyleShown();
    throw;
  }
  if (placed) StyleShown();
}

void CurvePlacement::ReplaceTotals() {
  const DisplayNotice::Batch batch(notice_);
  for (const Channel total : {Channel::Energy, Channel::Volume}) {
    if (!checked_[Index(total)]) continue;
    Hide(total);
    Place(total);
    StyleShown();
  }
}

void CurvePlacement::ShowWindow(DateTime from, DateTime to) {
  const chart::ValueRange days = WholeDays(from, to);
  if (days.min == coveredDays_.min && days.max == coveredDays_.max) {
    SetAxisRange(upper_.BottomAxis(), from, to);
    SyncLowerTimeAxis();
    return;
  }
  const DisplayNotice::Batch batch(notice_);
  HideAll();
  try {
    SetAxisRange(upper_.BottomAxis(), from, to);
  } catch (...) {
    SyncLowerTimeAxis();
    ShowAll();
    throw;
  }
  coveredDays_ = days;
  SyncLowerTimeAxis();
  ShowAll();
}

void CurvePlacement::Refresh() {
  const DisplayNotice::Batch batch(notice_);
  HideAll();
  monthlyBars_.Clear();
  Forget();
  ShowWindow(upper_.BottomAxis().Minimum(), upper_.BottomAxis().Maximum());
}

void CurvePlacement::Clear() {
  checked_.fill(false);
  if (monthlyAxis_) SetFixedRange(upper_.Axis(*monthlyAxis_), settings_);
  monthlyAxis_.reset();
  coveredDays_ = {0.0, 0.0};
  monthlyBars_.Clear();
  errMarks_.Clear();
}

void CurvePlacement::Restyle() {
  monthlyBars_.ApplySettings(settings_);
  errMarks_.Style(settings_);
  if (!load_.Loaded()) return;
  load_.Analysis()->ApplySeriesSettings(settings_);
  // Styling puts every series on the left axis: the axes are chosen again,
  // or flow and power would leave the right axis that their title names.
  UpdateAxes();
}

void CurvePlacement::UpdateAxes() {
  if (!load_.Loaded()) return;
  AxisSelection selection;
  for (int i = 0; i < logdata::kChannelCount; ++i) {
    const auto k = static_cast<std::size_t>(i);
    selection.checked[k] = checked_[k];
    selection.units[k] = load_.Unit(logdata::ChannelAt(i));
  }
  const AxisTitles titles = ComposeAxisTitles(selection);
  bothGroups_ = titles.bothGroups;
  upper_.LeftAxis().SetTitle(titles.upperLeft);
  upper_.RightAxis().SetTitle(titles.upperRight);
  lower_.LeftAxis().SetTitle(titles.lowerLeft);
  lower_.RightAxis().SetTitle("");
  UpdateLowerMargins();
  for (const Channel channel : logdata::kPanelOrder) {
    if (logdata::IsOtherValue(channel) || logdata::IsOutput(channel)) {
      load_.Analysis()->SetChannelAxis(channel, AxisOfChannel(channel, titles.bothGroups));
      monthlyBars_.SetAxis(channel, AxisOfChannel(channel, titles.bothGroups));
      errMarks_.SetAxis(channel, AxisOfChannel(channel, titles.bothGroups));
    }
  }
  if (!settings_.DynamicScaling) {
    FitMonthlyBars(titles.bothGroups);
    return;
  }
  monthlyAxis_.reset();
  ScaleDynamically(chart::AxisPosition::Left);
  ScaleDynamically(chart::AxisPosition::Right);
  UpdateLowerMargins();
  if (!titles.anyTemperature && !titles.anyOther) SetFixedRange(upper_.LeftAxis(), settings_);
}

// A month's total is hundreds of kWh, far beyond a fixed range made for
// temperatures, which would cut every bar off: the axis that carries the
// monthly bars fits them, and takes the fixed range again when they go.
void CurvePlacement::FitMonthlyBars(bool bothGroups) {
  std::optional<chart::AxisPosition> carrying;
  for (const Channel total : {Channel::Volume, Channel::Energy}) {
    if (!perMonth_ || !checked_[Index(total)]) continue;
    const bool right = AxisOfChannel(total, bothGroups) == chart::VerticalAxis::Right;
    carrying = right ? chart::AxisPosition::Right : chart::AxisPosition::Left;
  }
  if (monthlyAxis_ && monthlyAxis_ != carrying) {
    SetFixedRange(upper_.Axis(*monthlyAxis_), settings_);
    UpdateLowerMargins();
  }
  monthlyAxis_ = carrying;
  if (!carrying) return;
  ScaleDynamically(*carrying);
  UpdateLowerMargins();
}

void CurvePlacement::SetLowerChartWidth(int pixels) {
  if (pixels == lowerChartWidth_) return;
  lowerChartWidth_ = pixels;
  UpdateLowerMargins();
}

void CurvePlacement::UpdateLowerMargins() {
  const int width = lowerChartWidth_;
  lower_.SetMarginRight(bothGroups_ ? LowerChartMargin(ChartSide::Right, upper_.RightAxis().Maximum(), width) : 3);
  lower_.SetMarginLeft(LowerChartMargin(ChartSide::Left, upper_.LeftAxis().Maximum(), width));
}

void CurvePlacement::ScaleDynamically(chart::AxisPosition position) {
  // An axis without series keeps its range; rescaling it would move it a
  // little further with every call.
  if (!upper_.AdjustAutomaticRange(position)) return;
  chart::ChartAxis& axis = upper_.Axis(position);
  const chart::ValueRange range = DynamicAxisRange({axis.Minimum(), axis.Maximum()});
  SetAxisRange(axis, range.min, range.max);
}

}  // namespace calorix::evaluation
