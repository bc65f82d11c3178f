#include "chartview/chart_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>
#include <algorithm>
#include <exception>

#include "chartview/chart_renderer.h"
#include "core/error.h"

namespace calorix::chartview {

ChartView::ChartView(chart::ChartPanel& panel, QWidget* parent) : QWidget(parent), panel_(panel), gestures_(panel) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  // Many changes in a row (a window rebuilding its curves) coalesce into
  // one repaint.
  panel_.SetChangeListener([this] {
    ++changes_;
    update();
    // The aligned view's plot may have to move with this one's labels.
    if (aligned_) aligned_->update();
  });
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
  auto fail = [&](const QString& reason) {
    throw Error(QStringLiteral("The bitmap \"%1\" could not be saved: %2").arg(fileName, reason).toStdString());
  };
  if (image.isNull()) fail(QStringLiteral("the chart has no size"));
  if (!file.open(QIODevice::WriteOnly)) fail(file.errorString());
  if (!image.save(&file, "BMP")) {
    file.cancelWriting();
    fail(QStringLiteral("the image could not be written"));
  }
  if (!file.commit()) fail(file.errorString());
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
  frame_ = QImage((QSizeF(size()) * ratio).toSize(), QImage::Format_RGB32);
  frame_.setDevicePixelRatio(ratio);
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
  QPainter painter(this);
  painter.drawImage(QPointF(0, 0), Frame());
  PaintRubberBand(painter);
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
