#pragma once

#include <QColor>
#include <QFont>

#include "core/color.h"

namespace calorix::chartview {

class SeriesCache;

// Room kept between the target's sides and the plot area, in painter units:
// charts stacked over one time axis take the larger of each other's, so
// that a time lies at the same x in all of them.
struct PlotInsets {
  double left = 0.0;
  double right = 0.0;
  friend bool operator==(const PlotInsets&, const PlotInsets&) = default;
};

struct RenderOptions {
  // Label, legend and title font; the title is drawn bold and larger. The
  // default is the desktop's default font.
  QFont font;
  bool antialias = true;
  // Reduce series to a few points per pixel column before drawing. Off
  // only to check that the reduction changes nothing.
  bool decimate = true;
  // Reduce long views through the series' block extremes instead of every
  // sample; the same points come out. Off only to check that.
  bool blockExtremes = true;
  // On images, fill lines column by column instead of stroking them with
  // QPainter (much faster for wide pens; see ColumnSpans).
  bool lineSpans = true;
  // Keeps reduced series between frames; optional, owned by the caller.
  SeriesCache* cache = nullptr;
  // The plot area keeps at least this far from the target's sides.
  PlotInsets minimumInsets;
};

// Our colours are 0x00BBGGRR; no colour falls back to the given one.
inline QColor ToQColor(Color color, QColor fallback = Qt::black) {
  if (color == kNoColor) return fallback;
  return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

// The chart's own colours: a quiet frame and grid so that the curves stand out.
namespace palette {
inline const QColor kBackground{255, 255, 255};
inline const QColor kFrame{150, 150, 150};
inline const QColor kGrid{228, 228, 228};
inline const QColor kDottedGrid{175, 175, 175};
inline const QColor kMinorGrid{242, 242, 242};
inline const QColor kText{50, 50, 50};
inline const QColor kTitle{20, 20, 20};
inline const QColor kBand{255, 236, 200};  // the findings' periods
}  // namespace palette

}  // namespace calorix::chartview
