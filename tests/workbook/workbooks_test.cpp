#include "workbook/workbooks.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/error.h"
#include "evaluation/evaluation_model.h"
#include "support/day_file_text.h"
#include "support/temp_folder.h"

namespace calorix::workbook {
namespace {

using calorix::testing::DayFileText;
using calorix::testing::TempFolder;

std::string Read(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool IsZip(const std::filesystem::path& path) { return Read(path).starts_with("PK\x03\x04"); }

class WorkbookFileTest : public ::testing::Test {
 protected:
  WorkbookFileTest() {
    day = folder.Write("logs/20240531.csv",
                       DayFileText("2024-05-31", {"00:00;50;;;;;;;2;3;100;;;", "01:00;70;;;;;;;0;0;0;;;"}));
    model.LoadFile(day);
  }
  TempFolder folder;
  std::filesystem::path day;
  evaluation::EvaluationModel model;
};

TEST_F(WorkbookFileTest, TheShownDayGoesIntoANewFileAndTheLogFileStaysAsItWas) {
  const std::string logged = Read(day);
  const auto existing = folder.Write("20240531.xlsx", "mine");
  const auto copy = WriteShownDayCopy(model, folder.Path());
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->filename(), "20240531-2.xlsx");
  EXPECT_TRUE(IsZip(*copy));
  EXPECT_EQ(Read(existing), "mine");
  EXPECT_EQ(Read(day), logged);
}

// "Open in Excel" writes into the temporary folder, which is below the user's
// name: "C:\Users\Jörg\AppData\Local\Temp".
TEST_F(WorkbookFileTest, AFolderNamedInAnyScriptTakesTheWorkbook) {
  for (const char8_t* name : {u8"J\u00f6rg", u8"\u0410\u043d\u043d\u0430"}) {
    const std::filesystem::path user = folder.Path() / name;
    std::filesystem::create_directory(user);
    const auto copy = WriteShownDayCopy(model, user);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->parent_path(), user);
    EXPECT_TRUE(IsZip(*copy)) << copy->u8string().size();
  }
}

TEST_F(WorkbookFileTest, NoDayShownNoWorkbook) {
  model.Reset();
  EXPECT_FALSE(WriteShownDayCopy(model, folder.Path()));
}

TEST_F(WorkbookFileTest, AFailureLeavesTheEarlierFileAndNoPartBehind) {
  const auto target = folder.Write("out/day.xlsx", "earlier");
  std::filesystem::remove(day);  // the day file went after loading
  EXPECT_THROW(WriteDayWorkbook(target, *model.Snapshot().load.Data(), 0, {}), Error);
  EXPECT_EQ(Read(target), "earlier");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(target.parent_path()), {}), 1);

  folder.Write("logs/20240531.csv", DayFileText("2024-05-31", {"00:00;50;;;;;;;2;3;100;;;"}));
  WriteDayWorkbook(target, *model.Snapshot().load.Data(), 0, {});
  EXPECT_TRUE(IsZip(target));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(target.parent_path()), {}), 1);
}

TEST_F(WorkbookFileTest, AFolderThatCannotBeWrittenIsNamedInTheMessage) {
  try {
    WriteTotalsWorkbook(folder / "missing/totals.xlsx", *model.Snapshot().load.Data(), evaluation::TotalsPer::Month);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("missing"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace calorix::workbook
