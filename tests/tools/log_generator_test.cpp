#include "tools/log_generator.h"

#include "core/error.h"
#include "support/day_file_text.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace calorix::loggen {
namespace {

namespace fs = std::filesystem;

constexpr CivilDate kSpringDay{2024, 5, 30};

// Value columns after the stamp, as in a record.
enum Field { kT1 = 1, kT2, kT3, kT4, kT5, kT6, kTds, kFlow, kPower, kR1, kR2, kR3, kRError };

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(bytes.substr(start, end - start));
  return lines;
}

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t end; (end = line.find(';', start)) != std::string::npos; start = end + 1)
    fields.push_back(line.substr(start, end - start));
  fields.push_back(line.substr(start));
  return fields;
}

using Record = std::vector<std::string>;

std::vector<Record> Records(const std::string& bytes) {
  std::vector<Record> records;
  const auto lines = SplitLines(bytes);
  for (auto it = std::next(lines.begin()); it != lines.end(); ++it) records.push_back(SplitFields(*it));
  return records;
}

double Number(std::string text) {
  std::replace(text.begin(), text.end(), ',', '.');
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  EXPECT_TRUE(result.ec == std::errc() && result.ptr == text.data() + text.size()) << text;
  return value;
}

// Minute of the day of a stamp ending in "hh:mm".
int MinuteOf(const std::string& stamp) {
  return std::stoi(stamp.substr(stamp.size() - 5, 2)) * 60 + std::stoi(stamp.substr(stamp.size() - 2));
}

std::string Day(CivilDate date, Options options = {}) { return GenerateDay(date, options); }

std::vector<CivilDate> DaysOfJune() {
  std::vector<CivilDate> days;
  for (int day = 1; day <= 30; ++day) days.push_back({2024, 6, day});
  return days;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(LogGenerator, SameSeedGivesIdenticalBytes) {
  Options options;
  options.seed = 42;
  EXPECT_EQ(Day(kSpringDay, options), Day(kSpringDay, options));
}

TEST(LogGenerator, DifferentSeedGivesDifferentBytes) {
  Options first;
  first.seed = 42;
  Options second;
  second.seed = 43;
  EXPECT_NE(Day(kSpringDay, first), Day(kSpringDay, second));
}

TEST(LogGenerator, DifferentDaysDifferBeyondTheirStamps) {
  auto values = [](CivilDate date) {
    auto records = Records(Day(date));
    for (Record& record : records) record.erase(record.begin());
    return records;
  };
  EXPECT_NE(values({2024, 5, 30}), values({2024, 5, 31}));
}

TEST(LogGenerator, IsoHeaderIsExactLine) {
  const std::string expected(calorix::testing::kDayFileHeader);
  EXPECT_EQ(HeaderLine({}), expected);
  EXPECT_EQ(Day(kSpringDay).substr(0, expected.size() + 2), expected + "\r\n");
}

TEST(LogGenerator, GermanHeaderIsExactLine) {
  Options options;
  options.header = HeaderStyle::German;
  EXPECT_EQ(HeaderLine(options),
            "dd.mm.yy hh:mm;T1[\xB0"
            "C];T2[\xB0"
            "C];T3[\xB0"
            "C];T4[\xB0"
            "C];T5[\xB0"
            "C];"
            "T6[\xB0"
            "C];Tds[\xB0"
            "C];V'[l/min];P[kW];R1[%];R2[%];R3[%];R![%]");
}

TEST(LogGenerator, PowerUnitFollowsOption) {
  Options options;
  options.power = PowerUnit::Watt;
  EXPECT_NE(HeaderLine(options).find(";P[W];"), std::string::npos);
  options.power = PowerUnit::MBtuPerHour;
  EXPECT_NE(HeaderLine(options).find(";P[MBtu/h];"), std::string::npos);
}

TEST(LogGenerator, DegreeSignIsSingleByteB0) {
  const std::string header = HeaderLine({});
  EXPECT_EQ(std::count(header.begin(), header.end(), '\xB0'), 7);
  EXPECT_EQ(header.find('\xC2'), std::string::npos);  // not UTF-8
}

TEST(LogGenerator, EveryLineEndsWithCrLf) {
  const std::string bytes = Day(kSpringDay);
  ASSERT_TRUE(bytes.ends_with("\r\n"));
  const auto crs = std::count(bytes.begin(), bytes.end(), '\r');
  const auto lfs = std::count(bytes.begin(), bytes.end(), '\n');
  EXPECT_EQ(crs, lfs);
  EXPECT_EQ(bytes.find("\r\r"), std::string::npos);
  EXPECT_EQ(static_cast<std::size_t>(lfs), SplitLines(bytes).size());
}

TEST(LogGenerator, EveryRecordHasStampAndThirteenValues) {
  for (const Record& record : Records(Day(kSpringDay))) ASSERT_EQ(record.size(), 14u);
}

TEST(LogGenerator, OneMinuteDayHasEveryMinuteButTheSkippedOnesInOrder) {
  int skippedTotal = 0;
  for (const CivilDate& date : DaysOfJune()) {
    const auto records = Records(Day(date));
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(MinuteOf(records.front()[0]), 0);
    EXPECT_EQ(MinuteOf(records.back()[0]), 1439);
    int skipped = 0;
    for (std::size_t i = 1; i < records.size(); ++i) {
      const int step = MinuteOf(records[i][0]) - MinuteOf(records[i - 1][0]);
      ASSERT_GE(step, 1) << records[i][0];
      skipped += step - 1;
    }
    EXPECT_EQ(records.size() + skipped, 1440u);
    EXPECT_LE(skipped, 3);
    skippedTotal += skipped;
  }
  EXPECT_GT(skippedTotal, 0);  // now and then a minute goes missing
}

TEST(LogGenerator, IsoStyleWritesYearMonthDayStamps) {
  for (const Record& record : Records(Day(kSpringDay))) {
    ASSERT_EQ(record[0].size(), 16u);
    ASSERT_TRUE(record[0].starts_with("2024-05-30 ")) << record[0];
    ASSERT_EQ(record[0][13], ':');
  }
}

TEST(LogGenerator, GermanStyleWritesDayMonthYearStamps) {
  Options options;
  options.header = HeaderStyle::German;
  const std::string bytes = Day(kSpringDay, options);
  EXPECT_TRUE(bytes.starts_with("dd.mm.yy hh:mm;"));
  const auto records = Records(bytes);
  EXPECT_EQ(records.front()[0], "30.05.2024 00:00");
  EXPECT_EQ(records.back()[0], "30.05.2024 23:59");
  for (const Record& record : records) ASSERT_TRUE(record[0].starts_with("30.05.2024 ")) << record[0];
}

TEST(LogGenerator, HeaderStyleChangesOnlyStamps) {
  Options german;
  german.header = HeaderStyle::German;
  const auto iso = Records(Day(kSpringDay));
  const auto dotted = Records(Day(kSpringDay, german));
  ASSERT_EQ(iso.size(), dotted.size());
  for (std::size_t i = 0; i < iso.size(); ++i)
    ASSERT_TRUE(std::equal(iso[i].begin() + 1, iso[i].end(), dotted[i].begin() + 1));
}

TEST(LogGenerator, WattsScalePowerByThousand) {
  Options watts;
  watts.power = PowerUnit::Watt;
  auto kilo = Records(Day(kSpringDay));
  const auto unit = Records(Day(kSpringDay, watts));
  ASSERT_EQ(kilo.size(), unit.size());
  bool sawPower = false;
  for (std::size_t i = 0; i < kilo.size(); ++i) {
    EXPECT_EQ(unit[i][kPower].find(','), std::string::npos);
    EXPECT_DOUBLE_EQ(Number(unit[i][kPower]), std::round(Number(kilo[i][kPower]) * 1000));
    sawPower = sawPower || Number(kilo[i][kPower]) > 0;
    kilo[i][kPower] = unit[i][kPower];
  }
  EXPECT_TRUE(sawPower);
  EXPECT_TRUE(std::equal(kilo.begin(), kilo.end(), unit.begin()));
}

TEST(LogGenerator, ValueFieldsUseCommaAsDecimalSeparator) {
  constexpr int kDecimals[] = {1, 1, 1, 1, 1, 1, 1, 2, 3, 0, 0, 0, 0};
  for (const Record& record : Records(Day(kSpringDay))) {
    for (int field = kT1; field <= kRError; ++field) {
      const std::string& value = record[field];
      if (value == "Err") continue;
      ASSERT_EQ(value.find('.'), std::string::npos) << value;
      const auto comma = value.find(',');
      const int decimals = comma == std::string::npos ? 0 : static_cast<int>(value.size() - comma - 1);
      ASSERT_EQ(decimals, kDecimals[field - kT1]) << value;
    }
  }
}

TEST(LogGenerator, IntervalKeepsEveryNthMinuteOfTheSameDay) {
  Options quarter;
  quarter.intervalMinutes = 15;
  const auto every = SplitLines(Day(kSpringDay));
  const auto sparse = SplitLines(Day(kSpringDay, quarter));
  EXPECT_EQ(sparse.front(), every.front());
  EXPECT_GE(sparse.size(), 1u + 96 - 3);
  for (auto it = std::next(sparse.begin()); it != sparse.end(); ++it) {
    EXPECT_EQ(MinuteOf(it->substr(0, 16)) % 15, 0) << *it;
    EXPECT_NE(std::find(every.begin(), every.end(), *it), every.end()) << *it;
  }
}

TEST(LogGenerator, RejectsIntervalOutsideOneDay) {
  Options options;
  options.intervalMinutes = 0;
  EXPECT_THROW(Day(kSpringDay, options), Error);
  options.intervalMinutes = 1441;
  EXPECT_THROW(Day(kSpringDay, options), Error);
}

TEST(LogGenerator, RejectsDateThatDoesNotExist) { EXPECT_THROW(Day({2023, 2, 29}), Error); }

// The plant's rules, checked on what was logged over a month.
class LoggedJune : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (const CivilDate& date : DaysOfJune()) days_.push_back(Records(Day(date)));
  }
  static void TearDownTestSuite() { days_.clear(); }
  static std::vector<std::vector<Record>> days_;
};

std::vector<std::vector<Record>> LoggedJune::days_;

TEST_F(LoggedJune, FlowAndPowerOnlyWhilePumpRuns) {
  for (const auto& day : days_) {
    for (const Record& r : day) {
      const bool running = Number(r[kR1]) > 0;
      ASSERT_EQ(Number(r[kFlow]) > 0, running) << r[0];
      if (!running) {
        ASSERT_EQ(Number(r[kPower]), 0) << r[0];
      }
    }
  }
}

TEST_F(LoggedJune, PowerFollowsFlowAndTemperatureDifference) {
  for (const auto& day : days_) {
    for (const Record& r : day) {
      if (Number(r[kR1]) == 0 || r[kT4] == "Err") continue;
      const double expected = Number(r[kFlow]) * (Number(r[kTds]) - Number(r[kT4])) * 4.19 / 60;
      ASSERT_NEAR(Number(r[kPower]), std::max(0.0, expected), 0.0006) << r[0];
    }
  }
}

TEST_F(LoggedJune, OutputsAreWholePercentages) {
  for (const auto& day : days_) {
    for (const Record& r : day) {
      for (int field = kR1; field <= kRError; ++field) {
        const double level = Number(r[field]);
        ASSERT_TRUE(level >= 0 && level <= 100 && level == std::round(level)) << r[0];
      }
      const double pump = Number(r[kR1]);
      ASSERT_TRUE(pump == 0 || pump >= 30) << r[0];
    }
  }
}

TEST_F(LoggedJune, PumpStartsOnlyWhenCollectorLeadsTankBySevenKelvin) {
  constexpr double kJitter = 0.5;  // sensor jitter and rounding
  int starts = 0;
  for (const auto& day : days_) {
    for (std::size_t i = 1; i < day.size(); ++i) {
      if (Number(day[i - 1][kR1]) > 0 || Number(day[i][kR1]) == 0) continue;
      ++starts;
      ASSERT_GT(Number(day[i][kT1]) - Number(day[i][kT2]), 7 - kJitter) << day[i][0];
    }
  }
  EXPECT_GT(starts, 20);
}

TEST_F(LoggedJune, CollectorIsWarmAtSunnyNoonAndNearAmbientAtNight) {
  double hottest = 0;
  for (const auto& day : days_) {
    for (const Record& r : day) {
      const double collector = Number(r[kT1]);
      hottest = std::max(hottest, collector);
      if (MinuteOf(r[0]) < 240) {
        ASSERT_NEAR(collector, Number(r[kT5]), 3) << r[0];
      }
    }
  }
  EXPECT_GE(hottest, 60);
  EXPECT_LE(hottest, 97);
}

TEST_F(LoggedJune, FaultsAreRareAndShort) {
  int errorMinutes = 0;
  int faultSignals = 0;
  std::size_t minutes = 0;
  for (const auto& day : days_) {
    minutes += day.size();
    for (const Record& r : day) {
      const auto errs = std::count(r.begin(), r.end(), "Err");
      ASSERT_LE(errs, 1);
      errorMinutes += static_cast<int>(errs);
      faultSignals += Number(r[kRError]) > 0;
      if (errs) {
        ASSERT_GT(Number(r[kRError]), 0) << r[0];
      }
    }
  }
  EXPECT_LT(errorMinutes, 60);
  EXPECT_LT(faultSignals * 100, static_cast<int>(minutes));
}

// Faults appear only where they are injected, so that a generated range
// without injections gives no finding.
TEST(LogGenerator, NoDayReportsASensorFaultUnlessInjected) {
  for (int day = 1; day <= 31; ++day) {
    for (int month : {1, 7}) {
      for (const Record& r : Records(Day({2024, month, day}))) {
        ASSERT_EQ(std::count(r.begin(), r.end(), "Err"), 0) << r[0];
        ASSERT_EQ(Number(r[kRError]), 0) << r[0];
      }
    }
  }
  Options options;
  options.injections = ParseInjections("err:2024-07-02:T6,fault:2024-07-02");
  const std::vector<Record> injected = Records(Day({2024, 7, 2}, options));
  const auto errs = std::count_if(injected.begin(), injected.end(), [](const Record& r) { return r[kT6] == "Err"; });
  const auto faults =
      std::count_if(injected.begin(), injected.end(), [](const Record& r) { return Number(r[kRError]) > 0; });
  EXPECT_EQ(errs, 15);
  EXPECT_EQ(faults, 20);
}

// An injection changes its own minutes only, and logs each of them even
// where the controller would have missed one.
TEST(LogGenerator, InjectionChangesOnlyItsPeriod) {
  for (int day = 1; day <= 10; ++day) {
    const CivilDate date{2024, 3, day};
    Options options;
    options.injections =
        ParseInjections("out-of-range:2024-03-" + std::string(day < 10 ? "0" : "") + std::to_string(day) + ":T4");
    const std::vector<Record> plain = Records(Day(date));
    const std::vector<Record> injected = Records(Day(date, options));
    for (int minute = 479; minute <= 485; ++minute) {
      ASSERT_TRUE(std::any_of(injected.begin(), injected.end(), [&](const Record& r) {
        return MinuteOf(r[0]) == minute;
      })) << minute;
    }
    std::size_t p = 0;
    for (const Record& r : injected) {
      const int minute = MinuteOf(r[0]);
      if (minute >= 480 && minute < 485) {
        ASSERT_EQ(r[kT4], "-60,0");
        continue;
      }
      while (p < plain.size() && MinuteOf(plain[p][0]) < minute) ++p;
      if (p < plain.size() && MinuteOf(plain[p][0]) == minute) {
        ASSERT_EQ(r, plain[p]);
      } else {
        ASSERT_TRUE(minute == 479 || minute == 485) << "only the minutes around the pattern are added";
      }
    }
  }
}

TEST(LogGenerator, GapInjectionLeavesHalfAnHourWithoutRecords) {
  Options options;
  options.injections = ParseInjections("gap:2024-03-05");
  for (const Record& r : Records(Day({2024, 3, 5}, options))) {
    const int minute = MinuteOf(r[0]);
    ASSERT_TRUE(minute < 840 || minute >= 870) << r[0];
  }
}

TEST(LogGenerator, WinterCollectorStaysCoolerThanSummer) {
  auto hottest = [](CivilDate date) {
    double max = -100;
    for (const Record& r : Records(Day(date))) max = std::max(max, Number(r[kT1]));
    return max;
  };
  double winter = 0;
  double summer = 0;
  for (int day = 1; day <= 10; ++day) {
    winter = std::max(winter, hottest({2024, 1, day}));
    summer = std::max(summer, hottest({2024, 7, day}));
  }
  EXPECT_LT(winter + 15, summer);
}

TEST(LogGenerator, TankCarriesOverMidnight) {
  const auto evening = Records(Day({2024, 5, 30}));
  const auto morning = Records(Day({2024, 5, 31}));
  for (int field : {kT2, kT3, kT5})
    EXPECT_NEAR(Number(evening.back()[field]), Number(morning.front()[field]), 1.5) << field;
}

TEST(LogGenerator, DayFilePathFollowsLayout) {
  const fs::path dir = "logs";
  const CivilDate date{2024, 6, 2};
  EXPECT_EQ(DayFilePath(dir, date, FolderLayout::Flat), fs::path("logs/20240602.csv"));
  EXPECT_EQ(DayFilePath(dir, date, FolderLayout::Month), fs::path("logs/06/20240602.csv"));
  EXPECT_EQ(DayFilePath(dir, date, FolderLayout::Year), fs::path("logs/2024/06/20240602.csv"));
}

class WriteDaysTest : public ::testing::Test {
 protected:
  std::vector<std::string> Written(FolderLayout layout) {
    const auto paths = WriteDays({2024, 12, 30}, {2025, 1, 2}, dir_, layout, {});
    std::vector<std::string> relative;
    for (const fs::path& path : paths) {
      EXPECT_TRUE(fs::is_regular_file(path)) << path;
      relative.push_back(fs::relative(path, dir_).generic_string());
    }
    return relative;
  }

  calorix::testing::TempFolder folder_;
  fs::path dir_ = folder_.Path();
};

TEST_F(WriteDaysTest, FlatLayoutPutsAllFilesInOneFolder) {
  EXPECT_EQ(Written(FolderLayout::Flat),
            (std::vector<std::string>{"20241230.csv", "20241231.csv", "20250101.csv", "20250102.csv"}));
}

TEST_F(WriteDaysTest, MonthLayoutPutsFilesInMonthFolders) {
  EXPECT_EQ(Written(FolderLayout::Month),
            (std::vector<std::string>{"12/20241230.csv", "12/20241231.csv", "01/20250101.csv", "01/20250102.csv"}));
}

TEST_F(WriteDaysTest, YearLayoutPutsMonthFoldersInYearFolders) {
  EXPECT_EQ(Written(FolderLayout::Year), (std::vector<std::string>{"2024/12/20241230.csv", "2024/12/20241231.csv",
                                                                   "2025/01/20250101.csv", "2025/01/20250102.csv"}));
}

TEST_F(WriteDaysTest, FilesHoldTheGeneratedBytesAndNoTemporaries) {
  Options options;
  options.seed = 9;
  const auto paths = WriteDays({2024, 2, 28}, {2024, 3, 1}, dir_, FolderLayout::Flat, options);
  ASSERT_EQ(paths.size(), 3u);  // leap day included
  EXPECT_EQ(ReadFile(paths[1]), GenerateDay({2024, 2, 29}, options));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 3);
}

TEST_F(WriteDaysTest, MissingDayInjectionWritesNoFileForThatDay) {
  Options options;
  options.injections = ParseInjections("missing-day:2024-06-02");
  const auto paths = WriteDays({2024, 6, 1}, {2024, 6, 3}, dir_, FolderLayout::Flat, options);
  ASSERT_EQ(paths.size(), 2u);
  EXPECT_EQ(paths[1], dir_ / "20240603.csv");
  EXPECT_FALSE(fs::exists(dir_ / "20240602.csv"));
}

TEST_F(WriteDaysTest, ReversedRangeIsRejected) {
  EXPECT_THROW(WriteDays({2024, 6, 2}, {2024, 6, 1}, dir_, FolderLayout::Flat, {}), Error);
}

// samples/ must be what the command in samples/README.md makes; regenerate
// them with that command when the simulation changes.
TEST(Samples, MatchTheGenerator) {
  Options options;
  options.seed = 3;
  options.injections = ParseInjections("err:2024-06-01:T4,fault:2024-06-01");
  std::vector<CivilDate> dates;
  for (int day = 1; day <= 31; ++day) dates.push_back({2024, 5, day});
  dates.push_back({2024, 6, 1});
  dates.push_back({2024, 6, 2});
  for (const CivilDate& date : dates) {
    const fs::path path = DayFilePath(CALORIX_SAMPLES_DIR, date, FolderLayout::Year);
    EXPECT_EQ(ReadFile(path), GenerateDay(date, options)) << path;
  }
}

}  // namespace
}  // namespace calorix::loggen
