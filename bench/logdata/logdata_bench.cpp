// Speed of reading day files: one parsed day, a year of day files read
// from disk into day logs, and finding the files of a range.

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "chart/chart_panel.h"
#include "logdata/day_follower.h"
#include "logdata/day_log.h"
#include "logdata/log_analysis.h"
#include "logdata/log_format.h"
#include "logdata/multi_day.h"
#include "tools/log_generator.h"

namespace calorix::logdata {
namespace {

std::size_t PointCount(const TDay& day) {
  std::size_t points = 0;
  for (int i = 0; i < TDay::kEntryCount; ++i) points += day.Entry(i).series->Count();
  return points;
}

void BM_ParseDay(benchmark::State& state) {
  const std::string bytes = loggen::GenerateDay({2024, 6, 21}, {});
  const auto lines = SplitLines(bytes, false);
  const std::vector<std::string_view> records(lines.begin() + 1, lines.end());
  std::size_t points = 0;
  for (auto _ : state) {
    chart::ChartPanel upper, lower;
    TDay day(45464.0, &upper, &lower);
    day.ParseDay(records, false, DateStyle::YearMonthDay);
    points = PointCount(day);
    benchmark::DoNotOptimize(day.GetVolume());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * records.size()));
  state.counters["ns_per_record"] = benchmark::Counter(
      static_cast<double>(records.size()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_ParseDay)->Unit(benchmark::kMicrosecond);

// A year of generated per-minute files in yyyy/mm folders, made once.
const std::vector<std::filesystem::path>& YearOfFiles() {
  static const std::vector<std::filesystem::path> files = [] {
    const auto dir = std::filesystem::temp_directory_path() / "calorix-bench-year";
    if (!std::filesystem::exists(dir / "2023" / "12" / "20231231.csv")) {
      loggen::WriteDays({2023, 1, 1}, {2023, 12, 31}, dir, loggen::FolderLayout::Year, {});
    }
    std::vector<std::filesystem::path> paths;
    for (int d = 0; d < 365; ++d) {
      const CivilDate date = DecodeDate(*TryEncodeDate(2023, 1, 1) + d);
      paths.push_back(loggen::DayFilePath(dir, date, loggen::FolderLayout::Year));
    }
    return paths;
  }();
  return files;
}

// Heap bytes in use; unlike the resident size it does not hide memory the
// allocator kept from an earlier iteration.
long HeapBytesInUse() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<long>(info.uordblks + info.hblkhd);
}

// The largest resident size since the last ResetPeakResident, in MB.
double PeakResidentMb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  }
  return 0.0;
}

// Starts a new peak (Linux: "5" resets the high-water mark).
void ResetPeakResident() { std::ofstream("/proc/self/clear_refs") << "5"; }

void BM_ReadYearIntoDayLogs(benchmark::State& state) {
  const auto& files = YearOfFiles();
  std::size_t bytes = 0;
  for (const auto& f : files) bytes += std::filesystem::file_size(f);
  double bytesPerPoint = 0;
  for (auto _ : state) {
    chart::ChartPanel upper, lower;
    std::vector<std::unique_ptr<TDay>> days;
    const long before = HeapBytesInUse();
    std::size_t points = 0;
    LogReadState reading;
    for (const auto& path : files) {
      const DayFile file = ReadDayFile(path);
      CheckHeader(file.Header(), reading);
      auto day = std::make_unique<TDay>(DayDateOfRecords(file.Records(), reading.dateStyle), &upper, &lower);
      day->ParseDay(file.Records(), reading.powerInWatts, reading.dateStyle);
      points += PointCount(*day);
      days.push_back(std::move(day));
    }
    bytesPerPoint = static_cast<double>(HeapBytesInUse() - before) / static_cast<double>(points);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  state.counters["heap_bytes_per_point"] = bytesPerPoint;
}
BENCHMARK(BM_ReadYearIntoDayLogs)->Unit(benchmark::kMillisecond)->Iterations(3);

// What a user waits for after choosing the first and last file of a range:
// finding the files, loading them in order (parsed ahead on the workers),
// building the daily totals. Reports the heap bytes per stored point (17
// a record) and the peak resident size of the process during the load.
void LoadRange(benchmark::State& state, const std::filesystem::path& first, const std::filesystem::path& last) {
  double bytesPerPoint = 0;
  double peakMb = 0;
  int days = 0;
  for (auto _ : state) {
    ResetPeakResident();
    chart::ChartPanel upper, lower;
    const long before = HeapBytesInUse();
    const MultiDayRequest request = ResolveMultiDayRequest(first.string(), last.string());
    EvaluationBuilder builder(&upper, &lower);
    RunMultiDayLoad(request.files, request.start, request.end, builder, {});
    days = builder.Evaluation()->GetDayCount();
    bytesPerPoint = static_cast<double>(HeapBytesInUse() - before) / (days * 24480.0);
    peakMb = PeakResidentMb();
    state.PauseTiming();  // freeing a range is not part of loading it
    builder.TakeEvaluation().reset();
    state.ResumeTiming();
  }
  state.counters["days"] = days;
  state.counters["heap_bytes_per_point"] = bytesPerPoint;
  state.counters["peak_resident_MB"] = peakMb;
}

void BM_MultiDayYear(benchmark::State& state) {
  const auto& files = YearOfFiles();
  std::size_t bytes = 0;
  for (const auto& f : files) bytes += std::filesystem::file_size(f);
  LoadRange(state, files.front(), files.back());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_MultiDayYear)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// Ten years of per-minute day files (3,650 files, 89 M points), written
// into a temporary folder for the run and removed after it.
void BM_MultiDayTenYears(benchmark::State& state) {
  std::mt19937_64 random(std::random_device{}());
  const auto dir = std::filesystem::temp_directory_path() / ("calorix-bench-ten-years-" + std::to_string(random()));
  const CivilDate first{2010, 1, 1};
  const CivilDate last = DecodeDate(*TryEncodeDate(2010, 1, 1) + 3649);
  const auto files = loggen::WriteDays(first, last, dir, loggen::FolderLayout::Year, {});
  LoadRange(state, files.front(), files.back());
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_MultiDayTenYears)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// Finding the files of the widest range there is, 0001-01-01 to 9999-12-31,
// with a few files in month and year folders: what the user waits for
// before the first progress appears.
void BM_DiscoverWholeCalendar(benchmark::State& state) {
  const auto dir = std::filesystem::temp_directory_path() / "calorix-bench-calendar";
  const auto write = [&](const std::string& relative) {
    std::filesystem::create_directories((dir / relative).parent_path());
    std::ofstream(dir / relative) << "DATE & TIME;T1\n";
    return (dir / relative).string();
  };
  const std::string from = write("0001/01/00010101.csv");
  write("0001/02/00010201.csv");
  write("2024/05/20240501.csv");
  const std::string to = write("9999/12/99991231.csv");
  std::size_t found = 0;
  for (auto _ : state) found = ResolveMultiDayRequest(from, to).files.size();
  state.counters["files"] = static_cast<double>(found);
}
BENCHMARK(BM_DiscoverWholeCalendar)->Unit(benchmark::kMillisecond)->Iterations(3);

// Following a day file: a day of 1,439 records is read, then one more
// record is appended and read. The cost should follow the appended record,
// not the day; BM_FollowReadWholeDayAgain is what reading it all again takes.
struct FollowedDay {
  FollowedDay() {
    const std::string bytes = loggen::GenerateDay({2024, 6, 21}, {});
    const std::size_t lastLine = bytes.rfind('\n', bytes.size() - 2) + 1;
    head = bytes.substr(0, lastLine);
    last = bytes.substr(lastLine);
  }
  void Restart() {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << head;
    follower = std::make_unique<DayFileFollower>(path, &upper, &lower);
    follower->Poll();
  }
  std::filesystem::path path = std::filesystem::temp_directory_path() / "calorix-bench-follow.csv";
  std::string head;
  std::string last;
  chart::ChartPanel upper;
  chart::ChartPanel lower;
  std::unique_ptr<DayFileFollower> follower;
};

void BM_FollowAppendOneRecord(benchmark::State& state) {
  FollowedDay day;
  for (auto _ : state) {
    state.PauseTiming();
    day.Restart();
    state.ResumeTiming();
    std::ofstream(day.path, std::ios::binary | std::ios::app) << day.last;
    benchmark::DoNotOptimize(day.follower->Poll());
  }
  state.counters["records"] = static_cast<double>(day.follower->Day()->UpperSeries(Channel::T1).Count());
}
BENCHMARK(BM_FollowAppendOneRecord)->Unit(benchmark::kMicrosecond);

void BM_FollowReadWholeDayAgain(benchmark::State& state) {
  FollowedDay day;
  day.Restart();
  std::ofstream(day.path, std::ios::binary | std::ios::app) << day.last;
  for (auto _ : state) {
    DayFileFollower fresh(day.path, &day.upper, &day.lower);
    benchmark::DoNotOptimize(fresh.Poll());
  }
}
BENCHMARK(BM_FollowReadWholeDayAgain)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace calorix::logdata

BENCHMARK_MAIN();
