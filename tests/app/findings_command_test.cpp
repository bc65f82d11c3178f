#include "app/findings_command.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/error.h"
#include "support/temp_folder.h"
#include "support/test_platform.h"
#include "tools/log_generator.h"

namespace calorix::app {
namespace {

using calorix::testing::TempFolder;

// Three days of July with a pattern on each and the settings file the
// test writes: the findings as the command line prints them.
class FindingsCommandTest : public ::testing::Test {
 protected:
  FindingsCommandTest() {
    loggen::Options options;
    options.injections = loggen::ParseInjections("overheat:2024-07-14,err:2024-07-15:T3,gap:2024-07-16");
    loggen::WriteDays({2024, 7, 14}, {2024, 7, 16}, logs.Path(), loggen::FolderLayout::Flat, options);
  }

  std::string Run(std::vector<std::string> args) {
    std::string written;
    RunFindings(
        ParseCommandLine(args), [&](const std::string& text) { written += text; },
        [&](const std::string& warning) { warnings.push_back(warning); });
    return written;
  }
  std::string Day(const char* name) const { return (logs / name).string(); }

  TempFolder settings;
  calorix::testing::ScopedEnvironment settingsBase{calorix::testing::kSettingsBaseVariable, settings.Path().string()};
  TempFolder logs;
  std::vector<std::string> warnings;
};

TEST_F(FindingsCommandTest, PrintsOneTabSeparatedLinePerFinding) {
  EXPECT_EQ(Run({"--findings", "--range", Day("20240714.csv"), Day("20240716.csv")}),
            "kind\tchannel\tstart\tend\tfigure\n"
            "overheat\tT1\t2024-07-14 13:00\t2024-07-14 13:20\t134.5 \xC2\xB0"
            "C at 13:19\n"
            "err\tT3\t2024-07-15 09:00\t2024-07-15 09:14\t15 readings\n"
            "gap\t\t2024-07-16 13:59\t2024-07-16 14:30\t31 min\n");
  EXPECT_TRUE(warnings.empty());
}

TEST_F(FindingsCommandTest, ThresholdsComeFromTheSettingsFile) {
  settings.Write("Helvo/Calorix.ini", "[Findings]\nOverheatMinutes=30\nGapMinutes=abc\n");
  const std::string table = Run({"--findings", "--range", Day("20240714.csv"), Day("20240716.csv")});
  EXPECT_EQ(table.find("overheat"), std::string::npos) << "20 minutes are not 30";
  EXPECT_NE(table.find("gap"), std::string::npos);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find("GapMinutes"), std::string::npos);
}

TEST_F(FindingsCommandTest, ExportWritesCsvWithTheSameRows) {
  const std::string csv = Run({"--export", "f.csv", "--findings", Day("20240715.csv")});
  EXPECT_EQ(csv, "kind,channel,start,end,figure\nerr,T3,2024-07-15 09:00,2024-07-15 09:14,15 readings\n");
}

TEST_F(FindingsCommandTest, NothingLoadedIsAnError) { EXPECT_THROW(Run({"--findings", Day("20240801.csv")}), Error); }

TEST(FindingsCsv, QuotesCellsWithCommasOrQuotes) {
  EXPECT_EQ(FindingsCsv({{"a,b", "say \"hi\"", "plain"}}), "\"a,b\",\"say \"\"hi\"\"\",plain\n");
}

}  // namespace
}  // namespace calorix::app
