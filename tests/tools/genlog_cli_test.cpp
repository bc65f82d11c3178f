#include "tools/genlog_cli.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace calorix::loggen {
namespace {

CommandLine Parse(std::vector<std::string_view> args) { return ParseCommandLine(args); }

TEST(GenlogCommandLine, ReadsEveryOption) {
  const CommandLine line = Parse({"--from", "2024-05-30", "--to", "2024-06-02", "--out", "logs", "--layout", "year",
                                  "--seed", "77", "--interval", "5", "--header", "german", "--watts"});
  EXPECT_FALSE(line.help);
  EXPECT_EQ(line.from, (CivilDate{2024, 5, 30}));
  EXPECT_EQ(line.to, (CivilDate{2024, 6, 2}));
  EXPECT_EQ(line.out, std::filesystem::path("logs"));
  EXPECT_EQ(line.layout, FolderLayout::Year);
  EXPECT_EQ(line.options.seed, 77u);
  EXPECT_EQ(line.options.intervalMinutes, 5);
  EXPECT_EQ(line.options.header, HeaderStyle::German);
  EXPECT_EQ(line.options.power, PowerUnit::Watt);
}

TEST(GenlogCommandLine, DefaultsToOneIsoKilowattDayPerMinuteInFlatLayout) {
  const CommandLine line = Parse({"--from", "2024-05-30", "--out", "logs"});
  EXPECT_EQ(line.to, line.from);
  EXPECT_EQ(line.layout, FolderLayout::Flat);
  EXPECT_EQ(line.options.seed, 1u);
  EXPECT_EQ(line.options.intervalMinutes, 1);
  EXPECT_EQ(line.options.header, HeaderStyle::Iso);
  EXPECT_EQ(line.options.power, PowerUnit::Kilowatt);
}

TEST(GenlogCommandLine, AcceptsValueAfterEqualsSign) {
  const CommandLine line = Parse({"--from=2024-05-30", "--out=logs", "--layout=month", "--mbtu"});
  EXPECT_EQ(line.layout, FolderLayout::Month);
  EXPECT_EQ(line.options.power, PowerUnit::MBtuPerHour);
}

TEST(GenlogCommandLine, InjectionsTakeKindDateAndChannel) {
  const CommandLine line = Parse({"--from", "2024-07-14", "--to", "2024-07-16", "--out", "logs", "--inject",
                                  "overheat:2024-07-14,cycling:2024-07-15:R3", "--inject=err:2024-07-16:tds"});
  using findings::FindingKind;
  EXPECT_EQ(line.options.injections, (std::vector<Injection>{{FindingKind::Overheat, {2024, 7, 14}, kT1},
                                                             {FindingKind::Cycling, {2024, 7, 15}, kR3},
                                                             {FindingKind::Err, {2024, 7, 16}, kTds}}));
}

TEST(GenlogCommandLine, HelpNeedsNothingElse) { EXPECT_TRUE(Parse({"--help"}).help); }

TEST(GenlogCommandLine, RejectsUnusableArguments) {
  const std::vector<std::vector<std::string_view>> bad = {
      {"--out", "logs"},
      {"--from", "2024-05-30"},
      {"--from", "2024-5-30", "--out", "logs"},
      {"--from", "2023-02-29", "--out", "logs"},
      {"--from", "2024-06-02", "--to", "2024-06-01", "--out", "logs"},
      {"--from", "2024-05-30", "--out", "logs", "--layout", "yearly"},
      {"--from", "2024-05-30", "--out", "logs", "--header", "us"},
      {"--from", "2024-05-30", "--out", "logs", "--interval", "0"},
      {"--from", "2024-05-30", "--out", "logs", "--interval", "1441"},
      {"--from", "2024-05-30", "--out", "logs", "--seed", "-1"},
      {"--from", "2024-05-30", "--out", "logs", "--seed", "12x"},
      {"--from", "2024-05-30", "--out", "logs", "--watts", "--mbtu"},
      {"--from", "2024-05-30", "--out", "logs", "--watts=yes"},
      {"--from", "2024-05-30", "--out"},
      {"--from", "2024-05-30", "--out", "logs", "extra"},
      {"--from", "2024-05-30", "--out", "logs", "--inject", "overheat:2024-05-31"},
      {"--from", "2024-05-30", "--out", "logs", "--inject", "overheating:2024-05-30"},
      {"--from", "2024-05-30", "--out", "logs", "--inject", "overheat:2024-05-30:T2"},
      {"--from", "2024-05-30", "--out", "logs", "--inject", "cycling:2024-05-30:T1"},
      {"--from", "2024-05-30", "--out", "logs", "--inject", "gap:2024-05-30:T1"},
      {"--from", "2024-05-30", "--out", "logs", "--inject", "err:2024-05-30:Energy"},
      {"--from", "2024-05-30", "--out", "logs", "--inject", "err:30.05.2024"},
      {"--from", "2024-05-30", "--out", "logs", "--inject", "err:2024-05-30,"},
  };
  for (const auto& args : bad) EXPECT_THROW(Parse(args), UsageError) << args.back();
}

TEST(GenlogCommandLine, IsoDateMustBeExact) {
  EXPECT_EQ(ParseIsoDate("2024-02-29"), (CivilDate{2024, 2, 29}));
  EXPECT_FALSE(ParseIsoDate("2024-02-30"));
  EXPECT_FALSE(ParseIsoDate("24-02-29"));
  EXPECT_FALSE(ParseIsoDate("2024-+2-09"));
  EXPECT_FALSE(ParseIsoDate("2024/02/29"));
}

}  // namespace
}  // namespace calorix::loggen
