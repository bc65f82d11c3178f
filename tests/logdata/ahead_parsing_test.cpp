// Day files parsed ahead on worker threads must load exactly as the same
// files added one by one.

#include <gtest/gtest.h>

#include "i18n/text_table.h"
#include "log_test_support.h"
#include "open_counter.h"
#include "logdata/day_log.h"
#include "logdata/month.h"
#include "logdata/multi_day.h"
#include "support/temp_folder.h"

namespace calorix::logdata {
namespace {

using testing::IsoHeader;
using testing::Rec;
using testing::TempFile;

// Loads through EvaluationBuilder but without naming panels, so every file
// is read and parsed in order on this thread.
class FileByFile : public EvaluationBuilder {
 public:
  using EvaluationBuilder::EvaluationBuilder;
  PreparationPanels PanelsForPreparation() const override { return {}; }
};

struct Loaded {
  chart::ChartPanel upper, lower;
  std::vector<std::string> failures;
  std::unique_ptr<TLogAnalysis> evaluation;
  std::vector<std::string> warnings;
};

std::string Day(const std::string& date, int value, const std::string& header = IsoHeader()) {
  std::string text = header + "\r\n";
  for (int m = 0; m < 30; ++m) {
    text += Rec(testing::Hhmm(m * 7), std::to_string(value + m) + ";;;;;;;1,5;2", date) + "\r\n";
  }
  return text;
}

void Load(Loaded& out, const std::vector<std::filesystem::path>& files, bool ahead) {
  auto failed = [&](const std::string& m) { out.failures.push_back(m); };
  std::unique_ptr<EvaluationBuilder> builder = ahead
                                                   ? std::make_unique<EvaluationBuilder>(&out.upper, &out.lower, failed)
                                                   : std::make_unique<FileByFile>(&out.upper, &out.lower, failed);
  MultiDayLoadCallbacks callbacks;
  callbacks.fileFailed = failed;
  RunMultiDayLoad(files, testing::kMay1, testing::kMay1 + 40, *builder, callbacks);
  out.evaluation = builder->TakeEvaluation();
  if (out.evaluation) out.warnings = out.evaluation->TakeWarnings();
}

void ExpectSameSeries(const chart::ChartSeries& a, const chart::ChartSeries& b) {
  ASSERT_EQ(a.Count(), b.Count());
  for (std::size_t i = 0; i < a.Count(); ++i) {
    EXPECT_EQ(a.X(i), b.X(i));
    EXPECT_EQ(a.IsNull(i), b.IsNull(i));
    if (!a.IsNull(i)) {
      EXPECT_EQ(a.Y(i), b.Y(i));
    }
  }
}

TEST(AheadParsing, GivesTheSameEvaluationAsFileByFile) {
  std::vector<std::unique_ptr<TempFile>> keep;
  std::vector<std::filesystem::path> files;
  auto add = [&](const std::string& content) {
    keep.push_back(std::make_unique<TempFile>(content));
    files.push_back(keep.back()->path());
  };
  std::string watts = IsoHeader();
  watts.replace(watts.find("P[kW]"), 5, "P[W]");
  std::string germanHeader = IsoHeader();
  germanHeader.replace(0, 11, "dd.mm.yy hh:mm");
  std::string noStyle = IsoHeader();
  noStyle.replace(0, 11, "Zeit");
  add(Day("2024-05-01", 10));
  add(Day("2024-05-02", 20, watts));
  add("garbage without separators");
  add(Day("2024-07-09", 30));                       // outside the evaluation's months
  add(Day("2024-05-04", 40, noStyle));              // read in the style the files before set
  add(Day("2024-05-04", 45, "DATE & TIME;T2;T1"));  // other columns: left out
  add(IsoHeader() + "\r\n");
  for (int d = 5; d < 25; ++d) add(Day("2024-05-" + std::to_string(d), d));
  add(Day("2024-06-01", 50));

  Loaded ahead, inOrder;
  Load(ahead, files, true);
  Load(inOrder, files, false);
  EXPECT_EQ(ahead.failures, inOrder.failures);
  ASSERT_EQ(ahead.failures.size(), 4u);
  EXPECT_EQ(ahead.failures[0], i18n::Text(i18n::kTextNotAValidLogFile));
  EXPECT_TRUE(ahead.failures[1].ends_with(files[3].string()));
  EXPECT_TRUE(ahead.failures[2].starts_with(i18n::Text(i18n::kTextColumnsDiffer)));
  EXPECT_EQ(ahead.failures[3], i18n::Text(i18n::kTextNoMeasuredValues));
  ASSERT_EQ(ahead.evaluation->GetDayCount(), inOrder.evaluation->GetDayCount());
  for (int i = 0; i < ahead.evaluation->GetDayCount(); ++i) {
    EXPECT_EQ(ahead.evaluation->GetStartDate(i), inOrder.evaluation->GetStartDate(i));
    EXPECT_EQ(ahead.evaluation->GetFileName(i), inOrder.evaluation->GetFileName(i));
  }
  for (int c = 0; c < kChannelCount; ++c) {
    EXPECT_EQ(ahead.evaluation->GetUnit(c), inOrder.evaluation->GetUnit(c));
  }
  const TMonth* a = ahead.evaluation->FindMonth(5, 2024);
  const TMonth* b = inOrder.evaluation->FindMonth(5, 2024);
  const TDay* da = a->FirstDay();
  const TDay* db = b->FirstDay();
  for (; da && db; da = da->GetNext(), db = db->GetNext()) {
    for (int e = 0; e < TDay::kEntryCount; ++e) ExpectSameSeries(*da->Entry(e).series, *db->Entry(e).series);
    EXPECT_EQ(da->GetEnergy(), db->GetEnergy());
  }
  EXPECT_EQ(da, nullptr);
  EXPECT_EQ(db, nullptr);
}

TEST(AheadParsing, AbortDropsTheFilesParsedAhead) {
  std::vector<std::unique_ptr<TempFile>> keep;
  std::vector<std::filesystem::path> files;
  for (int d = 1; d < 29; ++d) {
    keep.push_back(std::make_unique<TempFile>(Day("2024-05-" + std::string(d < 10 ? "0" : "") + std::to_string(d), d)));
    files.push_back(keep.back()->path());
  }
  chart::ChartPanel upper, lower;
  EvaluationBuilder builder(&upper, &lower);
  MultiDayLoadCallbacks callbacks;
  int asked = 0;
  callbacks.shouldAbort = [&] { return ++asked == 3; };
  EXPECT_EQ(RunMultiDayLoad(files, testing::kMay1, testing::kMay1 + 27, builder, callbacks),
            MultiDayLoadOutcome::Aborted);
  EXPECT_EQ(builder.Evaluation(), nullptr);
  EXPECT_EQ(upper.SeriesCount(), 0u);
}

// Files of 15 bytes or less live inside their string's own buffer; the
// worker path must read them as the file-by-file path does.
TEST(AheadParsing, TinyFilesGiveTheSameResultAsFileByFile) {
  calorix::testing::TempFolder folder;
  std::vector<std::filesystem::path> files = {folder.Write("20240501.csv", Day("2024-05-01", 1))};
  const std::vector<std::string> tiny = {"DATE & TIME;\n1", "DATE & TIME;", "dd.mm.yy hh:mm;", "x;\n1\n2", ";",
                                         "\t\n\t"};
  for (std::size_t i = 0; i < tiny.size(); ++i) {
    files.push_back(folder.Write("2024050" + std::to_string(i + 2) + ".csv", tiny[i]));
  }
  files.push_back(folder.Write("20240509.csv", Day("2024-05-09", 9)));
  Loaded ahead, inOrder;
  Load(ahead, files, true);
  Load(inOrder, files, false);
  // Each header lacks the value columns of the first file.
  ASSERT_EQ(inOrder.failures.size(), tiny.size());
  for (std::size_t i = 0; i < tiny.size(); ++i) {
    EXPECT_EQ(inOrder.failures[i], i18n::Text(i18n::kTextColumnsDiffer) + "\n\n" + files[i + 1].string());
  }
  EXPECT_EQ(ahead.failures, inOrder.failures);
  EXPECT_EQ(ahead.evaluation->GetDayCount(), 2);
  EXPECT_EQ(inOrder.evaluation->GetDayCount(), 2);
}

TEST(AheadParsing, DaysThatStopEarlyWarnAsFileByFile) {
  calorix::testing::TempFolder folder;
  std::string noStyle = IsoHeader();
  noStyle.replace(0, 11, "Zeit");
  std::vector<std::filesystem::path> files;
  for (int d = 1; d <= 6; ++d) {
    const std::string date = "2024-05-0" + std::to_string(d);
    std::string content = Day(date, d, d == 4 ? noStyle : IsoHeader());
    if (d % 2 == 0) content += Rec("05:00", "1;2;x", date) + "\r\n";
    files.push_back(folder.Write("2024050" + std::to_string(d) + ".csv", content));
  }
  Loaded ahead, inOrder;
  Load(ahead, files, true);
  Load(inOrder, files, false);
  EXPECT_EQ(ahead.warnings, inOrder.warnings);
  ASSERT_EQ(ahead.warnings.size(), 3u);
  EXPECT_TRUE(ahead.warnings[1].ends_with("\n\n" + files[3].string()));
  EXPECT_NE(ahead.warnings[1].find(" 32"), std::string::npos);  // header, 30 records, then the bad one
}

// Every file of a range is read from disk once, also the first one and
// those whose header names no date style (parsed in order, not ahead).
TEST(AheadParsing, EveryFileIsReadOnce) {
  calorix::testing::TempFolder folder;
  std::string noStyle = IsoHeader();
  noStyle.replace(0, 11, "Zeit");
  std::vector<std::filesystem::path> files;
  std::map<std::string, int> once;
  for (int d = 1; d <= 9; ++d) {
    const std::string name = "2024050" + std::to_string(d) + ".csv";
    files.push_back(folder.Write(name, Day("2024-05-0" + std::to_string(d), d, d % 3 == 0 ? noStyle : IsoHeader())));
    once[name] = 1;
  }
  testing::OpenCounter opens(folder.Path());
  ASSERT_TRUE(opens.Watching());
  Loaded ahead;
  Load(ahead, files, true);
  EXPECT_EQ(opens.Take(), once);
  EXPECT_EQ(ahead.evaluation->GetDayCount(), 9);
}

}  // namespace
}  // namespace calorix::logdata
