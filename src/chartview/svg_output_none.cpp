#include "chartview/svg_output.h"

#include <stdexcept>

namespace calorix::chartview {

bool CanWriteSvg() { return false; }

void WriteSvg(QIODevice&, QSize, const std::function<void(QPaintDevice&)>&) {
  throw std::logic_error("WriteSvg called in a build without SVG output");
}

}  // namespace calorix::chartview
