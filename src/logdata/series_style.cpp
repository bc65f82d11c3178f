#include "logdata/series_style.h"

#include "i18n/text_table.h"

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

std::string ChannelLabel(const TChildSettings& settings, Channel channel) {
  const std::string& label = settings.Labels[static_cast<std::size_t>(SlotOf(channel))];
  return label == kDefaultLabel ? i18n::Text(InfoOf(channel).defaultNameText) : label;
}

}  // namespace calorix::logdata
