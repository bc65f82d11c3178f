// The navigation controls pass what the user does to the evaluation model;
// the rules themselves are tested on the model (tests/evaluation).

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <cmath>

#include "chartview/chart_view.h"
#include "evaluation/date_text.h"
#include "ui_test_support.h"

namespace calorix::ui {
namespace {

using testing::SampleFile;

constexpr double kMay30 = 45442.0;  // 2024-05-30
constexpr double kMay31 = 45443.0;

class NavigationTest : public ::testing::Test, public testing::EnglishTexts, public testing::WindowTest {
 protected:
  void LoadSampleRange() { LoadRange(SampleFile("2024/05/20240530.csv"), SampleFile("2024/06/20240602.csv")); }
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
  chartview::ChartView& View(const char* name) { return *Window().findChild<chartview::ChartView*>(name); }
};

TEST_F(NavigationTest, SpanChoiceAndSliderMoveTheWindow) {
  Window().LoadFile(SampleFile("2024/05/20240531.csv"));
  ChooseSpan(0);
  EXPECT_EQ(Slider().maximum(), 23);
  EXPECT_TRUE(Slider().isEnabled());
  Slider().setValue(7);
  EXPECT_NEAR(StartMinute(kMay31), 7 * 60.0, 1e-6);
  EXPECT_NEAR(EndMinute(kMay31), 8 * 60.0, 1e-6);
}

TEST_F(NavigationTest, ASpanTheEvaluationDoesNotOfferIsNotKept) {
  ChooseSpan(0);
  EXPECT_EQ(SpanChoice().currentIndex(), 3);
}

TEST_F(NavigationTest, JumpAndScrollButtonsMoveThroughTheRange) {
  LoadSampleRange();
  Button("ButtonJumpRight").click();
  EXPECT_EQ(Slider().value(), 1);
  EXPECT_DOUBLE_EQ(Upper().BottomAxis().Minimum(), kMay31);
  PressSpace(Button("ButtonScrollLeft"));
  EXPECT_NEAR(StartMinute(kMay31), -36.0, 1e-6);
  ChooseSpan(4);
  EXPECT_TRUE(Box("CB_Volume").isEnabled());
  Button("ButtonScrollRight").click();
  EXPECT_EQ(Slider().value(), 1);
  Button("ButtonJumpLeft").click();
  EXPECT_EQ(Slider().value(), 0);
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

// However wide the labels of either chart, a time lies at the same x in
// both, so that the output bars stand under the curves they belong to.
TEST_F(NavigationTest, BothChartsPlaceATimeAtTheSameX) {
  TChildSettings settings = testing::DefaultSettings();
  settings.DynamicScaling = false;
  settings.AxisMin = -40;
  settings.AxisMax = 1200;
  Window().ApplySettings(settings);
  Window().LoadFile(SampleFile("2024/05/20240531.csv"));
  for (const char* box : {"CB_T1", "CB_Power", "CB_R1"}) Box(box).setChecked(true);
  Window().show();
  for (const int width : {720, 1000, 1600}) {
    Window().resize(width, 700);
    QApplication::processEvents();
    const chartview::ChartLayout upper = View("Chart").CurrentLayout();
    const chartview::ChartLayout lower = View("Chart2").CurrentLayout();
    EXPECT_EQ(upper.plot.left(), lower.plot.left()) << width;
    EXPECT_EQ(upper.plot.right(), lower.plot.right()) << width;
    for (const double t : {kMay31, kMay31 + 0.25, kMay31 + 1}) {
      EXPECT_EQ(std::lround(upper.bottom.scale.PosAtValue(t)), std::lround(lower.bottom.scale.PosAtValue(t)))
          << width << " " << t;
    }
  }
  EXPECT_TRUE(Dialogs().Messages().empty());
}

}  // namespace
}  // namespace calorix::ui
