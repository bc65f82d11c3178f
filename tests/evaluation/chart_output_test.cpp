#include "evaluation/chart_output.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "chart/chart_series.h"

namespace calorix::evaluation {
namespace {

TEST(FitChartsOnPage, FitsTheScreenProportionsAtNinetyPercent) {
  // An 800 pixel wide window with charts 380 and 120 high on 4000 x 3000.
  EXPECT_EQ(FitChartsOnPage(4000, 3000, 800, 380, 120), (PrintPage{4000, 2500, 200, 375, 1710, 540}));
  // A chart without series leaves its room to the other.
  EXPECT_EQ(FitChartsOnPage(4000, 3000, 800, 0, 120), (PrintPage{4000, 600, 200, 1230, 0, 540}));
  EXPECT_EQ(FitChartsOnPage(4000, 3000, 800, 380, 0), (PrintPage{4000, 1900, 200, 645, 1710, 0}));
}

TEST(FitChartsOnPage, NothingToPrintWithoutWidthOrSeries) {
  EXPECT_FALSE(FitChartsOnPage(4000, 3000, 0, 380, 120));
  EXPECT_FALSE(FitChartsOnPage(4000, 3000, 800, 0, 0));
}

TEST(ProposedImageName, DayMonthOrNoDate) {
  const double may5 = 40303.0;  // 2010-05-05
  EXPECT_EQ(ProposedImageName(may5, false), "Chart 2010-05-05.bmp");
  EXPECT_EQ(ProposedImageName(may5, true), "Chart 05. 2010.bmp");
  EXPECT_EQ(ProposedImageName(std::nullopt, false), "Chart.bmp");
  EXPECT_EQ(ProposedImageName(may5, Span::Year), "Chart 2010.bmp");
  EXPECT_EQ(ProposedImageName(may5, Span::Month), "Chart 05. 2010.bmp");
}

class OutputTitlesTest : public ::testing::Test {
 protected:
  OutputTitlesTest() {
    upper.AddTitleLine("31. May 2024");
    lower.SetTitleVisible(false);
  }
  void PlaceOn(chart::ChartPanel& panel) {
    series.push_back(std::make_unique<chart::ChartSeries>(chart::SeriesKind::Line, &panel));
    series.back()->PlaceOnPanel();
  }
  void ExpectRestored() {
    EXPECT_EQ(upper.TitleLines(), std::vector<std::string>{"31. May 2024"});
    EXPECT_TRUE(lower.TitleLines().empty());
    EXPECT_FALSE(lower.TitleVisible());
    EXPECT_FALSE(upper.LegendVisible());
    EXPECT_FALSE(lower.LegendVisible());
  }
  chart::ChartPanel upper;
  chart::ChartPanel lower;
  std::vector<std::unique_ptr<chart::ChartSeries>> series;
};

TEST_F(OutputTitlesTest, HeadlineGoesAboveTheDateOfAnUpperChartWithSeries) {
  PlaceOn(upper);
  PlaceOn(lower);
  {
    const OutputTitles titles(upper, lower, "Roof");
    EXPECT_EQ(upper.TitleLines(), (std::vector<std::string>{"Roof", "31. May 2024"}));
    EXPECT_FALSE(lower.TitleVisible());
    EXPECT_TRUE(upper.LegendVisible());
    EXPECT_TRUE(lower.LegendVisible());
  }
  ExpectRestored();
}

TEST_F(OutputTitlesTest, AnEmptyHeadlineAddsNoLine) {
  PlaceOn(upper);
  {
    const OutputTitles titles(upper, lower, "");
    EXPECT_EQ(upper.TitleLines(), std::vector<std::string>{"31. May 2024"});
  }
  ExpectRestored();
}

TEST_F(OutputTitlesTest, ALowerChartAloneTakesTheHeadlineAndTheDate) {
  PlaceOn(lower);
  for (const std::string headline : {"Roof", ""}) {
    {
      const OutputTitles titles(upper, lower, headline);
      EXPECT_EQ(lower.TitleLines(), (std::vector<std::string>{headline, "31. May 2024"}));
      EXPECT_TRUE(lower.TitleVisible());
      EXPECT_EQ(upper.TitleLines(), std::vector<std::string>{"31. May 2024"});
    }
    ExpectRestored();
  }
}

}  // namespace
}  // namespace calorix::evaluation
