#include "settings/recent_files.h"

#include <gtest/gtest.h>

#include <set>

#include "support/temp_folder.h"

namespace calorix {
namespace {

using calorix::testing::TempFolder;

RecentEntry File(const std::string& path) { return {path, ""}; }

TEST(RecentFiles, NewestOnTopDuplicatesMoveUpAndFiveAtMost) {
  std::vector<RecentEntry> list;
  for (const char* path : {"/a.csv", "/b.csv", "/c.csv"}) list = WithRecent(list, File(path));
  EXPECT_EQ(list, (std::vector<RecentEntry>{File("/c.csv"), File("/b.csv"), File("/a.csv")}));
  list = WithRecent(list, File("/a.csv"));
  EXPECT_EQ(list, (std::vector<RecentEntry>{File("/a.csv"), File("/c.csv"), File("/b.csv")}));
  const RecentEntry range{"/a.csv", "/z.csv"};  // not the same as the file alone
  for (const char* path : {"/d.csv", "/e.csv"}) list = WithRecent(list, File(path));
  list = WithRecent(list, range);
  EXPECT_EQ(list, (std::vector<RecentEntry>{range, File("/e.csv"), File("/d.csv"), File("/a.csv"), File("/c.csv")}));
}

TEST(RecentFiles, MissingFilesAreTakenOffAndNamed) {
  const std::set<std::string> present = {"/a.csv", "/c.csv", "/z.csv"};
  const RecentCheck check =
      WithoutMissing({File("/a.csv"), File("/b.csv"), {"/c.csv", "/y.csv"}, {"/c.csv", "/z.csv"}},
                     [&](const std::string& path) { return present.count(path) > 0; });
  EXPECT_EQ(check.kept, (std::vector<RecentEntry>{File("/a.csv"), {"/c.csv", "/z.csv"}}));
  EXPECT_EQ(check.missing, (std::vector<std::string>{"/b.csv", "/y.csv"}));
}

TEST(RecentFiles, MenuTextsNumberTheEntriesAndShowAmpersands) {
  EXPECT_EQ(RecentMenuText(File("/logs/R&D/20240531.csv"), 0), "&1 /logs/R&&D/20240531.csv");
  EXPECT_EQ(RecentMenuText({"/l/20240501.csv", "/l/20240531.csv"}, 4), "&5 /l/20240501.csv \u2013 /l/20240531.csv");
}

// Stored in a section of its own beside the other settings, which stay.
TEST(RecentFiles, StoredInTheRecentSectionAndReadBack) {
  TempFolder folder;
  const auto ini = folder.Write("Calorix.ini", "[Main]\r\nLanguage=2\r\n");
  const std::vector<RecentEntry> list = {File("/logs/20240531.csv"), {"/logs/20240501.csv", "/logs/20240530.csv"}};
  ASSERT_TRUE(WriteRecentFiles(*OpenProfileFile(ini), list));
  EXPECT_EQ(ReadRecentFiles(*OpenProfileFile(ini)), list);
  const std::string content = *ReadFileBytes(ini);
  EXPECT_NE(content.find("[Main]\r\nLanguage=2\r\n"), std::string::npos) << content;
  EXPECT_NE(content.find("[Recent]\r\nFile1=/logs/20240531.csv\r\nLast1=\r\nFile2=/logs/20240501.csv\r\n"),
            std::string::npos)
      << content;
  // Fewer entries clear the slots behind them.
  ASSERT_TRUE(WriteRecentFiles(*OpenProfileFile(ini), {list[1]}));
  EXPECT_EQ(ReadRecentFiles(*OpenProfileFile(ini)), std::vector<RecentEntry>{list[1]});
  // A settings file without the section reads as an empty list.
  EXPECT_TRUE(ReadRecentFiles(*OpenProfileFile(folder.Write("Other.ini", "[Main]\r\nLanguage=1\r\n"))).empty());
}

}  // namespace
}  // namespace calorix
