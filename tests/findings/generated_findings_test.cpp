// Findings on generated days: none where nothing was injected, and each
// injected pattern found as itself, on its day and over its period.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/chart_panel.h"
#include "findings/findings.h"
#include "logdata/log_analysis.h"
#include "logdata/multi_day.h"
#include "support/temp_folder.h"
#include "tools/log_generator.h"

namespace calorix::findings {
namespace {

using calorix::testing::TempFolder;
using logdata::Channel;

constexpr double kMinute = 1.0 / 1440.0;

DateTime Serial(CivilDate date) { return *TryEncodeDate(date.year, date.month, date.day); }

class GeneratedRange : public ::testing::Test {
 protected:
  std::vector<Finding> Generate(CivilDate from, CivilDate to, const std::string& injections = {}) {
    loggen::Options options;
    options.seed = 7;
    if (!injections.empty()) options.injections = loggen::ParseInjections(injections);
    // A folder of its own for each range.
    const std::filesystem::path dir = folder_ / std::to_string(++ranges_);
    loggen::WriteDays(from, to, dir, loggen::FolderLayout::Month, options);
    const auto request =
        logdata::ResolveMultiDayRequest(loggen::DayFilePath(dir, from, loggen::FolderLayout::Month).string(),
                                        loggen::DayFilePath(dir, to, loggen::FolderLayout::Month).string());
    logdata::EvaluationBuilder builder(&upper_, &lower_);
    logdata::RunMultiDayLoad(request.files, request.start, request.end, builder, {});
    analysis_ = builder.TakeEvaluation();
    return FindFindings(*analysis_);
  }

 private:
  TempFolder folder_;
  int ranges_ = 0;
  chart::ChartPanel upper_;
  chart::ChartPanel lower_;
  std::unique_ptr<logdata::TLogAnalysis> analysis_;
};

TEST_F(GeneratedRange, TwoSummerMonthsWithoutInjectionsHaveNoFinding) {
  const std::vector<Finding> found = Generate({2024, 6, 1}, {2024, 7, 31});
  for (const Finding& f : found)
    ADD_FAILURE() << KindWord(f.kind) << " " << FormatDateTime("yyyy-mm-dd hh:nn", f.start);
}

TEST_F(GeneratedRange, WinterWithoutInjectionsHasNoFinding) {
  EXPECT_TRUE(Generate({2024, 12, 15}, {2025, 1, 15}).empty());
}

// Each pattern on 15 July of a range from 14 to 16 July, by its fixed
// period (minutes of the day; the end as the finding gives it).
struct Injected {
  const char* injection;
  FindingKind kind;
  std::optional<Channel> channel;
  int startMinute;
  int endMinute;
  std::optional<double> figure;
};

TEST_F(GeneratedRange, EachInjectedPatternIsFoundOverItsPeriod) {
  const Injected cases[] = {
      {"overheat:2024-07-15", FindingKind::Overheat, Channel::T1, 780, 800, 134.5},
      {"no-yield:2024-07-15", FindingKind::NoYield, Channel::R1, 120, 165, std::nullopt},
      {"cycling:2024-07-15:R2", FindingKind::Cycling, Channel::R2, 120, 178, 15.0},
      {"err:2024-07-15:T3", FindingKind::Err, Channel::T3, 540, 554, 15.0},
      {"out-of-range:2024-07-15:T4", FindingKind::OutOfRange, Channel::T4, 480, 485, -60.0},
      {"stuck:2024-07-15:T5", FindingKind::Stuck, Channel::T5, 0, 1439, std::nullopt},
      {"fault:2024-07-15", FindingKind::Fault, Channel::RError, 660, 680, 100.0},
      {"gap:2024-07-15", FindingKind::Gap, std::nullopt, 839, 870, 31.0},
      {"missing-day:2024-07-15", FindingKind::MissingDay, std::nullopt, 0, 1440, 1.0},
  };
  for (const Injected& c : cases) {
    SCOPED_TRACE(c.injection);
    const std::vector<Finding> found = Generate({2024, 7, 14}, {2024, 7, 16}, c.injection);
    ASSERT_EQ(found.size(), 1u) << (found.empty() ? "" : KindWord(found[0].kind));
    const DateTime day = Serial({2024, 7, 15});
    EXPECT_EQ(found[0].kind, c.kind);
    EXPECT_EQ(found[0].channel, c.channel);
    EXPECT_NEAR(found[0].start, day + c.startMinute * kMinute, 1e-9);
    EXPECT_NEAR(found[0].end, day + c.endMinute * kMinute, 1e-9);
    if (c.figure) {
      EXPECT_DOUBLE_EQ(found[0].figure, *c.figure);
    }
  }
}

TEST_F(GeneratedRange, InjectedNightLossIsFoundAroundItsHours) {
  const std::vector<Finding> found = Generate({2024, 7, 14}, {2024, 7, 16}, "night-loss:2024-07-15");
  ASSERT_EQ(found.size(), 1u);
  const DateTime day = Serial({2024, 7, 15});
  EXPECT_EQ(found[0].kind, FindingKind::NightLoss);
  // The tank falls from 01:00 to 03:00; the hours that hold enough of it
  // reach a little beyond.
  EXPECT_GT(found[0].start, day);
  EXPECT_LE(found[0].start, day + 60 * kMinute);
  EXPECT_GE(found[0].end, day + 180 * kMinute);
  EXPECT_LT(found[0].end, day + 240 * kMinute);
  EXPECT_NEAR(found[0].figure, 4.0, 0.5);
}

TEST_F(GeneratedRange, InjectionsOnSeveralDaysGiveOneFindingEach) {
  const std::vector<Finding> found =
      Generate({2024, 7, 13}, {2024, 7, 17}, "overheat:2024-07-14,cycling:2024-07-15,err:2024-07-16:T3");
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found[0].kind, FindingKind::Overheat);
  EXPECT_EQ(std::floor(found[0].start), Serial({2024, 7, 14}));
  EXPECT_EQ(found[1].kind, FindingKind::Cycling);
  EXPECT_EQ(found[2].kind, FindingKind::Err);
  EXPECT_EQ(std::floor(found[2].start), Serial({2024, 7, 16}));
}

}  // namespace
}  // namespace calorix::findings
