// The evaluation's findings: found once a load is complete, marked on the
// lower chart, shown by moving to their day and period, and written as the
// findings list shows them. The finding rules themselves are tested in
// tests/findings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "evaluation/evaluation_model.h"
#include "evaluation/finding_text.h"
#include "i18n/text_table.h"
#include "logdata/multi_day.h"
#include "support/temp_folder.h"
#include "tools/log_generator.h"

namespace calorix::evaluation {
namespace {

using findings::Finding;
using findings::FindingKind;

constexpr double kMinute = 1.0 / 1440.0;
constexpr DateTime kJuly14 = 45487.0;  // 2024-07-14

class EvaluationFindings : public ::testing::Test {
 protected:
  void SetUp() override {
    i18n::SetCurrentBlock(i18n::LanguageBlock::English);
    // Channels named by default, as a new window names them.
    TChildSettings settings;
    settings.Labels.fill(kDefaultLabel);
    model_.ApplySettings(settings);
  }

  // 14 to 16 July with an overheating collector on the 15th and a T3 that
  // reads "Err" on the 16th.
  void LoadInjectedRange() {
    loggen::Options options;
    options.seed = 7;
    options.injections = loggen::ParseInjections("overheat:2024-07-15,err:2024-07-16:T3");
    loggen::WriteDays({2024, 7, 14}, {2024, 7, 16}, folder_.Path(), loggen::FolderLayout::Month, options);
    const auto request = logdata::ResolveMultiDayRequest(
        loggen::DayFilePath(folder_.Path(), {2024, 7, 14}, loggen::FolderLayout::Month).string(),
        loggen::DayFilePath(folder_.Path(), {2024, 7, 16}, loggen::FolderLayout::Month).string());
    model_.Begin(static_cast<unsigned>(request.files.size()), request.files.front(), request.start, request.end);
    for (const auto& file : request.files) {
      model_.Add(file);
      EXPECT_TRUE(model_.Findings().empty()) << "found while the range loads";
    }
    model_.End();
  }
  const Finding& Only(FindingKind kind) {
    const auto& all = model_.Findings();
    const auto it = std::find_if(all.begin(), all.end(), [&](const Finding& f) { return f.kind == kind; });
    EXPECT_NE(it, all.end());
    return *it;
  }

  calorix::testing::TempFolder folder_;
  EvaluationModel model_;
};

TEST_F(EvaluationFindings, ALoadedRangeMarksEachFindingsPeriodOnTheLowerChart) {
  LoadInjectedRange();
  ASSERT_EQ(model_.Findings().size(), 2u);
  std::vector<chart::ValueRange> periods;
  for (const Finding& f : model_.Findings()) periods.push_back({f.start, f.end});
  EXPECT_EQ(model_.Lower().Bands(), periods);

  model_.Reset();
  EXPECT_TRUE(model_.Findings().empty());
  EXPECT_TRUE(model_.Lower().Bands().empty());
}

TEST_F(EvaluationFindings, StricterThresholdsFindAgain) {
  LoadInjectedRange();
  findings::FindingThresholds hotter;
  hotter.overheatTemperature = 200.0;
  model_.SetFindingThresholds(hotter);
  ASSERT_EQ(model_.Findings().size(), 1u);
  EXPECT_EQ(model_.Findings().front().kind, FindingKind::Err);
  EXPECT_EQ(model_.Lower().Bands().size(), 1u);
}

// A finding is shown on its day in the day span, zoomed to its period, at
// least an hour wide and within the day.
TEST_F(EvaluationFindings, ShowingAFindingZoomsToItsPeriodOnItsDay) {
  LoadInjectedRange();
  model_.ChooseSpan(static_cast<int>(Span::Month));
  const Finding overheat = Only(FindingKind::Overheat);
  model_.ShowFinding(overheat);
  EXPECT_EQ(model_.View().span, Span::Day);
  EXPECT_EQ(model_.ShownDay(), kJuly14 + 1.0);
  ASSERT_LT(overheat.end - overheat.start, 60 * kMinute);
  EXPECT_NEAR(model_.TimeWindow().min, overheat.start, 1e-9);
  EXPECT_NEAR(model_.TimeWindow().max, overheat.start + 60 * kMinute, 1e-9);

  Finding late = overheat;  // the last half hour of the 16th
  late.start = kJuly14 + 2.0 + 1410 * kMinute;
  late.end = late.start + 10 * kMinute;
  model_.ShowFinding(late);
  EXPECT_EQ(model_.ShownDay(), kJuly14 + 2.0);
  EXPECT_NEAR(model_.TimeWindow().min, kJuly14 + 2.0 + 1380 * kMinute, 1e-9);
  EXPECT_NEAR(model_.TimeWindow().max, kJuly14 + 3.0, 1e-9);

  Finding long_ = overheat;  // longer than an hour: the whole period
  long_.end = overheat.start + 150 * kMinute;
  model_.ShowFinding(long_);
  EXPECT_NEAR(model_.TimeWindow().max - model_.TimeWindow().min, 150 * kMinute, 1e-9);
}

TEST_F(EvaluationFindings, CellsFollowTheLanguage) {
  LoadInjectedRange();
  const Finding overheat = Only(FindingKind::Overheat);
  const FindingCells english = FindingCellsOf(overheat, *model_.Snapshot().load.Data(), model_.Settings());
  EXPECT_EQ(english.period, "15.07.2024 13:00 \u2013 13:20");
  EXPECT_EQ(english.kind, "Collector overheating");
  EXPECT_EQ(english.channel, "Temperature sensor 1");
  EXPECT_TRUE(english.figure.starts_with("134.5 \u00b0C (13:")) << english.figure;

  i18n::SetCurrentBlock(i18n::LanguageBlock::German);
  const FindingCells german = FindingCellsOf(overheat, *model_.Snapshot().load.Data(), model_.Settings());
  EXPECT_EQ(german.kind, "Kollektorüberhitzung");
  EXPECT_TRUE(german.figure.starts_with("134,5 \u00b0C")) << german.figure;

  // Across midnight the end names its date too.
  Finding night = overheat;
  night.kind = FindingKind::NightLoss;
  night.start = kJuly14 + 22.0 / 24.0;
  night.end = kJuly14 + 1.0 + 5.0 / 24.0;
  night.figure = 3.456;
  const FindingCells nightCells = FindingCellsOf(night, *model_.Snapshot().load.Data(), model_.Settings());
  EXPECT_EQ(nightCells.period, "14.07.2024 22:00 \u2013 15.07.2024 05:00");
  EXPECT_EQ(nightCells.figure, "3,5 K/h");
}

}  // namespace
}  // namespace calorix::evaluation
