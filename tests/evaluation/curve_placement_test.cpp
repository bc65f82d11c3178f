#include "evaluation/curve_placement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/error.h"
#include "evaluation/display_notice.h"
#include "evaluation/panel_setup.h"
#include "i18n/text_table.h"
#include "settings/settings_keys.h"

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
