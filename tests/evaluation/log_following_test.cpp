// Following a log as a logger writes it: where the view goes with new
// records, and an evaluation that grows (or joins the next day's file)
// showing what a fresh load of the same files shows.
#include "evaluation/log_following.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/child_settings.h"
#include "evaluation/evaluation_model.h"
#include "i18n/text_table.h"
#include "logdata/multi_day.h"
#include "settings/settings_keys.h"
#include "stub_days.h"
#include "support/day_file_text.h"
#include "support/temp_folder.h"

namespace calorix::evaluation {
namespace {

using calorix::testing::Date;
using calorix::testing::DayFileText;
using calorix::testing::StubDays;
using calorix::testing::TempFolder;
using logdata::Channel;

const DateTime kMay31 = Date(2024, 5, 31);
const DateTime kJune1 = Date(2024, 6, 1);
const StubDays kDays({kMay31, kJune1});

DateTime At(DateTime day, int hour, int minute = 0) { return day + hour / 24.0 + minute / 1440.0; }

TimePosition Hours(Span span, DateTime day, int from, int to) {
  TimePosition p;
  p.spanCount = kYearSpanCount;
  p.span = span;
  p.dayStart = day;
  p.dayIndex = day == kMay31 ? 0 : 1;
  p.hourStart = from;
  p.hourEnd = to;
  return p;
}
TimePosition DayOf(DateTime day) { return Hours(Span::Day, day, 0, 24); }
ShownWindow Plain(DateTime from, DateTime to) { return {{from, to}, false, {from, to}}; }
ShownWindow Zoomed(DateTime from, DateTime to, DateTime day) { return {{from, to}, true, {day, day + 1}}; }

struct FollowCase {
  const char* name;
  TimePosition position;
  ShownWindow shown;
  DateTime previousLast;
  DateTime newest;
  chart::ValueRange expected;  // the window shown afterwards
};

// What the window shows after following: the zoom, the new position's
// window, or the window it showed.
chart::ValueRange WindowAfter(const FollowCase& c) {
  const FollowView follow = FollowNewest(c.position, c.shown, c.previousLast, c.newest, kDays);
  if (follow.zoom) return *follow.zoom;
  if (follow.position) return ShowPosition(*follow.position, kDays).window;
  return c.shown.window;
}

TEST(FollowNewest, MovesAlongWhileTheNewestRecordIsInViewAndStaysElsewhere) {
  const double lead = 0.025 / 24.0;  // of an hour's zoom
  TimePosition scrolled = DayOf(kMay31);
  scrolled.scrolled = chart::ValueRange{At(kMay31, 6), At(kJune1, 6)};
  TimePosition may = DayOf(kMay31);
  may.span = Span::Month;
  may.dayStart = Date(2024, 5, 1);
  const FollowCase cases[] = {
      {"the newest day in the day span",
       DayOf(kJune1),
       Plain(kJune1, kJune1 + 1),
       At(kJune1, 10),
       At(kJune1, 10, 1),
       {kJune1, kJune1 + 1}},
      {"hours at the end move an hour on",
       Hours(Span::ThreeHours, kJune1, 9, 12),
       Plain(At(kJune1, 9), At(kJune1, 12)),
       At(kJune1, 11, 59),
       At(kJune1, 12),
       {At(kJune1, 10), At(kJune1, 13)}},
      {"hours the user went back to",
       Hours(Span::ThreeHours, kJune1, 6, 9),
       Plain(At(kJune1, 6), At(kJune1, 9)),
       At(kJune1, 11, 59),
       At(kJune1, 12),
       {At(kJune1, 6), At(kJune1, 9)}},
      {"a zoom at the end keeps its width",
       DayOf(kJune1),
       Zoomed(At(kJune1, 10), At(kJune1, 11), kJune1),
       At(kJune1, 10, 59),
       At(kJune1, 11),
       {At(kJune1, 10) + lead, At(kJune1, 11) + lead}},
      {"a zoom elsewhere",
       DayOf(kJune1),
       Zoomed(At(kJune1, 8), At(kJune1, 9), kJune1),
       At(kJune1, 11, 59),
       At(kJune1, 12),
       {At(kJune1, 8), At(kJune1, 9)}},
      {"a zoom at midnight gives way to the new day",
       DayOf(kMay31),
       Zoomed(At(kMay31, 23), kJune1, kMay31),
       At(kMay31, 23, 59),
       kJune1,
       {kJune1, kJune1 + 1}},
      {"the day span goes on to the new day",
       DayOf(kMay31),
       Plain(kMay31, kJune1),
       At(kMay31, 23, 59),
       At(kJune1, 0, 1),
       {kJune1, kJune1 + 1}},
      {"the month span goes on to the new month",
       may,
       Plain(Date(2024, 5, 1), kJune1),
       At(kMay31, 23, 59),
       At(kJune1, 0, 1),
       {kJune1, Date(2024, 7, 1)}},
      {"a scrolled window scrolls on",
       scrolled,
       Plain(At(kMay31, 6), At(kJune1, 6)),
       At(kJune1, 5, 59),
       At(kJune1, 6),
       {At(kMay31, 6) + 0.025, At(kJune1, 6) + 0.025}},
  };
  for (const FollowCase& c : cases) {
    const chart::ValueRange after = WindowAfter(c);
    EXPECT_NEAR(after.min, c.expected.min, 1e-9) << c.name;
    EXPECT_NEAR(after.max, c.expected.max, 1e-9) << c.name;
  }
}

TEST(SamePlace, FindsTheHeldDateAmongTheDaysLoadedAgain) {
  TimePosition held = Hours(Span::ThreeHours, kMay31, 9, 12);
  held.spanCount = kSingleDaySpanCount;
  held.dayIndex = 0;
  const std::optional<TimePosition> place = SamePlace(held, kMultiDaySpanCount, kDays);
  ASSERT_TRUE(place);
  EXPECT_EQ(place->spanCount, kMultiDaySpanCount);
  EXPECT_EQ(ShowPosition(*place, kDays).window.min, At(kMay31, 9));

  held.dayStart = Date(2024, 5, 30);  // no longer loaded
  EXPECT_FALSE(SamePlace(held, kMultiDaySpanCount, kDays));
  TimePosition year = DayOf(kMay31);
  year.span = Span::Year;
  EXPECT_FALSE(SamePlace(year, kMultiDaySpanCount, kDays));
}

// The model following files in a folder.
class FollowModelTest : public ::testing::Test {
 protected:
  FollowModelTest() {
    i18n::SetCurrentBlock(i18n::LanguageBlock::English);
    for (EvaluationModel* m : {&model, &fresh}) {
      m->ApplySettings(DefaultChildSettings());
      m->SetLowerChartWidth(1000);
    }
  }
  ~FollowModelTest() override { i18n::SetCurrentBlock(i18n::LanguageBlock::German); }

  // Records of T1, T2, flow and power, a minute apart from hh:mm on.
  static std::vector<std::string> Minutes(int hour, int minute, int count, double t1 = 40.0) {
    std::vector<std::string> records;
    for (int i = 0; i < count; ++i) {
      const int m = hour * 60 + minute + i;
      char time[8];
      std::snprintf(time, sizeof time, "%02d:%02d", m / 60 % 24, m % 60);
      records.push_back(std::string(time) + ";" + std::to_string(static_cast<int>(t1) + i) + ";30;;;;;;12;" +
                        std::to_string(1 + i % 3) + ";100;0;0;0");
    }
    return records;
  }
  void Append(const std::filesystem::path& path, const std::string& date, const std::vector<std::string>& records) {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    for (const std::string& record : records) out << date << " " << record << "\r\n";
  }
  void CheckBoth(std::initializer_list<Channel> channels) {
    for (EvaluationModel* m : {&model, &fresh}) {
      for (const Channel channel : channels) m->SetChannelChecked(channel, true);
    }
  }
  // The followed model shows what a fresh load of the same files shows.
  void ExpectSameAsFresh(DateTime t) {
    EXPECT_EQ(model.SummaryText(), fresh.SummaryText());
    EXPECT_EQ(model.TimeWindow().min, fresh.TimeWindow().min);
    EXPECT_EQ(model.TimeWindow().max, fresh.TimeWindow().max);
    EXPECT_EQ(model.Upper().LeftAxis().Minimum(), fresh.Upper().LeftAxis().Minimum());
    EXPECT_EQ(model.Upper().LeftAxis().Maximum(), fresh.Upper().LeftAxis().Maximum());
    EXPECT_EQ(model.Upper().RightAxis().Maximum(), fresh.Upper().RightAxis().Maximum());
    EXPECT_EQ(ReadoutText(model.Snapshot(), t), ReadoutText(fresh.Snapshot(), t));
    EXPECT_EQ(model.Findings(), fresh.Findings());
  }

  TempFolder folder;
  std::filesystem::path june1 = folder / "20240601.csv";
  std::filesystem::path june2 = folder / "20240602.csv";
  EvaluationModel model;
  EvaluationModel fresh;
};

TEST_F(FollowModelTest, AppendedRecordsShowAsAFreshLoadShowsThem) {
  folder.Write("20240601.csv", DayFileText("2024-06-01", Minutes(10, 0, 10)));
  model.Follow(june1, kJune1);
  model.SetChannelChecked(Channel::T1, true);
  model.SetChannelChecked(Channel::Power, true);
  const std::string before = model.SummaryText();
  const std::size_t foundBefore = model.Findings().size();
  // Twelve minutes of a collector at 125 degrees and more: it overheats.
  Append(june1, "2024-06-01", Minutes(10, 10, 12, 125.0));
  EXPECT_EQ(model.LookAtFollowed(kJune1), EvaluationModel::FollowLook::Grown);
  EXPECT_EQ(model.LookAtFollowed(kJune1), EvaluationModel::FollowLook::Nothing);
  EXPECT_NE(model.SummaryText(), before);
  ASSERT_EQ(model.Findings().size(), foundBefore + 1);
  EXPECT_TRUE(std::any_of(model.Findings().begin(), model.Findings().end(),
                          [](const findings::Finding& f) { return f.kind == findings::FindingKind::Overheat; }));
  fresh.LoadFile(june1);
  CheckBoth({});
  fresh.SetChannelChecked(Channel::T1, true);
  fresh.SetChannelChecked(Channel::Power, true);
  ExpectSameAsFresh(At(kJune1, 10, 14));
}

TEST_F(FollowModelTest, TheNextDaysFileJoinsOnceItHoldsRecordsAndIsFollowedThen) {
  folder.Write("20240601.csv", DayFileText("2024-06-01", Minutes(23, 50, 10)));
  model.Follow(june1, kJune1 + 1);
  model.SetChannelChecked(Channel::T1, true);
  folder.Write("20240602.csv", DayFileText("2024-06-02", {}));
  EXPECT_EQ(model.LookAtFollowed(kJune1 + 1), EvaluationModel::FollowLook::Nothing);
  EXPECT_EQ(model.View().spanCount, kSingleDaySpanCount);

  Append(june2, "2024-06-02", Minutes(0, 0, 2));
  EXPECT_EQ(model.LookAtFollowed(kJune1 + 1), EvaluationModel::FollowLook::Joined);
  EXPECT_EQ(model.FollowedFiles(), (std::vector<std::filesystem::path>{june1, june2}));
  EXPECT_EQ(model.View().spanCount, kMultiDaySpanCount);
  EXPECT_EQ(model.ShownDay(), kJune1 + 1);  // it showed the newest record
  EXPECT_TRUE(model.View().checked[0]);
  const std::string caption = ComposeCaption(model.View().caption);
  EXPECT_NE(caption.find("(2 files found)"), std::string::npos) << caption;
  EXPECT_TRUE(caption.ends_with(i18n::Text(i18n::kTextFollowingSuffix))) << caption;

  Append(june2, "2024-06-02", Minutes(0, 2, 30, 70.0));
  EXPECT_EQ(model.LookAtFollowed(kJune1 + 1), EvaluationModel::FollowLook::Grown);
  model.ChooseSpan(static_cast<int>(Span::Month));
  model.SetChannelChecked(Channel::Energy, true);
  logdata::RunMultiDayLoad({june1, june2}, kJune1, kJune1 + 1, fresh, {});
  fresh.ChooseSpan(static_cast<int>(Span::Month));
  CheckBoth({Channel::T1, Channel::Energy});
  ExpectSameAsFresh(At(kJune1 + 1, 12));
  EXPECT_EQ(model.Snapshot().load.TotalsCsv(TotalsPer::Day), fresh.Snapshot().load.TotalsCsv(TotalsPer::Day));
}

TEST_F(FollowModelTest, ANextDaysFileThatDoesNotLoadEndsTheFollowingWithItsMessage) {
  folder.Write("20240601.csv", DayFileText("2024-06-01", Minutes(23, 50, 10)));
  model.Follow(june1, kJune1 + 1);
  folder.Write("20240602.csv", DayFileText("2024-08-02", Minutes(0, 0, 2)));  // dated outside the range
  model.LookAtFollowed(kJune1 + 1);
  EXPECT_FALSE(model.IsFollowing());
  EXPECT_FALSE(model.View().caption.following);
  EXPECT_TRUE(model.HasEvaluation());
  const std::vector<std::string> messages = model.TakeMessages();
  ASSERT_EQ(messages.size(), 1u) << ::testing::PrintToString(messages);
  EXPECT_NE(messages[0].find(june2.string()), std::string::npos) << messages[0];
}

TEST_F(FollowModelTest, AShortenedFileIsReadAgainWithItsChannelsTicked) {
  folder.Write("20240601.csv", DayFileText("2024-06-01", Minutes(10, 0, 30)));
  model.Follow(june1, kJune1);
  model.SetChannelChecked(Channel::T1, true);
  folder.Write("20240601.csv", DayFileText("2024-06-01", Minutes(10, 0, 3, 60.0)));
  EXPECT_EQ(model.LookAtFollowed(kJune1), EvaluationModel::FollowLook::Replaced);
  EXPECT_TRUE(model.IsFollowing());
  fresh.LoadFile(june1);
  fresh.SetChannelChecked(Channel::T1, true);
  ExpectSameAsFresh(At(kJune1, 10, 2));
}

TEST_F(FollowModelTest, AFileThatCannotBeReadIsReportedOnceAndFollowedOn) {
  folder.Write("20240601.csv", DayFileText("2024-06-01", Minutes(10, 0, 3)));
  model.Follow(june1, kJune1);
  std::filesystem::remove(june1);
  EXPECT_EQ(model.LookAtFollowed(kJune1), EvaluationModel::FollowLook::Nothing);
  const std::vector<std::string> messages = model.TakeMessages();
  EXPECT_EQ(messages.size(), 1u) << ::testing::PrintToString(messages);
  model.LookAtFollowed(kJune1);
  EXPECT_TRUE(model.TakeMessages().empty());
  // Back with two more records: read on where reading stopped.
  folder.Write("20240601.csv", DayFileText("2024-06-01", Minutes(10, 0, 5)));
  EXPECT_EQ(model.LookAtFollowed(kJune1), EvaluationModel::FollowLook::Grown);
  EXPECT_TRUE(model.TakeMessages().empty());
}

TEST_F(FollowModelTest, LoadingAnotherFileEndsTheFollowing) {
  folder.Write("20240601.csv", DayFileText("2024-06-01", Minutes(10, 0, 3)));
  const auto other = folder.Write("other/20240601.csv", DayFileText("2024-06-01", Minutes(10, 0, 3)));
  model.Follow(june1, kJune1);
  EXPECT_TRUE(model.View().caption.following);
  model.LoadFile(other);
  EXPECT_FALSE(model.IsFollowing());
  EXPECT_FALSE(model.View().caption.following);
  Append(june1, "2024-06-01", Minutes(10, 3, 1));
  EXPECT_EQ(model.LookAtFollowed(kJune1), EvaluationModel::FollowLook::Nothing);
}

}  // namespace
}  // namespace calorix::evaluation
