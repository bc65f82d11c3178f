#include "app/main_rules.h"

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

TEST(ChooseTargetWindow, NoWindowGivesANewOne) {
  EXPECT_EQ(ChooseTargetWindow(0, false), TargetChoice::NewWindow);
}

TEST(ChooseTargetWindow, FullActiveWindowGivesANewOneWhileFewerThanThree) {
  EXPECT_EQ(ChooseTargetWindow(1, true), TargetChoice::NewWindow);
  EXPECT_EQ(ChooseTargetWindow(2, true), TargetChoice::NewWindow);
}

TEST(ChooseTargetWindow, ThreeWindowsWithAFullActiveOneAsk) {
  EXPECT_EQ(ChooseTargetWindow(3, true), TargetChoice::ActiveIfConfirmed);
}

TEST(ActionStatesFor, NoWindowLeavesOnlyTheAlwaysCommands) {
  const ActionStates states = ActionStatesFor(false, false, 0, false);
  EXPECT_TRUE(states.open);
  EXPECT_TRUE(states.multiDayAnalysis);
  EXPECT_TRUE(states.exit);
  EXPECT_TRUE(states.defaultSettings);
  EXPECT_TRUE(states.about);
  EXPECT_FALSE(states.close);
  EXPECT_FALSE(states.windowSettings);
  EXPECT_FALSE(states.save);
  EXPECT_FALSE(states.print);
  EXPECT_FALSE(states.cascade);
  EXPECT_FALSE(states.tileHorizontal);
  EXPECT_FALSE(states.minimizeAll);
}

TEST(ActionStatesFor, ActiveWindowWithoutSeriesCanBeClosedButNotSaved) {
  const ActionStates states = ActionStatesFor(true, false, 1, false);
  EXPECT_TRUE(states.close);
  EXPECT_TRUE(states.windowSettings);
  EXPECT_FALSE(states.save);
  EXPECT_FALSE(states.print);
  EXPECT_FALSE(states.exportTotals);
  EXPECT_TRUE(states.cascade);
  EXPECT_TRUE(states.tileHorizontal);
  EXPECT_TRUE(states.minimizeAll);
}

TEST(ActionStatesFor, SeriesOnTheActiveWindowEnableSaveAndPrint) {
  const ActionStates states = ActionStatesFor(true, true, 2, true);
  EXPECT_TRUE(states.save);
  EXPECT_TRUE(states.print);
  EXPECT_TRUE(states.exportTotals);
  EXPECT_TRUE(ActionStatesFor(true, false, 1, true).exportTotals) << "totals need no series shown";
}

TEST(ActionStatesFor, WindowsWithoutAnActiveOneCanStillBeArranged) {
  const ActionStates states = ActionStatesFor(false, false, 2, false);
  EXPECT_FALSE(states.close);
  EXPECT_FALSE(states.windowSettings);
  EXPECT_TRUE(states.cascade);
  EXPECT_TRUE(states.tileHorizontal);
  EXPECT_TRUE(states.minimizeAll);
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

TEST(LanguageChoiceOfCode, StoredCodesTwoToSevenElseGerman) {
  EXPECT_EQ(LanguageChoiceOfCode(2), 1);
  EXPECT_EQ(LanguageChoiceOfCode(7), 6);
  EXPECT_EQ(LanguageChoiceOfCode(3), 2);
  for (const int code : {0, 1, 8, -1}) EXPECT_EQ(LanguageChoiceOfCode(code), 0) << code;
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
        AccessKeyCase{{"a", "A", "&1 Day", "1"}, {"&a", "A", "&1 Day", "1"}},
        AccessKeyCase{{"R&D"}, {"R&D"}},
        AccessKeyCase{{"R&&D"}, {"&R&&D"}}));

struct ArgumentsCase {
  const char* name;
  std::vector<std::string> args;
  CommandLine::Kind kind;
  std::vector<std::string> files;
};

class CommandLineArguments : public ::testing::TestWithParam<ArgumentsCase> {};

TEST_P(CommandLineArguments, AreRead) {
  const ArgumentsCase& c = GetParam();
  const CommandLine line = ParseCommandLine(c.args);
  EXPECT_EQ(line.kind, c.kind);
  EXPECT_EQ(line.files, c.files);
}

INSTANTIATE_TEST_SUITE_P(
    ParseCommandLine, CommandLineArguments,
    ::testing::Values(
        ArgumentsCase{"Nothing", {}, CommandLine::Kind::Files, {}},
        ArgumentsCase{"Files", {"a.csv", "b.csv"}, CommandLine::Kind::Files, {"a.csv", "b.csv"}},
        ArgumentsCase{"Range", {"--range", "a.csv", "b.csv"}, CommandLine::Kind::Range, {"a.csv", "b.csv"}},
        ArgumentsCase{"Help", {"--help"}, CommandLine::Kind::Help, {}},
        ArgumentsCase{"ShortHelpAmongFiles", {"a.csv", "-h"}, CommandLine::Kind::Help, {}},
        ArgumentsCase{"HelpWinsOverAWrongRange", {"--range", "a.csv", "--help"}, CommandLine::Kind::Help, {}},
        ArgumentsCase{"Findings", {"--findings", "a.csv"}, CommandLine::Kind::Findings, {"a.csv"}},
        ArgumentsCase{"FindingsOfARange", {"--findings", "--range", "a.csv", "b.csv"}, CommandLine::Kind::Findings,
                      {"a.csv", "b.csv"}},
        ArgumentsCase{"FindingsAsCsv", {"--export", "f.csv", "--findings", "a.csv"}, CommandLine::Kind::Export,
                      {"a.csv"}},
        ArgumentsCase{"FilesNamedLikeOptions", {"--", "--range", "--help"}, CommandLine::Kind::Files,
                      {"--range", "--help"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParseCommandLine, RangeTakesExactlyTwoFilesAndUnknownOptionsAreRefused) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--range"}, {"--range", "a.csv"}, {"--range", "a.csv", "b.csv", "c.csv"}, {"a.csv", "--range", "b", "c"},
           {"--export"}}) {
    EXPECT_THROW(ParseCommandLine(args), UsageError) << args.front();
  }
}

TEST(ParseCommandLine, ExportTakesItsOptionsAndOneFileOrARange) {
  using logdata::Channel;
  CommandLine line = ParseCommandLine({"--export", "out.PNG", "--channels", "t1,R!,Power,p", "day.csv"});
  EXPECT_EQ(line.kind, CommandLine::Kind::Export);
  EXPECT_EQ(line.output, "out.PNG");
  EXPECT_EQ(line.format, CommandLine::Format::Png);
  EXPECT_EQ(line.files, std::vector<std::string>{"day.csv"});
  EXPECT_FALSE(line.range);
  EXPECT_EQ(line.channels, (std::vector<Channel>{Channel::T1, Channel::RError, Channel::Power}));
  EXPECT_EQ(line.span, evaluation::Span::Day);

  line = ParseCommandLine({"--range", "a.csv", "b.csv", "--export", "m.csv"});
  EXPECT_TRUE(line.range);
  EXPECT_EQ(line.files, (std::vector<std::string>{"a.csv", "b.csv"}));
  EXPECT_EQ(line.format, CommandLine::Format::Csv);
  EXPECT_EQ(line.span, evaluation::Span::Month);
  EXPECT_TRUE(line.channels.empty());
  EXPECT_EQ(ParseCommandLine({"--export", "a.svg", "--span", "day", "--range", "a.csv", "b.csv"}).span,
            evaluation::Span::Day);
  EXPECT_EQ(ParseCommandLine({"--export", "a.png", "--span", "year", "--range", "a.csv", "b.csv"}).span,
            evaluation::Span::Year);
  EXPECT_EQ(ParseCommandLine({"--export", "a.pdf", "--", "--odd.csv"}).files, std::vector<std::string>{"--odd.csv"});
  EXPECT_FALSE(line.totals);
  EXPECT_EQ(ParseCommandLine({"--export", "t.csv", "--totals", "month", "--range", "a.csv", "b.csv"}).totals,
            evaluation::TotalsPer::Month);
}

TEST(ParseCommandLine, BadExportArgumentsSayWhatIsWrong) {
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"--export", "out.txt", "a.csv"}, "--export writes .png, .pdf, .svg or .csv files, not 'out.txt'"},
      {{"--export", "out", "a.csv"}, "--export writes .png, .pdf, .svg or .csv files, not 'out'"},
      {{"a.csv", "--export"}, "--export needs a value"},
      {{"--export", "o.png"}, "--export takes one day file or --range FIRST LAST"},
      {{"--export", "o.png", "a.csv", "b.csv"}, "--export takes one day file or --range FIRST LAST"},
      {{"--export", "o.png", "--range", "a.csv"}, "--range takes the first and the last day file"},
      {{"--export", "o.png", "--channels", "T1,T9", "a.csv"},
       "unknown channel 'T9' (T1..T6, TD, Flow, Power, R1, R2, R3, RError, Volume, Energy)"},
      {{"--export", "o.png", "--channels", "", "a.csv"},
       "unknown channel '' (T1..T6, TD, Flow, Power, R1, R2, R3, RError, Volume, Energy)"},
      {{"--export", "o.png", "--span", "week", "a.csv"}, "--span is day, month or year, not 'week'"},
      {{"--export", "o.png", "--span", "month", "a.csv"}, "--span month needs --range FIRST LAST"},
      {{"--export", "o.png", "--span", "year", "a.csv"}, "--span year needs --range FIRST LAST"},
      {{"--export", "o.png", "--colour", "a.csv"}, "unknown option '--colour'"},
      {{"--export", "o.csv", "--totals", "year", "a.csv"}, "--totals is day or month, not 'year'"},
      {{"--export", "o.png", "--totals", "day", "a.csv"}, "--totals writes a .csv file"},
      {{"--export", "o.csv", "--totals", "day", "--span", "day", "a.csv"}, "--totals takes no --channels or --span"},
      {{"--findings"}, "--findings takes one day file or --range FIRST LAST"},
      {{"--findings", "a.csv", "b.csv"}, "--findings takes one day file or --range FIRST LAST"},
      {{"--export", "o.png", "--findings", "a.csv"}, "--findings writes a .csv file"},
      {{"--findings", "--span", "day", "a.csv"}, "--findings takes no --channels, --span or --totals"},
      {{"--export", "o.csv", "--findings", "--totals", "day", "a.csv"},
       "--findings takes no --channels, --span or --totals"},
  };
  for (const auto& c : cases) {
    try {
      ParseCommandLine(c.args);
      ADD_FAILURE() << c.message;
    } catch (const UsageError& e) {
      EXPECT_EQ(e.what(), c.message);
    }
  }
}

TEST(UsageText, ListsBothForms) {
  const std::string usage(UsageText());
  EXPECT_NE(usage.find("calorix [FILE...]"), std::string::npos);
  EXPECT_NE(usage.find("calorix --range FIRST LAST"), std::string::npos);
  EXPECT_NE(usage.find("calorix --export OUT"), std::string::npos);
  EXPECT_NE(usage.find("--findings FILE | --range FIRST LAST"), std::string::npos);
}

}  // namespace
}  // namespace calorix::app
