#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
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

  // The cursor: a vertical line at a value of the bottom axis (a time) and
  // the readout lines in a box beside it, drawn over the chart, never into
  // the panel. Nothing hides the line; empty lines, the box.
  void SetCursorLine(std::optional<double> at);
  std::optional<double> CursorLine() const { return cursorAt_; }
  // marks: a colour square before each line (an invalid colour: none).
  void SetReadout(QStringList lines, QList<QColor> marks = {});
  const QStringList& Readout() const { return readout_; }
  // A short text in the middle of the plot while the panel shows no
  // series: what to do to see something. On screen only, never in prints
  // or saved images. Empty: none.
  void SetHint(const QString& hint);
  const QString& Hint() const { return hint_; }
  // The bottom-axis value at a position inside the plot area; nothing
  // outside it.
  std::optional<double> ValueAtPosition(QPointF pos) const;
  // The pixel column of a bottom-axis value.
  double PositionOfValue(double value) const;

  QSize sizeHint() const override { return {640, 320}; }
  QSize minimumSizeHint() const override { return {160, 80}; }

 signals:
  // The mouse moved over the plot to this bottom-axis value, or left it.
  void CursorMoved(double value);
  void CursorLeft();
  // The left (-1) or right (+1) arrow key while the chart has focus.
  void CursorStepped(int direction);
  // Whole wheel notches (positive: towards the user, or tilted to the
  // right) with Ctrl at the value under the mouse, and without.
  void WheelZoomed(double value, int notches);
  void WheelScrolled(int notches);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

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
  // Asks for a repaint of the whole view unless one is pending already.
  void RequestRepaint();
  // The room this panel's own axes need beside the plot.
  PlotInsets NaturalInsets() const;
  // The larger of this view's and the aligned view's.
  PlotInsets AlignedInsets() const;
  const QImage& Frame();
  template <typename F>
  void Guarded(F&& action);
  void PaintRubberBand(QPainter& painter) const;
  void PaintCursor(QPainter& painter, const ChartLayout& layout) const;
  void PaintFocusFrame(QPainter& painter) const;
  void PaintHint(QPainter& painter, const ChartLayout& layout) const;
  void ReportCursorAt(QPointF pos);

  chart::ChartPanel& panel_;
  ChartGestures gestures_;
  SeriesCache cache_;
  QImage frame_;
  FrameStamp frameStamp_;
  std::uint64_t changes_ = 0;
  // A whole-view repaint has been asked for and not painted yet.
  bool repaintPending_ = false;
  std::function<void(const std::string&)> errorHandler_;
  QPointer<ChartView> aligned_;
  std::optional<double> cursorAt_;
  QStringList readout_;
  QList<QColor> readoutMarks_;
  QString hint_;
  int wheelRest_ = 0;  // eighths of a degree not yet a whole notch
};

}  // namespace calorix::chartview
