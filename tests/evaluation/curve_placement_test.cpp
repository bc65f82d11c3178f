#include "evaluation/curve_placement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/error.h"
#include "evaluation/display_notice.h"
#include "evaluation/panel_setup.h"
#include "i18n/text_table.h"
#include "settings/settings_keys.h"
#include "support/day_file_text.h"
#include "support/temp_folder.h"

namespace calorix::evaluation {
namespace {

using logdata::Channel;

TEST(DisplayNoticeTest, ABatchTellsOnceAtItsEndAndOnlyIfSomethingChanged) {
  DisplayNotice notice;
  int told = 0;
  notice.SetListener([&] { ++told; });
  {
    const DisplayNotice::Batch outer(notice);
    {
      const DisplayNotice::Batch inner(notice);
      notice.Changed();
      notice.Changed();
    }
    EXPECT_EQ(told, 0);  // the outer batch still holds it back
  }
  EXPECT_EQ(told, 1);
  { const DisplayNotice::Batch quiet(notice); }
  EXPECT_EQ(told, 1);
  notice.Changed();
  EXPECT_EQ(told, 2);
}

// The curves of one sample day on a pair of panels, without the model.
class CurvePlacementTest : public ::testing::Test {
 protected:
  CurvePlacementTest() {
    i18n::SetCurrentBlock(i18n::LanguageBlock::English);
    SetUpUpperPanel(upper);
    SetUpLowerPanel(lower);
    load.LoadSingle(std::filesystem::path(CALORIX_SAMPLES_DIR) / "2024/05/20240531.csv", upper, lower);
    day = std::floor(load.Days().DayStartDate(0));
  }
  ~CurvePlacementTest() override { i18n::SetCurrentBlock(i18n::LanguageBlock::German); }

  chart::ChartPanel upper;
  chart::ChartPanel lower;
  EvaluationLoad load;
  TChildSettings settings = DefaultChildSettings();
  CurvePlacement::Checked checked{};
  DisplayNotice notice;
  CurvePlacement curves{upper, lower, load, settings, checked, notice};
  DateTime day = 0.0;
};

TEST_F(CurvePlacementTest, CheckingPlacesTheCurveAndSaysWhetherAnythingChanged) {
  curves.ShowWindow(day, day + 1.0);
  EXPECT_TRUE(curves.SetChecked(Channel::T1, true));
  EXPECT_TRUE(checked[0]);
  EXPECT_EQ(upper.SeriesCount(), 1u);
  EXPECT_FALSE(curves.SetChecked(Channel::T1, true));
  EXPECT_TRUE(curves.SetChecked(Channel::T1, false));
  EXPECT_EQ(upper.SeriesCount(), 0u);
}

TEST_F(CurvePlacementTest, TheCurvesStayWithinTheDaysTheyCoverAndArePlacedAgainAfterForget) {
  curves.ShowWindow(day, day + 1.0);
  curves.SetChecked(Channel::T1, true);
  int told = 0;
  notice.SetListener([&] { ++told; });
  curves.ShowWindow(day + 0.25, day + 0.5);
  EXPECT_EQ(told, 0);
  EXPECT_EQ(lower.BottomAxis().Minimum(), day + 0.25);  // the lower chart follows
  curves.Forget();
  curves.ShowWindow(day + 0.25, day + 0.5);
  EXPECT_EQ(told, 1);
  EXPECT_EQ(upper.SeriesCount(), 1u);
}

TEST_F(CurvePlacementTest, ClearingUnchecksEverything) {
  curves.ShowWindow(day, day + 1.0);
  curves.SetChecked(Channel::T2, true);
  curves.Clear();
  EXPECT_EQ(checked, CurvePlacement::Checked{});
}

// The line runs on through "Err" records; each of them gets a dot on the
// line at its time (the height between the samples around it), which no
// legend lists, in the channel's colour; it goes with the curve.
TEST(ErrMarksTest, ACheckedChannelMarksItsErrRecordsOnTheLine) {
  calorix::testing::TempFolder folder;
  chart::ChartPanel upper;
  chart::ChartPanel lower;
  SetUpUpperPanel(upper);
  SetUpLowerPanel(lower);
  EvaluationLoad load;
  load.LoadSingle(
      folder.Write("20240501.csv", calorix::testing::DayFileText(
                                       "2024-05-01", {"09:00;60,0;;;20,0;;;;;;;;;", "09:01;61,0;;;Err;;;;;;;;;",
                                                      "09:02;62,0;;;Err;;;;;;;;;", "09:03;63,0;;;23,0;;;;;;;;;",
                                                      "09:04;64,0;;;24,0;;;;;;;;;"})),
      upper, lower);
  TChildSettings settings = DefaultChildSettings();
  CurvePlacement::Checked checked{};
  DisplayNotice notice;
  CurvePlacement curves{upper, lower, load, settings, checked, notice};
  const DateTime day = std::floor(load.Days().DayStartDate(0));
  curves.ShowWindow(day, day + 1.0);
  curves.SetChecked(Channel::T1, true);
  EXPECT_EQ(upper.SeriesCount(), 1u) << "no Err record, no marks";
  curves.SetChecked(Channel::T4, true);
  ASSERT_EQ(upper.SeriesCount(), 3u);
  const chart::ChartSeries& marks = *upper.Series().back();
  EXPECT_FALSE(marks.ShowInLegend());
  EXPECT_EQ(marks.SeriesColor(), settings.Colors[static_cast<std::size_t>(logdata::SlotOf(Channel::T4))]);
  std::vector<std::pair<double, double>> dots;
  for (std::size_t i = 0; i < marks.Count(); ++i) {
    if (!marks.IsNull(i)) dots.emplace_back(std::round((marks.X(i) - day) * 1440.0), marks.Y(i));
  }
  ASSERT_EQ(dots.size(), 2u);
  EXPECT_EQ(dots[0].first, 9 * 60 + 1);
  EXPECT_NEAR(dots[0].second, 21.0, 1e-6);
  EXPECT_EQ(dots[1].first, 9 * 60 + 2);
  EXPECT_NEAR(dots[1].second, 22.0, 1e-6);
  EXPECT_GT(marks.PenWidth(), settings.LineWidth) << "a dot that shows on the line";
  curves.SetChecked(Channel::T4, false);
  EXPECT_EQ(upper.SeriesCount(), 1u);
}

TEST(SetFixedRangeTest, EndsGivenTheWrongWayRoundAreShownInOrder) {
  chart::ChartPanel panel;
  TChildSettings settings;
  settings.AxisMin = 120.0;
  settings.AxisMax = -20.0;
  SetFixedRange(panel.LeftAxis(), settings);
  EXPECT_EQ(panel.LeftAxis().Minimum(), -20.0);
  EXPECT_EQ(panel.LeftAxis().Maximum(), 120.0);
}

}  // namespace
}  // namespace calorix::evaluation
