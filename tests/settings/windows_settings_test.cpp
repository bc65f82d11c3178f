// Runs in the Windows build only (under Wine here): the settings file in the
// user's application-data folder, also below a folder name that is not ASCII.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "core/error.h"
#include "core/utf8_path.h"
#include "i18n/text_table.h"
#include "settings/ini_settings.h"
#include "settings/profile_file.h"
#include "settings/recent_files.h"
#include "settings/settings_location.h"
#include "support/temp_folder.h"

namespace calorix {
namespace {

namespace fs = std::filesystem;
using calorix::testing::TempFolder;

std::string Utf8(const fs::path& path) { return Utf8Of(path); }
fs::path FromUtf8(const std::string& text) { return PathFromUtf8(text); }

EnvironmentLookup Environment(std::map<std::string, std::string> values) {
  return [values](const std::string& name) -> std::optional<std::string> {
    const auto found = values.find(name);
    if (found == values.end()) return std::nullopt;
    return found->second;
  };
}

const std::string kJoerg = "J\xC3\xB6rg";  // "Jörg" in UTF-8

TEST(WindowsSettingsLocation, LocalAppDataComesFirstAndTheFolderIsCreated) {
  TempFolder folder;
  const std::string local = Utf8(folder.Path() / "Local");
  const std::string roaming = Utf8(folder.Path() / "Roaming");
  const fs::path file = LocateSettingsFile(Environment({{"LocalAppData", local}, {"AppData", roaming}}));
  EXPECT_EQ(Utf8(file), local + "\\Helvo\\Calorix.ini");
  EXPECT_TRUE(fs::is_directory(folder.Path() / "Local" / "Helvo"));
  EXPECT_FALSE(fs::exists(folder.Path() / "Roaming" / "Helvo"));
}

TEST(WindowsSettingsLocation, AppDataWhenLocalAppDataIsNotSet) {
  TempFolder folder;
  const std::string roaming = Utf8(folder.Path() / "Roaming") + "\\";
  EXPECT_EQ(Utf8(LocateSettingsFile(Environment({{"AppData", roaming}}))), roaming + "Helvo\\Calorix.ini");
}

TEST(WindowsSettingsLocation, NeitherVariableGivesText95) {
  i18n::SetCurrentBlock(i18n::LanguageBlock::English);
  try {
    LocateSettingsFile(Environment({}));
    FAIL() << "no settings folder without LocalAppData and AppData";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "Access to INI file failed. Settings cannot be saved.");
  }
}

TEST(WindowsSettingsLocation, TheProcessEnvironmentHasTheVariables) {
  // Wine, as Windows, sets both for every user.
  EXPECT_TRUE(ProcessEnvironment("LocalAppData").has_value());
  EXPECT_TRUE(ProcessEnvironment("AppData").has_value());
  EXPECT_FALSE(ProgramFolder().empty());
  EXPECT_EQ(ProgramFolder().back(), '\\');
}

// A user whose name is not ASCII: the folder, the file and every path kept in
// it (LastUsedDir, the spreadsheet program, recent files and ranges, UNC
// paths) come back as written, in CR LF lines, Windows-1252 where it holds
// the text.
TEST(WindowsSettingsFile, PathsBelowANonAsciiFolderComeBackAsWritten) {
  TempFolder folder;
  const std::string local = Utf8(folder.Path() / FromUtf8(kJoerg) / "AppData" / "Local");
  fs::create_directories(FromUtf8(local));
  const fs::path ini = LocateSettingsFile(Environment({{"LocalAppData", local}}));
  const std::string lastUsed = "C:\\Users\\" + kJoerg + "\\Solar";
  const std::string excel =
      "D:\\Programme\\B\xC3\xBC"
      "ro\\Excel.exe";
  const std::vector<RecentEntry> recent = {
      {"\\\\server\\share\\Logs\\2024\\05\\20240501.csv", ""},
      {lastUsed + "\\2024\\05\\20240501.csv", lastUsed + "\\2024\\06\\20240602.csv"}};
  {
    TIniSettings store(ini, "C:\\Program Files\\Calorix\\");
    store.SetMainSettings(1, lastUsed);
    store.SetExcelPath(excel);
    const auto profile = OpenProfileFile(ini);
    ASSERT_TRUE(WriteRecentFiles(*profile, recent));
  }
  TIniSettings again(ini, "C:\\Program Files\\Calorix\\");
  EXPECT_EQ(again.GetMainSettings().LastUsedDir, lastUsed);
  EXPECT_EQ(again.GetExcelPath(), excel);
  const auto profile = OpenProfileFile(ini);
  EXPECT_EQ(ReadRecentFiles(*profile), recent);

  const std::string bytes = calorix::testing::ReadBytes(ini);
  EXPECT_NE(bytes.find("LastUsedDir=C:\\Users\\J\xF6rg\\Solar\r\n"), std::string::npos);  // Windows-1252
  EXPECT_EQ(bytes.find("\n\n"), std::string::npos);
}

}  // namespace
}  // namespace calorix
