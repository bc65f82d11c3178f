// The findings tab beside the summary: the list of the loaded range's
// findings, newest first, and a row that takes the window to its finding.
// What is found and how a finding is shown are tested on the model
// (tests/evaluation/evaluation_findings_test.cpp).
#include <gtest/gtest.h>

#include <QTabWidget>
#include <QTreeWidget>

#include "tools/log_generator.h"
#include "ui/qt_text.h"

#include "ui_test_support.h"

namespace calorix::ui {
namespace {

constexpr DateTime kJuly15 = 45488.0;  // 2024-07-15

class FindingsTabTest : public ::testing::Test, public testing::EnglishTexts, public testing::WindowTest {
 protected:
  QTreeWidget& List() { return *Window().findChild<QTreeWidget*>("FindingsList"); }
  QString Cell(int row, int column) { return List().topLevelItem(row)->text(column); }
  testing::TempFolder folder;
};

TEST_F(FindingsTabTest, ListsTheRangesFindingsNewestFirstAndShowsTheOneActivated) {
  EXPECT_EQ(Window().findChild<QTabWidget*>("SummaryTabs")->tabText(1), "Findings");
  EXPECT_EQ(List().topLevelItemCount(), 0);

  loggen::Options options;
  options.injections = loggen::ParseInjections("overheat:2024-07-15,err:2024-07-16:T3");
  const auto files =
      loggen::WriteDays({2024, 7, 14}, {2024, 7, 16}, folder.Path(), loggen::FolderLayout::Flat, options);
  LoadRange(files.front(), files.back());
  ASSERT_EQ(List().topLevelItemCount(), 2);
  EXPECT_TRUE(Cell(0, 0).startsWith("16.07.2024"));
  EXPECT_EQ(Cell(0, 1), "Sensor error (Err)");
  EXPECT_EQ(Cell(1, 1), "Collector overheating");

  emit List().itemActivated(List().topLevelItem(1), 0);
  EXPECT_EQ(Window().Model().ShownDay(), kJuly15);
  EXPECT_LT(Window().Model().TimeWindow().max - Window().Model().TimeWindow().min, 0.1);
  EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(FindingsTabTest, ADayWithoutFindingsSaysSo) {
  Window().LoadFile(testing::SampleFile("2024/05/20240531.csv"));
  ASSERT_EQ(List().topLevelItemCount(), 1);
  EXPECT_EQ(Cell(0, 0).toStdString(), i18n::Text(i18n::kTextNoFindings));
}

}  // namespace
}  // namespace calorix::ui
