#include "evaluation/monthly_bars.h"

#include <cmath>

#include "evaluation/day_totals.h"
#include "i18n/text_table.h"
#include "logdata/series_style.h"

namespace calorix::evaluation {

using logdata::Channel;

MonthlyTotalBars::~MonthlyTotalBars() { Clear(); }

void MonthlyTotalBars::Clear() {
  for (auto& series : series_) series.reset();
  shown_.fill(false);
  built_ = false;
}

void MonthlyTotalBars::Build(const logdata::TLogAnalysis& analysis) {
  Clear();
  const std::vector<MonthTotals> months = MonthlyTotals(DailyTotals(analysis));
  for (auto& series : series_) series = std::make_unique<chart::ChartSeries>(chart::SeriesKind::Bar, &panel_);
  built_ = true;
  if (months.empty()) return;
  firstYear_ = months.front().year;
  std::size_t next = 0;
  for (int year = firstYear_; year <= months.back().year; ++year) {
    for (int month = 1; month <= 12; ++month) {
      const DateTime middle = *TryEncodeDate(year, month, 1) + DaysInMonth(year, month) / 2.0;
      const bool loaded = next < months.size() && months[next].year == year && months[next].month == month;
      if (loaded) {
        series_[0]->AddPoint(middle, months[next].volume);
        series_[1]->AddPoint(middle, months[next].energy);
        ++next;
      } else {
        for (auto& series : series_) series->AddNullPoint(middle);
      }
    }
  }
}

logdata::ChannelState MonthlyTotalBars::Show(Channel channel) {
  if (!logdata::IsTotal(channel) || !built_) return logdata::ChannelState::NoColumn;
  chart::ChartSeries& series = *series_[Slot(channel)];
  series.PlaceOnPanel();
  shown_[Slot(channel)] = true;
  return series.YRange() ? logdata::ChannelState::HasValues : logdata::ChannelState::EmptyOnly;
}

void MonthlyTotalBars::Hide(Channel channel) {
  if (!logdata::IsTotal(channel) || !shown_[Slot(channel)]) return;
  series_[Slot(channel)]->RemoveFromPanel();
  shown_[Slot(channel)] = false;
}

void MonthlyTotalBars::ApplySettings(const TChildSettings& settings) {
  if (!built_) return;
  for (const Channel channel : {Channel::Volume, Channel::Energy}) {
    chart::ChartSeries& series = *series_[Slot(channel)];
    const auto slot = static_cast<std::size_t>(logdata::SlotOf(channel));
    const std::string label = logdata::ChannelLabel(settings, channel);
    if (settings.OthersShowBars) {
      logdata::MakeBars(series, 0.0);
    } else {
      logdata::MakeLines(series, false);
      series.SetPenWidth(settings.LineWidth);
    }
    series.SetTitle(label);
    series.SetLegendRank(logdata::PanelPosition(channel));
    series.RecolorPoints(settings.Colors[slot]);
    series.SetSeriesColor(settings.Colors[slot]);
  }
}

void MonthlyTotalBars::SetAxis(Channel channel, chart::VerticalAxis axis) {
  if (logdata::IsTotal(channel) && built_) series_[Slot(channel)]->SetAxis(axis);
}

std::optional<double> MonthlyTotalBars::ValueAt(Channel channel, DateTime t) const {
  if (!logdata::IsTotal(channel) || !built_) return std::nullopt;
  const chart::ChartSeries& series = *series_[Slot(channel)];
  const CivilDate date = DecodeDate(std::floor(t));
  const long index = (static_cast<long>(date.year) - firstYear_) * 12 + (date.month - 1);
  if (index < 0 || static_cast<std::size_t>(index) >= series.Count()) return std::nullopt;
  const auto i = static_cast<std::size_t>(index);
  if (series.IsNull(i)) return std::nullopt;
  return series.Y(i);
}

const chart::ChartSeries* MonthlyTotalBars::Series(Channel channel) const {
  if (!logdata::IsTotal(channel) || !built_) return nullptr;
  return series_[Slot(channel)].get();
}

}  // namespace calorix::evaluation
