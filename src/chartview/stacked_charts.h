#pragma once

#include <QFont>
#include <QRectF>
#include <QSize>
#include <QString>
#include <vector>

#include "chart/chart_panel.h"
#include "chartview/render_options.h"

class QPainter;

namespace calorix::chartview {

// A chart to draw and where it goes.
struct StackedChart {
  const chart::ChartPanel* panel = nullptr;
  QRectF rect;
};

// Draws charts stacked over one time axis, their plot areas sharing their
// left and right edges whatever the labels of each need. For printing,
// each is drawn at its panel's print resolution.
void RenderStacked(QPainter& painter, const std::vector<StackedChart>& charts, const RenderOptions& options,
                   bool forPrint);

// Writes charts stacked into one picture of `size` pixels: a PDF or SVG
// file as vector drawing (SVG only where CanWriteSvg(), svg_output.h), other image types Qt writes (PNG, JPEG, …) by
// their extension, anything else as BMP. The file is written once, through
// a temporary file, so that a failure leaves no half-written file. Throws
// calorix::Error with the reason on failure.
void SaveStackedCharts(const QString& fileName, const std::vector<StackedChart>& charts, QSize size, const QFont& font);

// Why an image was not saved, for the user in the language in use.
enum class ImageFailure { NoSize, NotEncoded };
[[noreturn]] void FailSavingImage(const QString& fileName, ImageFailure failure);
// The same with a reason the system gave (a file error's text).
[[noreturn]] void FailSavingImage(const QString& fileName, const QString& reason);

}  // namespace calorix::chartview
