// Speed of the totals: the daily and monthly totals of ten years of
// per-minute day files (what the totals export and the per-month view
// compute from a loaded range), and their CSV.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "chart/chart_panel.h"
#include "evaluation/day_totals.h"
#include "evaluation/totals_export.h"
#include "logdata/log_analysis.h"
#include "logdata/multi_day.h"
#include "tools/log_generator.h"

namespace calorix::evaluation {
namespace {

// Ten years of generated day files loaded once, the files removed again.
class TenYears {
 public:
  TenYears() {
    std::mt19937_64 random(std::random_device{}());
    const auto dir = std::filesystem::temp_directory_path() / ("calorix-bench-totals-" + std::to_string(random()));
    const CivilDate first{2010, 1, 1};
    const CivilDate last = DecodeDate(*TryEncodeDate(2010, 1, 1) + 3649);
    const auto files = loggen::WriteDays(first, last, dir, loggen::FolderLayout::Year, {});
    const logdata::MultiDayRequest request =
        logdata::ResolveMultiDayRequest(files.front().string(), files.back().string());
    logdata::EvaluationBuilder builder(&upper_, &lower_);
    logdata::RunMultiDayLoad(request.files, request.start, request.end, builder, {});
    analysis_ = builder.TakeEvaluation();
    std::filesystem::remove_all(dir);
  }
  const logdata::TLogAnalysis& Analysis() const { return *analysis_; }

 private:
  chart::ChartPanel upper_;
  chart::ChartPanel lower_;
  std::unique_ptr<logdata::TLogAnalysis> analysis_;
};

const TenYears& Loaded() {
  static const TenYears years;
  return years;
}

// From the loaded day logs to one entry per month: every day's sums,
// collector maximum and running hours, then the months.
void BM_MonthlyTotalsOfTenYears(benchmark::State& state) {
  const logdata::TLogAnalysis& analysis = Loaded().Analysis();
  std::size_t months = 0;
  for (auto _ : state) {
    const std::vector<DayTotals> days = DailyTotals(analysis);
    months = MonthlyTotals(days).size();
    benchmark::DoNotOptimize(months);
  }
  state.counters["months"] = static_cast<double>(months);
}
BENCHMARK(BM_MonthlyTotalsOfTenYears)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DailyTotalsCsvOfTenYears(benchmark::State& state) {
  const logdata::TLogAnalysis& analysis = Loaded().Analysis();
  std::size_t bytes = 0;
  for (auto _ : state) bytes = TotalsCsv(analysis, TotalsPer::Day).size();
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_DailyTotalsCsvOfTenYears)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace calorix::evaluation

BENCHMARK_MAIN();
