#include "chart_test_support.h"

#include <QPainter>
#include <cmath>
#include <cstdlib>

#include "chartview/chart_renderer.h"
#include "core/date_time.h"

namespace calorix::chartview::test {

double Day() { return *TryEncodeDate(2010, 5, 5); }

TestPanel::TestPanel(double from, double to) {
  for (chart::ChartAxis* axis : {&panel.BottomAxis(), &panel.LeftAxis(), &panel.RightAxis()}) {
    axis->SetAutomatic(false);
    axis->SetGridVisible(false);
  }
  panel.BottomAxis().SetLabelKind(chart::AxisLabelKind::DateTime);
  panel.BottomAxis().SetDateTimeFormat("hh:mm");
  panel.BottomAxis().SetMinMax(from, to);
  panel.LeftAxis().SetMinMax(0.0, 100.0);
  panel.RightAxis().SetMinMax(0.0, 1000.0);
}

chart::ChartSeries& TestPanel::AddLine(Color color, int penWidth) {
  series.push_back(std::make_unique<chart::ChartSeries>(chart::SeriesKind::Line, &panel));
  chart::ChartSeries& s = *series.back();
  s.SetSeriesColor(color);
  s.SetPenWidth(penWidth);
  s.PlaceOnPanel();
  return s;
}

chart::ChartSeries& TestPanel::AddBars(Color color, double base) {
  chart::ChartSeries& s = AddLine(color);
  s.SetKind(chart::SeriesKind::Bar);
  s.SetBarBase(base);
  s.SetBarFromBase(true);
  s.SetBarWidthPercent(75);
  s.SetBarLayout(chart::BarLayout::None);
  s.SetOutlineVisible(false);
  return s;
}

Rendered Render(const chart::ChartPanel& panel, QSize size, RenderOptions options) {
  Rendered result{QImage(size, QImage::Format_RGB32), {}};
  result.image.fill(Qt::white);
  QPainter painter(&result.image);
  result.layout = RenderPanel(painter, QRectF(result.image.rect()), panel, options);
  return result;
}

bool IsColour(const QImage& image, double x, double y, QColor colour) {
  const QColor c = image.pixelColor(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
  return std::abs(c.red() - colour.red()) < 40 && std::abs(c.green() - colour.green()) < 40 &&
         std::abs(c.blue() - colour.blue()) < 40;
}

bool IsWhite(const QImage& image, double x, double y) { return IsColour(image, x, y, Qt::white); }

}  // namespace calorix::chartview::test
