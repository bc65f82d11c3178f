#include "ui/child_form.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "i18n/text_table.h"
#include "ui/date_text.h"
#include "ui_test_support.h"

namespace calorix::ui {
namespace {

using testing::DayFile;
using testing::SampleFile;
using testing::TempFolder;

constexpr double kMay31 = 45443.0;  // 2024-05-31

class ChildFormTest : public ::testing::Test, public testing::EnglishTexts, public testing::WindowTest {};

TEST_F(ChildFormTest, NewWindowIsEmpty) {
  EXPECT_EQ(Window().windowTitle().toStdString(), "New");
  EXPECT_FALSE(Window().HasEvaluation());
  EXPECT_FALSE(Window().HasGraphs());
  EXPECT_FALSE(Slider().isEnabled());
  EXPECT_EQ(SpanChoice().currentIndex(), 3);
  EXPECT_FALSE(Box("CB_Volume").isEnabled());
  EXPECT_FALSE(Box("CB_Energy").isEnabled());
  EXPECT_EQ(Box("CB_T1").text().toStdString(), "Temperature sensor 1");
}

TEST_F(ChildFormTest, LoadingADayCaptionsTheWindowAndShowsTheWholeDay) {
  Window().LoadFile(SampleFile("2024/05/20240531.csv"));
  const std::string date = FormatDate(kLongDate, kMay31);
  EXPECT_EQ(Window().windowTitle().toStdString(), "Analysis from " + date + ".");
  EXPECT_TRUE(Window().HasEvaluation());
  EXPECT_EQ(Upper().TitleLines(), std::vector<std::string>{date});
  EXPECT_DOUBLE_EQ(Upper().BottomAxis().Minimum(), kMay31);
  EXPECT_DOUBLE_EQ(Upper().BottomAxis().Maximum(), kMay31 + 1);
  EXPECT_DOUBLE_EQ(Lower().BottomAxis().Minimum(), kMay31);
  EXPECT_DOUBLE_EQ(Lower().BottomAxis().Maximum(), kMay31 + 1);
  ASSERT_EQ(SpanChoice().count(), 4);
  EXPECT_EQ(SpanChoice().itemText(0).toStdString(), "1 hour");
  EXPECT_EQ(SpanChoice().itemText(3).toStdString(), "1 day");
  EXPECT_EQ(SpanChoice().currentIndex(), 3);
  EXPECT_EQ(Slider().maximum(), 0);
  EXPECT_EQ(Slider().value(), 0);
  EXPECT_FALSE(Slider().isEnabled());
}

TEST_F(ChildFormTest, CheckingAChannelPutsItsCurveOnTheChart) {
  Window().LoadFile(SampleFile("2024/05/20240531.csv"));
  Box("CB_T1").setChecked(true);
  EXPECT_TRUE(Box("CB_T1").isChecked());
  EXPECT_EQ(Upper().SeriesCount(), 1u);
  EXPECT_TRUE(Window().HasGraphs());
  Box("CB_T1").setChecked(false);
  EXPECT_EQ(Upper().SeriesCount(), 0u);
  EXPECT_TRUE(Dialogs().Messages().empty());
}

}  // namespace
}  // namespace calorix::ui
