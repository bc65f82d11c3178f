#include "synthetic_data.h"

#include <array>
#include <cmath>
#include <numbers>
#include <string>

#include "evaluation/panel_setup.h"

namespace calorix::chartview::bench {
namespace {

using chart::ChartPanel;
using chart::ChartSeries;
using chart::SeriesKind;
using chart::VerticalAxis;

struct ChannelInfo {
  const char* title;
  Color color;
  int kind;  // 0 temperature, 1 other value (right axis), 2 output
};

constexpr std::array<ChannelInfo, 15> kChannels = {{
    {"Collector T1", 0x0000FF, 0},
    {"Tank bottom T2", 0xFF0000, 0},
    {"Tank top T3", 0x8000FF, 0},
    {"Return T4", 0x008000, 0},
    {"Flow line T5", 0x0080FF, 0},
    {"Outdoor T6", 0x0A5E76, 0},
    {"Direct TD", 0x000000, 0},
    {"Flow l/h", 0xFF8000, 1},
    {"Power kW", 0x40FF00, 1},
    {"Volume", 0x800080, 1},
    {"Energy", 0xFF00FF, 1},
    {"R1", 0xFF0000, 2},
    {"R2", 0x008000, 2},
    {"R3", 0x000000, 2},
    {"RErr", 0x0000FF, 2},
}};

// A cheap deterministic noise in [-1, 1].
double Noise(long long n) {
  unsigned long long x = static_cast<unsigned long long>(n) * 6364136223846793005ULL + 1442695040888963407ULL;
  x ^= x >> 33;
  return static_cast<double>(x % 20001) / 10000.0 - 1.0;
}

double Sun(double dayFraction, int day) {
  const double s = std::sin((dayFraction - 0.25) * 2.0 * std::numbers::pi);
  const double cloud = 0.75 + 0.25 * std::sin(day * 1.7);
  return std::max(0.0, s) * cloud;
}

double Value(int channel, int day, int minute) {
  const double f = minute / 1440.0;
  const double sun = Sun(f, day);
  const long long n = static_cast<long long>(day) * 1440 + minute;
  const double jitter = Noise(n * 31 + channel);
  switch (channel) {
    case 0: return 18.0 + 72.0 * sun + 1.5 * jitter;
    case 1: return 35.0 + 18.0 * Sun(f - 0.05, day) + 0.3 * jitter;
    case 2: return 48.0 + 12.0 * Sun(f - 0.08, day) + 0.3 * jitter;
    case 3: return 30.0 + 35.0 * sun + 0.8 * jitter;
    case 4: return 32.0 + 40.0 * sun + 0.8 * jitter;
    case 5: return 8.0 + 9.0 * std::sin((f - 0.35) * 2.0 * std::numbers::pi) + 0.5 * jitter;
    case 6: return 20.0 + 0.4 * jitter;
    case 7: return sun > 0.2 ? 80.0 * sun + 3.0 * jitter : 0.0;
    case 8: return sun > 0.2 ? 60.0 * sun * sun + 2.0 * jitter : 0.0;
    case 9: return 10.0 * f + day * 10.0;
    case 10: return 8.0 * f + day * 8.0;
    default: {
      const int w = channel - 11;
      const double level = w == 3 ? (Noise(n / 97) > 0.97 ? 100.0 : 0.0)
                                  : (sun > 0.2 + 0.15 * w ? 100.0 : (Noise(n / 13 + w) > 0.9 ? 50.0 : 0.0));
      return 44.5 - 15.0 * w + level * 0.1 + 0.5;
    }
  }
}

void Style(ChartSeries& s, const ChannelInfo& info, int channel, const SyntheticOptions& o, bool onUpper, bool legend) {
  s.SetTitle(info.title);
  s.SetSeriesColor(info.color);
  s.RecolorPoints(info.color);
  s.SetShowInLegend(legend);
  s.SetPenWidth(o.penWidth);
  if (info.kind == 2 && !onUpper) {
    const int w = channel - 11;
    if (o.outputsAsBars) {
      s.SetKind(SeriesKind::Bar);
      s.SetBarBase(44.5 - 15.0 * w);
      s.SetBarFromBase(true);
      s.SetBarWidthPercent(75);
      s.SetBarLayout(chart::BarLayout::None);
      s.SetOutlineVisible(false);
    } else {
      s.SetStairs(true);
    }
  }
  s.SetAxis(info.kind == 1 && !o.allOnUpper ? VerticalAxis::Right : VerticalAxis::Left);
}

void Fill(ChartSeries& s, int channel, int day, double date, bool withGap) {
  for (int minute = 0; minute < 1440; ++minute) {
    if (withGap && minute >= 600 && minute < 606) {
      if (minute == 600) s.AddNullPoint(date + minute / 1440.0);
      continue;
    }
    s.AddPoint(date + minute / 1440.0, Value(channel, day, minute), 0);
  }
}

}  // namespace

std::unique_ptr<SyntheticCharts> MakeSyntheticCharts(const SyntheticOptions& o) {
  auto charts = std::make_unique<SyntheticCharts>();
  evaluation::SetUpUpperPanel(charts->upper);
  evaluation::SetUpLowerPanel(charts->lower);
  charts->upper.LeftAxis().SetMinMax(-40.0, 250.0);
  if (!o.allOnUpper) charts->upper.LeftAxis().SetMinMax(0.0, 100.0);
  charts->upper.RightAxis().SetMinMax(0.0, 100.0);
  for (int channel = 0; channel < 15; ++channel) {
    const ChannelInfo& info = kChannels[static_cast<std::size_t>(channel)];
    if (!o.allOnUpper && (channel == 9 || channel == 10)) continue;  // totals only in month views
    const bool onUpper = o.allOnUpper || info.kind != 2;
    ChartPanel* panel = onUpper ? &charts->upper : &charts->lower;
    ChartSeries* current = nullptr;
    for (int day = 0; day < o.days; ++day) {
      if (!current || o.seriesPerDay) {
        charts->series.push_back(std::make_unique<ChartSeries>(SeriesKind::Line, panel));
        current = charts->series.back().get();
        current->Reserve(static_cast<std::size_t>(1440 * (o.seriesPerDay ? 1 : o.days)));
      }
      Fill(*current, channel, day, o.firstDay + day, o.withGap);
      if (o.seriesPerDay || day + 1 == o.days) {
        Style(*current, info, channel, o, onUpper, day == 0);
        // As loading leaves them: the block extremes built on the workers.
        current->Extremes();
        current->PlaceOnPanel();
      }
    }
  }
  for (ChartPanel* panel : {&charts->upper, &charts->lower}) {
    panel->BottomAxis().SetMinMax(o.firstDay, o.firstDay + o.days);
    panel->BottomAxis().SetDateTimeFormat(o.days > 1 ? "dd." : "hh:mm");
  }
  return charts;
}

}  // namespace calorix::chartview::bench
