#include "evaluation/range_summary.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <array>

#include "chart/chart_panel.h"
#include "evaluation/evaluation_model.h"
#include "i18n/text_table.h"
#include "logdata/log_analysis.h"
#include "logdata/multi_day.h"
#include "settings/settings_keys.h"
#include "support/day_file_text.h"
#include "support/temp_folder.h"

namespace calorix::evaluation {
namespace {

using calorix::testing::DayFileText;
using calorix::testing::TempFolder;
using logdata::Channel;

constexpr double kMay1 = 45413.0;  // 2024-05-01
constexpr double kMay31 = 45443.0;
constexpr double kMinute = 1.0 / 1440.0;

class EnglishTexts {
 protected:
  EnglishTexts() { i18n::SetCurrentBlock(i18n::LanguageBlock::English); }
  ~EnglishTexts() { i18n::SetCurrentBlock(i18n::LanguageBlock::German); }
};

// 1 and 3 May of a range from 1 to 3 May; 2 May has no file. On 1 May T1
// reads "Err" once and the records stop from 00:04 to 00:09; T2 holds only
// an "Err". Flow and power stay at 2 l/min and 3 kW on 1 May and at 1 on
// 3 May, so the days collect 2880 l and 72 kWh, 1440 l and 24 kWh.
class RangeSummaryTest : public ::testing::Test, protected EnglishTexts {
 protected:
  RangeSummaryTest() {
    const auto first = folder.Write("20240501.csv", DayFileText("2024-05-01", {
                                                                                  "00:00;10;Err;;;;;;2;3;0;;;",
                                                                                  "00:01;Err;;;;;;;2;3;100;;;",
                                                                                  "00:02;30;;;;;;;2;3;100;;;",
                                                                                  "00:03;20;;;;;;;2;3;100;;;",
                                                                                  "00:10;25;;;;;;;2;3;50;;;",
                                                                                  "00:11;30;;;;;;;2;3;0;;;",
                                                                              }));
    const auto third = folder.Write("20240503.csv", DayFileText("2024-05-03", {
                                                                                  "00:00;30;;;;;;;1;1;100;;;",
                                                                                  "00:01;5;;;;;;;1;1;0;;;",
                                                                              }));
    analysis = logdata::TLogAnalysis::CreateMulti(kMay1, kMay1 + 2.0, 2, first, &upper, &lower, {});
    analysis->AddDayFile(third);
  }
  RangeSummary Summarize(DateTime from, DateTime to) {
    static constexpr std::array<Channel, 3> kAsked = {Channel::T1, Channel::T2, Channel::Flow};
    return SummarizeRange(*analysis, from, to, kAsked);
  }

  TempFolder folder;
  chart::ChartPanel upper;
  chart::ChartPanel lower;
  std::unique_ptr<logdata::TLogAnalysis> analysis;
};

TEST_F(RangeSummaryTest, ValuesOfADayWithGapsAndErrAgainstHandComputedOnes) {
  // From 00:02 to 00:10:30 of 1 May: T1 30, 20 and 25; R1 on from 00:02 to
  // 00:03 and (at level 50) from 00:10 to the window's end, not across the gap.
  const RangeSummary part = Summarize(kMay1 + 2 * kMinute, kMay1 + 10.5 * kMinute);
  ASSERT_EQ(part.channels.size(), 2u) << "T2 holds no value";
  EXPECT_EQ(part.channels[0].channel, Channel::T1);
  const SeriesStatistics& t1 = part.channels[0].statistics;
  EXPECT_EQ(t1.count, 3u);
  EXPECT_DOUBLE_EQ(t1.minimum, 20.0);
  EXPECT_DOUBLE_EQ(t1.maximum, 30.0);
  EXPECT_NEAR(t1.maximumAt, kMay1 + 2 * kMinute, 1e-9);
  EXPECT_DOUBLE_EQ(t1.mean, 25.0);
  ASSERT_EQ(part.outputs.size(), 1u) << "R2, R3 and RError hold no record";
  EXPECT_EQ(part.outputs[0].channel, Channel::R1);
  EXPECT_NEAR(part.outputs[0].hours, 1.5 / 60.0, 1e-9);
  // The whole day's totals: the figures of its bar.
  EXPECT_NEAR(part.volume, 2880.0, 1e-6);
  EXPECT_NEAR(part.energy, 72.0, 1e-6);
  EXPECT_EQ(part.daysWithFile, 1);
  EXPECT_EQ(part.daysWithoutFile, 0);
}

TEST_F(RangeSummaryTest, DaysCombineWithTheFirstMaximumAndCountDaysWithoutAFileWithinTheEvaluation) {
  // From noon of 30 April to 5 May: only 1 to 3 May belong to the
  // evaluation, and 2 May has no file.
  const RangeSummary all = Summarize(kMay1 - 0.5, kMay1 + 4.0);
  ASSERT_EQ(all.channels.size(), 2u);
  const SeriesStatistics& t1 = all.channels[0].statistics;
  EXPECT_EQ(t1.count, 7u);
  EXPECT_DOUBLE_EQ(t1.minimum, 5.0);
  EXPECT_DOUBLE_EQ(t1.maximum, 30.0);
  EXPECT_NEAR(t1.maximumAt, kMay1 + 2 * kMinute, 1e-9) << "the first 30, not the one of 3 May";
  EXPECT_NEAR(t1.mean, 150.0 / 7.0, 1e-9);
  EXPECT_EQ(all.channels[1].channel, Channel::Flow);
  EXPECT_NEAR(all.channels[1].statistics.mean, 14.0 / 8.0, 1e-9);
  EXPECT_NEAR(all.outputs[0].hours, 4.0 / 60.0, 1e-9);
  EXPECT_NEAR(all.volume, 2880.0 + 1440.0, 1e-6);
  EXPECT_NEAR(all.energy, 72.0 + 24.0, 1e-6);
  EXPECT_EQ(all.daysWithFile, 2);
  EXPECT_EQ(all.daysWithoutFile, 1);

  // The day without a file alone; a window ending a hair after midnight
  // touches no further day.
  const RangeSummary gap = Summarize(kMay1 + 1.0, kMay1 + 2.0 + 1e-9);
  EXPECT_TRUE(gap.channels.empty());
  EXPECT_TRUE(gap.outputs.empty());
  EXPECT_EQ(gap.energy, 0.0);
  EXPECT_EQ(gap.daysWithoutFile, 1);
}

// The figures kept for whole days give the same summary, to the last bit,
// as walking every value, whether the days are whole, cut at an end or
// asked for again.
TEST_F(RangeSummaryTest, KeptWholeDayFiguresGiveTheSameSummaryAsWalkingTheValues) {
  static constexpr std::array<Channel, 4> kAsked = {Channel::T1, Channel::T2, Channel::Flow, Channel::Power};
  const std::array<std::pair<DateTime, DateTime>, 5> windows = {{
      {kMay1 - 0.5, kMay1 + 4.0},                     // both days whole
      {kMay1 + 2.5 * kMinute, kMay1 + 3.0},           // 1 May cut, 3 May whole
      {kMay1, kMay1 + 2.0 + 0.5 * kMinute},           // 1 May whole, 3 May cut
      {kMay1 + 2 * kMinute, kMay1 + 10.5 * kMinute},  // within a day
      {kMay1 - 0.5, kMay1 + 4.0},                     // again, from what is kept
  }};
  WholeDayFigures kept;
  for (const auto& [from, to] : windows) {
    SCOPED_TRACE(::testing::Message() << from << " " << to);
    const RangeSummary walked = SummarizeRange(*analysis, from, to, kAsked);
    const RangeSummary fast = SummarizeRange(*analysis, from, to, kAsked, &kept);
    ASSERT_EQ(fast.channels.size(), walked.channels.size());
    for (std::size_t i = 0; i < walked.channels.size(); ++i) {
      const SeriesStatistics& a = walked.channels[i].statistics;
      const SeriesStatistics& b = fast.channels[i].statistics;
      EXPECT_EQ(fast.channels[i].channel, walked.channels[i].channel);
      EXPECT_EQ(b.count, a.count);
      EXPECT_EQ(b.minimum, a.minimum);
      EXPECT_EQ(b.maximum, a.maximum);
      EXPECT_EQ(b.maximumAt, a.maximumAt);
      EXPECT_EQ(b.mean, a.mean);
    }
    ASSERT_EQ(fast.outputs.size(), walked.outputs.size());
    for (std::size_t i = 0; i < walked.outputs.size(); ++i) {
      EXPECT_EQ(fast.outputs[i].channel, walked.outputs[i].channel);
      EXPECT_EQ(fast.outputs[i].hours, walked.outputs[i].hours);
    }
  }
}

TEST_F(RangeSummaryTest, TextIsTwoTabSeparatedColumnsWithTheDateOfTheMaximumAndTheBestDayAcrossDays) {
  SummaryNames names;
  for (int i = 0; i < logdata::kChannelCount; ++i) {
    names.labels[static_cast<std::size_t>(i)] = "C" + std::to_string(i);
    names.units[static_cast<std::size_t>(i)] = "u" + std::to_string(i);
  }
  const std::vector<std::string> lines = SummaryLines(Summarize(kMay1, kMay1 + 3.0), names, '.');
  const std::vector<std::string> expected = {
      "01.05.2024 00:00 \u2013 04.05.2024 00:00",
      "C0 [u0]",
      "  Minimum\t5",
      "  Maximum\t30",
      "  Time of maximum\t01.05. 00:02",
      "  Mean\t21.43",
      "C7 [u7]",
      "  Minimum\t1",
      "  Maximum\t2",
      "  Time of maximum\t01.05. 00:00",
      "  Mean\t1.75",
      "Running hours [h]",
      "  C9\t0.07",
      "C13 [u13]\t4320",
      "C14 [u14]\t96",
      "Best day 01.05.2024 [u14]\t72",
      "Days without a file\t1",
  };
  EXPECT_EQ(lines, expected);
  // Within one day the time of the maximum is the time alone, and there is
  // no best day.
  const std::vector<std::string> day = SummaryLines(Summarize(kMay1, kMay1 + 1.0), names, '.');
  EXPECT_EQ(day[4], "  Time of maximum\t00:02");
  EXPECT_EQ(std::count_if(day.begin(), day.end(), [](const std::string& line) { return line.starts_with("Best"); }), 0);
}

// A reader whose language writes "," gets every number with it, and only
// numbers: dates and times keep their dots and colons.
TEST_F(RangeSummaryTest, NumbersTakeTheGivenDecimalPointAndNothingElseDoes) {
  SummaryNames names;
  names.labels.fill("C");
  const std::vector<std::string> lines = SummaryLines(Summarize(kMay1, kMay1 + 3.0), names, ',');
  EXPECT_EQ(lines[0], "01.05.2024 00:00 \u2013 04.05.2024 00:00");
  EXPECT_EQ(lines[4], "  Time of maximum\t01.05. 00:02");
  EXPECT_EQ(lines[5], "  Mean\t21,43");
  EXPECT_EQ(lines[12], "  C\t0,07");
}

class ModelSummaryTest : public ::testing::Test, protected EnglishTexts {
 protected:
  ModelSummaryTest() {
    model.ApplySettings(DefaultChildSettings());
    const auto first = std::filesystem::path(CALORIX_SAMPLES_DIR) / "2024/05/20240530.csv";
    const auto last = std::filesystem::path(CALORIX_SAMPLES_DIR) / "2024/06/20240602.csv";
    const logdata::MultiDayRequest request = logdata::ResolveMultiDayRequest(first.string(), last.string());
    logdata::RunMultiDayLoad(request.files, request.start, request.end, model, {});
  }
  // The daily totals of the days in [from, to).
  double DailyEnergy(DateTime from, DateTime to) {
    double sum = 0.0;
    for (const DayTotals& day : model.Snapshot().load.DailyTotals()) {
      if (day.day >= from && day.day < to) sum += day.energy;
    }
    return sum;
  }
  // The heights of the daily energy bars in [from, to), which keep a
  // float's precision.
  double EnergyBars(DateTime from, DateTime to) {
    double sum = 0.0;
    model.Snapshot().load.VisitChannelSeries(Channel::Energy, [&](const chart::ChartSeries& bars, DateTime, DateTime) {
      for (std::size_t i = 0; i < bars.Count(); ++i) {
        if (bars.X(i) >= from && bars.X(i) < to) sum += bars.Y(i);
      }
    });
    return sum;
  }

  EvaluationModel model;
};

TEST_F(ModelSummaryTest, EnergyOfTheShownRangeIsTheSumOfItsDailyTotalBars) {
  model.ChooseSpan(4);  // May, with its files of 30 and 31 May
  const RangeSummary may = Summary(model.Snapshot());
  EXPECT_GT(may.energy, 20.0);
  EXPECT_DOUBLE_EQ(may.energy, DailyEnergy(kMay31 - 30.0, kMay31 + 1.0));
  EXPECT_NEAR(may.energy, EnergyBars(kMay31 - 30.0, kMay31 + 1.0), 1e-5);
  EXPECT_EQ(may.daysWithFile, 2);
  EXPECT_EQ(may.daysWithoutFile, 0) << "the days before the evaluation's first are not missing";
  model.JumpRight();  // June
  const RangeSummary june = Summary(model.Snapshot());
  EXPECT_GT(june.energy, 0.0);
  EXPECT_DOUBLE_EQ(june.energy, DailyEnergy(kMay31 + 1.0, kMay31 + 31.0));
  EXPECT_NEAR(june.energy, EnergyBars(kMay31 + 1.0, kMay31 + 31.0), 1e-5);
}

TEST_F(ModelSummaryTest, TheShownWindowsCheckedChannelsAreSummarised) {
  EXPECT_TRUE(Summary(model.Snapshot()).channels.empty()) << "nothing checked";
  model.SetChannelChecked(Channel::T1, true);
  model.ChooseSpan(0);  // 00:00 to 01:00 of 30 May
  const RangeSummary hour = Summary(model.Snapshot());
  ASSERT_EQ(hour.channels.size(), 1u);
  EXPECT_EQ(hour.channels[0].statistics.count, 60u);
  EXPECT_NE(model.SummaryText().find("Temperature sensor 1 [\u00B0C]\n"), std::string::npos);
  model.Reset();
  EXPECT_TRUE(Summary(model.Snapshot()).channels.empty());
  EXPECT_EQ(model.SummaryText(), "");
}

}  // namespace
}  // namespace calorix::evaluation
