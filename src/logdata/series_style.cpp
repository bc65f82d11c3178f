#include "logdata/series_style.h"

namespace calorix::logdata {

void MakeBars(chart::ChartSeries& series, double base) {
  series.SetKind(chart::SeriesKind::Bar);
  series.SetBarBase(base);
  series.SetBarFromBase(true);
  series.SetOutlineVisible(false);
  series.SetBarLayout(chart::BarLayout::None);
  series.SetBarWidthPercent(75);
}

void MakeLines(chart::ChartSeries& series, bool stairs) {
  series.SetKind(chart::SeriesKind::Line);
  series.SetStairs(stairs);
}

void ApplyColor(chart::ChartSeries& series, Color& remembered, Color color) {
  if (color == remembered) return;
  series.RecolorPoints(color);
  series.SetSeriesColor(color);
  remembered = color;
}

}  // namespace calorix::logdata
