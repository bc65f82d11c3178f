// What following a logger's folder needs of the data: the day files by the
// dates in their names, and an evaluation whose last day log is the one a
// follower keeps reading.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "chart/chart_panel.h"
#include "core/error.h"
#include "logdata/day_follower.h"
#include "logdata/day_log.h"
#include "logdata/log_analysis.h"
#include "logdata/month.h"
#include "logdata/multi_day.h"
#include "support/day_file_text.h"
#include "support/temp_folder.h"

namespace calorix::logdata {
namespace {

namespace fs = std::filesystem;
using calorix::testing::DayFileText;
using calorix::testing::TempFolder;

DateTime Date(int year, int month, int day) { return *TryEncodeDate(year, month, day); }

// Two records of the date "yyyy-mm-dd", each with T1 and a power of 2 kW.
std::string TwoRecords(std::string_view isoDate) {
  return DayFileText(isoDate, {"10:00;20;;;;;;;;2", "10:01;21;;;;;;;;2"});
}

void Append(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::app).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TEST(DayFileDate, OnlyNamesOfEightDigitsAndCsvStandForADate) {
  const struct {
    const char* name;
    std::optional<DateTime> date;
  } cases[] = {
      {"20240601.csv", Date(2024, 6, 1)}, {"20240601.CSV", Date(2024, 6, 1)}, {"2024061.csv", std::nullopt},
      {"20240601.txt", std::nullopt},     {"20241301.csv", std::nullopt},     {"x20240601.csv", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(DayFileDate(fs::path("logs") / c.name), c.date) << c.name;
}

TEST(NewestDayFileIn, TakesTheLatestDateOfTheFolderAndItsMonthAndYearFolders) {
  TempFolder flat;
  flat.Write("20240601.csv", "");
  flat.Write("20240603.csv", "");
  flat.Write("20240602.csv", "");
  flat.Write("99999999.txt", "");
  EXPECT_EQ(NewestDayFileIn(flat.Path()), flat / "20240603.csv");

  TempFolder years;
  years.Write("2023/12/20231231.csv", "");
  years.Write("2024/01/20240102.csv", "");
  years.Write("2024/01/20240101.csv", "");
  EXPECT_EQ(NewestDayFileIn(years.Path()), years / "2024/01/20240102.csv");

  TempFolder empty;
  EXPECT_EQ(NewestDayFileIn(empty.Path()), std::nullopt);
  EXPECT_EQ(NewestDayFileIn(empty / "missing"), std::nullopt);
}

TEST(LaterDayFiles, FindsTheDaysAfterTheFileUpToTheGivenDay) {
  TempFolder folder;
  const fs::path first = folder.Write("20240601.csv", "");
  folder.Write("20240602.csv", "");
  folder.Write("20240604.csv", "");
  EXPECT_EQ(LaterDayFiles(first, Date(2024, 6, 4) + 0.5),
            (std::vector<fs::path>{folder / "20240602.csv", folder / "20240604.csv"}));
  EXPECT_EQ(LaterDayFiles(first, Date(2024, 6, 3)), (std::vector<fs::path>{folder / "20240602.csv"}));
  EXPECT_TRUE(LaterDayFiles(first, Date(2024, 6, 1) + 0.9).empty());
  EXPECT_TRUE(LaterDayFiles(folder.Write("today.csv", ""), Date(2024, 6, 4)).empty());
}

TEST(LaterDayFiles, MovesOnToTheNextMonthFolder) {
  TempFolder folder;
  const fs::path june = folder.Write("06/20240630.csv", "");
  folder.Write("07/20240701.csv", "");
  EXPECT_EQ(LaterDayFiles(june, Date(2024, 7, 1)), (std::vector<fs::path>{folder / "07/20240701.csv"}));
}

class ReplaceLastDayTest : public ::testing::Test {
 protected:
  TempFolder folder;
  chart::ChartPanel upper;
  chart::ChartPanel lower;
};

TEST_F(ReplaceLastDayTest, FollowedDayTakesThePlaceOfTheSingleDayAndGrowsThere) {
  const fs::path path = folder.Write("20240601.csv", TwoRecords("2024-06-01"));
  auto analysis = TLogAnalysis::CreateSingle(path, &upper, &lower);
  DayFileFollower follower(path, &upper, &lower);
  ASSERT_EQ(follower.Poll(), DayFileFollower::Change::Reloaded);
  const TDay* followed = follower.Day();
  analysis->ReplaceLastDay(follower.TakeDay(), follower.Reading());
  EXPECT_EQ(analysis->DaysInCalendarOrder(), std::vector<const TDay*>{followed});

  Append(path, "2024-06-01 10:02;22;;;;;;;;2\r\n");
  ASSERT_EQ(follower.Poll(), DayFileFollower::Change::Appended);
  EXPECT_EQ(analysis->DaysInCalendarOrder().front()->UpperSeries(Channel::T1).Count(), 3u);
  EXPECT_NEAR(analysis->DaysInCalendarOrder().front()->LastRecordTime(), Date(2024, 6, 1) + 10.0 / 24 + 2.0 / 1440,
              1e-9);
}

TEST_F(ReplaceLastDayTest, RangeTakesTheFollowedDayAndItsNewTotals) {
  const fs::path first = folder.Write("20240601.csv", TwoRecords("2024-06-01"));
  const fs::path last = folder.Write("20240602.csv", TwoRecords("2024-06-02"));
  EvaluationBuilder builder(&upper, &lower);
  ASSERT_EQ(RunMultiDayLoad({first, last}, Date(2024, 6, 1), Date(2024, 6, 2), builder, {}),
            MultiDayLoadOutcome::Finished);
  TLogAnalysis& analysis = *builder.Evaluation();
  // The pump stops: the day collects far less than one that went on at 2 kW.
  Append(last, "2024-06-02 10:02;22;;;;;;;;0\r\n2024-06-02 10:03;22;;;;;;;;0\r\n");
  DayFileFollower follower(last, &upper, &lower);
  ASSERT_EQ(follower.Poll(), DayFileFollower::Change::Reloaded);
  const TDay* followed = follower.Day();
  analysis.ReplaceLastDay(follower.TakeDay(), follower.Reading());
  analysis.BuildDailyTotals();

  EXPECT_EQ(analysis.GetDayCount(), 2);
  EXPECT_EQ(analysis.DaysInCalendarOrder().back(), followed);
  const chart::ChartSeries& energy = *analysis.FindMonth(6, 2024)->Total(Channel::Energy).series;
  ASSERT_EQ(energy.Count(), 30u);  // one point per day of June, built twice
  EXPECT_NEAR(energy.Y(1), followed->GetEnergy(), 1e-4);
  EXPECT_LT(energy.Y(1), energy.Y(0));
}

TEST_F(ReplaceLastDayTest, DayOutsideTheRangeFailsAndTheLoadedDayStays) {
  const fs::path first = folder.Write("20240601.csv", TwoRecords("2024-06-01"));
  const fs::path last = folder.Write("20240602.csv", TwoRecords("2024-06-02"));
  EvaluationBuilder builder(&upper, &lower);
  RunMultiDayLoad({first, last}, Date(2024, 6, 1), Date(2024, 6, 2), builder, {});
  const TDay* loaded = builder.Evaluation()->DaysInCalendarOrder().back();
  folder.Write("20240602.csv", TwoRecords("2024-08-02"));
  DayFileFollower follower(last, &upper, &lower);
  follower.Poll();
  EXPECT_THROW(builder.Evaluation()->ReplaceLastDay(follower.TakeDay(), follower.Reading()), Error);
  EXPECT_EQ(builder.Evaluation()->DaysInCalendarOrder().back(), loaded);
}

}  // namespace
}  // namespace calorix::logdata
