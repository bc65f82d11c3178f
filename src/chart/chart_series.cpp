#include "chart/chart_series.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "chart/chart_panel.h"

namespace calorix::chart {
namespace {
constexpr double kNull = std::numeric_limits<double>::quiet_NaN();
}

ChartSeries::ChartSeries(SeriesKind kind, ChartPanel* owner) : owner_(owner), kind_(kind) {
  if (owner_) owner_->Register(this);
}

ChartSeries::~ChartSeries() {
  if (owner_) owner_->Forget(this);
}

void ChartSeries::AddPoint(double x, double y, Color color, std::string_view label) {
  if (!xs_.empty() && x < xs_.back()) xAscending_ = false;
  if (xs_.empty()) pointColor_ = color;
  xs_.push_back(x);
  ys_.push_back(y);
  if (!ownColors_.empty()) {
    ownColors_.push_back(color);
  } else if (color != pointColor_) {
    ownColors_.assign(xs_.size() - 1, pointColor_);
    for (std::size_t i = 0; i + 1 < xs_.size(); ++i) {
      if (std::isnan(ys_[i])) ownColors_[i] = kNoColor;
    }
    ownColors_.push_back(color);
  }
  if (!label.empty()) labels_.emplace_back(xs_.size() - 1, std::string(label));
  yRangeCache_.reset();
  Touch();
}

void ChartSeries::AddNullPoint(double x) {
  if (!xs_.empty() && x < xs_.back()) xAscending_ = false;
  xs_.push_back(x);
  ys_.push_back(kNull);
  if (!ownColors_.empty()) ownColors_.push_back(kNoColor);
  Touch();
}

void ChartSeries::Reserve(std::size_t count) {
  xs_.reserve(count);
  ys_.reserve(count);
}

void ChartSeries::ShrinkToFit() {
  // Reallocating costs a copy; a little slack is cheaper to keep.
  if (xs_.capacity() > xs_.size() + xs_.size() / 16 + 16) {
    xs_.shrink_to_fit();
    ys_.shrink_to_fit();
  }
  ownColors_.shrink_to_fit();
}

bool ChartSeries::IsNull(std::size_t i) const { return std::isnan(ys_[i]); }

void ChartSeries::SetY(std::size_t i, double y) {
  ys_[i] = y;
  yRangeCache_.reset();
  StyleChanged();
}

void ChartSeries::ScaleY(double factor) {
  for (double& y : ys_) y *= factor;  // NaN stays NaN: gaps stay gaps
  yRangeCache_.reset();
  StyleChanged();
}

Color ChartSeries::PointColor(std::size_t i) const {
  if (!ownColors_.empty()) return ownColors_[i];
  return IsNull(i) ? kNoColor : pointColor_;
}

void ChartSeries::SetPointColor(std::size_t i, Color color) {
  if (PointColor(i) == color) return;
  if (ownColors_.empty()) {
    ownColors_.resize(xs_.size());
    for (std::size_t k = 0; k < xs_.size(); ++k) ownColors_[k] = PointColor(k);
  }
  ownColors_[i] = color;
  StyleChanged();
}

void ChartSeries::RecolorPoints(Color color) {
  pointColor_ = color;
  // After recolouring every coloured point matches the common colour, so
  // the per-point list is only kept if a null point had a colour of its own.
  bool uniform = true;
  for (std::size_t i = 0; i < ownColors_.size(); ++i) {
    if (ownColors_[i] != kNoColor) ownColors_[i] = color;
    uniform = uniform && ownColors_[i] == (IsNull(i) ? kNoColor : color);
  }
  if (uniform) ownColors_.clear();
  StyleChanged();
}

std::string_view ChartSeries::Label(std::size_t i) const {
  const auto it = std::lower_bound(labels_.begin(), labels_.end(), i,
                                   [](const auto& entry, std::size_t index) { return entry.first < index; });
  if (it != labels_.end() && it->first == i) return it->second;
  return {};
}

std::optional<ValueRange> ChartSeries::XRange() const {
  if (xs_.empty()) return std::nullopt;
  if (xAscending_) return ValueRange{xs_.front(), xs_.back()};
  const auto [lo, hi] = std::minmax_element(xs_.begin(), xs_.end());
  return ValueRange{*lo, *hi};
}

std::optional<ValueRange> ChartSeries::YRange() const {
  if (!yRangeCache_) {
    std::optional<ValueRange> range;
    for (const double y : ys_) {
      if (std::isnan(y)) continue;
      if (!range) {
        range = ValueRange{y, y};
      } else {
        range->min = std::min(range->min, y);
        range->max = std::max(range->max, y);
      }
    }
    yRangeCache_ = range;
  }
  return *yRangeCache_;
}

void ChartSeries::SetKind(SeriesKind kind) {
  if (kind_ == kind) return;
  kind_ = kind;
  StyleChanged();
}

void ChartSeries::SetTitle(std::string title) {
  if (title_ == title) return;
  title_ = std::move(title);
  StyleChanged();
}

void ChartSeries::SetSeriesColor(Color color) {
  color_ = color;
  StyleChanged();
}

void ChartSeries::SetShowInLegend(bool show) {
  showInLegend_ = show;
  StyleChanged();
}

void ChartSeries::SetAxis(VerticalAxis axis) {
  axis_ = axis;
  StyleChanged();
}

void ChartSeries::SetPenWidth(int width) {
  penWidth_ = width;
  StyleChanged();
}

void ChartSeries::SetStairs(bool stairs) {
  stairs_ = stairs;
  StyleChanged();
}

void ChartSeries::SetBarBase(double base) {
  barBase_ = base;
  StyleChanged();
}

void ChartSeries::SetBarFromBase(bool fromBase) {
  barFromBase_ = fromBase;
  StyleChanged();
}

void ChartSeries::SetBarWidthPercent(int percent) {
  barWidthPercent_ = percent;
  StyleChanged();
}

void ChartSeries::SetBarLayout(BarLayout layout) {
  barLayout_ = layout;
  StyleChanged();
}

void ChartSeries::SetOutlineVisible(bool visible) {
  outlineVisible_ = visible;
  StyleChanged();
}

void ChartSeries::SetMarksVisible(bool visible) {
  marksVisible_ = visible;
  StyleChanged();
}

void ChartSeries::PlaceOnPanel() {
  if (placed_ || !owner_) return;
  placed_ = true;
  owner_->Attach(this);
}

void ChartSeries::RemoveFromPanel() {
  if (!placed_ || !owner_) return;
  placed_ = false;
  owner_->Detach(this);
}

void ChartSeries::Touch() { ++revision_; }

void ChartSeries::StyleChanged() {
  Touch();
  if (placed_ && owner_) owner_->NotifyChanged();
}

}  // namespace calorix::chart
