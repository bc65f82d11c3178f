#include "chartview/stacked_charts.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>

#include "chartview/chart_layout.h"
#include "chartview/chart_renderer.h"
#include "chartview/svg_output.h"
#include "core/error.h"
#include "i18n/text_table.h"

namespace calorix::chartview {
namespace {

// The room a chart's own axes need beside its plot, in target units.
PlotInsets NaturalInsets(const StackedChart& chart, const QFont& font, const QPaintDevice* device, bool forPrint) {
  const double factor = forPrint ? 1.0 - chart.panel->PrintResolution() / 100.0 : 1.0;
  const QRectF laidOut(0.0, 0.0, chart.rect.width() * factor, chart.rect.height() * factor);
  const PlotInsets insets = InsetsOf(ComputeLayout(*chart.panel, laidOut, font, device));
  return {insets.left / factor, insets.right / factor};
}

void Draw(QPaintDevice& device, const std::vector<StackedChart>& charts, const QFont& font) {
  QPainter painter(&device);
  RenderOptions options;
  options.font = font;
  RenderStacked(painter, charts, options, false);
}

}  // namespace

void RenderStacked(QPainter& painter, const std::vector<StackedChart>& charts, const RenderOptions& options,
                   bool forPrint) {
  PlotInsets shared;
  for (const StackedChart& chart : charts) {
    const PlotInsets own = NaturalInsets(chart, options.font, painter.device(), forPrint);
    shared = {std::max(shared.left, own.left), std::max(shared.right, own.right)};
  }
  RenderOptions aligned = options;
  aligned.minimumInsets = shared;
  for (const StackedChart& chart : charts) {
    if (forPrint) {
      RenderPanelForPrint(painter, chart.rect, *chart.panel, aligned);
    } else {
      RenderPanel(painter, chart.rect, *chart.panel, aligned);
    }
  }
}

void FailSavingImage(const QString& fileName, const QString& reason) {
  const QString text = QString::fromStdString(i18n::Text(i18n::kTextImageNotSaved));
  throw Error(text.arg(fileName, reason).toStdString());
}

void FailSavingImage(const QString& fileName, ImageFailure failure) {
  const int reason = failure == ImageFailure::NoSize ? i18n::kTextChartHasNoSize : i18n::kTextImageNotEncoded;
  FailSavingImage(fileName, QString::fromStdString(i18n::Text(reason)));
}

void SaveStackedCharts(const QString& fileName, const std::vector<StackedChart>& charts, QSize size,
                       const QFont& font) {
  if (size.isEmpty() || charts.empty()) FailSavingImage(fileName, ImageFailure::NoSize);
  const QByteArray suffix = QFileInfo(fileName).suffix().toLower().toLatin1();
  if (suffix == "svg" && !CanWriteSvg()) {
    FailSavingImage(fileName, QString::fromStdString(i18n::Text(i18n::kTextNoSvgOutput)));
  }
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) FailSavingImage(fileName, file.errorString());
  if (suffix == "pdf") {
    QPdfWriter writer(&file);
    writer.setResolution(96);
    writer.setPageSize(QPageSize(QSizeF(size) * 72.0 / 96.0, QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    Draw(writer, charts, font);
  } else if (suffix == "svg") {
    WriteSvg(file, size, [&](QPaintDevice& device) { Draw(device, charts, font); });
  } else {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    Draw(image, charts, font);
    const bool known = suffix != "bmp" && QImageWriter::supportedImageFormats().contains(suffix);
    if (!image.save(&file, known ? suffix.constData() : "BMP")) {
      file.cancelWriting();
      FailSavingImage(fileName, ImageFailure::NotEncoded);
    }
  }
  if (!file.commit()) FailSavingImage(fileName, file.errorString());
}

}  // namespace calorix::chartview
