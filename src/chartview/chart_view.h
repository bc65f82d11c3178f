#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "chart/chart_panel.h"
#include "chartview/chart_gestures.h"
#include "chartview/chart_layout.h"
#include "chartview/series_painter.h"

class QPainter;

namespace calorix::chartview {

// The widget that shows one chart panel. It draws through RenderPanel,
// repaints when the panel reports a change, turns mouse gestures into the
// panel's zoom, undo-zoom and scroll commands (see ChartGestures), and puts
// the panel out to a printer or a bitmap file.
//
// The panel must outlive the view: the view installs itself as the panel's
// change listener and removes itself when destroyed.
class ChartView : public QWidget {
  Q_OBJECT

 public:
  explicit ChartView(chart::ChartPanel& panel, QWidget* parent = nullptr);
  ~ChartView() override;

  chart::ChartPanel& Panel() const { return panel_; }

  // Draws the panel into a rectangle of a printer page (or any painter),
  // at the panel's print resolution.
  void PrintInto(QPainter& painter, const QRectF& target) const;
  // The panel as drawn on screen, at the widget's size.
  QImage ToImage() const;
  // Saves ToImage() as a BMP file, through a temporary file so that a
  // failure leaves no half-written bitmap. Throws calorix::Error with the
  // reason on failure.
  void SaveBitmap(const QString& fileName) const;

  // Errors thrown by the panel's event handlers during a gesture must not
  // cross the event loop; they are passed here (default: a warning).
  void SetErrorHandler(std::function<void(const std::string&)> handler) { errorHandler_ = std::move(handler); }

  // Keeps the plot area's left and right edges level with another view's
  // (and the other's with this one's), whatever the label widths of
  // either: two charts stacked over one time axis. Both views are expected
  // to be equally wide and level with each other.
  void AlignPlotWith(ChartView* other);

  // The layout of the panel at the widget's current size.
  ChartLayout CurrentLayout() const;

  QSize sizeHint() const override { return {640, 320}; }
  QSize minimumSizeHint() const override { return {160, 80}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // What the cached frame was drawn from.
  struct FrameStamp {
    QSize size;
    qreal pixelRatio = 0;
    std::uint64_t changes = 0;
    PlotInsets insets;
    std::vector<std::pair<const chart::ChartSeries*, std::uint64_t>> revisions;
    bool operator==(const FrameStamp&) const = default;
  };

  FrameStamp CurrentStamp() const;
  // The room this panel's own axes need beside the plot.
  PlotInsets NaturalInsets() const;
  // The larger of this view's and the aligned view's.
  PlotInsets AlignedInsets() const;
  const QImage& Frame();
  template <typename F>
  void Guarded(F&& action);
  void PaintRubberBand(QPainter& painter) const;

  chart::ChartPanel& panel_;
  ChartGestures gestures_;
  SeriesCache cache_;
  QImage frame_;
  FrameStamp frameStamp_;
  std::uint64_t changes_ = 0;
  std::function<void(const std::string&)> errorHandler_;
  QPointer<ChartView> aligned_;
};

}  // namespace calorix::chartview
