// Frame times of the chart renderer on an offscreen 1920x1080 image with
// 2-pixel antialiased pens: a month and a year of per-minute data on fifteen
// channels, and the scroll steps of a day view.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include "chartview/chart_renderer.h"
#include "chartview/series_painter.h"
#include "core/date_time.h"
#include "synthetic_data.h"

namespace {

using calorix::chartview::RenderOptions;
using calorix::chartview::RenderPanel;
using calorix::chartview::SeriesCache;
using calorix::chartview::bench::MakeSyntheticCharts;
using calorix::chartview::bench::SyntheticCharts;
using calorix::chartview::bench::SyntheticOptions;

const QSize kFrame(1920, 1080);

std::unique_ptr<SyntheticCharts> AllOnUpper(int days, bool seriesPerDay) {
  SyntheticOptions options;
  options.firstDay = *calorix::TryEncodeDate(2010, 1, 1);
  options.days = days;
  options.seriesPerDay = seriesPerDay;
  options.allOnUpper = true;
  return MakeSyntheticCharts(options);
}

void Draw(QImage& image, const SyntheticCharts& charts, const RenderOptions& options) {
  QPainter painter(&image);
  RenderPanel(painter, QRectF(image.rect()), charts.upper, options);
}

enum class Frame { Cold, Repaint, NewRange };

// range(0): one series per day (1, as the program keeps them) or one per
// channel (0). range(1): what the frame has to do:
//  0 cold     - no geometry cache: every series is reduced, as in the first
//               frame after loading (block extremes built, as the loading
//               workers leave them);
//  1 repaint  - nothing changed since the last frame (rubber band, expose);
//  2 newRange - the time window moved a little since the last frame (zoom, pan).
void RunFrames(benchmark::State& state, int days) {
  const auto charts = AllOnUpper(days, state.range(0) != 0);
  const auto frame = static_cast<Frame>(state.range(1));
  QImage image(kFrame, QImage::Format_RGB32);
  SeriesCache cache;
  RenderOptions options;
  if (frame != Frame::Cold) options.cache = &cache;
  options.blockExtremes = state.range(2) != 0;
  auto& axis = charts->upper.BottomAxis();
  const double from = axis.Minimum();
  const double to = axis.Maximum();
  const double nudge = (to - from) / 2000.0;
  int step = 0;
  for (auto _ : state) {
    if (frame == Frame::NewRange) {
      const double shift = nudge * (++step % 2);
      axis.SetMinMax(from + shift, to + shift);
    }
    Draw(image, *charts, options);
  }
  std::size_t points = 0;
  for (const auto* s : charts->upper.Series()) points += s->Count();
  state.counters["points"] = static_cast<double>(points);
  state.counters["series"] = static_cast<double>(charts->upper.SeriesCount());
}

void BM_MonthFrame(benchmark::State& state) { RunFrames(state, 31); }
void BM_YearFrame(benchmark::State& state) { RunFrames(state, 365); }

// Each step moves a one-day window by 36 minutes, as the scroll buttons
// do, so every step is a new range for the geometry cache.
void BM_DayScrollStep(benchmark::State& state) {
  SyntheticOptions options;
  options.firstDay = *calorix::TryEncodeDate(2010, 1, 1);
  options.days = 3;
  options.allOnUpper = true;
  const auto charts = MakeSyntheticCharts(options);
  QImage image(kFrame, QImage::Format_RGB32);
  SeriesCache cache;
  RenderOptions renderOptions;
  renderOptions.cache = &cache;
  renderOptions.decimate = state.range(0) != 0;
  auto& axis = charts->upper.BottomAxis();
  int step = 0;
  for (auto _ : state) {
    const double from = options.firstDay + 0.5 + 0.025 * (step++ % 40);
    axis.SetMinMax(from, from + 1.0);
    Draw(image, *charts, renderOptions);
  }
}

}  // namespace

// range(2): reduce through the block extremes (1) or read every sample (0).
BENCHMARK(BM_MonthFrame)
    ->ArgsProduct({{1, 0}, {0, 1, 2}, {1}})
    ->ArgNames({"perDay", "frame", "blocks"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearFrame)
    ->ArgsProduct({{1, 0}, {0, 1, 2}, {1}})
    ->Args({1, 0, 0})
    ->Args({0, 0, 0})
    ->ArgNames({"perDay", "frame", "blocks"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DayScrollStep)->Arg(1)->Arg(0)->ArgName("decimate")->Unit(benchmark::kMillisecond);
