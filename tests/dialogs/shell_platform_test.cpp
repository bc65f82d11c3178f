#include "dialogs/shell_platform.h"

#include <gtest/gtest.h>

namespace calorix {
namespace {

struct AppPathCase {
  AppPathEntry entry;
  std::string program;
};

TEST(AppPathTest, ThePathValueNamesTheFolderElseTheDefaultValueTheProgram) {
  const AppPathCase cases[] = {
      {{"C:\\Office\\", "C:\\Other\\excel.exe", true}, "C:\\Office\\Excel.exe"},  // one backslash between
      {{"C:\\Office", "", true}, "C:\\Office\\Excel.exe"},
      {{"", "C:\\Office\\EXCEL.EXE", false}, "C:\\Office\\EXCEL.EXE"},
      {{"", "", false}, ""},
  };
  for (const AppPathCase& c : cases) {
    EXPECT_EQ(ProgramOfAppPath("Excel.exe", c.entry), c.program) << c.entry.pathValue << c.entry.defaultValue;
  }
}

struct CommandLineCase {
  std::vector<std::string> arguments;
  std::string line;
};

TEST(WindowsCommandLineTest, ArgumentsAreQuotedSoThatTheProgramReadsThemBack) {
  const CommandLineCase cases[] = {
      {{"C:\\Logs\\20240531.csv"}, "C:\\Logs\\20240531.csv"},
      {{"C:\\Users\\J\xC3\xB6rg\\My Logs\\20240531.csv"}, "\"C:\\Users\\J\xC3\xB6rg\\My Logs\\20240531.csv\""},
      {{"--calc", "a b"}, "--calc \"a b\""},
      {{""}, "\"\""},
      {{"say \"hi\""}, "\"say \\\"hi\\\"\""},
      {{"\\\\server\\share\\a b\\"}, "\"\\\\server\\share\\a b\\\\\""},  // a final backslash before the quote
      {{"a\\\\\"b"}, "\"a\\\\\\\\\\\"b\""},
  };
  for (const CommandLineCase& c : cases) EXPECT_EQ(WindowsCommandLine(c.arguments), c.line) << c.line;
}

}  // namespace
}  // namespace calorix
