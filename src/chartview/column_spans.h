#pragma once

#include <QRect>
#include <QRgb>
#include <vector>

class QImage;

namespace calorix::chartview {

// Draws a wide polyline into a 32-bit image column by column: for each pixel
// column the vertical extent the line covers there, widened by the pen,
// filled with vertical antialiasing. Qt's raster engine strokes a 2-pixel
// antialiased pen some ten times slower than a 1-pixel one, and a dense
// chart is mostly such a pen; filling spans costs about as much as the
// pixels it writes. The pen acts as a square brush: horizontal and
// vertical runs keep the pen width, diagonals come out up to 1.4 times it.
class ColumnSpans {
 public:
  // Columns firstColumn .. firstColumn + columnCount - 1 in device pixels.
  ColumnSpans(int firstColumn, int columnCount);

  // Device coordinates; x may run in either direction.
  void AddSegment(double x0, double y0, double x1, double y1);
  void AddPoint(double x, double y);
  bool Empty() const { return empty_; }
  void Clear();

  // Fills the covered spans, widened by penWidth, with an opaque colour.
  // Only pixels inside clip are written. Without antialiasing a pixel is
  // set when its centre lies inside the span.
  void Fill(QImage& image, const QRect& clip, QRgb colour, double penWidth, bool antialias) const;

  // Whether Fill can write into this image (32-bit RGB or ARGB formats,
  // not shared with another QImage).
  static bool CanFill(const QImage& image);

 private:
  void Extend(int column, double y);

  int first_;
  std::vector<double> top_;
  std::vector<double> bottom_;
  bool empty_ = true;
};

}  // namespace calorix::chartview
