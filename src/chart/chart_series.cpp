#include "chart/chart_series.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>

#include "chart/block_extremes.h"
#include "chart/chart_panel.h"

namespace calorix::chart {
namespace {

constexpr float kNull = std::numeric_limits<float>::quiet_NaN();
// Day counts below the first X's day reach back this far, so that points
// added out of order before it still fit.
constexpr double kDaysBack = 16384.0;
constexpr double kDayCount = 32768.0;  // days a code holds (15 bits)
constexpr double kDaysPerSecond = 1.0 / 86400.0;
// Series shorter than this are reduced point by point anyway.
constexpr std::size_t kExtremesFrom = 4 * BlockExtremes::kBlock;
// Xs are kept plain once more than half of this many or more need it.
constexpr std::size_t kPlainFrom = 64;

// The double of the shortest decimal that gives this float back.
double ReadBack(float stored) {
  if (!std::isfinite(stored)) return stored;
  char text[32];  // the longest shortest form of a float has 15 characters
  const auto written = std::to_chars(text, text + sizeof text, stored);
  double value = 0.0;
  if (written.ec != std::errc() || std::from_chars(text, written.ptr, value).ec != std::errc()) return stored;
  return value;
}

bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

}  // namespace

double PointView::ExactX(std::size_t i) const { return series_->ExactX(i); }

ChartSeries::ChartSeries(SeriesKind kind, ChartPanel* owner) : owner_(owner), kind_(kind) {
  if (owner_) owner_->Register(this);
}

ChartSeries::~ChartSeries() {
  if (owner_) owner_->Forget(this);
}

// A time stamp is a day plus a whole number of seconds divided by the
// seconds of a day; decoding does exactly that sum, and a code is kept only
// if it gives the same double back. Done for every point of a load, so
// without calls into the maths library.
std::uint32_t ChartSeries::XCodeOf(double x) const {
  const double days = x - dayBase_;
  if (!(days >= 0.0 && days < kDayCount)) return PointView::kExactX;  // NaN too
  const auto dayCount = static_cast<std::uint32_t>(days);
  const double day = dayBase_ + static_cast<double>(dayCount);
  const double seconds = (x - day) * PointView::kSecondsPerDay + 0.5;
  if (!(seconds >= 0.0 && seconds < PointView::kSecondsPerDay)) return PointView::kExactX;
  const auto second = static_cast<std::uint32_t>(seconds);
  const std::uint32_t code = dayCount << PointView::kSecondBits | second;
  // The quotient second / 86400 lies within four units in the last place
  // of this product, and a sum rounds monotonically: when both ends of that
  // interval added to the day give x, the quotient does too, and the
  // division (slow, and once per point of a load) is not needed.
  const auto product = std::bit_cast<std::uint64_t>(static_cast<double>(second) * kDaysPerSecond);
  if (product >= 4 && SameBits(day + std::bit_cast<double>(product - 4), x) &&
      SameBits(day + std::bit_cast<double>(product + 4), x)) {
    return code;
  }
  if (!SameBits(day + static_cast<double>(second) / PointView::kSecondsPerDay, x)) return PointView::kExactX;
  return code;
}

// The leader's code for its last X, when that is x and coded on the same
// base day.
std::optional<std::uint32_t> ChartSeries::LeaderXCode(double x) const {
  if (!xLeader_ || xLeader_->ys_.empty() || xLeader_->dayBase_ != dayBase_ || !SameBits(xLeader_->lastX_, x)) {
    return std::nullopt;
  }
  const std::vector<std::uint32_t>& codes = xLeader_->sharedXCodes_ ? *xLeader_->sharedXCodes_ : xLeader_->xCodes_;
  return codes.back();
}

void ChartSeries::PushX(double x) {
  if (sharedXCodes_) {
    // Points added after sharing go to a copy of the series' own.
    xCodes_ = *sharedXCodes_;
    sharedXCodes_.reset();
  }
  if (xCodes_.empty()) dayBase_ = std::isfinite(x) ? std::floor(x) - kDaysBack : 0.0;
  lastX_ = x;
  if (!plainXs_.empty()) {
    plainXs_.push_back(x);
    xCodes_.push_back(PointView::kExactX);
    return;
  }
  const std::optional<std::uint32_t> led = LeaderXCode(x);
  const std::uint32_t code = led ? *led : XCodeOf(x);
  if (code == PointView::kExactX) exactXs_.emplace_back(static_cast<std::uint32_t>(xCodes_.size()), x);
  xCodes_.push_back(code);
  // Kept aside one by one, such Xs would take twice the room of plain ones.
  if (code == PointView::kExactX && exactXs_.size() >= kPlainFrom && 2 * exactXs_.size() > xCodes_.size()) {
    KeepAllXsPlain();
  }
}

void ChartSeries::KeepAllXsPlain() {
  const PointView points = Points();
  std::vector<double> plain;
  plain.reserve(std::max(xCodes_.capacity(), xCodes_.size()));
  for (std::size_t i = 0; i < xCodes_.size(); ++i) plain.push_back(points.XOfCode(xCodes_[i], i));
  std::fill(xCodes_.begin(), xCodes_.end(), PointView::kExactX);
  std::vector<std::pair<std::uint32_t, double>>().swap(exactXs_);
  plainXs_ = std::move(plain);
}

double ChartSeries::ExactX(std::size_t i) const {
  if (!plainXs_.empty()) return plainXs_[i];
  const auto it = std::lower_bound(exactXs_.begin(), exactXs_.end(), i,
                                   [](const auto& entry, std::size_t index) { return entry.first < index; });
  return it->second;
}

double ChartSeries::Y(std::size_t i) const { return ReadBack(ys_[i]); }

PointView ChartSeries::Points() const {
  PointView view;
  view.xCodes_ = sharedXCodes_ ? sharedXCodes_->data() : xCodes_.data();
  view.ys_ = ys_.data();
  view.size_ = ys_.size();
  view.dayBase_ = dayBase_;
  view.series_ = this;
  return view;
}

void ChartSeries::AddPoint(double x, double y, Color color, std::string_view label) {
  if (!ys_.empty() && x < lastX_) xAscending_ = false;
  if (ys_.empty()) pointColor_ = color;
  PushX(x);
  ys_.push_back(static_cast<float>(y));
  if (!ownColors_.empty()) {
    ownColors_.push_back(color);
  } else if (color != pointColor_) {
    ownColors_.assign(ys_.size() - 1, pointColor_);
    for (std::size_t i = 0; i + 1 < ys_.size(); ++i) {
      if (IsNull(i)) ownColors_[i] = kNoColor;
    }
    ownColors_.push_back(color);
  }
  if (!label.empty()) labels_.emplace_back(ys_.size() - 1, std::string(label));
  PointsChanged();
}

void ChartSeries::AddNullPoint(double x) {
  if (!ys_.empty() && x < lastX_) xAscending_ = false;
  PushX(x);
  ys_.push_back(kNull);
  if (!ownColors_.empty()) ownColors_.push_back(kNoColor);
  PointsChanged();
}

bool ChartSeries::ShareXsWith(ChartSeries& other) {
  if (this == &other || ys_.empty() || ys_.size() != other.ys_.size() || dayBase_ != other.dayBase_ ||
      exactXs_ != other.exactXs_ || plainXs_ != other.plainXs_) {
    return false;
  }
  const std::vector<std::uint32_t>& mine = sharedXCodes_ ? *sharedXCodes_ : xCodes_;
  const std::vector<std::uint32_t>& theirs = other.sharedXCodes_ ? *other.sharedXCodes_ : other.xCodes_;
  if (&mine == &theirs) return true;
  if (mine != theirs) return false;
  if (!other.sharedXCodes_) {
    other.xCodes_.shrink_to_fit();
    other.sharedXCodes_ = std::make_shared<const std::vector<std::uint32_t>>(std::move(other.xCodes_));
    std::vector<std::uint32_t>().swap(other.xCodes_);
  }
  sharedXCodes_ = other.sharedXCodes_;
  std::vector<std::uint32_t>().swap(xCodes_);  // gives the memory back
  return true;
}

void ChartSeries::Reserve(std::size_t count) {
  if (!sharedXCodes_) xCodes_.reserve(count);
  if (!plainXs_.empty()) plainXs_.reserve(count);
  ys_.reserve(count);
}

void ChartSeries::ShrinkToFit() {
  // Reallocating costs a copy; a little slack is cheaper to keep.
  if (ys_.capacity() > ys_.size() + ys_.size() / 16 + 16) {
    if (!sharedXCodes_) xCodes_.shrink_to_fit();
    plainXs_.shrink_to_fit();
    ys_.shrink_to_fit();
  }
  exactXs_.shrink_to_fit();
  ownColors_.shrink_to_fit();
}

void ChartSeries::SetY(std::size_t i, double y) {
  ys_[i] = static_cast<float>(y);
  PointsChanged();
  StyleChanged();
}

void ChartSeries::ScaleY(double factor) {
  // NaN stays NaN: gaps stay gaps. The product of the value as read is
  // rounded once.
  for (float& y : ys_) y = static_cast<float>(ReadBack(y) * factor);
  PointsChanged();
  StyleChanged();
}

Color ChartSeries::PointColor(std::size_t i) const {
  if (!ownColors_.empty()) return ownColors_[i];
  return IsNull(i) ? kNoColor : pointColor_;
}

void ChartSeries::SetPointColor(std::size_t i, Color color) {
  if (PointColor(i) == color) return;
  if (ownColors_.empty()) {
    ownColors_.resize(ys_.size());
    for (std::size_t k = 0; k < ys_.size(); ++k) ownColors_[k] = PointColor(k);
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
  if (ys_.empty()) return std::nullopt;
  const PointView points = Points();
  if (xAscending_) return ValueRange{points.X(0), lastX_};
  ValueRange range{points.X(0), points.X(0)};
  for (std::size_t i = 1; i < points.Size(); ++i) {
    const double x = points.X(i);
    if (x < range.min) range.min = x;
    if (range.max < x) range.max = x;
  }
  return range;
}

std::optional<ValueRange> ChartSeries::YRange() const {
  if (!yRangeCache_) {
    std::optional<ValueRange> range;
    for (const float stored : ys_) {
      if (std::isnan(stored)) continue;
      const double y = stored;  // read back below, for the two extremes only
      if (!range) {
        range = ValueRange{y, y};
      } else {
        range->min = std::min(range->min, y);
        range->max = std::max(range->max, y);
      }
    }
    if (range) range = ValueRange{ReadBack(static_cast<float>(range->min)), ReadBack(static_cast<float>(range->max))};
    yRangeCache_ = range;
  }
  return *yRangeCache_;
}

const BlockExtremes* ChartSeries::Extremes() const {
  if (ys_.size() < kExtremesFrom) return nullptr;
  if (!extremes_ || extremesRevision_ != pointsRevision_) {
    if (!extremes_) extremes_ = std::make_unique<BlockExtremes>();
    extremes_->Build(Points());
    extremesRevision_ = pointsRevision_;
  }
  return extremes_.get();
}

void ChartSeries::SetKind(SeriesKind kind) {
  if (kind_ == kind) return;
  kind_ = kind;
  StyleChanged();
}

void ChartSeries::SetTitle(std::string_view title) {
  if (title_ == title) return;
  title_ = title;
  StyleChanged();
}

void ChartSeries::SetSeriesColor(Color color) { ChangeStyle(color_, color); }

void ChartSeries::SetShowInLegend(bool show) { ChangeStyle(showInLegend_, show); }

void ChartSeries::SetLegendRank(int rank) { ChangeStyle(legendRank_, rank); }

void ChartSeries::SetAxis(VerticalAxis axis) { ChangeStyle(axis_, axis); }

void ChartSeries::SetPenWidth(int width) { ChangeStyle(penWidth_, width); }

void ChartSeries::SetStairs(bool stairs) { ChangeStyle(stairs_, stairs); }

void ChartSeries::SetBarBase(double base) { ChangeStyle(barBase_, base); }

void ChartSeries::SetBarFromBase(bool fromBase) { ChangeStyle(barFromBase_, fromBase); }

void ChartSeries::SetBarWidthPercent(int percent) { ChangeStyle(barWidthPercent_, percent); }

void ChartSeries::SetBarLayout(BarLayout layout) { ChangeStyle(barLayout_, layout); }

void ChartSeries::SetOutlineVisible(bool visible) { ChangeStyle(outlineVisible_, visible); }

void ChartSeries::SetMarksVisible(bool visible) { ChangeStyle(marksVisible_, visible); }

void ChartSeries::SetBackground(bool background) { ChangeStyle(background_, background); }

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

void ChartSeries::PointsChanged() {
  ++pointsRevision_;
  yRangeCache_.reset();
  Touch();
}

template <typename T>
void ChartSeries::ChangeStyle(T& field, T value) {
  // The same style again changes nothing to draw.
  if (field == value) return;
  field = value;
  StyleChanged();
}

void ChartSeries::StyleChanged() {
  Touch();
  if (placed_ && owner_) owner_->NotifyChanged();
}

}  // namespace calorix::chart
