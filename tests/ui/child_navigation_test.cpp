#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <cmath>

#include "ui/date_text.h"
#include "ui_test_support.h"

namespace calorix::ui {
namespace {

using testing::DayFile;
using testing::SampleFile;
using testing::TempFolder;

constexpr double kMay30 = 45442.0;  // 2024-05-30
constexpr double kMay31 = 45443.0;
constexpr double kJune1 = 45444.0;
constexpr double kJune2 = 45445.0;

class NavigationTest : public ::testing::Test, public testing::EnglishTexts, public testing::WindowTest {
 protected:
  void LoadSampleRange() {
    LoadRange(SampleFile("2024/05/20240530.csv"), SampleFile("2024/06/20240602.csv"));
  }
  void PressSpace(QToolButton& button) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
    QApplication::sendEvent(&button, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ");
    QApplication::sendEvent(&button, &release);
  }
  void Mouse(QToolButton& button, QEvent::Type type) {
    const QPointF at(5, 5);
    QMouseEvent event(type, at, button.mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&button, &event);
  }
  static void Wait(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  std::string Title() { return Upper().TitleLines().empty() ? "" : Upper().TitleLines().front(); }
};

TEST_F(NavigationTest, OneHourInTheDaySpanShowsTheFirstHour) {
  Window().LoadFile(SampleFile("2024/05/20240531.csv"));
  ChooseSpan(0);
  EXPECT_DOUBLE_EQ(StartMinute(kMay31), 0.0);
  EXPECT_NEAR(EndMinute(kMay31), 60.0, 1e-6);
  EXPECT_EQ(Slider().minimum(), 0);
  EXPECT_EQ(Slider().maximum(), 23);
  EXPECT_EQ(Slider().value(), 0);
  EXPECT_TRUE(Slider().isEnabled());
  EXPECT_FALSE(Upper().ZoomAllowed());
  EXPECT_EQ(Upper().PanningMode(), chart::Panning::Horizontal);
  Slider().setValue(7);
  EXPECT_NEAR(StartMinute(kMay31), 7 * 60.0, 1e-6);
  EXPECT_NEAR(EndMinute(kMay31), 8 * 60.0, 1e-6);
  EXPECT_DOUBLE_EQ(Lower().BottomAxis().Minimum(), Upper().BottomAxis().Minimum());
  EXPECT_DOUBLE_EQ(Lower().BottomAxis().Maximum(), Upper().BottomAxis().Maximum());
}

TEST_F(NavigationTest, EachHourSpanHasItsWidthAndSliderRange) {
  Window().LoadFile(SampleFile("2024/05/20240531.csv"));
  const std::pair<int, int> spans[] = {{0, 1}, {1, 3}, {2, 8}};
  for (const auto& [item, hours] : spans) {
    ChooseSpan(item);
    EXPECT_NEAR(EndMinute(kMay31) - StartMinute(kMay31), hours * 60.0, 1e-6) << item;
    EXPECT_EQ(Slider().maximum(), 24 - hours) << item;
  }
  ChooseSpan(3);
  EXPECT_DOUBLE_EQ(Upper().BottomAxis().Minimum(), kMay31);
  EXPECT_DOUBLE_EQ(Upper().BottomAxis().Maximum(), kMay31 + 1);
  EXPECT_EQ(Slider().maximum(), 0);
  EXPECT_FALSE(Slider().isEnabled());
  EXPECT_TRUE(Upper().ZoomAllowed());
  EXPECT_EQ(Upper().PanningMode(), chart::Panning::None);
}

TEST_F(NavigationTest, EightHoursFromAThreeHourWindowAtTwentyShowsTheDaysEnd) {
  Window().LoadFile(SampleFile("2024/05/20240531.csv"));
  ChooseSpan(1);
  Slider().setValue(20);
  ChooseSpan(2);
  EXPECT_NEAR(StartMinute(kMay31), 16 * 60.0, 1e-6);
  EXPECT_NEAR(EndMinute(kMay31), 24 * 60.0, 1e-6);
  EXPECT_EQ(Slider().value(), 16);
  EXPECT_EQ(Slider().maximum(), 16);
}

TEST_F(NavigationTest, ChoosingTheHourSpanInForceChangesNothing) {
  Window().LoadFile(SampleFile("2024/05/20240531.csv"));
  ChooseSpan(1);
  Slider().setValue(5);
  PressSpace(Button("ButtonScrollRight"));
  const double before = Upper().BottomAxis().Minimum();
  ChooseSpan(1);
  EXPECT_EQ(Upper().BottomAxis().Minimum(), before);
}

TEST_F(NavigationTest, ChoosingOneDayAgainShowsTheWholeDayAfterScrolling) {
  Window().LoadFile(SampleFile("2024/05/20240531.csv"));
  for (int i = 0; i < 3; ++i) PressSpace(Button("ButtonScrollRight"));
  EXPECT_NEAR(StartMinute(kMay31), 3 * 36.0, 1e-6);
  ChooseSpan(3);
  EXPECT_DOUBLE_EQ(Upper().BottomAxis().Minimum(), kMay31);
  EXPECT_DOUBLE_EQ(Upper().BottomAxis().Maximum(), kMay31 + 1);
}

TEST_F(NavigationTest, ScrollingTheDaySpanFollowsTheNearestDay) {
  LoadSampleRange();
  Box("CB_T1").setChecked(true);
  ASSERT_EQ(Slider().maximum(), 3);
  double previousStart = StartMinute(kMay30);
  bool followed = false;
  for (int step = 1; step <= 30 && !followed; ++step) {
    PressSpace(Button("ButtonScrollRight"));
    const double start = StartMinute(kMay30);
    EXPECT_NEAR(start - previousStart, 36.0, 1e-6) << step;
    EXPECT_NEAR(EndMinute(kMay30) - start, 1440.0, 1e-6) << step;
    previousStart = start;
    const bool pastHalfDay = start > 720.0;
    EXPECT_EQ(Slider().value(), pastHalfDay ? 1 : 0) << step;
    followed = Slider().value() == 1;
    EXPECT_EQ(Title(), FormatDate(kShortDate, kMay30) + " + " + FormatDate(kShortDate, kMay31)) << step;
  }
  EXPECT_TRUE(followed);
  // Twenty steps make half a day, give or take the rounding of the sums.
  EXPECT_NEAR(StartMinute(kMay30), 20 * 36.0, 1e-3);
  // The curves follow the window across midnight: both days of T1 are shown.
  EXPECT_EQ(Upper().SeriesCount(), 2u);
  EXPECT_TRUE(Dialogs().Messages().empty());
}

TEST_F(NavigationTest, ScrollingBackFromTheSecondDayReturnsToTheFirst) {
  LoadSampleRange();
  Slider().setValue(1);
  for (int i = 0; i < 21; ++i) PressSpace(Button("ButtonScrollLeft"));
  EXPECT_EQ(Slider().value(), 0);
  EXPECT_EQ(Title(), FormatDate(kShortDate, kMay30) + " + " + FormatDate(kShortDate, kMay31));
}

TEST_F(NavigationTest, HoldingAScrollButtonRepeatsUntilReleased) {
  LoadSampleRange();
  Mouse(Button("ButtonScrollRight"), QEvent::MouseButtonPress);
  Wait(150);
  Mouse(Button("ButtonScrollRight"), QEvent::MouseButtonRelease);
  const double moved = StartMinute(kMay30);
  EXPECT_GT(moved, 0.0);
  EXPECT_NEAR(std::fmod(moved, 36.0), 0.0, 1e-6);
  Wait(60);
  EXPECT_EQ(StartMinute(kMay30), moved);
}

TEST_F(NavigationTest, AShortClickScrollsNothing) {
  LoadSampleRange();
  Mouse(Button("ButtonScrollRight"), QEvent::MouseButtonPress);
  Mouse(Button("ButtonScrollRight"), QEvent::MouseButtonRelease);
  Wait(60);
  EXPECT_DOUBLE_EQ(StartMinute(kMay30), 0.0);
}

TEST_F(NavigationTest, HourSpanScrollFollowsTheStartHourAcrossMidnight) {
  LoadSampleRange();
  ChooseSpan(1);
  Slider().setValue(21);
  // Three hours a step of 4.5 minutes: 40 steps move three hours.
  for (int i = 0; i < 40; ++i) PressSpace(Button("ButtonScrollRight"));
  EXPECT_NEAR(StartMinute(kMay30), 24 * 60.0, 1e-6);
  EXPECT_EQ(Slider().value(), 0);
  EXPECT_EQ(Title(), FormatDate(kShortDate, kMay31));
}

TEST_F(NavigationTest, JumpLeftOnTheFirstDayShowsTheFirstDayAgain) {
  LoadSampleRange();
  for (int i = 0; i < 3; ++i) PressSpace(Button("ButtonScrollRight"));
  Button("ButtonJumpLeft").click();
  EXPECT_EQ(Slider().value(), 0);
  EXPECT_DOUBLE_EQ(Upper().BottomAxis().Minimum(), kMay30);
  EXPECT_DOUBLE_EQ(Upper().BottomAxis().Maximum(), kMay30 + 1);
  EXPECT_EQ(Title(), FormatDate(kLongDate, kMay30));
}

TEST_F(NavigationTest, JumpButtonsMoveDayByDayAndStopAtTheLast) {
  LoadSampleRange();
  for (int i = 0; i < 5; ++i) Button("ButtonJumpRight").click();
  EXPECT_EQ(Slider().value(), 3);
  EXPECT_DOUBLE_EQ(Upper().BottomAxis().Minimum(), kJune2);
  EXPECT_EQ(Title(), FormatDate(kLongDate, kJune2));
  Button("ButtonJumpLeft").click();
  EXPECT_DOUBLE_EQ(Upper().BottomAxis().Minimum(), kJune1);
}

TEST_F(NavigationTest, JumpInAnHourSpanKeepsTheHours) {
  LoadSampleRange();
  ChooseSpan(2);
  Slider().setValue(10);
  Button("ButtonJumpRight").click();
  EXPECT_NEAR(StartMinute(kMay31), 10 * 60.0, 1e-6);
  EXPECT_EQ(Slider().value(), 10);
  Button("ButtonJumpLeft").click();
  Button("ButtonJumpLeft").click();
  EXPECT_NEAR(StartMinute(kMay30), 10 * 60.0, 1e-6);
}

TEST_F(NavigationTest, MonthSpanJumpsToTheFirstAndLastMonth) {
  LoadSampleRange();
  ASSERT_EQ(SpanChoice().count(), 5);
  EXPECT_EQ(SpanChoice().itemText(4).toStdString(), "1 month");
  ChooseSpan(4);
  const double may1 = *TryEncodeDate(2024, 5, 1);
  const double june1 = *TryEncodeDate(2024, 6, 1);
  EXPECT_EQ(Upper().BottomAxis().Minimum(), may1);
  EXPECT_EQ(Upper().BottomAxis().Maximum(), june1);
  EXPECT_EQ(Upper().BottomAxis().DateTimeFormat(), "dd.");
  EXPECT_EQ(Lower().BottomAxis().DateTimeFormat(), "dd.");
  EXPECT_EQ(Slider().maximum(), 1);
  EXPECT_EQ(Title(), FormatDate(kMonthYear, may1));
  Button("ButtonJumpRight").click();
  EXPECT_EQ(Slider().value(), 1);
  EXPECT_EQ(Upper().BottomAxis().Minimum(), june1);
  EXPECT_EQ(Upper().BottomAxis().Maximum(), *TryEncodeDate(2024, 7, 1));
  Button("ButtonJumpLeft").click();
  EXPECT_EQ(Upper().BottomAxis().Minimum(), may1);
  Button("ButtonScrollRight").click();
  EXPECT_EQ(Slider().value(), 1);
}

TEST_F(NavigationTest, TotalsAreOnlyAvailableInTheMonthSpan) {
  LoadSampleRange();
  EXPECT_FALSE(Box("CB_Volume").isEnabled());
  ChooseSpan(4);
  EXPECT_TRUE(Box("CB_Volume").isEnabled());
  EXPECT_TRUE(Box("CB_Energy").isEnabled());
  Box("CB_Energy").setChecked(true);
  EXPECT_TRUE(Box("CB_Energy").isChecked());
  EXPECT_GT(Upper().SeriesCount(), 0u);
  ChooseSpan(3);
  EXPECT_FALSE(Box("CB_Energy").isChecked());
  EXPECT_FALSE(Box("CB_Energy").isEnabled());
  EXPECT_EQ(Upper().SeriesCount(), 0u);
  EXPECT_TRUE(Dialogs().Messages().empty());
}

TEST_F(NavigationTest, ANewEvaluationStartsWithoutTotals) {
  LoadSampleRange();
  ChooseSpan(4);
  Box("CB_Volume").setChecked(true);
  Window().LoadFile(SampleFile("2024/05/20240531.csv"));
  EXPECT_FALSE(Box("CB_Volume").isChecked());
  EXPECT_FALSE(Box("CB_Volume").isEnabled());
  EXPECT_FALSE(Window().HasGraphs());
  EXPECT_TRUE(Dialogs().Messages().empty());
}

TEST_F(NavigationTest, LeavingTheMonthSpanGoesToItsFirstLoadedDay) {
  LoadSampleRange();
  ChooseSpan(4);
  Button("ButtonJumpRight").click();
  ChooseSpan(0);
  EXPECT_DOUBLE_EQ(StartMinute(kJune1), 0.0);
  EXPECT_NEAR(EndMinute(kJune1), 60.0, 1e-6);
  EXPECT_EQ(Upper().BottomAxis().DateTimeFormat(), "hh:mm");
  EXPECT_EQ(Title(), FormatDate(kLongDate, kJune1));
}

TEST_F(NavigationTest, DecemberRunsIntoJanuary) {
  TempFolder folder;
  const std::vector<std::string> records = {"00:00;10,0;20,0;30,0;40,0;50,0;60,0;70,0;1,0;2,0;100;0;0;0",
                                            "00:01;10,0;20,0;30,0;40,0;50,0;60,0;70,0;1,0;2,0;100;0;0;0"};
  const auto first = folder.Write("20101230.csv", DayFile("2010-12-30", records));
  const auto last = folder.Write("20110102.csv", DayFile("2011-01-02", records));
  LoadRange(first, last);
  ChooseSpan(4);
  EXPECT_EQ(Upper().BottomAxis().Minimum(), *TryEncodeDate(2010, 12, 1));
  EXPECT_EQ(Upper().BottomAxis().Maximum(), *TryEncodeDate(2011, 1, 1));
  EXPECT_EQ(Upper().BottomAxis().DateTimeFormat(), "dd.");
}

TEST_F(NavigationTest, ZoomNarrowerThanAnHourIsWidenedAroundItsCentre) {
  Window().LoadFile(SampleFile("2024/05/20240531.csv"));
  const double noon = kMay31 + 0.5;
  Upper().UserZoom({{noon - 10.0 / 1440, noon + 10.0 / 1440}, {0, 100}, {0, 100}});
  EXPECT_NEAR(StartMinute(kMay31), 690.0, 1e-6);
  EXPECT_NEAR(EndMinute(kMay31), 750.0, 1e-6);
  EXPECT_DOUBLE_EQ(Lower().BottomAxis().Minimum(), Upper().BottomAxis().Minimum());
  EXPECT_DOUBLE_EQ(Lower().BottomAxis().Maximum(), Upper().BottomAxis().Maximum());
  Upper().UserUndoZoom();
  EXPECT_DOUBLE_EQ(Upper().BottomAxis().Minimum(), kMay31);
  EXPECT_DOUBLE_EQ(Lower().BottomAxis().Maximum(), kMay31 + 1);
}

TEST_F(NavigationTest, PanningInAnHourSpanRebuildsTheCurves) {
  LoadSampleRange();
  Box("CB_T2").setChecked(true);
  ChooseSpan(1);
  Slider().setValue(21);
  ASSERT_EQ(Upper().SeriesCount(), 1u);
  Upper().UserScroll(2.0 / 24);
  EXPECT_EQ(Upper().SeriesCount(), 2u);
  EXPECT_DOUBLE_EQ(Lower().BottomAxis().Minimum(), Upper().BottomAxis().Minimum());
  EXPECT_EQ(Slider().value(), 21);
}

}  // namespace
}  // namespace calorix::ui
