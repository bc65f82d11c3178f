// What a window following a log spends on one record appended: the record
// read, the shown curves placed again with their axes, the kept figures of
// the grown day dropped. Half a day is there; each iteration appends the
// next minute's record and looks at the file.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "core/child_settings.h"
#include "evaluation/evaluation_model.h"
#include "settings/settings_keys.h"
#include "tools/log_generator.h"

namespace calorix::evaluation {
namespace {

using logdata::Channel;

// The first half of a generated day is written; the rest comes a record
// at a time.
class GrowingDay {
 public:
  GrowingDay(const std::filesystem::path& path, CivilDate date) : path_(path) {
    const std::string bytes = loggen::GenerateDay(date, {});
    std::size_t at = 0;
    while (at < bytes.size()) {
      const std::size_t end = bytes.find('\n', at);
      lines_.push_back(bytes.substr(at, end - at + 1));
      at = end + 1;
    }
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (next_ = 0; next_ < lines_.size() / 2; ++next_) out << lines_[next_];
  }
  bool AppendNext() {
    if (next_ >= lines_.size()) return false;
    std::ofstream(path_, std::ios::binary | std::ios::app) << lines_[next_++];
    return true;
  }

 private:
  std::filesystem::path path_;
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
};

std::filesystem::path BenchFolder() {
  std::mt19937_64 random(std::random_device{}());
  return std::filesystem::temp_directory_path() / ("calorix-bench-follow-" + std::to_string(random()));
}

void Follow(benchmark::State& state, int earlierDays, Span span, std::initializer_list<Channel> channels) {
  const std::filesystem::path dir = BenchFolder();
  const CivilDate today{2024, 6, 30};
  const DateTime todayDate = *TryEncodeDate(today.year, today.month, today.day);
  if (earlierDays > 0) {
    loggen::WriteDays(DecodeDate(todayDate - earlierDays), DecodeDate(todayDate - 1), dir, loggen::FolderLayout::Flat,
                      {});
  }
  const std::filesystem::path first = loggen::DayFilePath(dir, DecodeDate(todayDate - earlierDays), {});
  GrowingDay day(loggen::DayFilePath(dir, today, {}), today);
  EvaluationModel model;
  model.ApplySettings(DefaultChildSettings());
  model.Follow(first, todayDate);
  model.ChooseSpan(static_cast<int>(span));
  for (const Channel channel : channels) model.SetChannelChecked(channel, true);
  int grown = 0;
  for (auto _ : state) {
    if (!day.AppendNext()) {
      state.SkipWithError("the day is full");
      break;
    }
    grown += model.LookAtFollowed(todayDate) == EvaluationModel::FollowLook::Grown ? 1 : 0;
  }
  state.counters["days"] = static_cast<double>(model.Snapshot().load.DayCount());
  state.counters["grown"] = grown;
  std::filesystem::remove_all(dir);
}

// One day, its day span, the usual channels.
void BM_FollowedDayTakesOneRecord(benchmark::State& state) {
  Follow(state, 0, Span::Day, {Channel::T1, Channel::T2, Channel::Power, Channel::R1});
}
BENCHMARK(BM_FollowedDayTakesOneRecord)->Unit(benchmark::kMicrosecond)->Iterations(500);

// A month followed since its first day, its month span with the daily
// energy bars.
void BM_FollowedMonthTakesOneRecord(benchmark::State& state) {
  Follow(state, 29, Span::Month, {Channel::T1, Channel::Energy, Channel::R1});
}
BENCHMARK(BM_FollowedMonthTakesOneRecord)->Unit(benchmark::kMicrosecond)->Iterations(500);

}  // namespace
}  // namespace calorix::evaluation

BENCHMARK_MAIN();
