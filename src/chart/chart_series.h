#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/color.h"

namespace calorix::chart {

class BlockExtremes;
class ChartPanel;
class ChartSeries;

enum class SeriesKind { Line, Bar };
enum class VerticalAxis { Left, Right };
enum class BarLayout { None, Side, Stacked };

struct ValueRange {
  double min = 0.0;
  double max = 0.0;
  friend bool operator==(const ValueRange&, const ValueRange&) = default;
};

// Read access to the points of a series for code that walks many of them
// (drawing): X and Y by index without a call into the series for each.
// Y is the stored float as it is, which orders and places points the same.
// Valid until the series changes its points.
class PointView {
 public:
  std::size_t Size() const { return size_; }
  double X(std::size_t i) const { return XOfCode(xCodes_[i], i); }
  // Whether X(i) < bound, for searches: decided from a product instead of
  // the decoding division unless X lies within a few units in the last
  // place of the bound.
  bool XBelow(std::size_t i, double bound) const {
    const std::uint32_t code = xCodes_[i];
    if (code != kExactX) {
      const double near = (dayBase_ + static_cast<double>(code >> kSecondBits)) +
                          static_cast<double>(code & kSecondMask) * (1.0 / kSecondsPerDay);
      const double margin = 8.0 * std::numeric_limits<double>::epsilon() * std::max(std::fabs(bound), std::fabs(near));
      if (near < bound - margin) return true;
      if (near > bound + margin) return false;
    }
    return X(i) < bound;
  }
  // X as stored (a code) and the X of point i from its code, for summaries
  // that keep the Xs of some points.
  std::uint32_t XCode(std::size_t i) const { return xCodes_[i]; }
  double XOfCode(std::uint32_t code, std::size_t i) const {
    if (code == kExactX) [[unlikely]]
      return ExactX(i);
    return (dayBase_ + static_cast<double>(code >> kSecondBits)) +
           static_cast<double>(code & kSecondMask) / kSecondsPerDay;
  }
  // The stored float, widened (see ChartSeries::Y for the value as read).
  double Y(std::size_t i) const { return ys_[i]; }
  bool IsNull(std::size_t i) const { return std::isnan(ys_[i]); }
  // Asks the processor to fetch point i's X and Y ahead of their use, for
  // readers that know where they will look next; nothing else happens.
  void Prefetch(std::size_t i) const {
#if defined(__GNUC__)
    if (i < size_) {
      __builtin_prefetch(xCodes_ + i);
      __builtin_prefetch(ys_ + i);
    }
#else
    (void)i;
#endif
  }
  // The Y values as stored, for scans over many of them.
  const float* YData() const { return ys_; }

 private:
  friend class ChartSeries;
  static constexpr std::uint32_t kExactX = 0xFFFFFFFFu;
  static constexpr int kSecondBits = 17;  // 86,400 seconds of a day fit
  static constexpr std::uint32_t kSecondMask = (1u << kSecondBits) - 1;
  static constexpr double kSecondsPerDay = 86400.0;
  double ExactX(std::size_t i) const;

  const std::uint32_t* xCodes_ = nullptr;
  const float* ys_ = nullptr;
  std::size_t size_ = 0;
  double dayBase_ = 0.0;
  const ChartSeries* series_ = nullptr;
};

// One curve of a panel and the store of its samples. Points keep their
// insertion order (X is never sorted). A point takes eight bytes: its X as
// whole seconds from a base day (a day count and the second of the day in
// 32 bits; Xs that this does not give back bit for bit, such as fractions
// of seconds, are kept aside as doubles) and its Y as a 32-bit float. A
// float holds every logged value of up to seven significant digits apart
// from its neighbours, so Y() gives back the double it was parsed to.
// Series holding the same Xs can share one copy of them. A null point (a
// gap) is a NaN Y. All non-null points share one colour unless a point is
// given its own; labels are kept only when non-empty.
class ChartSeries {
 public:
  ChartSeries(SeriesKind kind, ChartPanel* owner);
  ~ChartSeries();
  ChartSeries(const ChartSeries&) = delete;
  ChartSeries& operator=(const ChartSeries&) = delete;

  // Points.
  void AddPoint(double x, double y, Color color = 0, std::string_view label = {});
  // A gap marker at x: draws nothing and breaks the line between its neighbours.
  void AddNullPoint(double x);
  void Reserve(std::size_t count);
  // Keeps one copy of the Xs when both series hold the same ones (the
  // channels of one log mostly do); a point added later goes to a copy of
  // the series' own. Returns whether they are shared now. Not safe while
  // another thread reads either series.
  bool ShareXsWith(ChartSeries& other);
  // For a series filled in step with `leader` (the channels of one log): an
  // X equal to the leader's last one takes the leader's code instead of
  // working it out again. The leader must outlive this series' filling and
  // be filled on the same thread; null ends it.
  void FollowXsOf(const ChartSeries* leader) { xLeader_ = leader; }
  // Gives back the spare room of the point store once loading is done.
  void ShrinkToFit();
  std::size_t Count() const { return ys_.size(); }
  double X(std::size_t i) const { return Points().X(i); }
  // The stored float as the double of its shortest decimal: a logged value
  // reads back as the very double it was parsed to.
  double Y(std::size_t i) const;
  bool IsNull(std::size_t i) const { return std::isnan(ys_[i]); }
  void SetY(std::size_t i, double y);
  // Multiplies the Y of every non-null point.
  void ScaleY(double factor);
  Color PointColor(std::size_t i) const;
  void SetPointColor(std::size_t i, Color color);
  // Every point that has a colour takes this one; null points stay colourless.
  void RecolorPoints(Color color);
  // Whether some point has a colour of its own; when none has, every
  // non-null point has the common one.
  bool HasOwnPointColors() const { return !ownColors_.empty(); }
  Color CommonPointColor() const { return pointColor_; }
  std::string_view Label(std::size_t i) const;
  PointView Points() const;
  // True while every X is at least the one before it, which lets readers
  // find a visible range by binary search.
  bool XAscending() const { return xAscending_; }
  // Smallest and largest X and non-null Y; nothing when there is no such point.
  std::optional<ValueRange> XRange() const;
  std::optional<ValueRange> YRange() const;
  // The lowest and highest Y of blocks of points, for readers that reduce
  // long series; built on the first call after the points changed, and
  // nothing for series too short to need them. Building is not safe from
  // two threads at once: a series is prepared on the thread that fills it
  // or on the one that draws it.
  const BlockExtremes* Extremes() const;

  // Kind and style.
  SeriesKind Kind() const { return kind_; }
  // Switches between line and bar in place: points, colours, title and
  // placement stay.
  void SetKind(SeriesKind kind);
  const std::string& Title() const { return title_; }
  void SetTitle(std::string_view title);
  Color SeriesColor() const { return color_; }
  void SetSeriesColor(Color color);
  bool ShowInLegend() const { return showInLegend_; }
  void SetShowInLegend(bool show);
  // Legends list series by rank, lowest first, and series of one rank in
  // the order of placement.
  int LegendRank() const { return legendRank_; }
  void SetLegendRank(int rank);
  VerticalAxis Axis() const { return axis_; }
  void SetAxis(VerticalAxis axis);
  int PenWidth() const { return penWidth_; }
  void SetPenWidth(int width);
  bool Stairs() const { return stairs_; }
  void SetStairs(bool stairs);
  double BarBase() const { return barBase_; }
  void SetBarBase(double base);
  bool BarFromBase() const { return barFromBase_; }
  void SetBarFromBase(bool fromBase);
  int BarWidthPercent() const { return barWidthPercent_; }
  void SetBarWidthPercent(int percent);
  void SetBarLayout(BarLayout layout);
  bool OutlineVisible() const { return outlineVisible_; }
  void SetOutlineVisible(bool visible);
  void SetMarksVisible(bool visible);
  // A line of the background is drawn before the other lines (and after
  // the bars), so that it hides none of them: a reference to compare with.
  bool Background() const { return background_; }
  void SetBackground(bool background);

  // Placement on the owner panel, any number of times.
  ChartPanel* Owner() const { return owner_; }
  bool IsPlaced() const { return placed_; }
  void PlaceOnPanel();
  void RemoveFromPanel();

  // Grows with every change, so a view can tell whether its cache is stale.
  std::uint64_t Revision() const { return revision_; }

 private:
  friend class ChartPanel;
  friend class PointView;
  void Touch();
  void StyleChanged();
  template <typename T>
  void ChangeStyle(T& field, T value);
  void PointsChanged();
  void PushX(double x);
  std::uint32_t XCodeOf(double x) const;
  std::optional<std::uint32_t> LeaderXCode(double x) const;
  double ExactX(std::size_t i) const;
  void KeepAllXsPlain();

  ChartPanel* owner_;
  bool placed_ = false;
  SeriesKind kind_;
  double dayBase_ = 0.0;
  double lastX_ = 0.0;
  std::vector<std::uint32_t> xCodes_;  // empty while the codes are shared
  std::shared_ptr<const std::vector<std::uint32_t>> sharedXCodes_;
  const ChartSeries* xLeader_ = nullptr;
  std::vector<std::pair<std::uint32_t, double>> exactXs_;  // by index, for codes kExactX
  // Every X as a double, once most Xs would be kept aside (stamps that are
  // no whole seconds, such as times summed up from a learned interval);
  // every code is kExactX then. Empty otherwise.
  std::vector<double> plainXs_;
  std::vector<float> ys_;
  Color pointColor_ = 0;
  std::vector<Color> ownColors_;  // empty unless some point differs
  std::vector<std::pair<std::size_t, std::string>> labels_;
  bool xAscending_ = true;
  mutable std::optional<std::optional<ValueRange>> yRangeCache_;
  mutable std::unique_ptr<BlockExtremes> extremes_;
  mutable std::uint64_t extremesRevision_ = 0;
  std::uint64_t pointsRevision_ = 0;
  std::string title_;
  Color color_ = kNoColor;
  bool showInLegend_ = true;
  int legendRank_ = 0;
  VerticalAxis axis_ = VerticalAxis::Left;
  int penWidth_ = 1;
  bool stairs_ = false;
  double barBase_ = 0.0;
  bool barFromBase_ = false;
  int barWidthPercent_ = 70;
  BarLayout barLayout_ = BarLayout::Side;
  bool outlineVisible_ = true;
  bool marksVisible_ = false;
  bool background_ = false;
  std::uint64_t revision_ = 0;
};

}  // namespace calorix::chart
