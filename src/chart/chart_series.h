#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/color.h"

namespace calorix::chart {

class ChartPanel;

enum class SeriesKind { Line, Bar };
enum class VerticalAxis { Left, Right };
enum class BarLayout { None, Side, Stacked };

struct ValueRange {
  double min = 0.0;
  double max = 0.0;
};

// One curve of a panel and the store of its samples. Points keep their
// insertion order (X is never sorted). They are held as two parallel vectors
// of doubles; a null point (a gap) is a NaN Y. All non-null points share one
// colour unless a point is given its own; labels are kept only when non-empty.
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
  // Gives back the spare room of the point store once loading is done.
  void ShrinkToFit();
  std::size_t Count() const { return xs_.size(); }
  double X(std::size_t i) const { return xs_[i]; }
  double Y(std::size_t i) const { return ys_[i]; }
  bool IsNull(std::size_t i) const;
  void SetY(std::size_t i, double y);
  // Multiplies the Y of every non-null point.
  void ScaleY(double factor);
  Color PointColor(std::size_t i) const;
  void SetPointColor(std::size_t i, Color color);
  // Every point that has a colour takes this one; null points stay colourless.
  void RecolorPoints(Color color);
  std::string_view Label(std::size_t i) const;
  const std::vector<double>& Xs() const { return xs_; }
  const std::vector<double>& Ys() const { return ys_; }
  // True while every X is at least the one before it, which lets readers
  // find a visible range by binary search.
  bool XAscending() const { return xAscending_; }
  // Smallest and largest X and non-null Y; nothing when there is no such point.
  std::optional<ValueRange> XRange() const;
  std::optional<ValueRange> YRange() const;

  // Kind and style.
  SeriesKind Kind() const { return kind_; }
  // Switches between line and bar in place: points, colours, title and
  // placement stay.
  void SetKind(SeriesKind kind);
  const std::string& Title() const { return title_; }
  void SetTitle(std::string title);
  Color SeriesColor() const { return color_; }
  void SetSeriesColor(Color color);
  bool ShowInLegend() const { return showInLegend_; }
  void SetShowInLegend(bool show);
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
  BarLayout Layout() const { return barLayout_; }
  void SetBarLayout(BarLayout layout);
  bool OutlineVisible() const { return outlineVisible_; }
  void SetOutlineVisible(bool visible);
  bool MarksVisible() const { return marksVisible_; }
  void SetMarksVisible(bool visible);

  // Placement on the owner panel, any number of times.
  ChartPanel* Owner() const { return owner_; }
  bool IsPlaced() const { return placed_; }
  void PlaceOnPanel();
  void RemoveFromPanel();

  // Grows with every change, so a view can tell whether its cache is stale.
  std::uint64_t Revision() const { return revision_; }

 private:
  friend class ChartPanel;
  void Touch();
  void StyleChanged();

  ChartPanel* owner_;
  bool placed_ = false;
  SeriesKind kind_;
  std::vector<double> xs_;
  std::vector<double> ys_;
  Color pointColor_ = 0;
  std::vector<Color> ownColors_;  // empty unless some point differs
  std::vector<std::pair<std::size_t, std::string>> labels_;
  bool xAscending_ = true;
  mutable std::optional<std::optional<ValueRange>> yRangeCache_;
  std::string title_;
  Color color_ = kNoColor;
  bool showInLegend_ = true;
  VerticalAxis axis_ = VerticalAxis::Left;
  int penWidth_ = 1;
  bool stairs_ = false;
  double barBase_ = 0.0;
  bool barFromBase_ = false;
  int barWidthPercent_ = 70;
  BarLayout barLayout_ = BarLayout::Side;
  bool outlineVisible_ = true;
  bool marksVisible_ = false;
  std::uint64_t revision_ = 0;
};

}  // namespace calorix::chart
