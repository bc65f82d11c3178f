#include "logdata/log_format.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "core/error.h"
#include "i18n/text_table.h"
#include "log_test_support.h"

namespace calorix::logdata {
namespace {

// What editors that save as UTF-8 may write before the first line.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

using testing::IsoHeader;
using testing::kMay1;
using testing::Rec;
using testing::TempFile;

std::string Replace(std::string text, std::string_view from, std::string_view to) {
  text.replace(text.find(from), from.size(), to);
  return text;
}

TEST(HeaderCheck, ExpectedNamesJoinedBySemicolonsAreValid) {
  LogReadState state;
  EXPECT_TRUE(CheckHeader(IsoHeader(), state));
  EXPECT_EQ(state.dateStyle, DateStyle::YearMonthDay);
  EXPECT_EQ(state.units[IndexOf(Channel::T1)], "[°C]");
  EXPECT_EQ(state.units[IndexOf(Channel::Flow)], "[l/min]");
  EXPECT_EQ(state.units[IndexOf(Channel::Volume)], "[l]");
  EXPECT_EQ(state.units[IndexOf(Channel::Energy)], "[kWh]");
  EXPECT_FALSE(state.powerInWatts);
}

TEST(HeaderCheck, HeaderWithBlankAfterSeparatorIsInvalid) {
  LogReadState state;
  EXPECT_FALSE(CheckHeader(Replace(IsoHeader(), ";T3", "; T3"), state));
  EXPECT_FALSE(CheckHeader(Replace(IsoHeader(), "T3[", "T3 ["), state));
}

TEST(HeaderCheck, NamesAreCaseSensitiveAndAllFourteenCount) {
  LogReadState state;
  EXPECT_FALSE(CheckHeader(Replace(IsoHeader(), "Tds", "TDS"), state));
  EXPECT_FALSE(CheckHeader(Replace(IsoHeader(), ";R![%]", ""), state));
  EXPECT_TRUE(CheckHeader(IsoHeader() + ";Extra;More", state));
  EXPECT_TRUE(CheckHeader("DATE & TIME;T1;T2;T3;T4;T5;T6;Tds;V';P;R1;R2;R3;R!", state));
}

TEST(HeaderCheck, TabSeparatesWhenThereIsNoSemicolon) {
  std::string tabbed = IsoHeader();
  for (char& c : tabbed) {
    if (c == ';') c = '\t';
  }
  LogReadState state;
  EXPECT_TRUE(CheckHeader(tabbed, state));
}

TEST(HeaderCheck, NeitherSemicolonNorTabIsNotALogFile) {
  LogReadState state;
  try {
    CheckHeader("DATE & TIME,T1,T2", state);
    FAIL() << "expected an error";
  } catch (const Error& e) {
    EXPECT_EQ(e.what(), i18n::Text(i18n::kTextNotAValidLogFile));
  }
}

// A header that fails leaves no watts flag of the header before behind.
TEST(HeaderCheck, FailingHeaderClearsTheWattsFlagFirst) {
  LogReadState state;
  std::string watts = IsoHeader();
  watts.replace(watts.find("P[kW]"), 5, "P[W]");
  CheckHeader(watts, state);
  ASSERT_TRUE(state.powerInWatts);
  EXPECT_THROW(CheckHeader("no separator at all", state), Error);
  EXPECT_FALSE(state.powerInWatts);
}

TEST(HeaderCheck, FirstFieldChoosesTheDateStyle) {
  LogReadState state;
  EXPECT_TRUE(CheckHeader(Replace(IsoHeader(), "DATE & TIME", "dd.mm.yy hh:mm"), state));
  EXPECT_EQ(state.dateStyle, DateStyle::DayMonthYear);
  EXPECT_FALSE(CheckHeader(Replace(IsoHeader(), "DATE & TIME", "Datum"), state));
  EXPECT_EQ(state.dateStyle, DateStyle::DayMonthYear);  // an unknown first field changes nothing
  EXPECT_TRUE(CheckHeader(Replace(IsoHeader(), "DATE & TIME", "DATE & TIME[s]"), state));
  EXPECT_EQ(state.dateStyle, DateStyle::YearMonthDay);
}

TEST(HeaderUnits, WattsBecomeKilowattsAndAreFlagged) {
  LogReadState state;
  CheckHeader(Replace(IsoHeader(), "P[kW]", "P[W]"), state);
  EXPECT_TRUE(state.powerInWatts);
  EXPECT_EQ(state.units[IndexOf(Channel::Power)], "[kW]");
  CheckHeader(IsoHeader(), state);
  EXPECT_FALSE(state.powerInWatts);  // every header decides afresh
}

TEST(HeaderUnits, ShortTemperatureUnitsGetTheDegreeSign) {
  LogReadState state;
  CheckHeader(Replace(Replace(IsoHeader(),
                              "T1[\xB0"
                              "C]",
                              "T1[C]"),
                      "T2[\xB0"
                      "C]",
                      "T2[F]"),
              state);
  EXPECT_EQ(state.units[IndexOf(Channel::T1)], "[°C]");
  EXPECT_EQ(state.units[IndexOf(Channel::T2)], "[°F]");
}

TEST(HeaderUnits, MBtuPowerMakesEnergyMBtuAndVolumeStaysLitres) {
  LogReadState state;
  CheckHeader(Replace(IsoHeader(), "P[kW]", "P[MBtu/h]"), state);
  EXPECT_EQ(state.units[IndexOf(Channel::Energy)], "[MBtu]");
  EXPECT_EQ(state.units[IndexOf(Channel::Volume)], "[l]");
  CheckHeader(IsoHeader(), state);
  EXPECT_EQ(state.units[IndexOf(Channel::Energy)], "[kWh]");
}

TEST(HeaderUnits, AFieldWithoutUnitKeepsThePreviousUnit) {
  LogReadState state;
  CheckHeader(IsoHeader(), state);
  CheckHeader("DATE & TIME;T1;T2;T3;T4;T5;T6;Tds;V';P;R1;R2;R3;R!", state);
  EXPECT_EQ(state.units[IndexOf(Channel::T1)], "[°C]");
}

TEST(DayDate, ComesFromTheSecondRecord) {
  const std::vector<std::string> records = {Rec("23:59", "1", "2024-04-30"), Rec("00:00", "1")};
  const std::vector<std::string_view> views(records.begin(), records.end());
  EXPECT_EQ(DayDateOf(views, DateStyle::YearMonthDay), kMay1);
  EXPECT_EQ(DayDateOf({views[0]}, DateStyle::YearMonthDay), kMay1 - 1);
}

TEST(DayDate, FallsBackToDayMonthYearWithItsTimeOfDay) {
  const std::string record = "01.05.2024 13:30;1";
  EXPECT_EQ(DayDateOf({record}, DateStyle::YearMonthDay), kMay1 + 13.5 / 24);
}

TEST(DayDate, UnreadableOrMissingFails) {
  EXPECT_THROW(DayDateOf({"garbage;1"}, DateStyle::YearMonthDay), Error);
  try {
    DayDateOf({}, DateStyle::YearMonthDay);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.what(), i18n::Text(i18n::kTextNoMeasuredValues));
  }
}

// Records are numbered as the lines of the file, empty ones included.
TEST(RecordLines, NumberEveryLineOfTheTextAndSkipEmptyOnes) {
  RecordLines records = RecordLines::OfText("a\r\n\r\nb\rc\n\n\r\nd", 2);
  EXPECT_EQ(records.CountLeft(), 4u);
  std::vector<std::pair<std::string_view, std::size_t>> seen;
  for (std::string_view record; records.Next(record);) seen.emplace_back(record, records.LineNumber());
  EXPECT_EQ(seen, (std::vector<std::pair<std::string_view, std::size_t>>{{"a", 2}, {"b", 4}, {"c", 5}, {"d", 8}}));
  EXPECT_TRUE(records.AtEnd());
}

// A day file can be moved about however small it is: header and records
// are found by their offsets, not by views into bytes that move.
TEST(DayFileReading, TinyFileKeepsHeaderAndRecordsWhenMoved) {
  DayFile file = DayFileOf("DATE & TIME;\n1");
  DayFile moved = std::move(file);
  DayFile again;
  again = std::move(moved);
  EXPECT_EQ(again.Header(), "DATE & TIME;");
  RecordLines records = again.Records();
  std::string_view record;
  ASSERT_TRUE(records.Next(record));
  EXPECT_EQ(record, "1");
  EXPECT_EQ(records.LineNumber(), 2u);
  EXPECT_EQ(DayFileOf("x").Records().CountLeft(), 0u);
}

TEST(LineSplitting, AcceptsEveryLineEndAndDropsEmptyLines) {
  const auto lines = SplitLines("a\r\nb\nc\rd\r\n\r\n\n e\n", false);
  EXPECT_EQ(lines, (std::vector<std::string_view>{"a", "b", "c", "d", " e"}));
  EXPECT_EQ(SplitLines("a\n\nb", true), (std::vector<std::string_view>{"a", "", "b"}));
  EXPECT_TRUE(SplitLines("", false).empty());
}

TEST(DayFileReading, SplitsHeaderFromRecords) {
  TempFile file("\r\n" + IsoHeader() + "\r\n" + Rec("00:00", "1") + "\r\n\r\n" + Rec("00:01", "2") + "\r\n");
  const DayFile day = ReadDayFile(file.path());
  EXPECT_EQ(day.Header(), IsoHeader());
  RecordLines records = day.Records();
  ASSERT_EQ(records.CountLeft(), 2u);
  std::string_view record;
  ASSERT_TRUE(records.Next(record));
  ASSERT_TRUE(records.Next(record));
  EXPECT_EQ(record, Rec("00:01", "2"));
  EXPECT_EQ(records.LineNumber(), 5u);
}

// Editors that save as UTF-8 may put a byte-order mark first; the header
// is then UTF-8 as well.
TEST(DayFileReading, ByteOrderMarkBeforeTheHeaderIsSkipped) {
  const std::string utf8Header =
      "DATE & TIME;T1[\xC2\xB0"
      "C];T2;T3;T4;T5;T6;Tds;V';P;R1;R2;R3;R!";
  const DayFile day = DayFileOf(std::string(kByteOrderMark) + utf8Header + "\r\n" + Rec("00:00", "1") + "\r\n");
  LogReadState state;
  EXPECT_TRUE(CheckHeader(day.Header(), state));
  EXPECT_EQ(state.units[IndexOf(Channel::T1)], "[°C]");
  RecordLines records = day.Records();
  std::string_view record;
  ASSERT_TRUE(records.Next(record));
  EXPECT_EQ(record, Rec("00:00", "1"));
  EXPECT_EQ(records.LineNumber(), 2u);
}

TEST(DayFileReading, MissingFileNamesTheFileWithoutFolder) {
  try {
    ReadDayFile("/nonexistent/folder/20240501.csv");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.what(), i18n::Text(i18n::kTextErrorOpeningFile) + "\n\n20240501.csv");
  }
}

TEST(DayFileReading, FolderInsteadOfFileCannotBeOpened) {
  TempFile file("x");
  EXPECT_THROW(ReadDayFile(file.path().parent_path()), Error);
}

TEST(DayFileReading, OnlyEmptyLinesHaveNoMeasuredValues) {
  TempFile file("\r\n\n\r");
  try {
    ReadDayFile(file.path());
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.what(), i18n::Text(i18n::kTextNoMeasuredValues));
  }
}

TEST(NumberFields, AcceptDecimalCommaSignAndExponent) {
  double v = 0;
  EXPECT_TRUE(ParseLogNumber("12,5", v));
  EXPECT_EQ(v, 12.5);
  EXPECT_TRUE(ParseLogNumber("-3,25", v));
  EXPECT_EQ(v, -3.25);
  EXPECT_TRUE(ParseLogNumber("+7", v));
  EXPECT_EQ(v, 7);
  EXPECT_TRUE(ParseLogNumber("1,5E2", v));
  EXPECT_EQ(v, 150);
  EXPECT_TRUE(ParseLogNumber("2e-1", v));
  EXPECT_EQ(v, 0.2);
  EXPECT_TRUE(ParseLogNumber(",5", v));
  EXPECT_EQ(v, 0.5);
  EXPECT_TRUE(ParseLogNumber(" 42 ", v));
  EXPECT_EQ(v, 42);
  EXPECT_TRUE(ParseLogNumber("-3,4E38", v));  // still held by a point
  EXPECT_EQ(v, -3.4e38);
}

TEST(NumberFields, PlainAndGeneralReadingAgreeToTheLastBit) {
  std::mt19937 random(42);
  for (int i = 0; i < 20000; ++i) {
    const int digits = 1 + static_cast<int>(random() % 15);
    std::string text = random() % 2 ? "-" : "";
    std::string number;
    for (int d = 0; d < digits; ++d) number += static_cast<char>('0' + random() % 10);
    const std::size_t comma = random() % (number.size() + 1);
    number.insert(comma, ",");
    text += number;
    std::string dotted = text;
    dotted[dotted.find(',')] = '.';
    double plain = 0;
    ASSERT_TRUE(ParseLogNumber(text, plain)) << text;
    EXPECT_EQ(plain, std::strtod(dotted.c_str(), nullptr)) << text;
  }
}

TEST(NumberFields, RejectAnythingElse) {
  double v = 0;
  for (const char* text : {"12.5", "1,2,3", "+-1", "--1", "+", "-", "inf", "nan", "1,5x", "0x10", "Err ", "err", "1 2",
                           "1e", "1E999", "-1,5E400", "+9E308 ", "1e39", "-3,5E38"}) {
    EXPECT_FALSE(ParseLogNumber(text, v)) << text;
  }
  EXPECT_FALSE(ParseLogNumber(std::string_view("1\0", 2), v));
}

}  // namespace
}  // namespace calorix::logdata
