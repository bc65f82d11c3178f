#include "settings/recent_files.h"

#include <gtest/gtest.h>

#include <map>
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
  const RecentCheck check = WithoutMissing({File("/a.csv"), File("/b.csv"), {"/c.csv", "/y.csv"}, {"/c.csv", "/z.csv"}},
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

// A settings file in memory whose group writes are whole or nothing, as the
// file's are; single writes fail from the given one on, as a disk that
// fills up part-way would.
class MemoryProfile : public ProfileAccess {
 public:
  std::optional<std::string> Read(std::string_view section, std::string_view key) override {
    const auto found = keys.find(std::string(section) + "/" + std::string(key));
    if (found == keys.end()) return std::nullopt;
    return found->second;
  }
  bool Write(std::string_view section, std::string_view key, std::string_view value) override {
    if (writesLeft-- <= 0) return false;
    keys[std::string(section) + "/" + std::string(key)] = value;
    return true;
  }
  bool WriteAll(const std::vector<Entry>& entries) override {
    if (writesLeft < static_cast<int>(entries.size())) return false;
    return ProfileAccess::WriteAll(entries);
  }
  std::map<std::string, std::string> keys;
  int writesLeft = 1000;
};

TEST(RecentFiles, AFailedWriteLeavesTheOldListWhole) {
  MemoryProfile profile;
  const std::vector<RecentEntry> old = {{"/l/20240501.csv", "/l/20240531.csv"}, File("/l/20240601.csv")};
  ASSERT_TRUE(WriteRecentFiles(profile, old));
  profile.writesLeft = 3;
  EXPECT_FALSE(WriteRecentFiles(profile, {File("/m/20240701.csv"), {"/m/20240801.csv", "/m/20240831.csv"}}));
  EXPECT_EQ(ReadRecentFiles(profile), old);
}

// Blanks, quotes and long names come back as they were; a path the file
// cannot hold on one line or in full is left out, and the other sections
// stay as they were.
TEST(RecentFiles, PathsComeBackExactlyOrAreLeftOut) {
  TempFolder folder;
  const std::string other = "[Main]\r\nLanguage=2\r\nLastUsedDir=  \"/x\"  \r\n";
  const auto ini = folder.Write("Calorix.ini", other);
  const std::string longest = "/" + std::string(2046, 'L');
  const std::vector<RecentEntry> storable = {
      File(" /logs/a b.csv "), File("\"/q.csv\""), {"'/s.csv'", "\t/t.csv"}, File("   "), File(longest)};
  const std::vector<RecentEntry> unstorable = {File(longest + "L"), {"/a.csv", "/b\n.csv"}, File("/\xFF.csv")};
  std::vector<RecentEntry> list = {unstorable[0], storable[0], storable[1], unstorable[1], storable[2]};
  ASSERT_TRUE(WriteRecentFiles(*OpenProfileFile(ini), list));
  EXPECT_EQ(ReadRecentFiles(*OpenProfileFile(ini)), (std::vector<RecentEntry>{storable[0], storable[1], storable[2]}));
  list = {storable[3], unstorable[2], storable[4]};
  ASSERT_TRUE(WriteRecentFiles(*OpenProfileFile(ini), list));
  EXPECT_EQ(ReadRecentFiles(*OpenProfileFile(ini)), (std::vector<RecentEntry>{storable[3], storable[4]}));
  EXPECT_TRUE(ReadFileBytes(ini)->starts_with(other + "\r\n[Recent]\r\n"));
}

}  // namespace
}  // namespace calorix
