// Every file a user could pick gives one of the known outcomes: a message,
// or a day with what could be read. Never a crash or a hang.

#include <gtest/gtest.h>

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
};

Outcome Load(const std::filesystem::path& path) {
  chart::ChartPanel upper, lower;
  try {
    const auto analysis = TLogAnalysis::CreateSingle(path, &upper, &lower);
    ChannelState lowest = ChannelState::NoColumn;
    analysis->ShowChannel(Channel::T1, lowest, 0, 1e6);
    return {"", upper.SeriesCount() ? upper.Series()[0]->Count() : 0};
  } catch (const Error& e) {
    return {e.what(), 0};
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

TEST(BadInput, FiftyMegabyteSingleLine) {
  EXPECT_EQ(Load(std::string(50 << 20, 'x')).message, i18n::Text(86));
}

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

}  // namespace
}  // namespace calorix::logdata
