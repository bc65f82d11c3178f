#pragma once

#include <QSize>
#include <functional>

class QIODevice;
class QPaintDevice;

// SVG output of the charts. Qt SVG is optional (the Windows build has
// none): svg_output_qt.cpp writes SVG with it, svg_output_none.cpp stands in
// without it; the build chooses one.

namespace calorix::chartview {

// True when this build can write SVG files.
bool CanWriteSvg();

// Draws an SVG picture of `size` pixels at 96 dpi into `device`. Only
// called when CanWriteSvg().
void WriteSvg(QIODevice& device, QSize size, const std::function<void(QPaintDevice&)>& draw);

}  // namespace calorix::chartview
