#include "settings/settings_location.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "core/error.h"
#include "i18n/text_table.h"
#include "support/temp_folder.h"

namespace calorix {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using testing::WriteBytes;

EnvironmentLookup EnvironmentOf(std::map<std::string, std::string> variables) {
  return [variables = std::move(variables)](const std::string& name) -> std::optional<std::string> {
    const auto found = variables.find(name);
    if (found == variables.end()) return std::nullopt;
    return found->second;
  };
}

const EnvironmentLookup kWindowsEnvironment =
    EnvironmentOf({{"WinDir", "C:\\WINDOWS"}, {"AppData", "C:\\Roaming"}, {"LocalAppData", "C:\\Local\\"}});

std::string ErrorText(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& error) {
    return error.what();
  }
  return "(no error)";
}

class SettingsLocationTest : public ::testing::Test {
 protected:
  void SetUp() override { i18n::SetCurrentBlock(i18n::LanguageBlock::English); }
};

constexpr const char* kText95 = "Access to INI file failed. Settings cannot be saved.";

TEST_F(SettingsLocationTest, Win32sIsRefused) {
  EXPECT_EQ(ErrorText([] { WindowsSettingsFolder(PlatformFamily::Win32s, 3, kWindowsEnvironment); }),
            "Not compatible to Windows 3.11");
}

TEST_F(SettingsLocationTest, Windows9xUsesWinDir) {
  EXPECT_EQ(WindowsSettingsFolder(PlatformFamily::Windows9x, 4, kWindowsEnvironment), "C:\\WINDOWS\\Helvo");
}

TEST_F(SettingsLocationTest, WindowsNtUpToVersion4UsesWinDir) {
  EXPECT_EQ(WindowsSettingsFolder(PlatformFamily::WindowsNT, 3, kWindowsEnvironment), "C:\\WINDOWS\\Helvo");
  EXPECT_EQ(WindowsSettingsFolder(PlatformFamily::WindowsNT, 4, kWindowsEnvironment), "C:\\WINDOWS\\Helvo");
}

TEST_F(SettingsLocationTest, WindowsNt5UsesAppData) {
  EXPECT_EQ(WindowsSettingsFolder(PlatformFamily::WindowsNT, 5, kWindowsEnvironment), "C:\\Roaming\\Helvo");
}

TEST_F(SettingsLocationTest, WindowsNt6AndLaterUseLocalAppDataWithoutDoublingTheBackslash) {
  EXPECT_EQ(WindowsSettingsFolder(PlatformFamily::WindowsNT, 6, kWindowsEnvironment), "C:\\Local\\Helvo");
  EXPECT_EQ(WindowsSettingsFolder(PlatformFamily::WindowsNT, 10, kWindowsEnvironment), "C:\\Local\\Helvo");
}

TEST_F(SettingsLocationTest, WindowsNt6FallsBackToAppData) {
  EXPECT_EQ(WindowsSettingsFolder(PlatformFamily::WindowsNT, 6, EnvironmentOf({{"AppData", "D:"}})), "D:\\Helvo");
  EXPECT_EQ(
      WindowsSettingsFolder(PlatformFamily::WindowsNT, 6, EnvironmentOf({{"LocalAppData", ""}, {"AppData", "D:"}})),
      "D:\\Helvo");
}

TEST_F(SettingsLocationTest, WindowsWithoutItsVariableFailsWithText95) {
  const EnvironmentLookup none = EnvironmentOf({});
  EXPECT_EQ(ErrorText([&] { WindowsSettingsFolder(PlatformFamily::Windows9x, 4, none); }), kText95);
  EXPECT_EQ(ErrorText([&] { WindowsSettingsFolder(PlatformFamily::WindowsNT, 4, none); }), kText95);
  EXPECT_EQ(ErrorText([&] { WindowsSettingsFolder(PlatformFamily::WindowsNT, 5, none); }), kText95);
  EXPECT_EQ(ErrorText([&] { WindowsSettingsFolder(PlatformFamily::WindowsNT, 6, none); }), kText95);
  const EnvironmentLookup empty = EnvironmentOf({{"WinDir", ""}});
  EXPECT_EQ(ErrorText([&] { WindowsSettingsFolder(PlatformFamily::WindowsNT, 4, empty); }), kText95);
  // NT 5 looks at AppData only.
  EXPECT_EQ(
      ErrorText([] {
        WindowsSettingsFolder(PlatformFamily::WindowsNT, 5, EnvironmentOf({{"WinDir", "C:"}, {"LocalAppData", "C:"}}));
      }),
      kText95);
}

TEST_F(SettingsLocationTest, OtherPlatformFamilyHasNoVariable) {
  EXPECT_EQ(WindowsBaseFolder(PlatformFamily::Other, 10, kWindowsEnvironment), "");
  EXPECT_EQ(ErrorText([] { WindowsSettingsFolder(PlatformFamily::Other, 10, kWindowsEnvironment); }), kText95);
}

TEST_F(SettingsLocationTest, LinuxUsesXdgConfigHome) {
  EXPECT_EQ(LinuxSettingsFolder(EnvironmentOf({{"XDG_CONFIG_HOME", "/cfg"}, {"HOME", "/home/u"}})),
            fs::path("/cfg/Helvo"));
}

TEST_F(SettingsLocationTest, LinuxFallsBackToDotConfigInHome) {
  EXPECT_EQ(LinuxSettingsFolder(EnvironmentOf({{"HOME", "/home/u"}})), fs::path("/home/u/.config/Helvo"));
  EXPECT_EQ(LinuxSettingsFolder(EnvironmentOf({{"XDG_CONFIG_HOME", ""}, {"HOME", "/home/u"}})),
            fs::path("/home/u/.config/Helvo"));
  EXPECT_EQ(LinuxSettingsFolder(EnvironmentOf({{"XDG_CONFIG_HOME", "rel/cfg"}, {"HOME", "/home/u"}})),
            fs::path("/home/u/.config/Helvo"));
}

TEST_F(SettingsLocationTest, LinuxWithoutHomeFailsWithText95) {
  EXPECT_EQ(ErrorText([] { LinuxSettingsFolder(EnvironmentOf({})); }), kText95);
  EXPECT_EQ(ErrorText([] { LinuxSettingsFolder(EnvironmentOf({{"HOME", ""}})); }), kText95);
}

TEST_F(SettingsLocationTest, LocateCreatesTheFolderButNotTheFile) {
  TempFolder folder;
  const fs::path file = LocateSettingsFile(EnvironmentOf({{"XDG_CONFIG_HOME", folder.Path()}}));
  EXPECT_EQ(file, folder / "Helvo" / "Calorix.ini");
  EXPECT_TRUE(fs::is_directory(folder / "Helvo"));
  EXPECT_FALSE(fs::exists(file));
}

TEST_F(SettingsLocationTest, LocateKeepsAnExistingFolder) {
  TempFolder folder;
  fs::create_directory(folder / "Helvo");
  WriteBytes(folder / "Helvo" / "Calorix.ini", "[Main]\n");
  EXPECT_EQ(LocateSettingsFile(EnvironmentOf({{"XDG_CONFIG_HOME", folder.Path()}})), folder / "Helvo" / "Calorix.ini");
  EXPECT_TRUE(fs::exists(folder / "Helvo" / "Calorix.ini"));
}

// A fresh account may have no ~/.config yet.
TEST_F(SettingsLocationTest, LocateCreatesTheMissingParentsOfTheFolder) {
  TempFolder folder;
  const EnvironmentLookup env = EnvironmentOf({{"HOME", (folder / "home").string()}});
  EXPECT_EQ(LocateSettingsFile(env), folder / "home" / ".config" / "Helvo" / "Calorix.ini");
  EXPECT_TRUE(fs::is_directory(folder / "home" / ".config" / "Helvo"));
}

// The user must learn what stands in the way: the message names the folder.
TEST_F(SettingsLocationTest, LocateFailsWhenTheSettingsFolderIsAFileAndNamesIt) {
  TempFolder folder;
  WriteBytes(folder / "Helvo", "not a folder");
  const EnvironmentLookup env = EnvironmentOf({{"XDG_CONFIG_HOME", folder.Path()}});
  EXPECT_EQ(ErrorText([&] { LocateSettingsFile(env); }), std::string(kText95) + "\n\n" + (folder / "Helvo").string());
}

TEST_F(SettingsLocationTest, LocateFailsBelowARegularFileAndNamesTheFolder) {
  TempFolder folder;
  WriteBytes(folder / "plain", "x");
  const EnvironmentLookup env = EnvironmentOf({{"XDG_CONFIG_HOME", folder / "plain"}});
  EXPECT_EQ(ErrorText([&] { LocateSettingsFile(env); }),
            std::string(kText95) + "\n\n" + (folder / "plain" / "Helvo").string());
}

TEST_F(SettingsLocationTest, LocateFailsInAReadOnlyFolder) {
  if (testing::RunningAsRoot()) GTEST_SKIP() << "root may create folders anywhere";
  TempFolder folder;
  fs::permissions(folder.Path(), fs::perms::owner_read | fs::perms::owner_exec);
  const EnvironmentLookup env = EnvironmentOf({{"XDG_CONFIG_HOME", folder.Path()}});
  EXPECT_EQ(ErrorText([&] { LocateSettingsFile(env); }), std::string(kText95) + "\n\n" + (folder / "Helvo").string());
}

TEST_F(SettingsLocationTest, ProgramFolderIsTheExecutablesFolderWithTrailingSeparator) {
  const fs::path executable = fs::read_symlink("/proc/self/exe");
  EXPECT_EQ(ProgramFolder(), executable.parent_path().string() + "/");
}

TEST_F(SettingsLocationTest, ProcessEnvironmentReadsVariables) {
  ::setenv("CALORIX_TEST_VARIABLE", "value", 1);
  EXPECT_EQ(ProcessEnvironment("CALORIX_TEST_VARIABLE"), "value");
  ::unsetenv("CALORIX_TEST_VARIABLE");
  EXPECT_EQ(ProcessEnvironment("CALORIX_TEST_VARIABLE"), std::nullopt);
}

}  // namespace
}  // namespace calorix
