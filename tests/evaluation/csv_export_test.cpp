// The CSV files Calorix writes: numbers a spreadsheet reads, headings that
// keep their field count, and rows that the program's own totals agree with.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <vector>

#include "evaluation/channel_export.h"
#include "evaluation/csv_text.h"
#include "evaluation/evaluation_model.h"
#include "evaluation/totals_export.h"
#include "logdata/multi_day.h"
#include "support/day_file_text.h"
#include "support/temp_folder.h"

namespace calorix::evaluation {
namespace {

using calorix::testing::DayFileText;
using calorix::testing::TempFolder;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

void LoadRange(EvaluationModel& model, const std::filesystem::path& first, const std::filesystem::path& last) {
  const logdata::MultiDayRequest request = logdata::ResolveMultiDayRequest(first.string(), last.string());
  logdata::RunMultiDayLoad(request.files, request.start, request.end, model, {});
  ASSERT_TRUE(model.Snapshot().load.Data());
}

TEST(CsvText, TotalsTooLargeForFixedNotationAreWrittenInExponentForm) {
  const double infinity = std::numeric_limits<double>::infinity();
  const struct {
    double value;
    int decimals;
    const char* text;
  } cases[] = {
      {1.44e103, 1, "1.44e+103"}, {-1e70, 3, "-1e+70"}, {120.04, 1, "120.0"},
      {-0.0004, 3, "0.000"},      {infinity, 1, ""},    {std::nan(""), 2, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(CsvDecimal(c.value, c.decimals), c.text) << c.value;
  EXPECT_EQ(CsvNumber(-infinity), "");
  EXPECT_EQ(CsvNumber(45.2), "45.2");
}

TEST(CsvText, FieldsWithCommasQuotesOrLineBreaksAreQuoted) {
  EXPECT_EQ(CsvField("T1 [\xC2\xB0"
                     "C]"),
            "T1 [\xC2\xB0"
            "C]");
  EXPECT_EQ(CsvField("T1 [a,b]"), "\"T1 [a,b]\"");
  EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(CsvField("a\rb"), "\"a\rb\"");
}

// A unit with a comma or a quote stays inside its heading field.
TEST(CsvExport, HeadingsWithACommaOrQuoteInAUnitKeepTheirFields) {
  TempFolder folder;
  const auto day = folder.Write("20240530.csv",
                                "DATE & TIME;T1[a,\"b];T2;T3;T4;T5;T6;Tds;V'[l/min];P[kW];R1[%];R2;R3;R!\r\n"
                                "2024-05-30 00:00;20;;;;;;;1;1;100;;;\r\n2024-05-30 00:01;21;;;;;;;1;1;100;;;\r\n");
  EvaluationModel model;
  model.LoadFile(day);
  ASSERT_TRUE(model.Snapshot().load.Data());
  EXPECT_EQ(Lines(TotalsCsv(*model.Snapshot().load.Data(), TotalsPer::Day)).front(),
            "date,volume [l],energy [kWh],\"collector max (T1) [a,\"\"b]\",pump hours (R1) [h]");
  model.SetChannelChecked(logdata::Channel::T1, true);
  model.SetChannelChecked(logdata::Channel::Flow, true);
  EXPECT_EQ(Lines(ChannelsCsv(model)).front(), "time,\"T1 [a,\"\"b]\",Flow [l/min]");
}

// The second record, cut short, dates the file 3 May; the evaluation
// shows that day, and both totals count it.
TEST(CsvExport, DayAndMonthTotalsCountTheSameDays) {
  TempFolder folder;
  const auto first =
      folder.Write("20240530.csv", DayFileText("2024-05-30", {"00:00;50;;;;;;;2;3;100;;;"}) + "2024-05-3");
  const auto last =
      folder.Write("20240531.csv", DayFileText("2024-05-31", {"00:00;40;;;;;;;1;1;100;;;", "01:00;45;;;;;;;0;0;0;;;"}));
  EvaluationModel model;
  LoadRange(model, first, last);
  const std::vector<std::string> days = Lines(TotalsCsv(*model.Snapshot().load.Data(), TotalsPer::Day));
  const std::vector<std::string> months = Lines(TotalsCsv(*model.Snapshot().load.Data(), TotalsPer::Month));
  ASSERT_EQ(months.size(), 2u);
  EXPECT_TRUE(months[1].ends_with(",2")) << months[1];
  int daysWithValues = 0;
  for (std::size_t i = 1; i < days.size(); ++i) daysWithValues += days[i].ends_with(",,,,") ? 0 : 1;
  EXPECT_EQ(daysWithValues, 2);
  EXPECT_EQ(days[1].substr(0, 11), "2024-05-03,") << days[1];
  EXPECT_EQ(days.back().substr(0, 11), "2024-05-31,");
}

// Two files of one date: the second's times, counted on from a record
// whose time could not be read, print like the first's. One row per printed
// time, with the first loaded day's values.
TEST(CsvExport, ValuesHaveOneRowPerPrintedTime) {
  TempFolder folder;
  const auto first =
      folder.Write("20240530.csv", DayFileText("2024-05-30", {"00:00;1;;;;;;;;;;;;", "00:01;2;;;;;;;;;;;;",
                                                              "00:02;3;;;;;;;;;;;;", "00:03;4;;;;;;;;;;;;"}));
  const auto last =
      folder.Write("20240531.csv", DayFileText("2024-05-30", {"00:00;5;;;;;;;;;;;;", "00:01;6;;;;;;;;;;;;",
                                                              "--:--;7;;;;;;;;;;;;", "--:--;8;;;;;;;;;;;;"}));
  EvaluationModel model;
  LoadRange(model, first, last);
  model.SetChannelChecked(logdata::Channel::T1, true);
  EXPECT_EQ(ChannelsCsv(model),
            "time,T1 [\xC2\xB0"
            "C]\n"
            "2024-05-30 00:00:00,1\n2024-05-30 00:01:00,2\n2024-05-30 00:02:00,3\n2024-05-30 00:03:00,4\n");
}

}  // namespace
}  // namespace calorix::evaluation
