// Following a growing day file: whatever pieces the file grows by, the day
// log is the one a whole read of its complete lines gives.
#include "logdata/day_follower.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "chart/chart_panel.h"
#include "support/day_file_text.h"
#include "support/temp_folder.h"
#include "tools/log_generator.h"

namespace calorix::logdata {
namespace {

using calorix::testing::DayFileText;
using calorix::testing::TempFolder;

void Append(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::app);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The day a whole read of the complete lines of bytes gives.
struct WholeRead {
  explicit WholeRead(std::string bytes) {
    bytes.resize(std::min(bytes.size(), bytes.rfind('\n') + 1));
    const DayFile file = DayFileOf(std::move(bytes));
    LogReadState reading;
    CheckHeader(file.Header(), reading);
    day = std::make_unique<TDay>(DayDateOfRecords(file.Records(), reading.dateStyle), &upper, &lower);
    day->ParseDay(file.Records(), reading.powerInWatts, reading.dateStyle);
  }
  chart::ChartPanel upper;
  chart::ChartPanel lower;
  std::unique_ptr<TDay> day;
};

void ExpectSameDay(const TDay& read, const TDay& whole) {
  EXPECT_EQ(read.DayDate(), whole.DayDate());
  EXPECT_EQ(read.DayEnd(), whole.DayEnd());
  EXPECT_EQ(read.GetVolume(), whole.GetVolume());
  EXPECT_EQ(read.GetEnergy(), whole.GetEnergy());
  EXPECT_EQ(read.StoppedAtLine(), whole.StoppedAtLine());
  for (int i = 0; i < TDay::kEntryCount; ++i) {
    const chart::ChartSeries& a = *read.Entry(i).series;
    const chart::ChartSeries& b = *whole.Entry(i).series;
    EXPECT_EQ(read.Entry(i).state, whole.Entry(i).state) << i;
    ASSERT_EQ(a.Count(), b.Count()) << i;
    for (std::size_t p = 0; p < a.Count(); ++p) {
      ASSERT_EQ(a.X(p), b.X(p)) << i << " " << p;
      ASSERT_EQ(a.IsNull(p), b.IsNull(p)) << i << " " << p;
      if (!a.IsNull(p)) {
        ASSERT_EQ(a.Y(p), b.Y(p)) << i << " " << p;
      }
    }
  }
  for (int c = 0; c < kColumnCount; ++c) {
    EXPECT_EQ(read.Errors(ChannelAt(c)).count, whole.Errors(ChannelAt(c)).count) << c;
    EXPECT_EQ(read.Errors(ChannelAt(c)).last, whole.Errors(ChannelAt(c)).last) << c;
  }
}

class FollowerTest : public ::testing::Test {
 protected:
  TempFolder folder;
  std::filesystem::path path = folder / "20240601.csv";
  chart::ChartPanel upper;
  chart::ChartPanel lower;
};

TEST_F(FollowerTest, PiecesOfAnyLengthReadAsTheWholeFile) {
  loggen::Options options;
  options.power = loggen::PowerUnit::Watt;
  options.injections = loggen::ParseInjections("err:2024-06-01:T3,gap:2024-06-01");
  const std::string bytes = loggen::GenerateDay({2024, 6, 1}, options);
  DayFileFollower follower(path, &upper, &lower);
  std::ofstream(path, std::ios::binary).flush();
  // Pieces that end inside lines, between CR and LF, and after several lines.
  const std::size_t lengths[] = {1, 97, 5, 260, 1111, 33, 4000};
  std::size_t written = 0;
  for (std::size_t n = 0; written < bytes.size(); ++n) {
    const std::size_t length = std::min(lengths[n % std::size(lengths)], bytes.size() - written);
    Append(path, std::string_view(bytes).substr(written, length));
    written += length;
    follower.Poll();
    if ((n % 25 != 0 || written < 1000) && written < bytes.size()) continue;
    const WholeRead whole(bytes.substr(0, written));
    ASSERT_NE(follower.Day(), nullptr) << written;
    SCOPED_TRACE(written);
    ExpectSameDay(*follower.Day(), *whole.day);
  }
  EXPECT_GT(follower.Day()->Errors(Channel::T3).count, 0u);
}

TEST_F(FollowerTest, HalfWrittenLineIsReadOnceComplete) {
  const std::string whole = DayFileText("2024-06-01", {"00:00;10", "00:01;11", "00:02;12,34;5"});
  const std::size_t cut = whole.size() - 6;  // inside "12,34"
  folder.Write("20240601.csv", whole.substr(0, cut));
  DayFileFollower follower(path, &upper, &lower);
  EXPECT_EQ(follower.Poll(), DayFileFollower::Change::Reloaded);
  EXPECT_EQ(follower.Day()->UpperSeries(Channel::T1).Count(), 2u);
  EXPECT_EQ(follower.Poll(), DayFileFollower::Change::None);
  Append(path, whole.substr(cut, 5));  // everything but the LF
  EXPECT_EQ(follower.Poll(), DayFileFollower::Change::None);
  Append(path, whole.substr(cut + 5));
  EXPECT_EQ(follower.Poll(), DayFileFollower::Change::Appended);
  ASSERT_EQ(follower.Day()->UpperSeries(Channel::T1).Count(), 3u);
  EXPECT_EQ(follower.Day()->UpperSeries(Channel::T1).Y(2), 12.34);
  EXPECT_EQ(follower.Day()->UpperSeries(Channel::T2).Count(), 1u);
}

TEST_F(FollowerTest, ShortenedOrReplacedFileIsReadAgainFromTheStart) {
  const std::string first = DayFileText("2024-06-01", {"00:00;10", "00:01;11", "00:02;12", "00:03;13"});
  folder.Write("20240601.csv", first);
  DayFileFollower follower(path, &upper, &lower);
  follower.Poll();
  const std::string shorter = DayFileText("2024-06-01", {"00:00;10", "00:01;21"});
  folder.Write("20240601.csv", shorter);
  EXPECT_EQ(follower.Poll(), DayFileFollower::Change::Reloaded);
  ExpectSameDay(*follower.Day(), *WholeRead(shorter).day);
  // Another day's file, longer than the one read: its start differs.
  const std::string other = DayFileText("2024-06-02", {"00:00;30", "00:01;31", "00:02;32", "00:03;33", "00:04;34"});
  folder.Write("20240601.csv", other);
  EXPECT_EQ(follower.Poll(), DayFileFollower::Change::Reloaded);
  ExpectSameDay(*follower.Day(), *WholeRead(other).day);
}

TEST_F(FollowerTest, RecordThatCannotBeReadEndsTheDayAsInAWholeRead) {
  const std::string start = DayFileText("2024-06-01", {"00:00;10", "00:01;11"});
  folder.Write("20240601.csv", start);
  DayFileFollower follower(path, &upper, &lower);
  follower.Poll();
  const std::string more = "2024-06-01 00:02;1.5\r\n2024-06-01 00:03;14\r\n";
  Append(path, more);
  EXPECT_EQ(follower.Poll(), DayFileFollower::Change::Appended);
  ExpectSameDay(*follower.Day(), *WholeRead(start + more).day);
  EXPECT_EQ(follower.Day()->StoppedAtLine(), 4u);
}

TEST_F(FollowerTest, FileWithoutRecordsGivesNoDayYet) {
  folder.Write("20240601.csv", DayFileText("2024-06-01", {}));
  DayFileFollower follower(path, &upper, &lower);
  EXPECT_EQ(follower.Poll(), DayFileFollower::Change::None);
  EXPECT_EQ(follower.Day(), nullptr);
}

}  // namespace
}  // namespace calorix::logdata
