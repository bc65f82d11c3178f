#include "chart/chart_panel.h"

#include <algorithm>

namespace calorix::chart {

ChartPanel::ChartPanel() {
  for (ChartAxis* axis : {&bottom_, &left_, &right_}) {
    axis->SetChangeListener([this] { NotifyChanged(); });
  }
}

ChartPanel::~ChartPanel() {
  // Series outliving their panel must not reach back into it.
  const std::lock_guard lock(ownedMutex_);
  for (ChartSeries* series : owned_) {
    series->owner_ = nullptr;
    series->placed_ = false;
  }
}

ChartAxis& ChartPanel::Axis(AxisPosition position) {
  switch (position) {
    case AxisPosition::Left: return left_;
    case AxisPosition::Right: return right_;
    case AxisPosition::Bottom: break;
  }
  return bottom_;
}

const ChartAxis& ChartPanel::Axis(AxisPosition position) const { return const_cast<ChartPanel*>(this)->Axis(position); }

void ChartPanel::CopyBottomAxisFrom(const ChartPanel& other) { bottom_.CopySettingsFrom(other.bottom_); }

bool ChartPanel::AdjustAutomaticRange(AxisPosition position) {
  std::optional<ValueRange> total;
  auto include = [&](const std::optional<ValueRange>& r) {
    if (!r) return;
    if (!total) {
      total = r;
    } else {
      total->min = std::min(total->min, r->min);
      total->max = std::max(total->max, r->max);
    }
  };
  for (const ChartSeries* series : placed_) {
    if (position == AxisPosition::Bottom) {
      include(series->XRange());
      continue;
    }
    const VerticalAxis side = position == AxisPosition::Left ? VerticalAxis::Left : VerticalAxis::Right;
    if (series->Axis() != side) continue;
    const auto y = series->YRange();
    include(y);
    if (y && series->Kind() == SeriesKind::Bar && series->BarFromBase()) {
      include(ValueRange{series->BarBase(), series->BarBase()});
    }
  }
  if (!total) return false;
  Axis(position).SetMinMax(total->min, total->max);
  return true;
}

void ChartPanel::ClearTitle() {
  titleLines_.clear();
  NotifyChanged();
}

void ChartPanel::AddTitleLine(std::string line) {
  titleLines_.push_back(std::move(line));
  NotifyChanged();
}

void ChartPanel::InsertTitleLine(std::size_t index, std::string line) {
  index = std::min(index, titleLines_.size());
  titleLines_.insert(titleLines_.begin() + static_cast<std::ptrdiff_t>(index), std::move(line));
  NotifyChanged();
}

void ChartPanel::SetTitleVisible(bool visible) {
  titleVisible_ = visible;
  NotifyChanged();
}

void ChartPanel::SetBands(std::vector<ValueRange> bands) {
  if (bands == bands_) return;
  bands_ = std::move(bands);
  NotifyChanged();
}

void ChartPanel::SetLegendVisible(bool visible) {
  legendVisible_ = visible;
  NotifyChanged();
}

void ChartPanel::SetMargins(const PanelMargins& margins) {
  margins_ = margins;
  NotifyChanged();
}

void ChartPanel::SetMarginLeft(double percent) {
  margins_.left = percent;
  NotifyChanged();
}

void ChartPanel::SetMarginRight(double percent) {
  margins_.right = percent;
  NotifyChanged();
}

void ChartPanel::SetMarginTop(double percent) {
  margins_.top = percent;
  NotifyChanged();
}

void ChartPanel::SetPrintResolution(int percent) { printResolution_ = percent; }

void ChartPanel::SetZoomAllowed(bool allowed) { zoomAllowed_ = allowed; }

void ChartPanel::SetPanning(Panning panning) { panning_ = panning; }

void ChartPanel::UndoZoom() {
  if (!zoomed_) return;
  zoomed_ = false;
  bottom_.SetMinMax(beforeZoom_.bottom.min, beforeZoom_.bottom.max);
  left_.SetMinMax(beforeZoom_.left.min, beforeZoom_.left.max);
  right_.SetMinMax(beforeZoom_.right.min, beforeZoom_.right.max);
}

void ChartPanel::UserZoom(const ZoomRanges& ranges) {
  if (!zoomAllowed_) return;
  if (ranges.bottom.min >= ranges.bottom.max) return;
  if (!zoomed_) {
    beforeZoom_ = {{bottom_.Minimum(), bottom_.Maximum()},
                   {left_.Minimum(), left_.Maximum()},
                   {right_.Minimum(), right_.Maximum()}};
    zoomed_ = true;
  }
  ValueRange bottom = ranges.bottom;
  const double shortfall = minimumZoomWidth_ - (bottom.max - bottom.min);
  if (shortfall > 0.0) bottom = {bottom.min - shortfall / 2.0, bottom.max + shortfall / 2.0};
  bottom_.SetMinMax(bottom.min, bottom.max);
  left_.SetMinMax(std::min(ranges.left.min, ranges.left.max), std::max(ranges.left.min, ranges.left.max));
  right_.SetMinMax(std::min(ranges.right.min, ranges.right.max), std::max(ranges.right.min, ranges.right.max));
  if (OnZoom) OnZoom();
}

void ChartPanel::UserUndoZoom() {
  if (!zoomAllowed_) return;
  UndoZoom();
  if (OnUndoZoom) OnUndoZoom();
}

void ChartPanel::UserScroll(double bottomShift) {
  if (panning_ != Panning::Horizontal || bottomShift == 0.0) return;
  bottom_.SetMinMax(bottom_.Minimum() + bottomShift, bottom_.Maximum() + bottomShift);
  if (OnScroll) OnScroll();
}

void ChartPanel::SetChangeListener(std::function<void()> listener) { changed_ = std::move(listener); }

void ChartPanel::NotifyChanged() const {
  if (changed_) changed_();
}

void ChartPanel::Attach(ChartSeries* series) {
  placed_.push_back(series);
  NotifyChanged();
}

void ChartPanel::Detach(ChartSeries* series) {
  placed_.erase(std::remove(placed_.begin(), placed_.end(), series), placed_.end());
  NotifyChanged();
}

void ChartPanel::Register(ChartSeries* series) {
  const std::lock_guard lock(ownedMutex_);
  owned_.insert(series);
}

void ChartPanel::Forget(ChartSeries* series) {
  if (series->IsPlaced()) Detach(series);
  const std::lock_guard lock(ownedMutex_);
  owned_.erase(series);
}

}  // namespace calorix::chart
