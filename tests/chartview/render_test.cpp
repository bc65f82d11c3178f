#include "chartview/chart_renderer.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <QPainter>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "chart_test_support.h"
#include "core/date_time.h"
#include "evaluation/panel_setup.h"

namespace calorix::chartview {
namespace {

using test::IsColour;
using test::IsWhite;
using test::kMinute;
using test::Render;
using test::TestPanel;

const QColor kRed(255, 0, 0);
constexpr Color kRedValue = 0x0000FF;  // 0x00BBGGRR
const QColor kBlue(0, 0, 255);
constexpr Color kBlueValue = 0xFF0000;

TEST(Render, ColoursAreStoredBlueGreenRed) {
  EXPECT_EQ(ToQColor(0x0000FF), QColor(255, 0, 0));
  EXPECT_EQ(ToQColor(0x8000FF), QColor(255, 0, 128));
  EXPECT_EQ(ToQColor(kNoColor, Qt::green), QColor(Qt::green));
}

TEST(Render, NullPointLeavesAGapBetweenItsNeighbours) {
  const double day = test::Day();
  TestPanel t(day, day + 10 * kMinute);
  chart::ChartSeries& s = t.AddLine(kRedValue);
  s.AddPoint(day, 50.0, kRedValue);
  s.AddPoint(day + kMinute, 50.0, kRedValue);
  s.AddNullPoint(day + 3 * kMinute);
  s.AddPoint(day + 6 * kMinute, 50.0, kRedValue);
  s.AddPoint(day + 7 * kMinute, 50.0, kRedValue);
  const test::Rendered r = Render(t.panel, QSize(600, 300));
  const double y = r.layout.left.scale.PosAtValue(50.0);
  auto x = [&](double minutes) { return r.layout.bottom.scale.PosAtValue(day + minutes * kMinute); };
  EXPECT_TRUE(IsColour(r.image, x(0.5), y, kRed));
  EXPECT_TRUE(IsWhite(r.image, x(2.0), y));
  EXPECT_TRUE(IsWhite(r.image, x(3.5), y));
  EXPECT_TRUE(IsWhite(r.image, x(5.5), y));
  EXPECT_TRUE(IsColour(r.image, x(6.5), y, kRed));
}

TEST(Render, DenseLineWithNullPointKeepsItsGap) {
  // The same on a minute series too dense to stroke point by point.
  const double day = test::Day();
  TestPanel t(day, day + 1.0);
  chart::ChartSeries& s = t.AddLine(kRedValue);
  for (int m = 0; m < 1440; ++m) {
    if (m == 600) s.AddNullPoint(day + m * kMinute);
    if (m >= 600 && m < 660) continue;
    s.AddPoint(day + m * kMinute, 50.0, kRedValue);
  }
  const test::Rendered r = Render(t.panel, QSize(800, 300));
  const double y = r.layout.left.scale.PosAtValue(50.0);
  auto x = [&](double minutes) { return r.layout.bottom.scale.PosAtValue(day + minutes * kMinute); };
  EXPECT_TRUE(IsColour(r.image, x(300), y, kRed));
  EXPECT_TRUE(IsWhite(r.image, x(630), y));
  EXPECT_TRUE(IsColour(r.image, x(700), y, kRed));
}

TEST(Render, BarsPlacedAfterALineAreDrawnBehindIt) {
  const double day = test::Day();
  TestPanel t(day, day + 10 * kMinute);
  chart::ChartSeries& line = t.AddLine(kRedValue);
  for (int m = 0; m <= 10; ++m) line.AddPoint(day + m * kMinute, 50.0, kRedValue);
  chart::ChartSeries& bars = t.AddBars(kBlueValue, 0.0);
  for (int m = 0; m <= 10; ++m) bars.AddPoint(day + m * kMinute, 80.0, kBlueValue);
  const test::Rendered r = Render(t.panel, QSize(600, 300));
  const double x = r.layout.bottom.scale.PosAtValue(day + 5 * kMinute);
  EXPECT_TRUE(IsColour(r.image, x, r.layout.left.scale.PosAtValue(50.0), kRed));
  EXPECT_TRUE(IsColour(r.image, x, r.layout.left.scale.PosAtValue(70.0), kBlue));
}

// A line of the background (a compared day) stays behind the other lines
// wherever it was placed; an ordinary line placed last is drawn on top.
TEST(Render, ABackgroundLineIsDrawnBehindTheOtherLines) {
  const double day = test::Day();
  for (const bool background : {true, false}) {
    TestPanel t(day, day + 10 * kMinute);
    chart::ChartSeries& line = t.AddLine(kRedValue, 3);
    chart::ChartSeries& compared = t.AddLine(kBlueValue, 3);
    compared.SetBackground(background);
    for (int m = 0; m <= 10; ++m) {
      line.AddPoint(day + m * kMinute, 50.0, kRedValue);
      compared.AddPoint(day + m * kMinute, 50.0, kBlueValue);
    }
    const test::Rendered r = Render(t.panel, QSize(600, 300));
    const double x = r.layout.bottom.scale.PosAtValue(day + 5 * kMinute);
    EXPECT_TRUE(IsColour(r.image, x, r.layout.left.scale.PosAtValue(50.0), background ? kRed : kBlue)) << background;
  }
}

// A point alone between gaps, or a series of one point, shows as a dot,
// whether the line is stroked (printers) or filled by columns (images).
TEST(Render, APointAloneBetweenGapsShowsAsADot) {
  const double day = test::Day();
  for (const bool spans : {true, false}) {
    RenderOptions options;
    options.lineSpans = spans;
    TestPanel t(day, day + 1.0);
    chart::ChartSeries& between = t.AddLine(kRedValue, 3);
    between.AddPoint(day + 0.1, 20.0, kRedValue);
    between.AddNullPoint(day + 0.3);
    between.AddPoint(day + 0.3, 50.0, kRedValue);
    between.AddNullPoint(day + 0.6);
    between.AddPoint(day + 0.6, 20.0, kRedValue);
    between.AddPoint(day + 0.7, 20.0, kRedValue);
    t.AddLine(kRedValue, 3).AddPoint(day + 0.8, 50.0, kRedValue);
    const test::Rendered r = Render(t.panel, QSize(800, 300), options);
    const double y = r.layout.left.scale.PosAtValue(50.0);
    for (const double at : {0.3, 0.8}) {
      EXPECT_TRUE(IsColour(r.image, r.layout.bottom.scale.PosAtValue(day + at), y, kRed)) << spans << " " << at;
    }
  }
}

TEST(Render, BarFillsExactlyTheBandFromItsBase) {
  const double day = test::Day();
  TestPanel t(day, day + 10 * kMinute);
  t.panel.LeftAxis().SetMinMax(-2.0, 57.0);
  chart::ChartSeries& s = t.AddBars(kBlueValue, 44.5);
  for (int m = 0; m <= 10; ++m) s.AddPoint(day + m * kMinute, 45.0, kBlueValue);
  const test::Rendered r = Render(t.panel, QSize(700, 700));
  const AxisScale& y = r.layout.left.scale;
  const double bandTop = y.PosAtValue(45.0);
  const double bandBottom = y.PosAtValue(44.5);
  ASSERT_GT(bandBottom - bandTop, 4.0);
  const double centre = r.layout.bottom.scale.PosAtValue(day + 5 * kMinute);
  const double slot = r.layout.bottom.scale.PosAtValue(day + 6 * kMinute) - centre;
  for (double row = std::ceil(bandTop) + 0.5; row < std::floor(bandBottom); row += 1.0) {
    EXPECT_TRUE(IsColour(r.image, centre, row, kBlue)) << row;
    EXPECT_TRUE(IsColour(r.image, centre + 0.3 * slot, row, kBlue)) << row;
    EXPECT_TRUE(IsWhite(r.image, centre + 0.45 * slot, row)) << "gap between bars";
  }
  EXPECT_TRUE(IsWhite(r.image, centre, bandTop - 1.5));
  EXPECT_TRUE(IsWhite(r.image, centre, bandBottom + 1.5));
}

TEST(Render, SeriesOnTheRightAxisFollowsTheRightRange) {
  const double day = test::Day();
  TestPanel t(day, day + 10 * kMinute);
  chart::ChartSeries& s = t.AddLine(kRedValue);
  s.SetAxis(chart::VerticalAxis::Right);
  for (int m = 0; m <= 10; ++m) s.AddPoint(day + m * kMinute, 500.0, kRedValue);
  const test::Rendered r = Render(t.panel, QSize(600, 400));
  ASSERT_TRUE(r.layout.right.active);
  const double y = r.layout.right.scale.PosAtValue(500.0);
  EXPECT_NEAR(y, r.layout.plot.center().y(), 1.0);
  const double x = r.layout.plot.center().x();
  EXPECT_TRUE(IsColour(r.image, x, y, kRed));
  EXPECT_TRUE(IsWhite(r.image, x, y - 6.0));
  // On the left range (0..100) the value would lie far above the plot.
  EXPECT_FALSE(r.layout.right.ticks.labels.empty());
  EXPECT_EQ(r.layout.right.ticks.labels.back(), "1000");
}

TEST(Render, ReducedAndFullDrawingGiveTheSamePixelsWithoutAntialiasing) {
  const double day = test::Day();
  TestPanel t(day, day + 1.0);
  for (const int pen : {1, 2, 3}) {
    chart::ChartSeries& s = t.AddLine(pen == 2 ? kBlueValue : kRedValue, pen);
    for (int i = 0; i < 20000; ++i) {
      const double y = 50.0 + 30.0 * std::sin(i / 900.0 + pen) + 8.0 * std::sin(i * 1.37 * pen);
      if (i % 5000 == 4000) s.AddNullPoint(day + i / 20000.0);
      s.AddPoint(day + i / 20000.0, y, pen == 2 ? kBlueValue : kRedValue);
    }
  }
  RenderOptions full;
  full.antialias = false;
  full.decimate = false;
  RenderOptions reduced = full;
  reduced.decimate = true;
  const QImage a = Render(t.panel, QSize(640, 360), full).image;
  const QImage b = Render(t.panel, QSize(640, 360), reduced).image;
  EXPECT_TRUE(a == b);
}

// A year of minutes on a 1920-pixel plot, with the settings the program
// draws with: the block extremes change no pixel.
TEST(Render, BlockExtremesChangeNoPixel) {
  const double day = test::Day();
  TestPanel t(day, day + 365.0);
  for (const int pen : {1, 2}) {
    chart::ChartSeries& s = t.AddLine(pen == 2 ? kBlueValue : kRedValue, pen);
    for (int i = 0; i < 365 * 1440; ++i) {
      const double y =
          50.0 + 30.0 * std::sin(i / 9000.0 + pen) + 8.0 * std::sin(i * 1.37 * pen) + (i % 977 == 0 ? 15 : 0);
      if (i % 50000 == 4000) s.AddNullPoint(day + i / 1440.0);
      s.AddPoint(day + i / 1440.0, y, pen == 2 ? kBlueValue : kRedValue);
    }
  }
  RenderOptions withBlocks;
  RenderOptions everySample = withBlocks;
  everySample.blockExtremes = false;
  const QImage a = Render(t.panel, QSize(1920, 1080), everySample).image;
  const QImage b = Render(t.panel, QSize(1920, 1080), withBlocks).image;
  EXPECT_TRUE(a == b);
}

TEST(Render, StairsStepAtTheNextPoint) {
  const double day = test::Day();
  TestPanel t(day, day + 10 * kMinute);
  chart::ChartSeries& s = t.AddLine(kRedValue);
  s.SetStairs(true);
  s.AddPoint(day + 1 * kMinute, 20.0, kRedValue);
  s.AddPoint(day + 5 * kMinute, 80.0, kRedValue);
  s.AddPoint(day + 9 * kMinute, 80.0, kRedValue);
  const test::Rendered r = Render(t.panel, QSize(600, 400));
  auto x = [&](double minutes) { return r.layout.bottom.scale.PosAtValue(day + minutes * kMinute); };
  const AxisScale& y = r.layout.left.scale;
  EXPECT_TRUE(IsColour(r.image, x(4.5), y.PosAtValue(20.0), kRed));
  EXPECT_TRUE(IsWhite(r.image, x(4.5), y.PosAtValue(50.0)));
  EXPECT_TRUE(IsColour(r.image, x(5), y.PosAtValue(50.0), kRed));
}

TEST(Render, LegendListsSeriesByRankThenInTheirOrder) {
  const double day = test::Day();
  TestPanel t(day, day + 1.0);
  struct Entry {
    const char* title;
    int rank;
  };
  for (const Entry& e : {Entry{"Sum", 9}, Entry{"Flow", 7}, Entry{"T2", 1}, Entry{"T2 (30.05.)", 1}, Entry{"T1", 0}}) {
    chart::ChartSeries& series = t.AddLine(kRedValue);
    series.SetTitle(e.title);
    series.SetLegendRank(e.rank);
  }
  t.panel.SetLegendVisible(true);
  const test::Rendered r = Render(t.panel, QSize(900, 300));
  std::vector<std::string> titles;
  for (const LegendEntry& entry : r.layout.legend) titles.push_back(entry.text.toStdString());
  EXPECT_EQ(titles, (std::vector<std::string>{"T1", "T2", "T2 (30.05.)", "Flow", "Sum"}));
}

TEST(Render, LegendShowsOneEntryPerSeriesAboveThePlot) {
  const double day = test::Day();
  TestPanel t(day, day + 1.0);
  t.AddLine(kRedValue).SetTitle("Collector");
  t.AddLine(kBlueValue).SetTitle("Tank");
  chart::ChartSeries& hidden = t.AddLine(kBlueValue);
  hidden.SetShowInLegend(false);
  t.panel.SetLegendVisible(true);
  const test::Rendered r = Render(t.panel, QSize(600, 300));
  ASSERT_EQ(r.layout.legend.size(), 2u);
  EXPECT_EQ(r.layout.legend[0].text, "Collector");
  for (const LegendEntry& entry : r.layout.legend) {
    EXPECT_LT(entry.rect.bottom(), r.layout.plot.top());
    bool found = false;
    const QColor colour = entry.text == "Tank" ? kBlue : kRed;
    for (int x = static_cast<int>(entry.rect.left()); x < entry.rect.left() + 20; ++x) {
      found = found || IsColour(r.image, x, entry.rect.center().y(), colour);
    }
    EXPECT_TRUE(found) << entry.text.toStdString();
  }
}

TEST(Render, TitleLinesTakeRoomAboveThePlot) {
  const double day = test::Day();
  TestPanel t(day, day + 1.0);
  const double plainTop = Render(t.panel, QSize(600, 300)).layout.plot.top();
  t.panel.AddTitleLine("Headline");
  t.panel.AddTitleLine("05. May 2010");
  const test::Rendered r = Render(t.panel, QSize(600, 300));
  EXPECT_EQ(r.layout.titleLines.size(), 2u);
  EXPECT_GT(r.layout.plot.top(), plainTop + 20.0);
  t.panel.SetTitleVisible(false);
  EXPECT_DOUBLE_EQ(Render(t.panel, QSize(600, 300)).layout.plot.top(), plainTop);
}

TEST(Render, MarginsArePercentOfTheWidth) {
  const double day = test::Day();
  TestPanel t(day, day + 1.0);
  const double left = Render(t.panel, QSize(1000, 300)).layout.plot.left();
  t.panel.SetMarginLeft(13.0);
  EXPECT_NEAR(Render(t.panel, QSize(1000, 300)).layout.plot.left(), left + 100.0, 0.5);
}

TEST(Render, LayoutScalesWithTheDevicesResolution) {
  const double day = test::Day();
  TestPanel t(day, day + 1.0);
  QImage screen(600, 300, QImage::Format_RGB32);
  QImage print(2400, 1200, QImage::Format_RGB32);
  print.setDotsPerMeterX(screen.dotsPerMeterX() * 4);
  print.setDotsPerMeterY(screen.dotsPerMeterY() * 4);
  const ChartLayout a = ComputeLayout(t.panel, QRectF(screen.rect()), QFont(), &screen);
  const ChartLayout b = ComputeLayout(t.panel, QRectF(print.rect()), QFont(), &print);
  EXPECT_NEAR(b.unit, 4.0 * a.unit, 0.05);
  EXPECT_NEAR(b.plot.left() / 4.0, a.plot.left(), 2.0);
  EXPECT_NEAR(b.plot.top() / 4.0, a.plot.top(), 2.0);
}

TEST(Render, LabelCallbackCanReplaceAnyLabel) {
  const double day = test::Day();
  TestPanel t(day, day + 1.0);
  int calls = 0;
  t.panel.OnGetAxisLabel = [&calls](const chart::ChartAxis& axis, int index, std::string& label) {
    ++calls;
    if (axis.Position() == chart::AxisPosition::Bottom && index == 0) label = "start";
  };
  const test::Rendered r = Render(t.panel, QSize(600, 300));
  EXPECT_GT(calls, 5);
  ASSERT_FALSE(r.layout.bottom.ticks.labels.empty());
  EXPECT_EQ(r.layout.bottom.ticks.labels.front(), "start");
}

TEST(Render, MonthAxisLabelsDaysOnly) {
  const double first = *TryEncodeDate(2010, 12, 1);
  TestPanel t(first, first + 31.0);
  t.panel.BottomAxis().SetDateTimeFormat("dd.");
  const test::Rendered r = Render(t.panel, QSize(1200, 300));
  ASSERT_FALSE(r.layout.bottom.ticks.labels.empty());
  EXPECT_EQ(r.layout.bottom.ticks.labels.front(), "01.");
  // How many days a tick steps depends on the font's widths.
  static const QRegularExpression day("^\\d\\d\\.$");
  for (const QString& label : r.layout.bottom.ticks.labels)
    EXPECT_TRUE(day.match(label).hasMatch()) << label.toStdString();
}

TEST(Render, EmptyDefaultPanelDraws) {
  chart::ChartPanel panel;
  const test::Rendered r = Render(panel, QSize(400, 200));
  EXPECT_TRUE(r.layout.left.active);
  EXPECT_FALSE(r.layout.right.active);
  EXPECT_TRUE(IsWhite(r.image, 5, 5));
}

TEST(Render, AutomaticAxesTakeTheRangeOfTheirSeries) {
  chart::ChartPanel panel;
  chart::ChartSeries s(chart::SeriesKind::Line, &panel);
  s.AddPoint(10.0, -5.0);
  s.AddPoint(20.0, 15.0);
  s.PlaceOnPanel();
  const test::Rendered r = Render(panel, QSize(400, 200));
  EXPECT_DOUBLE_EQ(r.layout.bottom.range.min, 10.0);
  EXPECT_DOUBLE_EQ(r.layout.bottom.range.max, 20.0);
  EXPECT_DOUBLE_EQ(r.layout.left.range.min, -5.0);
  EXPECT_DOUBLE_EQ(r.layout.left.range.max, 15.0);
}

TEST(Render, TinyTargetsDoNotBreakTheLayout) {
  const double day = test::Day();
  TestPanel t(day, day + 1.0);
  chart::ChartSeries& s = t.AddLine(kRedValue);
  for (int m = 0; m < 1440; ++m) s.AddPoint(day + m * kMinute, m % 100, kRedValue);
  t.panel.AddTitleLine("Title");
  t.panel.SetLegendVisible(true);
  for (const QSize size : {QSize(1, 1), QSize(12, 8), QSize(60, 30)}) {
    const test::Rendered r = Render(t.panel, size);
    EXPECT_GT(r.layout.plot.width(), 0.0);
    EXPECT_GT(r.layout.plot.height(), 0.0);
  }
}

TEST(RenderPanel, LowerChartShowsOnlyTheOutputNames) {
  // However small the chart, every step of 5 is labelled (separation 0),
  // so all four names appear and nothing else.
  chart::ChartPanel panel;
  evaluation::SetUpLowerPanel(panel);
  panel.BottomAxis().SetMinMax(test::Day(), test::Day() + 1.0);
  for (const int height : {120, 300}) {
    const test::Rendered r = Render(panel, QSize(600, height));
    std::set<QString> shown;
    for (const QString& label : r.layout.left.ticks.labels) {
      if (!label.isEmpty()) shown.insert(label);
    }
    EXPECT_EQ(shown, (std::set<QString>{"R1", "R2", "R3", "RErr"})) << height;
  }
}

}  // namespace
}  // namespace calorix::chartview
