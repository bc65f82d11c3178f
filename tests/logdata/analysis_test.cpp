#include "logdata/log_analysis.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "i18n/text_table.h"
#include "log_test_support.h"
#include "open_counter.h"
#include "logdata/day_log.h"
#include "logdata/month.h"
#include "support/temp_folder.h"

namespace calorix::logdata {
namespace {

// What editors that save as UTF-8 may write before the first line.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

using testing::IsoHeader;
using testing::kMay1;
using testing::Rec;
using testing::TempFile;

std::string DayContent(const std::string& date, const std::string& header = IsoHeader()) {
  return header + "\r\n" + Rec("00:00", "20;;;;;;;1;1000", date) + "\r\n" + Rec("00:01", "21;;;;;;;1;1000", date) +
         "\r\n";
}

std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "(no error)";
}

struct Charts {
  chart::ChartPanel upper;
  chart::ChartPanel lower;
};

TEST(SingleDay, LoadsOneFileWithItsDateUnitsAndName) {
  Charts charts;
  TempFile file(DayContent("2024-05-01", testing::IsoHeader()));
  const auto analysis = TLogAnalysis::CreateSingle(file.path(), &charts.upper, &charts.lower);
  EXPECT_TRUE(analysis->HasData());
  EXPECT_FALSE(analysis->IsMultiDay());
  EXPECT_EQ(analysis->GetDayCount(), 1);
  EXPECT_EQ(analysis->GetMonthCount(), 1);
  EXPECT_EQ(analysis->GetStartDate(0), kMay1);
  EXPECT_EQ(analysis->StartDate(), kMay1);
  EXPECT_EQ(analysis->GetUnit(IndexOf(Channel::T1)), "[°C]");
  EXPECT_EQ(analysis->GetUnit(15), "");
  EXPECT_EQ(analysis->GetUnit(-1), "");
  EXPECT_EQ(analysis->GetFileName(0), file.path());
  EXPECT_EQ(MessageOf([&] { analysis->GetFileName(1); }), "Illegal State(5).");
  EXPECT_EQ(MessageOf([&] { analysis->GetStartDate(1); }), "Illegal State (6).");
  EXPECT_EQ(MessageOf([&] { analysis->GetDateByMonthIndex(0); }), "Illegal State (8).");
  EXPECT_EQ(MessageOf([&] { analysis->GetMonthIndexByDay(0); }), "Illegal State (10).");
  EXPECT_EQ(MessageOf([&] { analysis->GetDayIndexByMonth(0); }), "Illegal State (12).");
}

TEST(SingleDay, FileWithByteOrderMarkLoadsAsWithout) {
  Charts plain;
  Charts marked;
  TempFile without(DayContent("2024-05-01"));
  TempFile with(std::string(kByteOrderMark) + DayContent("2024-05-01"));
  const auto expected = TLogAnalysis::CreateSingle(without.path(), &plain.upper, &plain.lower);
  const auto analysis = TLogAnalysis::CreateSingle(with.path(), &marked.upper, &marked.lower);
  EXPECT_EQ(analysis->GetStartDate(0), kMay1);
  const auto& series = analysis->DaysInCalendarOrder()[0]->UpperSeries(Channel::T1);
  const auto& reference = expected->DaysInCalendarOrder()[0]->UpperSeries(Channel::T1);
  ASSERT_EQ(series.Count(), reference.Count());
  for (std::size_t i = 0; i < series.Count(); ++i) EXPECT_EQ(series.Y(i), reference.Y(i));
}

TEST(SingleDay, PowerInWattsShowsAsKilowatts) {
  Charts charts;
  std::string header = IsoHeader();
  header.replace(header.find("P[kW]"), 5, "P[W]");
  TempFile file(DayContent("2024-05-01", header));
  const auto analysis = TLogAnalysis::CreateSingle(file.path(), &charts.upper, &charts.lower);
  EXPECT_EQ(analysis->GetUnit(IndexOf(Channel::Power)), "[kW]");
  EXPECT_TRUE(analysis->PowerInWatts());
}

TEST(SingleDay, FailuresGiveTheirTexts) {
  Charts charts;
  auto create = [&](const TempFile& f) { TLogAnalysis::CreateSingle(f.path(), &charts.upper, &charts.lower); };
  EXPECT_EQ(MessageOf([&] { create(TempFile(IsoHeader() + "\r\n")); }), i18n::Text(85));
  EXPECT_EQ(MessageOf([&] { create(TempFile("")); }), i18n::Text(85));
  EXPECT_EQ(MessageOf([&] { create(TempFile("Datum;T1\r\n" + Rec("00:00", "1"))); }), i18n::Text(86));
  EXPECT_EQ(MessageOf([&] { create(TempFile(IsoHeader() + "\r\nnot a date;1\r\n")); }), i18n::Text(86));
  EXPECT_EQ(MessageOf([&] { TLogAnalysis::CreateSingle("/no/such/file.csv", &charts.upper, &charts.lower); }),
            i18n::Text(84) + "\n\n/no/such/file.csv");
  EXPECT_EQ(MessageOf([&] { TLogAnalysis::CreateSingle("/no/such/file.csv", nullptr, &charts.lower); }),
            "Illegal State (2)");
}

TEST(SingleDay, ChannelsShowHideAndTakeSettings) {
  Charts charts;
  TempFile file(DayContent("2024-05-01"));
  const auto analysis = TLogAnalysis::CreateSingle(file.path(), &charts.upper, &charts.lower);
  ChannelState lowest = ChannelState::NoColumn;
  analysis->ShowChannel(Channel::T1, lowest, kMay1, kMay1 + 1);
  EXPECT_EQ(lowest, ChannelState::HasValues);
  EXPECT_EQ(charts.upper.SeriesCount(), 1u);
  TChildSettings settings;
  settings.Labels.fill(kDefaultLabel);
  settings.Colors.fill(0x00FF00);
  settings.LineWidth = 2;
  analysis->ApplySeriesSettings(settings);
  EXPECT_EQ(charts.upper.Series()[0]->Title(), i18n::Text(56));
  EXPECT_EQ(charts.upper.Series()[0]->SeriesColor(), 0x00FF00u);
  lowest = ChannelState::NoColumn;
  analysis->ShowChannel(Channel::T2, lowest, kMay1, kMay1 + 1);
  EXPECT_EQ(lowest, ChannelState::EmptyOnly);
  lowest = ChannelState::NoColumn;
  analysis->ShowChannel(Channel::R1, lowest, kMay1, kMay1 + 1);
  EXPECT_EQ(lowest, ChannelState::NoColumn);
  analysis->HideChannel(Channel::R1);
  analysis->HideChannel(Channel::T1);
  analysis->HideChannel(Channel::T2);
  EXPECT_EQ(charts.upper.SeriesCount(), 0u);
}

// Day files of a range in one folder, named yyyymmdd.csv.
struct RangeFolder {
  std::vector<std::unique_ptr<TempFile>> files;
  std::filesystem::path Add(const std::string& isoDate, const std::string& content = "") {
    std::string name = isoDate;
    std::erase(name, '-');
    files.push_back(std::make_unique<TempFile>(content.empty() ? DayContent(isoDate) : content, name + ".csv"));
    return files.back()->path();
  }
};

TEST(MultiDay, MonthsCoverTheRangeAndEmptyOnesAreSkipped) {
  Charts charts;
  RangeFolder folder;
  const auto first = folder.Add("2024-03-15");
  const auto last = folder.Add("2024-05-02");
  std::vector<std::string> failures;
  const auto analysis =
      TLogAnalysis::CreateMulti(*TryEncodeDate(2024, 3, 15), *TryEncodeDate(2024, 5, 2), 2, first, &charts.upper,
                                &charts.lower, [&](const std::string& m) { failures.push_back(m); });
  analysis->AddDayFile(last);
  analysis->BuildDailyTotals();
  EXPECT_TRUE(failures.empty());
  EXPECT_TRUE(analysis->IsMultiDay());
  EXPECT_EQ(analysis->GetDayCount(), 2);
  EXPECT_EQ(analysis->GetMonthCount(), 2);
  EXPECT_EQ(analysis->GetDateByMonthIndex(1), *TryEncodeDate(2024, 5, 1));
  EXPECT_EQ(analysis->GetStartDate(1), *TryEncodeDate(2024, 5, 2));
  EXPECT_EQ(analysis->GetMonthIndexByDay(1), 1);
  EXPECT_EQ(analysis->GetDayIndexByMonth(1), 1);
  EXPECT_NE(analysis->FindMonth(4, 2024), nullptr);
  EXPECT_EQ(analysis->FindMonth(6, 2024), nullptr);
  EXPECT_EQ(analysis->GetFileName(1), last);
  EXPECT_EQ(MessageOf([&] { analysis->GetFileName(2); }), "Illegal State(5).");
  EXPECT_EQ(analysis->FindMonth(4, 2024)->Total(Channel::Volume).series->Count(), 0u);
  EXPECT_EQ(analysis->FindMonth(5, 2024)->Total(Channel::Volume).series->Count(), 31u);
}

TEST(MultiDay, AFileDatedOutsideTheMonthsIsRejectedByNameAndTheRestStays) {
  Charts charts;
  RangeFolder folder;
  const auto first = folder.Add("2024-05-01");
  const auto stray = folder.Add("2024-05-02", DayContent("2024-07-02"));
  const auto analysis = TLogAnalysis::CreateMulti(kMay1, kMay1 + 2, 3, first, &charts.upper, &charts.lower, {});
  std::string expected = i18n::Text(i18n::kTextDateOutsideRange);
  expected.replace(expected.find("%1"), 2, "2024-07-02");
  EXPECT_EQ(MessageOf([&] { analysis->AddDayFile(stray); }), expected + "\n\n" + stray.string());
  EXPECT_EQ(analysis->GetDayCount(), 1);
}

// Records are read by position: a file with other value columns would put
// its values under the wrong channels.
TEST(MultiDay, LaterFileWithOtherColumnsIsLeftOutByName) {
  Charts charts;
  RangeFolder folder;
  const auto first = folder.Add("2024-05-01");
  const std::string swapped = "DATE & TIME;T2;T1;T3;T4;T5;T6;Tds;V';P;R1;R2;R3;R!";
  const auto second = folder.Add("2024-05-02", DayContent("2024-05-02", swapped));
  const auto third = folder.Add("2024-05-03", DayContent("2024-05-03", "DATE & TIME;A;B"));
  const auto analysis = TLogAnalysis::CreateMulti(kMay1, kMay1 + 2, 3, first, &charts.upper, &charts.lower, {});
  const std::string leftOut = i18n::Text(i18n::kTextColumnsDiffer) + "\n\n";
  EXPECT_EQ(MessageOf([&] { analysis->AddDayFile(second); }), leftOut + second.string());
  EXPECT_EQ(MessageOf([&] { analysis->AddDayFile(third); }), leftOut + third.string());
  EXPECT_EQ(analysis->GetDayCount(), 1);
}

TEST(MultiDay, LeftOutFileKeepsTheUnitsOfTheFilesBefore) {
  Charts charts;
  RangeFolder folder;
  const auto first = folder.Add("2024-05-01");
  const auto other = folder.Add("2024-05-02", DayContent("2024-05-02", "DATE & TIME;T1[K];Flow[x];P[W]"));
  const auto analysis = TLogAnalysis::CreateMulti(kMay1, kMay1 + 1, 2, first, &charts.upper, &charts.lower, {});
  EXPECT_THROW(analysis->AddDayFile(other), Error);
  EXPECT_EQ(analysis->GetUnit(IndexOf(Channel::T1)), "[°C]");
  EXPECT_FALSE(analysis->PowerInWatts());
}

TEST(MultiDay, LaterFileWithAnotherTimeColumnAndTheUsualColumnsIsLoaded) {
  Charts charts;
  RangeFolder folder;
  const auto first = folder.Add("2024-05-01");
  std::string german = IsoHeader();
  german.replace(0, 11, "dd.mm.yy hh:mm");
  const auto second = folder.Add("2024-05-02", DayContent("02.05.2024", german));
  const auto analysis = TLogAnalysis::CreateMulti(kMay1, kMay1 + 1, 2, first, &charts.upper, &charts.lower, {});
  analysis->AddDayFile(second);
  EXPECT_EQ(analysis->GetDayCount(), 2);
  EXPECT_EQ(analysis->GetStartDate(1), kMay1 + 1);
}

TEST(MultiDay, FirstFileWithByteOrderMarkStartsTheRange) {
  Charts charts;
  RangeFolder folder;
  const auto first = folder.Add("2024-05-01", std::string(kByteOrderMark) + DayContent("2024-05-01"));
  const auto second = folder.Add("2024-05-02", std::string(kByteOrderMark) + DayContent("2024-05-02"));
  const auto analysis = TLogAnalysis::CreateMulti(kMay1, kMay1 + 1, 2, first, &charts.upper, &charts.lower, {});
  analysis->AddDayFile(second);
  EXPECT_EQ(analysis->GetDayCount(), 2);
}

TEST(MultiDay, FirstFileMustStartWithItsHeader) {
  Charts charts;
  RangeFolder folder;
  const auto first = folder.Add("2024-05-01", "\r\n" + DayContent("2024-05-01"));
  EXPECT_EQ(MessageOf([&] { TLogAnalysis::CreateMulti(kMay1, kMay1 + 1, 2, first, &charts.upper, &charts.lower, {}); }),
            i18n::Text(86));
}

TEST(MultiDay, FirstFileThatFailsLaterIsReportedAndTheEvaluationStays) {
  Charts charts;
  RangeFolder folder;
  const auto first = folder.Add("2024-05-01", IsoHeader() + "\r\n");
  std::vector<std::string> failures;
  const auto analysis = TLogAnalysis::CreateMulti(kMay1, kMay1 + 1, 2, first, &charts.upper, &charts.lower,
                                                  [&](const std::string& m) { failures.push_back(m); });
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0], i18n::Text(85));
  EXPECT_TRUE(analysis->HasData());
  EXPECT_EQ(analysis->GetDayCount(), 0);
}

TEST(MultiDay, CountOfOneMakesASingleDay) {
  Charts charts;
  RangeFolder folder;
  const auto only = folder.Add("2024-05-01");
  const auto analysis = TLogAnalysis::CreateMulti(kMay1, kMay1, 1, only, &charts.upper, &charts.lower, {});
  EXPECT_FALSE(analysis->IsMultiDay());
  EXPECT_EQ(analysis->GetDayCount(), 1);
}

TEST(MultiDay, RangeAcrossYearsBuildsEveryMonth) {
  Charts charts;
  RangeFolder folder;
  const auto first = folder.Add("2023-11-30");
  const auto analysis = TLogAnalysis::CreateMulti(*TryEncodeDate(2023, 11, 30), *TryEncodeDate(2025, 2, 1), 2, first,
                                                  &charts.upper, &charts.lower, {});
  int months = 0;
  for (TMonth* m = analysis->FindMonth(11, 2023); m; m = m->GetNext()) ++months;
  EXPECT_EQ(months, 16);
  EXPECT_NE(analysis->FindMonth(1, 2025), nullptr);
}

// Reading stops at a record that cannot be read; the day keeps what came
// before and the evaluation has one warning for the file, naming it and the
// line, until the warnings are taken.
std::string StopWarning(const std::filesystem::path& path, std::size_t line) {
  std::string text = i18n::Text(i18n::kTextReadingStopped);
  text.replace(text.find("%1"), 2, std::to_string(line));
  return text + "\n\n" + path.string();
}

TEST(ReadingWarnings, SingleDayThatStopsEarlyWarnsOnceWithFileAndLine) {
  Charts charts;
  i18n::SetCurrentBlock(i18n::LanguageBlock::English);
  TempFile file("\r\n" + DayContent("2024-05-01") + "\r\n" + Rec("00:02", "22;1.5") + "\r\n" + Rec("00:03", "23"));
  const auto analysis = TLogAnalysis::CreateSingle(file.path(), &charts.upper, &charts.lower);
  ChannelState lowest = ChannelState::NoColumn;
  analysis->ShowChannel(Channel::T1, lowest, 0, 1e6);
  EXPECT_EQ(charts.upper.Series()[0]->Count(), 3u);  // 20, 21 and the 22 before the bad field
  const std::vector<std::string> warnings = analysis->TakeWarnings();
  EXPECT_EQ(warnings, std::vector<std::string>{StopWarning(file.path(), 6)});
  i18n::SetCurrentBlock(i18n::LanguageBlock::German);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_TRUE(warnings[0].starts_with("Reading stopped at line 6,"));
  EXPECT_TRUE(warnings[0].ends_with("\n\n" + file.path().string()));
  EXPECT_TRUE(analysis->TakeWarnings().empty());
}

TEST(ReadingWarnings, CompleteDaysGiveNone) {
  Charts charts;
  TempFile file(DayContent("2024-05-01"));
  EXPECT_TRUE(TLogAnalysis::CreateSingle(file.path(), &charts.upper, &charts.lower)->TakeWarnings().empty());
}

TEST(ReadingWarnings, MultiDayGathersOnePerFileInLoadingOrder) {
  Charts charts;
  calorix::testing::TempFolder folder;
  const auto first = folder.Write("20240501.csv", DayContent("2024-05-01") + Rec("00:02", "inf") + "\r\n");
  const auto second = folder.Write("20240502.csv", DayContent("2024-05-02"));
  const auto third = folder.Write("20240503.csv", DayContent("2024-05-03") + Rec("00:02", "1E999", "2024-05-03"));
  const auto analysis = TLogAnalysis::CreateMulti(kMay1, kMay1 + 2, 3, first, &charts.upper, &charts.lower, {});
  analysis->AddDayFile(second);
  analysis->AddDayFile(third);
  EXPECT_EQ(analysis->TakeWarnings(), (std::vector<std::string>{StopWarning(first, 4), StopWarning(third, 4)}));
  EXPECT_EQ(analysis->GetDayCount(), 3);
}

// Each file is read from disk once however the evaluation is made; what the
// system reports opening is counted.
TEST(ReadingOnce, SingleAndMultiDayReadTheirFirstFileOnce) {
  Charts charts;
  calorix::testing::TempFolder folder;
  const auto first = folder.Write("20240501.csv", DayContent("2024-05-01"));
  const auto second = folder.Write("20240502.csv", DayContent("2024-05-02"));
  testing::OpenCounter opens(folder.Path());
  ASSERT_TRUE(opens.Watching());
  TLogAnalysis::CreateSingle(first, &charts.upper, &charts.lower);
  EXPECT_EQ(opens.Take(), (std::map<std::string, int>{{"20240501.csv", 1}}));
  const auto analysis = TLogAnalysis::CreateMulti(kMay1, kMay1 + 1, 2, first, &charts.upper, &charts.lower, {});
  analysis->AddDayFile(second);
  EXPECT_EQ(opens.Take(), (std::map<std::string, int>{{"20240501.csv", 1}, {"20240502.csv", 1}}));
}

}  // namespace
}  // namespace calorix::logdata
