#include "settings/profile_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "support/temp_folder.h"

namespace calorix {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::RunningAsRoot;
using testing::TempFolder;
using testing::WriteBytes;

ino_t InodeOf(const fs::path& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info.st_ino;
}

int EntryCount(const fs::path& folder) {
  return static_cast<int>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(ProfileFileTest, MissingFileReadsAsNothingAndIsNotCreated) {
  TempFolder folder;
  ProfileFile file(folder / "Calorix.ini");
  EXPECT_EQ(file.Read("Main", "Language"), std::nullopt);
  EXPECT_FALSE(fs::exists(folder / "Calorix.ini"));
}

TEST(ProfileFileTest, FirstWriteCreatesTheFile) {
  TempFolder folder;
  ProfileFile file(folder / "Calorix.ini");
  ASSERT_TRUE(file.Write("Main", "Language", "2"));
  EXPECT_EQ(ReadBytes(folder / "Calorix.ini"), "[Main]\r\nLanguage=2\r\n");
}

TEST(ProfileFileTest, TextIsWindows1252OnDiskAndUtf8InMemory) {
  TempFolder folder;
  WriteBytes(folder / "a.ini", "[Child]\r\nT1Label=K\xfchler\r\n");
  ProfileFile file(folder / "a.ini");
  EXPECT_EQ(file.Read("Child", "T1Label"), "K\u00fchler");
  ASSERT_TRUE(file.Write("Child", "ChartTitle", "Sch\u00f6n \u20ac"));
  EXPECT_EQ(ReadBytes(folder / "a.ini"), "[Child]\r\nT1Label=K\xfchler\r\nChartTitle=Sch\xf6n \x80\r\n");
}

TEST(ProfileFileTest, WriteKeepsEveryOtherLine) {
  TempFolder folder;
  WriteBytes(folder / "a.ini", "; hand-written\n[Main]\nLanguage=1\nUnknown=x\n[Mine]\ny=2\n");
  ProfileFile file(folder / "a.ini");
  ASSERT_TRUE(file.Write("Main", "Language", "4"));
  EXPECT_EQ(ReadBytes(folder / "a.ini"), "; hand-written\n[Main]\nLanguage=4\nUnknown=x\n[Mine]\ny=2\n");
}

TEST(ProfileFileTest, WriteReplacesTheFileInsteadOfRewritingIt) {
  TempFolder folder;
  const fs::path path = folder / "a.ini";
  WriteBytes(path, "[Main]\nLanguage=1\n");
  const ino_t before = InodeOf(path);
  std::ifstream oldFile(path, std::ios::binary);
  ProfileFile file(path);
  ASSERT_TRUE(file.Write("Main", "Language", "2"));
  EXPECT_NE(InodeOf(path), before);
  // Whoever had the old file open still sees it whole.
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(oldFile), {}), "[Main]\nLanguage=1\n");
  EXPECT_EQ(ReadBytes(path), "[Main]\nLanguage=2\n");
}

TEST(ProfileFileTest, WriteLeavesNoTemporaryFileBehind) {
  TempFolder folder;
  ProfileFile file(folder / "a.ini");
  ASSERT_TRUE(file.Write("Main", "A", "1"));
  ASSERT_TRUE(file.Write("Main", "B", "2"));
  EXPECT_EQ(EntryCount(folder.Path()), 1);
}

TEST(ProfileFileTest, EachWriteRereadsTheFileSoOtherWritersKeysSurvive) {
  TempFolder folder;
  ProfileFile first(folder / "a.ini");
  ProfileFile second(folder / "a.ini");
  EXPECT_EQ(first.Read("Main", "A"), std::nullopt);
  EXPECT_EQ(second.Read("Main", "A"), std::nullopt);
  ASSERT_TRUE(first.Write("Main", "A", "1"));
  ASSERT_TRUE(second.Write("Main", "B", "2"));
  ASSERT_TRUE(first.Write("Child", "C", "3"));
  EXPECT_EQ(ReadBytes(folder / "a.ini"), "[Main]\r\nA=1\r\nB=2\r\n\r\n[Child]\r\nC=3\r\n");
}

TEST(ProfileFileTest, ReadAfterWriteSeesTheWrite) {
  TempFolder folder;
  ProfileFile file(folder / "a.ini");
  EXPECT_EQ(file.Read("Main", "A"), std::nullopt);
  ASSERT_TRUE(file.Write("Main", "A", "1"));
  EXPECT_EQ(file.Read("Main", "A"), "1");
}

TEST(ProfileFileTest, WriteIntoMissingFolderFails) {
  TempFolder folder;
  ProfileFile file(folder / "missing" / "a.ini");
  EXPECT_FALSE(file.Write("Main", "A", "1"));
  EXPECT_FALSE(fs::exists(folder / "missing"));
}

TEST(ProfileFileTest, FileBelowARegularFileReadsAsNothingAndCannotBeWritten) {
  TempFolder folder;
  WriteBytes(folder / "plain", "x");
  ProfileFile file(folder / "plain" / "a.ini");
  EXPECT_EQ(file.Read("Main", "A"), std::nullopt);
  EXPECT_FALSE(file.Write("Main", "A", "1"));
  EXPECT_EQ(ReadBytes(folder / "plain"), "x");
}

TEST(ProfileFileTest, WriteIntoReadOnlyFolderFailsAndKeepsTheFile) {
  if (RunningAsRoot()) GTEST_SKIP() << "root may write into read-only folders";
  TempFolder folder;
  const fs::path path = folder / "a.ini";
  WriteBytes(path, "[Main]\nA=1\n");
  fs::permissions(folder.Path(), fs::perms::owner_read | fs::perms::owner_exec);
  ProfileFile file(path);
  EXPECT_FALSE(file.Write("Main", "A", "2"));
  EXPECT_EQ(ReadBytes(path), "[Main]\nA=1\n");
}

TEST(ProfileFileTest, UnreadableFileIsNotOverwritten) {
  if (RunningAsRoot()) GTEST_SKIP() << "root may read any file";
  TempFolder folder;
  const fs::path path = folder / "a.ini";
  WriteBytes(path, "[Main]\nA=1\n");
  fs::permissions(path, fs::perms::none);
  ProfileFile file(path);
  EXPECT_EQ(file.Read("Main", "A"), std::nullopt);
  EXPECT_FALSE(file.Write("Main", "B", "2"));
  fs::permissions(path, fs::perms::owner_read);
  EXPECT_EQ(ReadBytes(path), "[Main]\nA=1\n");
}

TEST(ProfileFileTest, WriteKeepsThePermissionsOfTheFile) {
  TempFolder folder;
  const fs::path path = folder / "a.ini";
  WriteBytes(path, "[Main]\nA=1\n");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  ProfileFile file(path);
  ASSERT_TRUE(file.Write("Main", "A", "2"));
  EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST(ProfileFileTest, WriteThroughSymbolicLinkKeepsTheLink) {
  TempFolder folder;
  WriteBytes(folder / "real.ini", "[Main]\nA=1\n");
  fs::create_symlink("real.ini", folder / "link.ini");
  ProfileFile file(folder / "link.ini");
  ASSERT_TRUE(file.Write("Main", "A", "2"));
  EXPECT_TRUE(fs::is_symlink(folder / "link.ini"));
  EXPECT_EQ(ReadBytes(folder / "real.ini"), "[Main]\nA=2\n");
}

// A link whose target does not exist yet: the first write creates the
// target and the link stays.
TEST(ProfileFileTest, WriteThroughDanglingSymbolicLinkCreatesItsTarget) {
  TempFolder folder;
  fs::create_directory(folder / "real");
  fs::create_symlink("real/Calorix.ini", folder / "link.ini");
  fs::create_symlink("link.ini", folder / "link2.ini");
  ProfileFile file(folder / "link2.ini");
  ASSERT_TRUE(file.Write("Main", "A", "1"));
  EXPECT_TRUE(fs::is_symlink(folder / "link.ini"));
  EXPECT_TRUE(fs::is_symlink(folder / "link2.ini"));
  EXPECT_EQ(ReadBytes(folder / "real" / "Calorix.ini"), "[Main]\r\nA=1\r\n");
}

TEST(ProfileFileTest, OpenFailsForAPipe) {
  TempFolder folder;
  ASSERT_EQ(::mkfifo((folder / "a.ini").c_str(), 0600), 0);
  EXPECT_EQ(OpenProfileFile(folder / "a.ini"), nullptr);
  EXPECT_EQ(ReadFileBytes(folder / "a.ini"), std::nullopt);
}

TEST(ProfileFileTest, OpenFailsForAFolderOrAnEmptyPath) {
  TempFolder folder;
  EXPECT_EQ(OpenProfileFile(folder.Path()), nullptr);
  EXPECT_EQ(OpenProfileFile({}), nullptr);
  EXPECT_NE(OpenProfileFile(folder / "a.ini"), nullptr);
}

TEST(ProfileFileTest, ReplaceFailsWhenTargetIsAFolder) {
  TempFolder folder;
  fs::create_directory(folder / "a.ini");
  fs::create_directory(folder / "a.ini" / "inside");
  EXPECT_FALSE(ReplaceFileBytes(folder / "a.ini", "x"));
  EXPECT_TRUE(fs::is_directory(folder / "a.ini" / "inside"));
  EXPECT_EQ(EntryCount(folder.Path()), 1);
}

TEST(ProfileFileTest, ReadFileBytesTellsMissingFromUnreadable) {
  TempFolder folder;
  EXPECT_EQ(ReadFileBytes(folder / "none"), "");
  EXPECT_EQ(ReadFileBytes(folder.Path()), std::nullopt);
  WriteBytes(folder / "a", std::string("x\0y", 3));
  EXPECT_EQ(ReadFileBytes(folder / "a"), std::string("x\0y", 3));
}

// Many keys, one replacement: a crash leaves all of them or none, and a key
// another program wrote since the last read is kept.
TEST(ProfileFileTest, WriteAllReplacesTheFileOnceKeepingOthersKeys) {
  TempFolder folder;
  const fs::path path = folder / "Calorix.ini";
  ProfileFile file(path);
  ASSERT_TRUE(file.Write("Main", "Language", "2"));
  WriteBytes(path, ReadBytes(path) + "[Other]\r\nKey=kept\r\n");
  const ino_t before = InodeOf(path);
  ASSERT_TRUE(file.WriteAll({{"Child", "ChartTitle", "Roof"}, {"Child", "LineWidth", "3"}, {"Main", "Language", "4"}}));
  EXPECT_NE(InodeOf(path), before);
  EXPECT_EQ(ReadBytes(path),
            "[Main]\r\nLanguage=4\r\n[Other]\r\nKey=kept\r\n\r\n[Child]\r\nChartTitle=Roof\r\nLineWidth=3\r\n");
  EXPECT_EQ(EntryCount(folder.Path()), 1);
}

}  // namespace
}  // namespace calorix
