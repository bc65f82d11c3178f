#pragma once

#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <unordered_set>
#include <vector>

#include "chart/chart_axis.h"
#include "chart/chart_series.h"

namespace calorix::chart {

enum class Panning { None, Horizontal };

// The value ranges of a zoom rectangle, one per axis.
struct ZoomRanges {
  ValueRange bottom;
  ValueRange left;
  ValueRange right;
};

struct PanelMargins {
  double top = 2.0;     // percent of the panel height
  double left = 3.0;    // percent of the panel width
  double right = 3.0;   // percent of the panel width
  double bottom = 2.0;  // percent of the panel height
};

// A chart panel: three axes, title lines, a legend, margins, the series
// placed on it, and the user events. Drawing it is the view's job.
class ChartPanel {
 public:
  ChartPanel();
  ~ChartPanel();
  ChartPanel(const ChartPanel&) = delete;
  ChartPanel& operator=(const ChartPanel&) = delete;

  ChartAxis& BottomAxis() { return bottom_; }
  ChartAxis& LeftAxis() { return left_; }
  ChartAxis& RightAxis() { return right_; }
  const ChartAxis& BottomAxis() const { return bottom_; }
  const ChartAxis& LeftAxis() const { return left_; }
  const ChartAxis& RightAxis() const { return right_; }
  ChartAxis& Axis(AxisPosition position);
  const ChartAxis& Axis(AxisPosition position) const;
  // Copies every setting of another panel's bottom axis, its range included.
  void CopyBottomAxisFrom(const ChartPanel& other);

  // Computes the range an automatic axis would take from the placed series:
  // X for the bottom axis, Y of the series on that side (a bar series counts
  // its base too) for the value axes. Sets the axis range when any series
  // contributes; returns whether one did.
  bool AdjustAutomaticRange(AxisPosition position);

  // Title.
  const std::vector<std::string>& TitleLines() const { return titleLines_; }
  void ClearTitle();
  void AddTitleLine(std::string line);
  void InsertTitleLine(std::size_t index, std::string line);
  bool TitleVisible() const { return titleVisible_; }
  void SetTitleVisible(bool visible);

  // Periods of the bottom axis drawn as light bands behind the series
  // (the findings of the shown days); drawn where they meet the visible range.
  const std::vector<ValueRange>& Bands() const { return bands_; }
  void SetBands(std::vector<ValueRange> bands);

  bool LegendVisible() const { return legendVisible_; }
  void SetLegendVisible(bool visible);

  const PanelMargins& Margins() const { return margins_; }
  void SetMargins(const PanelMargins& margins);
  void SetMarginLeft(double percent);
  void SetMarginRight(double percent);
  void SetMarginTop(double percent);

  // Drawn for printing at size - size * value / 100 before scaling into
  // the target; -50 draws at 1.5 times the target's size.
  int PrintResolution() const { return printResolution_; }
  void SetPrintResolution(int percent);

  // Series placed on this panel, in the order of placement.
  const std::vector<ChartSeries*>& Series() const { return placed_; }
  std::size_t SeriesCount() const { return placed_.size(); }

  // Zoom and panning.
  bool ZoomAllowed() const { return zoomAllowed_; }
  void SetZoomAllowed(bool allowed);
  Panning PanningMode() const { return panning_; }
  void SetPanning(Panning panning);
  bool IsZoomed() const { return zoomed_; }
  // A user zoom narrower than this on the bottom axis is widened around its
  // centre to this width (0: no limit).
  void SetMinimumZoomWidth(double width) { minimumZoomWidth_ = width; }
  // Restores the ranges the axes had before the first zoom; no event.
  void UndoZoom();
  // The bottom axis range before the first zoom; the current one when not
  // zoomed.
  ValueRange UnzoomedBottom() const {
    return zoomed_ ? beforeZoom_.bottom : ValueRange{bottom_.Minimum(), bottom_.Maximum()};
  }

  // The user's gestures, as the view reports them. Each does nothing when
  // the panel does not allow it; otherwise it changes the axes and then
  // fires its event.
  void UserZoom(const ZoomRanges& ranges);
  void UserUndoZoom();
  void UserScroll(double bottomShift);

  // Events.
  std::function<void()> OnZoom;
  std::function<void()> OnUndoZoom;
  std::function<void()> OnScroll;
  // Asked for every label while the panel is drawn; may replace the text.
  std::function<void(const ChartAxis& axis, int valueIndex, std::string& label)> OnGetAxisLabel;

  // Told after any change that alters what the panel shows (not after
  // points are added to a series, which happens in bulk while parsing).
  void SetChangeListener(std::function<void()> listener);
  void NotifyChanged() const;

 private:
  friend class ChartSeries;
  void Attach(ChartSeries* series);
  void Detach(ChartSeries* series);
  void Register(ChartSeries* series);
  void Forget(ChartSeries* series);

  ChartAxis bottom_{AxisPosition::Bottom};
  ChartAxis left_{AxisPosition::Left};
  ChartAxis right_{AxisPosition::Right};
  std::vector<std::string> titleLines_;
  bool titleVisible_ = true;
  bool legendVisible_ = false;
  std::vector<ValueRange> bands_;
  PanelMargins margins_;
  int printResolution_ = 0;
  std::vector<ChartSeries*> placed_;
  // Every live series created for this panel. Series may be created on
  // worker threads (day files are parsed ahead in parallel), so the
  // registry is locked; everything else belongs to the UI thread.
  std::mutex ownedMutex_;
  std::unordered_set<ChartSeries*> owned_;
  bool zoomAllowed_ = true;
  Panning panning_ = Panning::None;
  bool zoomed_ = false;
  double minimumZoomWidth_ = 0.0;
  ZoomRanges beforeZoom_;
  std::function<void()> changed_;
};

}  // namespace calorix::chart
