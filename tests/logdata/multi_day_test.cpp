#include "logdata/multi_day.h"

#include "chart/chart_panel.h"
#include "core/error.h"
#include "i18n/text_table.h"
#include "log_test_support.h"
#include "open_counter.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace calorix::logdata {
namespace {

namespace fs = std::filesystem;

// A temporary folder whose paths are texts, as a dialog would hold them,
// and whose locked entries are unlocked again before it goes.
class TempTree {
 public:
  TempTree() = default;
  ~TempTree() {
    std::error_code ec;
    for (const fs::path& locked : locked_) fs::permissions(locked, fs::perms::owner_all, fs::perm_options::add, ec);
  }
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  std::string At(std::string_view relative) const { return (folder_ / relative).string(); }
  std::string Write(std::string_view relative, std::string_view bytes) const {
    return folder_.Write(relative, bytes).string();
  }

  void Lock(std::string_view relative) {
    locked_.push_back(folder_ / relative);
    fs::permissions(locked_.back(), fs::perms::none);
  }

 private:
  calorix::testing::TempFolder folder_;
  std::vector<fs::path> locked_;
};

constexpr std::string_view kHeader = "DATE & TIME;T1;T2;T3;T4;T5;T6;Tds;V';P;R1;R2;R3;R!";

// A minimal valid day log whose records carry the given date "yyyy-mm-dd".
std::string DayLog(std::string_view isoDate) {
  const std::string date(isoDate);
  return std::string(kHeader) + "\r\n" + date + " 00:00;20;;;;;;;1,5;2;0;0;0;0\r\n" + date +
         " 00:01;21;;;;;;;1,5;2;0;0;0;0\r\n";
}

// Writes folder/yyyymmdd.csv with records of that date; returns its path.
std::string WriteDay(const TempTree& tree, std::string_view folder, std::string_view yyyymmdd,
                     std::string_view extension = ".csv") {
  const std::string name(yyyymmdd);
  const std::string iso = name.substr(0, 4) + "-" + name.substr(4, 2) + "-" + name.substr(6, 2);
  std::string relative = folder.empty() ? name : std::string(folder) + "/" + name;
  return tree.Write(relative + std::string(extension), DayLog(iso));
}

DateTime Date(int year, int month, int day) { return *TryEncodeDate(year, month, day); }

std::vector<fs::path> Paths(const std::vector<std::string>& texts) { return {texts.begin(), texts.end()}; }

// The message of the calorix::Error that resolving the request throws.
std::string RequestError(const std::string& start, const std::string& end) {
  try {
    ResolveMultiDayRequest(start, end);
  } catch (const Error& e) {
    return e.what();
  }
  return "no error";
}

TEST(DayFileDiscovery, FindsAllDaysOfOneFolderInDateOrderWithTheEndFileLast) {
  TempTree tree;
  const std::string from = WriteDay(tree, "logs", "20240530");
  const std::string may31 = WriteDay(tree, "logs", "20240531");
  const std::string june1 = WriteDay(tree, "logs", "20240601");
  const std::string to = WriteDay(tree, "logs", "20240602");

  const MultiDayRequest request = ResolveMultiDayRequest(from, to);

  EXPECT_EQ(request.kind, MultiDayRequest::Kind::Range);
  EXPECT_EQ(request.files, Paths({from, may31, june1, to}));
  EXPECT_EQ(request.start, Date(2024, 5, 30));
  EXPECT_EQ(request.end, Date(2024, 6, 2));
}

TEST(DayFileDiscovery, MovesOnToTheNextMonthFolder) {
  TempTree tree;
  const std::string from = WriteDay(tree, "2024/05", "20240530");
  const std::string may31 = WriteDay(tree, "2024/05", "20240531");
  const std::string june1 = WriteDay(tree, "2024/06", "20240601");
  const std::string to = WriteDay(tree, "2024/06", "20240602");

  EXPECT_EQ(ResolveMultiDayRequest(from, to).files, Paths({from, may31, june1, to}));
}

TEST(DayFileDiscovery, MovesOnToTheNextYearAndMonthFolder) {
  TempTree tree;
  const std::string from = WriteDay(tree, "2024/12", "20241230");
  const std::string dec31 = WriteDay(tree, "2024/12", "20241231");
  const std::string jan1 = WriteDay(tree, "2025/01", "20250101");
  const std::string jan2 = WriteDay(tree, "2025/01", "20250102");
  const std::string to = WriteDay(tree, "2025/01", "20250103");

  EXPECT_EQ(ResolveMultiDayRequest(from, to).files, Paths({from, dec31, jan1, jan2, to}));
}

TEST(DayFileDiscovery, LaterDaysAreLookedForInTheFolderFoundLast) {
  TempTree tree;
  const std::string from = WriteDay(tree, "05", "20240531");
  WriteDay(tree, "05", "20240602");  // misfiled copy, no longer looked at
  const std::string june1 = WriteDay(tree, "06", "20240601");
  const std::string june2 = WriteDay(tree, "06", "20240602");
  const std::string to = WriteDay(tree, "06", "20240603");

  EXPECT_EQ(ResolveMultiDayRequest(from, to).files, Paths({from, june1, june2, to}));
}

TEST(DayFileDiscovery, SkipsADayWithoutFile) {
  TempTree tree;
  const std::string from = WriteDay(tree, "logs", "20240530");
  const std::string june1 = WriteDay(tree, "logs", "20240601");
  const std::string to = WriteDay(tree, "logs", "20240602");

  EXPECT_EQ(ResolveMultiDayRequest(from, to).files, Paths({from, june1, to}));
}

TEST(DayFileDiscovery, TheEndFileIsTakenAsTypedFromAnyFolder) {
  TempTree tree;
  const std::string from = WriteDay(tree, "logs", "20240530");
  WriteDay(tree, "logs", "20240531");
  const std::string to = WriteDay(tree, "elsewhere", "20240531");

  EXPECT_EQ(ResolveMultiDayRequest(from, to).files, Paths({from, to}));
}

TEST(DayFileDiscovery, SameDateInTwoPathsGivesOnlyTheEndFile) {
  TempTree tree;
  const std::string from = WriteDay(tree, "a", "20240530");
  const std::string to = WriteDay(tree, "b", "20240530");

  const MultiDayRequest request = ResolveMultiDayRequest(from, to);

  EXPECT_EQ(request.kind, MultiDayRequest::Kind::Range);
  EXPECT_EQ(request.files, Paths({to}));
  EXPECT_EQ(request.start, request.end);
}

TEST(DayFileDiscovery, UpperCaseExtensionIsFoundToo) {
  TempTree tree;
  const std::string from = WriteDay(tree, "logs", "20240530", ".CSV");
  const std::string may31 = WriteDay(tree, "logs", "20240531", ".CSV");
  const std::string june1 = WriteDay(tree, "logs", "20240601");
  const std::string to = WriteDay(tree, "logs", "20240602", ".CSV");

  EXPECT_EQ(ResolveMultiDayRequest(from, to).files, Paths({from, may31, june1, to}));
}

TEST(DayFileDiscovery, AFolderWeMayNotReadHoldsNoFiles) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every folder";
  TempTree tree;
  const std::string from = WriteDay(tree, "05", "20240531");
  WriteDay(tree, "06", "20240601");
  const std::string to = WriteDay(tree, "07", "20240701");
  tree.Lock("06");

  EXPECT_EQ(ResolveMultiDayRequest(from, to).files, Paths({from, to}));
}

// How fast is a benchmark's question (BM_DiscoverWholeCalendar).
TEST(DayFileDiscovery, TenThousandDaysWithFewFilesComplete) {
  TempTree tree;
  const std::string from = WriteDay(tree, "logs", "20000101");
  const std::string middle = WriteDay(tree, "logs", "20130913");
  const std::string to = WriteDay(tree, "logs", "20270519");

  const MultiDayRequest request = ResolveMultiDayRequest(from, to);

  EXPECT_EQ(request.end - request.start, 10000);
  EXPECT_EQ(request.files, Paths({from, middle, to}));
}

// Names are looked up in listings of the folders, each read once, not file
// by file: the folder of the range is opened to be listed exactly once.
TEST(DayFileDiscovery, EachFolderIsListedOnce) {
  TempTree tree;
  const std::string from = WriteDay(tree, "logs", "20240301");
  const std::string april = WriteDay(tree, "logs", "20240415");
  const std::string to = WriteDay(tree, "logs", "20240531");
  testing::OpenCounter opens(fs::path(from).parent_path());
  ASSERT_TRUE(opens.Watching());
  EXPECT_EQ(ResolveMultiDayRequest(from, to).files, Paths({from, april, to}));
  EXPECT_EQ(opens.Take()[""], 1);
}

TEST(DayFileDiscovery, TheWholeCalendarIsSearchedInAllThreeLayouts) {
  TempTree tree;
  const std::string from = WriteDay(tree, "0001/01", "00010101");
  const std::string sameFolder = WriteDay(tree, "0001/01", "00010131");
  const std::string monthFolder = WriteDay(tree, "0001/02", "00010201");
  const std::string yearFolder = WriteDay(tree, "2024/05", "20240501", ".CSV");
  const std::string later = WriteDay(tree, "2024/05", "20240502");
  const std::string to = WriteDay(tree, "elsewhere", "99991231");

  const MultiDayRequest request = ResolveMultiDayRequest(from, to);

  EXPECT_EQ(request.start, Date(1, 1, 1));
  EXPECT_EQ(request.end, Date(9999, 12, 31));
  EXPECT_EQ(request.files, Paths({from, sameFolder, monthFolder, yearFolder, later, to}));
}

TEST(SingleDayRequest, SamePathTextIsOneDay) {
  TempTree tree;
  const std::string path = WriteDay(tree, "logs", "20240530");

  const MultiDayRequest request = ResolveMultiDayRequest(path, path);

  EXPECT_EQ(request.kind, MultiDayRequest::Kind::SingleDay);
  EXPECT_EQ(request.files, Paths({path}));
}

TEST(SingleDayRequest, SameFileNeedNotBeNamedAfterADate) {
  TempTree tree;
  const std::string path = tree.Write("log.txt", DayLog("2024-05-30"));

  EXPECT_EQ(ResolveMultiDayRequest(path, path).kind, MultiDayRequest::Kind::SingleDay);
}

TEST(MissingFile, StartIsReportedWithItsFieldAndPathAsTyped) {
  TempTree tree;
  const std::string to = WriteDay(tree, "logs", "20240602");
  const std::string from = tree.At("logs/20240530.csv");
  try {
    ResolveMultiDayRequest(from, to);
    FAIL() << "no error";
  } catch (const MultiDayPathError& e) {
    EXPECT_EQ(e.what(), i18n::Text(i18n::kTextFileDoesNotExist) + "\n\n" + from);
    EXPECT_EQ(e.Field(), RequestField::Start);
  }
}

TEST(MissingFile, EndIsReportedWithItsField) {
  TempTree tree;
  const std::string from = WriteDay(tree, "logs", "20240530");
  const std::string to = tree.At("logs/20240602.csv");
  try {
    ResolveMultiDayRequest(from, to);
    FAIL() << "no error";
  } catch (const MultiDayPathError& e) {
    EXPECT_EQ(e.what(), i18n::Text(i18n::kTextFileDoesNotExist) + "\n\n" + to);
    EXPECT_EQ(e.Field(), RequestField::End);
  }
}

TEST(MissingFile, StartIsCheckedFirst) {
  TempTree tree;
  try {
    ResolveMultiDayRequest(tree.At("a.csv"), tree.At("b.csv"));
    FAIL() << "no error";
  } catch (const MultiDayPathError& e) {
    EXPECT_EQ(e.Field(), RequestField::Start);
  }
}

// A field left at the folder it was filled with says that a day file is
// to be chosen there; what exists but is neither cannot be opened.
TEST(MissingFile, AFolderAsksForADayFileInIt) {
  TempTree tree;
  const std::string to = WriteDay(tree, "logs", "20240602");
  const struct {
    std::string from;
    int text;
  } cases[] = {{tree.At("logs"), i18n::kTextChooseDayFileInFolder},
               {tree.At("logs") + "/", i18n::kTextChooseDayFileInFolder},
               {"/dev/null", i18n::kTextErrorOpeningFile}};
  for (const auto& c : cases) {
    try {
      ResolveMultiDayRequest(c.from, to);
      ADD_FAILURE() << "no error for " << c.from;
    } catch (const MultiDayPathError& e) {
      EXPECT_EQ(e.what(), i18n::Text(c.text) + "\n\n" + c.from);
      EXPECT_EQ(e.Field(), RequestField::Start);
    }
  }
}

TEST(MissingFile, IsAlsoACalorixError) {
  TempTree tree;
  EXPECT_EQ(RequestError(tree.At("a.csv"), tree.At("b.csv")),
            i18n::Text(i18n::kTextFileDoesNotExist) + "\n\n" + tree.At("a.csv"));
}

TEST(FileNameChecks, NameWithoutDateIsRejected) {
  TempTree tree;
  const std::string from = tree.Write("log.csv", DayLog("2024-05-30"));
  const std::string to = WriteDay(tree, "", "20240602");
  EXPECT_EQ(RequestError(from, to), i18n::Text(88));
}

TEST(FileNameChecks, ShortEndNameIsRejected) {
  TempTree tree;
  const std::string from = WriteDay(tree, "", "20240530");
  const std::string to = tree.Write("2024062.csv", DayLog("2024-06-02"));
  EXPECT_EQ(RequestError(from, to), i18n::Text(88));
}

TEST(FileNameChecks, ADateNameIsExactlyEightDigits) {
  TempTree tree;
  const std::string to = WriteDay(tree, "", "20240602");
  for (const char* name : {"2024053 .csv", "+2024053.csv", "2024053x.csv", "202405030.csv", "20240530 .csv"}) {
    const std::string from = tree.Write(name, DayLog("2024-05-30"));
    EXPECT_EQ(RequestError(from, to), i18n::Text(90)) << name;
    EXPECT_EQ(RequestError(WriteDay(tree, "", "20240501"), from), i18n::Text(91)) << name;
  }
}

TEST(FileNameChecks, DashedDateNameIsNotAStartDate) {
  TempTree tree;
  const std::string from = tree.Write("2024-05-30.csv", DayLog("2024-05-30"));
  const std::string to = WriteDay(tree, "", "20240602");
  EXPECT_EQ(RequestError(from, to), i18n::Text(90));
}

TEST(FileNameChecks, ImpossibleDateIsNotAnEndDate) {
  TempTree tree;
  const std::string from = WriteDay(tree, "", "20240530");
  const std::string to = tree.Write("20240631.csv", DayLog("2024-06-30"));
  EXPECT_EQ(RequestError(from, to), i18n::Text(91));
}

TEST(FileNameChecks, OtherExtensionIsRejected) {
  TempTree tree;
  const std::string from = WriteDay(tree, "", "20240530", ".txt");
  const std::string to = WriteDay(tree, "", "20240602");
  EXPECT_EQ(RequestError(from, to), i18n::Text(89));
}

TEST(FileNameChecks, ExtensionIsCheckedBeforeTheDate) {
  TempTree tree;
  const std::string from = tree.Write("log.txt", DayLog("2024-05-30"));
  const std::string to = WriteDay(tree, "", "20240602");
  EXPECT_EQ(RequestError(from, to), i18n::Text(89));
}

TEST(FileNameChecks, UpperCaseExtensionIsAccepted) {
  TempTree tree;
  const std::string from = WriteDay(tree, "", "20240530", ".CSV");
  const std::string to = WriteDay(tree, "", "20240602", ".Csv");
  const MultiDayRequest request = ResolveMultiDayRequest(from, to);
  EXPECT_EQ(request.start, Date(2024, 5, 30));
  EXPECT_EQ(request.end, Date(2024, 6, 2));
}

TEST(FileNameChecks, EndBeforeStartIsRejected) {
  TempTree tree;
  const std::string from = WriteDay(tree, "", "20240602");
  const std::string to = WriteDay(tree, "", "20240530");
  EXPECT_EQ(RequestError(from, to), i18n::Text(92));
}

// Records what the loading loop asks of its target.
class RecordingTarget : public MultiDayTarget {
 public:
  std::vector<std::string> calls;
  bool failBegin = false;
  std::string failingFile;

  void Begin(unsigned fileCount, const fs::path& firstPath, DateTime, DateTime) override {
    if (failBegin) throw Error("cannot begin");
    calls.push_back("Begin " + std::to_string(fileCount) + " " + firstPath.string());
  }
  void Add(const fs::path& path) override {
    calls.push_back("Add " + path.string());
    if (path == failingFile) throw Error("cannot add " + path.string());
  }
  void End() override { calls.push_back("End"); }
  void Cancel() override { calls.push_back("Cancel"); }
};

TEST(LoadingLoop, NoFilesLeavesTheTargetAlone) {
  RecordingTarget target;
  EXPECT_EQ(RunMultiDayLoad({}, 0, 0, target, {}), MultiDayLoadOutcome::NoFiles);
  EXPECT_TRUE(target.calls.empty());
}

TEST(LoadingLoop, ReportsProgressAfterEachFile) {
  RecordingTarget target;
  std::vector<std::pair<int, int>> progress;
  MultiDayLoadCallbacks callbacks;
  callbacks.progress = [&](int position, int maximum) { progress.emplace_back(position, maximum); };

  EXPECT_EQ(RunMultiDayLoad(Paths({"a", "b", "c"}), 0, 2, target, callbacks), MultiDayLoadOutcome::Finished);

  EXPECT_EQ(target.calls, (std::vector<std::string>{"Begin 3 a", "Add b", "Add c", "End"}));
  EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));
}

TEST(LoadingLoop, FailingFileIsReportedAndTheLoadGoesOn) {
  RecordingTarget target;
  target.failingFile = "b";
  std::vector<std::string> failures;
  MultiDayLoadCallbacks callbacks;
  callbacks.fileFailed = [&](const std::string& message) { failures.push_back(message); };

  EXPECT_EQ(RunMultiDayLoad(Paths({"a", "b", "c"}), 0, 2, target, callbacks), MultiDayLoadOutcome::Finished);

  EXPECT_EQ(failures, (std::vector<std::string>{"cannot add b"}));
  EXPECT_EQ(target.calls.back(), "End");
}

TEST(LoadingLoop, AbortIsAskedOnlyBetweenFiles) {
  RecordingTarget target;
  int asked = 0;
  std::vector<int> positions;
  MultiDayLoadCallbacks callbacks;
  callbacks.shouldAbort = [&] { return ++asked > 0; };
  callbacks.progress = [&](int position, int) { positions.push_back(position); };

  EXPECT_EQ(RunMultiDayLoad(Paths({"a", "b", "c"}), 0, 2, target, callbacks), MultiDayLoadOutcome::Aborted);

  EXPECT_EQ(asked, 1);
  EXPECT_EQ(target.calls, (std::vector<std::string>{"Begin 3 a", "Cancel"}));
  EXPECT_EQ(positions, (std::vector<int>{0, 1, 0}));
}

TEST(LoadingLoop, OneFileIsNeverAborted) {
  RecordingTarget target;
  MultiDayLoadCallbacks callbacks;
  callbacks.shouldAbort = [] { return true; };
  EXPECT_EQ(RunMultiDayLoad(Paths({"a"}), 0, 0, target, callbacks), MultiDayLoadOutcome::Finished);
  EXPECT_EQ(target.calls, (std::vector<std::string>{"Begin 1 a", "End"}));
}

TEST(LoadingLoop, FailingBeginIsPassedOnAndNothingIsCancelled) {
  RecordingTarget target;
  target.failBegin = true;
  EXPECT_THROW(RunMultiDayLoad(Paths({"a", "b"}), 0, 1, target, {}), Error);
  EXPECT_TRUE(target.calls.empty());
}

// A range of day files on disk, resolved and loaded into an evaluation.
struct LoadedRange {
  TempTree tree;
  chart::ChartPanel upper;
  chart::ChartPanel lower;
  std::vector<std::string> failures;
  std::vector<int> positions;
  EvaluationBuilder builder{&upper, &lower, [this](const std::string& m) { failures.push_back(m); }};
  MultiDayLoadCallbacks callbacks;

  LoadedRange() {
    callbacks.fileFailed = [this](const std::string& m) { failures.push_back(m); };
    callbacks.progress = [this](int position, int) { positions.push_back(position); };
  }

  MultiDayLoadOutcome Load(const std::string& from, const std::string& to) {
    const MultiDayRequest request = ResolveMultiDayRequest(from, to);
    return RunMultiDayLoad(request.files, request.start, request.end, builder, callbacks);
  }
};

TEST(EvaluationLoading, BuildsOneEvaluationOfAllDays) {
  LoadedRange range;
  const std::string from = WriteDay(range.tree, "2024/05", "20240530");
  WriteDay(range.tree, "2024/05", "20240531");
  WriteDay(range.tree, "2024/06", "20240601");
  const std::string to = WriteDay(range.tree, "2024/06", "20240602");

  EXPECT_EQ(range.Load(from, to), MultiDayLoadOutcome::Finished);

  const TLogAnalysis* evaluation = range.builder.Evaluation();
  ASSERT_NE(evaluation, nullptr);
  EXPECT_TRUE(evaluation->IsMultiDay());
  EXPECT_EQ(evaluation->GetDayCount(), 4);
  EXPECT_EQ(evaluation->GetMonthCount(), 2);
  EXPECT_EQ(evaluation->GetFileName(3), fs::path(to));
  EXPECT_EQ(range.positions, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_TRUE(range.failures.empty());
}

TEST(EvaluationLoading, FailingMiddleFileIsReportedAndSkipped) {
  LoadedRange range;
  const std::string from = WriteDay(range.tree, "", "20240530");
  range.tree.Write("20240531.csv", std::string(kHeader) + "\r\n");
  WriteDay(range.tree, "", "20240601");
  const std::string to = WriteDay(range.tree, "", "20240602");

  EXPECT_EQ(range.Load(from, to), MultiDayLoadOutcome::Finished);

  EXPECT_EQ(range.failures, (std::vector<std::string>{i18n::Text(85)}));
  EXPECT_EQ(range.builder.Evaluation()->GetDayCount(), 3);
  EXPECT_EQ(range.positions.back(), 4);
}

TEST(EvaluationLoading, FileOfAnotherMonthIsReportedAndTheLoadGoesOn) {
  LoadedRange range;
  const std::string from = WriteDay(range.tree, "", "20240530");
  range.tree.Write("20240531.csv", DayLog("2024-07-15"));
  WriteDay(range.tree, "", "20240601");
  const std::string to = WriteDay(range.tree, "", "20240602");

  EXPECT_EQ(range.Load(from, to), MultiDayLoadOutcome::Finished);

  ASSERT_EQ(range.failures.size(), 1u);
  EXPECT_NE(range.failures[0].find("2024-07-15"), std::string::npos);
  EXPECT_TRUE(range.failures[0].ends_with("\n\n" + range.tree.At("20240531.csv")));
  EXPECT_EQ(range.builder.Evaluation()->GetDayCount(), 3);
}

TEST(EvaluationLoading, FailingFirstFileGoesToTheFailureHandler) {
  LoadedRange range;
  const std::string from = range.tree.Write("20240530.csv", std::string(kHeader) + "\r\nnot a record\r\n");
  WriteDay(range.tree, "", "20240531");
  const std::string to = WriteDay(range.tree, "", "20240601");

  EXPECT_EQ(range.Load(from, to), MultiDayLoadOutcome::Finished);

  EXPECT_EQ(range.failures.size(), 1u);
  EXPECT_EQ(range.builder.Evaluation()->GetDayCount(), 2);
}

TEST(EvaluationLoading, InvalidFirstHeaderEndsTheLoadWithoutEvaluation) {
  LoadedRange range;
  const std::string from = range.tree.Write("20240530.csv", "\r\n" + DayLog("2024-05-30"));
  const std::string to = WriteDay(range.tree, "", "20240531");

  EXPECT_THROW(range.Load(from, to), Error);
  EXPECT_EQ(range.builder.Evaluation(), nullptr);
}

TEST(EvaluationLoading, AbortAfterTwoFilesKeepsNothing) {
  LoadedRange range;
  const std::string from = WriteDay(range.tree, "", "20240530");
  WriteDay(range.tree, "", "20240531");
  WriteDay(range.tree, "", "20240601");
  const std::string to = WriteDay(range.tree, "", "20240602");
  range.callbacks.shouldAbort = [&range] { return range.positions.back() >= 2; };

  EXPECT_EQ(range.Load(from, to), MultiDayLoadOutcome::Aborted);

  EXPECT_EQ(range.builder.Evaluation(), nullptr);
  EXPECT_EQ(range.positions, (std::vector<int>{0, 1, 2, 0}));
}

TEST(EvaluationLoading, SameDateRequestMakesASingleDayEvaluation) {
  LoadedRange range;
  WriteDay(range.tree, "a", "20240530");
  const std::string to = WriteDay(range.tree, "b", "20240530");

  EXPECT_EQ(range.Load(range.tree.At("a/20240530.csv"), to), MultiDayLoadOutcome::Finished);

  EXPECT_FALSE(range.builder.Evaluation()->IsMultiDay());
  EXPECT_EQ(range.builder.Evaluation()->GetDayCount(), 1);
  EXPECT_EQ(range.builder.Evaluation()->GetFileName(0), fs::path(to));
}

}  // namespace
}  // namespace calorix::logdata
