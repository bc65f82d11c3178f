// The rules of each finding on small hand-made days: where a pattern
// starts to count and where it does not yet.
#include "findings/findings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "chart/chart_panel.h"
#include "logdata/log_analysis.h"
#include "support/day_file_text.h"
#include "support/temp_folder.h"

namespace calorix::findings {
namespace {

using calorix::testing::DayFileText;
using calorix::testing::TempFolder;
using logdata::Channel;

constexpr double kMay1 = 45413.0;  // 2024-05-01
constexpr double kMinute = 1.0 / 1440.0;

std::string Clock(int minute) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", minute / 60 % 24, minute % 60);
  return text;
}

// Records from..to (minutes of the day, every step) with the values that
// values(minute) gives: "T1;T2;T3;T4;T5;T6;Tds;V';P;R1;R2;R3;R!".
template <typename Values>
std::vector<std::string> Records(int from, int to, int step, Values values) {
  std::vector<std::string> records;
  for (int m = from; m <= to; m += step) records.push_back(Clock(m) + ";" + values(m));
  return records;
}

// Tenths of a kelvin as a log field: 452 -> "45,2".
std::string Tenths(int tenths) { return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10); }

// T3..Tds, and T2..Tds, each changing a little from minute to minute (a
// sensor that never changes is a finding of its own).
std::string T3ToTds(int m) {
  const int k = m % 2;
  return Tenths(450 + k) + ";" + Tenths(200 + k) + ";" + Tenths(100 + k) + ";" + Tenths(200 + k) + ";" +
         Tenths(201 + k);
}
std::string Sensors(int m) { return Tenths(400 + m % 2) + ";" + T3ToTds(m); }
std::string T1(int m) { return Tenths(200 + m % 2); }

// A quiet day: the sensors change a little, nothing runs.
std::string Quiet(int m) { return T1(m) + ";" + Sensors(m) + ";0;0;0;0;0;0"; }

class FindingRules : public ::testing::Test {
 protected:
  std::vector<Finding> Find(const std::vector<std::string>& records, const FindingThresholds& limits = {}) {
    const auto path = folder_.Write("20240501.csv", DayFileText("2024-05-01", records));
    analysis_ = logdata::TLogAnalysis::CreateSingle(path, &upper_, &lower_);
    return FindFindings(*analysis_, limits);
  }

 private:
  TempFolder folder_;
  chart::ChartPanel upper_;
  chart::ChartPanel lower_;
  std::unique_ptr<logdata::TLogAnalysis> analysis_;
};

TEST_F(FindingRules, QuietDayHasNone) { EXPECT_TRUE(Find(Records(0, 1439, 1, Quiet)).empty()); }

TEST_F(FindingRules, OverheatCountsFromTenMinutesAtTheLimit) {
  for (const int minutes : {9, 10}) {
    const auto found = Find(Records(0, 100, 1, [&](int m) {
      const bool hot = m >= 50 && m < 50 + minutes;
      return std::string(hot ? (m == 52 ? "121,5" : "120") : "119,9") + ";" + Sensors(m) + ";0;0;0;0;0;0";
    }));
    SCOPED_TRACE(minutes);
    if (minutes == 9) {
      EXPECT_TRUE(found.empty());
      continue;
    }
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].kind, FindingKind::Overheat);
    EXPECT_NEAR(found[0].start, kMay1 + 50 * kMinute, 1e-9);
    EXPECT_NEAR(found[0].end, kMay1 + 60 * kMinute, 1e-9);
    EXPECT_EQ(found[0].figure, 121.5);
    EXPECT_NEAR(found[0].figureAt.value_or(0), kMay1 + 52 * kMinute, 1e-9);
  }
}

TEST_F(FindingRules, PumpWithoutYieldNeedsSmallLeadAndNoPower) {
  // R1 on from 01:00 for 40 minutes with T1 two kelvin over T2; the power
  // shows yield in the second case.
  for (const char* power : {"0,05", "0,5"}) {
    const auto found = Find(Records(0, 200, 1, [&](int m) {
      const bool on = m >= 60 && m < 100;
      return Tenths(420 + m % 2) + ";" + Sensors(m) + ";0;" + (on ? power : "0") + (on ? ";30" : ";0") + ";0;0;0";
    }));
    SCOPED_TRACE(power);
    if (std::string(power) == "0,5") {
      EXPECT_TRUE(found.empty());
      continue;
    }
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].kind, FindingKind::NoYield);
    EXPECT_EQ(found[0].channel, Channel::R1);
    EXPECT_NEAR(found[0].end - found[0].start, 40 * kMinute, 1e-9);
    EXPECT_EQ(found[0].figure, 2.0);
  }
}

TEST_F(FindingRules, CyclingCountsStartsWithinAnHour) {
  // R3 on every 6 minutes from 10:00 (one minute each): 10 starts take 54
  // minutes, 9 starts never make the tenth.
  for (const int starts : {9, 10}) {
    const auto found = Find(Records(540, 720, 1, [&](int m) {
      const bool on = m >= 600 && (m - 600) % 6 == 0 && (m - 600) / 6 < starts;
      return Quiet(m).substr(0, Quiet(m).size() - 3) + (on ? "100" : "0") + ";0";
    }));
    SCOPED_TRACE(starts);
    if (starts == 9) {
      EXPECT_TRUE(found.empty());
      continue;
    }
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].kind, FindingKind::Cycling);
    EXPECT_EQ(found[0].channel, Channel::R3);
    EXPECT_NEAR(found[0].start, kMay1 + 600 * kMinute, 1e-9);
    EXPECT_NEAR(found[0].end, kMay1 + 655 * kMinute, 1e-9) << "to the end of the last run";
    EXPECT_EQ(found[0].figure, 10.0);
  }
}

TEST_F(FindingRules, ErrReadingsAreCountedPerChannelWithFirstAndLast) {
  const auto found = Find(Records(0, 30, 1, [](int m) {
    return (m == 5 || m == 9 ? std::string("Err") : T1(m)) + ";" + Sensors(m) + ";0;0;0;0;0;0";
  }));
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].kind, FindingKind::Err);
  EXPECT_EQ(found[0].channel, Channel::T1);
  EXPECT_NEAR(found[0].start, kMay1 + 5 * kMinute, 1e-9);
  EXPECT_NEAR(found[0].end, kMay1 + 9 * kMinute, 1e-9);
  EXPECT_EQ(found[0].figure, 2.0);
}

TEST_F(FindingRules, ValuesBeyondTheSensorRangeGiveTheFarthest) {
  const auto found = Find(Records(0, 30, 1, [](int m) {
    const char* t6 = m == 10 ? "250,5" : m == 11 ? "300" : m == 12 ? "250" : "20";
    return Quiet(m).substr(0, 25) + t6 + Quiet(m).substr(29);  // T6 replaced
  }));
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].kind, FindingKind::OutOfRange);
  EXPECT_EQ(found[0].channel, Channel::T6);
  EXPECT_NEAR(found[0].start, kMay1 + 10 * kMinute, 1e-9);
  EXPECT_NEAR(found[0].end, kMay1 + 12 * kMinute, 1e-9);
  EXPECT_EQ(found[0].figure, 300.0);
}

TEST_F(FindingRules, StuckNeedsAnotherSensorThatChanges) {
  const auto stuck =
      Find(Records(0, 1439, 10, [](int m) { return std::to_string(20 + m % 3) + ";40;;;;;;0;0;0;0;0;0"; }));
  ASSERT_EQ(stuck.size(), 1u);
  EXPECT_EQ(stuck[0].kind, FindingKind::Stuck);
  EXPECT_EQ(stuck[0].channel, Channel::T2);
  EXPECT_EQ(stuck[0].figure, 40.0);
  EXPECT_NEAR(stuck[0].end - stuck[0].start, 1430 * kMinute, 1e-9);
  EXPECT_TRUE(Find(Records(0, 1439, 10, [](int) { return std::string("20;40;;;;;;0;0;0;0;0;0"); })).empty())
      << "a plant where nothing changes shows no single stuck sensor";
}

TEST_F(FindingRules, FaultOutputPeriodsWithTheirHighestLevel) {
  const auto found = Find(Records(0, 60, 1, [](int m) {
    const char* fault = m >= 10 && m < 13 ? (m == 11 ? "100" : "50") : m == 30 ? "20" : "0";
    return Quiet(m).substr(0, Quiet(m).size() - 1) + fault;
  }));
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].kind, FindingKind::Fault);
  EXPECT_NEAR(found[0].start, kMay1 + 10 * kMinute, 1e-9);
  EXPECT_NEAR(found[0].end, kMay1 + 13 * kMinute, 1e-9);
  EXPECT_EQ(found[0].figure, 100.0);
  EXPECT_EQ(found[1].figure, 20.0);
}

TEST_F(FindingRules, GapsAreLongerThanTheLimitAndTheUsualSpacing) {
  struct Case {
    int step;
    int hole;  // minutes from the record before the hole to the one after
    bool gap;
  };
  for (const Case c : {Case{1, 10, false}, Case{1, 11, true}, Case{15, 15, false}, Case{15, 30, true}}) {
    std::vector<std::string> records = Records(0, 300, c.step, Quiet);
    const auto more = Records(300 + c.hole, 600 + c.hole, c.step, Quiet);
    records.insert(records.end(), more.begin(), more.end());
    const auto found = Find(records);
    SCOPED_TRACE(std::to_string(c.step) + " " + std::to_string(c.hole));
    ASSERT_EQ(found.size(), c.gap ? 1u : 0u);
    if (!c.gap) continue;
    EXPECT_EQ(found[0].kind, FindingKind::Gap);
    EXPECT_FALSE(found[0].channel);
    EXPECT_NEAR(found[0].start, kMay1 + 300 * kMinute, 1e-9);
    EXPECT_NEAR(found[0].figure, c.hole, 1e-9);
  }
}

TEST_F(FindingRules, RecordsWithOnlyErrLeaveAGap) {
  auto records = Records(0, 100, 1, Quiet);
  for (int m = 40; m < 60; ++m) records[static_cast<std::size_t>(m)] = Clock(m) + ";Err;Err;;;;;;;;;;;";
  const auto found = Find(records);
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found[0].kind, FindingKind::Gap);
  EXPECT_NEAR(found[0].figure, 21.0, 1e-9);
  EXPECT_EQ(found[1].kind, FindingKind::Err);
  EXPECT_EQ(found[2].kind, FindingKind::Err);
}

TEST_F(FindingRules, NightLossNeedsThePumpsOff) {
  // From 23:00 T2 falls 5 K/h and T1 rises 8 K/h; in the second case R1
  // runs, which explains both.
  for (const char* pump : {"0", "20"}) {
    const auto found = Find(Records(1320, 1439, 1, [&](int m) {
      const int minutes = m < 1380 ? 0 : m - 1380;
      return Tenths(100 + 80 * minutes / 60) + ";" + Tenths(500 - 50 * minutes / 60) + ";" + T3ToTds(m) + ";0;0;" +
             pump + ";0;0;0";
    }));
    SCOPED_TRACE(pump);
    if (std::string(pump) == "20") {
      for (const Finding& f : found) EXPECT_NE(f.kind, FindingKind::NightLoss);
      continue;
    }
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].kind, FindingKind::NightLoss);
    EXPECT_EQ(found[0].channel, Channel::T2);
    // Hours that reach into the loss count once they hold enough of it.
    EXPECT_GT(found[0].start, kMay1 + 1320 * kMinute);
    EXPECT_LT(found[0].start, kMay1 + 1380 * kMinute);
    EXPECT_NEAR(found[0].end, kMay1 + 1439 * kMinute, 1e-9);
    EXPECT_GT(found[0].figure, 4.9);
  }
}

TEST(FindingsWithin, TakesThoseOverlappingTheRange) {
  const std::vector<Finding> all = {
      {FindingKind::Gap, std::nullopt, 1.0, 1.5, 1.0, std::nullopt},
      {FindingKind::Err, Channel::T1, 2.0, 2.0, 1.0, std::nullopt},
      {FindingKind::Fault, Channel::RError, 2.5, 4.0, 1.0, std::nullopt},
  };
  EXPECT_EQ(FindingsWithin(all, 1.5, 2.5), (std::vector<Finding>{all[1]}));
  EXPECT_EQ(FindingsWithin(all, 1.4, 3.0), all);
  EXPECT_TRUE(FindingsWithin(all, 4.0, 5.0).empty());
}

TEST(KindWords, ReadBackToTheirKind) {
  for (int i = 0; i < kFindingKindCount; ++i) {
    const auto kind = static_cast<FindingKind>(i);
    EXPECT_EQ(KindOfWord(KindWord(kind)), kind);
  }
  EXPECT_FALSE(KindOfWord("Overheat"));
}

}  // namespace
}  // namespace calorix::findings
