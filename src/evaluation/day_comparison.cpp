#include "evaluation/day_comparison.h"

#include <cmath>

#include "logdata/day_log.h"
#include "logdata/series_style.h"

namespace calorix::evaluation {

using logdata::Channel;

namespace {

int HalfwayToWhite(int component) { return component + (255 - component + 1) / 2; }

const logdata::TDay* DayDated(const logdata::TLogAnalysis& evaluation, DateTime date) {
  for (const logdata::TDay* day : evaluation.DaysInCalendarOrder()) {
    if (day->DayDate() == date) return day;
  }
  return nullptr;
}

}  // namespace

Color LighterColor(Color color) {
  return MakeColor(HalfwayToWhite(RedOf(color)), HalfwayToWhite(GreenOf(color)), HalfwayToWhite(BlueOf(color)));
}

std::string ComparedName(std::string_view channelName, std::string_view dateText) {
  std::string name(channelName);
  name += " (";
  name += dateText;
  name += ')';
  return name;
}

void CopyShifted(const chart::ChartSeries& from, double shiftDays, chart::ChartSeries& to) {
  const chart::PointView points = from.Points();
  to.Reserve(points.Size());
  for (std::size_t i = 0; i < points.Size(); ++i) {
    const double x = points.X(i) + shiftDays;
    if (points.IsNull(i)) {
      to.AddNullPoint(x);
    } else {
      to.AddPoint(x, from.Y(i));
    }
  }
  to.ShrinkToFit();
}

DayComparison::~DayComparison() { Clear(); }

void DayComparison::Clear() { curves_.clear(); }

void DayComparison::Show(const logdata::TLogAnalysis& evaluation, DateTime shownDay, DateTime comparedDay,
                         const std::vector<Channel>& channels,
                         const std::array<ComparedStyle, logdata::kChannelCount>& styles) {
  Clear();
  // Whole days, so that a time of day lands on the same time of day.
  const double shift = std::round(shownDay - comparedDay);
  const logdata::TDay* day = DayDated(evaluation, comparedDay);
  if (!day || shift == 0.0) return;
  for (const Channel channel : channels) {
    if (!IsComparable(channel) || day->State(channel) != logdata::ChannelState::HasValues) continue;
    const ComparedStyle& style = styles[static_cast<std::size_t>(logdata::IndexOf(channel))];
    auto series = std::make_unique<chart::ChartSeries>(chart::SeriesKind::Line, &upper_);
    CopyShifted(day->UpperSeries(channel), shift, *series);
    logdata::MakeLines(*series, false);
    series->SetTitle(style.name);
    series->SetLegendRank(logdata::PanelPosition(channel));
    series->SetPenWidth(style.lineWidth);
    Color remembered = kNoColor;
    logdata::ApplyColor(*series, remembered, style.color);
    series->SetAxis(style.axis);
    series->SetBackground(true);  // the shown day's curves stay in front
    series->PlaceOnPanel();
    curves_.push_back({channel, std::move(series)});
  }
}

const chart::ChartSeries* DayComparison::Curve(Channel channel) const {
  for (const Overlay& curve : curves_) {
    if (curve.channel == channel) return curve.series.get();
  }
  return nullptr;
}

std::optional<ReadoutRow> DayComparison::RowAt(Channel channel, const std::string& unit, DateTime t) const {
  const chart::ChartSeries* curve = Curve(channel);
  if (!curve) return std::nullopt;
  return ReadoutRow{channel, curve->Title(), unit, SampleAt(*curve, t), true};
}

}  // namespace calorix::evaluation
