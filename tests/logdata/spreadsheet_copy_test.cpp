#include "logdata/spreadsheet_copy.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/error.h"
#include "support/temp_folder.h"

namespace calorix::logdata {
namespace {

using calorix::testing::TempFolder;

std::string Read(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(SpreadsheetLine, NumbersGetDecimalPointsAndFieldsCommas) {
  const struct {
    const char* line;
    const char* copy;
  } cases[] = {
      {"2024-05-31 00:00;12,5;-3,25;Err;;100", "2024-05-31 00:00,12.5,-3.25,Err,,100"},
      {"DATE & TIME;T1[\xB0" "C];V'[l/min]", "DATE & TIME,T1[\xB0" "C],V'[l/min]"},
      {"1,5e3;a,b;say \"hi\"", "1.5e3,\"a,b\",\"say \"\"hi\"\"\""},
  };
  for (const auto& c : cases) EXPECT_EQ(SpreadsheetLine(c.line), c.copy) << c.line;
}

TEST(WriteSpreadsheetCopy, WholeLinesIntoANewFileNamedAfterTheDay) {
  TempFolder folder;
  const std::string longLine = "2024-05-31 00:01;" + std::string(2000, '7') + ",5";
  const auto day = folder.Write("logs/20240531.csv", "DATE;T1\r\n2024-05-31 00:00;12,5\r\n" + longLine + "\r\n");
  const auto copy = WriteSpreadsheetCopy(day, folder.Path());
  EXPECT_EQ(copy.filename(), "20240531c.csv");
  EXPECT_EQ(Read(copy), "DATE,T1\r\n2024-05-31 00:00,12.5\r\n2024-05-31 00:01," + std::string(2000, '7') + ".5\r\n");
}

TEST(WriteSpreadsheetCopy, AnExistingFileIsNeverWrittenOver) {
  TempFolder folder;
  const auto day = folder.Write("logs/20240531.csv", "DATE;T1\r\n");
  const auto existing = folder.Write("20240531c.csv", "mine");
  const auto copy = WriteSpreadsheetCopy(day, folder.Path());
  EXPECT_EQ(copy.filename(), "20240531c-2.csv");
  EXPECT_EQ(Read(existing), "mine");
  EXPECT_THROW(WriteSpreadsheetCopy(folder.Path() / "missing.csv", folder.Path()), Error);
}

// The name takes whole characters: eight of them, not eight bytes.
TEST(WriteSpreadsheetCopy, TheNameIsCutBetweenCharacters) {
  TempFolder folder;
  const auto day = folder.Write("logs/Tag_\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4" "1.csv", "DATE;T1\r\n");
  EXPECT_EQ(WriteSpreadsheetCopy(day, folder.Path()).filename(), "ag_\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4" "1c.csv");
}

}  // namespace
}  // namespace calorix::logdata
