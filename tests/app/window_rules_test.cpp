#include "app/window_rules.h"

#include "app/builtin_settings.h"
#include "i18n/text_table.h"
#include "settings/ini_settings.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace calorix::app {
namespace {

TEST(ChooseTargetWindow, EmptyActiveWindowTakesTheFile) {
  EXPECT_EQ(ChooseTargetWindow(1, false), TargetChoice::ActiveWindow);
  EXPECT_EQ(ChooseTargetWindow(3, false), TargetChoice::ActiveWindow);
}

TEST(ChooseTargetWindow, NoWindowGivesANewOne) { EXPECT_EQ(ChooseTargetWindow(0, false), TargetChoice::NewWindow); }

TEST(ChooseTargetWindow, FullActiveWindowGivesANewOneWhileFewerThanThree) {
  EXPECT_EQ(ChooseTargetWindow(1, true), TargetChoice::NewWindow);
  EXPECT_EQ(ChooseTargetWindow(2, true), TargetChoice::NewWindow);
}

TEST(ChooseTargetWindow, ThreeWindowsWithAFullActiveOneAsk) {
  EXPECT_EQ(ChooseTargetWindow(3, true), TargetChoice::ActiveIfConfirmed);
}

TEST(FolderOfChosenFile, DropsTheNameAndTheSeparator) {
  EXPECT_EQ(FolderOfChosenFile("/home/anna/logs/20240531.csv", PathStyle::Posix), "/home/anna/logs");
}

TEST(FolderOfChosenFile, RootKeepsItsSeparator) {
  EXPECT_EQ(FolderOfChosenFile("/20240531.csv", PathStyle::Posix), "/");
  EXPECT_EQ(FolderOfChosenFile("C:\\20240531.csv", PathStyle::Windows), "C:\\");
  EXPECT_EQ(FolderOfChosenFile("C:/20240531.csv", PathStyle::Windows), "C:/");
}

TEST(FolderOfChosenFile, WindowsFolderDropsTheBackslash) {
  EXPECT_EQ(FolderOfChosenFile("D:\\Solar\\2024\\20240531.csv", PathStyle::Windows), "D:\\Solar\\2024");
  EXPECT_EQ(FolderOfChosenFile("\\\\server\\share\\a.csv", PathStyle::Windows), "\\\\server\\share");
}

TEST(FolderOfChosenFile, DriveWithoutFolderKeepsItsColon) {
  EXPECT_EQ(FolderOfChosenFile("C:a.csv", PathStyle::Windows), "C:");
}

TEST(FolderOfChosenFile, ColonAndBackslashAreOrdinaryOnPosix) {
  EXPECT_EQ(FolderOfChosenFile("/logs/C:\\a.csv", PathStyle::Posix), "/logs");
}

TEST(FolderOfChosenFile, NameWithoutFolderGivesNothing) {
  EXPECT_EQ(FolderOfChosenFile("a.csv", PathStyle::Posix), "");
  EXPECT_EQ(FolderOfChosenFile("", PathStyle::Posix), "");
}

TEST(FolderOfChosenFile, SeparatorAfterAnotherOneStays) {
  EXPECT_EQ(FolderOfChosenFile("//a.csv", PathStyle::Posix), "//");
}

TEST(LogFileFilter, NamesLogFilesThenAllFilesInTheCurrentLanguage) {
  const i18n::LanguageBlock before = i18n::CurrentBlock();
  i18n::SetCurrentBlock(i18n::LanguageBlock::English);
  EXPECT_EQ(LogFileFilter(), "Log files (*.csv)|*.csv|All files (*.*)|*");
  i18n::SetCurrentBlock(i18n::LanguageBlock::German);
  EXPECT_EQ(LogFileFilter(), "Log-Dateien (*.csv)|*.csv|Alle Dateien (*.*)|*");
  i18n::SetCurrentBlock(before);
}

TEST(StackedBands, SplitsTheHeightTopToBottom) {
  EXPECT_EQ(StackedBands(300, 3), (std::vector<Band>{{0, 100}, {100, 100}, {200, 100}}));
}

TEST(StackedBands, FirstBandsTakeTheRemainder) {
  EXPECT_EQ(StackedBands(301, 3), (std::vector<Band>{{0, 101}, {101, 100}, {201, 100}}));
  EXPECT_EQ(StackedBands(302, 3), (std::vector<Band>{{0, 101}, {101, 101}, {202, 100}}));
}

TEST(StackedBands, NoWindowsNoBands) { EXPECT_TRUE(StackedBands(300, 0).empty()); }

TEST(BuiltInChildSettings, EqualTheStoreDefaultsOfAnEmptySettingsFile) {
  testing::TempFolder folder;
  const TIniSettings store(folder / "Calorix.ini", "/opt/calorix/");
  EXPECT_EQ(BuiltInChildSettings(), store.GetChildSettings());
  EXPECT_EQ(BuiltInChildSettings().LineWidth, 2);
  EXPECT_EQ(BuiltInChildSettings().Labels[0], kDefaultLabel);
}

// The upper chart takes what the window gains or loses: a window of 300
// pixels with an upper chart of 30 needs 120 more for a usable one, one
// whose chart is usable already needs no more than its minimum.
TEST(UsableWindowHeight, WhatTheUpperChartLacksIsAdded) {
  EXPECT_EQ(UsableWindowHeight(300, 30, 250), 300 - 30 + kUsableUpperChartHeight);
  EXPECT_EQ(UsableWindowHeight(900, 600, 250), 900 - 600 + kUsableUpperChartHeight);
  EXPECT_EQ(UsableWindowHeight(400, 390, 350), 350);
}

TEST(TileWindows, BandsAcrossTheFullWidthWhileTheyAreHighEnough) {
  EXPECT_EQ(TileWindows(900, 700, 3, 700, 200),
            (std::vector<Tile>{{0, 0, 900, 234}, {0, 234, 900, 233}, {0, 467, 900, 233}}));
}

TEST(TileWindows, SideBySideOrAGridWhenBandsWouldBeTooLow) {
  EXPECT_EQ(TileWindows(1500, 400, 2, 700, 300), (std::vector<Tile>{{0, 0, 750, 400}, {750, 0, 750, 400}}));
  EXPECT_EQ(TileWindows(1500, 700, 3, 700, 300),
            (std::vector<Tile>{{0, 0, 750, 350}, {750, 0, 750, 350}, {0, 350, 1500, 350}}));
}

TEST(TileWindows, OverlappingBandsOfTheMinimumHeightWhenNothingElseFits) {
  EXPECT_EQ(TileWindows(900, 500, 3, 700, 300),
            (std::vector<Tile>{{0, 0, 900, 300}, {0, 100, 900, 300}, {0, 200, 900, 300}}));
  EXPECT_EQ(TileWindows(900, 200, 1, 700, 300), (std::vector<Tile>{{0, 0, 900, 200}}));
  EXPECT_TRUE(TileWindows(900, 500, 0, 700, 300).empty());
}

struct AccessKeyCase {
  std::vector<std::string> texts;
  std::vector<std::string> marked;
};

class WithAccessKeysTest : public ::testing::TestWithParam<AccessKeyCase> {};

TEST_P(WithAccessKeysTest, MarksOneFreeCharacterPerText) {
  EXPECT_EQ(WithAccessKeys(GetParam().texts), GetParam().marked);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WithAccessKeysTest,
    ::testing::Values(
        // First letters while free, then the start of another word, then any letter.
        AccessKeyCase{{"File", "Settings", "Language selection", "Window", "&?"},
                      {"&File", "&Settings", "&Language selection", "&Window", "&?"}},
        AccessKeyCase{{"Open", "Close", "Overlapping", "Current window"},
                      {"&Open", "&Close", "O&verlapping", "Current &window"}},
        // Case does not matter; umlauts count as letters in either case.
        AccessKeyCase{{"Überlappend", "Übereinander", "über"}, {"&Überlappend", "Ü&bereinander", "üb&er"}},
        AccessKeyCase{{"English (GB)", "Español", "English (US)"}, {"&English (GB)", "E&spañol", "English (&US)"}},
        // A text that has its own key keeps it; one with nothing free gets none.
        AccessKeyCase{{"a", "A", "&1 Day", "1"}, {"&a", "A", "&1 Day", "1"}}, AccessKeyCase{{"R&D"}, {"R&D"}},
        AccessKeyCase{{"R&&D"}, {"&R&&D"}}));

}  // namespace
}  // namespace calorix::app
