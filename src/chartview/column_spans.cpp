#include "chartview/column_spans.h"

#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace calorix::chartview {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Mixes an opaque colour into a pixel with weight alpha/256; all four
// channels alike, which is right for opaque and premultiplied pixels.
inline QRgb Mix(QRgb dst, QRgb src, std::uint32_t alpha) {
  const std::uint32_t inv = 256 - alpha;
  const std::uint32_t rb = (((src & 0x00ff00ffu) * alpha + (dst & 0x00ff00ffu) * inv) >> 8) & 0x00ff00ffu;
  const std::uint32_t ag = ((((src >> 8) & 0x00ff00ffu) * alpha + ((dst >> 8) & 0x00ff00ffu) * inv)) & 0xff00ff00u;
  return rb | ag;
}

void FillColumn(uchar* bits, qsizetype stride, int x, double top, double bottom, QRgb colour, bool antialias) {
  auto pixel = [&](int y) { return reinterpret_cast<QRgb*>(bits + y * stride) + x; };
  auto run = [&](int from, int to) {
    for (int y = from; y < to; ++y) *pixel(y) = colour;
  };
  if (!antialias) {
    // Pixels whose centre lies inside [top, bottom).
    run(static_cast<int>(std::ceil(top - 0.5)), static_cast<int>(std::ceil(bottom - 0.5)));
    return;
  }
  const int firstFull = static_cast<int>(std::ceil(top));
  const int endFull = static_cast<int>(std::floor(bottom));
  const int topRow = static_cast<int>(std::floor(top));
  if (firstFull > endFull) {  // within one pixel
    *pixel(topRow) = Mix(*pixel(topRow), colour, static_cast<std::uint32_t>((bottom - top) * 256.0 + 0.5));
    return;
  }
  if (topRow < firstFull)
    *pixel(topRow) = Mix(*pixel(topRow), colour, static_cast<std::uint32_t>((firstFull - top) * 256.0 + 0.5));
  run(firstFull, endFull);
  if (bottom > endFull)
    *pixel(endFull) = Mix(*pixel(endFull), colour, static_cast<std::uint32_t>((bottom - endFull) * 256.0 + 0.5));
}

}  // namespace

ColumnSpans::ColumnSpans(int firstColumn, int columnCount)
    : first_(firstColumn),
      top_(static_cast<std::size_t>(std::max(0, columnCount)), kInf),
      bottom_(static_cast<std::size_t>(std::max(0, columnCount)), -kInf) {}

void ColumnSpans::Clear() {
  std::fill(top_.begin(), top_.end(), kInf);
  std::fill(bottom_.begin(), bottom_.end(), -kInf);
  empty_ = true;
}

void ColumnSpans::Extend(int column, double y) {
  const int i = column - first_;
  if (i < 0 || i >= static_cast<int>(top_.size())) return;
  const auto k = static_cast<std::size_t>(i);
  top_[k] = std::min(top_[k], y);
  bottom_[k] = std::max(bottom_[k], y);
  empty_ = false;
}

void ColumnSpans::AddPoint(double x, double y) { Extend(static_cast<int>(std::floor(x)), y); }

void ColumnSpans::AddSegment(double x0, double y0, double x1, double y1) {
  if (x1 < x0) {
    std::swap(x0, x1);
    std::swap(y0, y1);
  }
  const double lastColumn = static_cast<double>(first_) + static_cast<double>(top_.size());
  const double from = std::max(std::floor(x0), static_cast<double>(first_) - 1.0);
  const double to = std::min(std::floor(x1), lastColumn);
  const double slope = x1 > x0 ? (y1 - y0) / (x1 - x0) : 0.0;
  // The ends take the exact end values, so that a reduced polyline, which
  // keeps every column's extreme points, gives the very same spans.
  auto at = [&](double x) { return x <= x0 ? y0 : (x >= x1 ? y1 : y0 + (x - x0) * slope); };
  for (double c = from; c <= to; c += 1.0) {
    const int column = static_cast<int>(c);
    Extend(column, at(std::max(x0, c)));
    Extend(column, at(std::min(x1, c + 1.0)));
  }
}

bool ColumnSpans::CanFill(const QImage& image) {
  const QImage::Format f = image.format();
  return image.isDetached() &&
         (f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied);
}

void ColumnSpans::Fill(QImage& image, const QRect& clip, QRgb colour, double penWidth, bool antialias) const {
  if (empty_) return;
  colour |= 0xff000000u;
  const QRect area = clip & image.rect();
  const int window = std::max(1, static_cast<int>(std::lround(penWidth)));
  // The brush reaches window columns: this many to the left, the rest right.
  const int reachLeft = window / 2;
  const int reachRight = window - 1 - reachLeft;
  const double pad = std::max(penWidth, 1.0) / 2.0;
  const int count = static_cast<int>(top_.size());
  uchar* bits = image.bits();
  const qsizetype stride = image.bytesPerLine();
  for (int i = 0; i < count; ++i) {
    const int x = first_ + i;
    if (x < area.left() || x > area.right()) continue;
    double top = kInf;
    double bottom = -kInf;
    for (int k = std::max(0, i - reachRight); k <= std::min(count - 1, i + reachLeft); ++k) {
      top = std::min(top, top_[static_cast<std::size_t>(k)]);
      bottom = std::max(bottom, bottom_[static_cast<std::size_t>(k)]);
    }
    if (top > bottom) continue;
    top = std::max(top - pad, static_cast<double>(area.top()));
    bottom = std::min(bottom + pad, static_cast<double>(area.bottom() + 1));
    if (top < bottom) FillColumn(bits, stride, x, top, bottom, colour, antialias);
  }
}

}  // namespace calorix::chartview
