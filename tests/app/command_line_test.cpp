#include "app/command_line.h"

#include <gtest/gtest.h>

namespace calorix::app {
namespace {

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
        ArgumentsCase{"Follow", {"--follow", "logs"}, CommandLine::Kind::Follow, {"logs"}},
        ArgumentsCase{"Help", {"--help"}, CommandLine::Kind::Help, {}},
        ArgumentsCase{"ShortHelpAmongFiles", {"a.csv", "-h"}, CommandLine::Kind::Help, {}},
        ArgumentsCase{"HelpWinsOverAWrongRange", {"--range", "a.csv", "--help"}, CommandLine::Kind::Help, {}},
        ArgumentsCase{"Findings", {"--findings", "a.csv"}, CommandLine::Kind::Findings, {"a.csv"}},
        ArgumentsCase{"FindingsOfARange",
                      {"--findings", "--range", "a.csv", "b.csv"},
                      CommandLine::Kind::Findings,
                      {"a.csv", "b.csv"}},
        ArgumentsCase{
            "FindingsAsCsv", {"--export", "f.csv", "--findings", "a.csv"}, CommandLine::Kind::Export, {"a.csv"}},
        ArgumentsCase{
            "FilesNamedLikeOptions", {"--", "--range", "--help"}, CommandLine::Kind::Files, {"--range", "--help"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParseCommandLine, RangeTakesExactlyTwoFilesAndUnknownOptionsAreRefused) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--range"},
                                             {"--range", "a.csv"},
                                             {"--range", "a.csv", "b.csv", "c.csv"},
                                             {"a.csv", "--range", "b", "c"},
                                             {"--export"}}) {
    EXPECT_THROW(ParseCommandLine(args), UsageError) << args.front();
  }
}

// Options and empty texts are no day files, however they are placed.
TEST(ParseCommandLine, OptionsAndEmptyTextsAreNoDayFiles) {
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"--range", "--", ""}, "--range takes the first and the last day file, not '--'"},
      {{"--range", "--bogus", "b.csv"}, "--range takes the first and the last day file, not '--bogus'"},
      {{"--range", "a.csv", ""}, "an empty text is no day file"},
      {{"a.csv", ""}, "an empty text is no day file"},
      {{"--export", "o.csv", "--range", "", "b.csv"}, "an empty text is no day file"},
      {{"--export", "o.csv", "--", ""}, "an empty text is no day file"},
      {{"--follow"}, "--follow takes one day file or folder, and nothing else"},
      {{"--follow", "a", "b"}, "--follow takes one day file or folder, and nothing else"},
      {{"a.csv", "--follow", "b"}, "--follow takes one day file or folder, and nothing else"},
      {{"--follow", "--range"}, "--follow takes one day file or folder, and nothing else"},
      {{"--follow", ""}, "an empty text is no day file"},
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
  line = ParseCommandLine({"--export", "Year.XLSX", "--totals", "day", "--range", "a.csv", "b.csv"});
  EXPECT_EQ(line.format, CommandLine::Format::Xlsx);
  EXPECT_EQ(line.totals, evaluation::TotalsPer::Day);
}

TEST(ParseCommandLine, BadExportArgumentsSayWhatIsWrong) {
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"--export", "out.txt", "a.csv"}, "--export writes .png, .pdf, .svg, .csv or .xlsx files, not 'out.txt'"},
      {{"--export", "out", "a.csv"}, "--export writes .png, .pdf, .svg, .csv or .xlsx files, not 'out'"},
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
      {{"--export", "o.png", "--totals", "day", "a.csv"}, "--totals writes a .csv or .xlsx file"},
      {{"--export", "o.xlsx", "--span", "month", "--range", "a.csv", "b.csv"},
       "--span does not apply to .xlsx: a workbook holds every day"},
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

TEST(ParseCommandLine, ExportOptionsWithoutExportSayTheyBelongToIt) {
  for (const std::string option : {"--channels", "--span", "--totals"}) {
    try {
      ParseCommandLine({option, "T1", "day.csv"});
      ADD_FAILURE() << option;
    } catch (const UsageError& e) {
      EXPECT_EQ(e.what(), option + " belongs to --export: calorix --export OUT " + option + " ... FILE");
    }
  }
}

TEST(UsageText, ListsBothForms) {
  const std::string usage(UsageText());
  EXPECT_NE(usage.find("calorix [FILE...]"), std::string::npos);
  EXPECT_NE(usage.find("calorix --range FIRST LAST"), std::string::npos);
  EXPECT_NE(usage.find("calorix --follow FILE|FOLDER"), std::string::npos);
  EXPECT_NE(usage.find("calorix --export OUT"), std::string::npos);
  EXPECT_NE(usage.find("--findings FILE | --range FIRST LAST"), std::string::npos);
}

}  // namespace
}  // namespace calorix::app
