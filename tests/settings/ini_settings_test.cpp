#include "settings/ini_settings.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <map>
#include <string>
#include <vector>

#include "core/error.h"
#include "i18n/text_table.h"
#include "support/temp_folder.h"

namespace calorix {
namespace {

namespace fs = std::filesystem;
using namespace std::string_view_literals;
using testing::ReadBytes;
using testing::RunningAsRoot;
using testing::TempFolder;
using testing::WriteBytes;

constexpr const char* kProgramFolder = "/opt/calorix/bin/";

int Slot(SettingSlot slot) { return static_cast<int>(slot); }

// The defaults, written out here rather than taken from the key table.
TChildSettings ExpectedDefaults() {
  TChildSettings s;
  s.ChartTitle = "";
  s.LineWidth = 2;
  s.AxisMin = -10;
  s.AxisMax = 120;
  s.DynamicScaling = true;
  s.Labels.fill("DEFAULT_LABEL");
  // Slot order: ..., Flow, Volume, Power, Energy, ...
  s.Colors = {255,     16711680, 8388863,  32768,    33023, 679542, 0,  16744448,
              8388736, 4259584,  16711935, 16711680, 32768, 0,      255};
  s.OthersShowBars = true;
  s.RShowBars = false;
  return s;
}

// Every key of the file with the same value.
std::string FileWithEveryKey(const std::string& value) {
  std::string content;
  const char* section = "";
  for (const SettingsKey& key : SettingsKeys()) {
    if (std::string_view(section) != key.section) content += std::string("[") + key.section + "]\n";
    section = key.section;
    content += key.name + "=" + value + "\n";
  }
  return content;
}

class IniSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { i18n::SetCurrentBlock(i18n::LanguageBlock::English); }

  fs::path IniPath() const { return folder_ / "Calorix.ini"; }
  TIniSettings LoadFrom(std::string_view content) {
    WriteBytes(IniPath(), content);
    return TIniSettings(IniPath(), kProgramFolder);
  }

  TempFolder folder_;
};

constexpr const char* kText95 = "Access to INI file failed. Settings cannot be saved.";

TEST_F(IniSettingsTest, FirstStartTakesEveryDefaultAndCreatesNoFile) {
  const TIniSettings settings(IniPath(), kProgramFolder);
  EXPECT_EQ(settings.GetExcelPath(), "");
  EXPECT_EQ(settings.GetMainSettings(), (TMainSettings{0, kProgramFolder}));
  EXPECT_EQ(settings.GetChildSettings(), ExpectedDefaults());
  EXPECT_TRUE(settings.IsWritable());
  EXPECT_EQ(settings.IniPath(), IniPath());
  EXPECT_FALSE(fs::exists(IniPath()));
}

TEST_F(IniSettingsTest, EmptyFileAndEmptySectionsTakeEveryDefault) {
  EXPECT_EQ(LoadFrom("").GetChildSettings(), ExpectedDefaults());
  EXPECT_EQ(LoadFrom("[Main]\n[Child]\n").GetMainSettings(), (TMainSettings{0, kProgramFolder}));
}

TEST_F(IniSettingsTest, ReadsEveryKey) {
  const TIniSettings settings = LoadFrom(
      "[Main]\nExcelPath=/usr/bin/sheet\nLastUsedDir=/data/logs\nLanguage=3\n"
      "[Child]\nChartTitle=Roof\nLineWidth=4\nAxisMin=5\nAxisMax=60\nDynamicScaling=0\n"
      "T1Label=a\nPowerLabel=p\nVolumeLabel=v\nRErrorLabel=e\n"
      "T1Color=1\nPowerColor=2\nVolumeColor=3\nRErrorColor=4\n"
      "OthersShowBars=0\nRShowBars=1\n");
  TChildSettings expected = ExpectedDefaults();
  expected.ChartTitle = "Roof";
  expected.LineWidth = 4;
  expected.AxisMin = 5;
  expected.AxisMax = 60;
  expected.DynamicScaling = false;
  expected.Labels[Slot(SettingSlot::T1)] = "a";
  expected.Labels[Slot(SettingSlot::Power)] = "p";
  expected.Labels[Slot(SettingSlot::Volume)] = "v";
  expected.Labels[Slot(SettingSlot::RError)] = "e";
  expected.Colors[Slot(SettingSlot::T1)] = 1;
  expected.Colors[Slot(SettingSlot::Power)] = 2;
  expected.Colors[Slot(SettingSlot::Volume)] = 3;
  expected.Colors[Slot(SettingSlot::RError)] = 4;
  expected.OthersShowBars = false;
  expected.RShowBars = true;
  EXPECT_EQ(settings.GetChildSettings(), expected);
  EXPECT_EQ(settings.GetExcelPath(), "/usr/bin/sheet");
  EXPECT_EQ(settings.GetMainSettings(), (TMainSettings{3, "/data/logs"}));
}

TEST_F(IniSettingsTest, EveryNumberKeyWithAWordTakesItsDefault) {
  const TIniSettings settings = LoadFrom(FileWithEveryKey("word"));
  TChildSettings expected = ExpectedDefaults();
  expected.ChartTitle = "word";
  expected.Labels.fill("word");
  EXPECT_EQ(settings.GetChildSettings(), expected);
  EXPECT_EQ(settings.GetMainSettings(), (TMainSettings{0, "word"}));
  EXPECT_EQ(settings.GetExcelPath(), "word");
}

TEST_F(IniSettingsTest, EveryNumberKeyReadsZeroXHex) {
  const TIniSettings settings = LoadFrom(FileWithEveryKey("0x3"));
  const TChildSettings child = settings.GetChildSettings();
  EXPECT_EQ(child.LineWidth, 3);
  EXPECT_EQ(child.AxisMin, 3);
  EXPECT_EQ(child.AxisMax, 3);
  EXPECT_TRUE(child.DynamicScaling);
  for (const Color color : child.Colors) EXPECT_EQ(color, 3u);
  EXPECT_TRUE(child.OthersShowBars);
  EXPECT_TRUE(child.RShowBars);
  EXPECT_EQ(settings.GetMainSettings().Language, 3);
}

TEST_F(IniSettingsTest, EveryNumberKeyReadsDollarHex) {
  const TChildSettings child = LoadFrom(FileWithEveryKey("$A")).GetChildSettings();
  EXPECT_EQ(child.LineWidth, 10);
  EXPECT_EQ(child.AxisMin, 10);
  EXPECT_EQ(child.AxisMax, 10);
  for (const Color color : child.Colors) EXPECT_EQ(color, 10u);
}

TEST_F(IniSettingsTest, EveryNumberKeyReadsNegativeDecimal) {
  const TIniSettings settings = LoadFrom(FileWithEveryKey("-5"));
  const TChildSettings child = settings.GetChildSettings();
  EXPECT_EQ(child.LineWidth, -5);
  EXPECT_EQ(child.AxisMin, -5);
  EXPECT_EQ(child.AxisMax, -5);
  EXPECT_TRUE(child.DynamicScaling);
  for (const Color color : child.Colors) EXPECT_EQ(color, 0xFFFFFFFBu);
  EXPECT_EQ(settings.GetMainSettings().Language, 0);
}

TEST_F(IniSettingsTest, EveryFlagReadsZeroAsFalse) {
  const TChildSettings child = LoadFrom(FileWithEveryKey("0")).GetChildSettings();
  EXPECT_FALSE(child.DynamicScaling);
  EXPECT_FALSE(child.OthersShowBars);
  EXPECT_FALSE(child.RShowBars);
}

TEST_F(IniSettingsTest, LanguageTakesLowEightBitsWithinZeroToSeven) {
  EXPECT_EQ(LoadFrom("[Main]\nLanguage=9\n").GetMainSettings().Language, 0);
  EXPECT_EQ(LoadFrom("[Main]\nLanguage=-1\n").GetMainSettings().Language, 0);
  EXPECT_EQ(LoadFrom("[Main]\nLanguage=258\n").GetMainSettings().Language, 2);
  EXPECT_EQ(LoadFrom("[Main]\nLanguage=7\n").GetMainSettings().Language, 7);
  EXPECT_EQ(LoadFrom("[Main]\nLanguage=$102\n").GetMainSettings().Language, 2);
}

TEST_F(IniSettingsTest, ColourReadsHexAndFallsBackOnAWord) {
  const int t2 = Slot(SettingSlot::T2);
  EXPECT_EQ(LoadFrom("[Child]\nT2Color=0xFF\n").GetChildSettings().Colors[t2], 255u);
  EXPECT_EQ(LoadFrom("[Child]\nT2Color=blue\n").GetChildSettings().Colors[t2], 16711680u);
}

TEST_F(IniSettingsTest, DynamicScalingTwoIsTrueAndAWordIsTheDefault) {
  EXPECT_TRUE(LoadFrom("[Child]\nDynamicScaling=2\n").GetChildSettings().DynamicScaling);
  EXPECT_TRUE(LoadFrom("[Child]\nDynamicScaling=yes\n").GetChildSettings().DynamicScaling);
  EXPECT_FALSE(LoadFrom("[Child]\nRShowBars=yes\n").GetChildSettings().RShowBars);
}

TEST_F(IniSettingsTest, ValuesAreNotCheckedOnLoading) {
  const TChildSettings child = LoadFrom("[Child]\nLineWidth=0\nAxisMin=500\nAxisMax=-500\n").GetChildSettings();
  EXPECT_EQ(child.LineWidth, 0);
  EXPECT_EQ(child.AxisMin, 500);
  EXPECT_EQ(child.AxisMax, -500);
}

TEST_F(IniSettingsTest, EmptyTextIsReadAsEmptyNotAsDefault) {
  const TIniSettings settings = LoadFrom("[Main]\nLastUsedDir=\n[Child]\nT1Label=\n");
  EXPECT_EQ(settings.GetMainSettings().LastUsedDir, "");
  EXPECT_EQ(settings.GetChildSettings().Labels[0], "");
}

TEST_F(IniSettingsTest, TextsAreConvertedFromWindows1252AndCutAt2047Characters) {
  const TIniSettings settings =
      LoadFrom("[Child]\nChartTitle=W\xe4rme \x80\nT1Label=" + std::string(5000, '\xe4') + "\n");
  EXPECT_EQ(settings.GetChildSettings().ChartTitle, "W\u00e4rme \u20ac");
  std::string expected;
  for (int i = 0; i < 2047; ++i) expected += "\u00e4";
  EXPECT_EQ(settings.GetChildSettings().Labels[0], expected);
}

TEST_F(IniSettingsTest, GarbageLoadsWithoutFailing) {
  const TIniSettings settings = LoadFrom("\x89PNG\r\n\x1a\n\0\0\0 garbage [[[ ]]] ==== \xff\xfe\n"sv);
  EXPECT_EQ(settings.GetChildSettings(), ExpectedDefaults());
}

TEST_F(IniSettingsTest, BinaryBytesInValuesLoadAsDefaultsForNumbers) {
  const std::string content = "[Child]\nLineWidth=4" + std::string(2, '\0') + "\nAxisMin=\x01\x02\nAxisMax=7\n";
  const TChildSettings child = LoadFrom(content).GetChildSettings();
  EXPECT_EQ(child.LineWidth, 2);
  EXPECT_EQ(child.AxisMin, -10);
  EXPECT_EQ(child.AxisMax, 7);
}

TEST_F(IniSettingsTest, TenMegabyteLineLoads) {
  const TIniSettings settings = LoadFrom("[Child]\nChartTitle=" + std::string(10'000'000, 'x') + "\nLineWidth=5\n" +
                                         std::string(10'000'000, 'y') + "\nAxisMax=9\n");
  EXPECT_EQ(settings.GetChildSettings().ChartTitle, std::string(2047, 'x'));
  EXPECT_EQ(settings.GetChildSettings().LineWidth, 5);
  EXPECT_EQ(settings.GetChildSettings().AxisMax, 9);
}

TEST_F(IniSettingsTest, DuplicateSectionsAndKeysTakeTheFirst) {
  const TIniSettings settings = LoadFrom("[Child]\nLineWidth=3\nLineWidth=4\n[Child]\nLineWidth=5\nAxisMin=1\n");
  EXPECT_EQ(settings.GetChildSettings().LineWidth, 3);
  EXPECT_EQ(settings.GetChildSettings().AxisMin, -10);
}

TEST_F(IniSettingsTest, KeyWithoutEqualsSignTakesItsDefault) {
  EXPECT_EQ(LoadFrom("[Child]\nLineWidth\nAxisMax 5\n").GetChildSettings(), ExpectedDefaults());
}

TEST_F(IniSettingsTest, CrOnlyLineEndsAreLineEnds) {
  const TIniSettings settings = LoadFrom("[Main]\rLanguage=4\r[Child]\rLineWidth=6\r");
  EXPECT_EQ(settings.GetMainSettings().Language, 4);
  EXPECT_EQ(settings.GetChildSettings().LineWidth, 6);
}

TEST_F(IniSettingsTest, SettingsFileBelowARegularFileLoadsDefaultsAndFailsOnWrite) {
  WriteBytes(folder_ / "plain", "x");
  TIniSettings settings(folder_ / "plain" / "Calorix.ini", kProgramFolder);
  EXPECT_EQ(settings.GetChildSettings(), ExpectedDefaults());
  try {
    settings.SetMainSettings(2, "/new");
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), kText95);
  }
  EXPECT_EQ(settings.GetMainSettings(), (TMainSettings{2, "/new"}));
  EXPECT_TRUE(settings.IsWritable());
}

TEST_F(IniSettingsTest, SettingsFileThatIsAFolderFailsToLoad) {
  fs::create_directory(IniPath());
  EXPECT_THROW(TIniSettings(IniPath(), kProgramFolder), Error);
}

// A pipe in place of the settings file must not block the start-up: it is
// refused as a folder is. Should the load block after all, the test writes
// to the pipe so that it ends and the failure is reported instead of a hang.
TEST_F(IniSettingsTest, SettingsFileThatIsAPipeFailsToLoadWithoutBlocking) {
  ASSERT_EQ(::mkfifo(IniPath().c_str(), 0600), 0);
  auto load = std::async(std::launch::async, [&] {
    try {
      TIniSettings settings(IniPath(), kProgramFolder);
      return std::string("loaded");
    } catch (const Error& e) {
      return std::string(e.what());
    }
  });
  const bool finished = load.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
  if (!finished) {
    const int fd = ::open(IniPath().c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) ::close(fd);
  }
  EXPECT_TRUE(finished) << "loading blocked on the pipe";
  EXPECT_EQ(load.get(), kText95);
  EXPECT_TRUE(fs::is_fifo(IniPath()));
}

// Windows-1252 where it holds the value, UTF-8 where it does not, so that
// nothing turns into "?"; each value is read in the encoding it was written in.
TEST_F(IniSettingsTest, ValuesWindows1252CannotHoldAreKeptAsUtf8) {
  TIniSettings settings = LoadFrom("");
  TChildSettings child = settings.GetChildSettings();
  child.ChartTitle = "Wärme Süd";
  child.Labels[Slot(SettingSlot::T1)] = "Kollektor Łódź";
  settings.SetChildSettings(child);
  settings.SetMainSettings(2, "/home/łukasz/Логи/Wärme/");
  const std::string bytes = ReadBytes(IniPath());
  EXPECT_NE(bytes.find("LastUsedDir=/home/łukasz/Логи/Wärme/\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("T1Label=Kollektor Łódź\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("ChartTitle=W\xE4rme S\xFC"
                       "d\r\n"),
            std::string::npos);

  settings.SetExcelPath("Ã¤");  // Windows-1252 bytes that would read as UTF-8 "ä"

  const TIniSettings again(IniPath(), kProgramFolder);
  EXPECT_EQ(again.GetExcelPath(), "Ã¤");
  EXPECT_EQ(again.GetMainSettings().LastUsedDir, "/home/łukasz/Логи/Wärme/");
  EXPECT_EQ(again.GetChildSettings().Labels[Slot(SettingSlot::T1)], "Kollektor Łódź");
  EXPECT_EQ(again.GetChildSettings().ChartTitle, "Wärme Süd");
}

TEST_F(IniSettingsTest, FileMixingWindows1252AndUtf8ValuesReadsEach) {
  const TIniSettings settings = LoadFrom(
      "[Main]\r\nLastUsedDir=/home/\xC5\x82ukasz/\r\nExcelPath=C:\\Programme\\B\xFCro\\x.exe\r\n"
      "[Child]\r\nChartTitle=\xC3\x84rger\r\nT1Label=\xC4rger\r\n");
  EXPECT_EQ(settings.GetMainSettings().LastUsedDir, "/home/łukasz/");
  EXPECT_EQ(settings.GetExcelPath(), "C:\\Programme\\Büro\\x.exe");
  EXPECT_EQ(settings.GetChildSettings().ChartTitle, "Ärger");
  EXPECT_EQ(settings.GetChildSettings().Labels[Slot(SettingSlot::T1)], "Ärger");
}

TEST_F(IniSettingsTest, ByteOrderMarkBeforeTheFirstSectionIsSkippedAndKept) {
  TIniSettings settings = LoadFrom("\xEF\xBB\xBF[Main]\r\nLanguage=3\r\nLastUsedDir=/logs/\r\n");
  EXPECT_EQ(settings.GetMainSettings(), (TMainSettings{3, "/logs/"}));
  settings.SetMainSettings(4, "/logs/");
  EXPECT_EQ(ReadBytes(IniPath()), "\xEF\xBB\xBF[Main]\r\nLanguage=4\r\nLastUsedDir=/logs/\r\n");
}

TEST_F(IniSettingsTest, SettingsFileTurnedIntoAFolderMakesTheStoreUnwritable) {
  TIniSettings settings(IniPath(), kProgramFolder);
  fs::create_directory(IniPath());
  EXPECT_THROW(settings.SetExcelPath("/a"), Error);
  EXPECT_FALSE(settings.IsWritable());
  EXPECT_NO_THROW(settings.SetExcelPath("/b"));
  EXPECT_EQ(settings.GetExcelPath(), "/b");
}

TEST_F(IniSettingsTest, ReadOnlyFolderFailsOnWriteKeepingValuesAndFile) {
  if (RunningAsRoot()) GTEST_SKIP() << "root may write into read-only folders";
  TIniSettings settings = LoadFrom("[Main]\nLanguage=1\n");
  fs::permissions(folder_.Path(), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_THROW(settings.SetMainSettings(5, "/x"), Error);
  EXPECT_EQ(settings.GetMainSettings(), (TMainSettings{5, "/x"}));
  EXPECT_TRUE(settings.IsWritable());
  EXPECT_EQ(ReadBytes(IniPath()), "[Main]\nLanguage=1\n");
}

TEST_F(IniSettingsTest, WritesOnlyTheChangedKeysAndKeepsTheRestOfTheFile) {
  TIniSettings settings = LoadFrom("; mine\n[Main]\nLanguage=1\nOwn=x\n[Other]\na=b\n");
  settings.SetExcelPath("/usr/bin/sheet");
  EXPECT_EQ(ReadBytes(IniPath()), "; mine\n[Main]\nLanguage=1\nOwn=x\nExcelPath=/usr/bin/sheet\n[Other]\na=b\n");
}

TEST_F(IniSettingsTest, SetMainSettingsWritesLanguageAndLastUsedDir) {
  TIniSettings settings(IniPath(), kProgramFolder);
  settings.SetMainSettings(-3, "/d\u00e9j\u00e0");
  EXPECT_EQ(ReadBytes(IniPath()), "[Main]\r\nLanguage=-3\r\nLastUsedDir=/d\xe9j\xe0\r\n");
  EXPECT_EQ(settings.GetMainSettings(), (TMainSettings{-3, "/d\u00e9j\u00e0"}));
}

TEST_F(IniSettingsTest, WrittenValuesLoadAgain) {
  TChildSettings child = ExpectedDefaults();
  child.ChartTitle = "Title \u00c4";
  child.LineWidth = 99;
  child.AxisMin = -2147483647 - 1;
  child.DynamicScaling = false;
  for (int i = 0; i < kSettingSlotCount; ++i) {
    child.Labels[i] = "label " + std::to_string(i);
    child.Colors[i] = static_cast<Color>(0x010203 * i);
  }
  child.Colors[0] = kNoColor;
  child.OthersShowBars = false;
  child.RShowBars = true;
  TIniSettings first(IniPath(), kProgramFolder);
  first.SetChildSettings(child);
  first.SetMainSettings(6, "/logs");
  first.SetExcelPath("/opt/sheet");
  const TIniSettings second(IniPath(), kProgramFolder);
  EXPECT_EQ(second.GetChildSettings(), child);
  EXPECT_EQ(second.GetMainSettings(), (TMainSettings{6, "/logs"}));
  EXPECT_EQ(second.GetExcelPath(), "/opt/sheet");
}

TEST_F(IniSettingsTest, TwoStoresOnOneFileKeepEachOthersKeys) {
  TIniSettings first(IniPath(), kProgramFolder);
  TIniSettings second(IniPath(), kProgramFolder);
  first.SetExcelPath("/a");
  second.SetMainSettings(2, "/b");
  const TIniSettings third(IniPath(), kProgramFolder);
  EXPECT_EQ(third.GetExcelPath(), "/a");
  EXPECT_EQ(third.GetMainSettings(), (TMainSettings{2, "/b"}));
}

TEST_F(IniSettingsTest, FileIsNeverReadAgainAfterLoading) {
  TIniSettings settings = LoadFrom("[Main]\nLanguage=1\n");
  WriteBytes(IniPath(), "[Main]\nLanguage=2\nExcelPath=/hand\n");
  EXPECT_EQ(settings.GetMainSettings().Language, 1);
  EXPECT_EQ(settings.GetExcelPath(), "");
  settings.SetMainSettings(3, "/x");
  EXPECT_EQ(ReadBytes(IniPath()), "[Main]\nLanguage=3\nExcelPath=/hand\nLastUsedDir=/x\n");
}

TEST_F(IniSettingsTest, FailureTextIsTheCurrentLanguagesText95) {
  i18n::SetCurrentBlock(i18n::LanguageBlock::German);
  fs::create_directory(IniPath());
  try {
    TIniSettings settings(IniPath(), kProgramFolder);
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.what(), i18n::TextOf(i18n::LanguageBlock::German, 95));
  }
}

// A settings file in memory that records every write and fails on request.
struct FakeFile {
  std::map<std::string, std::string> keys;  // "Section/Key" -> value
  std::vector<std::string> writes;          // "Section/Key=Value", in order
  int failingWrite = -1;                    // index of the write that fails
  int failingOpen = -1;                     // index of the opening that fails
  int opens = 0;
};

class FakeAccess : public ProfileAccess {
 public:
  explicit FakeAccess(FakeFile& file) : file_(file) {}
  std::optional<std::string> Read(std::string_view section, std::string_view key) override {
    const auto found = file_.keys.find(std::string(section) + "/" + std::string(key));
    if (found == file_.keys.end()) return std::nullopt;
    return found->second;
  }
  bool Write(std::string_view section, std::string_view key, std::string_view value) override {
    if (static_cast<int>(file_.writes.size()) == file_.failingWrite) return false;
    const std::string name = std::string(section) + "/" + std::string(key);
    file_.keys[name] = value;
    file_.writes.push_back(name + "=" + std::string(value));
    return true;
  }

 private:
  FakeFile& file_;
};

ProfileOpener OpenerOf(FakeFile& file) {
  return [&file](const fs::path&) -> std::unique_ptr<ProfileAccess> {
    if (file.opens++ == file.failingOpen) return nullptr;
    return std::make_unique<FakeAccess>(file);
  };
}

TEST_F(IniSettingsTest, SetMainSettingsWritesLanguageThenLastUsedDir) {
  FakeFile file;
  TIniSettings settings("x.ini", kProgramFolder, OpenerOf(file));
  settings.SetMainSettings(7, "/logs");
  EXPECT_EQ(file.writes, (std::vector<std::string>{"Main/Language=7", "Main/LastUsedDir=/logs"}));
}

TEST_F(IniSettingsTest, SetExcelPathWritesOnlyExcelPath) {
  FakeFile file;
  TIniSettings settings("x.ini", kProgramFolder, OpenerOf(file));
  settings.SetExcelPath("/sheet");
  EXPECT_EQ(file.writes, (std::vector<std::string>{"Main/ExcelPath=/sheet"}));
}

TEST_F(IniSettingsTest, SetChildSettingsWritesTheWholeSectionInKeyOrder) {
  FakeFile file;
  TIniSettings settings("x.ini", kProgramFolder, OpenerOf(file));
  TChildSettings child = ExpectedDefaults();
  for (int i = 0; i < kSettingSlotCount; ++i) {
    child.Labels[i] = "L" + std::to_string(i);
    child.Colors[i] = static_cast<Color>(100 + i);
  }
  settings.SetChildSettings(child);
  const std::vector<std::string> expected = {
      "Child/ChartTitle=",      "Child/LineWidth=2",     "Child/AxisMin=-10",     "Child/AxisMax=120",
      "Child/DynamicScaling=1", "Child/T1Label=L0",      "Child/T2Label=L1",      "Child/T3Label=L2",
      "Child/T4Label=L3",       "Child/T5Label=L4",      "Child/T6Label=L5",      "Child/TDLabel=L6",
      "Child/FlowLabel=L7",     "Child/PowerLabel=L9",   "Child/VolumeLabel=L8",  "Child/EnergyLabel=L10",
      "Child/R1Label=L11",      "Child/R2Label=L12",     "Child/R3Label=L13",     "Child/RErrorLabel=L14",
      "Child/T1Color=100",      "Child/T2Color=101",     "Child/T3Color=102",     "Child/T4Color=103",
      "Child/T5Color=104",      "Child/T6Color=105",     "Child/TDColor=106",     "Child/FlowColor=107",
      "Child/PowerColor=109",   "Child/VolumeColor=108", "Child/EnergyColor=110", "Child/R1Color=111",
      "Child/R2Color=112",      "Child/R3Color=113",     "Child/RErrorColor=114", "Child/OthersShowBars=1",
      "Child/RShowBars=0"};
  EXPECT_EQ(file.writes, expected);
  EXPECT_EQ(settings.GetChildSettings(), child);
}

// One command's keys reach the file as one group, so that a file is
// replaced once per command, not once per key.
TEST_F(IniSettingsTest, EachCommandWritesItsKeysAsOneGroup) {
  struct GroupingAccess : FakeAccess {
    GroupingAccess(FakeFile& file, std::vector<std::size_t>& groups) : FakeAccess(file), groups_(groups) {}
    bool WriteAll(const std::vector<Entry>& entries) override {
      groups_.push_back(entries.size());
      return ProfileAccess::WriteAll(entries);
    }
    std::vector<std::size_t>& groups_;
  };
  FakeFile file;
  std::vector<std::size_t> groups;
  TIniSettings settings("x.ini", kProgramFolder, [&](const fs::path&) -> std::unique_ptr<ProfileAccess> {
    return std::make_unique<GroupingAccess>(file, groups);
  });
  settings.SetChildSettings(ExpectedDefaults());
  settings.SetMainSettings(2, "/logs");
  EXPECT_EQ(groups, (std::vector<std::size_t>{37, 2}));
}

TEST_F(IniSettingsTest, LoadReadsThroughOneAccessAndFailsWhenItCannotBeOpened) {
  FakeFile file;
  file.keys["Main/Language"] = "2";
  const TIniSettings settings("x.ini", kProgramFolder, OpenerOf(file));
  EXPECT_EQ(file.opens, 1);
  EXPECT_EQ(settings.GetMainSettings().Language, 2);
  FakeFile failing;
  failing.failingOpen = 0;
  EXPECT_THROW(TIniSettings("x.ini", kProgramFolder, OpenerOf(failing)), Error);
}

TEST_F(IniSettingsTest, FailedWriteKeepsEarlierKeysWrittenAndNewValuesInMemory) {
  FakeFile file;
  file.failingWrite = 1;
  TIniSettings settings("x.ini", kProgramFolder, OpenerOf(file));
  try {
    settings.SetMainSettings(4, "/new");
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), kText95);
  }
  EXPECT_EQ(file.writes, (std::vector<std::string>{"Main/Language=4"}));
  EXPECT_EQ(settings.GetMainSettings(), (TMainSettings{4, "/new"}));
  EXPECT_TRUE(settings.IsWritable());
}

TEST_F(IniSettingsTest, FailedWriteStopsTheChildSection) {
  FakeFile file;
  file.failingWrite = 5;
  TIniSettings settings("x.ini", kProgramFolder, OpenerOf(file));
  TChildSettings child = ExpectedDefaults();
  child.LineWidth = 9;
  EXPECT_THROW(settings.SetChildSettings(child), Error);
  EXPECT_EQ(file.writes.size(), 5u);
  EXPECT_EQ(file.writes.back(), "Child/DynamicScaling=1");
  EXPECT_EQ(settings.GetChildSettings(), child);
  file.failingWrite = -1;
  settings.SetExcelPath("/later");
  EXPECT_EQ(file.writes.back(), "Main/ExcelPath=/later");
}

TEST_F(IniSettingsTest, AccessFailureMakesTheStoreUnwritableAndLaterWritesSilent) {
  FakeFile file;
  file.failingOpen = 1;
  TIniSettings settings("x.ini", kProgramFolder, OpenerOf(file));
  try {
    settings.SetExcelPath("/a");
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), kText95);
  }
  EXPECT_FALSE(settings.IsWritable());
  settings.SetMainSettings(2, "/b");
  settings.SetChildSettings(TChildSettings{});
  EXPECT_EQ(file.opens, 2);
  EXPECT_TRUE(file.writes.empty());
  EXPECT_EQ(settings.GetMainSettings(), (TMainSettings{2, "/b"}));
  EXPECT_EQ(settings.GetExcelPath(), "/a");
  EXPECT_EQ(settings.GetChildSettings(), TChildSettings{});
}

}  // namespace
}  // namespace calorix
