// The "Compare with" choice passes the user's choice to the evaluation
// model and shows what the model offers; the comparison's rules are tested
// on the model (tests/evaluation/day_comparison_test.cpp).

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>

#include "chartview/chart_view.h"
#include "ui_test_support.h"

namespace calorix::ui {
namespace {

using testing::SampleFile;
using testing::TempFolder;

class CompareChoiceTest : public ::testing::Test, public testing::EnglishTexts, public testing::WindowTest {
 protected:
  CompareChoiceTest() {
    Window().show();
    Window().resize(1000, 700);
    QApplication::processEvents();
  }
  QComboBox& Choice() { return *Window().findChild<QComboBox*>("CompareWith"); }
  void Choose(int item) {
    Choice().setCurrentIndex(item);
    emit Choice().activated(item);
  }
  QStringList Items() {
    QStringList items;
    for (int i = 0; i < Choice().count(); ++i) items << Choice().itemText(i);
    return items;
  }
  QString Path(const char* name) { return QString::fromStdString((folder.Path() / name).string()); }

  TempFolder folder;
};

TEST_F(CompareChoiceTest, OffersTheLoadedDaysOfARangeInTheDayAndHourSpansOnly) {
  EXPECT_FALSE(Choice().isEnabled());
  EXPECT_EQ(Window().findChild<QLabel*>("LabelCompareWith")->text(), "Compare with:");
  Window().LoadFile(SampleFile("2024/05/20240531.csv"));
  EXPECT_FALSE(Choice().isEnabled());
  LoadRange(SampleFile("2024/05/20240530.csv"), SampleFile("2024/06/20240602.csv"));
  EXPECT_EQ(Items(), (QStringList{"(none)", "30.05.2024", "31.05.2024", "01.06.2024", "02.06.2024"}));
  EXPECT_TRUE(Choice().isEnabled());
  ChooseSpan(0);
  EXPECT_TRUE(Choice().isEnabled());
  ChooseSpan(4);
  EXPECT_FALSE(Choice().isEnabled());
}

TEST_F(CompareChoiceTest, TheComparedDayIsPrintedAndSavedWithItsLegendEntry) {
  LoadRange(SampleFile("2024/05/20240530.csv"), SampleFile("2024/06/20240602.csv"));
  Box("CB_T1").setChecked(true);
  Choose(2);
  ASSERT_EQ(Upper().SeriesCount(), 2u);
  const QString pdf = Path("print.pdf");
  Dialogs().PrintToPdf(pdf.toStdString());
  Window().PrintCharts();
  if (const auto text = testing::PdfTool("pdftotext", {pdf, "-"})) {
    EXPECT_TRUE(text->contains("Temperature sensor 1 (31.05.2024)"));
  }

  // The compared curve in red halfway to white above the output chart.
  Dialogs().ChooseFile(Path("compared.png").toStdString());
  Window().SaveChartAsBitmap();
  const QImage image(Path("compared.png"));
  const int upperHeight = Window().findChild<chartview::ChartView*>("Chart")->height();
  int lighter = 0;
  for (int y = 0; y < upperHeight; ++y) {
    for (int x = 0; x < image.width(); ++x) lighter += image.pixelColor(x, y) == QColor(255, 128, 128) ? 1 : 0;
  }
  EXPECT_GT(lighter, 100);

  Choose(0);
  EXPECT_EQ(Upper().SeriesCount(), 1u);
}

}  // namespace
}  // namespace calorix::ui
