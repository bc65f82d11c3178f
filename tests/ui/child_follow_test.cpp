// A window following a log: what it does with each look is the model's
// (tests/evaluation/log_following_test.cpp); here the window shows it.

#include <gtest/gtest.h>

#include <QFileSystemWatcher>
#include <QPlainTextEdit>

#include <filesystem>
#include <fstream>
#include <string>

#include "i18n/text_table.h"
#include "support/day_file_text.h"
#include "ui/qt_text.h"

#include "ui_test_support.h"

namespace calorix::ui {
namespace {

using calorix::testing::DayFileText;

class ChildFollowTest : public ::testing::Test, public testing::EnglishTexts, public testing::WindowTest {
 protected:
  std::string Summary() { return Window().findChild<QPlainTextEdit*>("TextSummary")->toPlainText().toStdString(); }
  // The points of the T1 curve on the upper chart.
  std::size_t T1Points() {
    for (const chart::ChartSeries* series : Upper().Series()) {
      if (series->Title() == Box("CB_T1").text().toStdString()) return series->Count();
    }
    return 0;
  }
  QFileSystemWatcher& Watcher() { return *Window().findChild<QFileSystemWatcher*>(); }

  testing::TempFolder folder;
  std::filesystem::path path = folder / "20240601.csv";
};

TEST_F(ChildFollowTest, ANewRecordShowsAfterTheNextLookAndAShortenedFileIsReadAgain) {
  folder.Write("20240601.csv", DayFileText("2024-06-01", {"10:00;40", "10:01;41"}));
  Window().Follow(path);
  ASSERT_TRUE(Window().IsFollowing());
  EXPECT_TRUE(Window().windowTitle().endsWith(Q(" " + i18n::Text(i18n::kTextFollowingSuffix))));
  EXPECT_EQ(Watcher().files().size(), 1);
  Box("CB_T1").click();
  ASSERT_EQ(T1Points(), 2u);

  std::ofstream(path, std::ios::binary | std::ios::app) << "2024-06-01 10:02;97,5\r\n";
  Window().LookAtFollowedFiles();
  EXPECT_EQ(T1Points(), 3u);
  EXPECT_NE(Summary().find("97"), std::string::npos) << Summary();

  folder.Write("20240601.csv", DayFileText("2024-06-01", {"10:00;40", "10:01;41"}));
  Window().LookAtFollowedFiles();
  EXPECT_EQ(T1Points(), 2u);
  EXPECT_EQ(Summary().find("97"), std::string::npos) << Summary();
  EXPECT_TRUE(Box("CB_T1").isChecked());
}

TEST_F(ChildFollowTest, OpeningAnotherFileStopsWatching) {
  folder.Write("20240601.csv", DayFileText("2024-06-01", {"10:00;40", "10:01;41"}));
  Window().Follow(path);
  Window().LoadFile(folder.Write("other.csv", DayFileText("2024-06-01", {"10:00;40", "10:01;41"})));
  EXPECT_FALSE(Window().IsFollowing());
  EXPECT_TRUE(Watcher().files().isEmpty());
  EXPECT_TRUE(Watcher().directories().isEmpty());
  EXPECT_FALSE(Window().windowTitle().contains(Q(i18n::Text(i18n::kTextFollowingSuffix))));
}

}  // namespace
}  // namespace calorix::ui
