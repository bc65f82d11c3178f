#include "chartview/chart_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <exception>

#include "chartview/chart_renderer.h"
#include "chartview/stacked_charts.h"
#include "core/error.h"

namespace calorix::chartview {
namespace {

constexpr qreal kFocusFrameWidth = 2.0;

}  // namespace

ChartView::ChartView(chart::ChartPanel& panel, QWidget* parent) : QWidget(parent), panel_(panel), gestures_(panel) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  // The cursor follows the mouse without a button held; the arrow keys
  // step it once the chart has been clicked or tabbed to.
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  // Many changes in a row (a window rebuilding its curves) coalesce into
  // one repaint.
  panel_.SetChangeListener([this] {
    ++changes_;
    RequestRepaint();
    // The aligned view's plot may have to move with this one's labels.
    if (aligned_) aligned_->RequestRepaint();
  });
}

void ChartView::RequestRepaint() {
  // A window rebuilding a year of curves changes thousands of series in a
  // row; asking Qt each time costs more than the frame. A hidden view asks
  // again, as it is painted whole when shown anyway.
  if (repaintPending_) return;
  update();
  repaintPending_ = isVisible() && updatesEnabled();
}

ChartView::~ChartView() { panel_.SetChangeListener({}); }

void ChartView::PrintInto(QPainter& painter, const QRectF& target) const {
  RenderOptions options;
  options.font = font();
  RenderPanelForPrint(painter, target, panel_, options);
}

QImage ChartView::ToImage() const {
  QImage image(size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  RenderOptions options;
  options.font = font();
  options.minimumInsets = AlignedInsets();
  RenderPanel(painter, QRectF(image.rect()), panel_, options);
  return image;
}

void ChartView::SaveBitmap(const QString& fileName) const {
  const QImage image = ToImage();
  QSaveFile file(fileName);
  if (image.isNull()) FailSavingImage(fileName, ImageFailure::NoSize);
  if (!file.open(QIODevice::WriteOnly)) FailSavingImage(fileName, file.errorString());
  if (!image.save(&file, "BMP")) {
    file.cancelWriting();
    FailSavingImage(fileName, ImageFailure::NotEncoded);
  }
  if (!file.commit()) FailSavingImage(fileName, file.errorString());
}

void ChartView::AlignPlotWith(ChartView* other) {
  aligned_ = other;
  if (other) other->aligned_ = this;
}

PlotInsets ChartView::NaturalInsets() const { return InsetsOf(ComputeLayout(panel_, QRectF(rect()), font(), this)); }

PlotInsets ChartView::AlignedInsets() const {
  if (!aligned_) return {};
  const PlotInsets own = NaturalInsets();
  const PlotInsets other = aligned_->NaturalInsets();
  return {std::max(own.left, other.left), std::max(own.right, other.right)};
}

ChartLayout ChartView::CurrentLayout() const {
  return ComputeLayout(panel_, QRectF(rect()), font(), this, AlignedInsets());
}

ChartView::FrameStamp ChartView::CurrentStamp() const {
  FrameStamp stamp{size(), devicePixelRatioF(), changes_, AlignedInsets(), {}};
  // Points are added without telling the panel, so revisions are checked too.
  for (const chart::ChartSeries* series : panel_.Series()) stamp.revisions.emplace_back(series, series->Revision());
  return stamp;
}

const QImage& ChartView::Frame() {
  FrameStamp stamp = CurrentStamp();
  if (!frame_.isNull() && stamp == frameStamp_) return frame_;
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = (QSizeF(size()) * ratio).toSize();
  // The panel is drawn over the whole image, background first, so the
  // last frame's image serves again: a fresh one maps megabytes of new
  // memory each frame.
  if (frame_.size() != pixels || frame_.devicePixelRatio() != ratio) {
    frame_ = QImage(pixels, QImage::Format_RGB32);
    frame_.setDevicePixelRatio(ratio);
  }
  QPainter painter(&frame_);
  RenderOptions options;
  options.font = font();
  options.cache = &cache_;
  options.minimumInsets = stamp.insets;
  RenderPanel(painter, QRectF(rect()), panel_, options);
  frameStamp_ = std::move(stamp);
  return frame_;
}

void ChartView::paintEvent(QPaintEvent*) {
  repaintPending_ = false;
  QPainter painter(this);
  painter.drawImage(QPointF(0, 0), Frame());
  PaintRubberBand(painter);
  if (!hint_.isEmpty() && panel_.Series().empty()) PaintHint(painter, CurrentLayout());
  if (cursorAt_) PaintCursor(painter, CurrentLayout());
  if (hasFocus()) PaintFocusFrame(painter);
}

// A chart that has the keyboard (the arrow keys step its cursor) says so
// with a frame in the highlight colour along its edges.
void ChartView::PaintFocusFrame(QPainter& painter) const {
  painter.setPen(QPen(palette().color(QPalette::Highlight), kFocusFrameWidth));
  painter.setBrush(Qt::NoBrush);
  const qreal inset = kFocusFrameWidth / 2.0;
  painter.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
}

void ChartView::SetHint(const QString& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  update();
}

void ChartView::PaintHint(QPainter& painter, const ChartLayout& layout) const {
  painter.setFont(font());
  painter.setPen(palette::kText);
  painter.drawText(layout.plot.adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, hint_);
}

void ChartView::SetCursorLine(std::optional<double> at) {
  if (at == cursorAt_) return;
  cursorAt_ = at;
  update();
}

void ChartView::SetReadout(QStringList lines, QList<QColor> marks) {
  if (lines == readout_ && marks == readoutMarks_) return;
  readout_ = std::move(lines);
  readoutMarks_ = std::move(marks);
  update();
}

std::optional<double> ChartView::ValueAtPosition(QPointF pos) const {
  const ChartLayout layout = CurrentLayout();
  if (!layout.plot.contains(pos) || !layout.bottom.scale.IsUsable()) return std::nullopt;
  return layout.bottom.scale.ValueAt(pos.x());
}

double ChartView::PositionOfValue(double value) const { return CurrentLayout().bottom.scale.PosAtValue(value); }

// The line spans the plot; the box sits right of it, or left when it would
// leave the plot, at the plot's top.
void ChartView::PaintCursor(QPainter& painter, const ChartLayout& layout) const {
  if (!layout.bottom.scale.IsUsable()) return;
  const double x = std::round(layout.bottom.scale.PosAtValue(*cursorAt_)) + 0.5;
  if (x < layout.plot.left() || x > layout.plot.right()) return;
  const QColor ink = palette().color(QPalette::WindowText);
  painter.setPen(QPen(ink, 1.0));
  painter.drawLine(QPointF(x, layout.plot.top()), QPointF(x, layout.plot.bottom()));
  if (readout_.isEmpty()) return;
  const QFontMetricsF metrics(font());
  double width = 0.0;
  for (const QString& line : readout_) width = std::max(width, metrics.horizontalAdvance(line));
  const double pad = 4.0;
  const double mark = std::round(metrics.ascent() * 0.8);
  const double indent = readoutMarks_.isEmpty() ? 0.0 : mark + pad;
  const QSizeF box(width + indent + 2 * pad, metrics.lineSpacing() * readout_.size() + 2 * pad);
  double left = x + 8.0;
  if (left + box.width() > layout.plot.right()) left = x - 8.0 - box.width();
  left = std::max(left, layout.plot.left());
  const QRectF rect(QPointF(left, layout.plot.top() + pad), box);
  QColor paper = palette().color(QPalette::Base);
  paper.setAlpha(230);
  painter.setBrush(paper);
  painter.drawRect(rect);
  painter.setFont(font());
  for (qsizetype i = 0; i < readout_.size(); ++i) {
    const bool marked = i < readoutMarks_.size() && readoutMarks_[i].isValid();
    const QPointF baseline(rect.left() + pad + (marked ? indent : 0.0),
                           rect.top() + pad + metrics.ascent() + metrics.lineSpacing() * i);
    if (marked) {
      painter.fillRect(QRectF(rect.left() + pad, baseline.y() - mark, mark, mark), readoutMarks_[i]);
    }
    painter.drawText(baseline, readout_[i]);
  }
}

void ChartView::ReportCursorAt(QPointF pos) {
  if (const auto value = ValueAtPosition(pos)) {
    emit CursorMoved(*value);
  } else {
    emit CursorLeft();
  }
}

void ChartView::leaveEvent(QEvent* event) {
  emit CursorLeft();
  QWidget::leaveEvent(event);
}

void ChartView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
    emit CursorStepped(event->key() == Qt::Key_Left ? -1 : +1);
    return;
  }
  QWidget::keyPressEvent(event);
}

// Notches add up from the small steps of touchpads and smooth wheels. The
// time under the mouse is reported again afterwards: it has moved.
void ChartView::wheelEvent(QWheelEvent* event) {
  const QPoint angle = event->angleDelta();
  // Towards the user (negative y) or to the right (negative x) moves on in
  // time. Shift turns the wheel into a horizontal one: the same way round.
  wheelRest_ -= angle.x() != 0 && angle.y() == 0 ? angle.x() : angle.y();
  const int notches = wheelRest_ / 120;
  wheelRest_ -= notches * 120;
  event->accept();
  if (notches == 0) return;
  const QPointF pos = event->position();
  if (event->modifiers() & Qt::ControlModifier) {
    if (const auto value = ValueAtPosition(pos)) emit WheelZoomed(*value, notches);
  } else {
    emit WheelScrolled(notches);
  }
  ReportCursorAt(pos);
}

void ChartView::PaintRubberBand(QPainter& painter) const {
  const auto band = gestures_.RubberBand();
  if (!band) return;
  const QColor accent(0, 120, 215);
  painter.setPen(QPen(accent, 1.0));
  painter.setBrush(QColor(accent.red(), accent.green(), accent.blue(), 40));
  painter.drawRect(band->adjusted(0.5, 0.5, -0.5, -0.5));
}

template <typename F>
void ChartView::Guarded(F&& action) {
  try {
    action();
  } catch (const std::exception& e) {
    gestures_.Cancel();
    if (errorHandler_) {
      errorHandler_(e.what());
    } else {
      qWarning("Chart: %s", e.what());
    }
  }
}

void ChartView::mousePressEvent(QMouseEvent* event) {
  Guarded([&] {
    gestures_.Press(event->position(), event->button(), CurrentLayout());
    if (gestures_.IsPanning()) setCursor(Qt::ClosedHandCursor);
  });
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
  Guarded([&] {
    if (gestures_.Move(event->position(), CurrentLayout())) update();
  });
  ReportCursorAt(event->position());
}

void ChartView::mouseReleaseEvent(QMouseEvent* event) {
  Guarded([&] {
    if (gestures_.Release(event->position(), event->button(), CurrentLayout())) update();
  });
  if (!gestures_.IsPanning()) unsetCursor();
}

void ChartView::mouseDoubleClickEvent(QMouseEvent* event) {
  Guarded([&] { gestures_.DoubleClick(event->position(), event->button(), CurrentLayout()); });
}

}  // namespace calorix::chartview
