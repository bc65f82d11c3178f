// Every file a user could pick gives one of the known outcomes: a message,
// or a day with what could be read. Never a crash or a hang.

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <functional>

#include "core/error.h"
#include "i18n/text_table.h"
#include "log_test_support.h"
#include "logdata/day_log.h"
#include "logdata/log_analysis.h"

namespace calorix::logdata {
namespace {

using testing::IsoHeader;
using testing::Rec;
using testing::TempFile;

struct Outcome {
  std::string message;  // empty when the file loaded
  std::size_t t1Points = 0;
  std::vector<std::string> warnings;
};

Outcome Load(const std::filesystem::path& path) {
  chart::ChartPanel upper, lower;
  try {
    const auto analysis = TLogAnalysis::CreateSingle(path, &upper, &lower);
    ChannelState lowest = ChannelState::NoColumn;
    analysis->ShowChannel(Channel::T1, lowest, 0, 1e6);
    return {"", upper.SeriesCount() ? upper.Series()[0]->Count() : 0, analysis->TakeWarnings()};
  } catch (const Error& e) {
    return {e.what(), 0, {}};
  }
}

Outcome Load(const std::string& bytes) { return Load(TempFile(bytes).path()); }

std::string ValidDay() {
  return IsoHeader() + "\r\n" + Rec("00:00", "1") + "\r\n" + Rec("00:01", "2") + "\r\n" + Rec("00:02", "3") + "\r\n";
}

TEST(BadInput, MissingFile) {
  EXPECT_EQ(Load(std::filesystem::path("/nonexistent/20240501.csv")).message,
            i18n::Text(84) + "\n\n/nonexistent/20240501.csv");
}

TEST(BadInput, FolderPickedInsteadOfFile) {
  TempFile file("x");
  EXPECT_EQ(Load(file.path().parent_path()).message,
            i18n::Text(84) + "\n\n" + file.path().parent_path().filename().string());
}

TEST(BadInput, EmptyFile) { EXPECT_EQ(Load(std::string()).message, i18n::Text(85)); }

TEST(BadInput, BinaryFile) {
  std::string bytes;
  for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 131 + 7) % 256);
  EXPECT_EQ(Load(bytes).message, i18n::Text(86));
}

TEST(BadInput, Utf16File) {
  std::string bytes = "\xFF\xFE";
  for (const char c : ValidDay()) {
    bytes += c;
    bytes += '\0';
  }
  EXPECT_EQ(Load(bytes).message, i18n::Text(86));
}

TEST(BadInput, NulByteInARecordEndsTheDayThere) {
  std::string bytes = ValidDay();
  bytes.replace(bytes.find(";2"), 2, std::string(";2\0", 3));
  const Outcome outcome = Load(bytes);
  EXPECT_EQ(outcome.message, "");
  EXPECT_EQ(outcome.t1Points, 1u);
}

TEST(BadInput, FiftyMegabyteSingleLine) { EXPECT_EQ(Load(std::string(50 << 20, 'x')).message, i18n::Text(86)); }

TEST(BadInput, FiftyMegabyteRecordEndsTheDay) {
  const Outcome outcome = Load(ValidDay() + Rec("00:03", std::string(50 << 20, '7') + "x"));
  EXPECT_EQ(outcome.message, "");
  EXPECT_EQ(outcome.t1Points, 3u);
}

TEST(BadInput, TruncatedLastLineKeepsTheRecordsBefore) {
  EXPECT_EQ(Load(ValidDay() + "2024-05-01 00:0").t1Points, 3u);
  EXPECT_EQ(Load(ValidDay() + "2024-05-01 00:03;4").t1Points, 4u);
  EXPECT_EQ(Load(ValidDay() + "2024-05-01 00:03;4,").t1Points, 4u);
}

TEST(BadInput, HeaderWithBlankAfterSeparator) {
  std::string bytes = ValidDay();
  bytes.replace(bytes.find(";T1"), 3, "; T1");
  EXPECT_EQ(Load(bytes).message, i18n::Text(86));
}

TEST(BadInput, HeaderOnly) { EXPECT_EQ(Load(IsoHeader() + "\r\n\r\n").message, i18n::Text(85)); }

TEST(BadInput, RecordsWithoutAnyReadableDate) {
  EXPECT_EQ(Load(IsoHeader() + "\r\nhello;1\r\nworld;2\r\n").message, i18n::Text(86));
}

TEST(BadInput, CrOnlyLineEndsAreRead) {
  std::string bytes = ValidDay();
  std::erase(bytes, '\n');
  EXPECT_EQ(Load(bytes).t1Points, 3u);
}

// The bad-input corpus. Each file is loaded in a child process, so that a
// crash or a hang cannot take the test run with it and the peak memory of
// the load is its own: it must stay within three times the file's size
// plus the points stored (16 bytes each) and a little for the program.

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

constexpr long kProgramSlack = 24L << 20;

long PeakResidentBytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("VmHWM:")) return std::atol(line.c_str() + 6) * 1024L;
  }
  return 0;
}

// Only Linux 4.0 and later reset the peak; elsewhere the bound is not checked.
bool ResetPeakResident() { return static_cast<bool>(std::ofstream("/proc/self/clear_refs") << "5" << std::flush); }

struct Measured {
  Outcome outcome;
  long peakGrowth = -1;  // bytes; -1 when not measured
  bool finished = false;
};

// Runs the load in a child; it writes what it saw back through a pipe.
Measured LoadInChild(const std::filesystem::path& path, const std::function<void()>& limit = {}) {
  int channel[2];
  if (::pipe(channel) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    if (limit) limit();
    const bool measured = !kSanitized && ResetPeakResident();
    const long before = PeakResidentBytes();
    const Outcome outcome = Load(path);
    const long growth = measured ? PeakResidentBytes() - before : -1;
    std::string report = std::to_string(growth) + '\0' + std::to_string(outcome.t1Points) + '\0' + outcome.message;
    for (const std::string& warning : outcome.warnings) report += '\0' + warning;
    for (std::size_t at = 0; at < report.size();) {
      const ssize_t written = ::write(channel[1], report.data() + at, report.size() - at);
      if (written <= 0) break;
      at += static_cast<std::size_t>(written);
    }
    ::_exit(0);
  }
  ::close(channel[1]);
  std::string report;
  char buffer[4096];
  for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;) {
    report.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  Measured measured;
  measured.finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  std::vector<std::string> parts;
  for (std::size_t from = 0; from <= report.size();) {
    const std::size_t nul = std::min(report.find('\0', from), report.size());
    parts.push_back(report.substr(from, nul - from));
    from = nul + 1;
  }
  if (parts.size() < 3) return measured;
  measured.peakGrowth = std::atol(parts[0].c_str());
  measured.outcome.t1Points = static_cast<std::size_t>(std::atol(parts[1].c_str()));
  measured.outcome.message = parts[2];
  measured.outcome.warnings.assign(parts.begin() + 3, parts.end());
  return measured;
}

void ExpectWithinMemoryBound(const Measured& measured, std::uintmax_t fileSize) {
  if (measured.peakGrowth < 0) return;  // not measurable here
  const long points = static_cast<long>(measured.outcome.t1Points);
  const long bound = 3L * static_cast<long>(fileSize) + 16L * points + kProgramSlack;
  EXPECT_LE(measured.peakGrowth, bound) << "peak growth " << (measured.peakGrowth >> 20) << " MB, bound "
                                        << (bound >> 20) << " MB";
}

std::string StopWarning(const std::filesystem::path& path, std::size_t line) {
  std::string text = i18n::Text(i18n::kTextReadingStopped);
  text.replace(text.find("%1"), 2, std::to_string(line));
  return text + "\n\n" + path.string();
}

struct CorpusCase {
  const char* name;
  std::function<std::string()> bytes;
  std::string message;            // expected message; empty: a day loads
  std::size_t t1Points = 0;       // of a day that loads
  std::size_t stoppedAtLine = 0;  // the warning's line; 0: no warning
};

std::string Utf16WithByteOrderMark() {
  std::string bytes = "\xFF\xFE";
  for (const char c : ValidDay()) {
    bytes += c;
    bytes += '\0';
  }
  return bytes;
}

std::string Binary() {
  std::string bytes;
  for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 131 + 7) % 256);
  return bytes;
}

TEST(BadInputCorpus, EveryFileGivesItsMessageOrAPartialDayWithinTheMemoryBound) {
  const std::vector<CorpusCase> cases = {
      {"binary", Binary, i18n::Text(86)},
      {"UTF-16 with byte-order mark", Utf16WithByteOrderMark, i18n::Text(86)},
      {"UTF-8 byte-order mark", [] { return "\xEF\xBB\xBF" + ValidDay(); }, "", 3},
      {"NUL byte", [] { return ValidDay() + Rec("00:03", std::string("4\0", 2)) + "\r\n" + Rec("00:04", "5"); }, "", 3,
       5},
      {"100 MB single line", [] { return std::string(100 << 20, 'x'); }, i18n::Text(86)},
      {"one million empty lines", [] { return IsoHeader() + std::string(1000000, '\n'); }, i18n::Text(85)},
      {"truncated last line", [] { return ValidDay() + "2024-05-01 00:03;4,5;1."; }, "", 4, 5},
      {"\".\" decimal", [] { return ValidDay() + Rec("00:03", "4.5"); }, "", 3, 5},
      {"number beyond a double", [] { return ValidDay() + Rec("00:03", "1E999"); }, "", 3, 5},
      {"number beyond a float", [] { return ValidDay() + Rec("00:03", "1e39"); }, "", 3, 5},
  };
  for (const CorpusCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string bytes = c.bytes();
    TempFile file(bytes);
    const Measured measured = LoadInChild(file.path());
    ASSERT_TRUE(measured.finished);
    EXPECT_EQ(measured.outcome.message, c.message);
    EXPECT_EQ(measured.outcome.t1Points, c.t1Points);
    std::vector<std::string> warnings;
    if (c.stoppedAtLine) warnings.push_back(StopWarning(file.path(), c.stoppedAtLine));
    EXPECT_EQ(measured.outcome.warnings, warnings);
    ExpectWithinMemoryBound(measured, bytes.size());
  }
}

TEST(BadInputCorpus, FolderAndPipeGiveTheOpeningMessage) {
  const TempFile file("x");
  const std::filesystem::path folder = file.path().parent_path() / "20240502.csv";
  std::filesystem::create_directory(folder);
  const std::filesystem::path pipe = file.path().parent_path() / "20240503.csv";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  for (const auto& path : {folder, pipe}) {
    const Measured measured = LoadInChild(path);
    ASSERT_TRUE(measured.finished);
    EXPECT_EQ(measured.outcome.message, i18n::Text(84) + "\n\n" + path.filename().string());
    ExpectWithinMemoryBound(measured, 0);
  }
}

// Two-byte records: a view or a reserved slot per line would cost many
// times the file's size.
TEST(BadInputCorpus, ManyTinyRecordsStayWithinTheMemoryBound) {
  std::string bytes = ValidDay();
  const std::size_t tiny = 20'000'000;
  bytes.reserve(bytes.size() + 2 * tiny);
  for (std::size_t i = 0; i < tiny; ++i) bytes += "1\n";
  TempFile file(bytes);
  const Measured measured = LoadInChild(file.path());
  ASSERT_TRUE(measured.finished);
  EXPECT_EQ(measured.outcome.message, "");
  EXPECT_EQ(measured.outcome.t1Points, 3 + tiny);
  ExpectWithinMemoryBound(measured, bytes.size());
}

// A file larger than the memory the program may take: the opening message
// with the whole path, not a raw allocation failure. A sparse 2 TB file is
// more than the machine's memory; without a sanitizer the child's address
// space is limited as well, so that a machine with more memory still finds
// no room for it.
TEST(BadInputCorpus, FileTooLargeToReadGivesTheOpeningMessageWithItsPath) {
  TempFile file("");
  std::error_code ec;
  std::filesystem::resize_file(file.path(), std::uintmax_t{1} << 41, ec);  // sparse: takes no disk space
  if (ec) GTEST_SKIP() << "this file system holds no 2 TB file";
  const auto limit = [] {
    if (kSanitized) return;
    constexpr rlim_t kEightGigabytes = rlim_t{8} << 30;
    const rlimit space{kEightGigabytes, kEightGigabytes};
    ::setrlimit(RLIMIT_AS, &space);
  };
  const Measured measured = LoadInChild(file.path(), limit);
  ASSERT_TRUE(measured.finished);
  EXPECT_EQ(measured.outcome.message, i18n::Text(84) + "\n\n" + file.path().string());
}

}  // namespace
}  // namespace calorix::logdata
