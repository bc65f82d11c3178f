// What a user feels on the evaluation window of a year of per-minute day
// files: a scroll step in the day span, a jump to the next day, a slider
// move in the month span, checking a box. Each step includes repainting
// both charts.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QSlider>
#include <QToolButton>
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>

#include "chartview/chart_view.h"
#include "dialogs/scripted_dialogs.h"
#include "evaluation/range_summary.h"
#include "logdata/multi_day.h"
#include "settings/ini_settings.h"
#include "tools/log_generator.h"
#include "ui/child_form.h"

namespace calorix::ui {
namespace {

std::filesystem::path YearFolder() {
  const auto dir = std::filesystem::temp_directory_path() / "calorix-bench-ui-year";
  if (!std::filesystem::exists(dir / "2023" / "12" / "20231231.csv")) {
    loggen::WriteDays({2023, 1, 1}, {2023, 12, 31}, dir, loggen::FolderLayout::Year, {});
  }
  return dir;
}

// One window holding the year, with temperatures, flow and an output shown.
class YearWindow {
 public:
  YearWindow() : window_(dialogs_) {
    window_.setAttribute(Qt::WA_DeleteOnClose, false);
    const auto ini = std::filesystem::temp_directory_path() / "calorix-bench-ui-none.ini";
    window_.ApplySettings(TIniSettings(ini, "/tmp").GetChildSettings());
    window_.resize(1600, 900);
    window_.show();
    const auto dir = YearFolder();
    const auto request = logdata::ResolveMultiDayRequest((dir / "2023/01/20230101.csv").string(),
                                                         (dir / "2023/12/20231231.csv").string());
    logdata::RunMultiDayLoad(request.files, request.start, request.end, window_, {});
    for (const char* name : {"CB_T1", "CB_T2", "CB_Flow", "CB_R1"}) Find<QCheckBox>(name).setChecked(true);
    QApplication::processEvents();
  }

  template <typename T>
  T& Find(const char* name) {
    return *window_.findChild<T*>(name);
  }
  void ChooseSpan(int item) {
    Find<QComboBox>("SpanTime").setCurrentIndex(item);
    emit Find<QComboBox>("SpanTime").activated(item);
  }
  void PressSpace(const char* button) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
    QApplication::sendEvent(&Find<QToolButton>(button), &press);
  }
  // Paints both charts as the screen would.
  void Repaint() {
    for (const char* name : {"Chart", "Chart2"}) benchmark::DoNotOptimize(Find<QWidget>(name).grab());
  }
  std::size_t Series() {
    return Find<chartview::ChartView>("Chart").Panel().SeriesCount() +
           Find<chartview::ChartView>("Chart2").Panel().SeriesCount();
  }
  bool Quiet() const { return dialogs_.Messages().empty(); }
  const evaluation::EvaluationModel& Model() const { return window_.Model(); }

 private:
  ScriptedDialogs dialogs_;
  TChildform window_;
};

YearWindow& Year() {
  static YearWindow* window = new YearWindow;
  return *window;
}

void Report(benchmark::State& state, YearWindow& w) {
  state.counters["series"] = static_cast<double>(w.Series());
  if (!w.Quiet()) state.SkipWithError("the window showed a message");
}

void BM_DaySpanScrollStep(benchmark::State& state) {
  YearWindow& w = Year();
  w.ChooseSpan(3);
  w.Find<QSlider>("SliderTime").setValue(100);
  w.Repaint();
  for (auto _ : state) {
    w.PressSpace("ButtonScrollRight");
    w.Repaint();
  }
  Report(state, w);
}
BENCHMARK(BM_DaySpanScrollStep)->Unit(benchmark::kMillisecond)->UseRealTime();

// Steps that stay within the days the curves cover only move the axes.
void BM_DaySpanScrollStepWithinDays(benchmark::State& state) {
  YearWindow& w = Year();
  w.ChooseSpan(3);
  w.Find<QSlider>("SliderTime").setValue(150);
  w.PressSpace("ButtonScrollRight");
  w.Repaint();
  int direction = 1;
  int steps = 1;
  for (auto _ : state) {
    // Back and forth between one and ten steps past midnight.
    if (steps == 10 || steps == 1) direction = steps == 10 ? -1 : 1;
    w.PressSpace(direction > 0 ? "ButtonScrollRight" : "ButtonScrollLeft");
    steps += direction;
    w.Repaint();
  }
  Report(state, w);
}
BENCHMARK(BM_DaySpanScrollStepWithinDays)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DaySpanJump(benchmark::State& state) {
  YearWindow& w = Year();
  w.ChooseSpan(3);
  w.Find<QSlider>("SliderTime").setValue(200);
  bool right = true;
  for (auto _ : state) {
    w.Find<QToolButton>(right ? "ButtonJumpRight" : "ButtonJumpLeft").click();
    right = !right;
    w.Repaint();
  }
  Report(state, w);
}
BENCHMARK(BM_DaySpanJump)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MonthSpanSliderMove(benchmark::State& state) {
  YearWindow& w = Year();
  w.ChooseSpan(4);
  QSlider& slider = w.Find<QSlider>("SliderTime");
  for (auto _ : state) {
    slider.setValue((slider.value() + 1) % (slider.maximum() + 1));
    w.Repaint();
  }
  Report(state, w);
  w.ChooseSpan(3);
}
BENCHMARK(BM_MonthSpanSliderMove)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MonthSpanCheckBox(benchmark::State& state) {
  YearWindow& w = Year();
  w.ChooseSpan(4);
  w.Find<QSlider>("SliderTime").setValue(6);
  QCheckBox& box = w.Find<QCheckBox>("CB_T3");
  for (auto _ : state) {
    box.setChecked(!box.isChecked());
    w.Repaint();
  }
  box.setChecked(false);
  Report(state, w);
  w.ChooseSpan(3);
}
BENCHMARK(BM_MonthSpanCheckBox)->Unit(benchmark::kMillisecond)->UseRealTime();

// The first frame of the month span (31 days of curves) and of the year
// span (365 days, the temperatures decimated), chosen from a day in June
// and painted: the curves placed for the span and both charts drawn
// without anything cached. range(0): 4 the month, 5 the year, 6 the year
// per month. The year's frame aims at 1.5 times the month's.
void BM_SpanFirstFrame(benchmark::State& state) {
  YearWindow& w = Year();
  const int span = static_cast<int>(std::min<std::int64_t>(state.range(0), 5));
  for (auto _ : state) {
    state.PauseTiming();
    w.ChooseSpan(3);
    w.Find<QSlider>("SliderTime").setValue(160);
    w.Repaint();
    state.ResumeTiming();
    w.ChooseSpan(span);
    if (state.range(0) == 6) w.Find<QCheckBox>("CheckPerMonth").setChecked(true);
    w.Find<QCheckBox>("CB_Energy").setChecked(true);
    w.Repaint();
  }
  Report(state, w);
  w.Find<QCheckBox>("CheckPerMonth").setChecked(false);
  w.ChooseSpan(3);
}
BENCHMARK(BM_SpanFirstFrame)->Arg(4)->Arg(5)->Arg(6)->ArgName("span")->Unit(benchmark::kMillisecond)->UseRealTime();
// The summary of a range of the year's evaluation: 31 days from 1 July (a
// month span's window) or the whole year, for the first 3 or all 9
// measured channels (the outputs always count); range(2) 1: with the
// figures of whole days kept from the first summary, as the window keeps them.
void BM_SummaryOfRange(benchmark::State& state) {
  YearWindow& w = Year();
  const int days = static_cast<int>(state.range(0));
  const DateTime from = *TryEncodeDate(2023, days >= 365 ? 1 : 7, 1);
  static constexpr std::array<logdata::Channel, 9> kMeasured = {
      logdata::Channel::T1, logdata::Channel::T2, logdata::Channel::Flow, logdata::Channel::T3,   logdata::Channel::T4,
      logdata::Channel::T5, logdata::Channel::T6, logdata::Channel::TD,   logdata::Channel::Power};
  const auto channels = std::span(kMeasured).first(static_cast<std::size_t>(state.range(1)));
  std::size_t values = 0;
  evaluation::WholeDayFigures kept;
  evaluation::WholeDayFigures* wholeDays = state.range(2) != 0 ? &kept : nullptr;
  for (auto _ : state) {
    const evaluation::RangeSummary summary =
        w.Model().Snapshot().load.Summarize(from, from + days, channels, wholeDays);
    values = 0;
    for (const auto& channel : summary.channels) values += channel.statistics.count;
    benchmark::DoNotOptimize(summary);
  }
  state.counters["values"] = static_cast<double>(values);
}
BENCHMARK(BM_SummaryOfRange)
    ->Args({31, 3, 0})
    ->Args({31, 9, 0})
    ->Args({365, 3, 0})
    ->Args({365, 9, 0})
    ->Args({365, 9, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The panel's text after a step in the month span: the window's checked
// channels (T1, T2, Flow), every output, the totals.
void BM_SummaryTextOfTheShownMonth(benchmark::State& state) {
  YearWindow& w = Year();
  w.ChooseSpan(4);
  w.Find<QSlider>("SliderTime").setValue(6);
  for (auto _ : state) benchmark::DoNotOptimize(w.Model().SummaryText());
  Report(state, w);
  w.ChooseSpan(3);
}
BENCHMARK(BM_SummaryTextOfTheShownMonth)->Unit(benchmark::kMillisecond)->UseRealTime();

// Closing a window that holds a year, as closing the program does: the
// window and its evaluation are destroyed.
void BM_CloseYearWindow(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto w = std::make_unique<YearWindow>();
    w->Find<QCheckBox>("CB_T3").setChecked(true);
    w->Repaint();
    state.ResumeTiming();
    w.reset();
  }
}
BENCHMARK(BM_CloseYearWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
}  // namespace calorix::ui
