#pragma once

#include <QPointF>
#include <QRectF>
#include <Qt>
#include <optional>

#include "chart/chart_panel.h"
#include "chartview/chart_layout.h"

namespace calorix::chartview {

// Turns mouse gestures over a panel's plot into the panel's user commands,
// within what the panel allows:
//  - left-drag to the right and down: zoom into the rubber-band rectangle;
//  - left-drag in any other direction (left or up), or a double click: undo
//    the zoom;
//  - with horizontal panning on: right-drag, or left-drag when zoom is off,
//    moves the time window along with the mouse.
// Positions are in the view's coordinates; the layout maps them to values.
class ChartGestures {
 public:
  explicit ChartGestures(chart::ChartPanel& panel) : panel_(panel) {}

  // Each returns whether the view must repaint its rubber band.
  bool Press(QPointF pos, Qt::MouseButton button, const ChartLayout& layout);
  bool Move(QPointF pos, const ChartLayout& layout);
  bool Release(QPointF pos, Qt::MouseButton button, const ChartLayout& layout);
  void DoubleClick(QPointF pos, Qt::MouseButton button, const ChartLayout& layout);
  // Forgets a gesture in progress (focus lost, panel changed under it).
  bool Cancel();

  // The zoom rectangle to show while dragging, if any.
  std::optional<QRectF> RubberBand() const;
  bool IsPanning() const { return mode_ == Mode::Panning; }

  // Below this many pixels a press and release count as a click.
  static constexpr double kDragThreshold = 4.0;

 private:
  enum class Mode { Idle, Pressed, Zooming, Panning };

  bool ZoomDirection(QPointF pos) const { return pos.x() > start_.x() && pos.y() > start_.y(); }
  void Zoom(const QRectF& area, const ChartLayout& layout);

  chart::ChartPanel& panel_;
  Mode mode_ = Mode::Idle;
  Qt::MouseButton button_ = Qt::NoButton;
  QPointF start_;
  QPointF last_;
  QRectF plot_;
};

}  // namespace calorix::chartview
