// The cursor readout and the wheel as the user meets them on the charts;
// the values and the zoom rules are tested on the model (tests/evaluation).

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <cmath>

#include "chartview/chart_view.h"
#include "support/day_file_text.h"
#include "ui_test_support.h"

namespace calorix::ui {
namespace {

using calorix::testing::DayFileText;
using testing::TempFolder;

constexpr double kMay1 = 45413.0;  // 2024-05-01
double At(int hour, int minute) { return kMay1 + (hour * 60 + minute) / 1440.0; }

class CursorTest : public ::testing::Test, public testing::EnglishTexts, public testing::WindowTest {
 protected:
  CursorTest() {
    Window().LoadFile(
        folder.Write("20240501.csv", DayFileText("2024-05-01", {"14:36;61,5;40,1;;;;;;2,50;1,300;0;0;0;0",
                                                                "14:37;63,2;40,2;;;;;;2,75;1,400;70;0;0;0",
                                                                "14:38;63,9;40,2;;;;;;2,75;1,400;70;0;0;0"})));
    for (const char* box : {"CB_T1", "CB_R1"}) Box(box).setChecked(true);
    Window().show();
    QApplication::processEvents();
  }
  chartview::ChartView& View(const char* name) { return *Window().findChild<chartview::ChartView*>(name); }
  // The mouse over a chart a little after time t (a minute is wider than
  // half a pixel here), halfway down the plot.
  void MoveTo(chartview::ChartView& view, double t) {
    const chartview::ChartLayout layout = view.CurrentLayout();
    const QPointF at(layout.bottom.scale.PosAtValue(t) + 0.3, layout.plot.center().y());
    QMouseEvent move(QEvent::MouseMove, at, view.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &move);
  }
  // Eighths of a degree, vertical or (as Shift makes the wheel) horizontal.
  void Wheel(chartview::ChartView& view, double t, int degreesEighths, Qt::KeyboardModifiers modifiers,
             bool horizontal = false) {
    const QPointF at(view.PositionOfValue(t), view.CurrentLayout().plot.center().y());
    const QPoint angle = horizontal ? QPoint(degreesEighths, 0) : QPoint(0, degreesEighths);
    QWheelEvent wheel(at, view.mapToGlobal(at), QPoint(), angle, Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &wheel);
  }
  std::vector<std::string> Readout() {
    std::vector<std::string> lines;
    for (const QString& line : View("Chart").Readout()) lines.push_back(line.toStdString());
    return lines;
  }

  TempFolder folder;
};

TEST_F(CursorTest, HoveringEitherChartShowsOneLineInBothAndTheValuesThere) {
  for (const char* hovered : {"Chart", "Chart2"}) {
    MoveTo(View(hovered), At(14, 37));
    ASSERT_TRUE(View("Chart").CursorLine()) << hovered;
    EXPECT_EQ(View("Chart").CursorLine(), View("Chart2").CursorLine());
    EXPECT_EQ(std::lround(View("Chart").PositionOfValue(*View("Chart").CursorLine())),
              std::lround(View("Chart2").PositionOfValue(*View("Chart2").CursorLine())));
    EXPECT_EQ(Readout(), (std::vector<std::string>{"14:37", "Temperature sensor 1: 63.2 \u00B0C", "Output 1: on 70 %"}))
        << hovered;
  }
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&View("Chart2"), &leave);
  EXPECT_FALSE(View("Chart").CursorLine());
  EXPECT_FALSE(View("Chart2").CursorLine());
  EXPECT_TRUE(Readout().empty());
  EXPECT_TRUE(Dialogs().Messages().empty());
}

TEST_F(CursorTest, ArrowKeysStepByOneRecordAndTheDataStays) {
  const double before = Upper().BottomAxis().Minimum();
  MoveTo(View("Chart"), At(14, 36));
  QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
  QApplication::sendEvent(&View("Chart"), &right);
  EXPECT_DOUBLE_EQ(*View("Chart2").CursorLine(), At(14, 37));
  EXPECT_EQ(Readout().at(1), "Temperature sensor 1: 63.2 \u00B0C");
  QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
  QApplication::sendEvent(&View("Chart2"), &left);
  QApplication::sendEvent(&View("Chart2"), &left);
  EXPECT_DOUBLE_EQ(*View("Chart").CursorLine(), At(14, 36));
  EXPECT_EQ(Readout(), (std::vector<std::string>{"14:36", "Temperature sensor 1: 61.5 \u00B0C", "Output 1: off"}));
  EXPECT_EQ(Upper().BottomAxis().Minimum(), before);
}

// The span chosen with the keyboard moves the time window away from the
// cursor: the readout does not stay behind at the old time.
TEST_F(CursorTest, ASpanThatLeavesTheCursorHidesItsReadout) {
  MoveTo(View("Chart"), At(14, 36));
  ASSERT_FALSE(Readout().empty());
  auto* span = Window().findChild<QComboBox*>("SpanTime");
  // The arrow keys on the span choice: one hour, the first of the day.
  span->setCurrentIndex(0);
  emit span->activated(0);
  for (const char* chart : {"Chart", "Chart2"}) EXPECT_FALSE(View(chart).CursorLine()) << chart;
  EXPECT_TRUE(Readout().empty());
}

TEST_F(CursorTest, CtrlWheelZoomsBothChartsAroundTheMouseAndTheWheelScrolls) {
  const double t = At(14, 37);
  const double x = View("Chart").PositionOfValue(t);
  Wheel(View("Chart2"), t, 120, Qt::ControlModifier);  // away from the user: in
  EXPECT_TRUE(Upper().IsZoomed());
  EXPECT_LT(Upper().BottomAxis().Maximum() - Upper().BottomAxis().Minimum(), 1.0);
  EXPECT_NEAR(View("Chart").PositionOfValue(t), x, 1.0);
  EXPECT_EQ(Lower().BottomAxis().Minimum(), Upper().BottomAxis().Minimum());
  ChooseSpan(1);  // 3 hours: the wheel scrolls
  const double start = Upper().BottomAxis().Minimum();
  Wheel(View("Chart"), At(1, 0), -120, Qt::NoModifier);  // towards the user: later
  EXPECT_GT(Upper().BottomAxis().Minimum(), start);
  EXPECT_EQ(Lower().BottomAxis().Minimum(), Upper().BottomAxis().Minimum());
  // Shift+wheel away from the user goes back, as the plain wheel does.
  Wheel(View("Chart"), At(1, 0), 120, Qt::ShiftModifier, true);
  EXPECT_NEAR(Upper().BottomAxis().Minimum(), start, 1e-9);
}

}  // namespace
}  // namespace calorix::ui
