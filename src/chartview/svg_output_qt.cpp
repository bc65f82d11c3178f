#include "chartview/svg_output.h"

#include <QRect>
#include <QSvgGenerator>

namespace calorix::chartview {

bool CanWriteSvg() { return true; }

void WriteSvg(QIODevice& device, QSize size, const std::function<void(QPaintDevice&)>& draw) {
  QSvgGenerator generator;
  generator.setOutputDevice(&device);
  generator.setResolution(96);
  generator.setSize(size);
  generator.setViewBox(QRect(QPoint(0, 0), size));
  draw(generator);
}

}  // namespace calorix::chartview
