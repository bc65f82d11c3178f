// The summary panel beside the charts; its figures are tested on the model
// (tests/evaluation/range_summary_test.cpp).

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>

#include "ui_test_support.h"

namespace calorix::ui {
namespace {

using testing::SampleFile;

constexpr double kMay31 = 45443.0;

class SummaryPanelTest : public ::testing::Test, public testing::EnglishTexts, public testing::WindowTest {
 protected:
  QPlainTextEdit& Text() { return *Window().findChild<QPlainTextEdit*>("TextSummary"); }
  std::string Shown() { return Text().toPlainText().toStdString(); }
  std::string FirstLine() { return Text().toPlainText().section('\n', 0, 0).toStdString(); }
  void Key(int key, Qt::KeyboardModifiers modifiers) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&Text(), &press);
  }
};

TEST_F(SummaryPanelTest, FollowsNavigationAndTheMouseZoomAndCopiesAsShown) {
  EXPECT_EQ(Shown(), "");
  LoadRange(SampleFile("2024/05/20240530.csv"), SampleFile("2024/06/20240602.csv"));
  Box("CB_T1").setChecked(true);
  EXPECT_EQ(Window().findChild<QLabel*>("LabelSummary")->text().toStdString(), "Summary");
  EXPECT_EQ(FirstLine(), "30.05.2024 00:00 \u2013 31.05.2024 00:00");
  EXPECT_EQ(Shown(), Window().Model().SummaryText());

  Button("ButtonJumpRight").click();
  EXPECT_EQ(FirstLine(), "31.05.2024 00:00 \u2013 01.06.2024 00:00");
  EXPECT_EQ(Shown(), Window().Model().SummaryText());
  EXPECT_NE(Shown().find("Temperature sensor 1 [\u00B0C]\n"), std::string::npos);

  // A drag on the chart zooms through the panel, outside any command.
  Upper().UserZoom({{kMay31 + 0.5, kMay31 + 0.75}, {0.0, 100.0}, {0.0, 100.0}});
  EXPECT_EQ(FirstLine(), "31.05.2024 12:00 \u2013 31.05.2024 18:00");
  EXPECT_EQ(Shown(), Window().Model().SummaryText());

  Key(Qt::Key_A, Qt::ControlModifier);
  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), Shown());
  EXPECT_TRUE(Text().isReadOnly());
}

// At the size a maximised window has on a 1366x768 screen the panel
// widens to show its values whole, with no scroll bar, while the charts
// keep most of the room; once the user sets its width, it stays.
TEST_F(SummaryPanelTest, ShowsItsValuesWholeAtTheDefaultSize) {
  Window().resize(1366, 600);
  Window().show();
  QApplication::processEvents();
  LoadRange(SampleFile("2024/05/20240530.csv"), SampleFile("2024/06/20240602.csv"));
  for (const char* box : {"CB_T1", "CB_T2", "CB_Power", "CB_R1"}) Box(box).setChecked(true);
  QApplication::processEvents();
  EXPECT_EQ(Text().horizontalScrollBar()->maximum(), 0) << Shown();
  const QList<int> sizes = Window().findChild<QSplitter*>("SummarySplitter")->sizes();
  EXPECT_GT(sizes[0], sizes[1]) << "the charts keep most of the room";

  auto& splitter = *Window().findChild<QSplitter*>("SummarySplitter");
  emit splitter.splitterMoved(600, 1);
  splitter.setSizes({sizes[0] + sizes[1] - 100, 100});
  Box("CB_T3").setChecked(true);
  EXPECT_EQ(splitter.sizes()[1], 100) << "the user's width stays";
}

}  // namespace
}  // namespace calorix::ui
