#include "logdata/month.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/error.h"
#include "logdata/day_log.h"
#include "logdata/series_style.h"

namespace calorix::logdata {

TMonth::TMonth(int month, int year, TMonth* previous, chart::ChartPanel* upper)
    : year_(year), month_(month), upper_(upper) {
  if (!upper) throw Error("Illegal State (30)");
  const auto start = TryEncodeDate(year, month, 1);
  if (!start) throw Error("Illegal State(31).");
  start_ = *start;
  end_ = start_ + DaysInMonth(year, month);
  if (previous) {
    previous->next_ = this;
    previous_ = previous;
  }
  for (TotalEntry& total : totals_) {
    total.series = std::make_unique<chart::ChartSeries>(chart::SeriesKind::Line, upper_);
  }
}

TMonth::~TMonth() {
  while (firstDay_) delete firstDay_;  // each day log removes itself
  if (previous_) previous_->next_ = next_;
  if (next_) next_->previous_ = previous_;
}

void TMonth::AddDay(TDay* day) {
  day->SetMonth(this);
  if (firstDay_) {
    firstDay_->Append(day);
  } else {
    firstDay_ = day;
  }
  ++dayCount_;
}

void TMonth::RemoveDay(TDay* day) {
  if (firstDay_ == day) firstDay_ = day->GetNext();
  --dayCount_;
}

int TMonth::GetMonthCount() const {
  int count = 0;
  for (const TMonth* m = this; m; m = m->next_) count += m->HasDays() ? 1 : 0;
  return count;
}

DateTime TMonth::GetStartDate(int dayIndex) const {
  const TMonth* m = this;
  while (dayIndex >= m->dayCount_ && m->next_) {
    dayIndex -= m->dayCount_;
    m = m->next_;
  }
  if (!m->HasDays()) throw Error("TMonth->GetStartDate(Index) - Index out of Bounds Exception");
  return m->firstDay_->GetStartDate(dayIndex);
}

DateTime TMonth::GetDateByMonthIndex(int monthIndex) const {
  for (const TMonth* m = this;; m = m->next_) {
    if (!m->HasDays() && m->next_) continue;
    if (monthIndex == 0) return m->start_;
    if (!m->next_) throw Error("GetDateByMonthIndex - Reached End of Data");
    --monthIndex;
  }
}

int TMonth::GetMonthIndexByDay(int dayIndex) const {
  int monthIndex = 0;
  for (const TMonth* m = this;; m = m->next_) {
    if (dayIndex < m->dayCount_) return monthIndex;
    if (!m->next_) throw Error("TMonth::GetMonthIndexByDay - Reached End of Data");
    if (m->HasDays()) ++monthIndex;
    dayIndex -= m->dayCount_;
  }
}

int TMonth::GetDayIndexByMonth(int monthIndex) const {
  int dayIndex = 0;
  for (const TMonth* m = this;; m = m->next_) {
    if (!m->HasDays() && m->next_) continue;
    if (monthIndex == 0) return dayIndex;
    if (!m->next_) throw Error("TMonth::GetDayIndexByMonth - Reached End of Data");
    dayIndex += m->dayCount_;
    --monthIndex;
  }
}

void TMonth::ShowChannel(Channel channel, ChannelState& lowest, bool showInLegend, DateTime windowStart,
                         DateTime windowEnd) {
  for (TMonth* m = this; m; m = m->next_) {
    if (!m->Overlaps(windowStart, windowEnd)) continue;
    if (IsTotal(channel)) {
      TotalEntry& total = m->totals_[TotalIndex(channel)];
      total.series->PlaceOnPanel();
      total.series->SetShowInLegend(showInLegend);
      total.series->SetLegendRank(PanelPosition(channel));
      total.shown = true;
      if (total.state < lowest) lowest = total.state;
      showInLegend = false;
    } else if (m->HasDays()) {
      bool& anyShown = m->channelShown_[static_cast<std::size_t>(IndexOf(channel))];
      showInLegend = m->firstDay_->ShowChannel(channel, anyShown, lowest, showInLegend, windowStart, windowEnd);
    }
  }
}

void TMonth::HideChannel(Channel channel) {
  for (TMonth* m = this; m; m = m->next_) {
    if (IsTotal(channel)) {
      TotalEntry& total = m->totals_[TotalIndex(channel)];
      if (total.shown) total.series->RemoveFromPanel();
      total.shown = false;
      continue;
    }
    bool& shown = m->channelShown_[static_cast<std::size_t>(IndexOf(channel))];
    if (m->HasDays() && shown) {
      m->firstDay_->HideChannel(channel);
      shown = false;
    }
  }
}

void TMonth::ApplySeriesSettings(Channel channel, const std::string& label, bool outputsAsBars, bool othersAsBars,
                                 int lineWidth, Color color) {
  for (TMonth* m = this; m; m = m->next_) {
    if (!IsTotal(channel)) {
      for (TDay* day = m->firstDay_; day; day = day->GetNext()) {
        day->ApplySeriesSettings(channel, label, outputsAsBars, othersAsBars, lineWidth, color);
      }
      continue;
    }
    TotalEntry& total = m->totals_[TotalIndex(channel)];
    chart::ChartSeries& series = *total.series;
    if (total.shown) {
      if (othersAsBars) {
        MakeBars(series, 0.0);
      } else {
        MakeLines(series, false);
      }
      series.SetAxis(chart::VerticalAxis::Left);
      ApplyColor(series, total.color, color);
    }
    series.SetTitle(label);
    if (series.Kind() == chart::SeriesKind::Line) series.SetPenWidth(lineWidth);
  }
}

void TMonth::SetChannelAxis(Channel channel, chart::VerticalAxis axis) {
  for (TMonth* m = this; m; m = m->next_) {
    if (IsTotal(channel)) {
      m->totals_[TotalIndex(channel)].series->SetAxis(axis);
    } else if (m->firstDay_) {
      m->firstDay_->SetChannelAxis(channel, axis);
    }
  }
}

std::vector<const TDay*> TMonth::DayOnEachDate() const {
  // Each calendar day takes the first loaded day log dated on it, whatever
  // the order the day logs were loaded in.
  const int days = static_cast<int>(std::lround(end_ - start_));
  std::vector<const TDay*> dayOn(static_cast<std::size_t>(std::max(days, 0)), nullptr);
  for (const TDay* day = firstDay_; day; day = day->GetNext()) {
    const double offset = std::floor(day->DayDate()) - start_;
    if (offset < 0 || offset >= days) continue;
    const TDay*& slot = dayOn[static_cast<std::size_t>(offset)];
    if (!slot) slot = day;
  }
  return dayOn;
}

void TMonth::BuildDailyTotals() {
  if (!HasDays()) return;
  const std::vector<const TDay*> dayOn = DayOnEachDate();
  TotalEntry& volume = totals_[0];
  TotalEntry& energy = totals_[1];
  volume.state = energy.state = ChannelState::ErrorOnly;
  for (std::size_t d = 0; d < dayOn.size(); ++d) {
    const DateTime noon = start_ + static_cast<double>(d) + 0.5;
    const TDay* day = dayOn[d];
    const double dayVolume = day ? day->GetVolume() : 0.0;
    const double dayEnergy = day ? day->GetEnergy() : 0.0;
    if (day) volume.state = energy.state = ChannelState::HasValues;
    // Built again (a followed day grew), the points take the new figures.
    if (volume.series->Count() > d) {
      volume.series->SetY(d, dayVolume);
      energy.series->SetY(d, dayEnergy);
      continue;
    }
    volume.series->AddPoint(noon, dayVolume);
    energy.series->AddPoint(noon, dayEnergy);
  }
}

}  // namespace calorix::logdata
