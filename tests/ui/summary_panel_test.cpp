// The summary panel beside the charts; its figures are tested on the model
// (tests/evaluation/range_summary_test.cpp).

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QRegularExpression>
#include <QTextDocument>

#include <algorithm>

#include "i18n/text_table.h"
#include "ui/qt_text.h"
#include "ui/window_look.h"

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
  EXPECT_EQ(Window().findChild<QTabWidget*>("SummaryTabs")->tabText(0).toStdString(), "Summary");
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

  EXPECT_TRUE(Text().isReadOnly());
}

// At the window's default size the panel widens to show its values whole,
// with no scroll bar, as soon as an evaluation is loaded and whenever the
// channels change, while the charts keep most of the room; once the user
// sets its width, it stays.
TEST_F(SummaryPanelTest, ShowsItsValuesWholeAtTheDefaultSize) {
  Window().resize(kEvaluationWindowSize);
  Window().show();
  QApplication::processEvents();
  LoadRange(SampleFile("2024/05/20240530.csv"), SampleFile("2024/06/20240602.csv"));
  QApplication::processEvents();
  EXPECT_EQ(Text().horizontalScrollBar()->maximum(), 0) << Shown();
  for (const char* box : {"CB_T1", "CB_T2", "CB_Power", "CB_R1"}) Box(box).setChecked(true);
  QApplication::processEvents();
  EXPECT_EQ(Text().horizontalScrollBar()->maximum(), 0) << Shown();
  const QList<int> sizes = Window().findChild<QSplitter*>("SummarySplitter")->sizes();
  EXPECT_GT(sizes[0], sizes[1]) << "the charts keep most of the room";

  auto& splitter = *Window().findChild<QSplitter*>("SummarySplitter");
  emit splitter.splitterMoved(600, 1);
  splitter.setSizes({sizes[0] + sizes[1] - 150, 150});
  Box("CB_T3").setChecked(true);
  EXPECT_EQ(splitter.sizes()[1], 150) << "the user's width stays";
}

// The cells of an HTML table, row by row, as a spreadsheet reads them.
QList<QStringList> HtmlCells(const QString& html) {
  QList<QStringList> rows;
  static const QRegularExpression row("<tr>(.*?)</tr>");
  static const QRegularExpression cell("<td>(.*?)</td>");
  for (auto r = row.globalMatch(html); r.hasNext();) {
    QStringList cells;
    for (auto c = cell.globalMatch(r.next().captured(1)); c.hasNext();) {
      QTextDocument document;
      document.setHtml(c.next().captured(1));
      cells.append(document.toPlainText());
    }
    rows.append(cells);
  }
  return rows;
}

// Pasted into a spreadsheet, every figure lands in a cell of its own as a
// number in the interface's format, the units beside the names.
TEST_F(SummaryPanelTest, CopyGivesTheSameCellsAsTextAndTableWithBareNumbers) {
  LoadRange(SampleFile("2024/05/20240530.csv"), SampleFile("2024/06/20240602.csv"));
  Box("CB_T1").setChecked(true);
  for (const auto& [block, locale] : {std::pair{i18n::LanguageBlock::German, QLocale(QLocale::German)},
                                      std::pair{i18n::LanguageBlock::English, QLocale(QLocale::English)}}) {
    i18n::SetCurrentBlock(block);
    Window().ApplyLanguage();
    Key(Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    QList<QStringList> textCells;
    for (const QString& line : copied->text().split('\n', Qt::SkipEmptyParts)) textCells.append(line.split('\t'));
    ASSERT_GT(textCells.size(), 5);
    EXPECT_EQ(HtmlCells(copied->html()), textCells);
    int numbers = 0;
    for (const QStringList& row : textCells) {
      EXPECT_FALSE(row.front().startsWith(' ')) << row.front().toStdString();
      // The second cell of a row is a date, a time or a number.
      if (row.size() < 2 || row[1].contains(':')) continue;
      bool isNumber = false;
      locale.toDouble(row[1], &isNumber);
      EXPECT_TRUE(isNumber) << row.join('|').toStdString();
      numbers += isNumber;
    }
    EXPECT_GE(numbers, 6);
    const QString energy = Q(i18n::Text(i18n::kTextFirstChannelName + 10)) + " [kWh]";
    EXPECT_TRUE(std::any_of(textCells.begin(), textCells.end(), [&](const QStringList& row) {
      return row.front() == energy && row.size() == 2;
    })) << copied->text().toStdString();
  }
}

}  // namespace
}  // namespace calorix::ui
