// Runs in the Windows build only (under Wine here): day files and the
// folder layouts of a range written with backslashes and drive letters, also
// below folder names that are not ASCII ("C:\Users\Jörg\Solar").
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "chart/chart_panel.h"
#include "core/utf8_path.h"
#include "logdata/log_analysis.h"
#include "logdata/multi_day.h"
#include "support/temp_folder.h"

namespace calorix::logdata {
namespace {

namespace fs = std::filesystem;

std::string Utf8(fs::path path) { return Utf8Of(path.make_preferred()); }
fs::path FromUtf8(const std::string& text) { return PathFromUtf8(text); }

// A tree below a folder named "Jörg\Solar" in the temporary folder (a path
// with a drive letter, as Wine and Windows give it).
class SolarTree {
 public:
  SolarTree() : root_(Utf8(folder_.Path()) + "\\J\xC3\xB6rg\\Solar") {}

  // Writes <root>\<folder>\yyyymmdd.csv (folder with backslashes) with
  // records of that day; returns its path text.
  std::string WriteDay(const std::string& folder, const std::string& yyyymmdd) const {
    const std::string text = root_ + (folder.empty() ? "" : "\\" + folder) + "\\" + yyyymmdd + ".csv";
    const fs::path path = FromUtf8(text);
    fs::create_directories(path.parent_path());
    const std::string iso = yyyymmdd.substr(0, 4) + "-" + yyyymmdd.substr(4, 2) + "-" + yyyymmdd.substr(6, 2);
    std::ofstream(path, std::ios::binary) << "DATE & TIME;T1;T2;T3;T4;T5;T6;Tds;V';P;R1;R2;R3;R!\r\n"
                                          << iso << " 00:00;20;;;;;;;1,5;2;0;0;0;0\r\n"
                                          << iso << " 00:01;21;;;;;;;1,5;2;0;0;0;0\r\n";
    return text;
  }
  const std::string& Root() const { return root_; }

 private:
  calorix::testing::TempFolder folder_;
  std::string root_;
};

std::vector<std::string> Texts(const std::vector<fs::path>& paths) {
  std::vector<std::string> texts;
  for (fs::path path : paths) texts.push_back(Utf8(path));
  return texts;
}

TEST(WindowsPaths, TheTemporaryFolderHasADriveLetter) {
  const std::string temp = Utf8(fs::temp_directory_path());
  ASSERT_GE(temp.size(), 3u);
  EXPECT_EQ(temp.substr(1, 2), ":\\");
}

struct LayoutCase {
  const char* name;
  std::vector<std::string> folders;  // of 2024-05-31, 2024-06-01, 2024-06-02
};

TEST(WindowsPaths, ARangeIsFoundInEachLayoutBelowANonAsciiFolder) {
  const LayoutCase cases[] = {
      {"one folder", {"", "", ""}},
      {"month folders", {"05", "06", "06"}},
      {"year and month folders", {"2024\\05", "2024\\06", "2024\\06"}},
  };
  for (const LayoutCase& c : cases) {
    SolarTree tree;
    const std::vector<std::string> files = {tree.WriteDay(c.folders[0], "20240531"),
                                            tree.WriteDay(c.folders[1], "20240601"),
                                            tree.WriteDay(c.folders[2], "20240602")};
    const MultiDayRequest request = ResolveMultiDayRequest(files.front(), files.back());
    EXPECT_EQ(Texts(request.files), files) << c.name;
  }
}

TEST(WindowsPaths, ForwardSlashesAndAnUpperCaseExtensionWorkToo) {
  SolarTree tree;
  const std::string first = tree.WriteDay("2024\\05", "20240531");
  const std::string last = tree.WriteDay("2024\\06", "20240601");
  std::string typed = first;
  for (char& c : typed) c = c == '\\' ? '/' : c;
  typed.replace(typed.size() - 3, 3, "CSV");
  const MultiDayRequest request = ResolveMultiDayRequest(typed, last);
  ASSERT_EQ(request.files.size(), 2u);
  EXPECT_EQ(request.files.back(), FromUtf8(last));
}

TEST(WindowsPaths, TheFolderOfAUncPathIsEverythingBeforeTheName) {
  EXPECT_EQ(FolderPartOf("\\\\server\\share\\Logs\\2024\\05\\20240501.csv"), "\\\\server\\share\\Logs\\2024\\05\\");
  EXPECT_EQ(FolderPartOf("C:20240501.csv"), "C:");
}

TEST(WindowsPaths, ADayBelowANonAsciiFolderIsRead) {
  SolarTree tree;
  const std::string day = tree.WriteDay("", "20240531");
  chart::ChartPanel upper;
  chart::ChartPanel lower;
  const auto analysis = TLogAnalysis::CreateSingle(FromUtf8(day), &upper, &lower);
  ASSERT_NE(analysis, nullptr);
  EXPECT_EQ(analysis->GetFileName(0), FromUtf8(day));
}

TEST(WindowsPaths, AMissingFileIsNamedInTheMessageAsTyped) {
  SolarTree tree;
  const std::string missing = tree.Root() + "\\20240531.csv";
  try {
    ResolveMultiDayRequest(missing, tree.WriteDay("", "20240601"));
    FAIL() << "a missing start file is reported";
  } catch (const MultiDayPathError& error) {
    EXPECT_NE(std::string(error.what()).find(missing), std::string::npos);
  }
}

}  // namespace
}  // namespace calorix::logdata
