#include "chartview/chart_layout.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "chartview/axis_ticks.h"

namespace calorix::chartview {
namespace {

using chart::AxisLabelKind;
using chart::AxisPosition;
using chart::ChartAxis;
using chart::ChartPanel;
using chart::ValueRange;
using chart::VerticalAxis;

// Lengths in 96-dpi pixels, multiplied by the layout unit.
constexpr double kGap = 4.0;
constexpr double kLegendSwatch = 22.0;
constexpr double kLegendSpacing = 18.0;
// Labels chosen by the renderer keep this many label heights apart, which
// reads calmer than packing them at the minimum separation.
constexpr double kAutoSpacingLines = 2.5;

bool SeriesOnSide(const ChartPanel& panel, VerticalAxis side) {
  return std::any_of(panel.Series().begin(), panel.Series().end(),
                     [side](const chart::ChartSeries* s) { return s->Axis() == side; });
}

std::optional<ValueRange> SeriesRange(const ChartPanel& panel, AxisPosition position) {
  std::optional<ValueRange> total;
  auto include = [&total](std::optional<ValueRange> r) {
    if (!r) return;
    total = total ? ValueRange{std::min(total->min, r->min), std::max(total->max, r->max)} : *r;
  };
  for (const chart::ChartSeries* series : panel.Series()) {
    if (position == AxisPosition::Bottom) {
      include(series->XRange());
      continue;
    }
    if (series->Axis() != (position == AxisPosition::Left ? VerticalAxis::Left : VerticalAxis::Right)) continue;
    const auto y = series->YRange();
    include(y);
    if (y && series->Kind() == chart::SeriesKind::Bar && series->BarFromBase()) {
      include(ValueRange{series->BarBase(), series->BarBase()});
    }
  }
  return total;
}

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Asks the panel's label callback about every label, in axis order.
void ApplyLabelCallback(const ChartPanel& panel, const ChartAxis& axis, const std::vector<double>& values,
                        std::vector<std::string>& texts, AxisTicks& ticks) {
  ticks.values = values;
  ticks.labels.clear();
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (panel.OnGetAxisLabel) panel.OnGetAxisLabel(axis, static_cast<int>(i), texts[i]);
    ticks.labels.push_back(Utf8(texts[i]));
  }
}

AxisTicks ValueTicks(const ChartPanel& panel, const ChartAxis& axis, ValueRange range, double length,
                     double labelSize) {
  const double spacing = labelSize * (1.0 + axis.LabelSeparation() / 100.0);
  const bool chosenHere = axis.Increment() <= 0.0;
  const double step =
      ValueStep(range.min, range.max, axis.Increment(), length,
                chosenHere ? std::max(spacing, kAutoSpacingLines * labelSize) : spacing, axis.LabelSeparation() > 0);
  const std::vector<double> values = TicksAtMultiples(range.min, range.max, step);
  std::vector<std::string> texts;
  for (const double v : values) texts.push_back(FormatValueLabel(v, step));
  AxisTicks ticks;
  ApplyLabelCallback(panel, axis, values, texts, ticks);
  return ticks;
}

AxisTicks DateTimeAxisTicks(const ChartPanel& panel, const ChartAxis& axis, ValueRange range, double length,
                            const QFontMetricsF& metrics, double unit) {
  const std::string& format = axis.DateTimeFormat().empty() ? std::string("hh:mm") : axis.DateTimeFormat();
  const double sample = metrics.horizontalAdvance(Utf8(FormatDateTimeLabel(range.min, format)));
  const double spacing = sample * (1.0 + axis.LabelSeparation() / 100.0) + 2.0 * kGap * unit;
  const std::vector<double> values =
      FormatShowsMonthsOnly(format)
          ? MonthTicks(range.min, range.max, MonthStep(range.min, range.max, length, spacing))
          : DateTimeTicks(range.min, range.max, DateTimeStep(range.min, range.max, length, spacing));
  const bool showsTime = FormatShowsTime(format);
  std::vector<std::string> texts;
  for (const double v : values) {
    const bool midnight = std::fabs(v - std::round(v)) < 1e-9;
    texts.push_back(showsTime || midnight ? FormatDateTimeLabel(v, format) : std::string());
  }
  AxisTicks ticks;
  ApplyLabelCallback(panel, axis, values, texts, ticks);
  return ticks;
}

double WidestLabel(const AxisTicks& ticks, const QFontMetricsF& metrics) {
  double widest = 0.0;
  for (const QString& label : ticks.labels) widest = std::max(widest, metrics.horizontalAdvance(label));
  return widest;
}

std::vector<QString> TitleLinesOf(const ChartPanel& panel) {
  std::vector<QString> lines;
  if (!panel.TitleVisible()) return lines;
  bool anyText = false;
  for (const std::string& line : panel.TitleLines()) {
    lines.push_back(Utf8(line));
    anyText = anyText || !line.empty();
  }
  if (!anyText) lines.clear();
  return lines;
}

// Entries flow from left to right and wrap; the rows are centred later.
double LayoutLegend(const ChartPanel& panel, const QRectF& area, const QFontMetricsF& metrics, double unit,
                    std::vector<LegendEntry>& entries) {
  if (!panel.LegendVisible()) return 0.0;
  const double lineHeight = metrics.height();
  double x = area.left();
  double y = area.top();
  std::vector<const chart::ChartSeries*> listed;
  for (const chart::ChartSeries* series : panel.Series()) {
    if (series->ShowInLegend()) listed.push_back(series);
  }
  // The order of placement depends on the span and the clicks; the ranks
  // give the one order of the channel selection.
  std::stable_sort(listed.begin(), listed.end(), [](const chart::ChartSeries* a, const chart::ChartSeries* b) {
    return a->LegendRank() < b->LegendRank();
  });
  for (const chart::ChartSeries* series : listed) {
    const QString text = Utf8(series->Title());
    const double width = (kLegendSwatch + kGap) * unit + metrics.horizontalAdvance(text);
    if (x > area.left() && x + width > area.right()) {
      x = area.left();
      y += lineHeight;
    }
    entries.push_back({series, text, QRectF(x, y, width, lineHeight)});
    x += width + kLegendSpacing * unit;
  }
  if (entries.empty()) return 0.0;
  // Centre each row.
  std::size_t rowStart = 0;
  for (std::size_t i = 1; i <= entries.size(); ++i) {
    if (i < entries.size() && entries[i].rect.top() == entries[rowStart].rect.top()) continue;
    const double shift = (area.right() - entries[i - 1].rect.right()) / 2.0;
    for (std::size_t k = rowStart; k < i; ++k) entries[k].rect.translate(std::max(0.0, shift), 0.0);
    rowStart = i;
  }
  return y + lineHeight - area.top();
}

}  // namespace

ValueRange DisplayRange(const ChartPanel& panel, AxisPosition position) {
  const ChartAxis& axis = panel.Axis(position);
  ValueRange range{axis.Minimum(), axis.Maximum()};
  if (axis.Automatic()) {
    if (const auto fromSeries = SeriesRange(panel, position)) {
      if (axis.AutomaticMinimum()) range.min = fromSeries->min;
      if (axis.AutomaticMaximum()) range.max = fromSeries->max;
    }
  }
  if (!(range.max > range.min)) range.max = range.min;
  return range;
}

ChartLayout ComputeLayout(const ChartPanel& panel, const QRectF& bounds, const QFont& font, const QPaintDevice* device,
                          const PlotInsets& minimum) {
  ChartLayout layout;
  layout.unit = device ? device->logicalDpiY() / 96.0 : 1.0;
  const double u = layout.unit;
  layout.bounds = bounds;
  layout.labelFont = font;
  layout.titleFont = font;
  layout.titleFont.setBold(true);
  if (font.pointSizeF() > 0) layout.titleFont.setPointSizeF(font.pointSizeF() * 1.15);
  const QFontMetricsF labels(layout.labelFont, const_cast<QPaintDevice*>(device));
  const QFontMetricsF titles(layout.titleFont, const_cast<QPaintDevice*>(device));
  const chart::PanelMargins& m = panel.Margins();
  QRectF inner = bounds.adjusted(bounds.width() * m.left / 100.0, bounds.height() * m.top / 100.0,
                                 -bounds.width() * m.right / 100.0, -bounds.height() * m.bottom / 100.0);

  // From the top: title lines, legend, then half a label so the top tick
  // label stays inside.
  layout.titleLines = TitleLinesOf(panel);
  double top = inner.top();
  if (!layout.titleLines.empty()) {
    const double height = titles.height() * static_cast<double>(layout.titleLines.size());
    layout.titleRect = QRectF(inner.left(), top, inner.width(), height);
    top += height + kGap * u;
  }
  const double legendHeight =
      LayoutLegend(panel, QRectF(inner.left(), top, inner.width(), 0.0), labels, u, layout.legend);
  if (legendHeight > 0.0) top += legendHeight + kGap * u;
  top += labels.height() / 2.0;

  // From the bottom: tick, label row, axis title.
  const ChartAxis& bottomAxis = panel.BottomAxis();
  layout.bottom.active = bottomAxis.Visible();
  double bottom = inner.bottom();
  if (layout.bottom.active) {
    bottom -= bottomAxis.TickLength() * u + kGap * u + labels.height();
    if (!bottomAxis.Title().empty()) bottom -= labels.height() + kGap * u;
  }
  const double plotHeight = std::max(1.0, bottom - top);

  // Vertical axes: the left one is drawn for its series, or for an empty
  // chart; the right one only for its series.
  const bool hasRight = SeriesOnSide(panel, VerticalAxis::Right);
  layout.left.active = panel.LeftAxis().Visible() && (SeriesOnSide(panel, VerticalAxis::Left) || !hasRight);
  layout.right.active = panel.RightAxis().Visible() && hasRight;
  double left = inner.left();
  double right = inner.right();
  auto sideWidth = [&](AxisLayout& axisLayout, const ChartAxis& axis, AxisPosition position) {
    axisLayout.range = DisplayRange(panel, position);
    if (!axisLayout.active) return 0.0;
    axisLayout.ticks = ValueTicks(panel, axis, axisLayout.range, plotHeight, labels.height());
    axisLayout.labelExtent = WidestLabel(axisLayout.ticks, labels);
    double width = axis.TickLength() * u + kGap * u + axisLayout.labelExtent;
    if (!axis.Title().empty()) width += labels.height() + kGap * u;
    return width;
  };
  left += sideWidth(layout.left, panel.LeftAxis(), AxisPosition::Left);
  right -= sideWidth(layout.right, panel.RightAxis(), AxisPosition::Right);

  // Bottom labels are centred on their ticks; keep room for half of one.
  layout.bottom.range = DisplayRange(panel, AxisPosition::Bottom);
  layout.bottomIsDateTime = bottomAxis.LabelKind() == AxisLabelKind::DateTime;
  const double halfLabel = labels.horizontalAdvance(QStringLiteral("00:00")) / 2.0 + kGap * u;
  left = std::max(left, inner.left() + halfLabel);
  right = std::min(right, inner.right() - halfLabel);
  left = std::max(left, bounds.left() + minimum.left);
  right = std::min(right, bounds.right() - minimum.right);
  layout.plot = QRectF(QPointF(left, top), QPointF(std::max(left + 1.0, right), top + plotHeight));

  const QRectF& p = layout.plot;
  layout.bottom.scale = AxisScale(layout.bottom.range.min, layout.bottom.range.max, p.left(), p.right());
  layout.left.scale = AxisScale(layout.left.range.min, layout.left.range.max, p.bottom(), p.top());
  layout.right.scale = AxisScale(layout.right.range.min, layout.right.range.max, p.bottom(), p.top());
  if (layout.bottom.active) {
    layout.bottom.ticks = layout.bottomIsDateTime
                              ? DateTimeAxisTicks(panel, bottomAxis, layout.bottom.range, p.width(), labels, u)
                              : ValueTicks(panel, bottomAxis, layout.bottom.range, p.width(),
                                           labels.horizontalAdvance(QStringLiteral("0000.0")));
    layout.bottom.labelExtent = labels.height();
  }
  return layout;
}

PlotInsets InsetsOf(const ChartLayout& layout) {
  return {layout.plot.left() - layout.bounds.left(), layout.bounds.right() - layout.plot.right()};
}

}  // namespace calorix::chartview
