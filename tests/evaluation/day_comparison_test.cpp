#include "evaluation/day_comparison.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "evaluation/date_text.h"
#include "evaluation/evaluation_model.h"
#include "i18n/text_table.h"
#include "logdata/multi_day.h"
#include "settings/settings_keys.h"
#include "support/day_file_text.h"
#include "support/temp_folder.h"

namespace calorix::evaluation {
namespace {

using calorix::testing::DayFileText;
using calorix::testing::TempFolder;
using logdata::Channel;

const DateTime kMay1 = *TryEncodeDate(2024, 5, 1);
const DateTime kMay2 = *TryEncodeDate(2024, 5, 2);
const DateTime kMay3 = *TryEncodeDate(2024, 5, 3);

DateTime At(DateTime day, int hour, int minute, int second = 0) {
  return day + (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

// A record at hh:mm with T1 and Flow as given; the other columns fixed.
std::string Record(const std::string& time, const std::string& t1, const std::string& flow = "1,5") {
  return time + ";" + t1 + ";20,0;30,0;40,0;50,0;60,0;70,0;" + flow + ";2,0;100;0;0;0";
}

TEST(DayComparisonRules, LighterColoursGoHalfwayToWhite) {
  const struct {
    Color color;
    Color lighter;
  } cases[] = {{MakeColor(0, 0, 0), MakeColor(128, 128, 128)},
               {MakeColor(255, 0, 0), MakeColor(255, 128, 128)},
               {MakeColor(0, 100, 200), MakeColor(128, 178, 228)},
               {MakeColor(255, 255, 255), MakeColor(255, 255, 255)}};
  for (const auto& c : cases) EXPECT_EQ(LighterColor(c.color), c.lighter) << std::hex << c.color;
}

TEST(DayComparisonRules, TheComparedNameCarriesTheDate) {
  EXPECT_EQ(ComparedName("Temperature sensor 1", "14.07.2025"), "Temperature sensor 1 (14.07.2025)");
}

// Three days: 1 May from midnight without gaps; 2 May starting late at
// 06:00 with a gap from 06:02 to 06:10; 3 May like 1 May, warmer.
class CompareTest : public ::testing::Test {
 protected:
  CompareTest() {
    i18n::SetCurrentBlock(i18n::LanguageBlock::English);
    model.ApplySettings(DefaultChildSettings());
    const std::vector<std::string> whole = {Record("00:00", "10,0"), Record("06:00", "11,0"), Record("06:01", "12,0"),
                                            Record("06:02", "13,0"), Record("06:03", "14,0")};
    const std::vector<std::string> late = {Record("06:00", "40,0", "3,0"), Record("06:01", "41,0", "3,0"),
                                           Record("06:02", "42,0", "3,0"), Record("06:10", "43,0", "3,0"),
                                           Record("06:11", "44,0", "3,0")};
    const std::vector<std::string> warm = {Record("00:00", "60,0"), Record("00:01", "61,0")};
    first = folder.Write("20240501.csv", DayFileText("2024-05-01", whole));
    folder.Write("20240502.csv", DayFileText("2024-05-02", late));
    last = folder.Write("20240503.csv", DayFileText("2024-05-03", warm));
    LoadRange();
  }
  ~CompareTest() override { i18n::SetCurrentBlock(i18n::LanguageBlock::German); }

  void LoadRange() {
    const logdata::MultiDayRequest request = logdata::ResolveMultiDayRequest(first.string(), last.string());
    logdata::RunMultiDayLoad(request.files, request.start, request.end, model, {});
  }
  // The position of a date in the choice ("(none)" is 0).
  int ItemOf(DateTime date) {
    const auto& items = model.View().comparisonItems;
    const auto at = std::find(items.begin(), items.end(), FormatDate(kNumericDate, date));
    return at == items.end() ? -1 : static_cast<int>(at - items.begin());
  }
  // The Xs of a compared curve as times on `day`, gap markers as negative
  // minutes.
  std::vector<double> Minutes(Channel channel, DateTime day) {
    std::vector<double> minutes;
    const chart::ChartSeries* curve = model.Snapshot().comparison.Curve(channel);
    if (!curve) return minutes;
    for (std::size_t i = 0; i < curve->Count(); ++i) {
      const double minute = std::round((curve->X(i) - day) * 1440.0 * 1000.0) / 1000.0;
      minutes.push_back(curve->IsNull(i) ? -minute : minute);
    }
    return minutes;
  }
  bool Placed(const chart::ChartSeries* series) {
    const auto& placed = model.Upper().Series();
    return series && std::find(placed.begin(), placed.end(), series) != placed.end();
  }

  TempFolder folder;
  std::filesystem::path first;
  std::filesystem::path last;
  EvaluationModel model;
};

TEST_F(CompareTest, ALateDayWithAGapKeepsItsTimesOfDay) {
  model.SetChannelChecked(Channel::T1, true);
  model.SetChannelChecked(Channel::Flow, true);
  model.CompareWith(ItemOf(kMay2));
  EXPECT_EQ(model.View().comparisonItem, 2);
  // Laid over 1 May: still from 06:00, the gap marker still at 06:10.
  const std::vector<double> expected = {360, 361, 362, -370, 370, 371};
  EXPECT_EQ(Minutes(Channel::T1, kMay1), expected);
  EXPECT_EQ(Minutes(Channel::Flow, kMay1), expected);
  EXPECT_TRUE(Placed(model.Snapshot().comparison.Curve(Channel::T1)));
  EXPECT_EQ(model.Snapshot().comparison.Curve(Channel::T1)->Y(0), 40.0);
}

TEST_F(CompareTest, CurvesAreLighterAndNamedWithTheirDate) {
  model.SetChannelChecked(Channel::T1, true);
  model.SetChannelChecked(Channel::R1, true);
  model.CompareWith(ItemOf(kMay2));
  const chart::ChartSeries* curve = model.Snapshot().comparison.Curve(Channel::T1);
  ASSERT_NE(curve, nullptr);
  EXPECT_EQ(curve->Title(), "Temperature sensor 1 (02.05.2024)");
  EXPECT_TRUE(curve->ShowInLegend());
  EXPECT_EQ(curve->SeriesColor(), LighterColor(ChannelColor(model.Settings(), Channel::T1)));
  EXPECT_NE(curve->SeriesColor(), ChannelColor(model.Settings(), Channel::T1));
  // Outputs keep their one band on the lower chart.
  EXPECT_EQ(model.Snapshot().comparison.Curve(Channel::R1), nullptr);

  // Settings and language follow: a new label and colour, then German.
  TChildSettings settings = DefaultChildSettings();
  settings.Labels[static_cast<std::size_t>(SettingSlot::T1)] = "Collector";
  settings.Colors[static_cast<std::size_t>(SettingSlot::T1)] = MakeColor(0, 0, 200);
  settings.LineWidth = 3;
  model.ApplySettings(settings);
  curve = model.Snapshot().comparison.Curve(Channel::T1);
  ASSERT_NE(curve, nullptr);
  EXPECT_EQ(curve->Title(), "Collector (02.05.2024)");
  EXPECT_EQ(curve->SeriesColor(), MakeColor(128, 128, 228));
  EXPECT_EQ(curve->PenWidth(), 3);
  model.ApplySettings(DefaultChildSettings());
  i18n::SetCurrentBlock(i18n::LanguageBlock::German);
  model.ApplyLanguage();
  EXPECT_EQ(model.Snapshot().comparison.Curve(Channel::T1)->Title(),
            i18n::Text(logdata::InfoOf(Channel::T1).defaultNameText) + " (02.05.2024)");
  EXPECT_EQ(model.View().comparisonItems.front(), i18n::Text(i18n::kTextNoComparison));
}

TEST_F(CompareTest, TheReadoutAddsTheComparedValueBelowItsChannel) {
  model.SetChannelChecked(Channel::T1, true);
  model.SetChannelChecked(Channel::T2, true);
  model.CompareWith(ItemOf(kMay2));
  const ValueReadout readout = ReadoutAt(model.Snapshot(), At(kMay1, 6, 1, 30));
  ASSERT_EQ(readout.rows.size(), 4u);
  EXPECT_EQ(readout.rows[0], (ReadoutRow{Channel::T1, "Temperature sensor 1", "\u00B0C", 12.0, false}));
  EXPECT_EQ(readout.rows[1], (ReadoutRow{Channel::T1, "Temperature sensor 1 (02.05.2024)", "\u00B0C", 41.0, true}));
  EXPECT_EQ(readout.rows[2].channel, Channel::T2);
  EXPECT_TRUE(readout.rows[3].compared);
  EXPECT_EQ(RowColor(model.Settings(), readout.rows[1]), LighterColor(ChannelColor(model.Settings(), Channel::T1)));
  EXPECT_EQ(RowColor(model.Settings(), readout.rows[0]), ChannelColor(model.Settings(), Channel::T1));
  // In the compared day's gap and before its late start: no value.
  EXPECT_EQ(ReadoutAt(model.Snapshot(), At(kMay1, 6, 5)).rows[1].value, std::nullopt);
  EXPECT_EQ(ReadoutAt(model.Snapshot(), At(kMay1, 1, 0)).rows[1].value, std::nullopt);
  EXPECT_EQ(ReadoutText(model.Snapshot(), At(kMay1, 6, 1, 30))[2], "Temperature sensor 1 (02.05.2024): 41 \u00B0C");
}

TEST_F(CompareTest, TheComparisonFollowsTheShownDayAndTheChecks) {
  model.SetChannelChecked(Channel::T1, true);
  model.CompareWith(ItemOf(kMay2));
  model.JumpRight();  // to 2 May itself: nothing to lay over it
  EXPECT_TRUE(model.Snapshot().comparison.Empty());
  model.JumpRight();  // 3 May
  EXPECT_EQ(Minutes(Channel::T1, kMay3), (std::vector<double>{360, 361, 362, -370, 370, 371}));
  model.ChooseSpan(static_cast<int>(Span::OneHour));
  model.JumpLeft();  // the same hour of 2 May, then of 1 May
  model.JumpLeft();
  EXPECT_EQ(Minutes(Channel::T1, kMay1).front(), 360);
  model.SetChannelChecked(Channel::T1, false);
  EXPECT_TRUE(model.Snapshot().comparison.Empty());
  model.SetChannelChecked(Channel::T2, true);
  EXPECT_NE(model.Snapshot().comparison.Curve(Channel::T2), nullptr);
}

TEST_F(CompareTest, TheComparisonLeavesWithNoneANewLoadAndTheMonthSpan) {
  model.SetChannelChecked(Channel::T1, true);
  const std::size_t alone = model.Upper().SeriesCount();
  const auto compare = [&] {
    model.CompareWith(ItemOf(kMay3));
    ASSERT_EQ(model.Upper().SeriesCount(), alone + 1);
  };
  compare();
  model.CompareWith(0);
  EXPECT_EQ(model.Upper().SeriesCount(), alone);
  EXPECT_EQ(model.Snapshot().comparedDay, std::nullopt);

  compare();
  model.ChooseSpan(static_cast<int>(Span::Month));
  EXPECT_TRUE(model.Snapshot().comparison.Empty());
  EXPECT_FALSE(model.View().comparisonEnabled);
  model.ChooseSpan(static_cast<int>(Span::Day));  // the choice is kept
  EXPECT_FALSE(model.Snapshot().comparison.Empty());

  LoadRange();
  EXPECT_TRUE(model.Snapshot().comparison.Empty());
  EXPECT_EQ(model.View().comparisonItem, 0);
  EXPECT_EQ(model.Upper().SeriesCount(), 0u);

  model.SetChannelChecked(Channel::T1, true);
  compare();
  model.Reset();
  EXPECT_TRUE(model.Snapshot().comparison.Empty());
  EXPECT_FALSE(model.View().comparisonEnabled);
  EXPECT_EQ(model.Upper().SeriesCount(), 0u);
}

}  // namespace
}  // namespace calorix::evaluation
