#include "chartview/chart_gestures.h"

#include <algorithm>
#include <cmath>

namespace calorix::chartview {
namespace {

QPointF ClampTo(const QRectF& r, QPointF p) {
  return {std::clamp(p.x(), r.left(), r.right()), std::clamp(p.y(), r.top(), r.bottom())};
}

}  // namespace

bool ChartGestures::Press(QPointF pos, Qt::MouseButton button, const ChartLayout& layout) {
  Cancel();
  if (!layout.plot.contains(pos)) return false;
  const bool canPan = panel_.PanningMode() == chart::Panning::Horizontal && layout.bottom.scale.IsUsable();
  if (button == Qt::LeftButton && panel_.ZoomAllowed()) {
    mode_ = Mode::Pressed;
  } else if ((button == Qt::LeftButton || button == Qt::RightButton) && canPan) {
    mode_ = Mode::Panning;
  } else {
    return false;
  }
  button_ = button;
  start_ = last_ = pos;
  plot_ = layout.plot;
  return false;
}

bool ChartGestures::Move(QPointF pos, const ChartLayout& layout) {
  switch (mode_) {
    case Mode::Idle: return false;
    case Mode::Pressed:
      if (std::fabs(pos.x() - start_.x()) + std::fabs(pos.y() - start_.y()) < kDragThreshold) return false;
      mode_ = Mode::Zooming;
      [[fallthrough]];
    case Mode::Zooming: last_ = pos; return true;
    case Mode::Panning: {
      // The value under the mouse stays under it: the window moves against
      // the drag.
      const double shift = layout.bottom.scale.ValueAt(last_.x()) - layout.bottom.scale.ValueAt(pos.x());
      last_ = pos;
      panel_.UserScroll(shift);
      return false;
    }
  }
  return false;
}

bool ChartGestures::Release(QPointF pos, Qt::MouseButton button, const ChartLayout& layout) {
  if (button != button_ || mode_ == Mode::Idle) return false;
  if (mode_ == Mode::Panning) {
    Move(pos, layout);
    return Cancel();
  }
  const bool dragged =
      mode_ == Mode::Zooming || std::fabs(pos.x() - start_.x()) + std::fabs(pos.y() - start_.y()) >= kDragThreshold;
  const QPointF start = start_;
  Cancel();
  if (!dragged) return true;
  start_ = start;
  if (ZoomDirection(pos)) {
    Zoom(QRectF(start, ClampTo(layout.plot, pos)), layout);
  } else {
    panel_.UserUndoZoom();
  }
  return true;
}

void ChartGestures::DoubleClick(QPointF pos, Qt::MouseButton button, const ChartLayout& layout) {
  Cancel();
  if (button == Qt::LeftButton && layout.plot.contains(pos) && panel_.ZoomAllowed()) panel_.UserUndoZoom();
}

bool ChartGestures::Cancel() {
  const bool hadBand = RubberBand().has_value();
  mode_ = Mode::Idle;
  button_ = Qt::NoButton;
  return hadBand;
}

std::optional<QRectF> ChartGestures::RubberBand() const {
  if (mode_ != Mode::Zooming || !ZoomDirection(last_)) return std::nullopt;
  return QRectF(start_, ClampTo(plot_, last_));
}

void ChartGestures::Zoom(const QRectF& area, const ChartLayout& layout) {
  chart::ZoomRanges ranges;
  ranges.bottom = {layout.bottom.scale.ValueAt(area.left()), layout.bottom.scale.ValueAt(area.right())};
  ranges.left = {layout.left.scale.ValueAt(area.bottom()), layout.left.scale.ValueAt(area.top())};
  ranges.right = {layout.right.scale.ValueAt(area.bottom()), layout.right.scale.ValueAt(area.top())};
  panel_.UserZoom(ranges);
}

}  // namespace calorix::chartview
